#include "toolkit/panels/RzStatus.h"

#include <algorithm>
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/TypInfo.h"
#include "toolkit/panels/RzPanel.h"
#include "toolkit/panels/RzPanelStatusBar.h"

namespace {
// The parts of the visual style's status-bar class.
constexpr int StatusPartBackground = 0;
constexpr int StatusPartPane = 1;

constexpr std::string_view AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr TEnumInfo AlignmentInfo = EnumInfo<TAlignment::taCenter>("TAlignment", AlignmentNames);

using TP = TRzCustomStatusPane;
constexpr TPropInfo StatusPaneProps[] = {
  EnumProp<&TP::Alignment, &TP::SetAlignment>("Alignment", AlignmentInfo, static_cast<int>(taLeftJustify)),
  BoolProp<&TP::AutoHint, &TP::SetAutoHint>("AutoHint", false),
  BoolProp<&TP::AutoSize, &TP::SetAutoSize>("AutoSize", false),
  BoolProp<&TP::Blinking, &TP::SetBlinking>("Blinking", false),
  ColorProp<&TP::BlinkColor, &TP::SetBlinkColor>("BlinkColor", clHighlight),
  IntProp<&TP::BlinkIntervalOff, &TP::SetBlinkIntervalOff>("BlinkIntervalOff", 500),
  IntProp<&TP::BlinkIntervalOn, &TP::SetBlinkIntervalOn>("BlinkIntervalOn", 500),
  IntProp<&TP::CaptionOffset, &TP::SetCaptionOffset>("CaptionOffset", 2),
  IntProp<&TP::DefaultWidth, &TP::SetDefaultWidth>("DefaultWidth", 40),
  IntProp<&TP::BorderWidth, &TP::SetBorderWidth>("BorderWidth", 1),
  Stored<&TP::IsFillColorStored>(ColorProp<&TP::FillColor, &TP::SetFillColor>("FillColor", clBtnFace)),
  ColorProp<&TP::FlatColor, &TP::SetFlatColor>("FlatColor", clBtnShadow),
  IntProp<&TP::FlatColorAdjustment, &TP::SetFlatColorAdjustment>("FlatColorAdjustment", 30),
  EnumProp<&TP::FrameStyle, &TP::SetFrameStyle>("FrameStyle", FrameStyleInfo, static_cast<int>(TFrameStyleEx::fsFlat)),
  SetProp<&TP::FrameControllerNotifications, &TP::SetFrameControllerNotifications>(
      "FrameControllerNotifications", RzFrameControllerPropertyConnectionInfo, fcpAllNotifications.ToInt()),
  ComponentProp<&TP::FrameController, &TP::SetFrameController>("FrameController"),
  BoolProp<&TP::ParentFillColor, &TP::SetParentFillColor>("ParentFillColor", true),
  BoolProp<&TP::Transparent, &TP::SetTransparent>("Transparent", true),
  IntProp<&TP::Width, &TP::SetWidth>("Width", 100),
  IntProp<&TP::Height, &TP::SetHeight>("Height", 20),
};

// The thickness of the pane's frame styles on each side.
int PaneFrameThickness(TFrameStyleEx style)
{
  switch (style) {
    case TFrameStyleEx::fsNone: return 0;
    case TFrameStyleEx::fsFlat:
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return 1;
    default: return 2;
  }
}

}  // namespace

CL_MESSAGE_MAP(TRzCustomStatusPane,
  {RZM_QUERYBLINKING, &TRzCustomStatusPane::RZMQueryBlinking},
  {RZM_SETBLINKSTATE, &TRzCustomStatusPane::RZMSetBlinkState},
  {CM_FONTCHANGED, &TRzCustomStatusPane::CMFontChanged},
  {CM_TEXTCHANGED, &TRzCustomStatusPane::CMTextChanged},
  {CM_COLORCHANGED, &TRzCustomStatusPane::CMColorChanged},
  {CM_PARENTCOLORCHANGED, &TRzCustomStatusPane::CMColorChanged},
  {CM_HITTEST, &TRzCustomStatusPane::CMHitTest},
  {CM_MOUSEENTER, &TRzCustomStatusPane::CMMouseEnter},
  {CM_MOUSELEAVE, &TRzCustomStatusPane::CMMouseLeave});
CL_DEFINE_CLASS(TRzCustomStatusPane, .Props = StatusPaneProps);
CL_DEFINE_CLASS(TRzStatusPane);

TRzCustomStatusPane::TRzCustomStatusPane(TComponent* owner) : TGraphicControl(owner)
{
  SetBounds(0, 0, 100, 20);
  SetParentColor(true);
  FControlStyle.Exclude(TControlStyleFlag::csOpaque);
  FControlStyle.Include(TControlStyleFlag::csNoDesignVisible);
  FFillColor = Color();
  FNormalTextColor = FActiveTextColor = Font()->Color();
  // Every pane is registered, blinking or not, so that Blinking takes effect at the next phase.
  if (TRzBlinkingControlsList* list = BlinkingControlsList()) list->AddControl(this);
}

void TRzCustomStatusPane::BeforeDestruction()
{
  SetFrameController(nullptr);
  if (TRzBlinkingControlsList* list = PeekBlinkingControlsList()) {
    list->RemoveControl(this);
    ReleaseBlinkListWhenEmpty();
  }
  TGraphicControl::BeforeDestruction();
}

template <class T>
void TRzCustomStatusPane::Change(T& field, const T& value)
{
  if (field == value) return;
  field = value;
  Invalidate();
}

void TRzCustomStatusPane::SetAlignment(TAlignment value) { Change(FAlignment, value); }
void TRzCustomStatusPane::SetBlinkColor(TColor value) { Change(FBlinkColor, value); }
void TRzCustomStatusPane::SetBorderWidth(int value) { Change(FBorderWidth, std::max(value, 0)); }
void TRzCustomStatusPane::SetFlatColor(TColor value) { Change(FFlatColor, value); }
void TRzCustomStatusPane::SetFlatColorAdjustment(int value) { Change(FFlatColorAdjustment, value); }
void TRzCustomStatusPane::SetFrameStyle(TFrameStyle value) { Change(FFrameStyle, value); }

void TRzCustomStatusPane::SetAutoSize(bool value)
{
  SetAndNotify(FAutoSize, value, [this] { AdjustSize(); });
}

void TRzCustomStatusPane::SetDefaultWidth(int value)
{
  SetAndNotify(FDefaultWidth, value, [this] { AdjustSize(); });
}

void TRzCustomStatusPane::SetCaptionOffset(int value)
{
  SetAndNotify(FCaptionOffset, value, [this] {
    Invalidate();
    AdjustSize();
  });
}

void TRzCustomStatusPane::SetFillColor(TColor value)
{
  SetAndNotify(FFillColor, value, [this] {
    FParentFillColor = false;
    Invalidate();
  });
}

void TRzCustomStatusPane::SetParentFillColor(bool value)
{
  SetAndNotify(FParentFillColor, value, [this] {
    if (Parent() && !ComponentState().Contains(TComponentStateFlag::csReading)) Perform(CM_PARENTCOLORCHANGED);
  });
}

void TRzCustomStatusPane::SetTransparent(bool value)
{
  SetAndNotify(FTransparent, value, [&] {
    FControlStyle.IncludeIf(TControlStyleFlag::csOpaque, !value);
    Invalidate();
  });
}

void TRzCustomStatusPane::SetFrameController(TRzFrameController* value)
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

void TRzCustomStatusPane::Notification(TComponent* component, TOperation operation)
{
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFrameController) FFrameController = nullptr;
}

void TRzCustomStatusPane::ApplyFrameControllerSettings()
{
  TRzFrameController* controller = FFrameController;
  if (!controller || !controller->FrameVisible()) return;
  using enum TRzFrameControllerProperty;
  if (FFrameControllerNotifications.Contains(fcpFrameStyle)) SetFrameStyle(controller->FrameStyle());
  if (FFrameControllerNotifications.Contains(fcpFrameColor)) {
    SetFlatColor(controller->FrameColor());
    SetFlatColorAdjustment(0);
  }
  if (FFrameControllerNotifications.Contains(fcpColor)) SetFillColor(controller->Color());
  if (FFrameControllerNotifications.Contains(fcpParentColor)) SetParentColor(controller->ParentColor());
  Invalidate();
}

// ----- blinking -----------------------------------------------------------------------------

int TRzCustomStatusPane::BlinkIntervalOff() const
{
  const TRzBlinkingControlsList* list = PeekBlinkingControlsList();
  return list ? list->BlinkIntervalOff() : 500;
}

void TRzCustomStatusPane::SetBlinkIntervalOff(int value)
{
  if (TRzBlinkingControlsList* list = PeekBlinkingControlsList())
    list->SetBlinkIntervalOff(static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)));
}

int TRzCustomStatusPane::BlinkIntervalOn() const
{
  const TRzBlinkingControlsList* list = PeekBlinkingControlsList();
  return list ? list->BlinkIntervalOn() : 500;
}

void TRzCustomStatusPane::SetBlinkIntervalOn(int value)
{
  if (TRzBlinkingControlsList* list = PeekBlinkingControlsList())
    list->SetBlinkIntervalOn(static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)));
}

void TRzCustomStatusPane::SetBlinking(bool value)
{
  SetAndNotify(FBlinking, value, [&] {
    if (!value) {
      FBlinkOn = false;
      FActiveTextColor = FNormalTextColor;
      Repaint();
    }
  });
}

void TRzCustomStatusPane::SetBlinkState(bool on)
{
  FBlinkOn = on;
  FActiveTextColor = on ? FBlinkColor : FNormalTextColor;
  Repaint();
}

void TRzCustomStatusPane::RZMQueryBlinking(TMessage& msg) { msg.Result = FBlinking ? 1 : 0; }

void TRzCustomStatusPane::RZMSetBlinkState(TMessage& msg)
{
  if (FBlinking) SetBlinkState(msg.WParam != 0);
}

// ----- size ---------------------------------------------------------------------------------

int TRzCustomStatusPane::GetAutoWidth()
{
  const std::string caption = Caption();
  if (caption.empty()) return FDefaultWidth;
  RECT r = ClientRect();
  Canvas()->SetFont(Font());
  DrawTextOnCanvas(Canvas(), caption, r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  return (r.right - r.left) + 2 * FBorderWidth + FCaptionOffset + 6;
}

void TRzCustomStatusPane::AdjustSize()
{
  if (IsLoading() || !FAutoSize) return;
  int width;
  {
    TScreenDC screen;
    TCanvasDCScope scope(Canvas(), screen);
    width = GetAutoWidth();
  }
  SetWidth(width);
}

RECT TRzCustomStatusPane::GetCaptionRect() const
{
  RECT r = ClientRect();
  const int inset = FBorderWidth + PaneFrameThickness(FFrameStyle);
  InflateRect(&r, -inset, -inset);
  return r;
}

// ----- painting -----------------------------------------------------------------------------

TRzStatusBar* TRzCustomStatusPane::StatusBar() const { return dynamic_cast<TRzStatusBar*>(Parent()); }

bool TRzCustomStatusPane::IsThemedInStatusBar() const
{
  const TRzStatusBar* bar = StatusBar();
  return bar && bar->IsThemed();
}

void TRzCustomStatusPane::Paint()
{
  DrawFrame();
  DrawCaption(Caption());
}

void TRzCustomStatusPane::DrawFrame()
{
  TCanvas* canvas = Canvas();
  if (IsThemedInStatusBar()) {
    const RECT client = ClientRect();
    dxUxTheme::DrawThemeBackground(StatusBarTheme(), canvas->Handle(), StatusPartPane, 0, &client, nullptr);
    return;
  }
  RECT r{0, 0, Width(), Height()};
  if (!FTransparent) {
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  canvas->Pen()->SetWidth(1);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);

  const TRzStatusBar* bar = StatusBar();
  if (bar && bar->VisualStyle() == TRzVisualStyle::vsGradient) {
    // On a gradient the panes are parted by lines only, and the first pane has none.
    if (Left() <= bar->BorderWidth()) return;
    TColor dark, light, line;
    GetSchemeStatusColors(bar->GradientColorStyle(), dark, light, line);
    canvas->Pen()->SetStyle(TPenStyle::psSolid);
    canvas->Pen()->SetColor(line);
    canvas->MoveTo(r.left, r.top + 1);
    canvas->LineTo(r.left, r.bottom - 1);
    return;
  }
  if (FFrameStyle == TFrameStyleEx::fsFlat)
    DrawFlatFrameWithoutCorners(canvas, r, AdjustColorLightness(FFlatColor, FFlatColorAdjustment));
  else
    DrawFrameStyle(canvas, r, FFrameStyle);
}

void TRzCustomStatusPane::DrawCaption(const std::string& text)
{
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  canvas->Font()->SetColor(FActiveTextColor);
  const RECT r = GetCaptionRect();

  TAlignment alignment = FAlignment;
  if (UseRightToLeftAlignment()) {
    if (alignment == taLeftJustify)
      alignment = taRightJustify;
    else if (alignment == taRightJustify)
      alignment = taLeftJustify;
  }
  UINT textAlign = TA_LEFT;
  int x = r.left + FCaptionOffset + 1;
  if (alignment == taRightJustify) {
    textAlign = TA_RIGHT;
    x = r.right - FCaptionOffset - 1;
  } else if (alignment == taCenter) {
    textAlign = TA_CENTER;
    x = r.left + (r.right - r.left) / 2;
  }
  const int y = r.top + (r.bottom - r.top - canvas->TextHeight("Pp")) / 2;

  if (const TRzStatusBar* bar = StatusBar(); bar && IsThemedInStatusBar()) {
    // The bar's themed background under the caption, from a picture of the whole bar.
    TOwned<TBitmap> background = MakeOwned<TBitmap>();
    background->SetSize(bar->Width(), bar->Height());
    const RECT all{0, 0, bar->Width(), bar->Height()};
    dxUxTheme::DrawThemeBackground(StatusBarTheme(), background->Canvas()->Handle(), StatusPartBackground, 0, &all,
                                   nullptr);
    RECT source = r;
    OffsetRect(&source, Left(), Top());
    canvas->CopyRect(r, background->Canvas(), source);
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  } else if (FTransparent) {
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  } else {
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(FFillColor);
  }
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  const HDC dc = canvas->Handle();
  const UINT oldAlign = SetTextAlign(dc, textAlign | TA_TOP);
  canvas->TextRect(r, x, y, text);
  SetTextAlign(dc, oldAlign);
}

// ----- messages -----------------------------------------------------------------------------

void TRzCustomStatusPane::CMTextChanged(TMessage&)
{
  Invalidate();
  AdjustSize();
}

void TRzCustomStatusPane::CMFontChanged(TMessage& msg)
{
  Inherited<TRzCustomStatusPane>(msg);
  if (IsLoading()) return;
  FNormalTextColor = Font()->Color();
  if (!FBlinking) FActiveTextColor = FNormalTextColor;
  AdjustSize();
}

void TRzCustomStatusPane::CMColorChanged(TMessage& msg)
{
  Inherited<TRzCustomStatusPane>(msg);
  if (FParentFillColor) FFillColor = Color();
  Invalidate();
}

bool TRzCustomStatusPane::IsUnderSizeGrip(const RECT& r) const
{
  TRzStatusBar* bar = StatusBar();
  if (!bar || !bar->ShowSizeGrip()) return false;
  const POINT paneRight = ClientToScreen(POINT{r.right, r.top});
  const RECT barClient = bar->ClientRect();
  const POINT barRight = bar->ClientToScreen(POINT{barClient.right, barClient.top});
  return paneRight.x >= barRight.x;
}

void TRzCustomStatusPane::CMHitTest(TMessage& msg)
{
  Inherited<TRzCustomStatusPane>(msg);
  // Where the bar's size grip lies under the pane the pane is not hit, so that the mouse reaches
  // the bar and its grip stays usable.
  TRzStatusBar* bar = StatusBar();
  if (!bar || !IsUnderSizeGrip(ClientRect()) || !bar->SizeGripValid()) return;
  const POINT inBar{msg.XPos() + Left(), msg.YPos() + Top()};
  const RECT grip = bar->SizeGripArea();
  if (PtInRect(&grip, inBar)) msg.Result = HTNOWHERE;
}

void TRzCustomStatusPane::CMMouseEnter(TMessage& msg)
{
  if (IsDesigning()) return;
  Inherited<TRzCustomStatusPane>(msg);
}

void TRzCustomStatusPane::CMMouseLeave(TMessage& msg) { Inherited<TRzCustomStatusPane>(msg); }

bool TRzCustomStatusPane::ExecuteAction(TBasicAction* action)
{
  if (FAutoHint) {
    if (auto* hint = dynamic_cast<THintAction*>(action)) {
      SetCaption(hint->Hint());
      return true;
    }
  }
  return TGraphicControl::ExecuteAction(action);
}

void TRzCustomStatusPane::Loaded()
{
  TGraphicControl::Loaded();
  if (!ParentColor()) SetTransparent(false);
  FNormalTextColor = FActiveTextColor = Font()->Color();
  AdjustSize();
}

// ----- the unit -----------------------------------------------------------------------------

namespace {
void InitializeUnit() { RegisterClass(TRzStatusPane::StaticClass()); }
void FinalizeUnit() { UnRegisterClass(TRzStatusPane::StaticClass()); }

const TUnit* const Uses[] = {&UnitRzPanel};
}  // namespace

TUnit UnitRzStatus{"RzStatus", Uses, InitializeUnit, FinalizeUnit};
