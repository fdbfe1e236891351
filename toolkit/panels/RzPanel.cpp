#include "toolkit/panels/RzPanel.h"

#include <algorithm>
#include "classlib/Filer.h"
#include "classlib/Forms.h"
#include "classlib/TypInfo.h"
#include "toolkit/panels/RzPanelDockManager.h"
#include "toolkit/panels/RzPanelStatusBar.h"

namespace {
constexpr std::string_view CaptionVertAlignmentNames[] = {"cvaTop", "cvaCenter", "cvaBottom"};
constexpr std::string_view GridKindNames[] = {"gkDots", "gkDottedLines", "gkSolidLines"};
}  // namespace

const TEnumInfo RzCaptionVertAlignmentInfo =
    EnumInfo<TRzCaptionVertAlignment::cvaBottom>("TRzCaptionVertAlignment", CaptionVertAlignmentNames);
const TEnumInfo RzGridKindInfo = EnumInfo<TRzGridKind::gkSolidLines>("TRzGridKind", GridKindNames);

CL_MESSAGE_MAP(TRzCustomPanel,
  {WM_WINDOWPOSCHANGED, &TRzCustomPanel::WMWindowPosChanged},
  {WM_ERASEBKGND, &TRzCustomPanel::WMEraseBkgnd},
  {WM_THEMECHANGED, &TRzCustomPanel::WMThemeChanged},
  {CM_MOUSEENTER, &TRzCustomPanel::CMMouseEnter},
  {CM_MOUSELEAVE, &TRzCustomPanel::CMMouseLeave},
  {CM_ENABLEDCHANGED, &TRzCustomPanel::CMEnabledChanged});
CL_DEFINE_CLASS(TRzCustomPanel);

int FrameStyleThickness(TFrameStyleEx style, int bevelWidth)
{
  switch (style) {
    case TFrameStyleEx::fsNone: return 0;
    case TFrameStyleEx::fsFlat: return 1;
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return bevelWidth;
    default: return 2;
  }
}

TRzCustomPanel::TRzCustomPanel(TComponent* owner)
    : TCustomPanel(owner), FSavedEnabledStates(MakeOwned<TStringList>())
{
  // The class library's own bevels are never drawn: the frames below take their place.
  SetBevelOuter(bvNone);
  FControlStyle.Exclude(TControlStyleFlag::csSetCaption);
  FControlStyle.Exclude(TControlStyleFlag::csParentBackground);
  FControlStyle.Include(TControlStyleFlag::csOpaque);
}

void TRzCustomPanel::BeforeDestruction()
{
  SetFrameController(nullptr);
  TCustomPanel::BeforeDestruction();
}

template <class T>
void TRzCustomPanel::Change(T& field, const T& value)
{
  if (field == value) return;
  field = value;
  Invalidate();
}

void TRzCustomPanel::BordersChanged()
{
  Realign();
  Invalidate();
}

void TRzCustomPanel::SetVerticalAlignment(TRzCaptionVertAlignment value) { Change(FVerticalAlignment, value); }

void TRzCustomPanel::SetBorderInner(TFrameStyleEx value)
{
  SetAndNotify(FBorderInner, value, [this] { BordersChanged(); });
}

void TRzCustomPanel::SetBorderOuter(TFrameStyleEx value)
{
  SetAndNotify(FBorderOuter, value, [this] { BordersChanged(); });
}

void TRzCustomPanel::SetBorderSides(TSides value)
{
  SetAndNotify(FBorderSides, value, [this] { BordersChanged(); });
}

void TRzCustomPanel::SetBorderColor(TColor value) { Change(FBorderColor, value); }
void TRzCustomPanel::SetHighlightColor(TColor value) { Change(FHighlightColor, value); }
void TRzCustomPanel::SetShadowColor(TColor value) { Change(FShadowColor, value); }
void TRzCustomPanel::SetFlatColor(TColor value) { Change(FFlatColor, value); }
void TRzCustomPanel::SetFlatColorAdjustment(int value) { Change(FFlatColorAdjustment, value); }
void TRzCustomPanel::SetFillClientArea(bool value) { Change(FFillClientArea, value); }
void TRzCustomPanel::SetVisualStyle(TRzVisualStyle value) { Change(FVisualStyle, value); }
void TRzCustomPanel::SetGradientColorStyle(TRzGradientColorStyle value) { Change(FGradientColorStyle, value); }
void TRzCustomPanel::SetGridLineColor(TColor value) { Change(FGridLineColor, value); }
void TRzCustomPanel::SetGridKind(TRzGridKind value) { Change(FGridKind, value); }
void TRzCustomPanel::SetGridSpacingX(int value) { Change(FGridSpacingX, std::max(value, 0)); }
void TRzCustomPanel::SetGridSpacingY(int value) { Change(FGridSpacingY, std::max(value, 0)); }
void TRzCustomPanel::SetGridVisible(bool value) { Change(FGridVisible, value); }
void TRzCustomPanel::SetCaptionMarginHorz(int value) { Change(FCaptionMarginHorz, value); }
void TRzCustomPanel::SetCaptionMarginVert(int value) { Change(FCaptionMarginVert, value); }
void TRzCustomPanel::SetWordWrap(bool value) { Change(FWordWrap, value); }
void TRzCustomPanel::SetDockCaptionsVisible(bool value) { Change(FDockCaptionsVisible, value); }

void TRzCustomPanel::SetGradientColorStart(TColor value)
{
  SetAndNotify(FGradientColorStart, value, [this] {
    Invalidate();
    InvalidateTransparentChildren();
  });
}

void TRzCustomPanel::SetGradientColorStop(TColor value)
{
  SetAndNotify(FGradientColorStop, value, [this] {
    Invalidate();
    InvalidateTransparentChildren();
  });
}

void TRzCustomPanel::SetGradientDirection(TGradientDirection value)
{
  SetAndNotify(FGradientDirection, value, [this] {
    Invalidate();
    InvalidateTransparentChildren();
  });
}

void TRzCustomPanel::SetTransparent(bool value)
{
  SetAndNotify(FTransparent, value, [&] {
    FControlStyle.IncludeIf(TControlStyleFlag::csOpaque, !value);
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
  });
}

void TRzCustomPanel::InvalidateTransparentChildren()
{
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    const TPropInfo* prop = child->ClassType()->FindProp("Transparent");
    if (prop && prop->GetOrd && prop->GetOrd(child) == 1) child->Invalidate();
  }
}

void TRzCustomPanel::SetFrameController(TRzFrameController* value)
{
  if (FFrameController == value) return;
  if (FFrameController) {
    FFrameController->RemoveControl(this);
    FFrameController->RemoveFreeNotification(this);
  }
  FFrameController = value;
  if (value) {
    value->AddControl(this);
    value->FreeNotification(this);
  }
}

void TRzCustomPanel::Notification(TComponent* component, TOperation operation)
{
  TCustomPanel::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFrameController) FFrameController = nullptr;
}

void TRzCustomPanel::ApplyFrameControllerSettings()
{
  TRzFrameController* controller = FFrameController;
  if (!controller || !controller->FrameVisible()) return;
  using enum TRzFrameControllerProperty;
  const TRzFrameControllerNotifications accepted = FFrameControllerNotifications;
  // The frame style is stored without laying the children out again, as the controller asks.
  if (accepted.Contains(fcpFrameStyle)) FBorderOuter = controller->FrameStyle();
  if (accepted.Contains(fcpFrameSides)) SetBorderSides(controller->FrameSides());
  if (accepted.Contains(fcpFrameColor)) {
    SetFlatColor(controller->FrameColor());
    SetFlatColorAdjustment(0);
  }
  if (accepted.Contains(fcpColor)) SetColor(controller->Color());
  if (accepted.Contains(fcpParentColor)) SetParentColor(controller->ParentColor());
  if (accepted.Contains(fcpColor)) {
    SetHighlightColor(LightenColor(Color(), 100));
    SetShadowColor(DarkenColor(Color(), 50));
  }
  Invalidate();
}

void TRzCustomPanel::DefineProperties(TFiler& filer)
{
  TCustomPanel::DefineProperties(filer);
  // Settings of older versions, read and never written.
  filer.DefineProperty("FrameSides", [](TReader& reader) { reader.SkipValue(); }, nullptr, false);
  filer.DefineProperty("ThemeAware", [](TReader& reader) { reader.ReadBoolean(); }, nullptr, false);
  filer.DefineProperty(
      "UseGradients",
      [this](TReader& reader) {
        if (reader.ReadBoolean()) SetVisualStyle(TRzVisualStyle::vsGradient);
      },
      nullptr, false);
}

// ----- geometry -----------------------------------------------------------------------------

void TRzCustomPanel::AdjustRectForBorders(RECT& r, bool includeBorderWidth) const
{
  if (includeBorderWidth) InflateRect(&r, -BorderWidth(), -BorderWidth());
  r = DeflateSides(r, FBorderSides, FrameStyleThickness(FBorderOuter, BevelWidth()));
  r = DeflateSides(r, FBorderSides, FrameStyleThickness(FBorderInner, BevelWidth()));
}

RECT TRzCustomPanel::ClientRect() const
{
  RECT r = TCustomPanel::ClientRect();
  if (!DockSite()) AdjustRectForBorders(r, false);
  return r;
}

void TRzCustomPanel::AdjustClientRect(RECT& rect)
{
  TCustomPanel::AdjustClientRect(rect);
  if (DockSite()) AdjustRectForBorders(rect, false);
}

TDockTree* TRzCustomPanel::CreateDockManager()
{
  TDockTree* manager = DockManager();
  if (!manager && DockSite() && UseDockManager()) manager = New<TRzPanelDockManager>(this);
  if (manager) SetDoubleBuffered(true);
  return manager;
}

void TRzCustomPanel::SetBounds(int left, int top, int width, int height)
{
  if (Align() == alBottom && height != Height())
    top = Top() + Height() - height;
  else if (Align() == alRight && width != Width())
    left = Left() + Width() - width;
  TCustomPanel::SetBounds(left, top, width, height);
}

POINT TRzCustomPanel::GetMousePos() const
{
  POINT p{};
  GetCursorPos(&p);
  return ScreenToClient(p);
}

void TRzCustomPanel::WMWindowPosChanged(TMessage& msg)
{
  // Before the new size is taken: only the frame area that moves with the resized edge is painted
  // again, unless the whole panel must be (a caption moves with the size).
  const auto* pos = msg.LParamAs<WINDOWPOS>();
  if (pos && HandleAllocated() && !(pos->flags & SWP_NOSIZE)) {
    if (FullRepaint() || !Caption().empty()) {
      Invalidate();
    } else {
      RECT r{0, 0, Width(), Height()};
      AdjustRectForBorders(r, true);
      const POINT margin = GetRepaintMargin();
      if (pos->cx != Width()) {
        RECT strip{r.right - margin.x, 0, Width(), Height()};
        InvalidateRect(FHandle, &strip, TRUE);
      }
      if (pos->cy != Height()) {
        RECT strip{0, r.bottom - margin.y, Width(), Height()};
        InvalidateRect(FHandle, &strip, TRUE);
      }
    }
  }
  Inherited<TRzCustomPanel>(msg);
}

// ----- painting -----------------------------------------------------------------------------

void TRzCustomPanel::GetFlatColors(TColor& flatColor, int& adjustment) const
{
  if (FVisualStyle == TRzVisualStyle::vsGradient && FGradientColorStyle != TRzGradientColorStyle::gcsCustom) {
    flatColor = GetSchemeFlatColor(FGradientColorStyle);
    adjustment = 0;
  } else {
    flatColor = FFlatColor;
    adjustment = FFlatColorAdjustment;
  }
}

void TRzCustomPanel::GetGradientColors(TColor& start, TColor& stop) const
{
  if (FGradientColorStyle == TRzGradientColorStyle::gcsCustom) {
    start = FGradientColorStart;
    stop = FGradientColorStop;
  } else {
    GetSchemeGradientColors(FGradientColorStyle, start, stop);
  }
}

void TRzCustomPanel::Paint()
{
  TCanvas* canvas = Canvas();
  TColor flatColor;
  int adjustment;
  GetFlatColors(flatColor, adjustment);

  TRzPanelBorders borders;
  borders.Outer = FBorderOuter;
  borders.Inner = FBorderInner;
  borders.Sides = FBorderSides;
  borders.BorderWidth = BorderWidth();
  borders.BevelWidth = BevelWidth();
  borders.Transparent = FTransparent;
  borders.ParentColor = Parent() ? Parent()->Color() : Color();
  borders.Color = Color();
  borders.FlatColor = flatColor;
  borders.FlatColorAdjustment = adjustment;
  borders.ShadowColor = FShadowColor;
  borders.HighlightColor = FHighlightColor;
  borders.BorderColor = FBorderColor;
  const RECT r = DrawPanelBorders(canvas, GetPanelRect(), borders);

  if (!FTransparent && FFillClientArea) {
    // A rounded frame leaves its cut corners to the fill, which reaches one pixel under it.
    const bool rounded = (FBorderOuter == TFrameStyleEx::fsFlatRounded && FBorderInner == TFrameStyleEx::fsNone &&
                          BorderWidth() == 0) ||
                         FBorderInner == TFrameStyleEx::fsFlatRounded;
    const RECT fill = rounded ? DeflateSides(r, FBorderSides, -1) : r;
    if (FVisualStyle == TRzVisualStyle::vsGradient) {
      TColor start, stop;
      GetGradientColors(start, stop);
      PaintGradient(canvas, fill, FGradientDirection, start, stop, 1);
    } else {
      canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
      canvas->Brush()->SetColor(Color());
      canvas->FillRect(fill);
    }
    if (rounded) {
      const TColor corner = AdjustColorLightness(flatColor, adjustment);
      const bool left = FBorderSides.Contains(TSide::sdLeft), top = FBorderSides.Contains(TSide::sdTop);
      const bool right = FBorderSides.Contains(TSide::sdRight), bottom = FBorderSides.Contains(TSide::sdBottom);
      if (left && top) canvas->SetPixels(fill.left, fill.top, corner);
      if (top && right) canvas->SetPixels(fill.right - 1, fill.top, corner);
      if (right && bottom) canvas->SetPixels(fill.right - 1, fill.bottom - 1, corner);
      if (bottom && left) canvas->SetPixels(fill.left, fill.bottom - 1, corner);
    }
  }
  if (FGridVisible) DrawGrid(r);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  DrawCaption(r);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  if (FOnPaint) FOnPaint(this);
}

void TRzCustomPanel::DrawCaption(RECT r)
{
  const std::string caption = Caption();
  if (caption.empty()) return;
  TCanvas* canvas = Canvas();
  InflateRect(&r, -FCaptionMarginHorz, -FCaptionMarginVert);
  UINT flags = DT_EXPANDTABS | DT_VCENTER;
  switch (Alignment()) {
    case taLeftJustify: flags |= DT_LEFT; break;
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
  }
  if (FWordWrap) flags |= DT_WORDBREAK;
  canvas->SetFont(Font());
  RECT measured = r;
  const int height = DrawTextOnCanvas(canvas, caption, measured, flags | DT_CALCRECT);
  switch (FVerticalAlignment) {
    case TRzCaptionVertAlignment::cvaTop:
      r.bottom = std::min<LONG>(r.bottom, r.top + height);
      break;
    case TRzCaptionVertAlignment::cvaCenter:
      r.top = (r.top + r.bottom - height) / 2;
      r.bottom = std::min<LONG>(r.bottom, r.top + height);
      break;
    case TRzCaptionVertAlignment::cvaBottom:
      r.top = std::max<LONG>(r.top, r.bottom - height - 1);
      break;
  }
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  DrawTextOnCanvas(canvas, caption, r, flags);
}

void TRzCustomPanel::DrawGrid(const RECT& r)
{
  TCanvas* canvas = Canvas();
  const int columns = FGridSpacingX ? (r.right - r.left) / FGridSpacingX : 0;
  const int rows = FGridSpacingY ? (r.bottom - r.top) / FGridSpacingY : 0;
  canvas->Pen()->SetColor(FGridLineColor);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetWidth(1);
  auto columnX = [&](int i) { return static_cast<int>(r.left) + i * FGridSpacingX - 1; };
  auto rowY = [&](int j) { return static_cast<int>(r.top) + j * FGridSpacingY - 1; };
  if (FGridKind == TRzGridKind::gkDots) {
    for (int i = 1; i <= columns; ++i)
      for (int j = 1; j <= rows; ++j) canvas->SetPixels(columnX(i), rowY(j), FGridLineColor);
    return;
  }
  // Dotted lines set every second pixel, starting one pixel after the line's start.
  const bool dotted = FGridKind == TRzGridKind::gkDottedLines;
  for (int i = 1; i <= columns; ++i) {
    const int x = columnX(i);
    if (dotted) {
      for (int y = r.top + 1; y < r.bottom; y += 2) canvas->SetPixels(x, y, FGridLineColor);
    } else {
      canvas->MoveTo(x, r.top);
      canvas->LineTo(x, r.bottom);
    }
  }
  for (int j = 1; j <= rows; ++j) {
    const int y = rowY(j);
    if (dotted) {
      for (int x = r.left + 1; x < r.right; x += 2) canvas->SetPixels(x, y, FGridLineColor);
    } else {
      canvas->MoveTo(r.left, y);
      canvas->LineTo(r.right, y);
    }
  }
}

void TRzCustomPanel::WMEraseBkgnd(TMessage& msg)
{
  if (FTransparent && FFillClientArea) {
    DrawParentBackground(this, reinterpret_cast<HDC>(msg.WParam), true);
    msg.Result = 1;
    return;
  }
  Inherited<TRzCustomPanel>(msg);
}

void TRzCustomPanel::WMThemeChanged(TMessage& msg)
{
  Inherited<TRzCustomPanel>(msg);
  UpdateXPColorScheme();
  // Themed and classic frames differ in size (the status bar's client area does).
  Realign();
  Invalidate();
}

void TRzCustomPanel::CMMouseEnter(TMessage& msg)
{
  if (IsDesigning()) return;
  Inherited<TRzCustomPanel>(msg);
}

void TRzCustomPanel::CMMouseLeave(TMessage& msg) { Inherited<TRzCustomPanel>(msg); }

void TRzCustomPanel::CMEnabledChanged(TMessage& msg)
{
  Inherited<TRzCustomPanel>(msg);
  Repaint();
  EnableChildControls(Enabled());
}

void TRzCustomPanel::EnableChildControls(bool enable)
{
  if (!enable) {
    FSavedEnabledStates->Clear();
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* child = Controls(i);
      FSavedEnabledStates->AddObject(child->Enabled() ? "1" : "0", child);
    }
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
    return;
  }
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    const int index = FSavedEnabledStates->IndexOfObject(child);
    if (index < 0 || FSavedEnabledStates->Strings(index) == "1") child->SetEnabled(true);
  }
}

// ----- the unit -----------------------------------------------------------------------------

namespace {
void InitializeUnit() { RegisterClass(TRzStatusBar::StaticClass()); }
void FinalizeUnit() { UnRegisterClass(TRzStatusBar::StaticClass()); }

const TUnit* const Uses[] = {&UnitRzCommon, &UnitdxThemeManager};
}  // namespace

TUnit UnitRzPanel{"RzPanel", Uses, InitializeUnit, FinalizeUnit};
