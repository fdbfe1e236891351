// The list view's header: the hook on the native header window, the section record it answers per
// display position, and the sections as the painter draws them (text-free: empty captions).
#include <cstddef>
#include <cstring>
#include <vector>
#include "classlib/ImageList.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/UserInput.h"
#include "tests/toolkit/editors/ListViewTestSupport.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsWindowProc.h"

using namespace listview_test;

namespace {

// The record's fields follow one another without gaps, in this order and these sizes.
static_assert(offsetof(THeaderItemInfo, ImageIndex) == 0 && offsetof(THeaderItemInfo, Rect) == 4 &&
              offsetof(THeaderItemInfo, Alignment) == 20 && offsetof(THeaderItemInfo, SortOrder) == 21 &&
              offsetof(THeaderItemInfo, State) == 22 && offsetof(THeaderItemInfo, Text) == 23);

DWORD OldComCtl() { return 4u << 16; }

struct TInfo {
  int ImageIndex;
  RECT Rect;
  TAlignment Alignment;
  int SortOrder;
  TcxButtonState State;
  std::string Text;
};

class cxListViewHeaderTest : public ListViewFixture {
protected:
  // The record the header answers for a display position.
  TInfo InfoAt(int position)
  {
    THeaderItemInfo info;
    InitializeHeaderItemInfo(info);
    const LRESULT answer =
        SendMessageA(Header(), DXM_HEADERITEMINFO, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(answer, reinterpret_cast<LRESULT>(&info));
    TInfo result{info.ImageIndex, info.Rect, static_cast<TAlignment>(info.Alignment), info.SortOrder,
                 static_cast<TcxButtonState>(info.State), std::string(HeaderItemText(info))};
    FinalizeHeaderItemInfo(info);
    return result;
  }
  RECT HeaderClient()
  {
    RECT r{};
    GetClientRect(Header(), &r);
    return r;
  }
  TcxCustomLookAndFeelPainter* Painter() { return List->LookAndFeel()->Painter(); }
};

}  // namespace

// The hook: the header the native list makes is hooked (with hot tracking) when the window is
// made and again when it is made anew; the old one's chain goes with its window.
TEST_F(cxListViewHeaderTest, HeaderIsHookedOnCreationAndAfterRecreation)
{
  ShowOnTop();
  HWND header = Header();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(Inner()->HeaderWindow(), header);
  EXPECT_NE(GetWindowProcController()->FindHandleChain(header), nullptr);
  EXPECT_TRUE(GetWindowLongPtrA(header, GWL_STYLE) & HDS_HOTTRACK);

  Inner()->RecreateWnd();
  HWND renewed = Header();
  ASSERT_NE(renewed, nullptr);
  EXPECT_EQ(Inner()->HeaderWindow(), renewed);
  EXPECT_NE(GetWindowProcController()->FindHandleChain(renewed), nullptr);
  if (renewed != header) {
    EXPECT_EQ(GetWindowProcController()->FindHandleChain(header), nullptr);
  }
  EXPECT_TRUE(GetWindowLongPtrA(renewed, GWL_STYLE) & HDS_HOTTRACK);
  // The new header paints through the painter too: its record answers.
  EXPECT_EQ(InfoAt(0).State, cxbsNormal);
}

// Only a child of the class named exactly "SysHeader32" becomes the header.
TEST_F(cxListViewHeaderTest, OtherChildWindowsAreNotHooked)
{
  ShowOnTop();
  HWND header = Header();
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "SysHeader32X";
  RegisterClassA(&wc);
  for (const char* className : {"SysHeader32X", "Static", "Button"}) {
    HWND child = CreateWindowExA(0, className, "", WS_CHILD, 0, 0, 10, 10, Inner()->Handle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(child, nullptr) << className;
    EXPECT_EQ(Inner()->HeaderWindow(), header) << className;
    EXPECT_EQ(GetWindowProcController()->FindHandleChain(child), nullptr) << className;
    DestroyWindow(child);
  }
  UnregisterClassA("SysHeader32X", GetModuleHandleA(nullptr));
}

// The record per display position: the columns' captions, images and alignments with their
// rectangles, the area after the last column, a header without columns, and the columns after a
// reorder, where caption, image and alignment follow the column shown at the position.
TEST_F(cxListViewHeaderTest, SectionRecordPerDisplayPosition)
{
  List->Columns()->Items(0)->SetCaption("名称");
  List->Columns()->Items(1)->SetCaption("路径");
  List->Columns()->Items(1)->SetAlignment(taRightJustify);
  List->Columns()->Items(1)->SetImageIndex(4);
  ShowOnTop();
  const RECT client = HeaderClient();
  const RECT item0 = HeaderItemRect(0), item1 = HeaderItemRect(1);
  ASSERT_EQ(item0.right, 80);
  struct Case {
    int Position;
    int ImageIndex;
    RECT Rect;
    TAlignment Alignment;
    const char* Text;
  };
  auto check = [&](std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.Position);
      const TInfo info = InfoAt(c.Position);
      EXPECT_EQ(info.ImageIndex, c.ImageIndex);
      EXPECT_TRUE(SameRect(info.Rect, c.Rect));
      EXPECT_EQ(info.Alignment, c.Alignment);
      EXPECT_EQ(info.SortOrder, 0);
      EXPECT_EQ(info.Text, c.Text);
      EXPECT_EQ(info.State, cxbsNormal);
    }
  };
  check({
    {0, -1, item0, taLeftJustify, "名称"},
    {1, 4, item1, taRightJustify, "路径"},
    {2, -1, RECT{item1.right, client.top, client.right, client.bottom}, taLeftJustify, ""},
  });

  // The user drags the second column in front of the first.
  int order[] = {1, 0};
  SendMessageA(Inner()->Handle(), LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  const RECT moved1 = HeaderItemRect(1), moved0 = HeaderItemRect(0);
  ASSERT_EQ(moved1.left, 0);
  check({
    {0, 4, moved1, taRightJustify, "路径"},
    {1, -1, moved0, taLeftJustify, "名称"},
    {2, -1, RECT{moved0.right, client.top, client.right, client.bottom}, taLeftJustify, ""},
  });

  // No columns: the one position is the whole header.
  List->Columns()->Clear();
  const TInfo empty = InfoAt(0);
  EXPECT_EQ(empty.ImageIndex, -1);
  EXPECT_TRUE(SameRect(empty.Rect, HeaderClient()));
  EXPECT_EQ(empty.Text, "");
}

// Positions beyond the area after the last column, and a message without a record, are answered
// with 0 and nothing is written.
TEST_F(cxListViewHeaderTest, RecordRequestsOutsideTheSectionsWriteNothing)
{
  ShowOnTop();
  for (WPARAM position : {WPARAM(3), WPARAM(100), static_cast<WPARAM>(-1)}) {
    THeaderItemInfo info;
    std::memset(&info, 0x5A, sizeof info);
    info.Text = nullptr;
    EXPECT_EQ(SendMessageA(Header(), DXM_HEADERITEMINFO, position, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.ImageIndex, 0x5A5A5A5A);
    EXPECT_EQ(info.Text, nullptr);
  }
  EXPECT_EQ(SendMessageA(Header(), DXM_HEADERITEMINFO, 0, 0), 0);
  // The header still paints.
  TDibSurface surface(300, 30);
  PrintHeader(surface);
}

// With common controls older than 4.70 the sections lie side by side by their widths, and display
// positions are item indexes.
TEST_F(cxListViewHeaderTest, OlderCommonControlsSumTheWidths)
{
  ShowOnTop();
  RECT window{};
  GetWindowRect(Header(), &window);
  const int height = window.bottom - window.top;
  int order[] = {1, 0};
  SendMessageA(Inner()->Handle(), LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  TScopedSeam<TcxComCtlVersionFunc> version(cxComCtlVersion, OldComCtl);
  EXPECT_EQ(Inner()->HeaderOrderToIndex(0), 0);
  EXPECT_EQ(Inner()->HeaderOrderToIndex(1), 1);
  EXPECT_TRUE(SameRect(Inner()->GetHeaderItemRect(0), RECT{0, 0, 80, height}));
  EXPECT_TRUE(SameRect(Inner()->GetHeaderItemRect(1), RECT{80, 0, 180, height}));
  const TInfo first = InfoAt(0);
  EXPECT_TRUE(SameRect(first.Rect, RECT{0, 0, 80, height}));
  EXPECT_EQ(InfoAt(2).Rect.left, 180);
  // Drawn that way: the borders stand at the summed widths, not where the reordered items lie.
  const COLORREF face = ColorToRGB(Painter()->HeaderColor());
  const int mid = height / 2;
  TDibSurface surface(300, height, RGB(1, 2, 3));
  PrintHeader(surface);
  for (int x : {0, 80, 180}) EXPECT_EQ(surface.Pixel(x, mid), RGB(0, 0, 0)) << x;
  for (int x : {40, 100, 150}) EXPECT_EQ(surface.Pixel(x, mid), face) << x;
}

// The sections in the ultra-flat look: a black frame around the painter's header colour, each
// section one pixel wider than its item (the frames overlap), the area after the last column
// without a right border. The standard look keeps the items' widths.
TEST_F(cxListViewHeaderTest, SectionsAreDrawnInThePaintersHeaderColour)
{
  ShowOnTop();
  const COLORREF face = ColorToRGB(Painter()->HeaderColor());
  const RECT item0 = HeaderItemRect(0), item1 = HeaderItemRect(1);
  const int mid = (item0.top + item0.bottom) / 2;
  const RECT client = HeaderClient();
  TDibSurface surface(client.right, client.bottom, RGB(1, 2, 3));
  PrintHeader(surface);
  EXPECT_EQ(surface.Pixel(0, mid), RGB(0, 0, 0));               // the first section's left border
  EXPECT_EQ(surface.Pixel(40, mid), face);                       // inside it
  EXPECT_EQ(surface.Pixel(item0.right - 1, mid), face);          // one pixel wider: still inside
  EXPECT_EQ(surface.Pixel(item0.right, mid), RGB(0, 0, 0));      // where both frames meet
  EXPECT_EQ(surface.Pixel(item1.right, mid), RGB(0, 0, 0));
  EXPECT_EQ(surface.Pixel(item1.right + 20, 0), RGB(0, 0, 0));   // the trailing area's top border
  EXPECT_EQ(surface.Pixel(client.right - 1, mid), face);         // and no right border
  EXPECT_EQ(surface.Count(RECT{0, 0, client.right, client.bottom}, RGB(1, 2, 3)), 0);

  // Another look repaints the header.
  ValidateRect(Header(), nullptr);
  List->Style()->LookAndFeel()->SetKind(lfStandard);
  EXPECT_TRUE(GetUpdateRect(Header(), nullptr, FALSE));
  surface.Fill(RGB(1, 2, 3));
  PrintHeader(surface);
  EXPECT_NE(surface.Pixel(item0.right - 1, mid), ColorToRGB(List->LookAndFeel()->Painter()->HeaderColor()));

  // Without columns the whole header is the header colour.
  List->Style()->LookAndFeel()->SetKind(lfUltraFlat);
  List->Columns()->Clear();
  surface.Fill(RGB(1, 2, 3));
  PrintHeader(surface);
  EXPECT_EQ(surface.Count(RECT{0, 0, client.right, client.bottom}, face), client.right * client.bottom);
}

// Hot, pressed and disabled sections from mouse input through the system: the cursor over a section
// makes it hot (while the columns click and show no images), a press makes it pressed until the
// capture goes, a press on a divider presses nothing, a disabled list shows every section disabled.
TEST_F(cxListViewHeaderTest, HotPressedAndDisabledSectionsFollowTheMouse)
{
  ShowOnTop();
  const RECT item0 = HeaderItemRect(0), item1 = HeaderItemRect(1);
  const int mid = (item0.top + item0.bottom) / 2;
  const COLORREF face = ColorToRGB(Painter()->HeaderColor());
  const COLORREF hot = ColorToRGB(Painter()->ButtonFaceColor(cxbsHot));
  const COLORREF pressed = ColorToRGB(Painter()->ButtonFaceColor(cxbsPressed));
  TDibSurface surface(300, item0.bottom);
  auto colourAt = [&](int x) {
    surface.Fill(RGB(1, 2, 3));
    PrintHeader(surface);
    return surface.Pixel(x, mid);
  };
  ASSERT_TRUE(MoveCursorTo(HeaderToScreen(130, mid)));
  EXPECT_EQ(Inner()->GetHotHeaderSection(), 1);
  EXPECT_EQ(colourAt(130), hot);
  EXPECT_EQ(colourAt(40), face);
  EXPECT_EQ(InfoAt(1).State, cxbsHot);
  // An image on a column ends hot tracking; so does a header that does not click.
  List->Columns()->Items(0)->SetImageIndex(0);
  EXPECT_EQ(colourAt(130), face);
  List->Columns()->Items(0)->SetImageIndex(-1);
  List->SetColumnClick(false);
  ASSERT_TRUE(PumpUntil([&] { return Inner()->HeaderWindow() == Header(); }));
  EXPECT_EQ(colourAt(130), face);
  List->SetColumnClick(true);

  // The button goes down and up through the system's input queue.
  ASSERT_TRUE(LeftButtonAt(HeaderToScreen(130, mid), true));
  ASSERT_TRUE(PumpUntil([&] { return Inner()->PressedHeaderSection() == 1; }));
  EXPECT_EQ(GetCapture(), Header());
  EXPECT_EQ(colourAt(130), pressed);
  ASSERT_TRUE(LeftButtonAt(HeaderToScreen(130, mid), false));
  ASSERT_TRUE(PumpUntil([&] { return Inner()->PressedHeaderSection() == -1; }));
  EXPECT_NE(colourAt(130), pressed);

  // On the divider between the sections the press resizes: no section is pressed.
  ASSERT_TRUE(LeftButtonAt(HeaderToScreen(item0.right, mid), true));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() == Header(); }));
  EXPECT_EQ(Inner()->PressedHeaderSection(), -1);
  EXPECT_NE(colourAt(40), pressed);
  EXPECT_NE(colourAt(130), pressed);
  ASSERT_TRUE(LeftButtonAt(HeaderToScreen(item0.right, mid), false));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() != Header(); }));
  EXPECT_EQ(HeaderItemRect(0).right, item0.right);  // the press alone resized nothing

  List->SetEnabled(false);
  const COLORREF disabled = ColorToRGB(Painter()->ButtonFaceColor(cxbsDisabled));
  EXPECT_EQ(colourAt(40), disabled);
  EXPECT_EQ(colourAt(item1.left + 20), disabled);
  EXPECT_EQ(surface.Pixel(0, mid), ColorToRGB(clBtnShadow));
  EXPECT_EQ(InfoAt(2).State, cxbsDisabled);
}

// A section with an image shows it after a gap of 2 from the text's start; a right-aligned caption
// with no room left for its image turns left-aligned after the image.
TEST_F(cxListViewHeaderTest, ImageRectanglesMakeRoomForTheImage)
{
  auto* images = New<TImageList>(Form);
  images->SetWidth(16);
  images->SetHeight(16);
  TcxCanvas* canvas = Inner()->cxCanvas();
  struct Case {
    TAlignment Alignment;
    std::string Text;
    RECT TextRect;
    int ImageLeft;
    TAlignment AlignmentAfter;
    int TextLeftAfter;
  };
  HDC screen = GetDC(nullptr);
  TCanvasDCScope scope(canvas->Canvas(), screen);
  const int w = canvas->MeasureTextWidth("abc");
  const Case cases[] = {
    {taLeftJustify, "abc", RECT{10, 0, 200, 20}, 10, taLeftJustify, 28},
    {taRightJustify, "abc", RECT{10, 0, 200, 20}, 200 - w - 16 - 2, taRightJustify, 10},
    {taRightJustify, "abc", RECT{10, 0, 20, 20}, 10, taLeftJustify, 28},
    {taCenter, "abc", RECT{10, 0, 200, 20}, 10 + (190 - 16 - w - 2) / 2, taCenter, 28},
    {taCenter, "abc", RECT{10, 0, 20, 20}, 10, taLeftJustify, 28},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Alignment));
    THeaderItemInfo info;
    InitializeHeaderItemInfo(info);
    info.Alignment = static_cast<uint8_t>(c.Alignment);
    SetHeaderItemText(info, c.Text);
    RECT text = c.TextRect;
    const RECT image = CalculateHeaderImageRect(text, info, canvas, images);
    EXPECT_EQ(image.left, c.ImageLeft);
    EXPECT_EQ(image.right - image.left, 16);
    EXPECT_EQ(static_cast<TAlignment>(info.Alignment), c.AlignmentAfter);
    EXPECT_EQ(text.left, c.TextLeftAfter);
    FinalizeHeaderItemInfo(info);
  }
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(SameRect(CalculateHeaderTextRect(RECT{0, 0, 100, 20}, false), RECT{4, 0, 96, 20}));
  EXPECT_TRUE(SameRect(CalculateHeaderTextRect(RECT{0, 0, 100, 20}, true), RECT{4, 0, 85, 20}));
}
