object Frmain: TFrmain
  Left = 0
  Top = 0
  Caption = '文件检索'
  ClientHeight = 721
  ClientWidth = 1006
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object dxBarManager1: TPanel
    Left = 0
    Top = 0
    Width = 1006
    Height = 60
    Align = alTop
    BevelOuter = bvNone
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -15
    Font.Name = 'Microsoft YaHei UI'
    Font.Style = []
    ParentFont = False
    TabOrder = 4
    object dxBarManager1Bar2: TPanel
      Left = 0
      Top = 30
      Width = 1006
      Height = 30
      Align = alTop
      BevelOuter = bvNone
      Caption = ''
      TabOrder = 1
      object cxBarEditItem4: TLabel
        Left = 4
        Top = 5
        Width = 100
        Height = 20
        AutoSize = False
        Caption = '字体颜色'
        Hint = '字体颜色'
        Layout = tlCenter
      end
      object dxBarColorCombo1: TColorBox
        Left = 104
        Top = 3
        Width = 100
        Height = 22
        Hint = 'New Item'
        Selected = clBlack
        TabOrder = 0
        OnChange = dxBarColorCombo1Change
      end
      object cxBarEditItem5Group: TPanel
        Left = 208
        Top = 3
        Width = 2
        Height = 24
        BevelOuter = bvLowered
        Caption = ''
        TabOrder = 2
      end
      object cxBarEditItem5: TLabel
        Left = 214
        Top = 5
        Width = 100
        Height = 20
        AutoSize = False
        Caption = '字体大小'
        Hint = '字体大小'
        Layout = tlCenter
      end
      object dxBarSpinEdit1: TSpinEditStandIn
        Left = 314
        Top = 3
        Width = 100
        Height = 24
        Hint = 'New Item'
        Value = 12
        TabOrder = 1
        OnCurChange = dxBarSpinEdit1CurChange
      end
    end
    object dxBarManager1Bar1: TPanel
      Left = 0
      Top = 0
      Width = 1006
      Height = 30
      Align = alTop
      BevelOuter = bvNone
      Caption = ''
      TabOrder = 0
      object dxBarButton1: TButton
        Left = 4
        Top = 2
        Width = 120
        Height = 26
        Action = Action1
        TabOrder = 0
      end
      object cxBarEditItem1Group: TPanel
        Left = 128
        Top = 3
        Width = 2
        Height = 24
        BevelOuter = bvLowered
        Caption = ''
        TabOrder = 5
      end
      object cxBarEditItem1: TLabel
        Left = 134
        Top = 5
        Width = 100
        Height = 20
        AutoSize = False
        Caption = '选择文件扩展名：'
        Hint = '选择文件扩展名：'
        Layout = tlCenter
      end
      object dxBarCombo2: TComboBox
        Left = 234
        Top = 3
        Width = 100
        Height = 24
        Hint = 'txt'
        Style = csDropDownList
        ItemIndex = 1
        Items.Strings = (
          'pas'
          'txt'
          'ini'
          'doc'
          '')
        TabOrder = 1
      end
      object dxBarButton5Group: TPanel
        Left = 338
        Top = 3
        Width = 2
        Height = 24
        BevelOuter = bvLowered
        Caption = ''
        TabOrder = 6
      end
      object dxBarButton5: TButton
        Left = 344
        Top = 2
        Width = 120
        Height = 26
        Action = Action2
        Caption = '检索文件列表'
        TabOrder = 2
      end
      object cxBarEditItem2Group: TPanel
        Left = 468
        Top = 3
        Width = 2
        Height = 24
        BevelOuter = bvLowered
        Caption = ''
        TabOrder = 7
      end
      object cxBarEditItem2: TLabel
        Left = 474
        Top = 5
        Width = 100
        Height = 20
        AutoSize = False
        Caption = '输入检索内容：'
        Hint = '输入检索内容：'
        Layout = tlCenter
      end
      object dxBarEdit4: TBarEditStandIn
        Left = 574
        Top = 3
        Width = 246
        Height = 24
        Hint = 'New Item'
        TabOrder = 3
      end
      object dxBarButton6: TButton
        Left = 826
        Top = 2
        Width = 100
        Height = 26
        Action = Action3
        TabOrder = 4
      end
    end
  end
  object Splitter1: TSplitter
    Left = 361
    Top = 60
    Width = 3
    Height = 642
  end
  object Panel1: TPanel
    Left = 364
    Top = 60
    Width = 642
    Height = 642
    Align = alClient
    Caption = ''
    TabOrder = 0
  end
  object cxListView1: TcxListView
    Left = 0
    Top = 60
    Width = 361
    Height = 642
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
    PopupMenu = PopupMenu1
    RowSelect = True
    TabOrder = 1
    ViewStyle = vsReport
    OnSelectItem = cxListView1SelectItem
  end
  object RzStatusBar1: TRzStatusBar
    Left = 0
    Top = 702
    Width = 1006
    Height = 19
    BorderInner = fsNone
    BorderOuter = fsNone
    BorderSides = [sdLeft, sdTop, sdRight, sdBottom]
    BorderWidth = 0
    TabOrder = 2
    object RzStatusPane1: TRzStatusPane
      Left = 0
      Top = 0
      Width = 345
      Height = 19
      Align = alLeft
    end
    object RzStatusPane2: TRzStatusPane
      Left = 345
      Top = 0
      Width = 661
      Height = 19
      Align = alClient
    end
  end
  object RichEdit1: TRichEdit
    Left = 364
    Top = 60
    Width = 642
    Height = 642
    Align = alClient
    Font.Charset = GB2312_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    HideScrollBars = False
    ParentFont = False
    ScrollBars = ssVertical
    TabOrder = 3
  end
  object Button1: TButton
    Left = 907
    Top = 29
    Width = 75
    Height = 25
    Caption = 'Button1'
    TabOrder = 8
    Visible = False
    OnClick = Button1Click
  end
  object ImageList1: TImageList
  end
  object ActionList1: TActionList
    Images = ImageList1
    object Action1: TAction
      Caption = '选择扫描路径'
      ImageIndex = 99
      OnExecute = Action1Execute
    end
    object Action2: TAction
      Caption = '检索文件'
      ImageIndex = 125
      OnExecute = Action2Execute
    end
    object Action3: TAction
      Caption = '定位查找'
      ImageIndex = 182
      OnExecute = Action3Execute
    end
    object Action4: TAction
      Caption = 'Action4'
    end
  end
  object OpenDialog1: TOpenDialog
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Caption = '打开文件夹'
      OnClick = N1Click
    end
  end
  object IdThreadComponent1: TIdThreadComponent
    Active = False
    Loop = False
    Priority = tpNormal
    StopMode = smTerminate
    OnRun = IdThreadComponent1Run
  end
  object Timer1: TTimer
    Interval = 300
    OnTimer = Timer1Timer
  end
end
