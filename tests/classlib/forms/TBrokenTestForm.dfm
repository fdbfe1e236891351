object BrokenTestForm: TBrokenTestForm
  Caption = 'broken'
  ClientHeight = 100
  ClientWidth = 100
  object GoodPanel: TTestPanel
    Align = alTop
    object GoodButton: TTestButton
      Caption = 'ok'
    end
  end
  object BadPanel: TTestPanel
    NoSuchProperty = 1
  end
end
