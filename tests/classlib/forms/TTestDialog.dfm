object TestDialog: TTestDialog
  Caption = '对话框'
  object OkButton: TTestWidget
    Caption = '确定'
    OnClick = ButtonClick
  end
end
