// Windowed and graphic controls on real windows: layout by Align and anchors, properties reaching
// the windows, parent font and colour, reflected notifications, mouse enter and leave, painting of
// graphic children, the client image printed into a given context, tab order, and no window or
// GDI object left behind.
#include <gtest/gtest.h>
#include "classlib/Forms.h"
#include "classlib/ObjectText.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DibSurface.h"
#include "tests/support/WindowCount.h"

using namespace fixture;

namespace {
::testing::AssertionResult RectIs(const RECT& r, int left, int top, int right, int bottom)
{
  if (r.left == left && r.top == top && r.right == right && r.bottom == bottom)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "rect (" << r.left << "," << r.top << ")-(" << r.right << ","
                                       << r.bottom << "), expected (" << left << "," << top << ")-(" << right
                                       << "," << bottom << ")";
}

RECT WindowRectInParent(HWND wnd)
{
  RECT r;
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}


template <class T>
T* Make(TWinControl* parent, TAlign align, int w, int h, int left = 0, int top = 0)
{
  T* c = New<T>(parent->GetParentForm() ? static_cast<TComponent*>(parent->GetParentForm()) : parent);
  c->SetBounds(left, top, w, h);
  c->SetAlign(align);
  c->SetParent(parent);
  return c;
}
}  // namespace

TEST(Controls, AlignLaysOutChildrenAndFollowsResize)
{
  TForm* form = NewForm(400, 300);
  TFormGuard guard{form};
  auto* top = Make<TTestPanel>(form, alTop, 10, 40);
  auto* bottom = Make<TTestPanel>(form, alBottom, 10, 30);
  auto* left = Make<TTestPanel>(form, alLeft, 60, 10);
  auto* right = Make<TTestPanel>(form, alRight, 50, 10);
  auto* client = Make<TTestPanel>(form, alClient, 1, 1);
  auto* graphic = Make<TTestGraphic>(client, alBottom, 5, 20);  // graphic controls align too
  // Laid out before any window exists...
  EXPECT_TRUE(RectIs(top->BoundsRect(), 0, 0, 400, 40));
  EXPECT_TRUE(RectIs(bottom->BoundsRect(), 0, 270, 400, 300));
  EXPECT_TRUE(RectIs(left->BoundsRect(), 0, 40, 60, 270));
  EXPECT_TRUE(RectIs(right->BoundsRect(), 350, 40, 400, 270));
  EXPECT_TRUE(RectIs(client->BoundsRect(), 60, 40, 350, 270));
  EXPECT_TRUE(RectIs(graphic->BoundsRect(), 0, 210, 290, 230));

  // ... and the windows, once shown, have those rectangles.
  form->Show();
  ASSERT_TRUE(form->HandleAllocated());
  RECT cr;
  GetClientRect(form->Handle(), &cr);
  EXPECT_TRUE(RectIs(cr, 0, 0, 400, 300));
  EXPECT_TRUE(RectIs(WindowRectInParent(client->Handle()), 60, 40, 350, 270));
  EXPECT_TRUE(RectIs(WindowRectInParent(right->Handle()), 350, 40, 400, 270));

  // Resizing the form lays the children out again; a second alTop control stacks below the first.
  auto* top2 = Make<TTestPanel>(form, alTop, 10, 25, 0, 100);
  form->SetClientSize(500, 400);
  Pump(20);
  EXPECT_TRUE(RectIs(top->BoundsRect(), 0, 0, 500, 40));
  EXPECT_TRUE(RectIs(top2->BoundsRect(), 0, 40, 500, 65));
  EXPECT_TRUE(RectIs(bottom->BoundsRect(), 0, 370, 500, 400));
  EXPECT_TRUE(RectIs(client->BoundsRect(), 60, 65, 450, 370));
  EXPECT_TRUE(RectIs(WindowRectInParent(client->Handle()), 60, 65, 450, 370));
  EXPECT_TRUE(RectIs(graphic->BoundsRect(), 0, 285, 390, 305));

  // Hiding an aligned control gives its space to the others.
  top->Hide();
  EXPECT_FALSE(IsWindowVisible(top->Handle()));
  EXPECT_TRUE(RectIs(top2->BoundsRect(), 0, 0, 500, 25));
  EXPECT_TRUE(RectIs(client->BoundsRect(), 60, 25, 450, 370));
}

TEST(Controls, LaterSiblingsLieInFrontAsTheirWindowsAreMade)
{
  // Two client-aligned panels share the same space: the later one is in front, also when a window
  // is made again or a third sibling comes later.
  TForm* form = NewForm(200, 100);
  TFormGuard guard{form};
  auto* back = Make<TTestPanel>(form, alClient, 1, 1);
  auto* front = Make<TTestPanel>(form, alClient, 1, 1);
  form->Show();
  const POINT middle{100, 50};
  EXPECT_EQ(ChildWindowFromPointEx(form->Handle(), middle, CWP_SKIPINVISIBLE), front->Handle());
  EXPECT_EQ(form->ControlAtPos(middle, false, true), front);
  back->RecreateWnd();
  Pump(10);
  ASSERT_TRUE(back->HandleAllocated());
  EXPECT_EQ(ChildWindowFromPointEx(form->Handle(), middle, CWP_SKIPINVISIBLE), front->Handle());
  auto* third = Make<TTestPanel>(form, alClient, 1, 1);
  third->HandleNeeded();
  EXPECT_EQ(ChildWindowFromPointEx(form->Handle(), middle, CWP_SKIPINVISIBLE), third->Handle());
}

TEST(Controls, AnchorsKeepDistancesWhenTheParentResizes)
{
  TForm* form = NewForm(300, 200);
  TFormGuard guard{form};
  struct Case {
    TAnchors Anchors;
    RECT Expected;  // after the client grows by 100 x 50 from a 20,20-80,50 start
  };
  const Case cases[] = {
    {{akLeft, akTop}, {20, 20, 80, 50}},
    {{akLeft, akTop, akRight}, {20, 20, 180, 50}},
    {{akRight, akBottom}, {120, 70, 180, 100}},
    {{akLeft, akTop, akRight, akBottom}, {20, 20, 180, 100}},
    {{}, {70, 45, 130, 75}},  // no anchors: keeps its relative place (centre moves by half)
  };
  std::vector<TTestPanel*> panels;
  for (const Case& c : cases) {
    auto* p = Make<TTestPanel>(form, alNone, 60, 30, 20, 20);
    p->SetAnchors(c.Anchors);
    panels.push_back(p);
  }
  form->Show();
  form->SetClientSize(400, 250);
  Pump(20);
  for (size_t i = 0; i < panels.size(); ++i) {
    const RECT& e = cases[i].Expected;
    EXPECT_TRUE(RectIs(panels[i]->BoundsRect(), e.left, e.top, e.right, e.bottom)) << "case " << i;
  }
  // Shrinking back restores the designed places.
  form->SetClientSize(300, 200);
  Pump(20);
  for (TTestPanel* p : panels) EXPECT_TRUE(RectIs(p->BoundsRect(), 20, 20, 80, 50));
}

// Constraints keep every way of sizing within the limits, the minimum first; a change of the
// limits puts the control within them at once, and they survive a stored-form round trip.
TEST(Controls, ConstraintsLimitTheSizeAndAreStored)
{
  TForm* form = NewForm(300, 200);
  TFormGuard guard{form};
  auto* panel = Make<TTestPanel>(form, alNone, 60, 30, 10, 10);
  TSizeConstraints* c = panel->Constraints();
  c->SetMinWidth(40);
  c->SetMaxWidth(100);
  c->SetMinHeight(20);
  c->SetMaxHeight(50);
  struct Case {
    int Width, Height, ExpectedWidth, ExpectedHeight;
  };
  const Case cases[] = {{10, 10, 40, 20}, {500, 500, 100, 50}, {70, 35, 70, 35}, {-5, 0, 40, 20}};
  for (bool windowed : {false, true}) {
    if (windowed) form->Show();
    for (const Case& k : cases) {
      panel->SetBounds(10, 10, k.Width, k.Height);
      Pump(5);
      EXPECT_EQ(panel->Width(), k.ExpectedWidth) << k.Width << " windowed " << windowed;
      EXPECT_EQ(panel->Height(), k.ExpectedHeight) << k.Height << " windowed " << windowed;
    }
  }
  // An aligned control is sized through the same road.
  panel->SetAlign(alClient);
  Pump(5);
  EXPECT_EQ(panel->Width(), 100);
  EXPECT_EQ(panel->Height(), 50);
  panel->SetAlign(alNone);
  // A minimum above the maximum wins; lowering a limit shrinks the control now.
  c->SetMinWidth(120);
  EXPECT_EQ(panel->Width(), 120);
  for (int asked : {100, 110, 120, 500}) {
    panel->SetBounds(panel->Left(), panel->Top(), asked, panel->Height());
    EXPECT_EQ(panel->Width(), 120) << asked;
  }
  c->SetMinWidth(0);
  c->SetMaxHeight(25);
  EXPECT_EQ(panel->Height(), 25);

  const std::string text = ComponentToText(panel);
  EXPECT_NE(text.find("Constraints.MaxHeight = 25"), std::string::npos) << text;
  EXPECT_EQ(text.find("Constraints.MinWidth"), std::string::npos) << text;  // 0 is the default
  TOwned<TTestPanel> copy = MakeOwned<TTestPanel>(nullptr);
  ReadComponentFromText(text, copy.get());
  EXPECT_EQ(copy->Constraints()->MaxWidth(), 100);
  EXPECT_EQ(copy->Constraints()->MinHeight(), 20);
  EXPECT_EQ(copy->Constraints()->MaxHeight(), 25);
  EXPECT_EQ(copy->Constraints()->MinWidth(), 0);
  EXPECT_EQ(ComponentToText(copy.get()), text);
}

// Scaling multiplies the edges of a control and of its children, the limits and a font of the
// control's own; a font taken from the parent follows the parent instead.
TEST(Controls, ChangeScaleScalesBoundsChildrenConstraintsAndOwnFonts)
{
  TForm* form = NewForm(400, 300);
  TFormGuard guard{form};
  auto* panel = Make<TTestPanel>(form, alNone, 60, 30, 10, 20);
  auto* child = Make<TTestPanel>(panel, alNone, 21, 11, 4, 6);
  auto* graphic = Make<TTestGraphic>(panel, alNone, 10, 10, 30, 0);
  panel->SetParentFont(false);
  panel->Font()->SetHeight(-12);
  panel->Constraints()->SetMaxWidth(200);
  child->SetParentFont(true);
  panel->ChangeScale(3, 2);
  EXPECT_TRUE(RectIs(panel->BoundsRect(), 15, 30, 105, 75));
  EXPECT_TRUE(RectIs(child->BoundsRect(), 6, 9, 38, 26));  // edges rounded: (4 + 21) * 3 / 2 = 37.5
  EXPECT_TRUE(RectIs(graphic->BoundsRect(), 45, 0, 60, 15));
  EXPECT_EQ(panel->Font()->Height(), -18);
  EXPECT_EQ(child->Font()->Height(), -18);  // the parent's font
  EXPECT_EQ(panel->Constraints()->MaxWidth(), 300);
  EXPECT_EQ(panel->Constraints()->MinWidth(), 0);  // no limit stays none
  panel->ChangeScale(5, 5);
  EXPECT_TRUE(RectIs(panel->BoundsRect(), 15, 30, 105, 75));
}

TEST(Controls, PropertiesReachTheWindows)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->SetCaption("查找窗体");
  auto* button = Make<TTestButton>(form, alNone, 80, 24, 10, 10);
  button->SetCaption("确定");
  form->Show();
  char text[64];
  GetWindowTextA(form->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "查找窗体");
  GetWindowTextA(button->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "确定");
  // Text set while the window exists goes to it, and comes back from it.
  SetWindowTextA(button->Handle(), "取消");
  EXPECT_EQ(button->Caption(), "取消");
  button->SetCaption("关闭");
  GetWindowTextA(button->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "关闭");

  button->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  button->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(button->Handle()));
  button->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(button->Handle()));
  button->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(button->Handle()));

  button->SetBounds(30, 40, 100, 30);
  EXPECT_TRUE(RectIs(WindowRectInParent(button->Handle()), 30, 40, 130, 70));
  // The window moved from outside: the control reads its new bounds.
  SetWindowPos(button->Handle(), nullptr, 5, 6, 70, 20, SWP_NOZORDER);
  EXPECT_TRUE(RectIs(button->BoundsRect(), 5, 6, 75, 26));

  // Recreating the window keeps text and bounds.
  HWND old = button->Handle();
  button->RecreateWnd();
  EXPECT_NE(button->Handle(), old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(button->Caption(), "关闭");
  EXPECT_TRUE(RectIs(WindowRectInParent(button->Handle()), 5, 6, 75, 26));
  EXPECT_TRUE(IsWindowVisible(button->Handle()));

  // Published properties answer by name, as stored forms set them.
  SetStrProp(button, "Caption", "应用");
  EXPECT_EQ(GetStrProp(button, "Caption"), "应用");
  SetOrdProp(button, "Width", 90);
  EXPECT_EQ(button->Width(), 90);
  SetEnumProp(button, "Align", "alBottom");
  EXPECT_EQ(button->Align(), alBottom);
  EXPECT_EQ(GetSetProp(button, "Anchors"), "[akLeft,akTop]");
}

TEST(Controls, ParentFontAndParentColorFollowTheParent)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* panel = Make<TTestPanel>(form, alNone, 100, 100);
  auto* inner = Make<TTestPanel>(panel, alNone, 50, 50);
  auto* graphic = Make<TTestGraphic>(panel, alNone, 10, 10);
  inner->SetParentColor(true);
  graphic->SetParentColor(true);

  form->Font()->SetName("SimSun");
  form->Font()->SetSize(12);
  EXPECT_EQ(panel->Font()->Name(), "SimSun");
  EXPECT_EQ(inner->Font()->Size(), 12);
  EXPECT_EQ(graphic->Font()->Name(), "SimSun");
  EXPECT_TRUE(inner->ParentFont());

  panel->SetColor(clYellow);
  EXPECT_EQ(inner->Color(), clYellow);
  EXPECT_EQ(graphic->Color(), clYellow);
  EXPECT_TRUE(inner->ParentColor());

  // A control's own font or colour cuts it loose from its parent's.
  inner->Font()->SetSize(20);
  EXPECT_FALSE(inner->ParentFont());
  inner->SetColor(clAqua);
  EXPECT_FALSE(inner->ParentColor());
  form->Font()->SetSize(9);
  panel->SetColor(clLime);
  EXPECT_EQ(inner->Font()->Size(), 20);
  EXPECT_EQ(inner->Color(), clAqua);
  EXPECT_EQ(panel->Font()->Size(), 9);
  // Back to the parent's on request.
  inner->SetParentFont(true);
  inner->SetParentColor(true);
  EXPECT_EQ(inner->Font()->Size(), 9);
  EXPECT_EQ(inner->Color(), clLime);

  // The font reaches the windows.
  form->Show();
  auto* button = Make<TTestButton>(form, alNone, 80, 24);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(button->Handle(), WM_GETFONT, 0, 0)),
            button->Font()->Handle());
}

TEST(Controls, ParentReflectsNotificationsToTheChild)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* button = Make<TTestButton>(form, alNone, 80, 24, 10, 10);
  int clicks = 0;
  struct TSink : TObject {
    int* Count;
    void Click(TObject*) { ++*Count; }
  };
  auto sink = MakeOwned<TSink>();
  sink->Count = &clicks;
  button->SetOnClick(TNotifyEvent(sink.get(), &TSink::Click));
  form->Show();
  // BM_CLICK makes the button send WM_COMMAND/BN_CLICKED to its parent, which reflects it.
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(std::find(button->Reflected.begin(), button->Reflected.end(), CN_COMMAND),
            button->Reflected.end());
  // Painting the button asks its parent for colours, which the button answers as CN_CTLCOLOR*.
  button->Reflected.clear();
  RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump(20);
  bool sawColor = false;
  for (UINT m : button->Reflected) sawColor |= m == CN_CTLCOLORBTN || m == CN_CTLCOLORSTATIC;
  EXPECT_TRUE(sawColor);
  // A WM_COMMAND from a window that is not one of ours is not reflected anywhere.
  button->Reflected.clear();
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDesktopWindow()));
  EXPECT_TRUE(button->Reflected.empty());
}

namespace {
struct TEnterLeaveLog : TObject {
  std::vector<std::string> Log;
  void Enter(TObject* s) { Log.push_back("enter " + static_cast<TComponent*>(s)->Name()); }
  void Leave(TObject* s) { Log.push_back("leave " + static_cast<TComponent*>(s)->Name()); }
};
}  // namespace

TEST(Controls, MouseEnterAndLeaveFollowTheCursor)
{
  TForm* form = NewForm(300, 200);
  TFormGuard guard{form};
  form->SetName("Form");
  form->SetPosition(TPosition::poScreenCenter);
  auto* panel = Make<TTestPanel>(form, alNone, 100, 100, 10, 10);
  panel->SetName("Panel");
  auto* graphic = Make<TTestGraphic>(form, alNone, 50, 50, 150, 10);
  graphic->SetName("Graphic");
  auto log = MakeOwned<TEnterLeaveLog>();
  for (TControl* c : std::initializer_list<TControl*>{form, panel, graphic}) {
    c->SetOnMouseEnter(TNotifyEvent(log.get(), &TEnterLeaveLog::Enter));
    c->SetOnMouseLeave(TNotifyEvent(log.get(), &TEnterLeaveLog::Leave));
  }
  form->Show();
  Pump(50);
  // Each step moves the cursor (until it stays put) and checks the transition.
  auto step = [&](TControl* from, TControl* to, POINT screen) {
    log->Log.clear();
    MoveCursorTo(screen);
    PumpUntil([&] { return MouseControl() == to; }, 1500);
    EXPECT_EQ(MouseControl(), to);
    ASSERT_FALSE(log->Log.empty());
    EXPECT_EQ(log->Log.back(), to ? "enter " + to->Name() : "leave " + from->Name());
    if (from) {
      EXPECT_NE(std::find(log->Log.begin(), log->Log.end(), "leave " + from->Name()), log->Log.end());
    }
  };
  POINT outside = form->ClientToScreen(POINT{-60, -60});
  MoveCursorTo(outside);
  SetMouseControl(nullptr);  // wherever the cursor was when the form appeared
  step(nullptr, form, form->ClientToScreen(POINT{250, 150}));
  step(form, panel, panel->ClientToScreen(POINT{50, 50}));      // a windowed child: through its window
  step(panel, graphic, graphic->ClientToScreen(POINT{25, 25}));  // a windowless child: through its parent
  step(graphic, form, form->ClientToScreen(POINT{250, 150}));
  step(form, nullptr, outside);
  EXPECT_EQ(MouseControl(), nullptr);
}

// Every ancestor hears that the mouse entered or left a control below it: the parent with the
// control, the grandparent with the parent. Only the control itself fires its events.
TEST(Controls, AncestorsHearOfTheMouseEnteringAndLeavingTheirChildren)
{
  TForm* form = NewForm(300, 200);
  TFormGuard guard{form};
  form->SetName("Form");
  auto* panel = Make<TTestPanel>(form, alNone, 100, 100, 10, 10);
  panel->SetName("Panel");
  auto* graphic = Make<TTestGraphic>(panel, alNone, 50, 50, 10, 10);
  graphic->SetName("Graphic");
  auto log = MakeOwned<TEnterLeaveLog>();
  for (TControl* c : std::initializer_list<TControl*>{form, panel, graphic}) {
    c->SetOnMouseEnter(TNotifyEvent(log.get(), &TEnterLeaveLog::Enter));
    c->SetOnMouseLeave(TNotifyEvent(log.get(), &TEnterLeaveLog::Leave));
    const TWndMethod original = c->WindowProc();
    c->SetWindowProc([c, original, &log](TMessage& msg) {
      if ((msg.Msg == CM_MOUSEENTER || msg.Msg == CM_MOUSELEAVE) && msg.LParam != 0)
        log->Log.push_back(c->Name() + (msg.Msg == CM_MOUSEENTER ? " hears enter " : " hears leave ") +
                           reinterpret_cast<TControl*>(msg.LParam)->Name());
      original(msg);
    });
  }
  SetMouseControl(graphic);
  EXPECT_EQ(log->Log, (std::vector<std::string>{"Panel hears enter Graphic", "Form hears enter Panel", "enter Graphic"}));
  log->Log.clear();
  SetMouseControl(nullptr);
  EXPECT_EQ(log->Log, (std::vector<std::string>{"Panel hears leave Graphic", "Form hears leave Panel", "leave Graphic"}));
  for (TControl* c : std::initializer_list<TControl*>{form, panel, graphic}) c->SetWindowProc(nullptr);
}

TEST(Controls, GraphicChildrenPaintOnTheirParent)
{
  TForm* form = NewForm(200, 100);
  TFormGuard guard{form};
  form->SetColor(clWhite);
  auto* graphic = Make<TTestGraphic>(form, alNone, 20, 20, 30, 40);
  form->Show();
  form->Repaint();
  Pump(50);
  EXPECT_GT(graphic->Paints, 0);
  HDC dc = GetDC(form->Handle());
  // Red inside the control (drawn through its canvas at its offset), the form's colour outside.
  EXPECT_EQ(GetPixel(dc, 35, 45) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(GetPixel(dc, 49, 59) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(GetPixel(dc, 50, 60) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(GetPixel(dc, 29, 45) & 0xFFFFFF, 0xFFFFFFu);
  ReleaseDC(form->Handle(), dc);
}

TEST(Controls, PrintClientPaintsTheClientAndGraphicChildrenIntoTheGivenContext)
{
  TForm* form = NewForm(200, 100);
  TFormGuard guard{form};
  auto* panel = Make<TTestPanel>(form, alNone, 60, 40);
  panel->SetColor(clBlue);
  Make<TTestGraphic>(panel, alNone, 20, 10, 5, 5);
  TDibSurface surface(60, 40, RGB(0, 255, 0));
  panel->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
  EXPECT_TRUE(surface.ExactlyFills(RECT{5, 5, 25, 15}, RGB(255, 0, 0)));
  EXPECT_EQ(surface.Count(RECT{0, 0, 60, 40}, RGB(0, 0, 255)), 60 * 40 - 20 * 10);
  // Asked to check visibility, a hidden control prints nothing.
  surface.Fill(RGB(0, 255, 0));
  panel->Hide();
  panel->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT | PRF_CHECKVISIBLE);
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 0, 60, 40}, RGB(0, 255, 0)));
}

TEST(Controls, TabOrderAndSelectNext)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* a = Make<TTestButton>(form, alNone, 50, 20, 0, 0);
  auto* b = Make<TTestButton>(form, alNone, 50, 20, 0, 30);
  auto* c = Make<TTestButton>(form, alNone, 50, 20, 0, 60);
  c->SetTabOrder(0);
  EXPECT_EQ(c->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  EXPECT_EQ(b->TabOrder(), 2);
  b->SetTabStop(false);
  form->Show();
  Pump(20);
  EXPECT_EQ(form->FindNextControl(nullptr, true, true, false), c);
  EXPECT_EQ(form->FindNextControl(c, true, true, false), a);
  EXPECT_EQ(form->FindNextControl(a, true, true, false), c);   // b has no tab stop; wraps round
  EXPECT_EQ(form->FindNextControl(a, false, true, false), c);
  EXPECT_EQ(form->FindNextControl(a, true, false, false), b);
  a->SetEnabled(false);
  EXPECT_EQ(form->FindNextControl(c, true, true, false), nullptr);  // nothing else can take it
  a->SetEnabled(true);

  form->SetActiveControl(c);
  EXPECT_TRUE(PumpUntil([&] { return c->Focused(); }));
  form->SelectNext(c, true, true);
  EXPECT_TRUE(PumpUntil([&] { return a->Focused(); }));
  EXPECT_EQ(form->ActiveControl(), a);
  // The tab key does the same through the dialog key path.
  EXPECT_NE(a->Perform(CN_KEYDOWN, VK_TAB, 0), 0);
  EXPECT_TRUE(PumpUntil([&] { return c->Focused(); }));
}

TEST(Controls, ControlsFreeTheirChildrenAndLeakNoWindowsOrGdiObjects)
{
  // Warm up: classes registered, fonts and system brushes made once.
  for (int i = 0; i < 2; ++i) {
    TForm* form = NewForm();
    Make<TTestButton>(form, alTop, 10, 20);
    Make<TTestPanel>(form, alClient, 10, 20);
    form->Show();
    Pump(10);
    Free(form);
  }
  Pump(20);
  const int gdiBefore = LiveGdiObjects();
  const int windowsBefore = ThreadWindowCount();
  for (int i = 0; i < 30; ++i) {
    TForm* form = NewForm();
    auto* panel = Make<TTestPanel>(form, alClient, 10, 20);
    auto* button = Make<TTestButton>(panel, alTop, 10, 20);
    button->SetCaption("按钮");
    Make<TTestGraphic>(panel, alBottom, 10, 20);
    panel->SetColor(clYellow);
    form->Font()->SetSize(10 + i % 3);
    form->Show();
    Pump(5);
    Free(form);  // frees the children with their windows
  }
  Pump(20);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}

namespace {
// Records every press: the button and whether it came as a double click.
class TPressLogPanel : public TTestPanel {
  CL_CLASS(TPressLogPanel, TTestPanel)
public:
  using TTestPanel::TTestPanel;
  void SetDoubleClicks(bool on)
  {
    if (on)
      FControlStyle.Include(TControlStyleFlag::csDoubleClicks);
    else
      FControlStyle.Exclude(TControlStyleFlag::csDoubleClicks);
  }
  std::vector<std::pair<TMouseButton, bool>> Presses;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
  {
    Presses.emplace_back(button, shift.Contains(ssDouble));
    TTestPanel::MouseDown(button, shift, x, y);
  }
};
CL_DEFINE_CLASS(TPressLogPanel);
}  // namespace

// The second press of each button is a double click only for a control that takes double clicks;
// one without them sees a plain press of the same button.
TEST(Controls, DoubleClicksReachOnlyControlsThatTakeThem)
{
  TForm* form = NewForm(300, 200);
  TFormGuard guard{form};
  auto* panel = Make<TPressLogPanel>(form, alNone, 100, 100, 10, 10);
  form->Show();
  const std::pair<UINT, TMouseButton> presses[] = {
    {WM_LBUTTONDBLCLK, mbLeft}, {WM_RBUTTONDBLCLK, mbRight}, {WM_MBUTTONDBLCLK, mbMiddle}};
  for (bool doubleClicks : {true, false}) {
    panel->SetDoubleClicks(doubleClicks);
    for (auto [msg, button] : presses) {
      panel->Presses.clear();
      SendMessageA(panel->Handle(), msg, 0, MAKELPARAM(5, 5));
      SendMessageA(panel->Handle(), msg - 1, 0, MAKELPARAM(5, 5));  // the button's release
      ASSERT_EQ(panel->Presses.size(), 1u) << msg;
      EXPECT_EQ(panel->Presses[0].first, button) << msg;
      EXPECT_EQ(panel->Presses[0].second, doubleClicks) << msg;
    }
  }
}

TEST(Controls, ImeModeAndImeNameAreStoredOnlyWhenSetAndReadBack)
{
  TOwned<TTestPanel> panel = MakeOwned<TTestPanel>(nullptr);
  EXPECT_EQ(panel->ImeMode(), imDontCare);
  std::string text = ComponentToText(panel.get());
  EXPECT_EQ(text.find("Ime"), std::string::npos) << text;  // defaults are not written
  panel->SetImeMode(imChinese);
  panel->SetImeName("拼音");
  text = ComponentToText(panel.get());
  EXPECT_NE(text.find("ImeMode = imChinese"), std::string::npos) << text;
  TOwned<TTestPanel> copy = MakeOwned<TTestPanel>(nullptr);
  ReadComponentFromText(text, copy.get());
  EXPECT_EQ(copy->ImeMode(), imChinese);
  EXPECT_EQ(copy->ImeName(), "拼音");
}
