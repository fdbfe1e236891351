object StdCtrlsTestForm: TStdCtrlsTestForm
  Left = 0
  Top = 0
  Caption = '标准控件'
  ClientHeight = 300
  ClientWidth = 400
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -12
  Font.Name = 'SimSun'
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 12
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 41
    Align = alTop
    TabOrder = 0
    object RunButton: TButton
      Left = 8
      Top = 8
      Width = 75
      Height = 25
      Action = RunAction
      TabOrder = 0
    end
    object OwnButton: TButton
      Left = 88
      Top = 8
      Width = 75
      Height = 25
      Caption = '检索文件列表'
      Action = RunAction
      TabOrder = 1
    end
    object NameLabel: TLabel
      Left = 170
      Top = 14
      Caption = '输入检索内容：'
    end
    object NameEdit: TEdit
      Left = 260
      Top = 10
      Width = 100
      Height = 21
      TabOrder = 2
      OnChange = NameEditChange
      OnExit = NameEditExit
      OnKeyDown = NameEditKeyDown
    end
  end
  object FileList: TListBox
    Left = 0
    Top = 41
    Width = 120
    Height = 259
    Align = alLeft
    Style = lbOwnerDrawFixed
    ItemHeight = 18
    Items.Strings = (
      '甲'
      '乙'
      '丙')
    PopupMenu = ListMenu
    TabOrder = 1
    OnClick = FileListClick
  end
  object Splitter1: TSplitter
    Left = 120
    Top = 41
    Width = 4
    Height = 259
    MinSize = 40
  end
  object ClientPanel: TPanel
    Left = 124
    Top = 41
    Width = 276
    Height = 259
    Align = alClient
    BevelOuter = bvLowered
    BorderWidth = 2
    Caption = '正文'
    TabOrder = 2
    object KindBox: TComboBox
      Left = 8
      Top = 8
      Width = 100
      Height = 20
      Style = csDropDownList
      ItemIndex = 1
      Items.Strings = (
        'pas'
        'txt'
        'ini')
      TabOrder = 0
      OnChange = KindBoxChange
    end
    object ColorBox1: TColorBox
      Left = 8
      Top = 40
      Width = 120
      Height = 22
      Selected = clRed
      TabOrder = 1
      OnChange = ColorBox1Change
    end
    object StatusLabel: TLabel
      Left = 0
      Top = 239
      Width = 266
      Height = 16
      Align = alBottom
      AutoSize = False
      Alignment = taCenter
      Layout = tlCenter
      Caption = '就绪'
      Transparent = True
    end
  end
  object ActionList1: TActionList
    object RunAction: TAction
      Caption = '检索文件'
      Hint = '开始检索'
      ImageIndex = 125
      OnExecute = RunActionExecute
    end
  end
  object LateButton: TButton
    Left = 300
    Top = 200
    Width = 75
    Height = 25
    Action = RunAction
    Caption = '稍后'
    TabOrder = 3
  end
  object ListMenu: TPopupMenu
    OnPopup = ListMenuPopup
    object OpenItem: TMenuItem
      Caption = '打开文件夹'
      OnClick = OpenItemClick
    end
    object RunItem: TMenuItem
      Action = RunAction
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 20
    OnTimer = Timer1Timer
  end
end
