// Edit and combo items with their controls: the items' stored values, Text, ItemIndex and Items in
// step (the "INI" row found by the rows' own case rule), the prefix match, drop-down placement
// against several work areas, list widths, edit heights per painter, the combo arrow, and typing in
// the hosted edit of a floating toolbar (Enter, Tab, Escape, long texts, the events, the combo's
// keys and list) without leaks.
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ObjectText.h"
#include "classlib/TypInfo.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarItemList.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
struct TChangeLog : TObject {
  std::vector<std::string> Changes;
  int CurChanges = 0;
  void Changed(TObject* sender) { Changes.push_back(static_cast<TdxBarWindowItem*>(sender)->Text()); }
  void CurChanged(TObject*) { ++CurChanges; }
};

struct TItemsFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TOwned<TChangeLog> Log = MakeOwned<TChangeLog>();

  TdxBarCombo* NewCombo(std::initializer_list<const char*> rows = {"pas", "txt", "ini", "doc", ""})
  {
    auto* combo = New<TdxBarCombo>(Form);
    for (const char* row : rows) combo->Items()->Add(row);
    combo->SetOnChange(TNotifyEvent(Log.get(), &TChangeLog::Changed));
    combo->SetOnCurChange(TNotifyEvent(Log.get(), &TChangeLog::CurChanged));
    return combo;
  }
};
}  // namespace

// The stored values and their defaults; a MaxLength below 0 reads 0; ShowEditor is stored as itself.
TEST(dxBarEdits, PropertiesKeepTheirDefaultsAndRules)
{
  TItemsFixture f;
  TdxBarCombo* combo = f.NewCombo({});
  EXPECT_EQ(combo->Width(), 100);
  EXPECT_EQ(combo->DropDownCount(), 8);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_TRUE(combo->ShowEditor());
  EXPECT_FALSE(combo->CanClick());
  EXPECT_EQ(GetOrdProp(combo, "ShowEditor"), 1);
  SetOrdProp(combo, "ShowEditor", 0);
  EXPECT_FALSE(combo->ShowEditor());
  const TPropInfo& showEditor = GetPropInfo(combo, "ShowEditor");
  EXPECT_TRUE(showEditor.HasDefault);
  EXPECT_EQ(showEditor.Default, 1);
  EXPECT_FALSE(GetPropInfo(combo, "ItemIndex").HasDefault);  // always stored

  auto* edit = New<TdxBarEdit>(f.Form);
  edit->SetMaxLength(-5);
  EXPECT_EQ(edit->MaxLength(), 0);
  edit->SetMaxLength(12);
  EXPECT_EQ(edit->MaxLength(), 12);
  edit->SetWidth(0);
  edit->SetWidth(-3);
  EXPECT_EQ(edit->Width(), 100);
  SetStrProp(edit, "Text", "abc");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(edit->GetStyleCount(), 2);
}

// The start-up list pairs the items with their controls, and stored forms can name them.
TEST(dxBarEdits, StartUpPairsTheItemsWithTheirControls)
{
  TdxBarItemList* registry = GetItemClassRegistry();
  EXPECT_EQ(registry->FindControlClass(ClassRef<TdxBarEdit>()), ClassRef<TdxBarEditControl>());
  EXPECT_EQ(registry->FindControlClass(ClassRef<TCustomdxBarCombo>()), ClassRef<TCustomdxBarComboControl>());
  EXPECT_EQ(registry->FindControlClass(ClassRef<TdxBarCombo>()), ClassRef<TdxBarComboControl>());
  EXPECT_NE(GetClass("TdxBarCombo"), nullptr);
}

// Walking the rows in upper case, the longest agreement wins and a row holding the whole typed text
// is taken at once.
TEST(dxBarEdits, FindBestPrefixMatchTable)
{
  TItemsFixture f;
  struct TCase {
    std::vector<const char*> Rows;
    const char* Typed;
    int Expected;
  };
  const TCase cases[] = {
      {{"pas", "txt"}, "t", 1},      {{"pas", "txt"}, "x", -1},    {{"pas", "txt"}, "T", 1},
      {{"pas", "txt", "ini"}, "I", 2}, {{"pas", "pat", "pax"}, "pax", 2}, {{"pas", "pat"}, "pz", 0},
      {{"abc", "abd"}, "abdx", 1},  {{}, "a", -1},                {{"pas"}, "", -1},
  };
  for (const TCase& k : cases) {
    TdxBarCombo* combo = f.NewCombo({});
    for (const char* row : k.Rows) combo->Items()->Add(row);
    EXPECT_EQ(combo->FindBestPrefixMatch(k.Typed), k.Expected) << k.Typed;
  }
}

// Text, ItemIndex and Items in step; every real change fires OnChange once.
TEST(dxBarEdits, TextItemIndexAndItemsSequences)
{
  TItemsFixture f;
  TdxBarCombo* combo = f.NewCombo();
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "txt");
  EXPECT_EQ(f.Log->Changes, (std::vector<std::string>{"txt"}));

  // An upper-case text finds its row by the rows' own rule ...
  combo->SetText("INI");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "INI");
  // ... and a change of the rows keeps it: the same rule, not an exact comparison.
  combo->Items()->Add("cpp");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "INI");
  combo->Items()->Insert(0, "h");
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Text(), "INI");

  // Past the rows: -1 and the text cleared, one change.
  f.Log->Changes.clear();
  combo->SetItemIndex(10);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(f.Log->Changes.size(), 1u);

  // The same index again changes nothing; a row equal to the text still fires once.
  combo->SetItemIndex(-1);
  EXPECT_EQ(f.Log->Changes.size(), 1u);
  combo->SetText("doc");
  f.Log->Changes.clear();
  combo->SetItemIndex(-1);
  combo->SetItemIndex(combo->Items()->IndexOf("doc"));
  EXPECT_EQ(f.Log->Changes.size(), 2u);

  // Replaced rows that no longer hold the text clear it.
  TOwned<TStringList> other = MakeOwned<TStringList>();
  other->Add("a");
  other->Add("b");
  combo->SetItems(other.get());
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");

  // Sorted keeps the text and moves the index.
  combo->Items()->Clear();
  for (const char* row : {"pas", "txt", "ini"}) combo->Items()->Add(row);
  combo->SetItemIndex(2);
  combo->SetSorted(true);
  EXPECT_EQ(combo->Text(), "ini");
  EXPECT_EQ(combo->ItemIndex(), 0);
}

namespace {
RECT GWorkAreas[2];
RECT TwoAreas(POINT p)
{
  return p.x < GWorkAreas[0].right ? GWorkAreas[0] : GWorkAreas[1];
}

// A combo whose drop-down window is a plain popup of a known size, shown through a floating toolbar.
struct TToolbarFixture {
  TItemsFixture Items;
  TdxBar* Bar = Items.Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;
  TToolbarFixture()
  {
    Items.Form->Show();
    SetForegroundWindow(Items.Form->Handle());
    Bar->SetCaption("Tools");
    Pump(30);
  }
  ~TToolbarFixture() { Free(Toolbar); }
  TdxBarItemLink* Add(TdxBarItem* item) { return Bar->ItemLinks()->AddItem(item); }
  TdxBarControl* Show(POINT at = {200, 200}, SIZE size = {260, 80})
  {
    Toolbar = New<TdxBarControl>(Items.Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Toolbar->SetBounds(at.x, at.y, size.cx, size.cy);
    Toolbar->ShowToolbar();
    Pump(30);
    // The links one after another at their own sizes (the toolbar's row layout is not needed here).
    int x = 2;
    for (int i = 0; i < Bar->ItemLinks()->Count(); ++i) {
      TdxBarItemLink* link = Bar->ItemLinks()->Items(i);
      TdxBarItemControl* control = link->Control();
      if (!control) continue;
      const int width = control->GetLayoutWidth(), height = control->GetLayoutHeight();
      link->SetItemRect(RECT{x, 2, x + width, 2 + height});
      control->ViewInfo()->SetBounds(link->ItemRect());
      x += width + 2;
    }
    return Toolbar;
  }
  POINT CenterOf(TdxBarItemLink* link) const
  {
    const RECT& r = link->ItemRect();
    return Toolbar->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
};
}  // namespace

// The list opens below the box, moves left at a right edge, and above the box at a bottom edge,
// each against the work area of the monitor nearest the point.
TEST(dxBarEdits, DropDownPositionAgainstSeveralWorkAreas)
{
  TToolbarFixture f;
  TdxBarCombo* combo = f.Items.NewCombo();
  TdxBarItemLink* link = f.Add(combo);
  f.Show();
  ASSERT_NE(link->Control(), nullptr);
  link->Control()->ControlActivated(true, false);
  SetWindowPos(combo->GetDropDownWindow(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT item = link->ItemRect();
  const int itemHeight = item.bottom - item.top;
  GWorkAreas[0] = RECT{0, 0, 1000, 700};
  GWorkAreas[1] = RECT{1000, 100, 1800, 600};
  TScopedSeam areas(cxDesktopWorkAreaFunc, &TwoAreas);
  struct TCase {
    POINT At;
    POINT Expected;
  };
  const TCase cases[] = {
      {{100, 100}, {100, 100}},                          // fits
      {{950, 100}, {1000 - 120, 100}},                   // right edge of the first area
      {{1100, 580}, {1100, 580 - itemHeight - 90}},      // bottom of the second area: above the box
      {{1100, 50}, {1100, 100}},                         // above the second area's top
      {{-40, 10}, {0, 10}},                              // left of the first area
  };
  for (const TCase& k : cases) {
    int x = k.At.x, y = k.At.y;
    combo->CalcDropDownPosition(x, y);
    EXPECT_EQ(x, k.Expected.x) << k.At.x << "," << k.At.y;
    EXPECT_EQ(y, k.Expected.y) << k.At.x << "," << k.At.y;
  }
  link->Control()->ControlDeactivated(true);
}

// With three short rows the list is as wide as the edit box; with more rows than DropDownCount the
// scroll bar stands inside that width; a DropDownWidth is the inner width.
TEST(dxBarEdits, ListWidthsWithAndWithoutScrollBar)
{
  TToolbarFixture f;
  TdxBarCombo* combo = f.Items.NewCombo({"a", "b", "c"});
  TdxBarItemLink* link = f.Add(combo);
  f.Show();
  auto* control = As<TdxBarComboControl>(link->Control());
  ASSERT_NE(control, nullptr);
  control->ControlActivated(true, false);
  const RECT edit = control->PartRects()[dxBarEditPart];
  const int editWidth = edit.right - edit.left;
  ASSERT_GT(editWidth, 20);
  EXPECT_EQ(combo->CalcDropDownWidth(), editWidth);
  for (int i = 0; i < 9; ++i) combo->Items()->Add("r" + std::to_string(i));
  EXPECT_EQ(combo->CalcDropDownWidth(), editWidth);
  combo->SetDropDownWidth(50);
  EXPECT_EQ(combo->CalcDropDownWidth(), 50 + 4 + GetSystemMetrics(SM_CXVSCROLL));
  control->ControlDeactivated(true);
}

// An edit is the text height plus the content and caption margins: 22 at 13 with the base painter,
// 19 with the standard one.
TEST(dxBarEdits, EditHeightsPerPainter)
{
  TOwned<TdxBarPainter> base = MakeOwned<TdxBarPainter>(nullptr);
  EXPECT_EQ(base->CalcEditItemHeight(nullptr, 13), 22);
  EXPECT_EQ(MakeOwned<TdxBarStandardPainter>(nullptr)->CalcEditItemHeight(nullptr, 13), 19);
  TOwned<TdxBarPainter> painters[] = {MakeOwned<TdxBarStandardPainter>(nullptr), MakeOwned<TdxBarFlatPainter>(nullptr)};
  for (const TOwned<TdxBarPainter>& p : painters) {
    const RECT content = p->GetEditContentMargins(ptHorz), caption = p->GetCaptionMargins();
    EXPECT_EQ(p->CalcEditItemHeight(nullptr, 13), 13 + content.top + content.bottom + caption.top + caption.bottom);
  }
  RECT text{0, 0, 100, 22};
  base->GetEditTextRect(ptHorz, text);
  EXPECT_EQ(text.left, 2);
  EXPECT_EQ(text.top, 2);
  EXPECT_EQ(text.right, 98);
  EXPECT_EQ(text.bottom, 20);
}

namespace {
// Records the arrow size the combo button asks for.
class TArrowPainter : public TdxBarPainter {
  CL_CLASS(TArrowPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
  mutable int Size = 0;
  void DrawSubMenuArrow(TdxBarItemControlDrawParams*, const RECT&, TColor, int size) const override { Size = size; }
};
}  // namespace
CL_DEFINE_CLASS(TArrowPainter);

// The arrow is a quarter of the button, always odd.
TEST(dxBarEdits, ComboArrowSizeIsAlwaysOdd)
{
  TOwned<TArrowPainter> painter = MakeOwned<TArrowPainter>(nullptr);
  const std::pair<int, int> cases[] = {{4, 1}, {7, 1}, {8, 3}, {12, 3}, {15, 3}, {16, 5}, {23, 5}};
  for (auto [width, size] : cases) {
    painter->DrawComboButton(nullptr, RECT{0, 0, width, 20});
    EXPECT_EQ(painter->Size, size) << width;
  }
}

// The hot border is a sunken edge round the box: shadow on the top and left, highlight on the
// bottom and right; SelectAllEditText reports the change first.
TEST(dxBarEdits, HotEditBorderIsASunkenEdge)
{
  TToolbarFixture f;
  auto* edit = New<TdxBarEdit>(f.Items.Form);
  TdxBarItemLink* link = f.Add(edit);
  f.Show();
  auto* control = As<TdxBarEditControl>(link->Control());
  ASSERT_NE(control, nullptr);
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(40, 20);
  bitmap->Canvas()->Brush()->SetColor(clFuchsia);
  RECT all{0, 0, 40, 20};
  bitmap->Canvas()->FillRect(all);
  TOwned<TcxCanvas> canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());
  control->CalcDrawParams(true);
  control->DrawParams()->Canvas = canvas.get();
  control->DrawParams()->DrawSelected = true;
  RECT r = all;
  control->GetPainter()->DrawEditBorder(control->DrawParams(), r);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.bottom, 18);
  HDC dc = canvas->GetDCHandle();
  EXPECT_EQ(GetPixel(dc, 10, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 0, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 10, 19), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 39, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 20, 10), RGB(255, 0, 255));
  control->DrawParams()->Canvas = nullptr;
}

namespace {
// An edit (and a combo of the extension rows) on a floating toolbar, with their events logged.
struct TTypingFixture : TToolbarFixture {
  TdxBarEdit* Edit = New<TdxBarEdit>(Items.Form);
  TdxBarCombo* Combo = Items.NewCombo();
  TdxBarItemLink* EditLink = Add(Edit);
  TdxBarItemLink* ComboLink = Add(Combo);
  TOwned<TChangeLog> EditLog = MakeOwned<TChangeLog>();
  TTypingFixture()
  {
    Edit->SetOnChange(TNotifyEvent(EditLog.get(), &TChangeLog::Changed));
    Edit->SetOnCurChange(TNotifyEvent(EditLog.get(), &TChangeLog::CurChanged));
    Combo->SetItemIndex(1);
    Items.Log->Changes.clear();
    Show();
  }
  TdxBarEditControl* EditControl() const { return As<TdxBarEditControl>(EditLink->Control()); }
  TdxBarComboControl* ComboControl() const { return As<TdxBarComboControl>(ComboLink->Control()); }
  HWND EditWindow() const { return EditControl()->EditWindow(); }
  HWND ComboWindow() const { return ComboControl()->EditWindow(); }
  static void Type(HWND wnd, const std::string& text)
  {
    for (char c : text) SendMessageA(wnd, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  static void Key(HWND wnd, WORD key) { SendMessageA(wnd, WM_KEYDOWN, key, 1); }
};
}  // namespace

// Editing starts on the item's FocusControl: the hidden "EDIT" child shows with the item's text,
// the limit of MaxLength and the focus; typing fires OnCurChange per change (the text written when
// editing starts does not); Enter stores it with one OnChange and hides the window.
TEST(dxBarEdits, TypingThenEnterStoresTheText)
{
  TTypingFixture f;
  f.Edit->SetText("old");
  f.EditLog->Changes.clear();
  f.Edit->SetMaxLength(40);
  HWND wnd = f.EditWindow();
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)), 0x40000084u);
  EXPECT_EQ(GetParent(wnd), f.Toolbar->Handle());
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_EQ(SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0), 40);

  f.Edit->FocusControl();
  EXPECT_TRUE(f.EditControl()->Focused());
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(GetFocus(), wnd);
  EXPECT_EQ(f.Edit->GetEditingText(), "old");
  EXPECT_EQ(f.EditLog->CurChanges, 0);
  f.Type(wnd, "new");
  EXPECT_EQ(f.EditLog->CurChanges, 3);
  EXPECT_EQ(f.Edit->GetEditingText(), "new");
  EXPECT_EQ(f.Edit->Text(), "old");
  f.Key(wnd, VK_RETURN);
  EXPECT_EQ(f.Edit->Text(), "new");
  EXPECT_EQ(f.EditLog->Changes, (std::vector<std::string>{"new"}));
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_FALSE(f.EditControl()->Focused());

  // Writes from code never count as typing.
  f.Edit->SetText("code");
  EXPECT_EQ(f.EditLog->CurChanges, 3);
}

// Tab stores as Enter does; Escape (here synthesized, with no key held) drops the typed text even
// when the manager saves text on leaving; leaving another way stores only with AlwaysSaveText.
TEST(dxBarEdits, TabStoresEscapeDropsLeavingFollowsAlwaysSaveText)
{
  TTypingFixture f;
  HWND wnd = f.EditWindow();
  f.Edit->FocusControl();
  f.Type(wnd, "tab");
  f.Key(wnd, VK_TAB);
  EXPECT_EQ(f.Edit->Text(), "tab");
  EXPECT_FALSE(f.EditControl()->Focused());

  f.Items.Manager->SetAlwaysSaveText(true);
  f.Edit->FocusControl();
  SendMessageA(wnd, EM_SETSEL, 0, -1);
  f.Type(wnd, "esc");
  f.Key(wnd, VK_ESCAPE);
  EXPECT_EQ(f.Edit->Text(), "tab");
  EXPECT_FALSE(f.EditControl()->Focused());

  // Leaving by a change of the bar's selection (a click elsewhere) stores with AlwaysSaveText ...
  f.Edit->FocusControl();
  f.Type(wnd, "kept");
  f.Toolbar->ChangeSelection(nullptr);
  EXPECT_EQ(f.Edit->Text(), "kept");
  // ... and drops without it, as the main window's manager does.
  f.Items.Manager->SetAlwaysSaveText(false);
  f.Edit->FocusControl();
  f.Type(wnd, "dropped");
  f.Toolbar->ChangeSelection(nullptr);
  EXPECT_EQ(f.Edit->Text(), "kept");
}

// A text longer than 255 characters is read and stored whole.
TEST(dxBarEdits, ASixHundredCharacterTextSurvivesEnter)
{
  TTypingFixture f;
  HWND wnd = f.EditWindow();
  f.Edit->FocusControl();
  std::string text;
  for (int i = 0; i < 600; ++i) text += static_cast<char>('a' + i % 26);
  SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  EXPECT_EQ(f.EditControl()->ReadWindowText().size(), 600u);
  f.Key(wnd, VK_RETURN);
  EXPECT_EQ(f.Edit->Text(), text);
}

// The combo starts on its row; Up and Down step within the rows while closed (the window shows the
// row, the item keeps its value until Enter); Enter takes the row.
TEST(dxBarEdits, ComboStepsThroughItsRowsWhileClosed)
{
  TTypingFixture f;
  EXPECT_EQ(f.Combo->Text(), "txt");
  HWND wnd = f.ComboWindow();
  f.Combo->FocusControl();
  ASSERT_TRUE(f.ComboControl()->Focused());
  EXPECT_EQ(f.ComboControl()->CurItemIndex(), 1);
  EXPECT_EQ(f.ComboControl()->ReadWindowText(), "txt");
  f.Key(wnd, VK_DOWN);
  EXPECT_EQ(f.ComboControl()->CurItemIndex(), 2);
  EXPECT_EQ(f.ComboControl()->ReadWindowText(), "ini");
  EXPECT_EQ(f.Combo->ItemIndex(), 1);
  for (int i = 0; i < 5; ++i) f.Key(wnd, VK_DOWN);
  EXPECT_EQ(f.ComboControl()->CurItemIndex(), 4);  // not past the last row
  f.Key(wnd, VK_UP);
  SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(f.ComboControl()->CurItemIndex(), 2);
  SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(f.ComboControl()->CurItemIndex(), 3);
  EXPECT_TRUE(f.Items.Log->Changes.empty());
  f.Key(wnd, VK_RETURN);
  EXPECT_EQ(f.Combo->ItemIndex(), 3);
  EXPECT_EQ(f.Combo->Text(), "doc");
  EXPECT_EQ(f.Items.Log->Changes, (std::vector<std::string>{"doc"}));
}

// F4 opens the list below the box and closes it; a click on a row takes it with one OnChange; typed
// "INI" selects "ini" in the open list and Enter stores "INI" on row 2; a read-only combo never
// opens.
TEST(dxBarEdits, ComboListOpensBelowTheBoxAndTakesAClickedRow)
{
  TTypingFixture f;
  HWND wnd = f.ComboWindow();
  f.Combo->FocusControl();
  f.Key(wnd, VK_F4);
  ASSERT_TRUE(f.ComboControl()->DroppedDown());
  HWND list = f.Combo->GetDropDownWindow();
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetWindowLongA(list, GWL_EXSTYLE) & 0x88, 0x88);
  RECT listRect{};
  GetWindowRect(list, &listRect);
  const RECT item = f.ComboLink->ItemRect();
  const POINT below = f.Toolbar->ClientToScreen(POINT{f.ComboControl()->PartRects()[dxBarEditPart].left, item.bottom});
  EXPECT_EQ(listRect.left, below.x);
  EXPECT_EQ(listRect.top, below.y);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 5);
  f.Key(wnd, VK_F4);
  EXPECT_FALSE(f.ComboControl()->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(list));

  // Typing with the list open: "I" scrolls "ini" to the top without selecting it, "INI" selects it
  // (two rows shown, so that the list can scroll).
  f.Combo->SetDropDownCount(2);
  f.Key(wnd, VK_F4);
  SendMessageA(wnd, EM_SETSEL, 0, -1);
  f.Type(wnd, "I");
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 2);
  f.Type(wnd, "NI");
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  f.Key(wnd, VK_RETURN);
  EXPECT_EQ(f.Combo->Text(), "INI");
  EXPECT_EQ(f.Combo->ItemIndex(), 2);
  EXPECT_FALSE(IsWindowVisible(list));

  // A click on a row.
  f.Items.Log->Changes.clear();
  f.Combo->FocusControl();
  f.Key(wnd, VK_F4);
  ASSERT_TRUE(IsWindowVisible(list));
  RECT row{};
  SendMessageA(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(f.ComboControl()->ReadWindowText(), "doc");  // shown before it is taken
  EXPECT_TRUE(f.Items.Log->Changes.empty());
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  ReleaseCapture();
  EXPECT_EQ(f.Combo->ItemIndex(), 3);
  EXPECT_EQ(f.Combo->Text(), "doc");
  EXPECT_EQ(f.Items.Log->Changes, (std::vector<std::string>{"doc"}));
  EXPECT_FALSE(IsWindowVisible(list));

  f.Toolbar->ChangeSelection(nullptr);
  f.Combo->SetReadOnly(true);
  f.Combo->FocusControl();
  f.Key(wnd, VK_F4);
  EXPECT_FALSE(f.ComboControl()->DroppedDown());
  f.Key(wnd, VK_DOWN);
  EXPECT_EQ(f.ComboControl()->CurItemIndex(), 3);
  f.Key(wnd, VK_ESCAPE);
}

// Edited and left 100 times, the edit leaves no GDI object and no window behind.
TEST(dxBarEdits, EditingAndLeavingLeaksNothing)
{
  TTypingFixture f;
  HWND wnd = f.EditWindow();
  HWND combo = f.ComboWindow();
  f.Edit->FocusControl();
  f.Key(wnd, VK_ESCAPE);
  f.Combo->FocusControl();
  f.Key(combo, VK_F4);
  f.Key(combo, VK_ESCAPE);
  Pump(20);
  const int windows = ThreadWindowCount(), gdi = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    f.Edit->FocusControl();
    f.Type(wnd, "x");
    f.Key(wnd, i % 2 ? VK_ESCAPE : VK_RETURN);
    f.Combo->FocusControl();
    f.Key(combo, VK_F4);
    f.Key(combo, VK_F4);
    f.Key(combo, VK_ESCAPE);
  }
  Pump(20);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}

// Keys pressed as a user presses them: typed text stored by Enter, dropped by Escape; Alt+Down
// opens and closes the combo's list.
TEST(dxBarEdits, KeysFromTheKeyboardStoreDropAndOpen)
{
  TTypingFixture f;
  HWND wnd = f.EditWindow();
  f.Edit->FocusControl();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == wnd; }));
  for (WORD key : {WORD('A'), WORD('B')}) ASSERT_TRUE(PressKey(key));
  ASSERT_TRUE(PumpUntil([&] { return f.EditControl()->ReadWindowText().size() == 2; }));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(PumpUntil([&] { return !f.EditControl()->Focused(); }));
  EXPECT_EQ(f.Edit->Text(), "ab");
  EXPECT_EQ(f.EditLog->Changes.size(), 1u);

  f.Items.Manager->SetAlwaysSaveText(true);
  f.Edit->FocusControl();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == wnd; }));
  ASSERT_TRUE(PressKey('C'));
  ASSERT_TRUE(PumpUntil([&] { return f.EditControl()->ReadWindowText() == "c"; }));
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(PumpUntil([&] { return !f.EditControl()->Focused(); }));
  EXPECT_EQ(f.Edit->Text(), "ab");

  HWND combo = f.ComboWindow();
  f.Combo->FocusControl();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == combo; }));
  ASSERT_TRUE(PressKey(VK_DOWN, {VK_MENU}));
  ASSERT_TRUE(PumpUntil([&] { return f.ComboControl()->DroppedDown(); }));
  ASSERT_TRUE(PressKey(VK_DOWN, {VK_MENU}));
  ASSERT_TRUE(PumpUntil([&] { return !f.ComboControl()->DroppedDown(); }));
  EXPECT_TRUE(f.ComboControl()->Focused());
  f.Key(combo, VK_ESCAPE);
}

// The extension combo as the main window stores it: rows, row 1, its text and no editor, read
// without OnChange; written back, ShowEditor, ItemIndex and Width are kept and a MaxLength read as
// 0 is left out.
TEST(dxBarEdits, StoredComboReadsItsRowsIndexAndTextWithoutOnChange)
{
  TTestForm f;
  ReadComponentFromText(R"(object BarsForm: TBarsTestForm
  object dxBarManager1: TdxBarManager
    Categories.Strings = (
      'Default')
    Categories.ItemsVisibles = (
      2)
    Categories.Visibles = (
      True)
    object ExtCombo: TdxBarCombo
      Category = 0
      Width = 80
      ShowEditor = False
      Text = 'txt'
      Items.Strings = (
        'pas'
        'txt'
        'ini'
        'doc'
        '')
      ItemIndex = 1
    end
    object SearchEdit: TdxBarEdit
      Category = 0
      MaxLength = -5
      Text = 'find'
    end
  end
end
)",
                        f.Form.get());
  auto* combo = As<TdxBarCombo>(f->FindComponent("ExtCombo"));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->Items()->Count(), 5);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "txt");
  EXPECT_FALSE(combo->ShowEditor());
  EXPECT_EQ(combo->Width(), 80);
  auto* edit = As<TdxBarEdit>(f->FindComponent("SearchEdit"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Text(), "find");
  EXPECT_EQ(edit->MaxLength(), 0);

  const std::string written = ComponentToText(f.Form.get());
  EXPECT_NE(written.find("ShowEditor = False"), std::string::npos);
  EXPECT_NE(written.find("ItemIndex = 1"), std::string::npos);
  EXPECT_NE(written.find("Width = 80"), std::string::npos);
  EXPECT_EQ(written.find("MaxLength"), std::string::npos);
}

// Drawn idle, the edit box and the closed combo's box are filled with the window colour inside their
// parts and no further (right of the box lies the item's own background); the combo's button part
// stands right of its box, one pixel apart, the column between them in the window colour too.
TEST(dxBarEdits, IdleBoxesFillTheirPartsWithTheWindowColour)
{
  TTypingFixture f;
  f.Edit->SetText("search text");
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(400, 40);
  bitmap->Canvas()->Brush()->SetColor(clFuchsia);
  RECT all{0, 0, 400, 40};
  bitmap->Canvas()->FillRect(all);
  TOwned<TcxCanvas> canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());
  for (TdxBarItemLink* link : {f.EditLink, f.ComboLink}) link->Control()->DrawTo(canvas.get(), link->ItemRect(), 0);
  TCanvas* c = bitmap->Canvas();
  const TColor window = static_cast<TColor>(GetSysColor(COLOR_WINDOW));
  for (TdxBarItemLink* link : {f.EditLink, f.ComboLink}) {
    const RECT box = link->Control()->PartRects()[dxBarEditPart];
    ASSERT_FALSE(IsRectEmpty(&box));
    EXPECT_EQ(c->Pixels(box.right - 2, box.bottom - 2), window);
    EXPECT_EQ(c->Pixels(box.left, box.bottom - 1), window);
    EXPECT_EQ(c->Pixels(box.right, box.bottom - 1) == window, link == f.ComboLink);
  }
  const RECT box = f.ComboControl()->PartRects()[dxBarEditPart];
  const RECT button = f.ComboControl()->PartRects()[dxBarComboButtonPart];
  EXPECT_EQ(button.left, box.right + 1);
  EXPECT_EQ(button.right - button.left, f.Toolbar->DropDownButtonWidth());
  // The idle button is framed in the window colour round a face of the bar's background.
  EXPECT_EQ(c->Pixels((button.left + button.right) / 2, button.bottom - 1), window);
  EXPECT_NE(c->Pixels(button.left + 2, button.bottom - 2), window);
}

namespace {
// The box of the pixels of one colour inside the rect (empty when there are none).
RECT ExtentOf(HDC dc, const RECT& r, COLORREF color)
{
  RECT e{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (GetPixel(dc, x, y) == color) e = RECT{std::min<LONG>(e.left, x), std::min<LONG>(e.top, y),
                                                std::max<LONG>(e.right, x + 1), std::max<LONG>(e.bottom, y + 1)};
  return e.left < e.right ? e : RECT{};
}

// The colour a toolbar's own background has at its origin.
COLORREF ToolbarBackground(TdxBarControl* toolbar)
{
  TOwned<TBitmap> one = MakeOwned<TBitmap>();
  one->SetSize(1, 1);
  toolbar->FillBackground(one->Canvas()->Handle(), RECT{0, 0, 1, 1});
  return GetPixel(one->Canvas()->Handle(), 0, 0);
}
}  // namespace

// The combo button of the main window's look per state: framed by the window colour at rest (the
// column left of it too), a raised edge when hot, a sunken one with the arrow one pixel right and
// down when dropped down, framed by the bar's background when disabled, the face in the bar's
// background inside. The edit border's two rings show the bar's background when enabled; a disabled
// box has a highlight inner ring.
TEST(dxBarEdits, ComboButtonsAndEditBordersPerState)
{
  TTypingFixture f;
  const COLORREF bar = ToolbarBackground(f.Toolbar), window = GetSysColor(COLOR_WINDOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT), ground = RGB(255, 0, 255);
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(40, 20);
  TOwned<TcxCanvas> canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());
  HDC dc = canvas->GetDCHandle();
  const RECT all{0, 0, 40, 20};
  auto clear = [&] {
    bitmap->Canvas()->Brush()->SetColor(clFuchsia);
    bitmap->Canvas()->FillRect(all);
  };

  TdxBarComboControl* combo = f.ComboControl();
  TdxBarPainter* painter = combo->GetPainter();
  const struct {
    const char* Name;
    bool Selected, Enabled, DroppedDown;
    COLORREF Top, Left, Bottom, Column;
    int Shift;
  } cases[] = {{"at rest", false, true, false, window, window, window, window, 0},
               {"hot", true, true, false, highlight, highlight, shadow, bar, 0},
               {"dropped down", true, true, true, shadow, shadow, highlight, bar, 1},
               {"disabled", false, false, false, bar, bar, bar, bar, 0}};
  const RECT button{4, 0, 20, 20}, face{5, 1, 19, 19};
  RECT restArrow{};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    clear();
    combo->CalcDrawParams(true);
    auto* p = ObjectAs<TdxBarEditLikeControlDrawParams>(combo->DrawParams());
    ASSERT_NE(p, nullptr);
    p->Canvas = canvas.get();
    p->DrawSelected = c.Selected;
    p->Enabled = c.Enabled;
    p->DroppedDown = c.DroppedDown;
    painter->DrawComboButton(p, button);
    p->Canvas = nullptr;
    EXPECT_EQ(GetPixel(dc, 10, 0), c.Top);
    EXPECT_EQ(GetPixel(dc, 4, 10), c.Left);
    EXPECT_EQ(GetPixel(dc, 10, 19), c.Bottom);
    EXPECT_EQ(GetPixel(dc, 3, 10), c.Column);
    EXPECT_EQ(GetPixel(dc, 2, 10), ground) << "nothing left of the column";
    EXPECT_EQ(GetPixel(dc, 20, 10), ground) << "nothing right of the button";
    EXPECT_EQ(GetPixel(dc, 6, 2), bar) << "the face";
    const RECT arrow = ExtentOf(dc, face, text);
    if (!c.Enabled) {
      EXPECT_TRUE(IsRectEmpty(&arrow)) << "a disabled arrow is not in the text colour";
      const RECT greyed = ExtentOf(dc, face, shadow);
      EXPECT_FALSE(IsRectEmpty(&greyed));
      continue;
    }
    ASSERT_FALSE(IsRectEmpty(&arrow));
    EXPECT_EQ(arrow.right - arrow.left, 2 * 5 - 1) << "a 16-pixel button has an arrow of size 5";
    if (!c.Selected) restArrow = arrow;
    EXPECT_EQ(arrow.left, restArrow.left + c.Shift);
    EXPECT_EQ(arrow.top, restArrow.top + c.Shift);
  }

  TdxBarEditControl* edit = f.EditControl();
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled edit" : "disabled edit");
    clear();
    edit->CalcDrawParams(true);
    edit->DrawParams()->Canvas = canvas.get();
    edit->DrawParams()->Enabled = enabled;
    RECT r = all;
    painter->DrawEditBorder(edit->DrawParams(), r);
    edit->DrawParams()->Canvas = nullptr;
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.bottom, 18);
    for (POINT outer : {POINT{10, 0}, POINT{0, 10}, POINT{10, 19}, POINT{39, 10}}) EXPECT_EQ(GetPixel(dc, outer.x, outer.y), bar);
    for (POINT inner : {POINT{10, 1}, POINT{1, 10}, POINT{10, 18}, POINT{38, 10}})
      EXPECT_EQ(GetPixel(dc, inner.x, inner.y), enabled ? bar : highlight);
    EXPECT_EQ(GetPixel(dc, 20, 10), ground) << "the box itself is left alone";
  }
}

namespace {
struct TClickCount : TObject {
  int Clicks = 0;
  void Click(TObject*) { ++Clicks; }
};

// The main window's search row on a toolbar docked at the top of a shown form: the search box, the
// extension combo and a search button; input comes from the mouse and the keyboard.
struct TDockedEditsFixture {
  TItemsFixture Items;
  TdxBar* Bar = Items.Manager->Bars()->Add();
  TdxBarEdit* Edit = New<TdxBarEdit>(Items.Form);
  TdxBarCombo* Combo = Items.NewCombo();
  TdxBarButton* Button = New<TdxBarButton>(Items.Form);
  TOwned<TChangeLog> EditLog = MakeOwned<TChangeLog>();
  TOwned<TClickCount> Clicks = MakeOwned<TClickCount>();

  TDockedEditsFixture()
  {
    Items.Form->SetBounds(100, 100, 600, 300);
    Edit->SetWidth(120);
    Edit->SetOnChange(TNotifyEvent(EditLog.get(), &TChangeLog::Changed));
    Edit->SetOnCurChange(TNotifyEvent(EditLog.get(), &TChangeLog::CurChanged));
    Combo->SetItemIndex(1);
    Button->SetCaption("检索");
    Button->SetOnClick(TNotifyEvent(Clicks.get(), &TClickCount::Click));
    for (TdxBarItem* item : std::initializer_list<TdxBarItem*>{Edit, Combo, Button}) Bar->ItemLinks()->AddItem(item);
    Bar->SetCaption("Search");
    Bar->SetDockingStyle(dsTop);
    Bar->SetVisible(true);
    Items.Form->Show();
    BringToFront(Items.Form->Handle());
    Pump(50);
  }
  TdxBarControl* Toolbar() const { return Bar->GetBarControl(); }
  TdxBarEditControl* EditControl() const { return As<TdxBarEditControl>(Edit->GetLink(0)->Control()); }
  TdxBarComboControl* ComboControl() const { return As<TdxBarComboControl>(Combo->GetLink(0)->Control()); }
  POINT CentreOf(TdxBarItem* item) const
  {
    const RECT r = item->GetLink(0)->ItemRect();
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(Toolbar()->Handle(), &p);
    return p;
  }
  // A click into the search box starts editing with the window focused.
  void ClickIntoEdit()
  {
    ASSERT_TRUE(ClickAt(CentreOf(Edit)));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == EditControl()->EditWindow(); }));
  }
  void Type(const char* keys)
  {
    for (const char* k = keys; *k; ++k) ASSERT_TRUE(PressKey(static_cast<WORD>(toupper(*k))));
    ASSERT_TRUE(PumpUntil([&] { return EditControl()->ReadWindowText().find(keys) != std::string::npos; }));
  }
};
}  // namespace

// On the docked toolbar: a click into the box and typing fire OnCurChange per key, Enter stores the
// text with one OnChange; Tab stores it and moves on to the combo, which starts editing; Escape drops
// what was typed; a click on the search button while typing runs the button and leaves Text as it
// was (the manager does not save text on leaving).
TEST(dxBarEdits, OnADockedToolbarTheSearchBoxTakesTypingEnterTabEscapeAndAButtonClick)
{
  TDockedEditsFixture f;
  ASSERT_NE(f.Toolbar(), nullptr);
  ASSERT_EQ(f.Toolbar()->DockingStyle(), dsTop);
  ASSERT_NE(f.EditControl(), nullptr);

  f.ClickIntoEdit();
  f.Type("abc");
  EXPECT_EQ(f.EditLog->CurChanges, 3);
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(PumpUntil([&] { return !f.EditControl()->Focused(); }));
  EXPECT_EQ(f.Edit->Text(), "abc");
  EXPECT_EQ(f.EditLog->Changes, std::vector<std::string>{"abc"});

  f.ClickIntoEdit();
  SendMessageA(f.EditControl()->EditWindow(), EM_SETSEL, 0, -1);
  f.Type("tab");
  ASSERT_TRUE(PressKey(VK_TAB));
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f.ComboControl()->EditWindow(); }));
  EXPECT_EQ(f.Edit->Text(), "tab");
  EXPECT_FALSE(f.EditControl()->Focused());
  EXPECT_TRUE(f.ComboControl()->Focused()) << "Tab moved on to the combo";
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(PumpUntil([&] { return !f.ComboControl()->Focused(); }));
  EXPECT_EQ(f.Combo->Text(), "txt");

  f.ClickIntoEdit();
  f.Type("zzz");
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(PumpUntil([&] { return !f.EditControl()->Focused(); }));
  EXPECT_EQ(f.Edit->Text(), "tab");

  f.ClickIntoEdit();
  f.Type("yyy");
  ASSERT_TRUE(ClickAt(f.CentreOf(f.Button)));
  ASSERT_TRUE(PumpUntil([&] { return f.Clicks->Clicks > 0; }));
  Pump(30);
  EXPECT_EQ(f.Clicks->Clicks, 1);
  EXPECT_EQ(f.Edit->Text(), "tab");
  EXPECT_FALSE(f.EditControl()->Focused());
  EXPECT_EQ(f.EditLog->Changes, (std::vector<std::string>{"abc", "tab"}));
}
