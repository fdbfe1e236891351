// A control's say in its own size and layout: CanResize over every way a size is given, the
// overridable layout request, the per-class stored test of Width and Height, and shortcuts made
// from a key and a shift state.
#include <gtest/gtest.h>
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/ObjectText.h"
#include "tests/classlib/ControlsFixture.h"

using namespace fixture;

namespace {
// Takes at most 120 pixels of width and refuses any height of 13.
class TLimitedPanel : public TTestPanel {
  CL_CLASS(TLimitedPanel, TTestPanel)
public:
  using TTestPanel::TTestPanel;
  int Asked = 0;

protected:
  bool CanResize(int& newWidth, int& newHeight) override
  {
    ++Asked;
    if (newHeight == 13) return false;
    newWidth = std::min(newWidth, 120);
    return true;
  }
};

// Counts its own layout requests.
class TAligningGraphic : public TTestGraphic {
  CL_CLASS(TAligningGraphic, TTestGraphic)
public:
  using TTestGraphic::TTestGraphic;
  int Requests = 0;

protected:
  void RequestAlign() override
  {
    ++Requests;
    TTestGraphic::RequestAlign();
  }
};

// Keeps its height out of stored forms.
class TOwnHeightPanel : public TTestPanel {
  CL_CLASS(TOwnHeightPanel, TTestPanel)
public:
  using TTestPanel::TTestPanel;
  bool IsHeightStored() const override { return false; }
};
}  // namespace

CL_DEFINE_CLASS(TLimitedPanel);
CL_DEFINE_CLASS(TAligningGraphic);
CL_DEFINE_CLASS(TOwnHeightPanel);

namespace {
RECT WindowRectInParent(HWND wnd)
{
  RECT r;
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(Controls, CanResizeShapesOrRefusesEverySize)
{
  TForm* form = NewForm(400, 300);
  TFormGuard guard{form};
  auto* panel = New<TLimitedPanel>(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 50, 50);

  struct TCase {
    int Left, Width, Height;
    int WantLeft, WantWidth, WantHeight;
  };
  // A refused size keeps the old one but the move happens; a taken one may be changed.
  const TCase cases[] = {
    {10, 80, 40, 10, 80, 40},
    {20, 300, 40, 20, 120, 40},
    {30, 60, 13, 30, 120, 40},
    {5, -4, 20, 5, 0, 20},
  };
  auto check = [&](const char* when) {
    for (const TCase& c : cases) {
      panel->SetBounds(c.Left, 10, c.Width, c.Height);
      EXPECT_EQ(panel->Left(), c.WantLeft) << when << " " << c.Width << "x" << c.Height;
      EXPECT_EQ(panel->Width(), c.WantWidth) << when << " " << c.Width << "x" << c.Height;
      EXPECT_EQ(panel->Height(), c.WantHeight) << when << " " << c.Width << "x" << c.Height;
    }
  };
  check("without a window");
  form->Show();
  ASSERT_TRUE(panel->HandleAllocated());
  panel->SetBounds(10, 10, 50, 50);
  check("with a window");
  RECT r = WindowRectInParent(panel->Handle());
  EXPECT_EQ(r.right - r.left, panel->Width());

  // A size given to the window from outside passes the control too.
  SetWindowPos(panel->Handle(), nullptr, 0, 0, 500, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(panel->Width(), 120);
  EXPECT_EQ(panel->Height(), 30);
  SetWindowPos(panel->Handle(), nullptr, 0, 0, 70, 13, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(panel->Width(), 120);
  EXPECT_EQ(panel->Height(), 30);
  r = WindowRectInParent(panel->Handle());
  EXPECT_EQ(r.bottom - r.top, 30);

  // Width, height and client size all go through it.
  panel->SetWidth(999);
  EXPECT_EQ(panel->Width(), 120);
  panel->SetHeight(13);
  EXPECT_EQ(panel->Height(), 30);
  panel->SetClientSize(400, 13);
  EXPECT_EQ(panel->Width(), 120);
  EXPECT_EQ(panel->Height(), 30);

  // The size the control chooses keeps to its constraints, from outside as from SetBounds.
  panel->Constraints()->SetMaxWidth(90);
  panel->SetBounds(10, 10, 300, 30);
  EXPECT_EQ(panel->Width(), 90);
  SetWindowPos(panel->Handle(), nullptr, 0, 0, 500, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(panel->Width(), 90);
  r = WindowRectInParent(panel->Handle());
  EXPECT_EQ(r.right - r.left, 90);
}

TEST(Controls, LayoutRequestsReachTheControlsOwnOverride)
{
  TForm* form = NewForm(200, 200);
  TFormGuard guard{form};
  auto* graphic = New<TAligningGraphic>(form);
  graphic->SetParent(form);
  // Each change asks through the override (the layout's own moves may ask again).
  int before = graphic->Requests;
  graphic->SetBounds(1, 2, 30, 30);
  EXPECT_GT(graphic->Requests, before);
  before = graphic->Requests;
  graphic->SetAlign(alTop);
  EXPECT_GT(graphic->Requests, before);
  // The request still lays the parent out: the aligned control takes the parent's width.
  EXPECT_EQ(graphic->Width(), 200);
  before = graphic->Requests;
  graphic->Hide();
  EXPECT_GT(graphic->Requests, before);
}

TEST(ControlSizing, EachClassDecidesWhetherItsSizeIsStored)
{
  TOwned<TForm> form(New<TForm>(nullptr, CreateNew));
  form->SetName("Form1");
  auto* plain = New<TTestPanel>(form.get());
  plain->SetName("Plain");
  plain->SetParent(form.get());
  plain->SetBounds(1, 2, 33, 44);
  auto* own = New<TOwnHeightPanel>(form.get());
  own->SetName("Own");
  own->SetParent(form.get());
  own->SetBounds(1, 2, 55, 66);
  const std::string text = ComponentToText(form.get());
  EXPECT_NE(text.find("Width = 33"), std::string::npos) << text;
  EXPECT_NE(text.find("Height = 44"), std::string::npos) << text;
  EXPECT_NE(text.find("Width = 55"), std::string::npos) << text;
  EXPECT_EQ(text.find("Height = 66"), std::string::npos) << text;
}

TEST(ShortCutOfKey, TheKeyWithShiftCtrlAndAltAbove)
{
  struct TCase {
    WORD Key;
    TShiftState Shift;
    TShortCut Expected;
  };
  const TCase cases[] = {
    {'A', {}, 'A'},
    {'A', {ssCtrl}, static_cast<TShortCut>(scCtrl | 'A')},
    {VK_F5, {ssShift, ssAlt}, static_cast<TShortCut>(scShift | scAlt | VK_F5)},
    {VK_RETURN, {ssShift, ssCtrl, ssAlt}, static_cast<TShortCut>(scShift | scCtrl | scAlt | VK_RETURN)},
    {'Q', {ssLeft, ssDouble}, 'Q'},  // mouse state is no part of a shortcut
    {0x141, {ssCtrl}, 0},            // no key code above a byte
    {0, {}, 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(ShortCut(c.Key, c.Shift), c.Expected) << c.Key;
  // The text of a made shortcut names the same key and modifiers.
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssCtrl, ssShift})), "Shift+Ctrl+Del");
}
}  // namespace
