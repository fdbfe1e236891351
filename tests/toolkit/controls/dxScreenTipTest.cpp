// Screen tips: the band layout in numbers, the lookup of a control's tip through its link, its
// action's link and the control's own source, the hint a linked control gets, and a repository
// written to a stored form and read back.
#include <gtest/gtest.h>
#include <string>
#include "classlib/ActnList.h"
#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "classlib/ObjectText.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/dxScreenTip.h"

namespace {
using controls_test::TComponentHolder;

struct TLayoutFixture {
  TOwned<TComponentHolder> Holder = MakeOwned<TComponentHolder>(nullptr);
  TdxScreenTipRepository* Repository = New<TdxScreenTipRepository>(Holder.get());
  TOwned<TBitmap> Bitmap = MakeOwned<TBitmap>();
  TOwned<TcxCanvas> Canvas;
  TLayoutFixture()
  {
    Bitmap->SetSize(4, 4);
    Canvas = MakeOwned<TcxCanvas>(Bitmap->Canvas());
  }
  SIZE TextSize(TdxScreenTipBandType type, const std::string& text)
  {
    Bitmap->Canvas()->SetFont(Repository->GetFontForBand(type));
    return Bitmap->Canvas()->TextExtent(text);
  }
};

TEST(dxScreenTipLayout, BandsInNumbers)
{
  TLayoutFixture f;
  TdxScreenTip* tip = f.Repository->Items()->Add();
  TOwned<TdxScreenTipPainter> painter = MakeOwned<TdxScreenTipPainter>(nullptr);
  auto layout = [&](const std::string& hint = "", const std::string& shortcut = "") {
    auto helper = MakeOwned<TdxScreenTipViewInfoHelper>(painter.get(), tip, hint, shortcut);
    helper->Calculate(f.Canvas.get());
    return helper;
  };

  // Nothing visible: the tip's width, no height.
  tip->Header()->SetText("");
  auto empty = layout();
  EXPECT_EQ(empty->BoundsRect.right, 318);
  EXPECT_EQ(empty->BoundsRect.bottom, 0);

  // A header alone, with the shortcut text appended.
  tip->Header()->SetText("Open");
  auto header = layout("", " (Ctrl+O)");
  const SIZE headerText = f.TextSize(stbHeader, "Open (Ctrl+O)");
  ASSERT_EQ(header->BandCount(), 1);
  EXPECT_EQ(header->Bands(0)->Text, "Open (Ctrl+O)");
  EXPECT_EQ(header->BoundsRect.bottom, headerText.cy + 12);
  EXPECT_EQ(header->Bands(0)->TextRect.left, 6);
  EXPECT_EQ(header->Bands(0)->TextRect.right, 318 - 6);

  // A header wider than the tip widens the whole tip.
  const std::string wide(80, 'W');
  tip->Header()->SetText(wide);
  auto widened = layout();
  EXPECT_EQ(widened->BoundsRect.right, f.TextSize(stbHeader, wide).cx + 12);

  // A description glyph of 200 x 100 is drawn 94 x 47 and makes the tip 210 wide.
  tip->Header()->SetText("Open");
  TOwned<TBitmap> glyph = MakeOwned<TBitmap>();
  glyph->SetSize(200, 100);
  tip->Description()->SetGlyph(glyph.get());
  tip->Description()->SetText("Opens a file.");
  auto withGlyph = layout();
  ASSERT_EQ(withGlyph->BandCount(), 2);
  EXPECT_EQ(withGlyph->BoundsRect.right, 210);
  TdxScreenTipBandViewInfo* description = withGlyph->Bands(1);
  EXPECT_EQ(description->GlyphSize.cx, 94);
  EXPECT_EQ(description->GlyphSize.cy, 47);
  EXPECT_EQ(description->Top, withGlyph->Bands(0)->Height);
  EXPECT_EQ(description->Height, std::max<int>(47, description->TextSize.cy) + 12);
  EXPECT_EQ(description->GlyphRect.top, description->Top + 6);
  EXPECT_EQ(description->TextRect.left, 14 + 94 + 14);
  EXPECT_EQ(withGlyph->BoundsRect.bottom, withGlyph->Bands(0)->Height + description->Height);

  // The standard footer stands in for the tip's own.
  tip->Footer()->SetText("own footer");
  f.Repository->StandardFooter()->SetText("Press F1 for more help.");
  tip->SetUseStandardFooter(true);
  auto footer = layout();
  ASSERT_EQ(footer->BandCount(), 3);
  EXPECT_EQ(footer->Bands(2)->Text, "Press F1 for more help.");

  // Hint as header: the hint text replaces the header text.
  tip->SetUseHintAsHeader(true);
  auto hintHeader = layout("The hint");
  EXPECT_EQ(hintHeader->Bands(0)->Text, "The hint");
}

class TTipSource : public TCustomControl, public IdxScreenTipSource {
  CL_CLASS(TTipSource, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  TBasicAction* GetAction() override { return SourceAction; }
  TdxScreenTip* GetScreenTip() override { return Tip; }
  std::string GetHint() override { return "source hint"; }
  TBasicAction* SourceAction = nullptr;
  TdxScreenTip* Tip = nullptr;
};
CL_DEFINE_CLASS(TTipSource);

TEST(dxScreenTipStyle, FindsTipsThroughEachRouteAndFillsEmptyHints)
{
  TOwned<TComponentHolder> holder = MakeOwned<TComponentHolder>(nullptr);
  auto* repository = New<TdxScreenTipRepository>(holder.get());
  TdxScreenTip* linked = repository->Items()->Add();
  linked->Header()->SetText("Linked");
  TdxScreenTip* byAction = repository->Items()->Add();
  byAction->Header()->SetText("");
  TdxScreenTip* own = repository->Items()->Add();
  auto* controller = New<TcxCustomHintStyleController>(holder.get());
  controller->SetHintStyleClassName("TdxScreenTipStyle");
  auto* style = As<TdxScreenTipStyle>(controller->HintStyle());
  EXPECT_EQ(GetActiveScreenTipStyle(), style);

  auto* panel = New<TPanel>(holder.get());
  auto* actionList = New<TActionList>(holder.get());
  auto* action = New<TAction>(holder.get());
  action->SetActionList(actionList);
  action->SetShortCut(static_cast<TShortCut>(scCtrl | 'S'));
  auto* withAction = New<TPanel>(holder.get());
  withAction->SetAction(action);
  auto* source = New<TTipSource>(holder.get());

  style->ScreenTipLinks()->Add()->SetControl(panel);
  style->ScreenTipLinks()->Links(0)->SetScreenTip(linked);
  TdxScreenTipActionLink* actionLink = style->ScreenTipActionLinks()->Add();
  actionLink->SetAction(action);
  actionLink->SetScreenTip(byAction);

  TdxScreenTip* tip = nullptr;
  std::string extra;
  style->FindScreenTip(panel, tip, extra);
  EXPECT_EQ(tip, linked);
  EXPECT_EQ(extra, "");
  style->FindScreenTip(withAction, tip, extra);
  EXPECT_EQ(tip, byAction);
  EXPECT_EQ(extra, " (" + ShortCutToText(action->ShortCut()) + ")");
  source->Tip = own;
  style->FindScreenTip(source, tip, extra);
  EXPECT_EQ(tip, own);
  EXPECT_EQ(extra, "source hint");
  source->Tip = nullptr;
  source->SourceAction = action;
  style->FindScreenTip(source, tip, extra);
  EXPECT_EQ(tip, byAction);

  // An empty hint becomes the header text, or a blank for a tip without one.
  THintInfo info;
  bool canShow = true;
  std::string hint;
  info.HintControl = panel;
  style->PrepareHint(hint, canShow, info);
  EXPECT_EQ(hint, "Linked");
  hint.clear();
  info.HintControl = withAction;
  style->PrepareHint(hint, canShow, info);
  EXPECT_EQ(hint, " ");

  // A tip that goes lets go of its links.
  Free(linked);
  EXPECT_EQ(style->ScreenTipLinks()->Links(0)->ScreenTip(), nullptr);
}

TEST(dxScreenTipRepository, WrittenToAStoredFormAndReadBack)
{
  TOwned<TComponentHolder> holder = MakeOwned<TComponentHolder>(nullptr);
  holder->SetName("Holder");
  auto* repository = New<TdxScreenTipRepository>(holder.get());
  repository->SetName("Tips");
  repository->SetShowDescription(false);
  repository->StandardFooter()->SetText("Press F1");
  repository->HeaderFont()->SetSize(11);
  TdxScreenTip* tip = repository->Items()->Add();
  tip->Header()->SetText("Save");
  tip->Description()->SetText("Saves the file.");
  tip->Description()->SetTextAlign(stbtaLeft);
  tip->SetWidth(250);
  tip->SetUseStandardFooter(true);
  EXPECT_TRUE(repository->AssignedFonts().Contains(stbHeader));

  const std::string text = ComponentToText(holder.get());
  EXPECT_NE(text.find("AssignedFonts = [stbHeader]"), std::string::npos) << text;
  EXPECT_EQ(text.find("FooterFont"), std::string::npos) << "only assigned fonts are stored";
  auto read = MakeOwned<TComponentHolder>(nullptr);
  ReadComponentFromText(text, read.get());
  EXPECT_EQ(ComponentToText(read.get()), text);
  auto* readRepository = As<TdxScreenTipRepository>(read->FindComponent("Tips"));
  ASSERT_EQ(readRepository->Items()->Count(), 1);
  TdxScreenTip* readTip = readRepository->Items()->Items(0);
  EXPECT_EQ(readTip->Header()->Text(), "Save");
  EXPECT_EQ(readTip->Description()->TextAlign(), stbtaLeft);
  EXPECT_EQ(readTip->Width(), 250);
  EXPECT_TRUE(readTip->UseStandardFooter());
  EXPECT_FALSE(readRepository->ShowDescription());
  EXPECT_EQ(readRepository->StandardFooter()->Text(), "Press F1");
  EXPECT_EQ(readRepository->HeaderFont()->Size(), 11);
}

}  // namespace
