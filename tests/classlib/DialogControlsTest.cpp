// The controls of dialogs on a stored form shown in real windows, driven by input made through the
// system: page control and tab sheets, check box, group box, bevels, the glyph button, the tool
// bar with actions, label accelerators and the list box's horizontal extent.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/Application.h"
#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ImageList.h"
#include "classlib/ObjectText.h"
#include "classlib/StdCtrls.h"
#include "classlib/Themes.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"

using namespace fixture;

namespace {

class TDialogControlsTestForm : public TForm {
  CL_CLASS(TDialogControlsTestForm, TForm)
public:
  using TForm::TForm;
  std::vector<std::string> Log;

  template <class T> T* Get(const char* name) const
  {
    auto* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw Exception(std::string("no ") + name);
    return c;
  }
  void PageControlChange(TObject*) { Log.push_back("page " + Get<TPageControl>("PageControl")->ActivePage()->Name()); }
  void ShowHiddenClick(TObject*)
  {
    Log.push_back(std::string("hidden ") + (Get<TCheckBox>("ShowHidden")->Checked() ? "on" : "off"));
  }
  void RunActionExecute(TObject*) { Log.push_back("run"); }
  void StopActionExecute(TObject*) { Log.push_back("stop"); }
};

constexpr TMethodInfo DialogControlsTestFormMethods[] = {
  PublishedMethod<TNotifyEvent, &TDialogControlsTestForm::PageControlChange>("PageControlChange"),
  PublishedMethod<TNotifyEvent, &TDialogControlsTestForm::ShowHiddenClick>("ShowHiddenClick"),
  PublishedMethod<TNotifyEvent, &TDialogControlsTestForm::RunActionExecute>("RunActionExecute"),
  PublishedMethod<TNotifyEvent, &TDialogControlsTestForm::StopActionExecute>("StopActionExecute"),
};

constexpr COLORREF GlyphInk = RGB(128, 0, 0);
constexpr COLORREF GlyphBack = RGB(255, 0, 255);

// A bitmap of a size in one colour with a square of another in its middle.
TOwned<TBitmap> SquareBitmap(int size, COLORREF back, COLORREF square, int squareSize)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(size, size);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(static_cast<TColor>(back));
  canvas->FillRect({0, 0, size, size});
  const int at = (size - squareSize) / 2;
  canvas->Brush()->SetColor(static_cast<TColor>(square));
  canvas->FillRect({at, at, at + squareSize, at + squareSize});
  return bitmap;
}

COLORREF PixelOf(TWinControl* control, int x, int y)
{
  control->Update();
  HDC dc = GetDC(control->Handle());
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(control->Handle(), dc);
  return color;
}

POINT CenterOf(TControl* control)
{
  return control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
}

// The stored form, its tool images filled and its help button given a glyph, shown and active.
class DialogControls : public testing::Test {
protected:
  void SetUp() override
  {
    Form = New<TDialogControlsTestForm>(Application);
    auto* images = Form->Get<TImageList>("ToolImages");
    images->Add(SquareBitmap(16, RGB(255, 255, 255), RGB(255, 0, 0), 12).get(), nullptr);
    images->Add(SquareBitmap(16, RGB(255, 255, 255), RGB(0, 0, 255), 12).get(), nullptr);
    Form->Get<TBitBtn>("BHelp")->SetGlyph(SquareBitmap(16, GlyphBack, GlyphInk, 8).get());
    Form->Show();
    SetForegroundWindow(Form->Handle());
    ASSERT_TRUE(PumpUntil([this] { return GetForegroundWindow() == Form->Handle(); }));
    Pump(50);
  }
  void TearDown() override { Free(Form); }

  TPageControl* Pages() const { return Form->Get<TPageControl>("PageControl"); }
  TTabSheet* Sheet(const char* name) const { return Form->Get<TTabSheet>(name); }
  // The screen point in the middle of a tab.
  POINT TabCenter(int tab) const
  {
    RECT r{};
    SendMessageA(Pages()->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
    return Pages()->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  std::string TabText(int tab) const
  {
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Pages()->Handle(), TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  int TabCount() const { return static_cast<int>(SendMessageA(Pages()->Handle(), TCM_GETITEMCOUNT, 0, 0)); }
  bool Shows(TWinControl* control) const { return control->HandleAllocated() && IsWindowVisible(control->Handle()); }

  TDialogControlsTestForm* Form = nullptr;
};

}  // namespace

CL_DEFINE_CLASS(TDialogControlsTestForm, .Methods = DialogControlsTestFormMethods);

TEST_F(DialogControls, TheStoredPageControlHoldsItsSheetsAsTabsAndShowsTheActiveOne)
{
  TPageControl* pages = Pages();
  ASSERT_EQ(pages->PageCount(), 3);
  const char* const names[] = {"tsFiles", "tsTools", "tsTree"};
  const char* const captions[] = {" Files ", " Tools ", " Tree "};
  ASSERT_EQ(TabCount(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(pages->Pages(i), Sheet(names[i]));
    EXPECT_EQ(Sheet(names[i])->PageControl(), pages);
    EXPECT_EQ(Sheet(names[i])->PageIndex(), i);
    EXPECT_EQ(TabText(i), captions[i]);
  }
  EXPECT_EQ(pages->ActivePage(), Sheet("tsFiles"));
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(Shows(Form->Get<TListBox>("FileList")));
  EXPECT_FALSE(Sheet("tsTools")->Visible());
  EXPECT_FALSE(Sheet("tsTree")->Visible());
  // A sheet fills the page control's display area.
  RECT display = pages->ClientRect();
  SendMessageA(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  RECT bounds = Sheet("tsFiles")->BoundsRect();
  EXPECT_TRUE(EqualRect(&bounds, &display));
  // A new caption is the tab's new text.
  Sheet("tsTree")->SetCaption(" Folders ");
  EXPECT_EQ(TabText(2), " Folders ");
}

TEST_F(DialogControls, AClickOnATabShowsThatSheetsControlsAndHidesTheOthers)
{
  TPageControl* pages = Pages();
  ASSERT_TRUE(ClickAt(TabCenter(1)));
  ASSERT_TRUE(PumpUntil([&] { return pages->ActivePage() == Sheet("tsTools"); }));
  Pump(50);
  EXPECT_TRUE(Shows(Form->Get<TToolBar>("Tools")));
  EXPECT_FALSE(Shows(Form->Get<TListBox>("FileList")));
  EXPECT_FALSE(Sheet("tsFiles")->Visible());
  EXPECT_EQ(Form->Log, (std::vector<std::string>{"page tsTools"}));

  ASSERT_TRUE(ClickAt(TabCenter(0)));
  ASSERT_TRUE(PumpUntil([&] { return pages->ActivePage() == Sheet("tsFiles"); }));
  EXPECT_TRUE(Shows(Form->Get<TListBox>("FileList")));
  EXPECT_FALSE(Shows(Form->Get<TToolBar>("Tools")));
  EXPECT_EQ(Form->Log, (std::vector<std::string>{"page tsTools", "page tsFiles"}));
}

TEST_F(DialogControls, CtrlTabMovesToTheNextSheetAndCtrlShiftTabBack)
{
  TPageControl* pages = Pages();
  Form->Get<TListBox>("FileList")->SetFocus();
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return pages->ActivePage() == Sheet("tsTools"); }));
  // The focus left the sheet that hid.
  EXPECT_FALSE(Shows(Form->Get<TListBox>("FileList")));
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return pages->ActivePage() == Sheet("tsTree"); }));
  // From the last sheet round to the first, and backwards.
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return pages->ActivePage() == Sheet("tsFiles"); }));
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT}));
  ASSERT_TRUE(PumpUntil([&] { return pages->ActivePage() == Sheet("tsTree"); }));
  EXPECT_EQ(Form->Log,
            (std::vector<std::string>{"page tsTools", "page tsTree", "page tsFiles", "page tsTree"}));
}

TEST_F(DialogControls, ASheetWithoutItsTabHasNoTabAndIsNeverShown)
{
  TPageControl* pages = Pages();
  TTabSheet* tools = Sheet("tsTools");
  tools->SetTabVisible(false);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(TabText(0), " Files ");
  EXPECT_EQ(TabText(1), " Tree ");
  EXPECT_EQ(tools->TabIndex(), -1);
  EXPECT_EQ(Sheet("tsTree")->TabIndex(), 1);
  EXPECT_EQ(pages->PageOfTab(1), Sheet("tsTree"));
  // Neither code nor Ctrl+Tab shows it.
  pages->SetActivePage(tools);
  EXPECT_EQ(pages->ActivePage(), Sheet("tsFiles"));
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePage(), Sheet("tsTree"));
  EXPECT_FALSE(tools->Visible());
  // Hiding the tab of the active sheet shows the next one.
  Sheet("tsTree")->SetTabVisible(false);
  EXPECT_EQ(pages->ActivePage(), Sheet("tsFiles"));
  EXPECT_EQ(TabCount(), 1);
  tools->SetTabVisible(true);
  EXPECT_EQ(TabText(1), " Tools ");
  EXPECT_EQ(pages->ActivePage(), Sheet("tsFiles"));
}

TEST_F(DialogControls, PageIndexesOutOfRangeRaiseTheListErrorAndChangeNothing)
{
  TPageControl* pages = Pages();
  pages->SetActivePageIndex(1);
  for (int index : {-2, 3, 100}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(MessageOf<EListError>([&] { pages->SetActivePageIndex(index); }),
              "List index out of bounds (" + std::to_string(index) + ")");
    EXPECT_THROW(pages->Pages(index), EListError);
    EXPECT_EQ(pages->ActivePage(), Sheet("tsTools"));
  }
  EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
  pages->SetActivePageIndex(-1);
  EXPECT_EQ(pages->ActivePage(), nullptr);
  EXPECT_TRUE(Form->Log.empty());
}

TEST_F(DialogControls, ACheckBoxTogglesOnAClickOnSpaceAndOnItsAcceleratorFiringOnClickOnce)
{
  auto* box = Form->Get<TCheckBox>("ShowHidden");
  ASSERT_FALSE(box->Checked());
  // On the box itself, left of its text.
  ASSERT_TRUE(ClickAt(box->ClientToScreen(POINT{6, box->Height() / 2})));
  ASSERT_TRUE(PumpUntil([&] { return Form->Log.size() == 1; }));
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(box->Focused());
  ASSERT_TRUE(PressKey(VK_SPACE));
  ASSERT_TRUE(PumpUntil([&] { return Form->Log.size() == 2; }));
  EXPECT_FALSE(box->Checked());
  // Alt and the letter after '&', with the focus elsewhere.
  Form->Get<TListBox>("FileList")->SetFocus();
  ASSERT_TRUE(PressKey('H', {VK_MENU}));
  ASSERT_TRUE(PumpUntil([&] { return Form->Log.size() == 3; }));
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(box->Focused());
  Pump(100);
  EXPECT_EQ(Form->Log, (std::vector<std::string>{"hidden on", "hidden off", "hidden on"}));
}

TEST_F(DialogControls, ADisabledCheckBoxIgnoresClicksAndItsAccelerator)
{
  auto* box = Form->Get<TCheckBox>("ShowHidden");
  auto* list = Form->Get<TListBox>("FileList");
  box->SetEnabled(false);
  Pages()->SetFocus();
  ASSERT_TRUE(ClickAt(box->ClientToScreen(POINT{6, box->Height() / 2})));
  ASSERT_TRUE(PressKey('H', {VK_MENU}));
  // Then input that does answer: once it has, the input before it has been handled.
  ASSERT_TRUE(PressKey('F', {VK_MENU}));
  ASSERT_TRUE(PumpUntil([&] { return list->Focused(); }));
  EXPECT_FALSE(box->Checked());
  EXPECT_TRUE(Form->Log.empty());
}

TEST_F(DialogControls, AltAndTheLabelsLetterFocusesItsList)
{
  auto* list = Form->Get<TListBox>("FileList");
  auto* label = Form->Get<TLabel>("FilesLabel");
  EXPECT_EQ(label->FocusControl(), list);
  Form->Get<TCheckBox>("ShowHidden")->SetFocus();
  ASSERT_TRUE(PressKey('F', {VK_MENU}));
  ASSERT_TRUE(PumpUntil([&] { return list->Focused(); }));
  EXPECT_TRUE(Form->Log.empty());
  // The label forgets a control that is freed.
  auto* other = New<TListBox>(Form);
  label->SetFocusControl(other);
  Free(other);
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(Accelerators, IsAccelFindsTheCharacterAfterASingleAmpersand)
{
  struct TCase {
    UINT Ch;
    const char* Caption;
    bool Expected;
  };
  const TCase cases[] = {
    {'F', "&Files:", true},   {'f', "&Files:", true},    {'I', "&Files:", false},
    {'A', "Toolb&ars:", true}, {'B', "Toolb&ars:", false}, {'A', "A && B", false},
    {'B', "A && &B", true},    {'X', "Ends with &", false}, {'X', "", false},
    {'D', "检索&D", true},    {'F', "无快捷键", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Caption);
    EXPECT_EQ(IsAccel(c.Ch, c.Caption), c.Expected);
  }
}

TEST_F(DialogControls, AListWiderThanItselfGetsAHorizontalScrollBarOfThatRange)
{
  auto* list = Form->Get<TListBox>("FileList");
  auto barShown = [&] {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(list->Handle(), OBJID_HSCROLL, &info);
    return (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
  };
  EXPECT_FALSE(barShown());
  list->SetScrollWidth(400);
  EXPECT_EQ(list->ScrollWidth(), 400);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 400);
  EXPECT_TRUE(barShown());
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(list->Handle(), SB_HORZ, &info));
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 399);
  EXPECT_EQ(static_cast<int>(info.nPage), list->ClientWidth());
  // Narrower than the list: none.
  list->SetScrollWidth(60);
  EXPECT_FALSE(barShown());
  // The extent outlives a new window.
  list->SetScrollWidth(500);
  list->RecreateWnd();
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 500);
}

namespace {
bool StyleOff() { return false; }
bool StyleOn() { return true; }
}  // namespace

TEST_F(DialogControls, BevelsDrawTheirLinesAndFramesInTheShadowAndHighlightColours)
{
  auto* group = Form->Get<TGroupBox>("OptionsGroup");
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  struct TCase {
    const char* Bevel;
    POINT At;  // in the bevel
    COLORREF Expected;
  };
  const TCase cases[] = {
    // A lowered top line: the shadow above the highlight.
    {"LineBevel", {20, 0}, shadow},  {"LineBevel", {20, 1}, highlight},
    // A lowered frame: a shadow frame with a highlight frame a pixel in from it.
    {"FrameBevel", {0, 0}, shadow}, {"FrameBevel", {1, 1}, highlight}, {"FrameBevel", {0, 15}, shadow},
    {"FrameBevel", {1, 15}, highlight}, {"FrameBevel", {58, 28}, shadow}, {"FrameBevel", {59, 29}, highlight},
    // A raised box: the highlight top left, the shadow bottom right.
    {"BoxBevel", {0, 0}, highlight}, {"BoxBevel", {30, 0}, highlight}, {"BoxBevel", {0, 15}, highlight},
    {"BoxBevel", {59, 15}, shadow},  {"BoxBevel", {30, 29}, shadow},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Bevel) + " " + std::to_string(c.At.x) + "," + std::to_string(c.At.y));
    auto* bevel = Form->Get<TBevel>(c.Bevel);
    EXPECT_EQ(PixelOf(group, bevel->Left() + c.At.x, bevel->Top() + c.At.y), c.Expected);
  }
  // The other way round.
  auto* line = Form->Get<TBevel>("LineBevel");
  line->SetStyle(bsRaised);
  EXPECT_EQ(PixelOf(group, line->Left() + 20, line->Top()), highlight);
  EXPECT_EQ(PixelOf(group, line->Left() + 20, line->Top() + 1), shadow);
}

TEST_F(DialogControls, TheGroupBoxFramesItsChildrenWithTheStyleOrAnEtchedEdge)
{
  auto* group = Form->Get<TGroupBox>("OptionsGroup");
  // The children lie inside the frame, below the caption.
  RECT client = group->ClientRect();
  group->AdjustClientRect(client);
  EXPECT_GT(client.top, 8);
  EXPECT_GE(client.left, 2);
  const int y = group->Height() - 20;
  {
    TScopedSetter<TThemesEnabledFunc> style(SetThemesEnabledFunc, StyleOff);
    group->Invalidate();
    EXPECT_EQ(PixelOf(group, 0, y), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(group, 1, y), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(group, group->Width() - 2, y), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(group, 5, y), GetSysColor(COLOR_BTNFACE));
  }
  if (!ThemesEnabled()) GTEST_SKIP() << "no visual style here";
  group->Invalidate();
  // The style's frame is a line of its own colour round the inside.
  EXPECT_NE(PixelOf(group, 0, y), PixelOf(group, 5, y));
  EXPECT_EQ(PixelOf(group, 5, y), PixelOf(group, 20, y));
}

TEST_F(DialogControls, TheGlyphButtonShowsItsGlyphCentredAndEmbossedWhenDisabled)
{
  auto* button = Form->Get<TBitBtn>("BHelp");
  // The 16 by 16 glyph on a 24 by 23 button: its 8 by 8 ink at 8..15, 7..14.
  const POINT ink{11, 10}, inkCorner{8, 7}, glyphCorner{4, 3}, belowRight{16, 15};
  for (auto style : {StyleOff, StyleOn}) {
    TScopedSetter<TThemesEnabledFunc> seam(SetThemesEnabledFunc, style);
    SCOPED_TRACE(style == StyleOff ? "classic" : "styled");
    button->SetEnabled(true);
    button->Invalidate();
    EXPECT_EQ(PixelOf(button, ink.x, ink.y), GlyphInk);
    EXPECT_EQ(PixelOf(button, inkCorner.x, inkCorner.y), GlyphInk);
    // The glyph's transparent colour shows the face.
    EXPECT_NE(PixelOf(button, glyphCorner.x, glyphCorner.y), GlyphBack);
    button->SetEnabled(false);
    button->Invalidate();
    EXPECT_EQ(PixelOf(button, ink.x, ink.y), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(button, belowRight.x, belowRight.y), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_NE(PixelOf(button, glyphCorner.x, glyphCorner.y), GlyphBack);
  }
}

TEST_F(DialogControls, AToolButtonRunsItsActionOnceAndADisabledOneRunsNothing)
{
  auto* bar = Form->Get<TToolBar>("Tools");
  auto* run = Form->Get<TToolButton>("RunButton");
  auto* stop = Form->Get<TToolButton>("StopButton");
  Pages()->SetActivePage(Sheet("tsTools"));
  Pump(50);
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(bar->Buttons(1)->Style(), tbsSeparator);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
  // The buttons lie where the bar's window puts them, and show their actions' images.
  RECT item{};
  SendMessageA(bar->Handle(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(stop->Left(), item.left);
  EXPECT_EQ(stop->Width(), item.right - item.left);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_GETBITMAP, static_cast<WPARAM>(run->Command()), 0), 0);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_GETBITMAP, static_cast<WPARAM>(stop->Command()), 0), 1);
  const POINT stopImage{stop->Left() + stop->Width() / 2, stop->Top() + stop->Height() / 2};
  EXPECT_EQ(PixelOf(bar, stopImage.x, stopImage.y), RGB(0, 0, 255));

  ASSERT_TRUE(ClickAt(CenterOf(run)));
  ASSERT_TRUE(PumpUntil([&] { return !Form->Log.empty(); }));
  EXPECT_EQ(Form->Log, (std::vector<std::string>{"run"}));

  // A disabled action greys its button, and a click on it runs nothing.
  Form->Get<TAction>("StopAction")->SetEnabled(false);
  EXPECT_FALSE(stop->Enabled());
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_ISBUTTONENABLED, static_cast<WPARAM>(stop->Command()), 0), 0);
  EXPECT_NE(PixelOf(bar, stopImage.x, stopImage.y), RGB(0, 0, 255));
  ASSERT_TRUE(ClickAt(CenterOf(stop)));
  ASSERT_TRUE(ClickAt(CenterOf(run)));
  ASSERT_TRUE(PumpUntil([&] { return Form->Log.size() == 2; }));
  Pump(100);
  EXPECT_EQ(Form->Log, (std::vector<std::string>{"run", "run"}));
  // Enabled again, it runs.
  Form->Get<TAction>("StopAction")->SetEnabled(true);
  EXPECT_EQ(PixelOf(bar, stopImage.x, stopImage.y), RGB(0, 0, 255));
  ASSERT_TRUE(ClickAt(CenterOf(stop)));
  ASSERT_TRUE(PumpUntil([&] { return Form->Log.size() == 3; }));
  EXPECT_EQ(Form->Log.back(), "stop");
}

TEST_F(DialogControls, AToolButtonsTipIsItsActionsHintAndItsImageFollowsTheAction)
{
  auto* bar = Form->Get<TToolBar>("Tools");
  auto* run = Form->Get<TToolButton>("RunButton");
  auto* stop = Form->Get<TToolButton>("StopButton");
  Pages()->SetActivePage(Sheet("tsTools"));
  EXPECT_EQ(run->Hint(), "Run the search");
  EXPECT_EQ(stop->Hint(), "Stop|Stops the running search");
  // What the bar's tip is told when it asks for a button's text: the short part of the hint.
  auto tipOf = [&](TToolButton* button) {
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(bar->Handle(), TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = static_cast<UINT_PTR>(button->Command());
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(bar->Handle(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    return std::wstring(info.lpszText ? info.lpszText : info.szText);
  };
  ASSERT_NE(SendMessageA(bar->Handle(), TB_GETTOOLTIPS, 0, 0), 0);
  EXPECT_EQ(tipOf(run), L"Run the search");
  EXPECT_EQ(tipOf(stop), L"Stop");
  Form->Get<TAction>("RunAction")->SetHint("检索");
  EXPECT_EQ(tipOf(run), L"检索");
  // The action's new image is the button's.
  Form->Get<TAction>("StopAction")->SetImageIndex(0);
  EXPECT_EQ(stop->ImageIndex(), 0);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_GETBITMAP, static_cast<WPARAM>(stop->Command()), 0), 0);
  // Without the image list the bar shows no images, and takes it back.
  Free(Form->Get<TImageList>("ToolImages"));
  EXPECT_EQ(bar->Images(), nullptr);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_GETIMAGELIST, 0, 0), 0);
}

TEST_F(DialogControls, TheStoredTreeHoldsItsNodesAndShowsThemWithTheFormsImages)
{
  auto* tree = Form->Get<TTreeView>("Folders");
  EXPECT_EQ(tree->Images(), Form->Get<TImageList>("ToolImages"));
  EXPECT_TRUE(tree->ReadOnly());
  ASSERT_EQ(tree->Items()->Count(), 4);
  const char* const texts[] = {"文件夹", "甲", "乙", "其他"};
  const int images[] = {0, 1, 1, 0};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(texts[i]);
    EXPECT_EQ(tree->Items()->Item(i)->Text(), texts[i]);
    EXPECT_EQ(tree->Items()->Item(i)->ImageIndex(), images[i]);
  }
  EXPECT_EQ(tree->Items()->Item(1)->Parent(), tree->Items()->Item(0));
  // Its window is made when its sheet first shows, with every node.
  Pages()->SetActivePage(Sheet("tsTree"));
  tree->Items()->Item(0)->Expand(false);
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 4);
  EXPECT_TRUE(Shows(tree));
}

TEST(DialogControlsLifetime, TheFormWithEveryControlMadeAndFreedManyTimesLeavesNoWindowsOrGdiObjects)
{
  auto makeUseAndFree = [] {
    auto* form = New<TDialogControlsTestForm>(Application);
    form->Get<TImageList>("ToolImages")->Add(SquareBitmap(16, RGB(255, 255, 255), RGB(255, 0, 0), 12).get(), nullptr);
    form->Get<TBitBtn>("BHelp")->SetGlyph(SquareBitmap(16, GlyphBack, GlyphInk, 8).get());
    form->Show();
    auto* pages = form->Get<TPageControl>("PageControl");
    for (int i = 0; i < pages->PageCount(); ++i) {
      pages->SetActivePageIndex(i);
      form->Update();
    }
    form->Get<TBitBtn>("BHelp")->SetEnabled(false);
    form->Update();
    Free(form);
  };
  // The first round makes what lives for the process (classes, cached objects).
  makeUseAndFree();
  HandleWaitingMessages();
  const int windowsBefore = ThreadWindowCount(), gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) makeUseAndFree();
  HandleWaitingMessages();
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}

TEST(DialogControlsStreaming, PageControlsAndToolBarsWrittenAndReadBackKeepTheirPagesAndButtons)
{
  // Each control the root of its stream, its pages or buttons its own components.
  TOwned<TPageControl> pages(New<TPageControl>(nullptr));
  pages->SetName("Pages");
  for (const char* name : {"First", "Second", "Third"}) {
    auto* sheet = New<TTabSheet>(pages.get());
    sheet->SetName(name);
    sheet->SetCaption(std::string(" ") + name + " ");
    sheet->SetPageControl(pages.get());
  }
  pages->Pages(2)->SetPageIndex(0);
  pages->Pages(1)->SetTabVisible(false);
  pages->SetActivePageIndex(2);
  const std::string pagesText = ComponentToText(pages.get());
  TOwned<TComponent> owner(New<TComponent>(nullptr));
  auto* pagesCopy = dynamic_cast<TPageControl*>(ReadComponentFromText(pagesText, nullptr, owner.get()));
  ASSERT_NE(pagesCopy, nullptr);
  ASSERT_EQ(pagesCopy->PageCount(), 3);
  const char* const order[] = {"Third", "First", "Second"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(pagesCopy->Pages(i)->Name(), order[i]);
  EXPECT_EQ(pagesCopy->Pages(0)->Caption(), " Third ");
  EXPECT_FALSE(pagesCopy->Pages(1)->TabVisible());
  EXPECT_EQ(pagesCopy->ActivePage(), pagesCopy->Pages(2));
  EXPECT_EQ(ComponentToText(pagesCopy), pagesText);

  TOwned<TToolBar> bar(New<TToolBar>(nullptr));
  bar->SetName("Bar");
  bar->SetFlat(true);
  for (TToolButtonStyle style : {tbsButton, tbsSeparator, tbsCheck}) {
    auto* button = New<TToolButton>(bar.get());
    button->SetName("B" + std::to_string(bar->ButtonCount()));
    button->SetStyle(style);
    button->SetImageIndex(bar->ButtonCount());
    button->SetParent(bar.get());
  }
  bar->Buttons(1)->SetWidth(8);
  bar->Buttons(2)->SetDown(true);
  const std::string barText = ComponentToText(bar.get());
  auto* barCopy = dynamic_cast<TToolBar*>(ReadComponentFromText(barText, nullptr, owner.get()));
  ASSERT_NE(barCopy, nullptr);
  EXPECT_TRUE(barCopy->Flat());
  ASSERT_EQ(barCopy->ButtonCount(), 3);
  EXPECT_EQ(barCopy->Buttons(1)->Style(), tbsSeparator);
  EXPECT_EQ(barCopy->Buttons(1)->Width(), 8);
  EXPECT_EQ(barCopy->Buttons(2)->ImageIndex(), 2);
  EXPECT_TRUE(barCopy->Buttons(2)->Down());
  EXPECT_EQ(ComponentToText(barCopy), barText);
}
