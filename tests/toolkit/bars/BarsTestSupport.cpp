#include "tests/toolkit/bars/BarsTestSupport.h"

#include <gtest/gtest.h>
#include "classlib/Graphics.h"

namespace {
const TMethodInfo TestFormMethods[] = {
  PublishedMethod<TdxBarVisibleChangeEvent, &TBarsTestForm::BarVisibleChanged>("BarVisibleChanged"),
};
}  // namespace
CL_DEFINE_CLASS(TBarsTestForm, .Methods = TestFormMethods);
CL_DEFINE_CLASS(TTestBarItem);
CL_DEFINE_CLASS(TSizedToolbar);
CL_DEFINE_CLASS_NAMED(TTestSeparator, "TdxBarSeparator");

TForm* NewForm()
{
  auto* form = New<TForm>(Application, CreateNew);
  form->SetBounds(100, 100, 300, 200);
  return form;
}

TPanel* NewPanel(TWinControl* parent, int left, int top)
{
  auto* panel = New<TPanel>(parent);
  panel->SetParent(parent);
  panel->SetBounds(left, top, 100, 80);
  return panel;
}

void ExpectSystemMenuFont(TFont* font)
{
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
  EXPECT_EQ(font->Name(), metrics.lfMenuFont.lfFaceName);
  EXPECT_EQ(font->Height(), metrics.lfMenuFont.lfHeight);
}

const char* const MainWindowBars = R"(object BarsForm: TBarsTestForm
  Left = 100
  Top = 100
  Width = 600
  Height = 400
  object dxBarManager1: TdxBarManager
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -15
    Font.Name = 'Microsoft YaHei UI'
    Font.Style = []
    Categories.Strings = (
      'Default'
      'Search')
    Categories.ItemsVisibles = (
      2
      0)
    Categories.Visibles = (
      True
      False)
    ShowHint = False
    UseSystemFont = True
    OnBarVisibleChange = BarVisibleChanged
    Left = 40
    Top = 8
    DockControlHeights = (
      0
      0
      60
      0)
    object dxBarManager1Bar1: TdxBar
      Caption = 'Mainmenu'
      DockedDockingStyle = dsTop
      DockedLeft = 0
      DockedTop = 0
      DockingStyle = dsTop
      FloatLeft = 920
      FloatTop = 8
      FloatClientWidth = 0
      FloatClientHeight = 0
      OneOnRow = True
      Row = 0
      UseOwnFont = False
      Visible = True
      WholeRow = False
    end
    object dxBarManager1Bar2: TdxBar
      Caption = 'fontmenu'
      DockedDockingStyle = dsTop
      DockedLeft = 0
      DockedTop = 30
      DockingStyle = dsTop
      FloatLeft = 1042
      FloatTop = 8
      FloatClientWidth = 0
      FloatClientHeight = 0
      OneOnRow = True
      Row = 1
      UseOwnFont = False
      Visible = True
      WholeRow = False
    end
    object SearchItem: TTestBarItem
      Category = 1
    end
  end
end
)";

