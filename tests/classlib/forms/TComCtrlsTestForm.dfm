object ComCtrlsTestForm: TComCtrlsTestForm
  Left = 0
  Top = 0
  Caption = '文件检索'
  ClientHeight = 400
  ClientWidth = 700
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object ListView1: TListView
    Left = 0
    Top = 0
    Width = 361
    Height = 381
    Align = alLeft
    Columns = <
      item
        Caption = '文件列表'
        Width = 109
      end
      item
        Caption = '文件路径'
        Width = 246
      end>
    RowSelect = True
    TabOrder = 0
    ViewStyle = vsReport
    OnSelectItem = ListView1SelectItem
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 381
    Width = 700
    Height = 19
    Panels = <
      item
        Width = 345
      end
      item
        Width = 50
      end>
  end
  object RichEdit1: TRichEdit
    Left = 361
    Top = 0
    Width = 339
    Height = 381
    Align = alClient
    Font.Charset = GB2312_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    HideScrollBars = False
    ParentFont = False
    ScrollBars = ssVertical
    TabOrder = 1
  end
end
