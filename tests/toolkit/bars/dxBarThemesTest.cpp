// Colours and sizes of bars from the visual style, and the system's answers without one.
#include <gtest/gtest.h>
#include <vssym32.h>
#include "classlib/GraphicsUtils.h"
#include "toolkit/bars/dxBarThemes.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

TEST(BarThemes, WithoutAStyleTheSystemColoursAnswer)
{
  EXPECT_EQ(GetThemedEditFillColor(nullptr, dxThemedEditNormal), ColorToRGB(clWindow));
  EXPECT_EQ(GetThemedEditFillColor(nullptr, dxThemedEditDisabled), ColorToRGB(clWindow));
  EXPECT_EQ(GetThemedEditTextColor(nullptr, dxThemedEditNormal), ColorToRGB(clWindowText));
  EXPECT_EQ(GetThemedEditTextColor(nullptr, dxThemedEditDisabled), ColorToRGB(clGrayText));
}

TEST(BarThemes, TheStyleAnswersWhereItHasAValue)
{
  HTHEME edit = GetThemeHandle(TdxThemedObjectType::totEdit);
  if (!edit) GTEST_SKIP() << "no visual style";
  COLORREF text;
  if (SUCCEEDED(dxUxTheme::GetThemeColor(edit, EP_EDITTEXT, dxThemedEditNormal, TMT_TEXTCOLOR, &text))) {
    EXPECT_EQ(GetThemedEditTextColor(edit, dxThemedEditNormal), text);
  }
  // The fill colour of an enabled edit is always the window colour.
  EXPECT_EQ(GetThemedEditFillColor(edit, dxThemedEditNormal), ColorToRGB(clWindow));

  SIZE box{};
  dxUxTheme::GetThemePartSize(GetThemeHandle(TdxThemedObjectType::totScrollBar), nullptr, SBP_SIZEBOX, 1, TS_TRUE, &box);
  const SIZE grip = GetThemedSizeGripSize();
  EXPECT_EQ(grip.cx, box.cx + 2);
  EXPECT_EQ(grip.cy, box.cy + 2);
  const SIZE close = GetThemedCloseButtonSize();
  EXPECT_GE(close.cx, 0);
  EXPECT_NE(GetThemedToolbarColor(), CLR_INVALID);
}
