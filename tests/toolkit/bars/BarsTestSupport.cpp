#include "tests/toolkit/bars/BarsTestSupport.h"

#include <gtest/gtest.h>
#include "classlib/Graphics.h"

CL_DEFINE_CLASS(TTestBarItem);
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
