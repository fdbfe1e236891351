// The text editor's keys and wheel over its lookup items, the key classification, the edit list
// box the items are shown in, and the unit's registration of the text properties.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Variant.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "tests/toolkit/editors/EditPropertiesStubs.h"
#include "toolkit/editors/cxTextEdit.h"

namespace {

class TKeysListBox;

// Lookup data that shows its items in a list box (as drop-down editors do).
class TKeysLookupData : public TcxCustomTextEditLookupData {
  CL_CLASS(TKeysLookupData, TcxCustomTextEditLookupData)
public:
  using TcxCustomTextEditLookupData::TcxCustomTextEditLookupData;
  TcxCustomEditListBoxClass ListBoxClassType() const override;
};

// A list box that shows the editor's items and remembers which texts it was asked for.
class TKeysListBox : public TcxCustomEditListBox {
  CL_CLASS(TKeysListBox, TcxCustomEditListBox)
public:
  using TcxCustomEditListBox::TcxCustomEditListBox;
  void GetItemText(int index, std::string& text) override
  {
    Asked.push_back(index);
    text = Edit() ? Edit()->ActiveTextProperties()->LookupItems()->Get(index) : std::string();
  }
  bool DrawsFocusRect() const { return UsesDefaultDrawing(); }
  std::vector<int> Asked;
};

TcxCustomEditListBoxClass TKeysLookupData::ListBoxClassType() const { return ClassRef<TKeysListBox>(); }

// Text properties in an editing style the test chooses, with the list-showing lookup data.
class TKeysTextProperties : public TcxTextEditProperties {
  CL_CLASS(TKeysTextProperties, TcxTextEditProperties)
public:
  struct TMeta : TcxTextEditProperties::TMeta {
    TcxCustomTextEditLookupDataClass LookupDataClassType() const override { return ClassRef<TKeysLookupData>(); }
  };
  using TcxTextEditProperties::TcxTextEditProperties;
  int GetEditingStyle() const override { return Style; }
  int Style = 0;
};

// A text editor whose keys may step through the items, as combo boxes' do; it records the keys it
// hands to its host and its clicks.
class TKeysTextEdit : public TcxTextEdit {
  CL_CLASS(TKeysTextEdit, TcxTextEdit)
public:
  struct TMeta : TcxTextEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TKeysTextProperties>(); }
  };
  using TcxTextEdit::TcxTextEdit;
  TKeysTextProperties* KeysProperties() const { return static_cast<TKeysTextProperties*>(Properties()); }
  bool CanChangeItemByKeys(bool) override { return ItemsByKeys; }
  bool Wheel(int delta) { return DoMouseWheel({}, delta, POINT{}); }
  void HostKey(TObject*, WORD& Key, TShiftState) { HostKeys.push_back(Key); }
  void Clicked(TObject*) { ++Clicks; }
  bool ItemsByKeys = false;
  std::vector<WORD> HostKeys;
  int Clicks = 0;
};

CL_DEFINE_CLASS(TKeysLookupData);
CL_DEFINE_CLASS(TKeysListBox);
CL_DEFINE_CLASS(TKeysTextProperties);
CL_DEFINE_CLASS(TKeysTextEdit);

class TextEditKeysTest : public edit_test::TEditFormTest {
protected:
  TKeysTextEdit* Place(int style, int itemCount, bool itemsByKeys)
  {
    auto* edit = New<TKeysTextEdit>(Form);
    edit->KeysProperties()->Style = style;
    for (int i = 0; i < itemCount; ++i) edit->Properties()->LookupItems()->Add("item" + std::to_string(i));
    edit->ItemsByKeys = itemsByKeys;
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 150, 24);
    edit->InnerTextEdit()->Handle();
    edit->SetOnInternalKeyDown(TcxEditInternalKeyDownEvent(edit, &TKeysTextEdit::HostKey));
    edit->SetOnClick(TNotifyEvent(edit, &TKeysTextEdit::Clicked));
    return edit;
  }
};

TEST_F(TextEditKeysTest, KeysByEditingStyle)
{
  constexpr WORD none = 0;
  struct TCase {
    int Style, Items;
    bool ItemsByKeys;
    int Start;
    WORD Key;
    TShiftState Shift;
    int Item;      // the current item afterwards
    bool Consumed;
    WORD HostKey;  // the key the host got; 0 none
  };
  const TCase cases[] = {
      // The plain text editor: vertical keys go to the host, the caret keys to the EDIT.
      {0, 0, false, -1, VK_UP, {}, -1, true, VK_UP},
      {0, 0, false, -1, VK_DOWN, {}, -1, true, VK_DOWN},
      {0, 4, false, -1, VK_DOWN, {}, -1, true, VK_DOWN},     // its keys never step through items
      {0, 4, false, -1, VK_NEXT, {}, -1, true, VK_NEXT},
      {0, 4, false, -1, VK_HOME, {}, -1, false, none},
      {0, 4, false, -1, VK_LEFT, {}, -1, false, none},
      {0, 4, false, -1, VK_DELETE, {}, -1, false, none},
      // Keys that step through the items.
      {0, 5, true, -1, VK_DOWN, {}, 0, true, none},
      {0, 5, true, 2, VK_UP, {}, 1, true, none},
      {0, 5, true, 4, VK_DOWN, {}, 4, true, none},           // the last item stays: no wrapping
      {0, 20, true, -1, VK_NEXT, {}, 7, true, none},         // eight rows a page
      {0, 20, true, 10, VK_PRIOR, {}, 3, true, none},
      {0, 20, true, 10, VK_NEXT, {ssCtrl}, 19, true, none},
      {0, 20, true, 10, VK_PRIOR, {ssCtrl}, 0, true, none},
      {0, 20, true, 10, VK_HOME, {}, 10, false, none},       // Home and End move the caret...
      {2, 20, true, 10, VK_HOME, {}, 0, true, none},         // ...but pick the item in a list-only editor
      {2, 20, true, 10, VK_END, {}, 19, true, none},
      {0, 0, true, -1, VK_DOWN, {}, -1, true, VK_DOWN},      // no items: the host's key
      // A list-only editor has no caret: Left, Right and Delete go to the host.
      {2, 4, true, 1, VK_LEFT, {}, 1, true, VK_LEFT},
      {2, 4, true, 1, VK_DELETE, {}, 1, true, VK_DELETE},
      // An editor completed from the items passes Delete on.
      {1, 4, true, 1, VK_DELETE, {}, 1, true, VK_DELETE},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.Style) + " items " + std::to_string(c.Items) + " from " +
                 std::to_string(c.Start) + " key " + std::to_string(c.Key));
    TKeysTextEdit* edit = Place(c.Style, c.Items, c.ItemsByKeys);
    if (c.Start >= 0) edit->LookupData()->SelectKey(Variant(c.Start));
    edit->Clicks = 0;
    WORD key = c.Key;
    edit->DoEditKeyDown(key, c.Shift);
    EXPECT_EQ(edit->ItemIndex(), c.Item);
    EXPECT_EQ(key == 0, c.Consumed);
    EXPECT_EQ(edit->HostKeys, c.HostKey ? std::vector<WORD>{c.HostKey} : std::vector<WORD>{});
    if (c.Item != c.Start) {
      // A stepped item is the user's value: shown, stored, modified, one click.
      EXPECT_EQ(edit->Text(), "item" + std::to_string(c.Item));
      EXPECT_EQ(VarToStr(edit->EditValue()), edit->Text());
      EXPECT_TRUE(edit->Modified());
      EXPECT_EQ(edit->Clicks, 1);
    }
    Free(edit);
  }
}

TEST_F(TextEditKeysTest, ReadOnlyEditorKeepsItsItemAndHandsTheKeyOn)
{
  TKeysTextEdit* edit = Place(0, 5, true);
  edit->LookupData()->SelectKey(Variant(1));
  edit->Properties()->SetReadOnly(true);
  WORD key = VK_DOWN;
  edit->DoEditKeyDown(key, {});
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), "item1");
  EXPECT_EQ(edit->HostKeys, std::vector<WORD>{VK_DOWN});
  // The wheel is refused as well.
  EXPECT_FALSE(edit->Wheel(-WHEEL_DELTA));
  EXPECT_EQ(edit->ItemIndex(), 1);
}

TEST_F(TextEditKeysTest, ImmediatePostWritesAStepAtOnce)
{
  TKeysTextEdit* edit = Place(0, 3, true);
  edit->Properties()->SetImmediatePost(true);
  WORD key = VK_DOWN;
  edit->DoEditKeyDown(key, {});
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_FALSE(edit->Modified());  // posted
  EXPECT_EQ(VarToStr(edit->EditValue()), "item0");
}

TEST_F(TextEditKeysTest, WheelStepsThroughItemsOnlyWhereItMay)
{
  TKeysTextEdit* edit = Place(0, 3, true);
  EXPECT_TRUE(edit->Wheel(-WHEEL_DELTA));
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_TRUE(edit->Wheel(-WHEEL_DELTA));
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_TRUE(edit->Wheel(WHEEL_DELTA));
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_EQ(edit->Text(), "item0");
  EXPECT_FALSE(edit->WheelStepping());
  // Through the window's message, as the system sends it.
  const POINT screen = edit->ClientToScreen(POINT{5, 5});
  SendMessageA(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(edit->ItemIndex(), 1);
  Free(edit);

  // An empty list, and the plain text editor, leave the wheel alone.
  edit = Place(0, 0, true);
  EXPECT_FALSE(edit->Wheel(-WHEEL_DELTA));
  EXPECT_EQ(edit->ItemIndex(), -1);
  Free(edit);
  edit = Place(0, 3, false);
  EXPECT_FALSE(edit->Wheel(-WHEEL_DELTA));
  EXPECT_EQ(edit->ItemIndex(), -1);
}

TEST_F(TextEditKeysTest, KeyAndCharacterClassification)
{
  TKeysTextEdit* stepping = Place(0, 3, true);
  TKeysTextEdit* plain = Place(0, 3, false);
  TKeysTextEdit* empty = Place(0, 0, true);
  struct TCase {
    TKeysTextEdit* Edit;
    WORD Key;
    TShiftState Shift;
    bool Changing;
  };
  const TCase keys[] = {
      {plain, VK_DELETE, {}, true},    {plain, VK_UP, {}, false},        {plain, VK_LEFT, {}, false},
      {stepping, VK_UP, {}, true},     {stepping, VK_DOWN, {}, true},    {stepping, VK_UP, {ssAlt}, false},
      {stepping, VK_NEXT, {}, true},   {stepping, VK_PRIOR, {ssAlt}, true}, {stepping, VK_HOME, {}, false},
      {empty, VK_DOWN, {}, false},     {empty, VK_DELETE, {}, true},
  };
  for (const TCase& c : keys)
    EXPECT_EQ(c.Edit->IsValueChangingKey(c.Key, c.Shift), c.Changing) << "key " << c.Key;
  const std::pair<char, bool> chars[] = {{'\b', true}, {22, true},   {24, true},  {'a', true},
                                         {' ', true},  {3, false},   {'\r', false}, {27, false}};
  for (auto [ch, changing] : chars) EXPECT_EQ(plain->IsValueChangingChar(ch), changing) << int(ch);

  // A provider that refuses every character: the allowed characters still pass.
  TOwned<TStubProvider> provider = MakeOwned<TStubProvider>();
  provider->AcceptsChars = false;
  plain->Properties()->SetDefaultValuesProvider(provider.get());
  EXPECT_FALSE(plain->IsValidChar('a'));
  TcxAllowedChars allowed;
  allowed.set('a');
  allowed.set(0xD6);
  plain->Properties()->SetAllowedChars(allowed);
  EXPECT_TRUE(plain->IsValidChar('a'));
  EXPECT_TRUE(plain->IsValidChar('\xD6'));
  EXPECT_FALSE(plain->IsValidChar('b'));
  plain->Properties()->SetDefaultValuesProvider(nullptr);
}

TEST_F(TextEditKeysTest, ListFollowsTheItemsAndShowsTheirTexts)
{
  Form->Show();
  TKeysTextEdit* edit = Place(2, 5, true);
  TcxCustomTextEditLookupData* data = edit->LookupData();
  EXPECT_EQ(data->ListBox(), nullptr);
  data->CreateListControl(Form);
  auto* list = static_cast<TKeysListBox*>(data->ListBox());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Parent(), Form);
  EXPECT_EQ(list->Owner(), Form);
  EXPECT_EQ(list->Edit(), edit);
  EXPECT_EQ(list->Color(), edit->GetActiveStyle()->GetVisibleColor());
  EXPECT_EQ(list->Count(), 5);
  EXPECT_EQ(list->Items()->Get(2), "");  // placeholders: the texts are asked for
  EXPECT_TRUE(list->DrawsFocusRect());   // a list-only editor's list draws its focus itself

  // Measured by the font: every item one text height.
  const int h = list->GetItemHeight(-1);
  EXPECT_GT(h, 0);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 3, 0), h);
  EXPECT_EQ(list->GetItemsHeight(4), 4 * h);
  EXPECT_GT(list->GetItemWidth(0), 0);

  data->SetListBounds(RECT{10, 40, 140, 40 + 5 * h});
  EXPECT_EQ(list->Left(), 10);
  EXPECT_EQ(list->Height(), 5 * h);
  list->Asked.clear();
  list->Invalidate();
  UpdateWindow(list->Handle());
  for (int i = 0; i < 5; ++i) EXPECT_NE(std::find(list->Asked.begin(), list->Asked.end(), i), list->Asked.end()) << i;
  const POINT inside = list->ClientToScreen(POINT{5, 5});
  EXPECT_TRUE(data->IsPointOverList(inside));
  EXPECT_FALSE(data->IsPointOverList(POINT{inside.x, inside.y + 200}));

  // The count follows the items.
  edit->Properties()->LookupItems()->Add("item5");
  data->RefreshList();
  EXPECT_EQ(list->Count(), 6);
  while (edit->Properties()->LookupItems()->Count() > 2) edit->Properties()->LookupItems()->Delete(0);
  data->RefreshList();
  EXPECT_EQ(list->Count(), 2);

  // The list belongs to its parent: it outlives the editor and stops reporting to it.
  TWeakRef<TKeysListBox> kept(list);
  Free(edit);
  ASSERT_TRUE(kept);
  EXPECT_EQ(list->Edit(), nullptr);
  list->SetItemIndex(1);
  SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 2));
  EXPECT_EQ(list->ItemIndex(), 0);
  list->Invalidate();
  UpdateWindow(list->Handle());
}

TEST_F(TextEditKeysTest, KeysMoveTheShownListAndEnterCommitsIt)
{
  Form->Show();
  TKeysTextEdit* edit = Place(2, 5, true);
  TcxCustomTextEditLookupData* data = edit->LookupData();
  edit->LookupData()->SelectKey(Variant(0));
  data->CreateListControl(Form);
  data->SetListBounds(RECT{10, 40, 140, 120});
  ASSERT_TRUE(data->ListVisible());
  edit->SetListHighlightShown(true);
  ASSERT_TRUE(edit->ListHighlightShown());
  WORD key = VK_DOWN;
  edit->DoEditKeyDown(key, {});
  // While the list shows, the key moves its selection only; the text follows on Enter.
  EXPECT_EQ(data->ListIndex(), 1);
  EXPECT_EQ(data->ListBox()->ItemIndex(), 1);
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_EQ(edit->Text(), "item0");
  key = VK_RETURN;
  edit->DoEditKeyDown(key, {});
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), "item1");
  EXPECT_EQ(edit->InnerTextEdit()->SelLength(), 5);  // selected as a whole
  // Left in a list-only editor drops the highlight.
  key = VK_LEFT;
  edit->DoEditKeyDown(key, {});
  EXPECT_FALSE(edit->ListHighlightShown());
}

TEST_F(TextEditKeysTest, ListTracksTheMouseAndScrollsByTheWheel)
{
  Form->Show();
  TKeysTextEdit* edit = Place(2, 30, true);
  TcxCustomTextEditLookupData* data = edit->LookupData();
  data->CreateListControl(Form);
  TcxCustomEditListBox* list = data->ListBox();
  const int h = list->GetItemHeight(-1);
  data->SetListBounds(RECT{10, 40, 140, 40 + 5 * h});
  HWND wnd = list->Handle();

  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 2 * h + h / 2));
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(data->ListIndex(), 2);  // the lookup data reads the moved selection
  list->SetTrackMouse(false);
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 3 * h + h / 2));
  EXPECT_EQ(list->ItemIndex(), 2);
  list->SetTrackMouse(true);
  SetCapture(wnd);  // while the list holds the mouse, moves do not select
  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 3 * h + h / 2));
  EXPECT_EQ(list->ItemIndex(), 2);
  ReleaseCapture();

  TScopedSetter<TWheelScrollLinesFunc> lines(SetWheelScrollLinesFunc, [] { return UINT{3}; });
  const POINT screen = list->ClientToScreen(POINT{5, 5});
  const LPARAM at = MAKELPARAM(screen.x, screen.y);
  EXPECT_EQ(SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at), 1);
  EXPECT_EQ(list->TopIndex(), 3);
  EXPECT_EQ(SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at), 1);
  EXPECT_EQ(list->TopIndex(), 0);
}

TEST(TextEditUnit, RegistersTheTextPropertiesOnceAndRemovesThemAtTheLastShutDown)
{
  TcxRegisteredClasses* registry = GetEditPropertiesRegistry();
  const int index = registry->IndexOfClass(ClassRef<TcxTextEditProperties>());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->GetEntryText(index), "TextEdit|Represents a single line text editor");
  EXPECT_EQ(registry->GetDescriptionText(index), "TextEdit");
  const int count = registry->GetClassCount();
  UnitcxTextEdit.Initialize();  // a second start-up adds nothing
  EXPECT_EQ(registry->GetClassCount(), count);
  UnitcxTextEdit.Finalize();    // ...and its shut-down keeps the entry
  EXPECT_GE(registry->IndexOfClass(ClassRef<TcxTextEditProperties>()), 0);
  UnitcxTextEdit.Finalize();
  EXPECT_LT(registry->IndexOfClass(ClassRef<TcxTextEditProperties>()), 0);
  UnitcxTextEdit.Initialize();
  EXPECT_GE(registry->IndexOfClass(ClassRef<TcxTextEditProperties>()), 0);
}

}  // namespace
