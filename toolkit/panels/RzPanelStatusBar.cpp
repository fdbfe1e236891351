#include "toolkit/panels/RzPanelStatusBar.h"

#include <cmath>
#include "classlib/Forms.h"
#include "classlib/TypInfo.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
// The parts of the visual style's status-bar class.
constexpr int StatusPartBackground = 0;
constexpr int StatusPartPane = 1;
constexpr int StatusPartGripper = 3;

// The border properties are stored whatever their value: whether AutoStyle survives loading
// depends on them.
template <auto Get, auto Set>
constexpr TPropInfo AlwaysStored(const char* name, TPropKind kind, const TEnumInfo* info = nullptr)
{
  return OrdProp<Get, Set>(name, kind, info);
}

using TSB = TRzStatusBar;
constexpr TPropInfo StatusBarProps[] = {
  EnumProp<&TSB::Align, &TSB::SetAlign>("Align", AlignInfo, static_cast<int>(alBottom)),
  BoolProp<&TSB::AutoScalePanes, &TSB::SetAutoScalePanes>("AutoScalePanes", false),
  BoolProp<&TSB::AutoStyle, &TSB::SetAutoStyle>("AutoStyle", true),
  BoolProp<&TSB::ShowSizeGrip, &TSB::SetShowSizeGrip>("ShowSizeGrip", true),
  StrProp<&TSB::SimpleCaption, &TSB::SetSimpleCaption>("SimpleCaption"),
  EnumProp<&TSB::SimpleFrameStyle, &TSB::SetSimpleFrameStyle>("SimpleFrameStyle", FrameStyleInfo,
                                                              static_cast<int>(TFrameStyleEx::fsFlat)),
  BoolProp<&TSB::SimpleStatus, &TSB::SetSimpleStatus>("SimpleStatus", false),
  AlwaysStored<&TSB::BorderInner, &TRzCustomPanel::SetBorderInner>("BorderInner", TPropKind::Enumeration,
                                                                    &FrameStyleExInfo),
  AlwaysStored<&TSB::BorderOuter, &TRzCustomPanel::SetBorderOuter>("BorderOuter", TPropKind::Enumeration,
                                                                    &FrameStyleExInfo),
  AlwaysStored<&TSB::BorderSides, &TRzCustomPanel::SetBorderSides>("BorderSides", TPropKind::Set, &SideInfo),
  AlwaysStored<&TSB::BorderWidth, &TSB::SetBorderWidth>("BorderWidth", TPropKind::Integer),
  ColorProp<&TSB::BorderColor, &TSB::SetBorderColor>("BorderColor", clBtnFace),
  IntProp<&TSB::BevelWidth, &TSB::SetBevelWidth>("BevelWidth", 1),
  ColorProp<&TSB::Color, &TSB::SetColor>("Color", clBtnFace),
  ColorProp<&TSB::FlatColor, &TSB::SetFlatColor>("FlatColor", clBtnShadow),
  IntProp<&TSB::FlatColorAdjustment, &TSB::SetFlatColorAdjustment>("FlatColorAdjustment", 30),
  EnumProp<&TSB::GradientColorStyle, &TSB::SetGradientColorStyle>(
      "GradientColorStyle", RzGradientColorStyleInfo, static_cast<int>(TRzGradientColorStyle::gcsSystem)),
  ColorProp<&TSB::GradientColorStart, &TSB::SetGradientColorStart>("GradientColorStart", clWhite),
  ColorProp<&TSB::GradientColorStop, &TSB::SetGradientColorStop>("GradientColorStop", clBtnFace),
  EnumProp<&TSB::GradientDirection, &TSB::SetGradientDirection>(
      "GradientDirection", GradientDirectionInfo, static_cast<int>(TGradientDirection::gdHorizontalEnd)),
  EnumProp<&TSB::VisualStyle, &TSB::SetVisualStyle>("VisualStyle", RzVisualStyleInfo,
                                                     static_cast<int>(TRzVisualStyle::vsWinXP)),
  BoolProp<&TSB::FullRepaint, &TSB::SetFullRepaint>("FullRepaint", true),
  BoolProp<&TSB::Locked, &TSB::SetLocked>("Locked", false),
  IntProp<&TSB::Height, &TSB::SetHeight>("Height", 19),
  ComponentProp<&TSB::FrameController, &TSB::SetFrameController>("FrameController"),
  SetProp<&TSB::FrameControllerNotifications, &TSB::SetFrameControllerNotifications>(
      "FrameControllerNotifications", RzFrameControllerPropertyConnectionInfo, fcpAllNotifications.ToInt()),
  EventProp<&TSB::OnPaint, &TSB::SetOnPaint>("OnPaint"),
};
}  // namespace

CL_MESSAGE_MAP(TRzStatusBar,
  {WM_SETCURSOR, &TRzStatusBar::WMSetCursor},
  {WM_PAINT, &TRzStatusBar::WMPaint});
CL_DEFINE_CLASS(TRzStatusBar, .Props = StatusBarProps);

HTHEME StatusBarTheme()
{
  if (!AreThemesEnabled()) return nullptr;
  return GetThemeHandle(TdxThemedObjectType::totStatus);
}

TRzStatusBar::TRzStatusBar(TComponent* owner)
    : TRzCustomPanel(owner), FSizeGripCanvas(MakeOwned<TControlCanvas>())
{
  FSizeGripCanvas->SetControl(this);
  SetAlign(alBottom);
  ApplyDefaultLayout();
  // The sizes set while the bar is made are not the first resize that AutoScalePanes measures from.
  FFirstResize = true;
  FLastWidth = 0;
}

void TRzStatusBar::ApplyDefaultLayout()
{
  const bool autoStyle = FAutoStyle;
  SetBorderInner(TFrameStyleEx::fsNone);
  SetBorderOuter(TFrameStyleEx::fsNone);
  SetBorderSides(sdAllSides);
  SetHeight(19);
  SetBorderWidth(0);
  FAutoStyle = autoStyle;
}

void TRzStatusBar::Loaded()
{
  TRzCustomPanel::Loaded();
  if (FAutoStyle) ApplyDefaultLayout();
}

void TRzStatusBar::SetBorderInner(TFrameStyleEx value)
{
  if (value == BorderInner()) return;
  TRzCustomPanel::SetBorderInner(value);
  FAutoStyle = false;
}

void TRzStatusBar::SetBorderOuter(TFrameStyleEx value)
{
  if (value == BorderOuter()) return;
  TRzCustomPanel::SetBorderOuter(value);
  FAutoStyle = false;
}

void TRzStatusBar::SetBorderSides(TSides value)
{
  if (value == BorderSides()) return;
  TRzCustomPanel::SetBorderSides(value);
  FAutoStyle = false;
}

void TRzStatusBar::SetSimpleStatus(bool value)
{
  SetAndNotify(FSimpleStatus, value, [&] {
    DisableAlign();
    try {
      for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        // In the designer hidden panes vanish too.
        if (IsDesigning()) {
          TControlStyle style = child->ControlStyle();
          style.Include(TControlStyleFlag::csNoDesignVisible);
          child->SetControlStyle(style);
        }
        child->SetVisible(!value);
      }
    } catch (...) {
      EnableAlign();
      throw;
    }
    EnableAlign();
    Invalidate();
  });
}

void TRzStatusBar::SetSimpleCaption(const std::string& value)
{
  SetAndNotify(FSimpleCaption, value, [this] { Invalidate(); });
}

void TRzStatusBar::SetSimpleFrameStyle(TFrameStyle value)
{
  SetAndNotify(FSimpleFrameStyle, value, [this] { Invalidate(); });
}

void TRzStatusBar::SetShowSizeGrip(bool value)
{
  SetAndNotify(FShowSizeGrip, value, [this] {
    UpdateSizeGripValid();
    Invalidate();
  });
}

void TRzStatusBar::UpdateSizeGripValid()
{
  TCustomForm* form = GetParentForm();
  FSizeGripValid = form &&
                   (form->BorderStyle() == TFormBorderStyle::bsSizeable ||
                    form->BorderStyle() == TFormBorderStyle::bsSizeToolWin) &&
                   form->WindowState() != TWindowState::wsMaximized;
}

void TRzStatusBar::CreateWnd()
{
  TRzCustomPanel::CreateWnd();
  UpdateSizeGripValid();
}

bool TRzStatusBar::IsThemed() const { return VisualStyle() == TRzVisualStyle::vsWinXP && StatusBarTheme(); }

RECT TRzStatusBar::ClientRect() const
{
  RECT r = TRzCustomPanel::ClientRect();
  if (!AreThemesEnabled()) {
    // The classic panes overlap the bar's edges by a pixel at the sides and the bottom.
    r.bottom += 1;
    if (FSimpleStatus) {
      r.top = 2;
    } else {
      r.top = 1;
      r.left -= 1;
      r.right += 1;
    }
  } else if (FSimpleStatus) {
    r.left += 1;
    r.top += 1;
    r.right -= 1;
  }
  return r;
}

void TRzStatusBar::GetGradientColors(TColor& start, TColor& stop) const
{
  if (GradientColorStyle() == TRzGradientColorStyle::gcsCustom) {
    start = GradientColorStop();
    stop = GradientColorStart();
    return;
  }
  TColor line;
  GetSchemeStatusColors(GradientColorStyle(), start, stop, line);
}

// ----- painting -----------------------------------------------------------------------------

void TRzStatusBar::Paint()
{
  TCanvas* canvas = Canvas();
  if (HTHEME theme = VisualStyle() == TRzVisualStyle::vsWinXP ? StatusBarTheme() : nullptr) {
    const RECT all{0, 0, Width(), Height()};
    dxUxTheme::DrawThemeBackground(theme, canvas->Handle(), StatusPartBackground, 0, &all, nullptr);
    if (FSimpleStatus && !FSimpleCaption.empty()) {
      canvas->SetFont(Font());
      const RECT client = ClientRect();
      DrawThemeTextAnsi(theme, canvas->Handle(), StatusPartBackground, 0, FSimpleCaption,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, 0, &client);
    }
    return;
  }
  TRzCustomPanel::Paint();
  if (!FSimpleStatus) return;
  RECT r = ClientRect();
  r.bottom -= 1;
  DrawStatusBackground(r);
  InflateRect(&r, -1, -1);
  if (FSimpleCaption.empty()) return;
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  const int textHeight = canvas->TextHeight("Pp");
  canvas->TextRect(r, r.left + 2, r.top + (r.bottom - r.top - textHeight) / 2, FSimpleCaption);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TRzStatusBar::DrawStatusBackground(const RECT& r)
{
  TCanvas* canvas = Canvas();
  if (IsThemed()) {
    dxUxTheme::DrawThemeBackground(StatusBarTheme(), canvas->Handle(), StatusPartPane, 0, &r, nullptr);
    return;
  }
  if (VisualStyle() != TRzVisualStyle::vsClassic) return;
  if (FSimpleFrameStyle == TFrameStyleEx::fsFlat)
    DrawFlatFrameWithoutCorners(canvas, r, AdjustColorLightness(FlatColor(), FlatColorAdjustment()));
  else
    DrawFrameStyle(canvas, r, FSimpleFrameStyle);
}

void TRzStatusBar::DrawSizeGrip(TCanvas* canvas, const RECT& r)
{
  if (IsThemed()) {
    const RECT grip{r.right - 20, r.top, r.right, r.bottom};
    dxUxTheme::DrawThemeBackground(StatusBarTheme(), canvas->Handle(), StatusPartGripper, 0, &grip, nullptr);
    return;
  }
  TColor light = clBtnHighlight, dark = clBtnShadow;
  if (VisualStyle() == TRzVisualStyle::vsGradient) {
    TColor unused;
    GetSchemeStatusColors(GradientColorStyle(), unused, light, dark);
  }
  // Six 2 x 2 dots in a triangle, light ones and then dark ones a pixel up and to the left.
  static constexpr POINT Dots[] = {{5, 12}, {5, 8}, {5, 4}, {9, 8}, {9, 4}, {13, 4}};
  auto drawDots = [&](TColor color, int shift) {
    canvas->Pen()->SetStyle(TPenStyle::psSolid);
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(color);
    for (const POINT& d : Dots) {
      const int x = r.right - d.x - shift, y = r.bottom - d.y - shift;
      canvas->Rectangle(x, y, x + 2, y + 2);
    }
  };
  drawDots(light, 0);
  drawDots(dark, 1);
}

void TRzStatusBar::WMPaint(TMessage& msg)
{
  UpdateSizeGripValid();
  Inherited<TRzStatusBar>(msg);
  if (!FShowSizeGrip || !FSizeGripValid) return;
  // Over the panes, which the normal painting has drawn.
  RECT r = ClientRect();
  r.bottom -= 1;
  if (msg.WParam) {
    TCanvasDCScope scope(FSizeGripCanvas.get(), reinterpret_cast<HDC>(msg.WParam));
    DrawSizeGrip(FSizeGripCanvas.get(), r);
  } else if (HandleAllocated()) {
    TCanvasLock lock(FSizeGripCanvas.get());
    DrawSizeGrip(FSizeGripCanvas.get(), r);
    FSizeGripCanvas->FreeHandle();
  }
}

// ----- the size grip's mouse ----------------------------------------------------------------

void TRzStatusBar::WndProc(TMessage& msg)
{
  if (msg.Msg == WM_LBUTTONDOWN && !IsDesigning() && FShowSizeGrip && FSizeGripValid) {
    const RECT grip = SizeGripArea();
    if (PtInRect(&grip, msg.Pos())) {
      ReleaseCapture();
      if (TCustomForm* form = GetParentForm())
        SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, 0);
      return;
    }
  }
  TRzCustomPanel::WndProc(msg);
}

void TRzStatusBar::WMSetCursor(TMessage& msg)
{
  // The sizing cursor only where a click would size the form.
  if (!IsDesigning() && Screen && FShowSizeGrip && FSizeGripValid) {
    const RECT grip = SizeGripArea();
    POINT p{};
    GetCursorPos(&p);
    if (PtInRect(&grip, ScreenToClient(p))) {
      ::SetCursor(Screen->Cursors(crSizeNWSE));
      msg.Result = 1;
      return;
    }
  }
  Inherited<TRzStatusBar>(msg);
}

// ----- pane scaling -------------------------------------------------------------------------

void TRzStatusBar::Resize()
{
  TRzCustomPanel::Resize();
  if (Width() < 50) return;
  if (FFirstResize) {
    FFirstResize = false;
    FLastWidthChange = 0;
    FLastWidth = Width();
  } else {
    FLastWidthChange = Width() - FLastWidth;
  }
  const int count = ControlCount();
  if (FAutoScalePanes && count > 0 && FLastWidthChange != 0) {
    DisableAlign();
    try {
      for (int i = 0; i < count; ++i) {
        TControl* child = Controls(i);
        const float ratio = FLastWidth > 0 ? static_cast<float>(child->Width()) / static_cast<float>(FLastWidth)
                                           : 1.0f / static_cast<float>(count);
        // Rounded to the nearest whole pixel, halves to the even one.
        child->SetWidth(child->Width() +
                        static_cast<int>(std::nearbyint(static_cast<double>(FLastWidthChange) * ratio)));
      }
    } catch (...) {
      EnableAlign();
      throw;
    }
    EnableAlign();
  }
  FLastWidth = Width();
}
