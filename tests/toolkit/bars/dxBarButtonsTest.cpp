// Buttons and their actions: radio groups, the styles' refusals, the checked click, the recursive
// drop-down menu, separators on toolbars, the large button's image indexes read from stored forms,
// the item action link, and a stored form of the main window's first toolbar with its actions.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/ImageList.h"
#include "classlib/ObjectText.h"
#include "classlib/Canvas.h"
#include "classlib/Application.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarItemActionLink.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/dxCore.h"

namespace {
struct TButtonsFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);

  TdxBarButton* Button(TdxBarButtonStyle style = bsDefault, int group = 0)
  {
    auto* button = New<TdxBarButton>(Form);
    button->SetButtonStyle(style);
    button->SetGroupIndex(group);
    return button;
  }
};

// Records the clicks of items and the runs of actions, with the Down of the clicked button.
struct TRunLog : TObject {
  std::vector<std::string> Runs;
  void Click(TObject* sender)
  {
    auto* button = dynamic_cast<TdxBarButton*>(sender);
    Runs.push_back(button && button->Down() ? "click down" : "click");
  }
  void Execute(TObject*) { Runs.push_back("execute"); }
};

std::string DownPattern(const std::vector<TdxBarButton*>& buttons)
{
  std::string pattern;
  for (TdxBarButton* b : buttons) pattern += b->Down() ? 'X' : '-';
  return pattern;
}
}  // namespace

// Radio groups: pressing one releases the one that was down; the last one down stays down unless
// the group allows all up; AllowAllUp set on one is set on the whole group (not on other groups).
TEST(dxBarButton, RadioGroupsWithAndWithoutAllowAllUp)
{
  struct TStep {
    int Button;
    bool Down;
    const char* Pattern;
  };
  struct TCase {
    bool AllowAllUp;
    std::vector<TStep> Steps;
  };
  const TCase cases[] = {
      {false, {{0, true, "X--"}, {1, true, "-X-"}, {1, false, "-X-"}, {2, true, "--X"}, {0, false, "--X"}}},
      {true, {{0, true, "X--"}, {1, true, "-X-"}, {1, false, "---"}, {2, true, "--X"}, {2, false, "---"}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.AllowAllUp);
    TButtonsFixture f;
    std::vector<TdxBarButton*> group = {f.Button(bsChecked, 1), f.Button(bsCheckedDropDown, 1), f.Button(bsChecked, 1)};
    TdxBarButton* other = f.Button(bsChecked, 2);
    group[1]->SetAllowAllUp(c.AllowAllUp);
    for (TdxBarButton* b : group) EXPECT_EQ(b->AllowAllUp(), c.AllowAllUp);
    EXPECT_FALSE(other->AllowAllUp());
    other->SetDown(true);
    for (const TStep& step : c.Steps) {
      group[step.Button]->SetDown(step.Down);
      EXPECT_EQ(DownPattern(group), step.Pattern) << step.Button << (step.Down ? " down" : " up");
    }
    EXPECT_TRUE(other->Down()) << "another group is left alone";
  }
}

// Down and GroupIndex belong to checked styles: on the others they are ignored silently; a new
// style releases Down, and bsDefault keeps a group index it had but no longer goes down.
TEST(dxBarButton, DownAndGroupIndexOnlyForCheckedStyles)
{
  TButtonsFixture f;
  for (TdxBarButtonStyle style : {bsDefault, bsDropDown}) {
    TdxBarButton* b = f.Button(style);
    b->SetGroupIndex(3);
    b->SetDown(true);
    EXPECT_EQ(b->GroupIndex(), 0);
    EXPECT_FALSE(b->Down());
  }
  TdxBarButton* checked = f.Button(bsChecked, 4);
  checked->SetDown(true);
  checked->SetButtonStyle(bsCheckedDropDown);
  EXPECT_FALSE(checked->Down()) << "a new style releases Down";
  checked->SetDown(true);
  checked->SetButtonStyle(bsDefault);
  EXPECT_EQ(checked->GroupIndex(), 4);
  checked->SetDown(true);
  EXPECT_FALSE(checked->Down());
}

// A shortcut or direct click of an enabled checked button toggles Down before the click runs; a
// disabled one does neither; a plain button only clicks.
TEST(dxBarButton, DirectClickTogglesACheckedButtonFirst)
{
  TButtonsFixture f;
  auto log = MakeOwned<TRunLog>();
  TdxBarButton* checked = f.Button(bsChecked);
  TdxBarButton* plain = f.Button(bsDefault);
  for (TdxBarButton* b : {checked, plain}) b->SetOnClick(TNotifyEvent(log.get(), &TRunLog::Click));
  checked->SetShortCut('K' | scCtrl);
  EXPECT_TRUE(checked->HandleShortCut('K' | scCtrl));
  checked->DirectClick();
  plain->DirectClick();
  checked->SetEnabled(false);
  checked->DirectClick();
  EXPECT_EQ(log->Runs, (std::vector<std::string>{"click down", "click", "click"}));
  EXPECT_FALSE(checked->Down());
}

// A drop-down menu that shows the button, directly or through another button's menu, is refused
// with EdxException and nothing changes; a freed menu is forgotten.
TEST(dxBarButton, RecursiveDropDownMenusAreRefused)
{
  TButtonsFixture f;
  TdxBarButton* a = f.Button(bsDropDown);
  TdxBarButton* b = f.Button(bsDropDown);
  auto* own = New<TdxBarPopupMenu>(f.Form);
  own->ItemLinks()->AddItem(a);
  auto* viaB = New<TdxBarPopupMenu>(f.Form);
  viaB->ItemLinks()->AddItem(b);
  auto* plain = New<TdxBarPopupMenu>(f.Form);

  a->SetDropDownMenu(plain);
  try {
    a->SetDropDownMenu(own);
    ADD_FAILURE() << "no exception";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "You cannot create recursive menus");
  }
  EXPECT_EQ(a->DropDownMenu(), plain);
  EXPECT_EQ(a->GetItemLinks(), plain->ItemLinks());

  auto* showsA = New<TdxBarPopupMenu>(f.Form);
  showsA->ItemLinks()->AddItem(a);
  b->SetDropDownMenu(showsA);
  EXPECT_THROW(a->SetDropDownMenu(viaB), EdxException);
  EXPECT_EQ(a->DropDownMenu(), plain);

  Free(plain);
  EXPECT_EQ(a->DropDownMenu(), nullptr);
  EXPECT_EQ(a->GetItemLinks(), nullptr);
  std::string message = "x";
  EXPECT_FALSE(a->AcceptsItem(b, message)) << "no menu, no place";
}

// A separator stands in menus only; a toolbar refuses it with its message.
TEST(dxBarButton, SeparatorsAreRefusedOnToolbars)
{
  TButtonsFixture f;
  auto* separator = New<TdxBarSeparator>(f.Form);
  EXPECT_TRUE(separator->ShowCaption());
  std::string message;
  EXPECT_FALSE(separator->CanBePlacedIn(TdxBarLinksKind::lkToolbar, f.Manager->Bars()->Add(), message));
  EXPECT_EQ(message, "A separator item cannot be placed on the specified toolbar");
  EXPECT_TRUE(separator->CanBePlacedIn(TdxBarLinksKind::lkMenu, nullptr, message));
  EXPECT_EQ(message, "");
  EXPECT_FALSE(separator->GetSupportedActions().Contains(TdxBarCustomizingAction::caMostRecentlyUsed));
  EXPECT_TRUE(New<TdxBarButton>(f.Form)->GetSupportedActions().Contains(TdxBarCustomizingAction::caPaintStyle));
  EXPECT_FALSE(New<TdxBarLargeButton>(f.Form)->GetSupportedActions().Contains(TdxBarCustomizingAction::caPaintStyle));
}

namespace {
class TButtonsTestForm : public TForm {
  CL_CLASS(TButtonsTestForm, TForm)
public:
  explicit TButtonsTestForm(TComponent* owner) : TForm(owner, CreateNew) {}
  int Searches = 0, Opens = 0;
  bool EnableOnUpdate = true;
  void Action2Execute(TObject*) { ++Searches; }
  void Action1Execute(TObject*) { ++Opens; }
  void Action3Update(TObject* sender) { As<TCustomAction>(sender)->SetEnabled(EnableOnUpdate); }
  template <class T>
  T* Find(const char* name) const
  {
    return As<T>(FindComponent(name));
  }
};

const TMethodInfo ButtonsFormMethods[] = {
  PublishedMethod<TNotifyEvent, &TButtonsTestForm::Action1Execute>("Action1Execute"),
  PublishedMethod<TNotifyEvent, &TButtonsTestForm::Action2Execute>("Action2Execute"),
  PublishedMethod<TNotifyEvent, &TButtonsTestForm::Action3Update>("Action3Update"),
};

// The form class and the classes of actions and images the stored form names, for its time.
struct TFormScope {
  std::vector<TClass> Registered;
  TFormScope()
  {
    for (TClass c : {TButtonsTestForm::StaticClass(), TActionList::StaticClass(), TAction::StaticClass(),
                     TImageList::StaticClass()})
      if (!GetClass(c->Name)) {
        RegisterClass(c);
        Registered.push_back(c);
      }
  }
  ~TFormScope()
  {
    for (TClass c : Registered) UnRegisterClass(c);
  }
};

// The main window's first toolbar with its three command buttons bound to the actions, the stored
// caption of dxBarButton5 written over its action's, and two large buttons.
// Stored forms are UTF-8 text; the strings they give are in the ANSI code page.
constexpr const char8_t* ToolbarForm = u8R"(object ButtonsForm: TButtonsTestForm
  Left = 100
  Top = 100
  Width = 600
  Height = 400
  object ImageList1: TImageList
  end
  object ActionList1: TActionList
    Images = ImageList1
    object Action1: TAction
      Caption = '选择扫描路径'
      ImageIndex = 0
      OnExecute = Action1Execute
    end
    object Action2: TAction
      Caption = '检索'
      Hint = '检索提示'
      ImageIndex = 1
      ShortCut = 16454
      OnExecute = Action2Execute
    end
    object Action3: TAction
      Caption = '导出'
      ImageIndex = 2
      OnUpdate = Action3Update
    end
  end
  object dxBarManager1: TdxBarManager
    Categories.Strings = (
      'Default')
    Categories.ItemsVisibles = (
      2)
    Categories.Visibles = (
      True)
    Images = ImageList1
    object dxBarManager1Bar1: TdxBar
      Caption = 'Mainmenu'
      DockingStyle = dsTop
      ItemLinks = <
        item
          Visible = True
          ItemName = 'dxBarButton1'
        end
        item
          Visible = True
          ItemName = 'dxBarButton5'
        end
        item
          Visible = True
          ItemName = 'dxBarButton6'
        end>
      Visible = True
    end
    object dxBarButton1: TdxBarButton
      Action = Action1
      Category = 0
      PaintStyle = psCaptionGlyph
    end
    object dxBarButton5: TdxBarButton
      Action = Action2
      Caption = '检索文件列表'
      Category = 0
      PaintStyle = psCaptionGlyph
    end
    object dxBarButton6: TdxBarButton
      Action = Action3
      Category = 0
      PaintStyle = psCaptionGlyph
    end
    object LargeOnly: TdxBarLargeButton
      Caption = 'Large'
      Category = 0
      LargeImageIndex = 5
    end
    object LargeApart: TdxBarLargeButton
      Caption = 'Apart'
      Category = 0
      LargeImageIndex = 5
      SyncImageIndex = False
      ImageIndex = 3
    end
  end
end
)";

struct TToolbarForm {
  TFormScope Scope;
  TOwned<TButtonsTestForm> Form = MakeOwned<TButtonsTestForm>(nullptr);
  TToolbarForm() { ReadComponentFromText(reinterpret_cast<const char*>(ToolbarForm), Form.get()); }
  TButtonsTestForm* operator->() const { return Form.get(); }
};
}  // namespace

CL_DEFINE_CLASS(TButtonsTestForm, .Methods = ButtonsFormMethods);

// The buttons read from the stored form follow their actions: captions (the stored one of
// dxBarButton5 wins), image indexes, hints, shortcuts and clicks; the empty values are filled. A
// click runs the action once.
TEST(dxBarButtonActions, StoredButtonsFollowTheirActionsAndAStoredCaptionWins)
{
  TToolbarForm f;
  auto* open = f->Find<TdxBarButton>("dxBarButton1");
  auto* search = f->Find<TdxBarButton>("dxBarButton5");
  auto* action2 = f->Find<TAction>("Action2");
  EXPECT_EQ(open->Caption(), "选择扫描路径");
  EXPECT_EQ(open->ImageIndex(), 0);
  EXPECT_EQ(search->Caption(), "检索文件列表");
  EXPECT_EQ(search->ImageIndex(), 1);
  EXPECT_EQ(search->Hint(), "检索提示");
  EXPECT_EQ(search->ShortCut(), 16454);
  EXPECT_EQ(search->Action(), action2);
  EXPECT_EQ(search->PaintStyle(), psCaptionGlyph);

  search->Click();
  open->Click();
  EXPECT_EQ(f->Searches, 1);
  EXPECT_EQ(f->Opens, 1);

  // The stored caption does not follow the action; the others do.
  action2->SetCaption("新检索");
  action2->SetImageIndex(4);
  EXPECT_EQ(search->Caption(), "检索文件列表");
  EXPECT_EQ(search->ImageIndex(), 4);
  f->Find<TAction>("Action1")->SetCaption("打开");
  EXPECT_EQ(open->Caption(), "打开");

  // Disabling and hiding the action reach the item.
  action2->SetEnabled(false);
  EXPECT_FALSE(search->Enabled());
  search->Click();
  EXPECT_EQ(f->Searches, 1) << "a disabled item does not run";
  action2->SetVisible(false);
  EXPECT_EQ(search->Visible(), ivNever);
}

// The stored form keeps the linked values out: a button that follows its action writes neither
// caption nor image index nor click handler; dxBarButton5 writes its own caption.
TEST(dxBarButtonActions, LinkedValuesAreNotStored)
{
  TToolbarForm f;
  const std::string text = ComponentToText(f.Form.get());
  auto block = [&](const char* name) {
    const size_t start = text.find(std::string("object ") + name);
    return text.substr(start, text.find("end", start) - start);
  };
  const std::string open = block("dxBarButton1"), search = block("dxBarButton5");
  EXPECT_NE(open.find("Action = Action1"), std::string::npos) << open;
  for (const char* linked : {" Caption =", " ImageIndex =", " OnClick =", " Hint =", " Enabled ="})
    EXPECT_EQ(open.find(linked), std::string::npos) << linked << " in " << open;
  EXPECT_NE(search.find(" Caption ="), std::string::npos) << search;
  EXPECT_EQ(search.find(" ShortCut ="), std::string::npos) << search;
}

// A large button read with only LargeImageIndex 5 takes ImageIndex 5; with the extra "ImageIndex" 3
// and SyncImageIndex off the two stay apart, and only that one writes the extra value back. An
// ImageIndex set by hand at run time ends the synchronization.
TEST(dxBarLargeButton, ImageIndexesReadFromAStoredForm)
{
  TToolbarForm f;
  struct TCase {
    const char* Name;
    int ImageIndex, LargeImageIndex;
    bool Sync;
  };
  const TCase cases[] = {{"LargeOnly", 5, 5, true}, {"LargeApart", 3, 5, false}};
  const std::string text = ComponentToText(f.Form.get());
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* large = f->Find<TdxBarLargeButton>(c.Name);
    EXPECT_EQ(large->ImageIndex(), c.ImageIndex);
    EXPECT_EQ(large->LargeImageIndex(), c.LargeImageIndex);
    EXPECT_EQ(large->SyncImageIndex(), c.Sync);
    const size_t start = text.find(std::string("object ") + c.Name);
    const std::string block = text.substr(start, text.find("end", start) - start);
    EXPECT_EQ(block.find("ImageIndex = 3") != std::string::npos, !c.Sync) << block;
    EXPECT_NE(block.find("LargeImageIndex = 5"), std::string::npos) << block;
  }
  auto* synced = f->Find<TdxBarLargeButton>("LargeOnly");
  synced->SetLargeImageIndex(7);
  EXPECT_EQ(synced->ImageIndex(), 7) << "in step";
  synced->SetImageIndex(2);
  EXPECT_FALSE(synced->SyncImageIndex());
  synced->SetLargeImageIndex(8);
  EXPECT_EQ(synced->ImageIndex(), 2);
  synced->SetSyncImageIndex(true);
  EXPECT_EQ(synced->ImageIndex(), 8) << "switching on brings ImageIndex back in step";
}

// The link tests compare the item's value with the action's: a value given by hand stops
// following; a checked action keeps Down in step on a checked button and cannot press a plain
// one; an action that is not a TCustomAction links nothing; AssignTo copies the item's values to an
// action; a destroyed action leaves the item with its values.
TEST(dxBarButtonActions, TheLinkFollowsOnlyWhatIsStillTheActions)
{
  TButtonsFixture f;
  auto* action = New<TAction>(f.Form);
  action->SetCaption("Open");
  action->SetHelpContext(7);
  action->SetChecked(true);
  TdxBarButton* checked = f.Button(bsChecked);
  TdxBarButton* plain = f.Button(bsDefault);
  for (TdxBarButton* b : {checked, plain}) b->SetAction(action);
  EXPECT_TRUE(checked->Down());
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(checked->HelpContext(), 7);
  EXPECT_EQ(checked->Hint(), "") << "a caption from the action does not make the hint";

  auto* link = dynamic_cast<TdxBarItemActionLink*>(checked->ActionLink());
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Client(), checked);
  EXPECT_TRUE(link->IsCaptionLinked() && link->IsCheckedLinked() && link->IsHelpContextLinked());
  action->SetChecked(false);
  EXPECT_FALSE(checked->Down());

  checked->SetCaption("Mine");
  EXPECT_FALSE(link->IsCaptionLinked());
  action->SetCaption("Open file");
  EXPECT_EQ(checked->Caption(), "Mine");
  EXPECT_EQ(plain->Caption(), "Open file");
  EXPECT_TRUE(checked->IsCaptionStored());
  EXPECT_FALSE(plain->IsCaptionStored());
  action->SetShortCut('O' | scCtrl);
  EXPECT_EQ(plain->ShortCut(), 'O' | scCtrl);

  // AssignTo copies the item's values into another action.
  auto* copy = New<TAction>(f.Form);
  copy->Assign(checked);
  EXPECT_EQ(copy->Caption(), "Mine");
  EXPECT_EQ(copy->HelpContext(), 7);
  EXPECT_EQ(copy->ShortCut(), 'O' | scCtrl);
  EXPECT_THROW(checked->AssignTo(New<TdxBarButton>(f.Form)), EConvertError);

  // Not a TCustomAction: nothing is copied or linked.
  auto* basic = New<TBasicAction>(f.Form);
  TdxBarButton* bare = f.Button();
  bare->SetAction(basic);
  ASSERT_NE(bare->ActionLink(), nullptr);
  EXPECT_FALSE(bare->ActionLink()->IsCaptionLinked());
  EXPECT_TRUE(bare->IsCaptionStored());

  Free(action);
  EXPECT_EQ(checked->Action(), nullptr);
  EXPECT_EQ(plain->Caption(), "Open file");
}

namespace {
// Three glyphs of distinct colours for the stored form's image list.
void FillImages(TImageList* images)
{
  const TColor colors[] = {clNavy, clGreen, clMaroon};
  images->SetWidth(16);
  images->SetHeight(16);
  for (TColor color : colors) {
    auto glyph = MakeOwned<TBitmap>();
    glyph->SetSize(16, 16);
    glyph->Canvas()->Brush()->SetColor(color);
    glyph->Canvas()->FillRect(RECT{0, 0, 16, 16});
    images->Add(glyph.get(), nullptr);
  }
}

// The toolbar form shown with its glyphs, the bar docked at the top of the form.
struct TShownToolbarForm : TToolbarForm {
  TShownToolbarForm()
  {
    FillImages(Form->Find<TImageList>("ImageList1"));
    Form->Show();
    BringToFront(Form->Handle());
    Pump(50);
  }
  TdxBarControl* Toolbar() const { return Form->Find<TdxBar>("dxBarManager1Bar1")->GetBarControl(); }
  TdxBarItemControl* ControlOf(const char* name) const
  {
    TdxBarItem* item = Form->Find<TdxBarItem>(name);
    return item->GetLinkCount() ? item->GetLink(0)->Control() : nullptr;
  }
  POINT CentreOnScreen(const char* name) const
  {
    const RECT r = ControlOf(name)->GetBoundsRect();
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(Toolbar()->Handle(), &p);
    return p;
  }
  // How many pixels of the control, drawn as the toolbar draws it, have the colour.
  int PixelsOf(const char* name, COLORREF color) const
  {
    TdxBarItemControl* control = ControlOf(name);
    const RECT r = control->GetBoundsRect();
    TDibSurface s(r.right - r.left, r.bottom - r.top, RGB(255, 0, 255));
    auto canvas = MakeOwned<TCanvas>();
    canvas->SetHandle(s.DC());
    auto cx = MakeOwned<TcxCanvas>(canvas.get());
    control->DrawTo(cx.get(), RECT{0, 0, r.right - r.left, r.bottom - r.top}, 0);
    canvas->SetHandle(nullptr);
    return s.Count(RECT{0, 0, r.right - r.left, r.bottom - r.top}, color);
  }
};
}  // namespace

// On the docked toolbar of the stored form: a click with the mouse on a button bound to an action
// runs the action once; the buttons show their actions' glyphs; an action disabled by hand, or in
// its OnUpdate in idle time (the top dock updates the links), greys its button's glyph.
TEST(dxBarButtonActions, OnTheDockedToolbarAClickRunsTheActionAndADisabledActionGreysItsButton)
{
  TShownToolbarForm f;
  TdxBarControl* toolbar = f.Toolbar();
  ASSERT_NE(toolbar, nullptr);
  ASSERT_TRUE(toolbar->HandleAllocated() && IsWindowVisible(toolbar->Handle()));
  EXPECT_EQ(toolbar->DockingStyle(), dsTop);
  ASSERT_NE(f.ControlOf("dxBarButton5"), nullptr);

  ASSERT_TRUE(ClickAt(f.CentreOnScreen("dxBarButton5")));
  ASSERT_TRUE(PumpUntil([&] { return f->Searches > 0; }));
  Pump(30);
  EXPECT_EQ(f->Searches, 1);
  EXPECT_EQ(f->Opens, 0);

  const COLORREF green = ColorToRGB(clGreen), maroon = ColorToRGB(clMaroon);
  EXPECT_GT(f.PixelsOf("dxBarButton5", green), 100) << "the action's glyph";
  f->Find<TAction>("Action2")->SetEnabled(false);
  Pump(10);
  EXPECT_EQ(f.PixelsOf("dxBarButton5", green), 0) << "disabled: drawn grey";
  ASSERT_TRUE(ClickAt(f.CentreOnScreen("dxBarButton5")));
  Pump(50);
  EXPECT_EQ(f->Searches, 1) << "a disabled button does not run its action";

  f->EnableOnUpdate = false;
  Application->DoApplicationIdle();
  EXPECT_FALSE(f->Find<TdxBarButton>("dxBarButton6")->Enabled());
  EXPECT_EQ(f.PixelsOf("dxBarButton6", maroon), 0);
  f->EnableOnUpdate = true;
  Application->DoApplicationIdle();
  EXPECT_TRUE(f->Find<TdxBarButton>("dxBarButton6")->Enabled());
  EXPECT_GT(f.PixelsOf("dxBarButton6", maroon), 100);
}
