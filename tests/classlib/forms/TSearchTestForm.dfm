object SearchTestForm: TSearchTestForm
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = '搜索'
  ClientHeight = 200
  ClientWidth = 320
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -12
  Font.Name = 'SimSun'
  KeyPreview = True
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  TextHeight = 12
  object TopPanel: TTestPanel
    Left = 0
    Top = 0
    Width = 320
    Height = 41
    Align = alTop
    Color = clYellow
    TabOrder = 1
    object OkButton: TTestButton
      Left = 8
      Top = 8
      Width = 75
      Height = 25
      Caption = '确定'
      TabOrder = 0
      OnClick = OkButtonClick
    end
  end
  object ClientPanel: TTestPanel
    Left = 0
    Top = 41
    Width = 320
    Height = 159
    Align = alClient
    ParentColor = True
    TabOrder = 0
    object Marker: TTestGraphic
      Left = 280
      Top = 120
      Width = 30
      Height = 30
      Anchors = [akRight, akBottom]
    end
  end
end
