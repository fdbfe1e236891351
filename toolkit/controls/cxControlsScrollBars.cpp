#include "toolkit/controls/cxControlsScrollBars.h"

#include <algorithm>
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsControllers.h"

// --- TcxControlScrollBar ---

CL_MESSAGE_MAP(TcxControlScrollBar, {CM_DESIGNHITTEST, &TcxControlScrollBar::CMDesignHitTest});
CL_DEFINE_CLASS(TcxControlScrollBar);

TcxControlScrollBar::TcxControlScrollBar(TComponent* Owner) : TcxScrollBar(Owner)
{
  SetColor(clBtnFace);
  FControlStyle.Exclude(TControlStyleFlag::csFramed);
  FControlStyle.Include(TControlStyleFlag::csNoDesignVisible);
  SetTabStop(false);
  SetVisible(false);
}

void TcxControlScrollBar::ApplyWishedData()
{
  if (FData.Visible) {
    SetScrollParams(FData.Min, FData.Max, FData.PageSize, FData.Position, true);
    SetSmallChange(FData.SmallChange);
    SetLargeChange(FData.LargeChange);
  }
  SetEnabled(FData.Enabled);
  if (FData.Visible != Visible()) {
    SetVisible(FData.Visible);
    Perform(CM_SHOWINGCHANGED);
  }
}

void TcxControlScrollBar::FocusParent()
{
  TWinControl* parent = Parent();
  if (auto* control = dynamic_cast<TcxControl*>(parent)) {
    if (control->CanFocusOnScrollBarClick()) control->SetFocus();
  } else if (parent && parent->CanFocus()) {
    parent->SetFocus();
  }
}

void TcxControlScrollBar::WndProc(TMessage& Message)
{
  if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
    const TWeakRef<TcxControlScrollBar> self(this);
    FocusParent();
    if (!self) return;
  }
  TcxScrollBar::WndProc(Message);
}

void TcxControlScrollBar::CMDesignHitTest(TMessage& Message) { Message.Result = 1; }

namespace {
// Raises a window to the top of its siblings and nothing else.
void RaiseInternalControl(TWinControl* control)
{
  if (control->Parent() && control->HandleAllocated())
    SetWindowPos(control->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOREDRAW);
}
}  // namespace

void TcxControlScrollBar::SetZOrder(bool) { RaiseInternalControl(this); }

// --- TcxSizeGrip ---

CL_MESSAGE_MAP(TcxSizeGrip, {WM_ERASEBKGND, &TcxSizeGrip::WMEraseBkgnd});
CL_DEFINE_CLASS(TcxSizeGrip);

TcxSizeGrip::TcxSizeGrip(TComponent* Owner) : TCustomControl(Owner)
{
  SetColor(clBtnFace);
  FControlStyle.Include(TControlStyleFlag::csNoDesignVisible);
  FLookAndFeel = MakeOwned<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxSizeGrip::LookAndFeelChanged));
}

TcxSizeGrip::~TcxSizeGrip() = default;

void TcxSizeGrip::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); }

void TcxSizeGrip::Paint()
{
  TcxCustomLookAndFeelPainter* painter = FLookAndFeel->Painter();
  if (!painter) return;
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(painter->FormContentColor());
  canvas->FillRect(ClientRect());
}

void TcxSizeGrip::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TcxSizeGrip::SetZOrder(bool) { RaiseInternalControl(this); }

// --- TcxControl: the painted bars and the grip ---

void TcxControl::CreateInternalControls()
{
  if (!HasScrollBars() || FHScrollBar) return;
  auto makeBar = [this](TScrollBarKind kind) {
    auto* bar = As<TcxControlScrollBar>(GetScrollBarClass(kind)->NewComponent(nullptr));
    bar->SetKind(kind);
    bar->SetOnScroll(TScrollEvent(this, &TcxControl::ScrollBarScrolled));
    return bar;
  };
  FHScrollBar = makeBar(sbHorizontal);
  FVScrollBar = makeBar(sbVertical);
  FSizeGrip = As<TcxSizeGrip>(GetSizeGripClass()->NewComponent(nullptr));
  FHScrollBar->LookAndFeel()->SetMaster(FLookAndFeel.get());
  FVScrollBar->LookAndFeel()->SetMaster(FLookAndFeel.get());
  FSizeGrip->LookAndFeel()->SetMaster(FLookAndFeel.get());
  for (TControl* control : {static_cast<TControl*>(FHScrollBar), static_cast<TControl*>(FVScrollBar),
                            static_cast<TControl*>(FSizeGrip)})
    control->SetControlStyle(control->ControlStyle() + TControlStyle{TControlStyleFlag::csReplicatable});
  if (TcxSettingsController* controller = GetSettingsController()) controller->AddListener(this);
}

void TcxControl::DestroyInternalControls()
{
  if (!FHScrollBar) return;
  if (TcxSettingsController* controller = GetSettingsController()) controller->RemoveListener(this);
  TcxSizeGrip* grip = FSizeGrip;
  TcxControlScrollBar* vertical = FVScrollBar;
  TcxControlScrollBar* horizontal = FHScrollBar;
  FSizeGrip = nullptr;
  FVScrollBar = FHScrollBar = nullptr;
  // A control going away frees its children itself.
  if (TCustomControl::IsDestroying() && grip->Parent() == this) return;
  Free(grip);
  Free(vertical);
  Free(horizontal);
}

void TcxControl::UpdateInternalControls()
{
  if (!HasScrollBars()) {
    DestroyInternalControls();
    return;
  }
  CreateInternalControls();
  if (HandleAllocated()) ParentInternalControls();
}

void TcxControl::ParentInternalControls()
{
  if (!HasScrollBars() || !FHScrollBar) return;
  FHScrollBar->SetParent(this);
  FVScrollBar->SetParent(this);
  FSizeGrip->SetParent(this);
}

void TcxControl::ScrollBarScrolled(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)
{
  Scroll(static_cast<TcxScrollBar*>(Sender)->Kind(), ScrollCode, ScrollPos);
}

bool TcxControl::IsInternalControl(TControl* Control) const
{
  return Control && (Control == FHScrollBar || Control == FVScrollBar || Control == FSizeGrip);
}

bool TcxControl::IsHScrollBarVisible() const
{
  if (!HasScrollBars() || !FHScrollBar) return false;
  return FCalculatingScrollBarsParams ? FHScrollBar->Data().Visible : FHScrollBar->Visible();
}

bool TcxControl::IsVScrollBarVisible() const
{
  if (!HasScrollBars() || !FVScrollBar) return false;
  return FCalculatingScrollBarsParams ? FVScrollBar->Data().Visible : FVScrollBar->Visible();
}

RECT TcxControl::GetBounds() const
{
  return const_cast<TcxControl*>(this)->HandleAllocated() ? ClientRect() : RECT{0, 0, Width(), Height()};
}

RECT TcxControl::GetClientBounds() const
{
  RECT r = GetBounds();
  const int border = GetBorderSize();
  InflateRect(&r, -border, -border);
  if (IsHScrollBarVisible()) r.bottom -= FHScrollBar->Height();
  if (IsVScrollBarVisible()) r.right -= FVScrollBar->Width();
  return r;
}

RECT TcxControl::GetHScrollBarBounds() const
{
  RECT r = GetClientBounds();
  r.top = r.bottom;
  r.bottom += FHScrollBar->Height();
  return r;
}

RECT TcxControl::GetVScrollBarBounds() const
{
  RECT r = GetClientBounds();
  r.left = r.right;
  r.right += FVScrollBar->Width();
  return r;
}

RECT TcxControl::GetSizeGripBounds() const
{
  return RECT{FVScrollBar->Left(), FHScrollBar->Top(), FVScrollBar->Left() + FVScrollBar->Width(),
              FHScrollBar->Top() + FHScrollBar->Height()};
}

TClass TcxControl::GetScrollBarClass(TScrollBarKind) const { return TcxControlScrollBar::StaticClass(); }
TClass TcxControl::GetSizeGripClass() const { return TcxSizeGrip::StaticClass(); }

void TcxControl::SetInternalControlsBounds()
{
  if (!FHScrollBar) return;
  if (FHScrollBar->Visible()) FHScrollBar->SetBoundsRect(GetHScrollBarBounds());
  if (FVScrollBar->Visible()) FVScrollBar->SetBoundsRect(GetVScrollBarBounds());
  if (FSizeGrip->Visible()) FSizeGrip->SetBoundsRect(GetSizeGripBounds());
}

void TcxControl::UpdateInternalControlsState()
{
  if (!HasScrollBars() || !FHScrollBar) return;
  for (TWinControl* control : {static_cast<TWinControl*>(FHScrollBar), static_cast<TWinControl*>(FVScrollBar),
                               static_cast<TWinControl*>(FSizeGrip)})
    if (control->Visible()) control->UpdateControlState();
}

void TcxControl::BringInternalControlsToFront()
{
  if (!FHScrollBar) return;
  FHScrollBar->BringToFront();
  FVScrollBar->BringToFront();
  FSizeGrip->BringToFront();
}

void TcxControl::SetScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Pos, bool AllowShow,
                                  bool AllowHide)
{
  TcxControlScrollBar* bar = Kind == sbHorizontal ? FHScrollBar : FVScrollBar;
  if (!bar) return;
  TcxScrollBarData& data = bar->Data();
  const TScrollStyle own = Kind == sbHorizontal ? ssHorizontal : ssVertical;
  data.AllowShow = AllowShow && (FScrollBars == ssBoth || FScrollBars == own);
  data.AllowHide = AllowHide;
  if (!data.AllowShow) {
    data.Visible = false;
    return;
  }
  if (Min <= Max && Page < Max - Min + 1 && Pos >= Min) {
    // The content does not fit in one page.
    data.Min = Min;
    data.Max = Max;
    data.Position = Pos;
    data.PageSize = Page;
    data.SmallChange = static_cast<TScrollBarInc>(std::clamp(Step, 0, 32767));
    data.LargeChange = static_cast<TScrollBarInc>(std::clamp(Page, 0, 32767));
    data.Enabled = true;
    data.Visible = true;
  } else if (AllowHide) {
    data.Visible = false;
  } else {
    // A bar that may not hide stays on screen, disabled.
    data.Enabled = false;
    data.Visible = true;
  }
}

namespace {
// Puts a value back when the scope ends, whichever way it ends.
template <class T>
class TRestoreOnExit {
public:
  TRestoreOnExit(T& variable, T value) : FVariable(variable), FOld(variable) { variable = value; }
  ~TRestoreOnExit() { FVariable = FOld; }
  TRestoreOnExit(const TRestoreOnExit&) = delete;
  TRestoreOnExit& operator=(const TRestoreOnExit&) = delete;

private:
  T& FVariable;
  T FOld;
};
}  // namespace

void TcxControl::UpdateScrollBars()
{
  if (!HasScrollBars() || !FHScrollBar) return;
  const bool outermost = !FUpdatingScrollBars;
  if (outermost) {
    FInitialHScrollBarVisible = FHScrollBar->Visible();
    FInitialVScrollBarVisible = FVScrollBar->Visible();
  }
  TRestoreOnExit<bool> updating(FUpdatingScrollBars, true);
  TRestoreOnExit<int> nesting(FScrollBarsNesting, FScrollBarsNesting + 1);
  struct TClearInitialParams {
    TcxControl* Control;
    bool Outermost;
    ~TClearInitialParams()
    {
      if (Outermost) Control->FInitialScrollBarsParams = false;
    }
  } clearInitialParams{this, outermost};

  const bool hBefore = FHScrollBar->Visible(), vBefore = FVScrollBar->Visible();
  if (!FInitialScrollBarsParams) {
    TcxScrollBarData& h = FHScrollBar->Data();
    TcxScrollBarData& v = FVScrollBar->Data();
    if (!FCalculatingScrollBarsParams) {
      TRestoreOnExit<bool> calculating(FCalculatingScrollBarsParams, true);
      h.Visible = v.Visible = false;
      // Each pass sees the client area the wished bars leave; a descendant whose wishes never
      // settle gets the last pass's.
      for (int pass = 0; pass < cxMaxScrollBarCalculationPasses; ++pass) {
        const bool hWished = h.Visible, vWished = v.Visible;
        CalculateScrollBarParams();
        if (h.Visible == hWished && v.Visible == vWished) break;
      }
      // Content that fits once the other bar is gone shows neither bar.
      if (h.Visible && h.Enabled && h.AllowHide && v.Visible && v.Enabled && v.AllowHide) {
        const bool hFits = CheckScrollBarOverlap(sbHorizontal) && FVScrollBar->Width() + h.PageSize >= h.Max - h.Min + 1;
        const bool vFits = CheckScrollBarOverlap(sbVertical) && FHScrollBar->Height() + v.PageSize >= v.Max - v.Min + 1;
        if (hFits && vFits) {
          const TcxScrollBarData hd = h, vd = v;
          SetScrollBarInfo(sbHorizontal, hd.Min, hd.Max, hd.SmallChange, hd.PageSize + FVScrollBar->Width(),
                           hd.Position, hd.AllowShow, hd.AllowHide);
          SetScrollBarInfo(sbVertical, vd.Min, vd.Max, vd.SmallChange, vd.PageSize + FHScrollBar->Height(),
                           vd.Position, vd.AllowShow, vd.AllowHide);
        }
      }
    }
    // A change of bars that brings the wishes back to where they began would come and go forever:
    // the bars stay as they are now, those that changed disabled.
    FInitialScrollBarsParams = (!outermost && h.Visible == FInitialHScrollBarVisible &&
                                v.Visible == FInitialVScrollBarVisible) ||
                               FScrollBarsNesting > cxMaxScrollBarUpdateNesting;
    if (FInitialScrollBarsParams) {
      for (auto [bar, initial] : {std::pair{FHScrollBar, FInitialHScrollBarVisible},
                                  std::pair{FVScrollBar, FInitialVScrollBarVisible}})
        if (bar->Visible() != initial) {
          bar->SetEnabled(false);
          bar->SetVisible(true);
        }
    } else {
      FHScrollBar->ApplyWishedData();
      FVScrollBar->ApplyWishedData();
    }
  }
  if (FHScrollBar->Visible() != hBefore || FVScrollBar->Visible() != vBefore) {
    BoundsChanged();
    return;
  }
  FSizeGrip->SetVisible(FHScrollBar->Visible() && FVScrollBar->Visible());
  SetInternalControlsBounds();
  if (CanBringInternalControlsToFront()) BringInternalControlsToFront();
}

void TcxControl::DXMNCSizeChanged(TMessage&)
{
  if (!HasScrollBars() || !FHScrollBar) return;
  const SIZE system = GetSystemScrollBarSize();
  if (FHScrollBar->Height() == system.cy && FVScrollBar->Width() == system.cx) return;
  FHScrollBar->SetHeight(system.cy);
  FVScrollBar->SetWidth(system.cx);
  BoundsChanged();
}
