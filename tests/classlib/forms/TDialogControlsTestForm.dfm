object DialogControlsTestForm: TDialogControlsTestForm
  Left = 0
  Top = 0
  Caption = '对话框控件'
  ClientHeight = 310
  ClientWidth = 366
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -12
  Font.Name = 'SimSun'
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 12
  object PageControl: TPageControl
    Left = 6
    Top = 8
    Width = 354
    Height = 264
    ActivePage = tsFiles
    TabOrder = 0
    OnChange = PageControlChange
    object tsFiles: TTabSheet
      Caption = ' Files '
      object FilesLabel: TLabel
        Left = 8
        Top = 6
        Caption = '&Files:'
        FocusControl = FileList
      end
      object FileList: TListBox
        Left = 8
        Top = 22
        Width = 150
        Height = 120
        Items.Strings = (
          '甲'
          '乙'
          '丙')
        TabOrder = 0
      end
      object ShowHidden: TCheckBox
        Left = 170
        Top = 22
        Width = 160
        Height = 17
        Caption = 'Show &hidden files'
        TabOrder = 1
        OnClick = ShowHiddenClick
      end
      object OptionsGroup: TGroupBox
        Left = 170
        Top = 48
        Width = 160
        Height = 94
        Caption = ' Options '
        TabOrder = 2
        object LineBevel: TBevel
          Left = 10
          Top = 40
          Width = 140
          Height = 2
          Shape = bsTopLine
        end
        object FrameBevel: TBevel
          Left = 10
          Top = 50
          Width = 60
          Height = 30
          Shape = bsFrame
        end
        object BoxBevel: TBevel
          Left = 80
          Top = 50
          Width = 60
          Height = 30
          Style = bsRaised
        end
      end
    end
    object tsTools: TTabSheet
      Caption = ' Tools '
      object Tools: TToolBar
        Left = 0
        Top = 0
        Width = 346
        Height = 26
        Flat = True
        Images = ToolImages
        object RunButton: TToolButton
          Action = RunAction
        end
        object Separator1: TToolButton
          Width = 8
          Style = tbsSeparator
        end
        object StopButton: TToolButton
          Action = StopAction
        end
      end
    end
    object tsTree: TTabSheet
      Caption = ' Tree '
      object Folders: TTreeView
        Left = 0
        Top = 0
        Width = 346
        Height = 237
        Align = alClient
        Images = ToolImages
        Indent = 19
        ReadOnly = True
        TabOrder = 0
        Items.Data = {
          020000000000000000000000FFFFFFFFFFFFFFFF0200000006000000CEC4BCFE
          BCD00100000001000000FFFFFFFFFFFFFFFF0000000002000000BCD701000000
          01000000FFFFFFFFFFFFFFFF0000000002000000D2D20000000000000000FFFF
          FFFFFFFFFFFF0000000004000000C6E4CBFB}
      end
    end
  end
  object BHelp: TBitBtn
    Left = 6
    Top = 281
    Width = 24
    Height = 23
    TabOrder = 1
  end
  object BClose: TButton
    Left = 285
    Top = 281
    Width = 75
    Height = 23
    Caption = 'Close'
    Default = True
    TabOrder = 2
  end
  object Actions: TActionList
    Images = ToolImages
    object RunAction: TAction
      Hint = 'Run the search'
      ImageIndex = 0
      OnExecute = RunActionExecute
    end
    object StopAction: TAction
      Hint = 'Stop|Stops the running search'
      ImageIndex = 1
      OnExecute = StopActionExecute
    end
  end
  object ToolImages: TImageList
  end
end
