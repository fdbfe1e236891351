// Panels, splitters, timers and the colour box.
#include "classlib/ExtCtrls.h"

#include <algorithm>
#include "classlib/TypInfo.h"

namespace {
constexpr std::string_view BevelNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
constexpr TEnumInfo BevelInfo = EnumInfo<TPanelBevel::bvSpace>("TPanelBevel", BevelNames);
constexpr std::string_view ResizeStyleNames[] = {"rsNone", "rsLine", "rsUpdate", "rsPattern"};
constexpr TEnumInfo ResizeStyleInfo = EnumInfo<TResizeStyle::rsPattern>("TResizeStyle", ResizeStyleNames);

using TP = TCustomPanel;
constexpr TPropInfo PanelProps[] = {
  EnumProp<&TP::BevelInner, &TP::SetBevelInner>("BevelInner", BevelInfo, 0),
  EnumProp<&TP::BevelOuter, &TP::SetBevelOuter>("BevelOuter", BevelInfo, 2),
  IntProp<&TP::BevelWidth, &TP::SetBevelWidth>("BevelWidth", 1),
  IntProp<&TP::BorderWidth, &TP::SetBorderWidth>("BorderWidth", 0),
  EnumProp<&TP::Alignment, &TP::SetAlignment>("Alignment", AlignmentInfo, 2),
  BoolProp<&TP::FullRepaint, &TP::SetFullRepaint>("FullRepaint", true),
  BoolProp<&TP::Locked, &TP::SetLocked>("Locked", false),
  BoolProp<&TP::DockSite, &TP::SetDockSite>("DockSite", false),
  BoolProp<&TP::UseDockManager, &TP::SetUseDockManager>("UseDockManager", true),
  EventProp<&TP::OnDockDrop, &TP::SetOnDockDrop>("OnDockDrop"),
  EventProp<&TP::OnDockOver, &TP::SetOnDockOver>("OnDockOver"),
  EventProp<&TP::OnGetSiteInfo, &TP::SetOnGetSiteInfo>("OnGetSiteInfo"),
  EventProp<&TP::OnUnDock, &TP::SetOnUnDock>("OnUnDock"),
};
using TS = TSplitter;
constexpr TPropInfo SplitterProps[] = {
  IntProp<&TS::MinSize, &TS::SetMinSize>("MinSize", 30),
  EnumProp<&TS::ResizeStyle, &TS::SetResizeStyle>("ResizeStyle", ResizeStyleInfo, 3),
  EventProp<&TS::OnMoved, &TS::SetOnMoved>("OnMoved"),
};
using TT = TTimer;
constexpr TPropInfo TimerProps[] = {
  BoolProp<&TT::Enabled, &TT::SetEnabled>("Enabled", true),
  IntProp<&TT::Interval, &TT::SetInterval>("Interval", 1000),
  EventProp<&TT::OnTimer, &TT::SetOnTimer>("OnTimer"),
};
using TCo = TColorBox;
constexpr TPropInfo ColorBoxProps[] = {
  ColorProp<&TCo::Selected, &TCo::SetSelected>("Selected", clBlack),
};
}  // namespace

void Frame3D(TCanvas* canvas, RECT& rect, TColor topColor, TColor bottomColor, int width)
{
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  --rect.bottom;
  --rect.right;
  for (int i = 0; i < width && rect.right >= rect.left && rect.bottom >= rect.top; ++i) {
    canvas->Pen()->SetColor(topColor);
    const POINT topLeft[] = {{rect.left, rect.bottom}, {rect.left, rect.top}, {rect.right, rect.top}};
    canvas->Polyline(topLeft);
    canvas->Pen()->SetColor(bottomColor);
    const POINT bottomRight[] = {
        {rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left - 1, rect.bottom}};
    canvas->Polyline(bottomRight);
    InflateRect(&rect, -1, -1);
  }
  ++rect.bottom;
  ++rect.right;
}

// ----- TPanel -------------------------------------------------------------------------------

CL_MESSAGE_MAP(TCustomPanel, {CM_TEXTCHANGED, &TCustomPanel::CMTextChanged});
CL_DEFINE_CLASS(TCustomPanel);
CL_DEFINE_CLASS(TPanel, .Props = PanelProps);

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
  FControlStyle = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse,
                   TControlStyleFlag::csClickEvents, TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csOpaque, TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
  // A panel made a dock site lays its docked clients out with a dock manager.
  SetUseDockManager(true);
}

void TCustomPanel::BordersChanged()
{
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value)
{
  SetAndNotify(FBevelInner, value, [this] { BordersChanged(); });
}

void TCustomPanel::SetBevelOuter(TPanelBevel value)
{
  SetAndNotify(FBevelOuter, value, [this] { BordersChanged(); });
}

void TCustomPanel::SetBevelWidth(int value)
{
  value = std::max(value, 1);
  SetAndNotify(FBevelWidth, value, [this] { BordersChanged(); });
}

void TCustomPanel::SetBorderWidth(int value)
{
  value = std::max(value, 0);
  SetAndNotify(FBorderWidth, value, [this] { BordersChanged(); });
}

void TCustomPanel::SetAlignment(TAlignment value)
{
  SetAndNotify(FAlignment, value, [this] { Invalidate(); });
}

void TCustomPanel::AdjustClientRect(RECT& rect)
{
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
  TCustomControl::CreateParams(params);
  if (!FFullRepaint) params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::Paint()
{
  TCanvas* canvas = Canvas();
  RECT r = ClientRect();
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  auto bevel = [&](TPanelBevel kind) {
    if (kind == bvNone) return;
    TColor top = kind == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottom = kind == bvLowered ? clBtnHighlight : clBtnShadow;
    if (kind == bvSpace) top = bottom = Color();
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  };
  bevel(FBevelOuter);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  bevel(FBevelInner);
  std::string text = Caption();
  if (text.empty()) return;
  canvas->SetFont(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->TextRect(r, text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentFlags(FAlignment));
}

void TCustomPanel::CMTextChanged(TMessage&) { Invalidate(); }

// ----- TSplitter ----------------------------------------------------------------------------

CL_DEFINE_CLASS(TSplitter, .Props = SplitterProps);

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner)
{
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

TControl* TSplitter::FindControl() const
{
  // The visible control aligned to the same side whose edge touches the splitter.
  TWinControl* parent = Parent();
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    bool touches = false;
    switch (Align()) {
      case alLeft: touches = c->Left() + c->Width() == Left(); break;
      case alRight: touches = c->Left() == Left() + Width(); break;
      case alTop: touches = c->Top() + c->Height() == Top(); break;
      case alBottom: touches = c->Top() == Top() + Height(); break;
      default: break;
    }
    if (touches) return c;
  }
  return nullptr;
}

void TSplitter::Paint()
{
  Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  FControl = FindControl();
  if (!FControl) return;
  FDownPos = ClientToScreen(POINT{x, y});
  FStartSize = Horizontal() ? FControl->Height() : FControl->Width();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
  TGraphicControl::MouseMove(shift, x, y);
  if (!FControl || !Parent()) return;
  POINT p = ClientToScreen(POINT{x, y});
  int delta = Horizontal() ? p.y - FDownPos.y : p.x - FDownPos.x;
  if (Align() == alRight || Align() == alBottom) delta = -delta;
  // The room the resized control can take: what the parent's other aligned controls leave, less
  // the splitter and MinSize beyond it.
  RECT client = Parent()->ClientRect();
  int total = Horizontal() ? client.bottom - client.top : client.right - client.left;
  int others = 0;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* c = Parent()->Controls(i);
    if (c == FControl || !c->Visible()) continue;
    bool sameAxis = Horizontal() ? (c->Align() == alTop || c->Align() == alBottom)
                                 : (c->Align() == alLeft || c->Align() == alRight);
    if (sameAxis) others += Horizontal() ? c->Height() : c->Width();
  }
  int maxSize = std::max(total - others - FMinSize, FMinSize);
  int size = std::clamp(FStartSize + delta, FMinSize, maxSize);
  if (size == (Horizontal() ? FControl->Height() : FControl->Width())) return;
  if (Horizontal())
    FControl->SetHeight(size);
  else
    FControl->SetWidth(size);
  Parent()->Update();
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FControl) return;
  FControl = nullptr;
  if (FOnMoved) FOnMoved(this);
}

// ----- TTimer -------------------------------------------------------------------------------

CL_DEFINE_CLASS(TTimer, .Props = TimerProps);

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
  FWindow = AllocateHWnd([this](TMessage& msg) { WndProc(msg); }, this);
}

TTimer::~TTimer()
{
  FEnabled = false;
  if (FRunning) KillTimer(FWindow, 1);
  // The window goes with its queued WM_TIMER messages: none reaches a freed timer.
  DeallocateHWnd(FWindow);
}

void TTimer::UpdateTimer()
{
  if (FRunning) KillTimer(FWindow, 1);
  FRunning = false;
  if (FEnabled && FInterval > 0 && FOnTimer) {
    if (!SetTimer(FWindow, 1, FInterval, nullptr)) RaiseLastOSError();
    FRunning = true;
  }
}

void TTimer::SetEnabled(bool value)
{
  SetAndNotify(FEnabled, value, [this] { UpdateTimer(); });
}

void TTimer::SetInterval(unsigned value)
{
  SetAndNotify(FInterval, value, [this] { UpdateTimer(); });
}

void TTimer::SetOnTimer(TNotifyEvent e)
{
  FOnTimer = e;
  UpdateTimer();
}

void TTimer::Timer()
{
  if (FOnTimer) FOnTimer(this);
}

void TTimer::WndProc(TMessage& msg)
{
  if (msg.Msg == WM_TIMER) {
    // A tick already queued when the timer was stopped is dropped.
    if (FRunning) Timer();
    return;
  }
  msg.Result = DefWindowProcA(FWindow, msg.Msg, msg.WParam, msg.LParam);
}

// ----- TColorBox ----------------------------------------------------------------------------

namespace {
constexpr TColor StandardColors[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                                     clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};
TObject* ColorData(TColor c) { return reinterpret_cast<TObject*>(static_cast<intptr_t>(c)); }
}  // namespace

CL_DEFINE_CLASS(TColorBox, .Props = ColorBoxProps);

TColorBox::TColorBox(TComponent* owner) : TCustomComboBox(owner)
{
  SetStyle(TComboBoxStyle::csOwnerDrawFixed);
  for (TColor c : StandardColors) {
    std::string name = ColorToString(c);
    Items()->AddObject(name.rfind("cl", 0) == 0 ? name.substr(2) : name, ColorData(c));
  }
  SetItemIndex(0);
}

TColor TColorBox::Colors(int index) const
{
  return static_cast<TColor>(reinterpret_cast<intptr_t>(Items()->Objects(index)));
}

TColor TColorBox::Selected() const
{
  int index = ItemIndex();
  return index >= 0 && index < Items()->Count() ? Colors(index) : FSelected;
}

void TColorBox::SetSelected(TColor value)
{
  FSelected = value;
  int index = -1;
  for (int i = 0; i < Items()->Count() && index < 0; ++i)
    if (Colors(i) == value) index = i;
  if (index < 0) {
    Items()->AddObject(ColorToString(value), ColorData(value));
    index = Items()->Count() - 1;
  }
  SetItemIndex(index);
}

void TColorBox::DrawItem(int index, const RECT& rect, TOwnerDrawState)
{
  // The canvas comes with the item's colours (the highlight ones for a selected item).
  TCanvas* canvas = Canvas();
  canvas->FillRect(rect);
  if (index < Items()->Count()) {
    // The swatch: a black-framed box of the colour, then the colour's name.
    int side = rect.bottom - rect.top - 4;
    RECT swatch{rect.left + 2, rect.top + 2, rect.left + 2 + side * 3 / 2, rect.bottom - 2};
    canvas->Brush()->SetColor(Colors(index));
    canvas->FillRect(swatch);
    canvas->Brush()->SetColor(clBlack);
    canvas->FrameRect(swatch);
    RECT text{swatch.right + 4, rect.top, rect.right, rect.bottom};
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->TextRect(text, Items()->Strings(index), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

// ----- unit ---------------------------------------------------------------------------------

namespace {
const TClass ExtCtrlsClasses[] = {TPanel::StaticClass(), TSplitter::StaticClass(), TTimer::StaticClass(),
                                  TColorBox::StaticClass(), TBevel::StaticClass()};
void InitExtCtrls()
{
  for (TClass c : ExtCtrlsClasses) RegisterClass(c);
}
void DoneExtCtrls()
{
  for (TClass c : ExtCtrlsClasses) UnRegisterClass(c);
}
const TUnit* const ExtCtrlsUses[] = {&StdCtrlsUnit};
}  // namespace

TUnit ExtCtrlsUnit{"ExtCtrls", ExtCtrlsUses, InitExtCtrls, DoneExtCtrls};
