// The edit view info: button frames and contents in every style and state (text-free pixel
// checks), themed buttons through the theme-recording stand-in, hit tests, hints, the invalidation
// of what changed in a real window, background kinds, bad bounds, and no GDI object left behind.
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include "classlib/Graphics.h"
#include "classlib/Hints.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/ThemeStandIn.h"
#include "tests/toolkit/editors/EditViewTestSupport.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
constexpr COLORREF Marker = RGB(1, 2, 3);

COLORREF Rgb(TColor color) { return ColorToRGB(color); }

// One right-aligned button of 17 pixels at (23, 0, 40, 20) (left-aligned: at (0, 0, 17, 20)) in a
// borderless stand-alone editor whose background is yellow.
struct TButtonBench {
  explicit TButtonBench(TcxEditButtonKind kind, TcxEditButtonStyle style) : World(60, 24)
  {
    World.Surface.Surface().Fill(Marker);
    World.Style->SetBorderStyle(ebsNone);
    World.Style->SetColor(clYellow);
    World.Style->SetButtonStyle(style);
    Button = World.Add({kind, 17});
  }
  // Paints the editor with its button in the state.
  TOwned<TcxCustomEditViewInfo> Paint(TcxEditButtonState state)
  {
    Button->SetEnabled(state != ebsDisabled);
    const bool over = state == ebsHot || state == ebsPressed;
    const POINT onButton = Button->LeftAlignment() ? POINT{8, 10} : POINT{30, 10};
    return World.Paint(Bounds, false, over ? onButton : POINT{-1, -1},
                       state == ebsPressed ? TShiftState{ssLeft} : TShiftState{}, state == ebsPressed);
  }
  COLORREF Pixel(int x, int y) { return World.Surface.Pixel(x, y); }
  // The smallest rectangle holding every pixel of the colour inside the area (by default the
  // content of a 3-D button, inside its frames).
  RECT BoxOf(TColor color, const RECT& area = RECT{25, 2, 38, 18})
  {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (Pixel(x, y) == Rgb(color)) box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                                                  std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    return box;
  }

  static constexpr RECT Bounds{0, 0, 40, 20};
  TEditViewWorld World;
  TcxEditButton* Button;
};

const char* StateName(TcxEditButtonState state)
{
  static const char* const names[] = {"disabled", "normal", "pressed", "hot"};
  return names[static_cast<int>(state)];
}

TEST(EditViewInfo, ThreeDimensionalFramesByState)
{
  for (TcxEditButtonState state : {ebsNormal, ebsHot, ebsPressed, ebsDisabled}) {
    SCOPED_TRACE(StateName(state));
    TButtonBench bench(bkEllipsis, bts3D);
    auto viewInfo = bench.Paint(state);
    ASSERT_EQ(viewInfo->Buttons(0)->State, state);
    if (state == ebsPressed) {
      EXPECT_EQ(bench.Pixel(23, 0), Rgb(clBtnShadow));
      EXPECT_EQ(bench.Pixel(39, 19), Rgb(clBtnShadow));
      EXPECT_EQ(bench.Pixel(24, 1), Rgb(clBtnFace));
    } else {
      EXPECT_EQ(bench.Pixel(23, 0), Rgb(cl3DLight));
      EXPECT_EQ(bench.Pixel(39, 19), Rgb(cl3DDkShadow));
      EXPECT_EQ(bench.Pixel(24, 1), Rgb(clBtnHighlight));
      EXPECT_EQ(bench.Pixel(38, 18), Rgb(clBtnShadow));
    }
    EXPECT_EQ(bench.Pixel(25, 3), Rgb(clBtnFace));
    // The editor's background left of the button, nothing beyond the bounds.
    EXPECT_EQ(bench.Pixel(10, 10), Rgb(clYellow));
    EXPECT_EQ(bench.Pixel(45, 10), Marker);
    EXPECT_EQ(bench.Pixel(10, 21), Marker);
  }
}

// The content of a 3-D button is (25, 2, 38, 18): wider than 11, so the dots are 2 pixels.
TEST(EditViewInfo, EllipsisDotsAndTheirEmbossedDisabledForm)
{
  const RECT strip{26, 9, 37, 12};
  struct {
    TcxEditButtonState State;
    TColor Color;
    std::vector<std::string> Picture;
  } const cases[] = {
    {ebsNormal, clBtnText, {"##..##..##.", "##..##..##.", "..........."}},
    {ebsHot, clBtnText, {"##..##..##.", "##..##..##.", "..........."}},
    {ebsPressed, clBtnText, {"...........", ".##..##..##", ".##..##..##"}},
    {ebsDisabled, clBtnShadow, {"##..##..##.", "##..##..##.", "..........."}},
    {ebsDisabled, clBtnHighlight, {"...........", "..#...#...#", ".##..##..##"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StateName(c.State));
    TButtonBench bench(bkEllipsis, bts3D);
    bench.Paint(c.State);
    EXPECT_EQ(bench.World.Surface.Picture(strip, Rgb(c.Color)), c.Picture);
  }
}

TEST(EditViewInfo, DropDownArrowMovesWhenPressedAndIsEmbossedWhenDisabled)
{
  TButtonBench normal(bkDown, bts3D);
  normal.Paint(ebsNormal);
  const RECT arrow = normal.BoxOf(clBtnText);
  ASSERT_LT(arrow.left, arrow.right);
  EXPECT_GE(arrow.bottom - arrow.top, 2);
  // Centred in the button.
  EXPECT_LE(std::abs((arrow.left + arrow.right) - (23 + 40)), 1);

  TButtonBench pressed(bkDown, bts3D);
  pressed.Paint(ebsPressed);
  const RECT moved = pressed.BoxOf(clBtnText);
  EXPECT_EQ(moved.left, arrow.left + 1);
  EXPECT_EQ(moved.top, arrow.top + 1);

  TButtonBench disabled(bkDown, bts3D);
  disabled.Paint(ebsDisabled);
  const RECT shadow = disabled.BoxOf(clBtnShadow);
  EXPECT_EQ(disabled.BoxOf(clBtnText).left, INT_MAX);
  // The shadow arrow sits where the arrow is; its highlight copy one pixel right and down shows
  // below and right of it.
  EXPECT_GE(shadow.top, arrow.top);
  EXPECT_LE(shadow.bottom, arrow.bottom);
  EXPECT_EQ(disabled.Pixel(shadow.right, shadow.top + 1), Rgb(clBtnHighlight));
}

// The frame of every button style in every state, sampled on the button's two outer columns on
// each side, its top row and its face (a flat frame has a face-coloured line outside it on the left
// and inside it on the right); the ellipsis dots lie elsewhere. The button is
// the only one of the right group, so it faces the text; the editor has no border, so ultra-flat
// buttons draw a full frame. With the visual style asked for but the button and combo-box themes
// refused, the same frames are drawn.
TEST(EditViewInfo, FramesOfEveryButtonStyleInEveryState)
{
  const TColor ultraHot = GetPainterButtonColor(false, false), ultraPressed = GetPainterButtonColor(true, false);
  const TColor officeNormal = PainterButtonFaceColor(cpsOffice11, cxbsNormal);
  const TColor officeHot = GetPainterButtonColor(false, true), officePressed = GetPainterButtonColor(true, true);
  const TColor officeLine = GetHighlightBorderColor(true);
  struct {
    TcxEditButtonStyle Style;
    TcxEditButtonState State;
    TColor Column23, Column24, Column38, Column39, Top, Face;
  } const cases[] = {
    {bts3D, ebsNormal, cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow, cl3DLight, clBtnFace},
    {bts3D, ebsHot, cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow, cl3DLight, clBtnFace},
    {bts3D, ebsPressed, clBtnShadow, clBtnFace, clBtnFace, clBtnShadow, clBtnShadow, clBtnFace},
    {bts3D, ebsDisabled, cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow, cl3DLight, clBtnFace},
    {btsFlat, ebsNormal, clBtnFace, clBtnHighlight, clBtnFace, clBtnShadow, clBtnHighlight, clBtnFace},
    {btsFlat, ebsHot, clBtnFace, clBtnHighlight, clBtnFace, clBtnShadow, clBtnHighlight, clBtnFace},
    {btsFlat, ebsPressed, clBtnFace, clBtnShadow, clBtnFace, clBtnHighlight, clBtnShadow, clBtnFace},
    {btsFlat, ebsDisabled, clBtnFace, clBtnHighlight, clBtnFace, clBtnShadow, clBtnHighlight, clBtnFace},
    // A simple button is framed in the editor's background, and turns flat while hot or pressed.
    {btsSimple, ebsNormal, clYellow, clBtnFace, clBtnFace, clYellow, clYellow, clBtnFace},
    {btsSimple, ebsHot, clBtnFace, clBtnHighlight, clBtnFace, clBtnShadow, clBtnHighlight, clBtnFace},
    {btsSimple, ebsPressed, clBtnFace, clBtnShadow, clBtnFace, clBtnHighlight, clBtnShadow, clBtnFace},
    {btsSimple, ebsDisabled, clYellow, clBtnFace, clBtnFace, clYellow, clYellow, clBtnFace},
    // Facing the text, a hot-flat button has a full shadow frame; its face darkens by state.
    {btsHotFlat, ebsNormal, clBtnShadow, clBtnFace, clBtnFace, clBtnShadow, clBtnShadow, clBtnFace},
    {btsHotFlat, ebsHot, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow},
    {btsHotFlat, ebsPressed, clBtnShadow, clBtnText, clBtnText, clBtnShadow, clBtnShadow, clBtnText},
    {btsHotFlat, ebsDisabled, clBtnShadow, clBtnFace, clBtnFace, clBtnShadow, clBtnShadow, clBtnFace},
    // Without a border, an ultra-flat button is framed in the highlight while hot or pressed, else
    // in the editor's background.
    {btsUltraFlat, ebsNormal, clYellow, clBtnFace, clBtnFace, clYellow, clYellow, clBtnFace},
    {btsUltraFlat, ebsHot, clHighlight, ultraHot, ultraHot, clHighlight, clHighlight, ultraHot},
    {btsUltraFlat, ebsPressed, clHighlight, ultraPressed, ultraPressed, clHighlight, clHighlight, ultraPressed},
    {btsUltraFlat, ebsDisabled, clYellow, clBtnFace, clBtnFace, clYellow, clYellow, clBtnFace},
    {btsOffice11, ebsNormal, clYellow, officeNormal, officeNormal, clYellow, clYellow, officeNormal},
    {btsOffice11, ebsHot, officeLine, officeHot, officeHot, officeLine, officeLine, officeHot},
    {btsOffice11, ebsPressed, officeLine, officePressed, officePressed, officeLine, officeLine, officePressed},
    {btsOffice11, ebsDisabled, clYellow, clBtnFace, clBtnFace, clYellow, clYellow, clBtnFace},
  };
  for (const bool themesRefused : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(c.Style) << ", " << StateName(c.State)
                                      << (themesRefused ? ", themes refused" : ""));
      std::optional<TThemeStandIn> themes;
      TButtonBench bench(bkEllipsis, c.Style);
      if (themesRefused) {
        themes.emplace();
        themes->Refuse(L"Button");
        themes->Refuse(L"ComboBox");
        bench.World.Style->LookAndFeel()->SetNativeStyle(true);
      }
      auto viewInfo = bench.Paint(c.State);
      ASSERT_EQ(viewInfo->Buttons(0)->State, c.State);
      EXPECT_EQ(viewInfo->Buttons(0)->ThemePart, 0);
      EXPECT_EQ(bench.Pixel(23, 10), Rgb(c.Column23));
      EXPECT_EQ(bench.Pixel(24, 10), Rgb(c.Column24));
      EXPECT_EQ(bench.Pixel(38, 10), Rgb(c.Column38));
      EXPECT_EQ(bench.Pixel(39, 10), Rgb(c.Column39));
      EXPECT_EQ(bench.Pixel(30, 0), Rgb(c.Top));
      EXPECT_EQ(bench.Pixel(30, 4), Rgb(c.Face));
      EXPECT_EQ(bench.Pixel(45, 10), Marker);
    }
  }
}

TEST(EditViewInfo, ThemedButtonsDrawThroughTheThemeOrFallBackToFrames)
{
  struct {
    TcxEditButtonState State;
    int ThemeState;
  } const cases[] = {{ebsNormal, 1}, {ebsHot, 2}, {ebsPressed, 3}, {ebsDisabled, 4}};
  // Every button style gives way to the theme.
  for (const TcxEditButtonStyle style : {bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11})
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(style) << ", " << StateName(c.State));
    TThemeStandIn themes;
    TButtonBench bench(bkEllipsis, style);
    bench.World.Style->LookAndFeel()->SetNativeStyle(true);
    auto viewInfo = bench.Paint(c.State);
    ASSERT_TRUE(viewInfo->NativeStyle);
    const auto backgrounds = themes.Of("Background");
    const auto button = std::find_if(backgrounds.begin(), backgrounds.end(),
                                     [](const TThemeStandIn::TCall& call) { return call.Class == L"Button"; });
    ASSERT_NE(button, backgrounds.end());
    EXPECT_EQ(button->Part, 1);
    EXPECT_EQ(button->State, c.ThemeState);
    EXPECT_TRUE(RectIs(button->Rect, 23, 0, 40, 20)) << RectText(button->Rect);
  }
  // A single drop-down button is the combo box's part, with no arrow of its own.
  {
    TThemeStandIn themes;
    TButtonBench bench(bkDown, bts3D);
    bench.World.Style->LookAndFeel()->SetNativeStyle(true);
    bench.Paint(ebsHot);
    const auto backgrounds = themes.Of("Background");
    ASSERT_FALSE(backgrounds.empty());
    EXPECT_EQ(backgrounds.back().Class, L"ComboBox");
    EXPECT_EQ(backgrounds.back().State, 2);
  }
  // Without the button theme the button is drawn in its style.
  TThemeStandIn themes;
  themes.Refuse(L"Button");
  TButtonBench bench(bkEllipsis, bts3D);
  bench.World.Style->LookAndFeel()->SetNativeStyle(true);
  auto viewInfo = bench.Paint(ebsNormal);
  EXPECT_EQ(viewInfo->Buttons(0)->ThemePart, 0);
  EXPECT_EQ(bench.Pixel(23, 0), Rgb(cl3DLight));
  for (const auto& call : themes.Of("Background")) EXPECT_NE(call.Class, L"Button");
}

// A skin painter that records the editor buttons it is asked to draw and fills them in fuchsia,
// with border widths and colours of its own.
class TEditTestSkinPainter : public TcxStandardLookAndFeelPainter {
  CL_CLASS(TEditTestSkinPainter, TcxStandardLookAndFeelPainter)
public:
  struct TCall {
    RECT Rect;
    int Position;
    TcxButtonState State;
    int Kind;
  };
  static constexpr const char* Name = "EditTestSkin";
  std::string GetPainterName() const override { return Name; }
  TcxPainterStyle PainterStyle() const override { return cpsSkin; }
  void DrawEditorButtonOfKind(TcxCanvas* Canvas, const RECT& R, int Position, TcxButtonState State,
                              int Kind) const override
  {
    Calls.push_back({R, Position, State, Kind});
    Canvas->FillRectWithColor(R, clFuchsia);
  }
  TColor ContainerBorderColorEx(bool IsHighlighted) const override { return IsHighlighted ? clLime : clMaroon; }
  int ContainerBorderWidth(TcxContainerBorderStyle) const override { return 3; }
  TColor EditorButtonTextColor() const override { return clTeal; }
  mutable std::vector<TCall> Calls;
};

// The skin painter registered for the scope.
struct TEditTestSkin {
  TEditTestSkin()
  {
    auto painter = MakeOwned<TEditTestSkinPainter>();
    Painter = painter.get();
    cxLookAndFeelPaintersManager()->Register(std::move(painter));
  }
  ~TEditTestSkin() { cxLookAndFeelPaintersManager()->Unregister(TEditTestSkinPainter::Name); }
  TEditTestSkinPainter* Painter;
};
CL_DEFINE_CLASS(TEditTestSkinPainter);

// Under a skin the border takes the painter's width and colours, and each button is the painter's
// editor button of its kind, state and side, with no frame of the button style.
TEST(EditViewInfo, SkinnedEditorsDrawThroughTheSkinPainter)
{
  TEditTestSkin skin;
  const auto skinned = [](TEditViewWorld& world) {
    world.Style->LookAndFeel()->SetSkinName(TEditTestSkinPainter::Name);
    world.Style->SetButtonStyle(bts3D);
  };
  {
    TEditViewWorld world;
    skinned(world);
    world.Add({bkText, 20, false, true, "Go"});
    auto viewData = world.ViewData();
    auto idle = world.Calculate(viewData.get(), RECT{0, 0, 100, 22});
    ASSERT_TRUE(idle->IsSkinned);
    EXPECT_TRUE(RectIs(idle->BorderRect, 3, 3, 97, 19)) << RectText(idle->BorderRect);
    EXPECT_EQ(idle->BorderColor, clMaroon);
    EXPECT_TRUE(idle->Buttons(0)->SkinPainted);
    EXPECT_TRUE(idle->Buttons(0)->BackgroundShowsThrough);
    EXPECT_EQ(idle->Buttons(0)->TextColor, clTeal);
    viewData->Focused = true;
    EXPECT_EQ(world.Calculate(viewData.get(), RECT{0, 0, 100, 22})->BorderColor, clLime);
  }
  struct {
    TcxEditButtonKind Kind;
    bool Left;
    TcxEditButtonState State;
    int PainterKind, Position;
    TcxButtonState PainterState;
  } const cases[] = {
    {bkDown, false, ebsNormal, 1, 1, cxbsNormal},         {bkDown, true, ebsHot, 1, 0, cxbsHot},
    {bkEllipsis, false, ebsPressed, 3, 1, cxbsPressed},   {bkEllipsis, false, ebsDisabled, 3, 1, cxbsDisabled},
    {bkGlyph, true, ebsNormal, 2, 0, cxbsNormal},         {bkText, false, ebsHot, 2, 1, cxbsHot},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.Kind) << ", " << StateName(c.State));
    skin.Painter->Calls.clear();
    TButtonBench bench(c.Kind, bts3D);
    skinned(bench.World);
    bench.Button->SetLeftAlignment(c.Left);
    auto viewInfo = bench.Paint(c.State);
    ASSERT_EQ(viewInfo->Buttons(0)->State, c.State);
    ASSERT_EQ(skin.Painter->Calls.size(), 1u);
    const auto& call = skin.Painter->Calls[0];
    const RECT& bounds = viewInfo->Buttons(0)->Bounds;
    EXPECT_TRUE(EqualRect(&call.Rect, &bounds)) << RectText(call.Rect);
    EXPECT_EQ(call.Kind, c.PainterKind);
    EXPECT_EQ(call.Position, c.Position);
    EXPECT_EQ(call.State, c.PainterState);
    // No 3-D frame and, for the drop-down and ellipsis kinds, nothing on the painter's button.
    EXPECT_EQ(bench.Pixel(bounds.left, 10), Rgb(clFuchsia));
    if (c.Kind == bkDown || c.Kind == bkEllipsis) {
      EXPECT_EQ(bench.Pixel((bounds.left + bounds.right) / 2, 10), Rgb(clFuchsia));
    }
  }
}

// The themed background of an edit of (0, 0, 40, 20) in each mode, on newer and older systems: the
// theme part and rectangle drawn, with the content left out of it and then filled (the fill is
// yellow, the surface starts as the marker).
TEST(EditViewInfo, ThemedEditBackgroundsOnNewerAndOlderSystems)
{
  struct {
    const char* Name;
    DWORD Major;
    bool Inplace;
    TcxEditBorderStyle Border;
    TcxEditBackgroundMode Mode;
    const wchar_t* Class;  // nullptr: no theme background
    int Part;
    RECT ThemeRect;
    RECT Content;  // filled in yellow; empty: nothing filled
  } const cases[] = {
    {"Vista: the border part around a content 2 pixels in", 6, false, ebsSingle, 0, L"Edit", 6, {0, 0, 40, 20},
     {2, 2, 38, 18}},
    {"XP: the text part around the theme's content", 5, false, ebsSingle, 0, L"Edit", 1, {0, 0, 40, 20},
     {1, 1, 39, 19}},
    {"a narrower content", 6, false, ebsSingle, 1, L"Edit", 6, {0, 0, 40, 20}, {3, 3, 36, 17}},
    {"Vista: a drop-down combination is the push button", 6, false, ebsSingle, 2, L"Button", 1, {-1, -1, 41, 21},
     {}},
    {"in place: no theme, all filled", 6, true, ebsSingle, 0, nullptr, 0, {}, {0, 0, 40, 20}},
    {"no border: no theme, all filled", 6, false, ebsNone, 0, nullptr, 0, {}, {0, 0, 40, 20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScopedWindowsVersion version(c.Major, 1);
    TThemeStandIn themes;
    themes.ContentMargins[{L"Edit", 1}] = {false, RECT{1, 1, 1, 1}};
    TEditViewWorld world(60, 24);
    world.Surface.Surface().Fill(Marker);
    world.Style->LookAndFeel()->SetNativeStyle(true);
    world.Style->SetBorderStyle(c.Border);
    auto viewData = world.ViewData(c.Inplace);
    auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 40, 20});
    ASSERT_TRUE(viewInfo->NativeStyle);
    themes.Calls.clear();
    viewInfo->DrawEditBackground(world.Surface.cxCanvas(), true, CachedSolidBrush(clYellow), c.Mode);
    const auto backgrounds = themes.Of("Background");
    if (!c.Class) {
      EXPECT_TRUE(backgrounds.empty());
    } else {
      ASSERT_EQ(backgrounds.size(), 1u);
      EXPECT_EQ(backgrounds[0].Class, c.Class);
      EXPECT_EQ(backgrounds[0].Part, c.Part);
      EXPECT_EQ(backgrounds[0].State, viewInfo->NativeState);
      EXPECT_TRUE(EqualRect(&backgrounds[0].Rect, &c.ThemeRect)) << RectText(backgrounds[0].Rect);
    }
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 60; ++x) {
        const bool filled = IsPointInRect(POINT{x, y}, c.Content);
        if (filled) {
          ASSERT_EQ(world.Surface.Pixel(x, y), Rgb(clYellow)) << x << ", " << y;
        } else if (x >= 41 || y >= 21) {
          ASSERT_EQ(world.Surface.Pixel(x, y), Marker) << x << ", " << y;
        } else if (c.Class) {
          ASSERT_NE(world.Surface.Pixel(x, y), Rgb(clYellow)) << x << ", " << y;
        }
      }
  }
}

// A hot or pressed hot-flat text button shows its caption in the editor's background colour on its
// dark face; drawn through the theme, whose face is light, the caption keeps the text colour. The
// text is smoothed, so its pixels are told by their strongest channel.
TEST(EditViewInfo, HotFlatCaptionsOnTheirOwnAndOnThemedFaces)
{
  // Pixels of the content whose channel (0 red, 1 green) stands above both others.
  const auto tinted = [](TButtonBench& bench, int channel) {
    int count = 0;
    for (int y = 1; y < 19; ++y)
      for (int x = 24; x < 39; ++x) {
        const COLORREF c = bench.Pixel(x, y);
        const int rgb[] = {GetRValue(c), GetGValue(c), GetBValue(c)};
        if (rgb[channel] > rgb[(channel + 1) % 3] + 48 && rgb[channel] > rgb[(channel + 2) % 3] + 48) ++count;
      }
    return count;
  };
  for (const bool themed : {false, true}) {
    SCOPED_TRACE(themed ? "themed" : "not themed");
    std::optional<TThemeStandIn> themes;
    if (themed) themes.emplace();
    TButtonBench bench(bkText, btsHotFlat);
    bench.Button->SetCaption("WW");
    bench.Button->SetTextColor(clRed);
    bench.World.Style->SetColor(clLime);
    bench.World.Style->LookAndFeel()->SetNativeStyle(themed);
    auto viewInfo = bench.Paint(ebsHot);
    ASSERT_EQ(viewInfo->Buttons(0)->ThemeState != 0, themed);
    EXPECT_EQ(tinted(bench, 0) > 0, themed);
    EXPECT_EQ(tinted(bench, 1) > 0, !themed);
  }
}

TEST(EditViewInfo, PartsAtPoints)
{
  TEditViewWorld world;
  world.Add({bkDown, 15});
  world.Add({bkDown, 10, true});
  auto viewData = world.ViewData();
  auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 100, 22});
  // Border rect (1, 1, 99, 21); buttons (84, 1, 99, 21) and (1, 1, 11, 21).
  struct {
    POINT P;
    int Part;
  } const cases[] = {
    {{90, 10}, 0},  {{84, 1}, 0},   {{98, 20}, 0},  {{5, 5}, 1},      {{83, 10}, cxEditPartBorder},
    {{11, 10}, cxEditPartBorder}, {{0, 10}, cxEditPartNone}, {{99, 10}, cxEditPartNone},
    {{50, 21}, cxEditPartNone},   {{-5, 30}, cxEditPartNone},
  };
  for (const auto& c : cases) EXPECT_EQ(viewInfo->GetPartAt(c.P), c.Part) << c.P.x << ", " << c.P.y;
  RECT r{};
  EXPECT_TRUE(viewInfo->GetPartRect(0, r));
  EXPECT_TRUE(RectIs(r, 84, 1, 99, 21));
  EXPECT_FALSE(viewInfo->GetPartRect(cxEditPartNone, r));
  // Hot-track points and hints count from the view info's origin.
  viewInfo->Origin = POINT{100, 50};
  EXPECT_TRUE(viewInfo->IsHotTrackPoint(POINT{190, 60}));
  EXPECT_FALSE(viewInfo->IsHotTrackPoint(POINT{90, 10}));
}

class THintWindowOfTest : public THintWindow {
  CL_CLASS(THintWindowOfTest, THintWindow)
public:
  using THintWindow::THintWindow;
};
CL_DEFINE_CLASS(THintWindowOfTest);

TEST(EditViewInfo, ButtonHintsAreMeasuredByOneSharedHintWindow)
{
  TEditViewWorld world;
  world.Add({bkDown, 15})->SetHint("Open|Opens the file");
  auto viewData = world.ViewData();
  auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 100, 22});
  EXPECT_EQ(viewInfo->GetHintText(POINT{90, 10}), "Open");
  EXPECT_EQ(viewInfo->GetHintText(POINT{50, 10}), "");
  RECT rect{};
  bool multiLine = true;
  std::string text;
  const POINT cursor = ReadCursorPos();
  ASSERT_TRUE(viewInfo->GetHintAt(POINT{90, 10}, rect, multiLine, text));
  EXPECT_EQ(text, "Open");
  EXPECT_FALSE(multiLine);
  EXPECT_EQ(rect.left, cursor.x);
  EXPECT_EQ(rect.top, cursor.y + GetSystemMetrics(SM_CYCURSOR));
  EXPECT_GT(RectWidth(rect), 0);
  EXPECT_FALSE(viewInfo->GetHintAt(POINT{50, 10}, rect, multiLine, text));
  EXPECT_TRUE(text.empty());

  THintWindow* shared = EditHintMeasuringWindow();
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(EditHintMeasuringWindow(), shared);
  {
    TScopedSeam hintClass(HintWindowClass, THintWindowOfTest::StaticClass());
    THintWindow* other = EditHintMeasuringWindow();
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->ClassType(), THintWindowOfTest::StaticClass());
  }
  EXPECT_EQ(EditHintMeasuringWindow()->ClassType(), THintWindow::StaticClass());
}

// --- Invalidation in a real window ---

class TInvalidationWindow {
public:
  TInvalidationWindow()
      : FWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 80, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr))
  {
    UpdateWindow(FWindow);
    HandleWaitingMessages();
  }
  ~TInvalidationWindow() { DestroyWindow(FWindow); }
  TInvalidationWindow(const TInvalidationWindow&) = delete;
  TInvalidationWindow& operator=(const TInvalidationWindow&) = delete;
  HWND Handle() const { return FWindow; }
  void Validate() { ValidateRect(FWindow, nullptr); }
  // The region waiting to be painted.
  TOwned<TcxRegion> UpdateRegion() const
  {
    auto region = MakeOwned<TcxRegion>();
    GetUpdateRgn(FWindow, region->Handle(), FALSE);
    return region;
  }

private:
  HWND FWindow;
};

// Bounds (10, 5, 110, 27), border (11, 6, 109, 26), buttons (70, 6, 89, 26) and (89, 6, 109, 26).
TOwned<TcxCustomEditViewInfo> InvalidationViewInfo()
{
  auto viewInfo = MakeOwned<TcxCustomEditViewInfo>();
  viewInfo->Bounds = RECT{10, 5, 110, 27};
  viewInfo->BorderRect = RECT{11, 6, 109, 26};
  viewInfo->EditBorderStyle = ebsSingle;
  viewInfo->BackgroundColor = clWindow;
  viewInfo->BorderColor = clBlack;
  viewInfo->SetButtonCount(2);
  viewInfo->Buttons(0)->Bounds = RECT{70, 6, 89, 26};
  viewInfo->Buttons(1)->Bounds = RECT{89, 6, 109, 26};
  return viewInfo;
}

TOwned<TcxRegion> RegionOf(std::initializer_list<RECT> add, std::initializer_list<RECT> subtract = {})
{
  auto region = MakeOwned<TcxRegion>();
  for (const RECT& r : add) region->CombineWith(MakeOwned<TcxRegion>(r), roAdd);
  for (const RECT& r : subtract) region->CombineWith(MakeOwned<TcxRegion>(r), roSubtract);
  return region;
}

TEST(EditViewInfo, InvalidatesOnlyWhatChanged)
{
  TInvalidationWindow window;
  const RECT bounds{10, 5, 110, 27}, inner{20, 8, 60, 24};
  struct TCase {
    const char* Name;
    void (*Change)(TcxCustomEditViewInfo* Current);
    bool WithPrevious;
    RECT Inner;
    bool Expected;
    TOwned<TcxRegion> Region;
  };
  TCase cases[] = {
    {"nothing changed", [](TcxCustomEditViewInfo*) {}, true, inner, false, RegionOf({})},
    {"a button's state: that button alone",
     [](TcxCustomEditViewInfo* v) { v->Buttons(1)->State = ebsHot; }, true, inner, true, RegionOf({{89, 6, 109, 26}})},
    {"the background colour: all but the inner control",
     [](TcxCustomEditViewInfo* v) { v->BackgroundColor = clYellow; }, true, inner, true, RegionOf({bounds}, {inner})},
    {"the background colour without an inner area: everything",
     [](TcxCustomEditViewInfo* v) { v->BackgroundColor = clYellow; }, true, RECT{}, true, RegionOf({bounds})},
    {"the state: all but the inner control",
     [](TcxCustomEditViewInfo* v) { v->ContainerState = TcxContainerState{TcxContainerStateFlag::csHotTrack}; },
     true, inner, true, RegionOf({bounds}, {inner})},
    {"the border colour: the border alone",
     [](TcxCustomEditViewInfo* v) { v->BorderColor = clRed; }, true, inner, true,
     RegionOf({bounds}, {{11, 6, 109, 26}})},
    {"no previous view info: all but the inner control", [](TcxCustomEditViewInfo*) {}, false, inner, false,
     RegionOf({bounds}, {inner})},
    {"empty bounds: nothing beyond the buttons",
     [](TcxCustomEditViewInfo* v) {
       v->Bounds = RECT{};
       v->BackgroundColor = clYellow;
       v->Buttons(0)->State = ebsPressed;
     },
     true, inner, true, RegionOf({{70, 6, 89, 26}})},
    {"an origin moves everything",
     [](TcxCustomEditViewInfo* v) {
       v->Origin = POINT{5, 7};
       v->Buttons(0)->State = ebsPressed;
     },
     true, inner, true, RegionOf({{75, 13, 94, 33}})},
  };
  for (TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto previous = InvalidationViewInfo();
    auto current = InvalidationViewInfo();
    c.Change(current.get());
    window.Validate();
    EXPECT_EQ(current->InvalidateChangedParts(window.Handle(), c.Inner, c.WithPrevious ? previous.get() : nullptr),
              c.Expected);
    auto region = window.UpdateRegion();
    EXPECT_TRUE(region->SameAs(c.Region.get())) << RectText(region->BoundsRect());
  }
  // Without a border its colour does not count.
  auto previous = InvalidationViewInfo();
  auto current = InvalidationViewInfo();
  previous->EditBorderStyle = current->EditBorderStyle = ebsNone;
  current->BorderColor = clRed;
  window.Validate();
  EXPECT_FALSE(current->InvalidateChangedParts(window.Handle(), inner, previous.get()));
  EXPECT_TRUE(window.UpdateRegion()->IsEmptyRegion());
  // Without a window nothing is done.
  current->BackgroundColor = clYellow;
  EXPECT_FALSE(current->InvalidateChangedParts(nullptr, RECT{}, previous.get()));
  // InvalidateChanges keeps nothing back.
  window.Validate();
  current->InvalidateChanges(window.Handle(), previous.get());
  EXPECT_TRUE(window.UpdateRegion()->SameAs(RegionOf({bounds}).get()));
}

TEST(EditViewInfo, UpdateRegionsAndCopies)
{
  auto previous = InvalidationViewInfo();
  auto current = InvalidationViewInfo();
  current->Buttons(0)->State = ebsHot;
  EXPECT_TRUE(current->CreateUpdateRegion(previous.get())->SameAs(RegionOf({{70, 6, 89, 26}}).get()));
  current->EditBorderStyle = ebs3D;
  EXPECT_TRUE(current->CreateUpdateRegion(previous.get())->SameAs(RegionOf({{10, 5, 110, 27}}).get()));
  // A copy carries what the comparison reads.
  auto copy = MakeOwned<TcxCustomEditViewInfo>();
  current->PressedButtonIndex = 1;
  copy->Assign(current.get());
  EXPECT_EQ(copy->ButtonCount(), 2);
  EXPECT_EQ(copy->Buttons(0)->State, ebsHot);
  EXPECT_EQ(copy->EditBorderStyle, ebs3D);
  EXPECT_EQ(copy->PressedButtonIndex, 1);
  EXPECT_TRUE(copy->CreateUpdateRegion(current.get())->IsEmptyRegion());
  // Moving moves the buttons with the rest.
  copy->ShiftBy(3, 4);
  EXPECT_TRUE(RectIs(copy->Buttons(1)->Bounds, 92, 10, 112, 30));
}

TEST(EditViewInfo, BackgroundKinds)
{
  struct {
    bool Inplace, Native, Transparent, Handler;
    TcxEditBackgroundKind Kind;
    bool Plain;
  } const cases[] = {
    {false, false, false, false, ebkPlain, false},    {false, true, false, false, ebkColor, false},
    {false, false, true, false, ebkParentImage, true}, {true, false, false, false, ebkColor, false},
    {true, false, true, false, ebkInplaceTransparent, true}, {true, false, false, true, ebkHandler, true},
  };
  auto handlers = MakeOwned<TViewHandlers>();
  int painted = 0;
  handlers->Background = [&](TcxCanvas*, bool& handled) {
    ++painted;
    handled = true;
  };
  for (const auto& c : cases) {
    auto viewInfo = MakeOwned<TcxCustomEditViewInfo>();
    viewInfo->IsInplace = c.Inplace;
    viewInfo->NativeStyle = c.Native;
    viewInfo->DrawTransparent = c.Transparent;
    if (c.Handler) viewInfo->SetBackgroundDrawHandler({handlers.get(), &TViewHandlers::PaintBackground});
    EXPECT_EQ(viewInfo->GetBackgroundKind(), c.Kind);
    EXPECT_EQ(viewInfo->IsPlainBackgroundState(), c.Plain);
  }
  // In place, the handler paints the background instead of the fill.
  TEditViewWorld world(60, 24);
  world.Surface.Surface().Fill(Marker);
  auto viewData = world.ViewData(true);
  auto viewInfo = world.Calculate(viewData.get(), RECT{0, 0, 40, 20});
  viewInfo->SetBackgroundDrawHandler({handlers.get(), &TViewHandlers::PaintBackground});
  viewInfo->Paint(world.Surface.cxCanvas());
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(world.Surface.Pixel(10, 10), Marker);
}

TEST(EditViewInfo, BadBoundsDrawNothingOutsideThem)
{
  struct {
    const char* Name;
    RECT Bounds;
    int ButtonWidth;
    bool Shadow;
  } const cases[] = {
    {"empty bounds", {0, 0, 0, 0}, 15, false},
    {"a negative size", {30, 15, 10, 5}, 15, false},
    {"a button wider than the editor", {10, 2, 50, 22}, 500, false},
    {"a shadow and a wide button", {10, 2, 50, 22}, 500, true},
    {"an empty caption", {10, 2, 50, 22}, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditViewWorld world(60, 24);
    world.Surface.Surface().Fill(Marker);
    world.Style->SetShadow(c.Shadow);
    world.Add({c.ButtonWidth ? bkDown : bkText, c.ButtonWidth});
    world.Add({bkEllipsis, 0, true});
    world.Paint(c.Bounds);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 60; ++x)
        if (!IsPointInRect(POINT{x, y}, c.Bounds)) {
          ASSERT_EQ(world.Surface.Pixel(x, y), Marker) << x << ", " << y;
        }
  }
  // Open bounds compute and paint.
  TEditViewWorld world(60, 24);
  world.Add({bkDown});
  auto viewInfo = world.Paint(RECT{0, 0, cxEditOpenBound, cxEditOpenBound});
  EXPECT_EQ(viewInfo->Buttons(0)->Bounds.right, cxEditOpenBound - 1);
}

TEST(EditViewInfo, ThousandRoundsOfEveryButtonStyleLeaveNoGdiObject)
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(8, 8);
  TEditViewWorld world(120, 24);
  world.Add({bkEllipsis, 14});
  world.Add({bkDown, 14});
  world.Add({bkGlyph, 0, true})->SetGlyph(glyph.get());
  world.Add({bkText, 0, true, true, "Go"});
  const TcxEditButtonStyle styles[] = {btsDefault, bts3D,     btsFlat,    btsSimple,
                                       btsHotFlat, btsUltraFlat, btsOffice11};
  const auto round = [&](int i) {
    world.Style->SetButtonStyle(styles[i % 7]);
    world.Style->SetGradientButtons(i % 2 == 0);
    const POINT points[] = {{-1, -1}, {105, 10}, {5, 10}};
    world.Paint(RECT{0, 0, 120, 22}, i % 3 == 0, points[i % 3], i % 4 == 0 ? TShiftState{ssLeft} : TShiftState{},
                i % 4 == 0);
  };
  for (int i = 0; i < 84; ++i) round(i);  // the brush cache and shared bitmaps are made once
  const int before = LiveGdiObjects();
  for (int i = 0; i < 1000; ++i) round(i);
  EXPECT_EQ(LiveGdiObjects(), before);
}
}  // namespace
