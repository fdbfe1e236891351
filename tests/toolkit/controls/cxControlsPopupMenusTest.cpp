// The popup-menu functions: shortcuts, showing a control's menu and measuring a menu's height.
#include <gtest/gtest.h>
#include "classlib/ImageList.h"
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/controls/cxControlsPopupMenus.h"

using namespace controls_test;

namespace {
// A component that acts as a popup menu through the handler interface, recording its calls.
class THandlerMenu : public TComponent, public IcxPopupMenuHandler {
public:
  using TComponent::TComponent;
  bool IsMenuShortCut(TMessage& message) override
  {
    ShortCutAsked = message.WParam;
    return Answer;
  }
  void Popup(int x, int y) override { Shown = {x, y}; }

  WPARAM ShortCutAsked = 0;
  bool Answer = true;
  POINT Shown{-1, -1};
};

// A popup menu that records where it would be shown instead of tracking the menu.
class TRecordingPopupMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override { Shown = {x, y}; }
  POINT Shown{-1, -1};
};

struct TClicks : TObject {
  int Count = 0;
  void Click(TObject*) { ++Count; }
};

TMenuItem* AddItem(TMenu* menu, const char* caption)
{
  auto* item = New<TMenuItem>(menu);
  item->SetCaption(caption);
  menu->Items()->Add(item);
  return item;
}

TMessage KeyDown(WPARAM key)
{
  TMessage message{};
  message.Msg = WM_KEYDOWN;
  message.WParam = key;
  return message;
}
}  // namespace

TEST(PopupMenus, ShortCutsReachTheHandlerOrThePopupMenuItem)
{
  TMessage key = KeyDown(VK_F5);
  EXPECT_FALSE(IsPopupMenuShortCut(nullptr, key));

  TOwned<THandlerMenu> handler = MakeOwned<THandlerMenu>(nullptr);
  EXPECT_TRUE(IsPopupMenuShortCut(handler.get(), key));
  EXPECT_EQ(handler->ShortCutAsked, static_cast<WPARAM>(VK_F5));
  handler->Answer = false;
  EXPECT_FALSE(IsPopupMenuShortCut(handler.get(), key));

  TOwned<TPopupMenu> menu = MakeOwned<TPopupMenu>(nullptr);
  auto clicks = MakeOwned<TClicks>();
  TMenuItem* hidden = AddItem(menu.get(), "隐藏");
  hidden->SetShortCut(VK_F5);
  hidden->SetVisible(false);
  hidden->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
  TMenuItem* parent = AddItem(menu.get(), "子菜单");
  auto* nested = New<TMenuItem>(menu.get());
  nested->SetShortCut(VK_F5);
  nested->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
  parent->Add(nested);
  ASSERT_NE(menu->WindowHandle(), nullptr);
  EXPECT_TRUE(IsPopupMenuShortCut(menu.get(), key)) << "a visible item in a sub-menu has the key";
  EXPECT_EQ(clicks->Count, 1);
  nested->SetEnabled(false);
  EXPECT_FALSE(IsPopupMenuShortCut(menu.get(), key)) << "disabled and hidden items do not answer";
  TMessage other = KeyDown(VK_F6);
  EXPECT_FALSE(IsPopupMenuShortCut(menu.get(), other));
  EXPECT_EQ(clicks->Count, 1);

  TOwned<TComponent> plain = MakeOwned<TComponent>(nullptr);
  EXPECT_FALSE(IsPopupMenuShortCut(plain.get(), key));
}

TEST(PopupMenus, ShowingAControlsMenu)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* control = New<TRecordingControl>(form);
  control->SetParent(form);

  EXPECT_FALSE(ShowPopupMenu(control, nullptr, 1, 2));
  TOwned<THandlerMenu> handler = MakeOwned<THandlerMenu>(nullptr);
  EXPECT_TRUE(ShowPopupMenu(control, handler.get(), 30, 40));
  EXPECT_EQ(handler->Shown.x, 30);
  EXPECT_EQ(handler->Shown.y, 40);

  TOwned<TRecordingPopupMenu> menu = MakeOwned<TRecordingPopupMenu>(nullptr);
  menu->SetAutoPopup(false);
  EXPECT_FALSE(ShowPopupMenu(control, menu.get(), 5, 6));
  EXPECT_EQ(menu->Shown.x, -1);
  EXPECT_EQ(menu->PopupComponent(), nullptr);
  menu->SetAutoPopup(true);
  EXPECT_TRUE(ShowPopupMenu(control, menu.get(), 5, 6));
  EXPECT_EQ(menu->Shown.x, 5);
  EXPECT_EQ(menu->Shown.y, 6);
  EXPECT_EQ(menu->PopupComponent(), control);

  TOwned<TComponent> plain = MakeOwned<TComponent>(nullptr);
  EXPECT_FALSE(ShowPopupMenu(control, plain.get(), 5, 6));
}

TEST(PopupMenus, MenuHeightCountsVisibleItemsByColumn)
{
  TCanvas* canvas = GetSharedScreenCanvas()->Canvas();
  canvas->Font()->Assign(Screen->MenuFont());
  const int line = canvas->TextHeight("Qg") + 4;
  GetSharedScreenCanvas()->ReleaseDeviceContext();
  ASSERT_GT(line, 4);

  TOwned<TPopupMenu> menu = MakeOwned<TPopupMenu>(nullptr);
  EXPECT_EQ(MeasurePopupMenuHeight(menu.get()), 4) << "an empty menu";
  AddItem(menu.get(), "一");
  AddItem(menu.get(), "二");
  AddItem(menu.get(), "三")->SetVisible(false);
  EXPECT_EQ(MeasurePopupMenuHeight(menu.get()), 2 * line + 4);

  // A column break: the tallest column counts.
  AddItem(menu.get(), "四")->SetBreak(TMenuBreak::mbBarBreak);
  EXPECT_EQ(MeasurePopupMenuHeight(menu.get()), 2 * line + 4);
  AddItem(menu.get(), "五");
  AddItem(menu.get(), "六");
  EXPECT_EQ(MeasurePopupMenuHeight(menu.get()), 3 * line + 4);

  // Owner-drawn: every item measures itself.
  struct TTall : TObject {
    void Measure(TObject*, TCanvas*, int&, int& height) { height = 30; }
  };
  auto tall = MakeOwned<TTall>();
  for (int i = 0; i < menu->Items()->Count(); ++i)
    menu->Items()->Items(i)->SetOnMeasureItem(TMenuMeasureItemEvent(tall.get(), &TTall::Measure));
  EXPECT_EQ(MeasurePopupMenuHeight(menu.get()), 3 * line + 4)
      << "measures are asked only when drawn by the program";
  menu->SetOwnerDraw(true);
  EXPECT_EQ(MeasurePopupMenuHeight(menu.get()), 3 * 30 + 4);

  // Images taller than a text line make each item as tall as an image.
  menu->SetOwnerDraw(false);
  for (int i = 0; i < menu->Items()->Count(); ++i) menu->Items()->Items(i)->SetOnMeasureItem({});
  TOwned<TImageList> images = MakeOwned<TImageList>(nullptr);
  images->SetHeight(line + 10);
  menu->SetImages(images.get());
  EXPECT_EQ(MeasurePopupMenuHeight(menu.get()), 3 * (line + 14) + 4);
  menu->SetImages(nullptr);
}
