object FieldlessForm: TFieldlessForm
  Left = 0
  Top = 0
  Caption = 'Fieldless'
  ClientHeight = 60
  ClientWidth = 120
  object OkButton: TTestButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Caption = 'OK'
  end
end
