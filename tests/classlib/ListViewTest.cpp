// The list view beyond its items and selection: window styles of its properties, column formats,
// images, check boxes, label editing, sorting, owner data, item events, custom and owner drawing,
// info tips, and the stored form of its properties.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ImageList.h"
#include "classlib/ObjectText.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DibSurface.h"

using namespace fixture;

namespace {

// What the events of a list view report, as text in order.
class TEventLog : public TObject {
  CL_CLASS(TEventLog, TObject)
public:
  std::vector<std::string> Seen;
  bool AllowEdit = true;
  bool AllowChange = true;
  std::string EditedTo;  // empty: the typed text stays
  static std::string Name(TListItem* item) { return item ? item->Caption() : "nil"; }
  void Insert(TObject*, TListItem* item) { Seen.push_back("insert " + Name(item)); }
  void Deletion(TObject*, TListItem* item) { Seen.push_back("delete " + Name(item)); }
  void Change(TObject*, TListItem* item, TItemChange change)
  {
    Seen.push_back("change " + Name(item) + " " + std::to_string(static_cast<int>(change)));
  }
  void Changing(TObject*, TListItem* item, TItemChange change, bool& allow)
  {
    Seen.push_back("changing " + Name(item) + " " + std::to_string(static_cast<int>(change)));
    allow = AllowChange;
  }
  void Editing(TObject*, TListItem* item, bool& allow)
  {
    Seen.push_back("editing " + Name(item));
    allow = AllowEdit;
  }
  void Edited(TObject*, TListItem* item, std::string& s)
  {
    Seen.push_back("edited " + Name(item) + " " + s);
    if (!EditedTo.empty()) s = EditedTo;
  }
  void ColumnClick(TObject*, TListColumn* column) { Seen.push_back("column " + column->Caption()); }
  void Compare(TObject*, TListItem* a, TListItem* b, int, int& result)
  {
    result = -lstrcmpA(a->Caption().c_str(), b->Caption().c_str());
  }
  void Data(TObject*, TListItem* item)
  {
    item->SetCaption("row " + std::to_string(item->Index()));
    item->SubItems()->Add("sub " + std::to_string(item->Index()));
  }
  void DataFind(TObject*, TItemFind find, const std::string& text, POINT, void*, int start, TSearchDirection,
                bool wrap, int& index)
  {
    Seen.push_back("find " + std::to_string(static_cast<int>(find)) + " " + text + " " + std::to_string(start) +
                   (wrap ? " wrap" : ""));
    index = 7;
  }
  void ImageIndex(TObject*, TListItem* item) { item->SetImageIndex(item->Index() + 10); }
  void SubItemImage(TObject*, TListItem*, int sub, int& image) { image = 20 + sub; }
  void InfoTip(TObject*, TListItem* item, std::string& tip) { tip = "tip of " + item->Caption() + " / " + tip; }
  void CustomDrawItem(TObject* sender, TListItem* item, TCustomDrawState, bool& defaultDraw)
  {
    auto* lv = static_cast<TListView*>(sender);
    if (item->Index() == 1) {
      lv->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(0, 200, 0)));
      lv->Canvas()->Font()->SetColor(static_cast<TColor>(RGB(0, 200, 0)));
    }
    if (item->Index() == 2) {
      lv->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(200, 0, 0)));
      lv->Canvas()->FillRect(item->DisplayRect(drBounds));
      defaultDraw = false;
    }
  }
  void DrawItem(TObject* sender, TListItem* item, const RECT& rect, TOwnerDrawState)
  {
    auto* lv = static_cast<TListView*>(sender);
    lv->Canvas()->Brush()->SetColor(item->Index() == 0 ? static_cast<TColor>(RGB(0, 0, 200)) : clWindow);
    lv->Canvas()->FillRect(rect);
    Seen.push_back("draw " + item->Caption());
  }
};
CL_DEFINE_CLASS(TEventLog);

// A list item class of the program's own.
class TMyItem : public TListItem {
  CL_CLASS(TMyItem, TListItem)
public:
  using TListItem::TListItem;
};
CL_DEFINE_CLASS(TMyItem);

// A list view that counts the messages its window procedure receives.
class TCountingListView : public TListView {
  CL_CLASS(TCountingListView, TListView)
public:
  using TListView::TListView;
  int Messages = 0;
  void WndProc(TMessage& msg) override
  {
    ++Messages;
    TListView::WndProc(msg);
  }
};
CL_DEFINE_CLASS(TCountingListView);

class ListViewTest : public testing::Test {
protected:
  void SetUp() override
  {
    Form = NewForm(300, 200);
    List = New<TListView>(Form);
    List->SetParent(Form);
    List->SetBounds(0, 0, 300, 200);
    List->SetViewStyle(vsReport);
    List->Columns()->Add()->SetCaption("名称");
    List->Columns()->Add()->SetCaption("路径");
    Log = MakeOwned<TEventLog>();
  }
  void TearDown() override { Free(Form); }
  void Fill(std::initializer_list<const char*> captions)
  {
    for (const char* c : captions) List->Items()->Add()->SetCaption(c);
  }
  void ShowOnTop()
  {
    Form->Show();
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(Form->Handle());
    Pump(20);
  }
  std::vector<std::string> Captions() const
  {
    std::vector<std::string> captions;
    for (int i = 0; i < List->Items()->Count(); ++i) captions.push_back(List->Items()->Item(i)->Caption());
    return captions;
  }
  LONG_PTR Style() { return GetWindowLongPtrA(List->Handle(), GWL_STYLE); }
  // A notification of the control's own, with its codes, through the reflection road.
  LRESULT Notify(NMHDR& hdr)
  {
    hdr.hwndFrom = List->Handle();
    return List->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  }

  TForm* Form = nullptr;
  TListView* List = nullptr;
  TOwned<TEventLog> Log;
};

}  // namespace

// Every style property reaches the window (recreated where the style asks for it), the items and
// their selection surviving each recreation.
TEST_F(ListViewTest, StylePropertiesReachTheWindowAndItemsSurvive)
{
  Fill({"a", "b", "c"});
  List->Items()->Item(1)->SetSelected(true);
  Form->Show();
  EXPECT_TRUE(Style() & LVS_EDITLABELS);  // labels are editable unless ReadOnly
  struct Case {
    const char* Name;
    std::function<void(bool)> Set;
    bool Value;
    DWORD Bit;
    bool BitWhenSet;
    bool Extended;
  };
  const Case cases[] = {
    {"ReadOnly", [&](bool v) { List->SetReadOnly(v); }, true, LVS_EDITLABELS, false, false},
    {"ColumnClick", [&](bool v) { List->SetColumnClick(v); }, false, LVS_NOSORTHEADER, true, false},
    {"ShowColumnHeaders", [&](bool v) { List->SetShowColumnHeaders(v); }, false, LVS_NOCOLUMNHEADER, true, false},
    {"OwnerDraw", [&](bool v) { List->SetOwnerDraw(v); }, true, LVS_OWNERDRAWFIXED, true, false},
    {"AutoArrange", [&](bool v) { List->IconOptions()->SetAutoArrange(v); }, true, LVS_AUTOARRANGE, true, false},
    {"WrapText", [&](bool v) { List->IconOptions()->SetWrapText(v); }, false, LVS_NOLABELWRAP, true, false},
    {"Arrangement", [&](bool v) { List->IconOptions()->SetArrangement(v ? iaLeft : iaTop); }, true, LVS_ALIGNLEFT,
     true, false},
    {"Checkboxes", [&](bool v) { List->SetCheckboxes(v); }, true, LVS_EX_CHECKBOXES, true, true},
    {"HotTrack", [&](bool v) { List->SetHotTrack(v); }, true, LVS_EX_TRACKSELECT, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto bitSet = [&] {
      const auto bits = c.Extended ? SendMessageA(List->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) : Style();
      return (static_cast<DWORD>(bits) & c.Bit) != 0;
    };
    EXPECT_EQ(bitSet(), !c.BitWhenSet);
    c.Set(c.Value);
    EXPECT_EQ(bitSet(), c.BitWhenSet);
    EXPECT_EQ(SendMessageA(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(List->Handle(), 2, 0), "c");
    EXPECT_EQ(List->ItemIndex(), 1);
    c.Set(!c.Value);
    EXPECT_EQ(bitSet(), !c.BitWhenSet);
  }
  EXPECT_TRUE(GetWindowLongPtrA(List->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  List->SetBorderStyle(TBorderStyle::bsNone);
  EXPECT_FALSE(GetWindowLongPtrA(List->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(ItemText(List->Handle(), 2, 0), "c");
  List->SetHoverTime(250);
  EXPECT_EQ(SendMessageA(List->Handle(), LVM_GETHOVERTIME, 0, 0), 250);
}

// Columns hand their alignment and image to the header; the small images are the control's.
TEST_F(ListViewTest, ColumnFormatsAndImagesReachTheControl)
{
  auto* images = New<TImageList>(Form);
  List->SetSmallImages(images);
  List->Columns()->Items(1)->SetAlignment(taRightJustify);
  List->Columns()->Items(1)->SetImageIndex(3);
  Form->Show();
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(List->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
            images->Handle());
  LVCOLUMNA col{};
  col.mask = LVCF_FMT | LVCF_IMAGE;
  SendMessageA(List->Handle(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
  EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
  EXPECT_TRUE(col.fmt & LVCFMT_IMAGE);
  EXPECT_EQ(col.iImage, 3);
  List->Columns()->Items(1)->SetAlignment(taCenter);
  List->Columns()->Items(1)->SetImageIndex(-1);
  col.mask = LVCF_FMT;
  SendMessageA(List->Handle(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
  EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
  EXPECT_FALSE(col.fmt & LVCFMT_IMAGE);
  // A freed image list leaves the control without it.
  Free(images);
  EXPECT_EQ(List->SmallImages(), nullptr);
  EXPECT_EQ(SendMessageA(List->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

// The control asks for images: the items' own, or what OnGetImageIndex and OnGetSubItemImage say.
TEST_F(ListViewTest, ImagesComeFromTheItemsAndTheirEvents)
{
  Fill({"a", "b"});
  List->Items()->Item(1)->SetImageIndex(5);
  Form->Show();
  auto image = [&](int index, int sub) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    item.iSubItem = sub;
    SendMessageA(List->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
  };
  EXPECT_EQ(image(0, 0), -1);
  EXPECT_EQ(image(1, 0), 5);
  List->SetOnGetImageIndex(TLVNotifyEvent(Log.get(), &TEventLog::ImageIndex));
  List->SetOnGetSubItemImage(TLVSubItemImageEvent(Log.get(), &TEventLog::SubItemImage));
  EXPECT_EQ(image(0, 0), 10);
  EXPECT_EQ(image(1, 0), 11);
  EXPECT_EQ(image(1, 1), 20);  // the first sub-item is sub-item 0
}

// A click on a check box, and Space, turn the item's mark over once, whoever of the control and
// the list changes it; the mark is what the control shows.
TEST_F(ListViewTest, CheckBoxesFollowClicksAndSpace)
{
  Fill({"a", "b"});
  List->SetCheckboxes(true);
  List->SetOnChange(TLVChangeEvent(Log.get(), &TEventLog::Change));
  ShowOnTop();
  List->SetFocus();
  TListItem* b = List->Items()->Item(1);
  RECT icon = b->DisplayRect(drBounds);
  LVHITTESTINFO hit{};
  int x = icon.left + 1;
  for (; x < icon.right; ++x) {
    hit.pt = POINT{x, (icon.top + icon.bottom) / 2};
    SendMessageA(List->Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.flags & LVHT_ONITEMSTATEICON) break;
  }
  ASSERT_LT(x, icon.right) << "no check box found";
  const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
  SendMessageA(List->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(List->Handle(), WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(PumpUntil([&] { return b->Checked(); }));
  Pump(20);
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(SendMessageA(List->Handle(), LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
  EXPECT_NE(std::find(Log->Seen.begin(), Log->Seen.end(), "change b 2"), Log->Seen.end());

  List->SetItemIndex(1);
  SendMessageA(List->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(List->Handle(), WM_KEYUP, VK_SPACE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !b->Checked(); }));
  Pump(20);
  EXPECT_FALSE(b->Checked());
  EXPECT_FALSE(List->Items()->Item(0)->Checked());
}

// Label editing: OnEditing and ReadOnly decide whether it starts; Enter hands the text to OnEdited
// and then to the caption (when OnChanging allows it); Escape changes nothing. Both codes of the
// notification act.
TEST_F(ListViewTest, LabelEditsAskTheEventsAndApplyTheText)
{
  Fill({"a", "b"});
  List->SetOnEditing(TLVEditingEvent(Log.get(), &TEventLog::Editing));
  List->SetOnEdited(TLVEditedEvent(Log.get(), &TEventLog::Edited));
  List->SetOnChanging(TLVChangingEvent(Log.get(), &TEventLog::Changing));
  ShowOnTop();
  TListItem* a = List->Items()->Item(0);

  Log->AllowEdit = false;
  EXPECT_FALSE(a->EditCaption());
  EXPECT_EQ(Log->Seen, std::vector<std::string>{"editing a"});
  Log->AllowEdit = true;
  List->SetReadOnly(true);
  EXPECT_FALSE(a->EditCaption());
  List->SetReadOnly(false);

  Log->Seen.clear();
  ASSERT_TRUE(a->EditCaption());
  EXPECT_TRUE(List->IsEditing());
  HWND edit = reinterpret_cast<HWND>(SendMessageA(List->Handle(), LVM_GETEDITCONTROL, 0, 0));
  SetWindowTextA(edit, "新名");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([&] { return !List->IsEditing(); }));
  EXPECT_EQ(a->Caption(), "新名");
  EXPECT_EQ(Log->Seen, (std::vector<std::string>{"editing a", "changing a 0", "edited a 新名"}));
  EXPECT_EQ(ItemText(List->Handle(), 0, 0), "新名");

  // Escape: nothing is applied.
  Log->Seen.clear();
  ASSERT_TRUE(a->EditCaption());
  edit = reinterpret_cast<HWND>(SendMessageA(List->Handle(), LVM_GETEDITCONTROL, 0, 0));
  SetWindowTextA(edit, "丢弃");
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !List->IsEditing(); }));
  EXPECT_EQ(a->Caption(), "新名");

  // The wide code with a text; OnEdited changes it, OnChanging can refuse it.
  Log->Seen.clear();
  Log->EditedTo = "改过";
  std::wstring wide = L"宽";
  NMLVDISPINFOW info{};
  info.hdr.code = LVN_ENDLABELEDITW;
  info.item.iItem = 1;
  info.item.pszText = wide.data();
  Notify(info.hdr);
  EXPECT_EQ(List->Items()->Item(1)->Caption(), "改过");
  EXPECT_EQ(Log->Seen, (std::vector<std::string>{"changing b 0", "edited b 宽"}));
  Log->AllowChange = false;
  Notify(info.hdr);
  EXPECT_EQ(List->Items()->Item(1)->Caption(), "改过");
  // No text, or no item: nothing.
  Log->AllowChange = true;
  Log->Seen.clear();
  info.item.pszText = nullptr;
  Notify(info.hdr);
  info.item.iItem = -1;
  info.item.pszText = wide.data();
  Notify(info.hdr);
  EXPECT_TRUE(Log->Seen.empty());
}

// A sorted list keeps its order through inserts and caption changes (once, at the end of an
// update), by OnCompare when there is one; the selection moves with its item.
TEST_F(ListViewTest, SortedListsStayInOrderAndSelectionsMoveWithTheirItems)
{
  Fill({"b", "d", "a"});
  Form->Show();
  List->Items()->Item(0)->SetSelected(true);  // "b"
  List->SetSortType(stText);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "d"}));
  EXPECT_EQ(List->Selected()->Caption(), "b");
  EXPECT_EQ(List->ItemIndex(), 1);
  List->Items()->Add()->SetCaption("c");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c", "d"}));
  List->Items()->BeginUpdate();
  List->Items()->Item(0)->SetCaption("z");
  List->Items()->Add()->SetCaption("0");
  EXPECT_EQ(List->Items()->Item(0)->Caption(), "z");  // not yet
  List->Items()->EndUpdate();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"0", "b", "c", "d", "z"}));
  EXPECT_EQ(ItemText(List->Handle(), 4, 0), "z");
  EXPECT_EQ(List->Selected()->Caption(), "b");
  EXPECT_EQ(List->SelCount(), 1);
  List->SetOnCompare(TLVCompareEvent(Log.get(), &TEventLog::Compare));
  List->AlphaSort();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"z", "d", "c", "b", "0"}));
  EXPECT_EQ(List->ItemIndex(), 3);
}

// An owner-data list holds no items: the count is set, OnData hands out the texts, searches go to
// OnDataFind, and adding an item is refused with a clear error.
TEST_F(ListViewTest, OwnerDataListsAskForTheirItems)
{
  List->SetOwnerData(true);
  List->SetOnData(TLVOwnerDataEvent(Log.get(), &TEventLog::Data));
  List->SetOnDataFind(TLVOwnerDataFindEvent(Log.get(), &TEventLog::DataFind));
  List->Items()->SetCount(1000);
  Form->Show();
  EXPECT_EQ(SendMessageA(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 1000);
  EXPECT_EQ(ItemText(List->Handle(), 999, 0), "row 999");
  EXPECT_EQ(ItemText(List->Handle(), 42, 1), "sub 42");
  EXPECT_EQ(List->Items()->Item(5)->Caption(), "row 5");
  EXPECT_EQ(List->Items()->Item(5)->Index(), 5);
  EXPECT_THROW(List->Items()->Add(), EListError);
  EXPECT_THROW(List->Items()->Delete(0), EListError);
  List->SetItemIndex(12);
  EXPECT_EQ(List->ItemIndex(), 12);
  EXPECT_EQ(List->Selected()->Caption(), "row 12");

  LVFINDINFOA find{};
  find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
  find.psz = "row 7";
  EXPECT_EQ(SendMessageA(List->Handle(), LVM_FINDITEMA, 3, reinterpret_cast<LPARAM>(&find)), 7);
  ASSERT_FALSE(Log->Seen.empty());
  EXPECT_EQ(Log->Seen.back().rfind("find 1 row 7 ", 0), 0u) << Log->Seen.back();  // a partial string
  EXPECT_EQ(Log->Seen.back().substr(Log->Seen.back().size() - 5), " wrap");

  List->Clear();
  EXPECT_EQ(List->Items()->Count(), 0);
  EXPECT_EQ(SendMessageA(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
  List->SetOwnerData(false);
  EXPECT_THROW(List->Items()->SetCount(3), EListError);
  List->Items()->Add()->SetCaption("own");
  EXPECT_EQ(ItemText(List->Handle(), 0, 0), "own");
}

// Items report their coming and going, their changes and the class they are made of; deleting the
// selection deletes the selected items only.
TEST_F(ListViewTest, ItemEventsAndDeletingTheSelection)
{
  struct TClassChooser : TObject {
    void Choose(TObject*, TListItemClass& itemClass) { itemClass = ClassRef<TMyItem>(); }
  };
  TOwned<TClassChooser> chooser = MakeOwned<TClassChooser>();
  List->SetOnInsert(TLVDeletedEvent(Log.get(), &TEventLog::Insert));
  List->SetOnDeletion(TLVDeletedEvent(Log.get(), &TEventLog::Deletion));
  List->SetOnChange(TLVChangeEvent(Log.get(), &TEventLog::Change));
  List->SetOnCreateItemClass(TLVCreateItemClassEvent(chooser.get(), &TClassChooser::Choose));
  List->SetMultiSelect(true);
  Form->Show();
  TListItem* first = List->Items()->Add();
  EXPECT_TRUE(first->Is<TMyItem>());
  first->SetCaption("x");
  Fill({"y", "z", "w"});
  EXPECT_EQ(Log->Seen, (std::vector<std::string>{"insert ", "change x 0", "insert ", "change y 0", "insert ",
                                                 "change z 0", "insert ", "change w 0"}));
  Log->Seen.clear();
  List->Items()->Item(1)->SetSelected(true);
  List->Items()->Item(3)->SetSelected(true);
  Log->Seen.clear();
  List->DeleteSelected();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"x", "z"}));
  // The control deselects each item it lets go of.
  EXPECT_EQ(Log->Seen, (std::vector<std::string>{"delete y", "change y 2", "delete w", "change w 2"}));
  Log->Seen.clear();
  List->Clear();
  EXPECT_EQ(Log->Seen, (std::vector<std::string>{"delete x", "delete z"}));
}

// With automatic dragging a press selects the pressed item and starts a drag of the list; the mode
// stays automatic.
TEST_F(ListViewTest, AnAutomaticDragLetsThePressSelectFirst)
{
  Fill({"a", "b", "c"});
  ShowOnTop();
  List->SetDragMode(dmAutomatic);
  const RECT r = List->Items()->Item(1)->DisplayRect(drBounds);
  SendMessageA(List->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2));
  EXPECT_TRUE(List->Dragging());
  EXPECT_TRUE(List->Items()->Item(1)->Selected());
  EXPECT_EQ(List->DragMode(), dmAutomatic);
  List->EndDrag(false);
  Pump(10);
  EXPECT_FALSE(List->Dragging());
}

// A click on a column header reaches OnColumnClick with that column.
TEST_F(ListViewTest, ColumnClicksNameTheirColumn)
{
  List->SetOnColumnClick(TLVColumnClickEvent(Log.get(), &TEventLog::ColumnClick));
  ShowOnTop();
  HWND header = reinterpret_cast<HWND>(SendMessageA(List->Handle(), LVM_GETHEADER, 0, 0));
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(PumpUntil([&] { return !Log->Seen.empty(); }));
  EXPECT_EQ(Log->Seen, std::vector<std::string>{"column 路径"});
}

// Colours set on the canvas in OnCustomDrawItem are the item's; an item whose event draws it
// itself keeps what the event drew. Owner drawing goes to OnDrawItem.
TEST_F(ListViewTest, CustomAndOwnerDrawingPaintWhatTheEventsSay)
{
  Fill({"", "", ""});
  List->SetRowSelect(true);
  List->SetOnCustomDrawItem(TLVCustomDrawItemEvent(Log.get(), &TEventLog::CustomDrawItem));
  Form->Show();
  auto pixelAt = [&](int index) {
    TDibSurface surface(300, 200, RGB(1, 2, 3));
    SendMessageA(List->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT | PRF_ERASEBKGND);
    const RECT r = List->Items()->Item(index)->DisplayRect(drBounds);
    return surface.Pixel(r.left + 60, (r.top + r.bottom) / 2);
  };
  EXPECT_EQ(pixelAt(1), RGB(0, 200, 0));
  EXPECT_EQ(pixelAt(2), RGB(200, 0, 0));
  EXPECT_EQ(pixelAt(0), ColorToRGB(clWindow));

  List->SetOnCustomDrawItem(nullptr);
  List->SetOwnerDraw(true);
  List->Items()->Item(0)->SetCaption("o");
  List->SetOnDrawItem(TLVDrawItemEvent(Log.get(), &TEventLog::DrawItem));
  Log->Seen.clear();
  EXPECT_EQ(pixelAt(0), RGB(0, 0, 200));
  EXPECT_NE(std::find(Log->Seen.begin(), Log->Seen.end(), "draw o"), Log->Seen.end());
}

// The tip of an item comes from OnInfoTip, starting from its caption, in either code.
TEST_F(ListViewTest, InfoTipsComeFromTheEvent)
{
  Fill({"长名字"});
  Form->Show();
  EXPECT_FALSE(SendMessageA(List->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_INFOTIP);
  List->SetOnInfoTip(TLVInfoTipEvent(Log.get(), &TEventLog::InfoTip));
  EXPECT_TRUE(SendMessageA(List->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_INFOTIP);
  char ansi[64] = {};
  NMLVGETINFOTIPA a{};
  a.hdr.code = LVN_GETINFOTIPA;
  a.pszText = ansi;
  a.cchTextMax = sizeof ansi;
  a.iItem = 0;
  Notify(a.hdr);
  EXPECT_STREQ(ansi, "tip of 长名字 / 长名字");
  wchar_t wide[8] = {};
  NMLVGETINFOTIPW w{};
  w.hdr.code = LVN_GETINFOTIPW;
  w.pszText = wide;
  w.cchTextMax = 8;  // cut to the buffer, terminated
  w.iItem = 0;
  Notify(w.hdr);
  EXPECT_EQ(std::wstring(wide), L"tip of ");
  w.iItem = 5;  // no such item
  wide[0] = L'x';
  Notify(w.hdr);
  EXPECT_EQ(wide[0], L'x');
}

// The new properties are stored with the list and read back equal.
TEST_F(ListViewTest, PropertiesSurviveAStoredFormRoundTrip)
{
  List->SetName("List");
  List->SetCheckboxes(true);
  List->SetColumnClick(false);
  List->SetHoverTime(300);
  List->SetReadOnly(true);
  List->SetSortType(stBoth);
  List->IconOptions()->SetArrangement(iaLeft);
  List->IconOptions()->SetWrapText(false);
  List->Columns()->Items(0)->SetAlignment(taCenter);
  List->Columns()->Items(0)->SetImageIndex(2);
  const std::string text = ComponentToText(List);
  for (const char* line : {"Checkboxes = True", "ColumnClick = False", "HoverTime = 300", "ReadOnly = True",
                           "SortType = stBoth", "IconOptions.Arrangement = iaLeft", "IconOptions.WrapText = False",
                           "Alignment = taCenter", "ImageIndex = 2"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  TOwned<TListView> copy = MakeOwned<TListView>(nullptr);
  ReadComponentFromText(text, copy.get());
  EXPECT_EQ(ComponentToText(copy.get()), text);
  EXPECT_EQ(copy->IconOptions()->Arrangement(), iaLeft);
  EXPECT_EQ(copy->Columns()->Items(0)->Alignment(), taCenter);
}

// Filling a shown list under one update costs a handful of messages, not one per item (every
// message may pass the thread's hooks); recreating a long list asks for the selected and focused
// items' states only.
TEST_F(ListViewTest, LongFillsAndRecreationsSendFewMessages)
{
  auto* list = New<TCountingListView>(Form);
  list->SetParent(Form);
  list->SetBounds(0, 0, 300, 200);
  list->SetViewStyle(vsReport);
  list->SetMultiSelect(true);
  Form->Show();
  list->HandleNeeded();
  list->Messages = 0;
  list->Items()->BeginUpdate();
  for (int i = 0; i < 1000; ++i) {
    TListItem* item = list->Items()->Add();
    item->SetCaption("item");
    item->SubItems()->Add("sub");
  }
  list->Items()->EndUpdate();
  EXPECT_LT(list->Messages, 20);
  EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 1000);
  list->Items()->Item(10)->SetSelected(true);
  list->Items()->Item(900)->SetSelected(true);
  list->Items()->Item(500)->SetFocused(true);
  Pump(10);
  list->Messages = 0;
  list->SetViewStyle(vsList);
  EXPECT_LT(list->Messages, 200);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_TRUE(list->Items()->Item(900)->Selected());
  EXPECT_TRUE(list->Items()->Item(500)->Focused());
  EXPECT_FALSE(list->Items()->Item(11)->Selected());
}
