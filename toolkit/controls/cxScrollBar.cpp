#include "toolkit/controls/cxScrollBar.h"

#include <algorithm>
#include "classlib/TypInfo.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxThemeManager.h"

SIZE GetSystemScrollBarSize() { return SIZE{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)}; }

// --- TcxScrollBarViewInfo ---

CL_DEFINE_CLASS(TcxScrollBarViewInfo);

TcxScrollBarViewInfo::TcxScrollBarViewInfo(TcxScrollBar* ScrollBar) : FScrollBar(ScrollBar) {}

bool TcxScrollBarViewInfo::Horizontal() const { return FScrollBar->Kind() == sbHorizontal; }

RECT TcxScrollBarViewInfo::Span(int from, int to) const
{
  return Horizontal() ? RECT{from, 0, to, FScrollBar->Height()} : RECT{0, from, FScrollBar->Width(), to};
}

int TcxScrollBarViewInfo::TrackStart() const { return Horizontal() ? FBackArrowRect.right : FBackArrowRect.bottom; }
int TcxScrollBarViewInfo::TrackEnd() const { return Horizontal() ? FForwardArrowRect.left : FForwardArrowRect.top; }
int TcxScrollBarViewInfo::ThumbStart() const { return Horizontal() ? FThumbRect.left : FThumbRect.top; }

int TcxScrollBarViewInfo::ThumbLength() const
{
  return Horizontal() ? FThumbRect.right - FThumbRect.left : FThumbRect.bottom - FThumbRect.top;
}

void TcxScrollBarViewInfo::Recalculate()
{
  FMinThumbSize = FScrollBar->GetMinThumbSize();
  Calculate();
}

void TcxScrollBarViewInfo::Calculate()
{
  const int length = Horizontal() ? FScrollBar->Width() : FScrollBar->Height();
  const SIZE system = GetSystemScrollBarSize();
  const int arrow = std::min<int>(Horizontal() ? system.cy : system.cx, length / 2);
  FBackArrowRect = Span(0, arrow);
  FForwardArrowRect = Span(length - arrow, length);
  CalculateThumb();
}

void TcxScrollBarViewInfo::CalculateThumb()
{
  FThumbRect = FPageBackRect = FPageForwardRect = RECT{};
  if (!FScrollBar->Enabled()) return;
  const int track = TrackEnd() - TrackStart();
  const int min = FScrollBar->Min(), max = FScrollBar->Max();
  const int page = FScrollBar->PageSize(), position = FScrollBar->Position();
  int thumb = 0, offset = 0;
  if (page != 0) {
    thumb = std::min(track, MulDiv(page, track, max - min + 1));
    if (track < FMinThumbSize || max == min) return;
    thumb = std::max(thumb, FMinThumbSize);
    const int steps = max - min - page + 1;
    if (steps > 0) offset = MulDiv(track - thumb, std::min(position - min, steps), steps);
  } else {
    thumb = GetSystemMetrics(Horizontal() ? SM_CXHTHUMB : SM_CYVTHUMB);
    if (track < thumb) return;
    if (track - thumb > 0 && max != min) offset = MulDiv(track - thumb, position - min, max - min);
  }
  FThumbRect = Span(TrackStart() + offset, TrackStart() + offset + thumb);
  CalculatePageAreas();
}

void TcxScrollBarViewInfo::CalculatePageAreas()
{
  if (!HasThumb()) {
    FPageBackRect = FPageForwardRect = RECT{};
    return;
  }
  FPageBackRect = Span(TrackStart(), ThumbStart());
  FPageForwardRect = Span(ThumbStart() + ThumbLength(), TrackEnd());
}

void TcxScrollBarViewInfo::PlaceThumb(int Start)
{
  FThumbRect = Span(Start, Start + ThumbLength());
  CalculatePageAreas();
}

int TcxScrollBarViewInfo::PositionFromThumb() const
{
  // A thumb as long as the track has nowhere to move: it stands for where the bar is.
  const int room = TrackEnd() - TrackStart() - ThumbLength();
  if (!HasThumb() || room <= 0) return FScrollBar->Position();
  const int page = FScrollBar->PageSize();
  const int range = FScrollBar->Max() - FScrollBar->Min() + (page > 0 ? 1 - page : 0);
  return FScrollBar->Min() + MulDiv(range, ThumbStart() - TrackStart(), room);
}

// --- TcxScrollBar ---

namespace {
using TSB = TcxScrollBar;
constexpr std::string_view ScrollBarKindNames[] = {"sbHorizontal", "sbVertical"};
constexpr TEnumInfo ScrollBarKindInfo = EnumInfo<sbVertical>("TScrollBarKind", ScrollBarKindNames);

constexpr TPropInfo ScrollBarProps[] = {
  Stored<&TSB::IsCtl3DStored>(BoolProp<&TSB::Ctl3D, &TSB::SetCtl3D>("Ctl3D", true)),
  EnumProp<&TSB::DragMode, &TSB::SetDragMode>("DragMode", DragModeInfo, 0),
  EnumProp<&TSB::Kind, &TSB::SetKind>("Kind", ScrollBarKindInfo, 0),
  IntProp<&TSB::LargeChange, &TSB::SetLargeChange>("LargeChange", 1),
  PersistentProp<&TSB::LookAndFeel>("LookAndFeel"),
  IntProp<&TSB::Max, &TSB::SetMax>("Max", 100),
  IntProp<&TSB::Min, &TSB::SetMin>("Min", 0),
  IntProp<&TSB::PageSize, &TSB::SetPageSize>("PageSize", 0),
  BoolProp<&TSB::ParentCtl3D, &TSB::SetParentCtl3D>("ParentCtl3D", true),
  IntProp<&TSB::Position, &TSB::SetPosition>("Position", 0),
  IntProp<&TSB::SmallChange, &TSB::SetSmallChange>("SmallChange", 1),
  BoolProp<&TSB::UnlimitedTracking, &TSB::SetUnlimitedTracking>("UnlimitedTracking", false),
  EventProp<&TSB::OnChange, &TSB::SetOnChange>("OnChange"),
  EventProp<&TSB::OnContextPopup, &TSB::SetOnContextPopup>("OnContextPopup"),
  EventProp<&TSB::OnEndDrag, &TSB::SetOnEndDrag>("OnEndDrag"),
  EventProp<&TSB::OnScroll, &TSB::SetOnScroll>("OnScroll"),
  EventProp<&TSB::OnStartDrag, &TSB::SetOnStartDrag>("OnStartDrag"),
};

bool IsArrowOrPage(TcxScrollBarElement Part)
{
  return Part == sbeLineBack || Part == sbeLineForward || Part == sbePageBack || Part == sbePageForward;
}
}  // namespace

CL_MESSAGE_MAP(TcxScrollBar,
  {CN_HSCROLL, &TcxScrollBar::CNScroll},
  {CN_VSCROLL, &TcxScrollBar::CNScroll},
  {CM_MOUSEENTER, &TcxScrollBar::CMMouseEnter},
  {CM_MOUSELEAVE, &TcxScrollBar::CMMouseLeave},
  {CM_ENABLEDCHANGED, &TcxScrollBar::CMEnabledChanged},
  {CM_VISIBLECHANGED, &TcxScrollBar::CMVisibleChanged},
  {WM_CANCELMODE, &TcxScrollBar::WMCancelMode},
  {CM_SYSCOLORCHANGE, &TcxScrollBar::CMSysColorChange},
  {CN_CTLCOLORSCROLLBAR, &TcxScrollBar::CNCtlColorScrollBar},
  {CM_CTL3DCHANGED, &TcxScrollBar::CMCtl3DChanged},
  {WM_ERASEBKGND, &TcxScrollBar::WMEraseBkgnd});
CL_DEFINE_CLASS(TcxScrollBar, .Props = ScrollBarProps);

TcxScrollBar::TcxScrollBar(TComponent* Owner) : TCustomControl(Owner)
{
  FControlStyle = {TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csFramed, TControlStyleFlag::csOpaque};
  SetBounds(Left(), Top(), 121, GetSystemScrollBarSize().cy);
  FLookAndFeel = MakeOwned<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxScrollBar::LookAndFeelChanged));
  FThemeNotificator = MakeOwned<TdxThemeChangedNotificator>();
  FThemeNotificator->SetOnThemeChanged(TdxThemeChangedEvent(this, &TcxScrollBar::ThemeChanged));
  FTimer = New<TcxTimer>(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(cxScrollBarInitialRepeatInterval);
  FTimer->SetOnTimer(TNotifyEvent(this, &TcxScrollBar::TimerTick));
}

TcxScrollBar::~TcxScrollBar() = default;

void TcxScrollBar::AfterConstruction()
{
  TCustomControl::AfterConstruction();
  FViewInfo = CreateViewInfo();
  FViewInfo->Recalculate();
}

TOwned<TcxScrollBarViewInfo> TcxScrollBar::CreateViewInfo() { return MakeOwned<TcxScrollBarViewInfo>(this); }

TcxCustomLookAndFeelPainter* TcxScrollBar::Painter() const
{
  return FLookAndFeel->GetPainterForThemePart(TdxThemedObjectType::totScrollBar);
}

void TcxScrollBar::SetScrollParams(int AMin, int AMax, int APageSize, int APosition, bool Redraw)
{
  if (AMax < AMin || AMax - AMin < APageSize) throw EInvalidOperation("Scrollbar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  if (AMin == FMin && AMax == FMax && APageSize == FPageSize && APosition == FPosition) return;
  FMin = AMin;
  FMax = AMax;
  FPageSize = APageSize;
  const bool redraw = Redraw && HandleAllocated();
  if (APosition == FPosition) {
    if (FViewInfo) FViewInfo->CalculateThumb();
    if (redraw) Repaint();
    return;
  }
  SetEnabled(true);
  FPosition = APosition;
  if (FViewInfo) FViewInfo->CalculateThumb();
  if (redraw) Repaint();
  Change();
}

void TcxScrollBar::Change()
{
  Changed();
  if (FOnChange) FOnChange(this);
}

void TcxScrollBar::DoScroll(TScrollCode ScrollCode, int& ScrollPos)
{
  if (FOnScroll) FOnScroll(this, ScrollCode, ScrollPos);
}

bool TcxScrollBar::IsHotTrackEnabled() const
{
  TcxCustomLookAndFeelPainter* painter = Painter();
  return painter && painter->ButtonsTrackHot();
}

int TcxScrollBar::GetMinThumbSize() const
{
  TcxCustomLookAndFeelPainter* painter = Painter();
  return painter ? painter->ScrollBarMinThumbSize(FKind) : 0;
}

void TcxScrollBar::SetKind(TScrollBarKind Value)
{
  if (FKind == Value) return;
  FKind = Value;
  if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  if (FViewInfo) FViewInfo->Recalculate();
  Invalidate();
}

void TcxScrollBar::SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }

bool TcxScrollBar::Ctl3D() const { return TCustomControl::Ctl3D() || FStoredCtl3D; }

void TcxScrollBar::SetCtl3D(bool Value)
{
  FStoredCtl3D = Value;
  ApplyCtl3D();
}

void TcxScrollBar::ApplyCtl3D()
{
  // A skin draws its own edges: the real 3-D look goes off, and the wish is kept for later.
  TcxCustomLookAndFeelPainter* painter = Painter();
  const bool skinned = painter && painter->PainterStyle() == cpsSkin;
  const bool real = skinned ? false : FStoredCtl3D;
  if (TCustomControl::Ctl3D() == real) return;
  const bool stored = FStoredCtl3D;
  TCustomControl::SetCtl3D(real);
  FStoredCtl3D = stored;
}

void TcxScrollBar::CMCtl3DChanged(TMessage&)
{
  // Only a change from outside (the parent's) is a new wish; the bar's own switching is not.
  TcxCustomLookAndFeelPainter* painter = Painter();
  if (!(painter && painter->PainterStyle() == cpsSkin)) FStoredCtl3D = TCustomControl::Ctl3D();
  LookAndFeelChanged(FLookAndFeel.get(), {});
}

void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues)
{
  ApplyCtl3D();
  if (FViewInfo) FViewInfo->Recalculate();
  Invalidate();
}

void TcxScrollBar::ThemeChanged()
{
  if (FViewInfo) FViewInfo->Recalculate();
  RebuildScrollBarBitmaps();
  Invalidate();
  if (Parent()) Parent()->Realign();
}

void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  const RECT before = BoundsRect();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  const RECT after = BoundsRect();
  if (!EqualRect(&before, &after) && Width() > 0 && Height() > 0 && FViewInfo) FViewInfo->Calculate();
}

// --- Drawing ---

void TcxScrollBar::Paint()
{
  auto bitmap = MakeOwned<TcxBitmap>(Width(), Height());
  DrawScrollBar(bitmap->cxCanvas());
  Canvas()->Draw(0, 0, bitmap.get());
}

void TcxScrollBar::DrawScrollBar(TcxCanvas* Canvas)
{
  DrawBackground(Canvas, RECT{0, 0, Width(), Height()});
  DrawPart(Canvas, FViewInfo->BackArrowRect(), sbeLineBack);
  DrawPart(Canvas, FViewInfo->ForwardArrowRect(), sbeLineForward);
  const std::pair<RECT, TcxScrollBarElement> track[] = {
    {FViewInfo->ThumbRect(), sbeThumb},
    {FViewInfo->PageBackRect(), sbePageBack},
    {FViewInfo->PageForwardRect(), sbePageForward},
  };
  for (const auto& [r, part] : track)
    if (!IsRectEmpty(&r)) DrawPart(Canvas, r, part);
}

void TcxScrollBar::DrawBackground(TcxCanvas* Canvas, const RECT& R)
{
  if (TcxCustomLookAndFeelPainter* painter = Painter())
    painter->DrawScrollBarBackground(Canvas, R, FKind == sbHorizontal);
}

void TcxScrollBar::DrawPart(TcxCanvas* Canvas, const RECT& R, TcxScrollBarElement Part)
{
  DrawPartWithState(Canvas, R, Part, PartState(Part));
}

void TcxScrollBar::DrawPartWithState(TcxCanvas* Canvas, const RECT& R, TcxScrollBarElement Part,
                                     TcxButtonState State)
{
  if (TcxCustomLookAndFeelPainter* painter = Painter())
    painter->DrawScrollBarElement(Canvas, FKind == sbHorizontal, R, Part, State);
}

TcxScrollBarElement TcxScrollBar::HitTest(POINT P) const
{
  const RECT client = ClientRect();
  if (!PtInRect(&client, P)) return sbeNone;
  if (PtInRect(&FViewInfo->BackArrowRect(), P)) return sbeLineBack;
  if (PtInRect(&FViewInfo->ForwardArrowRect(), P)) return sbeLineForward;
  if (!FViewInfo->HasThumb()) return sbeNone;
  if (PtInRect(&FViewInfo->ThumbRect(), P)) return sbeThumb;
  if (PtInRect(&FViewInfo->PageBackRect(), P)) return sbePageBack;
  if (PtInRect(&FViewInfo->PageForwardRect(), P)) return sbePageForward;
  return sbeNone;
}

TcxButtonState TcxScrollBar::PartState(TcxScrollBarElement Part) const
{
  if (!Enabled()) return cxbsDisabled;
  if ((Part == sbeThumb && !IsHotTrackEnabled()) || Part != FHotPart) return cxbsNormal;
  if (FPressedPart == sbeNone) return IsDesigning() ? cxbsNormal : cxbsHot;
  return FPressedPart == Part ? cxbsPressed : cxbsNormal;
}

// --- Scrolling ---

void TcxScrollBar::Scroll(TScrollCode ScrollCode)
{
  int position = FPosition;
  switch (ScrollCode) {
    case scLineUp: position -= FSmallChange; break;
    case scLineDown: position += FSmallChange; break;
    case scPageUp: position -= FLargeChange; break;
    case scPageDown: position += FLargeChange; break;
    case scTop: position = FMin; break;
    case scBottom: position = FMax; break;
    default: break;
  }
  position = std::clamp(position, FMin, FMax);
  const TWeakRef<TcxScrollBar> self(this);
  DoScroll(ScrollCode, position);
  if (!self) return;
  position = std::clamp(position, FMin, FMax);
  if (position == FPosition) return;
  if (ScrollCode == scTrack) {
    // Tracking moves only the position: the thumb stays where the mouse holds it.
    FPosition = position;
    if (HandleAllocated()) Repaint();
  } else {
    SetPosition(position);
  }
}

void TcxScrollBar::ScrollByPart(TcxScrollBarElement Part)
{
  switch (Part) {
    case sbeLineBack: Scroll(scLineUp); break;
    case sbeLineForward: Scroll(scLineDown); break;
    case sbePageBack: Scroll(scPageUp); break;
    case sbePageForward: Scroll(scPageDown); break;
    default: break;
  }
}

bool TcxScrollBar::IsRepeatingPart(TcxScrollBarElement Part) const { return IsArrowOrPage(Part); }

void TcxScrollBar::CNScroll(TMessage& Message)
{
  const WORD code = LOWORD(Message.WParam);
  if (code <= SB_ENDSCROLL) Scroll(static_cast<TScrollCode>(code));
}

// --- Mouse ---

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  const TWeakRef<TcxScrollBar> self(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!self || Button != mbLeft) return;
  const TcxScrollBarElement part = HitTest(POINT{X, Y});
  if (part == sbeNone) return;
  if (part == sbeThumb) {
    FDragStartPoint = POINT{X, Y};
    FDragStartPosition = FPosition;
    FDragStartThumb = FViewInfo->ThumbStart();
    Scroll(scTrack);
    if (!self) return;
  }
  FPressedPart = FHotPart = part;
  if (IsRepeatingPart(part)) {
    ScrollByPart(part);
    if (!self) return;
    FTimer->SetInterval(cxScrollBarInitialRepeatInterval);
    FTimer->SetEnabled(true);
  }
  Repaint();
}

void TcxScrollBar::TimerTick(TObject*)
{
  if (!MouseCapture() || !IsRepeatingPart(FPressedPart)) {
    StopTracking();
    return;
  }
  if (FTimer->Interval() == cxScrollBarInitialRepeatInterval) FTimer->SetInterval(cxScrollBarRepeatInterval);
  const TWeakRef<TcxScrollBar> self(this);
  ScrollByPart(FPressedPart);
  if (!self || !HandleAllocated()) return;
  // Paging stops once the thumb reaches the cursor, and waits while the cursor is off the part.
  POINT cursor{};
  GetCursorPos(&cursor);
  FTimer->SetEnabled(HitTest(ScreenToClient(cursor)) == FPressedPart);
}

void TcxScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
  const TWeakRef<TcxScrollBar> self(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!self) return;
  if (FPressedPart == sbeThumb) {
    MoveThumb(POINT{X, Y});
    return;
  }
  const TcxScrollBarElement part = HitTest(POINT{X, Y});
  if (IsRepeatingPart(FPressedPart)) FTimer->SetEnabled(part == FPressedPart);
  if (part == FHotPart) return;
  FHotPart = part;
  if (IsHotTrackEnabled()) Repaint();
}

void TcxScrollBar::MoveThumb(POINT P)
{
  RECT area = ClientRect();
  if (FKind == sbHorizontal)
    InflateRect(&area, cxScrollBarTrackingAlong, cxScrollBarTrackingAcross);
  else
    InflateRect(&area, cxScrollBarTrackingAcross, cxScrollBarTrackingAlong);
  const TWeakRef<TcxScrollBar> self(this);
  if (FUnlimitedTracking || PtInRect(&area, P)) {
    const int lowest = FViewInfo->TrackStart();
    const int highest = FViewInfo->TrackEnd() - FViewInfo->ThumbLength();
    const int start = std::clamp(FDragStartThumb + Along(P) - Along(FDragStartPoint), lowest, std::max(lowest, highest));
    if (start == FViewInfo->ThumbStart()) return;
    FViewInfo->PlaceThumb(start);
    Repaint();
    const int position = ThumbPosition();
    if (position == FPosition) return;
    FPosition = position;
    Scroll(scTrack);
    return;
  }
  // Too far from the bar: back to where the drag began, thumb included.
  const int before = FPosition;
  SetPosition(FDragStartPosition);
  if (!self) return;
  if (FViewInfo->ThumbStart() != FDragStartThumb) {
    FViewInfo->CalculateThumb();
    Repaint();
  }
  if (FPosition != before) Scroll(scTrack);
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  const TWeakRef<TcxScrollBar> self(this);
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!self) return;
  StopTracking();
  if (self) FHotPart = HitTest(POINT{X, Y});
}

int TcxScrollBar::ThumbPosition() const
{
  // A thumb pixel can stand for several positions: where the drag began, the position it began with.
  return FViewInfo->ThumbStart() == FDragStartThumb ? FDragStartPosition : FViewInfo->PositionFromThumb();
}

void TcxScrollBar::StopTracking()
{
  if (FPressedPart == sbeNone) return;
  const TWeakRef<TcxScrollBar> self(this);
  if (FPressedPart == sbeThumb) {
    FPosition = ThumbPosition();
    const int tracked = FPosition;
    Scroll(scPosition);
    if (!self) return;
    // Tracking stored the position without telling anyone: a drag that ends elsewhere than it
    // began is one change (unless the scroll handler's own answer already told it).
    if (FPosition == tracked && tracked != FDragStartPosition) {
      Change();
      if (!self) return;
    }
  }
  FTimer->SetEnabled(false);
  FPressedPart = FHotPart = sbeNone;
  Scroll(scEndScroll);
  if (!self) return;
  FViewInfo->CalculateThumb();
  Invalidate();
}

void TcxScrollBar::CMMouseEnter(TMessage& Message)
{
  Inherited<TcxScrollBar>(Message);
  if (IsHotTrackEnabled() || IsRepeatingPart(FPressedPart)) Repaint();
}

void TcxScrollBar::CMMouseLeave(TMessage& Message)
{
  Inherited<TcxScrollBar>(Message);
  if (FPressedPart != sbeThumb) FHotPart = sbeNone;
  if (IsHotTrackEnabled() || IsRepeatingPart(FPressedPart)) Invalidate();
}

void TcxScrollBar::CMEnabledChanged(TMessage& Message)
{
  Inherited<TcxScrollBar>(Message);
  if (FViewInfo) FViewInfo->Calculate();
  if (!Enabled()) StopTracking();
  Invalidate();
}

void TcxScrollBar::CMVisibleChanged(TMessage& Message)
{
  Inherited<TcxScrollBar>(Message);
  if (!Visible()) StopTracking();
}

void TcxScrollBar::WMCancelMode(TMessage& Message)
{
  Inherited<TcxScrollBar>(Message);
  StopTracking();
}

void TcxScrollBar::CMSysColorChange(TMessage& Message)
{
  RebuildScrollBarBitmaps();
  Inherited<TcxScrollBar>(Message);
}

void TcxScrollBar::CNCtlColorScrollBar(TMessage& Message)
{
  RebuildScrollBarBitmaps();
  DefaultHandler(Message);
}

void TcxScrollBar::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

// --- Unit ---

namespace {
void InitializeScrollBarUnit() { RegisterClass(TcxScrollBar::StaticClass()); }
void FinalizeScrollBarUnit() { UnRegisterClass(TcxScrollBar::StaticClass()); }
const TUnit* const ScrollBarUses[] = {&UnitcxLookAndFeels, &UnitcxLookAndFeelPainters, &UnitcxClasses};
}  // namespace

TUnit UnitcxScrollBar{"cxScrollBar", ScrollBarUses, InitializeScrollBarUnit, FinalizeScrollBarUnit};
