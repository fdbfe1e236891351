// Common controls on real windows: a stored form with a list view, a status bar and a rich edit;
// rich edit text, selection, search, lines and font; list view items and selection events; status
// bar panels; up-down buttons; no leaks across create and destroy.
#include <gtest/gtest.h>
#include <richedit.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ObjectText.h"
#include "classlib/ReaderWork.h"
#include "classlib/TypInfo.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/FormTree.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/WindowCount.h"

using namespace fixture;

namespace {

class TComCtrlsTestForm : public TForm {
  CL_CLASS(TComCtrlsTestForm, TForm)
public:
  using TForm::TForm;
  struct TSelection {
    TListItem* Item;
    bool Selected;
    bool operator==(const TSelection&) const = default;
  };
  std::vector<TSelection> Selections;
  void ListView1SelectItem(TObject*, TListItem* item, bool selected)
  {
    Selections.push_back({item, selected});
  }
};

constexpr TMethodInfo ComCtrlsTestFormMethods[] = {
  PublishedMethod<TLVSelectItemEvent, &TComCtrlsTestForm::ListView1SelectItem>("ListView1SelectItem"),
};

// A plain edit from the system's EDIT class, for the up-down buttons to step.
class TTestEdit : public TWinControl {
  CL_CLASS(TTestEdit, TWinControl)
public:
  explicit TTestEdit(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 60, 21); }

protected:
  void CreateParams(TCreateParams& params) override
  {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOHSCROLL;
  }
};

void SetItemSelected(HWND lv, int index, bool selected)
{
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::vector<int> StatusParts(HWND sb)
{
  int parts[8] = {};
  auto n = static_cast<int>(SendMessageA(sb, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(parts)));
  return std::vector<int>(parts, parts + n);
}

std::string StatusText(HWND sb, int part)
{
  char buf[256] = {};
  SendMessageA(sb, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buf));
  return buf;
}

CHARFORMAT2A CharFormat(HWND re, WPARAM which)
{
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(re, EM_GETCHARFORMAT, which, reinterpret_cast<LPARAM>(&cf));
  return cf;
}

// A form with a rich edit filling it, shown.
struct TRichEditForm {
  TForm* Form = NewForm(400, 300);
  TFormGuard Guard{Form};
  TRichEdit* Edit;
  TRichEditForm()
  {
    Edit = New<TRichEdit>(Form);
    Edit->SetParent(Form);
    Edit->SetAlign(alClient);
    Form->Show();
  }
};

// Counts the messages that read a window's text back (reference data: an int).
LRESULT CALLBACK CountTextReads(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
  if (msg == WM_GETTEXT || msg == EM_GETTEXTEX || msg == EM_GETTEXTRANGE || msg == EM_STREAMOUT ||
      msg == EM_GETSELTEXT)
    ++*reinterpret_cast<int*>(data);
  return DefSubclassProc(wnd, msg, wp, lp);
}

// While CLASSLIB_SHOW_MS is set, keeps the window up that long (to look at it).
void ShowForAWhile()
{
  if (const char* ms = std::getenv("CLASSLIB_SHOW_MS")) Pump(std::atoi(ms));
}

}  // namespace

CL_DEFINE_CLASS(TComCtrlsTestForm, .Methods = ComCtrlsTestFormMethods);
CL_DEFINE_CLASS(TTestEdit);

TEST(ComCtrls, StoredFormLaysOutTheControlsAndTheyAnswerTheirProperties)
{
  auto* form = New<TComCtrlsTestForm>(Application);
  TFormGuard guard{form};
  auto* list = As<TListView>(form->FindComponent("ListView1"));
  auto* status = As<TStatusBar>(form->FindComponent("StatusBar1"));
  auto* edit = As<TRichEdit>(form->FindComponent("RichEdit1"));
  ASSERT_TRUE(list && status && edit);
  EXPECT_EQ(list->ViewStyle(), vsReport);
  EXPECT_TRUE(list->RowSelect());
  ASSERT_EQ(list->Columns()->Count(), 2);
  EXPECT_EQ(list->Columns()->Items(1)->Caption(), "文件路径");
  EXPECT_EQ(edit->ScrollBars(), ssVertical);
  EXPECT_FALSE(edit->HideScrollBars());
  EXPECT_EQ(edit->Font()->Charset(), GB2312_CHARSET);
  EXPECT_FALSE(edit->ParentFont());
  EXPECT_EQ(status->Align(), alBottom);

  form->Show();
  Pump(20);
  EXPECT_TRUE(SameRect(status->BoundsRect(), RECT{0, 381, 700, 400}));
  EXPECT_TRUE(SameRect(list->BoundsRect(), RECT{0, 0, 361, 381}));
  EXPECT_TRUE(SameRect(edit->BoundsRect(), RECT{361, 0, 700, 381}));

  // The list: report view, whole-row selection, the two columns as stored.
  HWND lv = list->Handle();
  EXPECT_EQ(GetWindowLongPtrA(lv, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(SendMessageA(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  list->SetGridLines(true);
  EXPECT_TRUE(SendMessageA(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
  char caption[64] = {};
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = caption;
  col.cchTextMax = sizeof caption;
  ASSERT_TRUE(SendMessageA(lv, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&col)));
  EXPECT_STREQ(caption, "文件列表");
  EXPECT_EQ(col.cx, 109);
  EXPECT_EQ(SendMessageA(lv, LVM_GETCOLUMNWIDTH, 1, 0), 246);
  EXPECT_EQ(list->Columns()->Items(1)->Width(), 246);

  // The text view: vertical scroll bar only, always shown.
  HWND re = edit->Handle();
  LONG_PTR style = GetWindowLongPtrA(re, GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_TRUE(style & ES_DISABLENOSCROLL);
  EXPECT_EQ(CharFormat(re, SCF_DEFAULT).bCharSet, GB2312_CHARSET);

  // The status bar: the first panel 345 wide, the last one taking the rest.
  HWND sb = status->Handle();
  EXPECT_EQ(StatusParts(sb), (std::vector<int>{345, -1}));

  // Filled as the file search window fills them.
  TListItem* item = list->Items()->Add();
  item->SetCaption("说明.txt");
  item->SubItems()->Add("C:\\资料\\说明.txt");
  status->Panels()->Items(0)->SetText("共有1个文件");
  status->Panels()->Items(1)->SetText("文件夹路径：C:\\资料");
  edit->SetText("第一行中文文本\r\nSecond line 第二行\r\n");
  EXPECT_EQ(ItemText(lv, 0, 0), "说明.txt");
  EXPECT_EQ(ItemText(lv, 0, 1), "C:\\资料\\说明.txt");
  EXPECT_EQ(StatusText(sb, 1), "文件夹路径：C:\\资料");
  Pump(50);
  ShowForAWhile();
}

TEST(ComCtrls, RichEditTextRoundTripsAndSelectsAndFindsByCharacters)
{
  TRichEditForm f;
  TRichEdit* edit = f.Edit;
  edit->SetText("中文abc\r\n第二行ABC");
  EXPECT_EQ(edit->Text(), "中文abc\r\n第二行ABC");
  EXPECT_EQ(edit->TextLength(), 12);  // a line break is one character

  edit->SetSelStart(1);
  edit->SetSelLength(3);
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->SelText(), "文ab");
  edit->SetSelText("字");
  EXPECT_EQ(edit->Text(), "中字c\r\n第二行ABC");

  struct TCase {
    const char* What;
    int Start, Length;
    TSearchTypes Options;
    int Found;
  };
  const TCase cases[] = {
    {"第二", 0, -1, {TSearchType::stMatchCase}, 4},
    {"ABC", 0, -1, {TSearchType::stMatchCase}, 7},
    {"abc", 0, -1, {TSearchType::stMatchCase}, -1},
    {"abc", 0, -1, {}, 7},
    {"c", 0, -1, {TSearchType::stMatchCase}, 2},
    {"第二", 5, -1, {TSearchType::stMatchCase}, -1},  // searches forward from the start only
    {"ABC", 0, 8, {TSearchType::stMatchCase}, -1},    // the range ends inside the match
  };
  for (const TCase& c : cases)
    EXPECT_EQ(edit->FindText(c.What, c.Start, c.Length, c.Options), c.Found) << c.What << " from " << c.Start;

  // Selecting a match and scrolling to it.
  int at = edit->FindText("第二", 0, -1, {TSearchType::stMatchCase});
  edit->Select(at, 2);
  edit->ScrollCaret();
  EXPECT_EQ(edit->SelText(), "第二");

  // Lines in step with the text.
  TStrings* lines = edit->Lines();
  EXPECT_EQ(lines->Count(), 2);
  EXPECT_EQ(lines->Strings(1), "第二行ABC");
  lines->Clear();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(lines->Count(), 0);
  lines->Add("=============第1页内容：===================");
  lines->Add("正文");
  lines->Add("");
  lines->Add("末行");
  EXPECT_EQ(lines->Count(), 4);
  EXPECT_EQ(lines->Strings(0), "=============第1页内容：===================");
  EXPECT_EQ(lines->Strings(2), "");
  EXPECT_EQ(edit->Text(), "=============第1页内容：===================\r\n正文\r\n\r\n末行\r\n");
  lines->Delete(0);
  lines->Insert(1, "插入");
  EXPECT_EQ(lines->Text(), "正文\r\n插入\r\n\r\n末行\r\n");
  EXPECT_THROW(lines->Strings(4), EListError);

  // Text and lines survive a new window.
  edit->SetWordWrap(false);
  EXPECT_EQ(edit->Text(), "正文\r\n插入\r\n\r\n末行\r\n");
  EXPECT_TRUE(GetWindowLongPtrA(edit->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
}

TEST(ComCtrls, RichEditLoadsALargeTextWhole)
{
  TRichEditForm f;
  std::string line = "第0123456789行 some text of a file, 一些中文字符在这里。\r\n";  // 46 characters
  std::string text;
  while (text.size() < 5u * 1024 * 1024) text += line;
  text += "END标记";
  f.Edit->SetText(text);
  std::string back = f.Edit->Text();
  EXPECT_EQ(back.size(), text.size());
  EXPECT_TRUE(back == text);
  size_t lineCount = (text.size() - std::string("END标记").size()) / line.size();
  int lineChars = 45;  // the break counts one
  EXPECT_EQ(f.Edit->TextLength(), static_cast<int>(lineCount) * lineChars + 5);
  EXPECT_EQ(f.Edit->FindText("END标记", 0, -1, {TSearchType::stMatchCase}),
            static_cast<int>(lineCount) * lineChars);
  f.Edit->Lines()->Clear();
  EXPECT_EQ(f.Edit->TextLength(), 0);
}

TEST(ComCtrls, RichEditClearEmptiesWithoutReadingTheTextBack)
{
  TRichEditForm f;
  for (bool throughLines : {false, true}) {
    SCOPED_TRACE(throughLines);
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + " of the text\r\n";
    f.Edit->SetText(text);
    HWND wnd = f.Edit->Handle();
    int reads = 0;
    ASSERT_TRUE(SetWindowSubclass(wnd, CountTextReads, 1, reinterpret_cast<DWORD_PTR>(&reads)));
    if (throughLines)
      f.Edit->Lines()->Clear();
    else
      f.Edit->Clear();
    RemoveWindowSubclass(wnd, CountTextReads, 1);
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(f.Edit->TextLength(), 0);
    EXPECT_EQ(f.Edit->Text(), "");
  }
}

TEST(ComCtrls, RichEditFontColourAndSizeApplyToTheTextThere)
{
  TRichEditForm f;
  TRichEdit* edit = f.Edit;
  edit->SetText("颜色和大小");
  edit->Font()->SetColor(clRed);
  edit->Font()->SetSize(12);
  HWND re = edit->Handle();
  for (WPARAM which : {WPARAM{SCF_DEFAULT}, WPARAM{SCF_SELECTION}}) {
    edit->SelectAll();
    CHARFORMAT2A cf = CharFormat(re, which);
    EXPECT_EQ(cf.crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(cf.yHeight, 240);  // 12 points in twips
  }
  edit->Font()->SetColor(clBlack);
  edit->Font()->SetSize(9);
  edit->SelectAll();
  CHARFORMAT2A cf = CharFormat(re, SCF_SELECTION);
  EXPECT_EQ(cf.crTextColor, RGB(0, 0, 0));
  EXPECT_EQ(cf.yHeight, 180);
}

TEST(ComCtrls, HiddenRichEditOnAFormHoldsAndSearchesText)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* edit = New<TRichEdit>(form);
  edit->SetVisible(false);
  edit->SetParent(form);
  edit->SetText("before the window 窗口");
  EXPECT_FALSE(edit->HandleAllocated());
  EXPECT_EQ(edit->Lines()->Count(), 1);
  EXPECT_EQ(edit->FindText("窗口", 0, -1, {TSearchType::stMatchCase}), 18);
  EXPECT_TRUE(edit->HandleAllocated());
  EXPECT_FALSE(IsWindowVisible(edit->Handle()));
  EXPECT_EQ(edit->Text(), "before the window 窗口");
  Free(edit);
}

TEST(ComCtrls, ListViewItemsKeepTheirTextsAndTheControlInStep)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* list = New<TListView>(form);
  list->SetParent(form);
  list->SetAlign(alClient);
  list->SetViewStyle(vsReport);
  list->Columns()->Add()->SetCaption("名称");
  list->Columns()->Add()->SetCaption("路径");
  // Items made before the window exists.
  for (int i = 0; i < 3; ++i) {
    TListItem* item = list->Items()->Add();
    item->SetCaption("文件" + std::to_string(i));
    item->SubItems()->Add("C:\\目录\\文件" + std::to_string(i));
  }
  list->Items()->Item(1)->SetSelected(true);
  form->Show();
  HWND lv = list->Handle();
  EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemText(lv, 2, 0), "文件2");
  EXPECT_EQ(ItemText(lv, 2, 1), "C:\\目录\\文件2");
  EXPECT_EQ(list->Selected(), list->Items()->Item(1));

  // Added, changed and deleted with a window.
  list->Items()->BeginUpdate();
  TListItem* added = list->Items()->Add();
  added->SetCaption("新");
  added->SubItems()->Add("D:\\新");
  list->Items()->EndUpdate();
  EXPECT_EQ(ItemText(lv, 3, 1), "D:\\新");
  added->SubItems()->SetStrings(0, "D:\\改");
  EXPECT_EQ(ItemText(lv, 3, 1), "D:\\改");
  list->Items()->Delete(0);
  EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemText(lv, 0, 0), "文件1");
  EXPECT_EQ(list->Items()->Item(0)->Index(), 0);
  EXPECT_EQ(added->Index(), 2);
  EXPECT_THROW(list->Items()->Item(3), EListError);

  // A new window shows the same items, texts and selection.
  list->SetViewStyle(vsList);
  list->SetViewStyle(vsReport);
  lv = list->Handle();
  EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemText(lv, 2, 1), "D:\\改");
  EXPECT_EQ(list->Selected(), list->Items()->Item(0));
  EXPECT_EQ(SendMessageA(lv, LVM_GETCOLUMNWIDTH, 1, 0), 50);

  list->Items()->Clear();
  EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(list->Selected(), nullptr);
}

TEST(ComCtrls, ListViewSelectionFiresOnSelectItemWithTheItemAndTheFlag)
{
  auto* form = New<TComCtrlsTestForm>(Application);
  TFormGuard guard{form};
  form->Show();
  auto* list = As<TListView>(form->FindComponent("ListView1"));
  TListItem* a = list->Items()->Add();
  a->SetCaption("a");
  TListItem* b = list->Items()->Add();
  b->SetCaption("b");
  HWND lv = list->Handle();
  using S = TComCtrlsTestForm::TSelection;

  SetItemSelected(lv, 0, true);
  EXPECT_EQ(form->Selections, (std::vector<S>{{a, true}}));
  EXPECT_EQ(list->Selected(), a);
  form->Selections.clear();
  SetItemSelected(lv, 1, true);  // one selection at a time: a goes first
  EXPECT_EQ(form->Selections, (std::vector<S>{{a, false}, {b, true}}));
  form->Selections.clear();
  SetItemSelected(lv, 1, false);
  EXPECT_EQ(form->Selections, (std::vector<S>{{b, false}}));
  EXPECT_EQ(list->Selected(), nullptr);

  // A click on the second row selects it.
  form->Selections.clear();
  RECT r{LVIR_LABEL, 0, 0, 0};
  SendMessageA(lv, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(lv, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(lv, WM_LBUTTONUP, 0, at);
  Pump(20);
  ASSERT_FALSE(form->Selections.empty());
  EXPECT_EQ(form->Selections.back(), (S{b, true}));

  // Deleting the selected item is no selection event.
  form->Selections.clear();
  list->Items()->Delete(1);
  list->Items()->Clear();
  for (const S& s : form->Selections) EXPECT_FALSE(s.Selected);
}

TEST(ComCtrls, ListViewStatesFollowTheirItemsThroughInsertsAndUpdates)
{
  auto* form = New<TComCtrlsTestForm>(Application);
  TFormGuard guard{form};
  form->Show();
  auto* list = As<TListView>(form->FindComponent("ListView1"));
  std::vector<TListItem*> items;
  for (const char* caption : {"alpha", "beta", "gamma"}) {
    items.push_back(list->Items()->Add());
    items.back()->SetCaption(caption);
  }
  HWND lv = list->Handle();
  items[2]->SetSelected(true);
  items[2]->SetFocused(true);
  form->Selections.clear();

  // An item put in front of the selected one: the selection and the focus stay with their item.
  TListItem* inserted = list->Items()->Insert(1);
  inserted->SetCaption("delta");
  EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(ItemText(lv, 1, 0), "delta");
  EXPECT_EQ(list->Selected(), items[2]);
  EXPECT_EQ(list->ItemFocused(), items[2]);
  EXPECT_EQ(list->SelCount(), 1);
  EXPECT_TRUE(form->Selections.empty());

  // An item added while the items update can be selected before the update ends.
  list->Items()->BeginUpdate();
  TListItem* added = list->Items()->Add();
  added->SetCaption("epsilon");
  added->SetSelected(true);
  list->Items()->EndUpdate();
  EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 5);
  EXPECT_EQ(ItemText(lv, 4, 0), "epsilon");
  EXPECT_EQ(list->Selected(), added);
  using S = TComCtrlsTestForm::TSelection;
  EXPECT_EQ(form->Selections, (std::vector<S>{{items[2], false}, {added, true}}));

  // Typing the start of a caption moves to the item.
  SetFocus(lv);
  SendMessageA(lv, WM_CHAR, 'g', 1);
  Pump(20);
  EXPECT_EQ(list->ItemFocused(), items[2]);
}

TEST(ComCtrls, ListViewReportsSelectionsOfAllItemsAndOfRangesPerItem)
{
  auto* form = New<TComCtrlsTestForm>(Application);
  TFormGuard guard{form};
  auto* list = As<TListView>(form->FindComponent("ListView1"));
  list->SetMultiSelect(true);
  form->Show();
  std::vector<TListItem*> items;
  for (int i = 0; i < 4; ++i) {
    items.push_back(list->Items()->Add());
    items.back()->SetCaption("item" + std::to_string(i));
  }
  HWND lv = list->Handle();
  using S = TComCtrlsTestForm::TSelection;

  SetItemSelected(lv, -1, true);  // every item at once
  EXPECT_EQ(form->Selections, (std::vector<S>{{items[0], true}, {items[1], true}, {items[2], true},
                                              {items[3], true}}));
  EXPECT_EQ(list->SelCount(), 4);
  form->Selections.clear();
  SetItemSelected(lv, -1, false);
  EXPECT_EQ(form->Selections, (std::vector<S>{{items[0], false}, {items[1], false}, {items[2], false},
                                              {items[3], false}}));
  EXPECT_EQ(list->Selected(), nullptr);

  // A click, then a shift-click two rows further: three items selected, each reported selected last.
  form->Selections.clear();
  auto clickAt = [lv](int index, WPARAM keys) {
    RECT r{LVIR_LABEL, 0, 0, 0};
    SendMessageA(lv, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(lv, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    SendMessageA(lv, WM_LBUTTONUP, keys, at);
    Pump(20);
  };
  clickAt(1, 0);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  clickAt(3, MK_SHIFT);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(list->SelCount(), 3);
  for (int i = 1; i < 4; ++i) {
    auto last = std::find_if(form->Selections.rbegin(), form->Selections.rend(),
                             [&](const S& s) { return s.Item == items[i]; });
    ASSERT_NE(last, form->Selections.rend()) << i;
    EXPECT_TRUE(last->Selected) << i;
  }
  EXPECT_EQ(std::count(form->Selections.begin(), form->Selections.end(), S{items[0], true}), 0);
}

TEST(ComCtrls, StatusBarPanelsAndSimpleTextReachTheControl)
{
  TForm* form = NewForm(500, 200);
  TFormGuard guard{form};
  auto* status = New<TStatusBar>(form);
  status->SetParent(form);
  status->Panels()->Add()->SetWidth(120);
  status->Panels()->Add()->SetWidth(80);
  status->Panels()->Add();
  status->Panels()->Items(0)->SetText("共有3个文件");
  form->Show();
  HWND sb = status->Handle();
  EXPECT_EQ(StatusParts(sb), (std::vector<int>{120, 200, -1}));
  EXPECT_EQ(StatusText(sb, 0), "共有3个文件");
  status->Panels()->Items(2)->SetText("文件夹路径：D:\\");
  EXPECT_EQ(StatusText(sb, 2), "文件夹路径：D:\\");
  status->Panels()->Items(0)->SetWidth(150);
  EXPECT_EQ(StatusParts(sb), (std::vector<int>{150, 230, -1}));
  status->Panels()->Delete(1);
  EXPECT_EQ(StatusParts(sb), (std::vector<int>{150, -1}));
  EXPECT_EQ(StatusText(sb, 1), "文件夹路径：D:\\");
  EXPECT_TRUE(SameRect(status->BoundsRect(), RECT{0, 200 - status->Height(), 500, 200}));

  status->SetSimpleText("简单");
  status->SetSimplePanel(true);
  EXPECT_TRUE(SendMessageA(sb, SB_ISSIMPLE, 0, 0));
  status->SetSimplePanel(false);
  EXPECT_FALSE(SendMessageA(sb, SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(StatusText(sb, 0), "共有3个文件");
}

namespace {
struct TUpDownLog : TObject {
  bool Allow = true;
  int Changing = 0;
  std::vector<TUDBtnType> Clicks;
  void OnChanging(TObject*, bool& allow)
  {
    ++Changing;
    allow = Allow;
  }
  void OnClick(TObject*, TUDBtnType button) { Clicks.push_back(button); }
};

void ClickArrow(TUpDown* ud, bool up)
{
  HWND wnd = ud->Handle();
  RECT r;
  GetClientRect(wnd, &r);
  LPARAM at = MAKELPARAM(r.right / 2, up ? 2 : r.bottom - 3);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(wnd, WM_LBUTTONUP, 0, at);
}
}  // namespace

TEST(ComCtrls, UpDownStepsItsAssociateWithinItsRange)
{
  TForm* form = NewForm(300, 100);
  TFormGuard guard{form};
  auto* edit = New<TTestEdit>(form);
  edit->SetParent(form);
  auto* ud = New<TUpDown>(form);
  ud->SetParent(form);
  ud->SetMin(6);
  ud->SetMax(13);
  ud->SetPosition(12);
  ud->SetIncrement(1);
  ud->SetAssociate(edit);
  auto log = MakeOwned<TUpDownLog>();
  ud->SetOnChanging(TUDChangingEvent(log.get(), &TUpDownLog::OnChanging));
  ud->SetOnClick(TUDClickEvent(log.get(), &TUpDownLog::OnClick));
  form->Show();
  Pump(10);
  EXPECT_EQ(edit->Text(), "12");

  ClickArrow(ud, true);
  EXPECT_EQ(ud->Position(), 13);
  EXPECT_EQ(edit->Text(), "13");
  ClickArrow(ud, true);  // at the top of the range
  EXPECT_EQ(ud->Position(), 13);
  ClickArrow(ud, false);
  EXPECT_EQ(ud->Position(), 12);
  EXPECT_EQ(log->Clicks, (std::vector<TUDBtnType>{btNext, btPrev}));
  log->Allow = false;
  ClickArrow(ud, false);
  EXPECT_EQ(ud->Position(), 12);
  EXPECT_GE(log->Changing, 3);
  ud->SetPosition(100);
  EXPECT_EQ(ud->Position(), 13);

  // The associate going first leaves the buttons without one.
  Free(edit);
  EXPECT_EQ(ud->Associate(), nullptr);
}

namespace {
void MakeAndFreeCommonControlsForm(int round)
{
  auto* form = New<TComCtrlsTestForm>(Application);
  auto* list = As<TListView>(form->FindComponent("ListView1"));
  auto* edit = As<TRichEdit>(form->FindComponent("RichEdit1"));
  auto* status = As<TStatusBar>(form->FindComponent("StatusBar1"));
  for (int i = 0; i < 20; ++i) {
    TListItem* item = list->Items()->Add();
    item->SetCaption("项" + std::to_string(i));
    item->SubItems()->Add("路径" + std::to_string(i));
  }
  auto* ud = New<TUpDown>(form);
  ud->SetParent(form);
  form->Show();
  edit->SetText("文本 " + std::to_string(round));
  edit->Font()->SetSize(10 + round % 3);
  edit->Font()->SetColor(round % 2 ? clRed : clBlack);
  status->Panels()->Items(0)->SetText("共有20个文件");
  list->Items()->Item(round % 20)->SetSelected(true);
  list->SetViewStyle(round % 2 ? vsList : vsReport);  // a new window
  Pump(5);
  Free(form);
}
}  // namespace

TEST(ComCtrls, CreatingAndFreeingTheControlsLeaksNoWindowsOrGdiObjects)
{
  for (int i = 0; i < 2; ++i) MakeAndFreeCommonControlsForm(i);
  Pump(20);
  const int gdiBefore = LiveGdiObjects();
  const int windowsBefore = ThreadWindowCount();
  for (int i = 0; i < 20; ++i) MakeAndFreeCommonControlsForm(i);
  Pump(20);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}

// The stored lines of a rich edit without a window were each added by setting the whole text
// again: 8,000 took 16 s. While an update is open (as the reader opens one) they are kept as a list
// and the text is set once; the work of reading grows with the number of lines.
TEST(RichEditLines, StoredLinesOfAControlWithoutAWindowAreSetOnce)
{
  auto read = [](int count) {
    std::string text = "object R: TRichEdit\n  Lines.Strings = (";
    for (int i = 0; i < count; ++i) text += "\n    'line " + std::to_string(i) + "'";
    text += ")\nend\n";
    TOwned<TRichEdit> edit(New<TRichEdit>(nullptr));
    uint64_t steps = 0;
    {
      TScopedSetter<uint64_t*> counter(SetReaderWorkCounter, &steps);
      ReadComponentFromText(text, edit.get());
    }
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(edit->Lines()->Count(), count);
    EXPECT_EQ(edit->Lines()->Strings(count - 1), "line " + std::to_string(count - 1));
    EXPECT_EQ(edit->Text().substr(0, 14), "line 0\r\nline 1");
    return steps;
  };
  const uint64_t n = read(2000), n4 = read(8000);
  EXPECT_GT(n, 2000u);
  EXPECT_LT(n4, n * 5) << "4N lines took " << n4 << " steps, N took " << n;

  // Without an update each change still reaches the text at once.
  TOwned<TRichEdit> edit(New<TRichEdit>(nullptr));
  edit->Lines()->Add("one");
  edit->Lines()->Add("two");
  edit->Lines()->Delete(0);
  EXPECT_EQ(edit->Text(), "two\r\n");
}

// What the writer writes of the stored form reads back to the same tree and the same text.
TEST(StoredFormRoundTrip, ComCtrlsForm)
{
  TCustomForm* form = New<TComCtrlsTestForm>(Application);
  TFormGuard guard{form};
  ExpectFormRoundTrip(form, ResourceText("TCOMCTRLSTESTFORM"));
}
