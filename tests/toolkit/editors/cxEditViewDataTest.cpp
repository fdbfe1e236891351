// The edit view data: buttons laid out from the last to the first in two groups, the buttons-only
// view and its stretching, button states from the mouse, border extents and colours, content
// offsets, sizes, and the themed branches of older and newer systems, without an editor; then with
// one: its constraints on the calculated size, its captured button and its popup border style.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/ThemeStandIn.h"
#include "tests/toolkit/editors/EditViewTestSupport.h"
#include "toolkit/base/dxOffice11.h"

CL_DEFINE_CLASS(TViewHandlers);

namespace {
struct TLayoutCase {
  const char* Name;
  std::vector<TButtonSetup> Buttons;
  int DisplayKind;  // 0 normal, 1 buttons only
  bool Inplace;
  RECT Bounds;
  std::vector<RECT> Expected;  // record bounds, in record order
  RECT Client;
};

// Stand-alone editors have a single border of 1 on every side.
const TLayoutCase LayoutCases[] = {
  {"three right-aligned: the third outermost",
   {{bkDown, 10}, {bkDown, 20}, {bkDown, 30}}, 0, false, {0, 0, 200, 22},
   {{139, 1, 149, 21}, {149, 1, 169, 21}, {169, 1, 199, 21}}, {1, 1, 139, 21}},
  {"both groups: the last of each outermost",
   {{bkDown, 10, true}, {bkDown, 20}, {bkDown, 30, true}}, 0, false, {0, 0, 200, 22},
   {{31, 1, 41, 21}, {179, 1, 199, 21}, {1, 1, 31, 21}}, {41, 1, 179, 21}},
  {"in place: no border",
   {{bkDown, 10}, {bkDown, 20, true}}, 0, true, {0, 0, 100, 20},
   {{90, 0, 100, 20}, {0, 0, 20, 20}}, {20, 0, 90, 20}},
  {"buttons only in place: 20 spare pixels, 15 to the second and 5 to the first",
   {{bkDown, 10}, {bkDown, 30}}, 1, true, {0, 0, 60, 20},
   {{0, 0, 15, 20}, {15, 0, 60, 20}}, {0, 0, 0, 20}},
  {"buttons only: a fixed button keeps its width",
   {{bkDown, 10, false, false}, {bkDown, 30}}, 1, true, {0, 0, 60, 20},
   {{0, 0, 10, 20}, {10, 0, 60, 20}}, {0, 0, 0, 20}},
  {"buttons only: without stretchable buttons all share",
   {{bkDown, 10, false, false}, {bkDown, 30, false, false}}, 1, true, {0, 0, 60, 20},
   {{0, 0, 20, 20}, {20, 0, 60, 20}}, {0, 0, 0, 20}},
  {"buttons only stand-alone, inside the border",
   {{bkDown, 10}, {bkDown, 30}}, 1, false, {0, 0, 62, 22},
   {{1, 1, 16, 21}, {16, 1, 61, 21}}, {1, 1, 1, 21}},
  {"open bounds do not stretch in place",
   {{bkDown, 10}, {bkDown, 30}}, 1, true, {0, 0, cxEditOpenBound, 20},
   {{cxEditOpenBound - 40, 0, cxEditOpenBound - 30, 20}, {cxEditOpenBound - 30, 0, cxEditOpenBound, 20}},
   {0, 0, cxEditOpenBound - 40, 20}},
  {"a button wider than the editor is cut, the next gets nothing",
   {{bkDown, 10}, {bkDown, 500}}, 0, false, {0, 0, 100, 22},
   {{0, 0, 0, 0}, {-401, 1, 99, 21}}, {1, 1, 1, 21}},
  {"empty bounds", {{bkDown, 10}}, 0, false, {0, 0, 0, 0}, {{0, 0, 0, 0}}, {1, 1, -1, -1}},
  {"negative size", {{bkDown, 10}}, 0, true, {10, 10, 0, 5}, {{0, 0, 0, 0}}, {10, 10, 0, 5}},
};

TEST(EditViewData, ButtonLayoutByGroupsAndTheButtonsOnlyView)
{
  for (const TLayoutCase& c : LayoutCases) {
    SCOPED_TRACE(c.Name);
    TEditViewWorld world;
    for (const TButtonSetup& setup : c.Buttons) world.Add(setup);
    world.Properties->SetButtonsDisplayKind(c.DisplayKind);
    auto viewData = world.ViewData(c.Inplace);
    auto viewInfo = world.Calculate(viewData.get(), c.Bounds);
    ASSERT_EQ(viewInfo->ButtonCount(), static_cast<int>(c.Expected.size()));
    for (int i = 0; i < viewInfo->ButtonCount(); ++i) {
      const RECT& b = viewInfo->Buttons(i)->Bounds;
      EXPECT_TRUE(RectIs(b, c.Expected[i].left, c.Expected[i].top, c.Expected[i].right, c.Expected[i].bottom))
          << "record " << i << ": " << RectText(b);
      EXPECT_EQ(viewInfo->Buttons(i)->ButtonIndex, i);
    }
    const RECT& client = viewInfo->ClientRect;
    EXPECT_TRUE(RectIs(client, c.Client.left, c.Client.top, c.Client.right, c.Client.bottom)) << RectText(client);
    // What is shown never leaves the bounds.
    for (const auto& button : viewInfo->ButtonViewInfos) {
      const RECT& v = button->VisibleBounds;
      if (v.right <= v.left) continue;
      EXPECT_GE(v.left, c.Bounds.left);
      EXPECT_LE(v.right, c.Bounds.right);
    }
  }
}

TEST(EditViewData, GroupEndsAndIndexesOfBothGroups)
{
  TEditViewWorld world;
  world.Add({bkDown, 10, true});
  world.Add({bkDown, 20});
  world.Add({bkDown, 30, true});
  world.Add({bkDown, 15});
  auto viewData = world.ViewData();
  auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 200, 22});
  EXPECT_EQ(viewData->LeftOuterButton, 2);
  EXPECT_EQ(viewData->LeftInnerButton, 0);
  EXPECT_EQ(viewData->RightOuterButton, 3);
  EXPECT_EQ(viewData->RightInnerButton, 1);
  struct {
    bool AtLeftEnd, AtRightEnd;
  } const ends[] = {{false, true}, {true, false}, {true, false}, {false, true}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(viewInfo->Buttons(i)->AtLeftEnd, ends[i].AtLeftEnd) << i;
    EXPECT_EQ(viewInfo->Buttons(i)->AtRightEnd, ends[i].AtRightEnd) << i;
  }
  // The border part runs between the inner ends.
  RECT part{};
  EXPECT_TRUE(viewInfo->GetPartRect(cxEditPartBorder, part));
  EXPECT_TRUE(RectIs(part, viewInfo->Buttons(0)->Bounds.right, 1, viewInfo->Buttons(1)->Bounds.left, 21))
      << RectText(part);
  // In the buttons-only view the inner ends stay unmarked while the other group has buttons, and
  // every button counts as right-aligned.
  world.Properties->SetButtonsDisplayKind(1);
  auto filling = world.ViewData();
  auto filled = world.Calculate(filling.get(), RECT{0, 0, 200, 22});
  EXPECT_FALSE(filled->Buttons(0)->AtRightEnd);
  EXPECT_FALSE(filled->Buttons(1)->AtLeftEnd);
  for (const auto& button : filled->ButtonViewInfos) EXPECT_FALSE(button->LeftAlignment);
}

TEST(EditViewData, ButtonWidths)
{
  const int scrollBar = GetSystemMetrics(SM_CYHSCROLL);
  struct {
    const char* Name;
    TButtonSetup Setup;
    int Expected;
  } const cases[] = {
    {"drop-down without width", {bkDown}, scrollBar},
    {"an empty text button", {bkText, 0, false, true, ""}, scrollBar},
    {"an explicit width", {bkEllipsis, 25}, 25},
    {"an explicit width below the margin", {bkEllipsis, 2}, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditViewWorld world;
    world.Add(c.Setup);
    auto viewData = world.ViewData();
    auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 200, 22});
    EXPECT_EQ(RectWidth(viewInfo->Buttons(0)->Bounds), c.Expected);
  }
  // A handler answers for buttons without a width.
  TEditViewWorld world;
  world.Add({bkDown});
  world.Add({bkDown, 12});
  auto viewData = world.ViewData();
  std::vector<int> asked;
  auto handlers = MakeOwned<TViewHandlers>();
  handlers->DefaultWidth = [&](int index, int& width) {
    asked.push_back(index);
    width = 33;
  };
  viewData->OnGetDefaultButtonWidth = {handlers.get(), &TViewHandlers::GetDefaultWidth};
  auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 200, 22});
  EXPECT_EQ(asked, std::vector<int>{0});
  EXPECT_EQ(RectWidth(viewInfo->Buttons(0)->Bounds), 33);
  EXPECT_EQ(RectWidth(viewInfo->Buttons(1)->Bounds), 12);
}

TEST(EditViewData, ButtonTransparencyHidesButtonsByFocusAndHotState)
{
  struct {
    TcxEditButtonTransparency Transparency;
    bool Focused, Hot;
    int Expected;
  } const cases[] = {
    {ebtHideUnselected, false, false, 0}, {ebtHideUnselected, false, true, 1}, {ebtHideUnselected, true, false, 1},
    {ebtHideInactive, false, true, 0},    {ebtHideInactive, true, false, 1},   {ebtNone, false, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.Transparency) << " focused " << c.Focused << " hot " << c.Hot);
    TEditViewWorld world;
    world.Add({bkDown, 15});
    world.Style->SetButtonTransparency(c.Transparency);
    auto viewData = world.ViewData();
    viewData->Focused = c.Focused;
    auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 100, 22}, c.Hot ? POINT{50, 10} : POINT{-1, -1});
    EXPECT_EQ(viewInfo->ButtonCount(), c.Expected);
  }
}

// A stand-alone editor with one right-aligned button at (84, 1, 99, 21).
TEST(EditViewData, ButtonStatesFromTheMouse)
{
  constexpr POINT over{90, 10}, elsewhere{40, 10};
  struct {
    const char* Name;
    POINT P;
    TShiftState Shift;
    bool PointerPressed;
    bool EditorEnabled, ButtonEnabled, Designing;
    TcxEditButtonState Previous;
    TcxEditButtonState Expected;
    bool PressedByMouse;
  } const cases[] = {
    {"over, no button held: hot", over, {}, false, true, true, false, ebsNormal, ebsHot, false},
    {"elsewhere: normal", elsewhere, {}, false, true, true, false, ebsNormal, ebsNormal, false},
    {"a left press on it: pressed", over, {ssLeft}, true, true, true, false, ebsNormal, ebsPressed, true},
    {"a double click on it: pressed", over, {ssLeft, ssDouble}, true, true, true, false, ebsNormal, ebsPressed, true},
    {"a right press: neither hot nor pressed", over, {ssRight}, true, true, true, false, ebsNormal, ebsNormal, false},
    {"still held after a press: pressed", over, {ssLeft}, false, true, true, false, ebsPressed, ebsPressed, true},
    {"held, moved in from elsewhere: normal", over, {ssLeft}, false, true, true, false, ebsNormal, ebsNormal, false},
    {"a disabled button", over, {}, false, true, false, false, ebsNormal, ebsDisabled, false},
    {"a disabled editor", over, {ssLeft}, true, false, true, false, ebsNormal, ebsDisabled, false},
    {"designing: normal", over, {ssLeft}, true, true, true, true, ebsNormal, ebsNormal, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditViewWorld world;
    world.Add({bkDown, 15})->SetEnabled(c.ButtonEnabled);
    auto viewData = world.ViewData();
    viewData->Enabled = c.EditorEnabled;
    viewData->IsDesigning = c.Designing;
    auto viewInfo = world.NewViewInfo();
    viewData->CalculateViewInfo(world.Surface.cxCanvas(), RECT{0, 0, 100, 22}, false, viewInfo.get(), {}, false,
                                POINT{-1, -1});
    viewInfo->Buttons(0)->State = c.Previous;
    viewData->CalculateViewInfo(world.Surface.cxCanvas(), RECT{0, 0, 100, 22}, false, viewInfo.get(), c.Shift,
                                c.PointerPressed, c.P);
    EXPECT_EQ(viewInfo->Buttons(0)->State, c.Expected);
    EXPECT_EQ(viewInfo->HotButtonIndex, c.Expected == ebsHot ? 0 : -1);
    EXPECT_EQ(viewInfo->PressedButtonIndex, c.Expected == ebsPressed ? 0 : -1);
    EXPECT_EQ(viewInfo->ButtonPressedByMouse, c.PressedByMouse);
  }
}

TEST(EditViewData, APressedButtonIsKeptWhileTheLeftButtonIsHeld)
{
  TEditViewWorld world;
  world.Add({bkDown, 15});
  auto viewData = world.ViewData();
  auto viewInfo = world.NewViewInfo();
  TcxCanvas* canvas = world.Surface.cxCanvas();
  viewData->CalculateViewInfo(canvas, RECT{0, 0, 100, 22}, false, viewInfo.get(), {ssLeft}, true, POINT{90, 10});
  ASSERT_EQ(viewInfo->PressedButtonIndex, 0);
  viewInfo->Buttons(0)->State = ebsNormal;  // as if a handler had let it go
  viewData->CalculateViewInfo(canvas, RECT{0, 0, 100, 22}, true, viewInfo.get(), {ssLeft}, false, POINT{90, 10});
  EXPECT_EQ(viewInfo->Buttons(0)->State, ebsPressed);
  viewInfo->Buttons(0)->State = ebsNormal;
  viewData->CalculateViewInfo(canvas, RECT{0, 0, 100, 22}, false, viewInfo.get(), {ssLeft}, false, POINT{90, 10});
  EXPECT_EQ(viewInfo->Buttons(0)->State, ebsNormal);
  // The view info's handler has the last word.
  auto handlers = MakeOwned<TViewHandlers>();
  handlers->StateCalculated = [](int, TcxEditButtonState& state) { state = ebsDisabled; };
  viewInfo->OnButtonStateCalculated = {handlers.get(), &TViewHandlers::ButtonStateCalculated};
  viewData->CalculateViewInfo(canvas, RECT{0, 0, 100, 22}, false, viewInfo.get(), {}, false, POINT{90, 10});
  EXPECT_EQ(viewInfo->Buttons(0)->State, ebsDisabled);
}

TEST(EditViewData, ContentOffsetsAddFourToTheHeightAndThreeToTheWidthStandAlone)
{
  TEditViewWorld world;
  struct {
    bool Inplace;
    RECT Offsets;
    SIZE Extra;
  } const cases[] = {{false, {1, 1, 1, 3}, {3, 4}}, {true, {1, 1, 1, 1}, {3, 2}}};
  for (const auto& c : cases) {
    auto viewData = world.ViewData(c.Inplace);
    const TcxEditContentOffsetBlock& block = viewData->ContentOffsetBlock;
    EXPECT_TRUE(RectIs(block.Offsets, c.Offsets.left, c.Offsets.top, c.Offsets.right, c.Offsets.bottom));
    EXPECT_EQ(block.Flags, cxEditContentOffsetsPressedShift);
    SIZE extra{};
    viewData->GetExtraHeight(extra);
    EXPECT_EQ(extra.cx, c.Extra.cx) << c.Inplace;
    EXPECT_EQ(extra.cy, c.Extra.cy) << c.Inplace;
    EXPECT_EQ(viewData->GetPaintOptions(), 0);
  }
}

TEST(EditViewData, BorderExtentsAndColours)
{
  const TColor office11Highlight = GetHighlightBorderColor(true);
  struct {
    const char* Name;
    TcxEditBorderStyle BorderStyle;
    bool Focused, Hot, HotTrack, Shadow, TransparentBorder;
    RECT Extent;
    TColor Color;  // clNone: the style's own border colour
  } const cases[] = {
    {"ultra-flat idle: single width, button shadow", ebsUltraFlat, false, false, true, false, false, {1, 1, 1, 1}, clBtnShadow},
    {"ultra-flat focused: the highlight", ebsUltraFlat, true, false, true, false, false, {1, 1, 1, 1}, clHighlight},
    {"ultra-flat hot with hot tracking", ebsUltraFlat, false, true, true, false, false, {1, 1, 1, 1}, clHighlight},
    {"ultra-flat hot without hot tracking", ebsUltraFlat, false, true, false, false, false, {1, 1, 1, 1}, clBtnShadow},
    {"Office 2003 focused", ebsOffice11, true, false, true, false, false, {1, 1, 1, 1}, office11Highlight},
    {"3-D: the style's colour", ebs3D, true, false, true, false, false, {2, 2, 2, 2}, clNone},
    {"thick with a shadow", ebsThick, false, false, true, true, false, {2, 2, 5, 5}, clNone},
    {"a transparent border", ebsSingle, false, false, true, false, true, {2, 2, 2, 2}, clNone},
    {"no border", ebsNone, false, false, true, false, false, {0, 0, 0, 0}, clNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditViewWorld world;
    world.Style->SetBorderStyle(c.BorderStyle);
    world.Style->SetBorderColor(clRed);
    world.Style->SetHotTrack(c.HotTrack);
    world.Style->SetShadow(c.Shadow);
    world.Style->SetTransparentBorder(c.TransparentBorder);
    auto viewData = world.ViewData();
    viewData->Focused = c.Focused;
    auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 100, 22}, c.Hot ? POINT{50, 10} : POINT{-1, -1});
    const RECT& e = viewInfo->BorderExtent;
    EXPECT_TRUE(RectIs(e, c.Extent.left, c.Extent.top, c.Extent.right, c.Extent.bottom)) << RectText(e);
    EXPECT_EQ(viewInfo->BorderColor, c.Color == clNone ? clRed : c.Color);
    EXPECT_TRUE(RectIs(viewInfo->BorderRect, e.left, e.top, 100 - e.right, 22 - e.bottom));
  }
  // Edges leave out the sides they do not list.
  TEditViewWorld world;
  world.Style->SetEdges(TcxBorders{TcxBorder::bLeft, TcxBorder::bBottom});
  world.Style->SetBorderStyle(ebs3D);
  auto viewData = world.ViewData();
  auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 100, 22});
  EXPECT_TRUE(RectIs(viewInfo->BorderExtent, 2, 0, 0, 2)) << RectText(viewInfo->BorderExtent);
}

TEST(EditViewData, DefaultButtonStylesAndPopupBorders)
{
  struct {
    bool Inplace;
    TcxEditBorderStyle Border;
    bool HotTrack;
    TcxLookAndFeelKind Kind;
    TcxEditButtonStyle Expected;
  } const cases[] = {
    {true, ebsSingle, true, lfFlat, btsFlat},         {true, ebsSingle, true, lfStandard, bts3D},
    {true, ebs3D, true, lfUltraFlat, btsUltraFlat},   {true, ebsNone, true, lfOffice11, btsOffice11},
    {false, ebsNone, false, lfUltraFlat, btsUltraFlat}, {false, ebsNone, true, lfUltraFlat, btsSimple},
    {false, ebsSingle, true, lfFlat, btsHotFlat},     {false, ebsThick, true, lfFlat, bts3D},
    {false, ebsFlat, true, lfStandard, btsFlat},      {false, ebs3D, true, lfFlat, bts3D},
    {false, ebsUltraFlat, true, lfFlat, btsUltraFlat}, {false, ebsOffice11, true, lfFlat, btsOffice11},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultEditButtonStyle(c.Inplace, c.Border, c.HotTrack, c.Kind), c.Expected)
        << c.Inplace << " " << static_cast<int>(c.Border) << " " << static_cast<int>(c.Kind);
    TEditViewWorld world;
    world.Style->SetBorderStyle(c.Border);
    world.Style->SetHotTrack(c.HotTrack);
    world.Style->LookAndFeel()->SetKind(c.Kind);
    EXPECT_EQ(world.ViewData(c.Inplace)->EffectiveButtonStyle(), c.Expected);
  }
  EXPECT_EQ(PopupBorderStyleOfKind(lfFlat), epbsFlat);
  EXPECT_EQ(PopupBorderStyleOfKind(lfStandard), epbsFrame3D);
  EXPECT_EQ(PopupBorderStyleOfKind(lfUltraFlat), epbsSingle);
  EXPECT_EQ(PopupBorderStyleOfKind(lfOffice11), epbsSingle);
  EXPECT_EQ(LookAndFeelKindOfButtonStyle(btsHotFlat), lfFlat);
  EXPECT_EQ(LookAndFeelKindOfButtonStyle(bts3D), lfStandard);
  EXPECT_EQ(LookAndFeelKindOfButtonStyle(btsOffice11), lfOffice11);
}

TEST(EditViewData, ButtonStateMapsToThePaintersStates)
{
  EXPECT_EQ(EditButtonStateToButtonState(ebsDisabled), cxbsDisabled);
  EXPECT_EQ(EditButtonStateToButtonState(ebsNormal), cxbsNormal);
  EXPECT_EQ(EditButtonStateToButtonState(ebsPressed), cxbsPressed);
  EXPECT_EQ(EditButtonStateToButtonState(ebsHot), cxbsHot);
}

// --- Sizes ---

TEST(EditViewData, EditorSizeForOpenBounds)
{
  TEditViewWorld world;
  world.Add({bkDown, 15});
  auto viewData = world.ViewData();
  SIZE size{}, extra{};
  viewData->CalculateSizeWithViewInfo(world.Surface.cxCanvas(), TcxEditSizeProperties{}, size, extra, nullptr);
  // The border on both sides and the button's width.
  EXPECT_EQ(size.cx, 2 + 15);
  EXPECT_EQ(size.cy, 2);
  EXPECT_EQ(extra.cy, 0);

  // A glyph taller than the room it has asks for extra height.
  TEditViewWorld glyphWorld;
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(8, 30);
  glyphWorld.Add({bkGlyph})->SetGlyph(glyph.get());
  glyphWorld.Style->SetButtonStyle(bts3D);
  auto glyphData = glyphWorld.ViewData();
  glyphData->CalculateSizeWithViewInfo(glyphWorld.Surface.cxCanvas(), TcxEditSizeProperties{}, size, extra, nullptr);
  // 30 + the border (1 + 1) + the 3-D frames (4), less the non-client height 2.
  EXPECT_EQ(extra.cy, 34);

  // The buttons-only view measures one text line plus the content offsets.
  world.Properties->SetButtonsDisplayKind(1);
  auto buttonsOnly = world.ViewData();
  SIZE edit{};
  buttonsOnly->CalculateEditSize(world.Surface.cxCanvas(), Variant(), edit, false, nullptr, TcxEditSizeProperties{});
  const int line = world.Surface.cxCanvas()->MeasureFontHeight(world.Style->GetEffectiveFont());
  EXPECT_EQ(edit.cy, 2 + line + 4);
}

TEST(EditViewData, UsesNativeEditStyleIsAClassOperation)
{
  TEditViewWorld world;
  TcxCustomEditViewDataClass viewDataClass = world.Properties->ViewDataClassType();
  EXPECT_EQ(viewDataClass.Class(), TcxCustomEditViewData::StaticClass());
  EXPECT_FALSE(viewDataClass->UsesNativeEditStyle(world.Style->LookAndFeel()));
  EXPECT_FALSE(viewDataClass->UsesNativeEditStyle(nullptr));
  world.Style->LookAndFeel()->SetNativeStyle(true);
  EXPECT_EQ(viewDataClass->UsesNativeEditStyle(world.Style->LookAndFeel()), AreThemesAvailable({TdxThemedObjectType::totEdit}));
  EXPECT_TRUE(world.Properties->CreateViewData(world.Style.get(), false, true)->ValueHidden);
}

// --- Themed branches of older and newer systems ---

TEST(EditViewData, SingleDropDownPartsOnNewerAndOlderSystems)
{
  TThemeStandIn themes;
  themes.ContentMargins[{L"Edit", 1}] = {false, RECT{2, 2, 2, 2}};
  struct {
    const char* Name;
    DWORD Major;
    bool Inplace, Left;
    int Part;
    int Right;  // of the button's bounds in (0, 0, 100, 22)
  } const cases[] = {
    {"Vista, stand-alone, right: part 6 up to the edge", 6, false, false, 6, 100},
    {"Vista, stand-alone, left: part 7", 6, false, true, 7, -1},
    {"Vista, in place: the plain button part", 6, true, false, 1, 100},
    {"XP, stand-alone: inside the theme's border", 5, false, false, 1, 98},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScopedWindowsVersion version(c.Major, 1);
    TEditViewWorld world;
    world.Style->LookAndFeel()->SetNativeStyle(true);
    world.Add({bkDown, 0, c.Left});
    auto viewData = world.ViewData(c.Inplace);
    ASSERT_TRUE(viewData->NativeStyle);
    auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 100, 22}, POINT{-1, -1});
    const TcxEditButtonViewInfo* button = viewInfo->Buttons(0);
    EXPECT_TRUE(button->SingleDropDown);
    EXPECT_EQ(button->ThemePart, c.Part);
    EXPECT_EQ(button->ThemeState, 1);
    if (c.Right >= 0) {
      EXPECT_EQ(button->Bounds.right, c.Right);
    }
  }
}

TEST(EditViewData, ADisabledThemedEditTakesTheThemesFillColour)
{
  TThemeStandIn themes;
  themes.Colors[{L"Edit", 3, 3802}] = {false, RGB(1, 2, 3)};
  themes.Colors[{L"Edit", 1, 3802}] = {false, RGB(4, 5, 6)};
  struct {
    DWORD Major;
    bool Enabled, ColorAssigned;
    TColor Expected;
  } const cases[] = {
    {6, false, false, static_cast<TColor>(RGB(1, 2, 3))},
    {5, false, false, static_cast<TColor>(RGB(4, 5, 6))},
    {6, true, false, clDefault},  // the style's colour
    {6, false, true, clYellow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Major << " enabled " << c.Enabled << " assigned " << c.ColorAssigned);
    TScopedWindowsVersion version(c.Major, 1);
    TEditViewWorld world;
    world.Style->LookAndFeel()->SetNativeStyle(true);
    if (c.ColorAssigned) world.Style->SetColor(clYellow);
    auto viewData = world.ViewData();
    viewData->Enabled = c.Enabled;
    auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 100, 22});
    EXPECT_EQ(viewInfo->BackgroundColor, c.Expected == clDefault ? world.Style->GetVisibleColor() : c.Expected);
    if (!c.Enabled) {
      EXPECT_EQ(viewInfo->NativeState, 4);
    }
  }
}
}  // namespace

// --- With an editor ---

namespace {
// A view data for an editor of 100 by 22 whose properties and style are the world's.
struct TEditorBench {
  TEditorBench()
  {
    Edit->SetBounds(0, 0, 100, 22);
    World.Add({bkDown, 15});
  }
  // The editor calculates with its own style for its state: it takes the world's settings first.
  TOwned<TcxCustomEditViewData> ViewData(bool inplace = false)
  {
    Edit->Style()->Assign(World.Style.get());
    TOwned<TcxCustomEditViewData> viewData = World.ViewData(inplace);
    viewData->Edit = Edit.get();
    return viewData;
  }
  TEditViewWorld World;
  TOwned<TcxCustomEdit> Edit = MakeOwned<TcxCustomEdit>(nullptr);
};

TEST(EditViewData, TheEditorsConstraintsLimitTheCalculatedSizeInOneFixedOrder)
{
  struct {
    int MinWidth, MaxWidth, MinHeight, MaxHeight;
    bool Inplace;
    SIZE Expected;  // without limits: the border and the button, 17 by 2
  } const cases[] = {
    {0, 0, 0, 0, false, {17, 2}},         {40, 0, 30, 0, false, {40, 30}},  {0, 10, 0, 1, false, {10, 1}},
    {300, 100, 50, 20, false, {300, 50}},  // a minimum above the maximum wins
    {40, 0, 30, 0, true, {15, 0}},         // in place the editor's constraints do not apply
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.MinWidth << " " << c.MaxWidth << " " << c.MinHeight << " " << c.MaxHeight);
    TEditorBench bench;
    TSizeConstraints* constraints = bench.Edit->Constraints();
    constraints->SetMinWidth(c.MinWidth);
    constraints->SetMaxWidth(c.MaxWidth);
    constraints->SetMinHeight(c.MinHeight);
    constraints->SetMaxHeight(c.MaxHeight);
    auto viewData = bench.ViewData(c.Inplace);
    SIZE size{};
    viewData->CalculateEditSize(bench.World.Surface.cxCanvas(), Variant(), size, false, nullptr, TcxEditSizeProperties{});
    EXPECT_EQ(size.cx, c.Expected.cx);
    EXPECT_EQ(size.cy, c.Expected.cy);
  }
}

TEST(EditViewData, AButtonPressedUnderTheEditorsCaptureStaysPressed)
{
  TEditorBench bench;
  auto viewData = bench.ViewData();
  auto viewInfo = bench.World.Calculate(viewData.get(), RECT{0, 0, 100, 22});
  const POINT over{90, 10};
  // Held with the left button and moved back over the button the editor captured it with.
  viewData->CalculateViewInfo(bench.World.Surface.cxCanvas(), RECT{0, 0, 100, 22}, false, viewInfo.get(), {ssLeft},
                              false, over);
  EXPECT_EQ(viewInfo->Buttons(0)->State, ebsNormal);
  bench.Edit->SetCapturedButtonIndex(0);
  viewInfo->Buttons(0)->State = ebsNormal;
  viewData->CalculateViewInfo(bench.World.Surface.cxCanvas(), RECT{0, 0, 100, 22}, false, viewInfo.get(), {ssLeft},
                              false, over);
  EXPECT_EQ(viewInfo->Buttons(0)->State, ebsPressed);
  EXPECT_TRUE(viewInfo->ButtonPressedByMouse);
  EXPECT_EQ(viewInfo->Edit, bench.Edit.get());
}

TEST(EditViewData, PopupBorderStylesOfAnEditor)
{
  struct {
    const char* Name;
    bool Inplace;
    TcxEditBorderStyle Border;
    TcxEditButtonStyle ButtonStyle;
    TcxLookAndFeelKind Kind;
    TcxEditPopupBorderStyle Assigned;
    TcxEditPopupBorderStyle Expected;
  } const cases[] = {
    {"assigned", false, ebsSingle, btsDefault, lfFlat, epbsFrame3D, epbsFrame3D},
    {"in place, flat kind", true, ebsSingle, btsDefault, lfFlat, epbsDefault, epbsFlat},
    {"in place, standard kind", true, ebsSingle, btsDefault, lfStandard, epbsDefault, epbsFrame3D},
    {"single border", false, ebsSingle, btsDefault, lfStandard, epbsDefault, epbsSingle},
    {"flat border", false, ebsFlat, btsDefault, lfStandard, epbsDefault, epbsFlat},
    {"no border: the button's look, 3-D", false, ebsNone, bts3D, lfFlat, epbsDefault, epbsFrame3D},
    {"no border: the button's look, hot-flat", false, ebsNone, btsHotFlat, lfStandard, epbsDefault, epbsFlat},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditorBench bench;
    bench.World.Style->SetBorderStyle(c.Border);
    bench.World.Style->SetButtonStyle(c.ButtonStyle);
    bench.World.Style->LookAndFeel()->SetKind(c.Kind);
    bench.World.Style->SetPopupBorderStyle(c.Assigned);
    auto viewData = bench.ViewData(c.Inplace);
    auto viewInfo = bench.World.Calculate(viewData.get(), RECT{0, 0, 100, 22});
    EXPECT_EQ(viewInfo->PopupBorderStyle, c.Expected);
  }
  // Without an editor the style's value stands.
  TEditViewWorld world;
  auto viewData = world.ViewData();
  EXPECT_EQ(world.Calculate(viewData.get(), RECT{0, 0, 100, 22})->PopupBorderStyle, epbsDefault);
}
}  // namespace
