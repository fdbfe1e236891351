// An item's binding to its styles: one listener per style, the kind of each change, changes under
// the update lock reported once, and styles that go.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarItemStyles.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/controls/cxStyles.h"

namespace {
// An item with two style slots (as edits have) that records how its styles changed.
class TStyledItem : public TdxBarItem {
  CL_CLASS(TStyledItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  std::vector<TdxBarStylesChangeKind> Changes;
  int GetStyleCount() const override { return 2; }
  void StylesChanged(TdxBarStylesChangeKind kind) override
  {
    Changes.push_back(kind);
    TdxBarItem::StylesChanged(kind);
  }
};

struct TStylesFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TStyledItem* Item = New<TStyledItem>(Form);
  TcxStyle* Style = New<TcxStyle>(Form);
};

constexpr auto Drawing = TdxBarStylesChangeKind::sckDrawing;
constexpr auto Structure = TdxBarStylesChangeKind::sckStructure;
using TKinds = std::vector<TdxBarStylesChangeKind>;
}  // namespace

CL_DEFINE_CLASS(TStyledItem);

TEST(dxBarItemStyles, WhatAChangeOfAStyleMeansToTheItem)
{
  struct TCase {
    const char* What;
    std::function<void(TcxStyle*)> Change;
    TKinds Kinds;
  };
  const TCase cases[] = {
    {"a colour repaints", [](TcxStyle* s) { s->SetColor(clRed); }, {Drawing}},
    {"a text colour repaints", [](TcxStyle* s) { s->SetTextColor(clRed); }, {Drawing}},
    {"a font measures again", [](TcxStyle* s) { s->Font()->SetHeight(-20); }, {Structure}},
    {"a bitmap is not looked at", [](TcxStyle* s) { s->Bitmap()->SetSize(2, 2); }, {}},
    {"the colour a system colour has now is no change",
     [](TcxStyle* s) { s->SetColor(static_cast<TColor>(ColorToRGB(clBtnFace))); }, {}},
  };
  for (const TCase& c : cases) {
    TStylesFixture f;
    f.Style->SetColor(clBtnFace);
    f.Item->SetStyle(f.Style);
    f.Item->Changes.clear();
    c.Change(f.Style);
    EXPECT_EQ(f.Item->Changes, c.Kinds) << c.What;
  }
}

TEST(dxBarItemStyles, ChangesUnderTheLockReachTheItemOnceWithTheStrongestKind)
{
  TStylesFixture f;
  f.Item->SetStyle(f.Style);
  f.Item->Changes.clear();
  f.Item->StylesData()->BeginUpdate();
  f.Style->SetColor(clRed);
  f.Style->Font()->SetHeight(-20);
  f.Style->SetTextColor(clBlue);
  EXPECT_TRUE(f.Item->Changes.empty());
  f.Item->StylesData()->EndUpdate();
  EXPECT_EQ(f.Item->Changes, TKinds{Structure});

  f.Item->Changes.clear();
  f.Item->StylesData()->BeginUpdate();
  f.Item->StylesData()->EndUpdate();
  EXPECT_TRUE(f.Item->Changes.empty()) << "nothing changed, nothing reported";

  // One style in both slots: one change of the style reaches the item once.
  f.Item->SetStyleByIndex(1, f.Style);
  f.Item->Changes.clear();
  f.Style->SetColor(clGreen);
  EXPECT_EQ(f.Item->Changes, TKinds{Drawing});
}

TEST(dxBarItemStyles, OneListenerPerStyleAndStylesThatGo)
{
  TStylesFixture f;
  f.Style->SetColor(clRed);
  f.Item->SetStyleByIndex(0, f.Style);
  f.Item->SetStyleByIndex(1, f.Style);
  EXPECT_EQ(f.Style->ListenerCount(), 1);
  f.Item->SetStyleByIndex(0, nullptr);
  EXPECT_EQ(f.Style->ListenerCount(), 1) << "slot 1 still uses it";
  f.Item->SetStyleByIndex(1, nullptr);
  EXPECT_EQ(f.Style->ListenerCount(), 0);

  f.Item->SetStyleByIndex(0, f.Style);
  f.Item->SetStyleByIndex(1, f.Style);
  EXPECT_EQ(f.Item->GetItemStyleValues().Color, clRed);
  EXPECT_EQ(f.Item->GetEditStyleValues().Font, nullptr) << "a font the style does not assign";
  f.Item->Changes.clear();
  Free(f.Style);
  EXPECT_EQ(f.Item->Style(), nullptr);
  EXPECT_EQ(f.Item->GetStyleByIndex(1), nullptr);
  EXPECT_EQ(f.Item->Changes, TKinds{Drawing}) << "one report for both slots";
  EXPECT_EQ(f.Item->GetItemStyleValues().Color, clDefault);

  // An item that goes stops listening without reporting.
  auto* style = New<TcxStyle>(f.Form);
  f.Item->SetStyle(style);
  Free(f.Item);
  EXPECT_EQ(style->ListenerCount(), 0);
}
