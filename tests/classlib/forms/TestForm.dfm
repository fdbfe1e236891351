object TestForm: TTestForm
  Width = 640
  Caption = '测试窗体'
  Buddy = Button2
  OnClick = FormClick
  Font.Height = -11
  Font.Name = 'Microsoft YaHei UI'
  Font.Color = clRed
  Font.Charset = GB2312_CHARSET
  Font.Style = [fsBold, fsItalic]
  object Panel1: TTestWidget
    Left = 8
    Width = 300
    Visible = False
    Shape = shCircle
    Anchors = [akLeft, akRight, akBottom]
    Caption = 'it''s a '#13#10'panel'
    Ratio = 1.25
    Color = $0080FF40
    ShortCut = 16467
    Lines.Strings = (
      '第一行'
      'second'#9'line'
      '')
    Items = <
      item
        Caption = '文件列表'
        Width = 109
        Target = Button2
        Note = '备注'
      end
      item
        Caption = 'Path'
      end>
    Secret = 42
    Blob = {
      0102A0FF
      7F}
    object Button1: TTestWidget
      Caption = 'Press ' +
        'me'
      Buddy = Panel1
      OnClick = ButtonClick
    end
  end
  object Button2: TTestWidget
    Left = -5
    Color = -16777201
    Ratio = 2.5e3
    Hint = '按钮'
  end
end
