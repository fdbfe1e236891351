// The text view data and view info painted without an editor, as a host paints text cells: the
// selected range cut to the text, the hint of cut text, the baseline, rows with word wrap and end
// ellipsis, text measuring, and no GDI objects left behind.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Encoding.h"
#include "classlib/GraphicsUtils.h"
#include "tests/toolkit/editors/EditPropertiesStubs.h"
#include "tests/toolkit/editors/EditViewTestSupport.h"
#include "toolkit/editors/cxTextEditProperties.h"
#include "toolkit/editors/cxTextEditViewData.h"
#include "toolkit/editors/cxTextEditViewInfo.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

// Text properties of a fixed list (editing style 2), as a drop-down list editor has.
class TFixedListProperties : public TcxTextEditProperties {
  CL_CLASS(TFixedListProperties, TcxTextEditProperties)
public:
  using TcxTextEditProperties::TcxTextEditProperties;
  int GetEditingStyle() const override { return 2; }
};

// A text editor painted by a host: text properties, a style with an 8-point font, no border.
class TTextViewWorld : public TEditViewWorld {
public:
  explicit TTextViewWorld(int width = 200, int height = 40) : TEditViewWorld(width, height)
  {
    Properties = MakeOwned<TcxTextEditProperties>(nullptr);
    Style->SetBorderStyle(ebsNone);
    Style->Font()->SetName("Tahoma");
    Style->Font()->SetSize(8);
  }
  TOwned<TcxCustomTextEditViewData> TextViewData()
  {
    TOwned<TcxCustomEditViewData> data = ViewData(true);
    return TOwned<TcxCustomTextEditViewData>(dynamic_cast<TcxCustomTextEditViewData*>(data.release()));
  }
  // Lays out the text in the bounds and paints it.
  TOwned<TcxCustomTextEditViewInfo> PaintText(TcxCustomTextEditViewData* data, const std::string& text, const RECT& bounds)
  {
    TOwned<TcxCustomEditViewInfo> info = NewViewInfo();
    auto* textInfo = dynamic_cast<TcxCustomTextEditViewInfo*>(info.get());
    data->ApplyValueToViewInfo(Surface.cxCanvas(), Variant(text), textInfo);
    data->CalculateViewInfo(Surface.cxCanvas(), bounds, false, textInfo, {}, false, POINT{-1, -1});
    textInfo->Paint(Surface.cxCanvas());
    return TOwned<TcxCustomTextEditViewInfo>(static_cast<TcxCustomTextEditViewInfo*>(info.release()));
  }
  // The width of the text in the style's font.
  int TextWidth(const std::string& text)
  {
    Surface.Canvas()->SetFont(Style->Font());
    SIZE size{};
    GetTextExtentPoint32A(Surface.Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
};

// The first and last column of the rect that has the colour somewhere; (-1, -1) when none has.
std::pair<int, int> ColumnsWithColour(TEditCanvas& surface, const RECT& r, COLORREF colour)
{
  int first = -1, last = -1;
  for (int x = r.left; x < r.right; ++x)
    for (int y = r.top; y < r.bottom; ++y)
      if (surface.Pixel(x, y) == colour) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

// Numeric text properties whose provider's display format may be in force unfocused.
class TProviderFormattedProperties : public TcxTextEditProperties {
  CL_CLASS(TProviderFormattedProperties, TcxTextEditProperties)
public:
  using TcxTextEditProperties::TcxTextEditProperties;
  bool UsesValueBounds() const override { return true; }
  bool IsDisplayFormatted(bool Focused) const override { return !Focused; }
};

}  // namespace

CL_DEFINE_CLASS(TFixedListProperties);
CL_DEFINE_CLASS(TProviderFormattedProperties);

TEST(TextEditViewInfo, TheSelectionIsCutToTheTextAndNoneStartsPastItsEnd)
{
  struct Case {
    int Start, Length;
    const char* Before;    // the text left of the selection
    const char* Selected;  // the text drawn selected, nullptr: no selection drawn
  };
  const Case cases[] = {
      {2, 2, "ab", "cd"},
      {4, 10, "abcd", "ef"},   // reaching past the end: cut there
      {0, 6, "", "abcdef"},
      {6, 1, "", nullptr},     // starting at the end
      {10, 3, "", nullptr},    // starting past the end
      {2, 0, "", nullptr},
  };
  for (const Case& c : cases) {
    TTextViewWorld world;
    TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
    data->MarkStart = c.Start;
    data->MarkLength = c.Length;
    data->SelBackgroundColor = static_cast<TColor>(Red);
    TOwned<TcxCustomTextEditViewInfo> info = world.PaintText(data.get(), "abcdef", RECT{0, 0, 200, 24});
    const auto [first, last] = ColumnsWithColour(world.Surface, RECT{0, 0, 200, 24}, Red);
    if (!c.Selected) {
      EXPECT_EQ(first, -1) << c.Start << "+" << c.Length;
      continue;
    }
    EXPECT_EQ(info->MarkTextColor, static_cast<TColor>(RGB(0, 255, 255)));  // the inverse of the background
    const int left = info->TextArea.left + world.TextWidth(c.Before);
    const int right = left + world.TextWidth(c.Selected);
    EXPECT_NEAR(first, left, 1) << c.Start << "+" << c.Length;
    EXPECT_NEAR(last, right - 1, 1) << c.Start << "+" << c.Length;
  }
}

TEST(TextEditViewInfo, SelectionColoursFromTheStyleFollowTheNumbers)
{
  struct Case {
    TColor StyleColor, Text, Back, ExpectedText, ExpectedBack;
  };
  const Case cases[] = {
      {clWindow, clDefault, clDefault, clHighlightText, clHighlight},
      {clHighlight, clDefault, clDefault, static_cast<TColor>(0xFFFFFF), static_cast<TColor>(0)},
      {clWindow, static_cast<TColor>(0x0000FF), clDefault, static_cast<TColor>(0x0000FF), static_cast<TColor>(0xFFFF00)},
      {clWindow, static_cast<TColor>(1), static_cast<TColor>(2), static_cast<TColor>(1), static_cast<TColor>(2)},
  };
  for (const Case& c : cases) {
    TTextViewWorld world;
    world.Style->SetColor(c.StyleColor);
    TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
    data->MarkLength = 1;
    data->SelTextColor = c.Text;
    data->SelBackgroundColor = c.Back;
    TOwned<TcxCustomTextEditViewInfo> info = world.PaintText(data.get(), "abc", RECT{0, 0, 100, 20});
    EXPECT_EQ(info->MarkTextColor, c.ExpectedText);
    EXPECT_EQ(info->MarkBackColor, c.ExpectedBack);
  }
}

TEST(TextEditViewInfo, ACutTextOffersItsFullTextAsTheHint)
{
  TTextViewWorld world;
  TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
  const std::string longText = "a text far too long for the cell it is painted in";
  TOwned<TcxCustomTextEditViewInfo> cut = world.PaintText(data.get(), longText, RECT{0, 0, 60, 20});
  RECT rect{};
  bool multiLine = true;
  std::string hint;
  ASSERT_TRUE(cut->GetHintAt(POINT{10, 8}, rect, multiLine, hint));
  EXPECT_EQ(hint, longText);
  EXPECT_FALSE(multiLine);
  EXPECT_TRUE(RectIs(rect, cut->TextArea.left, cut->TextArea.top, cut->TextArea.right,
                     std::min<LONG>(cut->TextArea.bottom, 20)))
      << RectText(rect);
  EXPECT_FALSE(cut->GetHintAt(POINT{100, 8}, rect, multiLine, hint)) << "outside the text area";

  TOwned<TcxCustomTextEditViewInfo> fitting = world.PaintText(data.get(), "ok", RECT{0, 0, 60, 20});
  hint.clear();
  EXPECT_FALSE(fitting->GetHintAt(POINT{10, 8}, rect, multiLine, hint));  // the inherited hint: none here
  EXPECT_EQ(hint, "");
}

TEST(TextEditViewInfo, TheBaselineOfTopAlignedTextLiesAnAscentBelowTheTextArea)
{
  TTextViewWorld world;
  TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
  TOwned<TcxCustomTextEditViewInfo> info = world.PaintText(data.get(), "abc", RECT{0, 0, 100, 30});
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, world.Style->Font()->Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(info->CalculateBaseline(), info->TextArea.top + metrics.tmAscent + 1);
  info->TextLayoutFlags = (info->TextLayoutFlags & ~CXTO_VERTICAL_ALIGNMENT_MASK) | CXTO_BOTTOM;
  EXPECT_EQ(info->CalculateBaseline(), info->TextArea.bottom - metrics.tmDescent + 1);
}

TEST(TextEditViewInfo, RowsWithWordWrapAndEndEllipsis)
{
  struct Case {
    const char* Text;
    int Width, Height;
    bool WordWrap, Ellipsis;
    int Rows;
    bool Wrapped, EllipsisDrawn;
  };
  const Case cases[] = {
      {"one two three four", 200, 60, true, false, 1, false, false},   // fits on one row
      {"one two three four", 50, 60, true, false, 3, true, false},
      {"one two three four", 50, 60, false, false, 1, false, false},   // no wrapping asked
      {"one two three four", 50, 18, false, true, 1, false, true},     // cut with an ellipsis
      {"one two three four", 200, 18, false, true, 1, false, false},
  };
  for (const Case& c : cases) {
    TTextViewWorld world(220, 80);
    TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
    data->WordWrap = c.WordWrap;
    if (c.Ellipsis) data->PaintFlags |= cxEditPaintOptionEndEllipsis;
    TOwned<TcxCustomTextEditViewInfo> info = world.PaintText(data.get(), c.Text, RECT{0, 0, c.Width, c.Height});
    EXPECT_EQ(info->TextLayout.RowCount, c.Rows) << c.Width << "x" << c.Height;
    EXPECT_EQ((info->TextLayoutFlags & CXTO_WORDBREAK) != 0, c.Wrapped) << c.Width << "x" << c.Height;
    EXPECT_EQ(info->TextLayout.EndEllipsisForced, c.EllipsisDrawn) << c.Width << "x" << c.Height;
  }
}

TEST(TextEditViewInfo, TextSizeByWidthAndWithAnOpenWidth)
{
  TTextViewWorld world;
  TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
  TcxCanvas* canvas = world.Surface.cxCanvas();
  canvas->AssignFont(world.Style->Font());
  const int rowHeight = PrepareCanvasTextParams(canvas->Canvas(), CXTO_SINGLELINE).RowHeight;
  const int oneWidth = world.TextWidth("one");
  const int threeWidth = world.TextWidth("three");  // wider than "one", narrower than "one two"
  struct Case {
    const wchar_t* Text;
    int Width;       // 0: open
    int Flags;
    int RowLimit;
    int Option;      // the view data's paint flags
    int ExpectedWidth;  // -1: not checked
    int ExpectedHeight;
  };
  const int single = CXTO_SINGLELINE;
  const Case cases[] = {
      {L"one", 0, single, 0, 0, oneWidth, rowHeight},
      {L"one", 0, single, 3, 0, oneWidth, 3 * rowHeight},
      {L"", 0, single, 0, 0, 0, rowHeight},
      {L"one\r\none", 0, 0, 0, 0, oneWidth, rowHeight},  // rows without a width: the longest
      {L"one two three", threeWidth + 2, single, 0, 0, -1, 3 * rowHeight},
      {L"one", 200, single, 0, 0, -1, rowHeight},
      {L"", 200, single, 0, cxEditPaintOptionEmptyHasNoHeight, -1, 0},
      {L"", 200, single, 0, 0, -1, rowHeight},
  };
  for (const Case& c : cases) {
    data->PaintFlags = c.Option;
    SIZE size{c.Width, 0};
    CalculateTextEditTextSize(data.get(), canvas, c.Text, c.Flags, c.RowLimit, size);
    if (c.ExpectedWidth >= 0) {
      EXPECT_EQ(size.cx, c.ExpectedWidth) << WideToAnsi(c.Text) << " " << c.Width;
    }
    EXPECT_EQ(size.cy, c.ExpectedHeight) << WideToAnsi(c.Text) << " " << c.Width;
  }
}

TEST(TextEditViewInfo, LayoutsAndPaintsLeaveNoGdiObjectsBehind)
{
  TTextViewWorld world;
  TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
  data->MarkStart = 1;
  data->MarkLength = 2;
  data->WordWrap = true;
  data->PaintFlags |= cxEditPaintOptionEndEllipsis;
  world.PaintText(data.get(), "warm up the caches once", RECT{0, 0, 80, 30});
  const int before = LiveGdiObjects();
  for (int i = 0; i < 1000; ++i) {
    TOwned<TcxCustomTextEditViewInfo> info =
        world.PaintText(data.get(), i % 2 ? "some words to wrap and cut" : "short", RECT{0, 0, 60 + i % 40, 30});
    info->CalculateBaseline();
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(TextEditViewInfo, AFocusedListStyleEditorMarksItsTextArea)
{
  for (bool focused : {false, true}) {
    TTextViewWorld world;
    static_cast<TcxTextEditProperties*>(world.Properties.get())->SetHideCursor(true);  // editing style 3
    TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
    data->Focused = focused;
    TOwned<TcxCustomTextEditViewInfo> info = world.PaintText(data.get(), "", RECT{0, 0, 100, 24});
    EXPECT_EQ(info->EditStyleCode, 3);
    const COLORREF background = world.Surface.Pixel(info->TextArea.left + 5, info->TextArea.top + 5);
    int marked = 0;
    for (int y = info->TextArea.top; y < info->TextArea.bottom; ++y)
      if (world.Surface.Pixel(info->TextArea.left, y) != background) ++marked;
    EXPECT_EQ(marked > 0, focused) << marked;
  }
}

TEST(TextEditViewInfo, AListStyleDropDownButtonKeepsTheComboPartsNormalState)
{
  TScopedWindowsVersion vista(6);
  struct Case {
    bool FixedList;
    TcxEditButtonState State;
    int ThemeState;
  };
  const Case cases[] = {{true, ebsPressed, 1}, {true, ebsHot, 1}, {true, ebsDisabled, 4},
                        {false, ebsPressed, 3}, {false, ebsHot, 2}};
  for (const Case& c : cases) {
    TTextViewWorld world(60, 24);
    if (c.FixedList) world.Properties = MakeOwned<TFixedListProperties>(nullptr);
    world.Style->LookAndFeel()->SetNativeStyle(true);
    TcxEditButton* button = world.Add({bkDown, 17});
    button->SetEnabled(c.State != ebsDisabled);
    const bool over = c.State == ebsHot || c.State == ebsPressed;
    TOwned<TcxCustomEditViewInfo> info =
        world.Paint(RECT{0, 0, 40, 20}, false, over ? POINT{30, 10} : POINT{-1, -1},
                    c.State == ebsPressed ? TShiftState{ssLeft} : TShiftState{}, c.State == ebsPressed);
    ASSERT_TRUE(info->NativeStyle);
    EXPECT_EQ(info->Buttons(0)->State, c.State);
    EXPECT_NE(info->Buttons(0)->ThemePart, cxButtonThemePushPart);  // the combo box's part
    EXPECT_EQ(info->Buttons(0)->ThemeState, c.ThemeState) << c.FixedList << " " << static_cast<int>(c.State);
  }
}

TEST(TextEditViewInfo, TheShownTextFollowsTheFocusAndTheProvidersFormatInForce)
{
  struct Case {
    bool ProviderFormat, Focused;
    const char* Shown;
  };
  const Case cases[] = {{false, false, "3.00"}, {false, true, "3"}, {true, false, "3"}};
  for (const Case& c : cases) {
    TTextViewWorld world;
    auto properties = MakeOwned<TProviderFormattedProperties>(nullptr);
    auto provider = MakeOwned<TStubProvider>();
    provider->DisplayFormat = c.ProviderFormat;
    properties->SetDefaultValuesProvider(provider.get());
    properties->SetDisplayFormat("0.00");
    world.Properties = std::move(properties);
    TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
    data->Focused = c.Focused;
    TOwned<TcxCustomTextEditViewInfo> info = world.PaintText(data.get(), "3", RECT{0, 0, 100, 20});
    EXPECT_EQ(info->ShownText, c.Shown) << c.ProviderFormat << " " << c.Focused;
    world.Properties->SetDefaultValuesProvider(nullptr);
  }
}

TEST(TextEditViewInfo, ShiftingMovesTheTextAreaAndTheLaidOutRows)
{
  TTextViewWorld world;
  TOwned<TcxCustomTextEditViewData> data = world.TextViewData();
  TOwned<TcxCustomTextEditViewInfo> info = world.PaintText(data.get(), "abc", RECT{0, 0, 100, 20});
  ASSERT_TRUE(info->TextLayout.LaidOut);
  const RECT area = info->TextArea;
  const int originX = info->TextLayout.Rows.Row(0).TextOriginX;
  info->ShiftBy(10, 5);
  EXPECT_TRUE(RectIs(info->TextArea, area.left + 10, area.top + 5, area.right + 10, area.bottom + 5));
  EXPECT_EQ(info->TextLayout.Rows.Row(0).TextOriginX, originX + 10);
}
