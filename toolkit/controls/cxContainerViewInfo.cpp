#include "toolkit/controls/cxContainerViewInfo.h"

#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxDWMApi.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControlsControl.h"

namespace {
// Theme property numbers of the border and fill colours.
constexpr int cxThemeBorderColorProperty = 3801;
constexpr int cxThemeFillColorProperty = 3802;
}  // namespace

CL_DEFINE_CLASS(TcxContainerViewInfo);

TcxContainerViewInfo::TcxContainerViewInfo() = default;

void TcxContainerViewInfo::DrawBorder(TcxCanvas* Canvas, const RECT& R)
{
  if (Painter) Painter->DrawContainerBorder(Canvas, R, BorderStyle, BorderWidth, BorderColor, Edges);
}

void TcxContainerViewInfo::Assign(TObject* Source)
{
  if (auto* source = dynamic_cast<TcxContainerViewInfo*>(Source)) ClientRect = source->ClientRect;
}

TOwned<TcxRegion> TcxContainerViewInfo::CreateUpdateRegion(TcxContainerViewInfo*) { return MakeOwned<TcxRegion>(); }

void TcxContainerViewInfo::ShiftBy(int DX, int DY)
{
  BorderRect = OffsetRectXY(BorderRect, DX, DY);
  Bounds = OffsetRectXY(Bounds, DX, DY);
  ClientRect = OffsetRectXY(ClientRect, DX, DY);
}

bool TcxContainerViewInfo::TakePainterFromStyle(TcxContainerStyle* Style)
{
  TcxLookAndFeel* lookAndFeel = Style ? Style->LookAndFeel() : nullptr;
  Painter = lookAndFeel ? lookAndFeel->Painter() : nullptr;
  IsSkinned = lookAndFeel && lookAndFeel->SkinPainter() != nullptr;
  return IsSkinned;
}

void TcxContainerViewInfo::DrawContent(TcxCanvas* Canvas)
{
  if (NativeStyle)
    DrawNativeContent(Canvas);
  else
    DrawPlainContent(Canvas);
}

void TcxContainerViewInfo::DrawShadowAndBorder(TcxCanvas* Canvas)
{
  // The border's outer rectangle: a missing left or top edge still lies one width outside (beyond
  // the bounds, where the border extent is 0); missing right and bottom edges follow after the
  // shadow, which hangs off the drawn sides only.
  RECT r = GrowRectByEdges(BorderRect, BorderWidth, Edges + TcxBorders{TcxBorder::bLeft, TcxBorder::bTop});
  if (Shadow) PaintContainerShadow(Canvas, r);
  if (!Edges.Contains(TcxBorder::bRight)) r.right += BorderWidth;
  if (!Edges.Contains(TcxBorder::bBottom)) r.bottom += BorderWidth;
  DrawBorder(Canvas, r);
}

void TcxContainerViewInfo::DrawPlainContent(TcxCanvas* Canvas)
{
  DrawShadowAndBorder(Canvas);
  Canvas->FillRectWithColor(BorderRect, BackgroundColor);
}

void TcxContainerViewInfo::DrawNativeContent(TcxCanvas* Canvas)
{
  if (BorderStyle == cbsNone) {
    Canvas->FillRectWithColor(Bounds, BackgroundColor);
    return;
  }
  RECT content = Bounds;
  if (HTHEME theme = GetThemeHandle(ThemedObjectType))
    dxUxTheme::GetThemeBackgroundContentRect(theme, Canvas->GetDCHandle(), 1, NativeState, &Bounds, &content);
  Canvas->FillRectWithColor(content, BackgroundColor);
  // The themed border colour: of a list box under composition, else of a combo box.
  const bool composition = cxIsCompositionOn();
  const TdxThemedObjectType borderType = composition ? TdxThemedObjectType::totListBox : TdxThemedObjectType::totComboBox;
  COLORREF border = ColorToRGB(clWindowFrame);
  if (HTHEME theme = GetThemeHandle(borderType))
    dxUxTheme::GetThemeColor(theme, composition ? 3 : 1, 1, cxThemeBorderColorProperty, &border);
  FillRectOutside(Canvas, Bounds, content, static_cast<TColor>(border));
}

// --- Shadow and window regions ---

void PaintContainerShadow(TcxCanvas* Canvas, const RECT& R)
{
  constexpr int w = cxContainerShadowWidth;
  const RECT below{R.left + w, R.bottom, R.right, R.bottom + w};
  const RECT right{R.right, R.top + w, R.right + w, R.bottom + w};
  Canvas->FillRectWithColor(below, clBtnShadow);
  Canvas->ExcludeRectFromClip(below);
  Canvas->FillRectWithColor(right, clBtnShadow);
  Canvas->ExcludeRectFromClip(right);
}

TOwned<TcxRegion> CreateShadowWindowRegion(HWND, const RECT& R, const RECT& Inset, const RECT& Exclude,
                                           bool HasShadow, bool NativeBorder)
{
  if (!HasShadow || NativeBorder) return {};
  auto region = MakeOwned<TcxRegion>(R);
  region->CombineWith(MakeOwned<TcxRegion>(OffsetRectXY(R, cxContainerShadowWidth, cxContainerShadowWidth)), roAdd);
  const RECT box = region->BoundsRect();
  const RECT inner{box.left + Inset.left, box.top + Inset.top, box.right - Inset.right, box.bottom - Inset.bottom};
  if (!RectsEqual(inner, box)) region->CombineWith(MakeOwned<TcxRegion>(inner), roIntersect);
  if (!IsRectEmpty(&Exclude)) region->CombineWith(MakeOwned<TcxRegion>(Exclude), roSubtract);
  return region;
}

bool IsWindowRegionChanged(HWND Wnd, const TcxRegion* New)
{
  auto current = MakeOwned<TcxRegion>();
  const int kind = GetWindowRgn(Wnd, current->Handle());
  const bool hasRegion = kind == SIMPLEREGION || kind == COMPLEXREGION;
  if (!New) return hasRegion;
  // A window without a region compares as the empty region.
  if (!hasRegion) return !New->IsEmptyRegion();
  return !New->SameAs(current.get());
}

bool ApplyWindowRegion(HWND Wnd, TOwned<TcxRegion> Region)
{
  if (!Wnd || !IsWindowRegionChanged(Wnd, Region.get())) return false;
  HRGN handle = nullptr;
  if (Region) {
    // The window owns the region from now on.
    handle = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(handle, Region->Handle(), nullptr, RGN_COPY);
  }
  if (!SetWindowRgn(Wnd, handle, TRUE) && handle) DeleteObject(handle);
  return true;
}

void SetShadowWindowRegion(HWND Wnd, const RECT& R, const RECT& Inset, const RECT& Exclude, bool HasShadow,
                           bool NativeBorder)
{
  ApplyWindowRegion(Wnd, CreateShadowWindowRegion(Wnd, R, Inset, Exclude, HasShadow, NativeBorder));
}

// --- Painting on glass ---

void PaintWindowOnGlass(HDC DC, const RECT& R, HWND Wnd, bool PrintOnly)
{
  if (IsRectEmpty(&R)) return;
  HDC bufferDC = nullptr;
  HPAINTBUFFER buffer = dxUxTheme::BeginBufferedPaint(DC, &R, BPBF_TOPDOWNDIB, nullptr, &bufferDC);
  if (!buffer) return;
  const auto dc = reinterpret_cast<WPARAM>(bufferDC);
  if (!PrintOnly) SendMessageA(Wnd, WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
  SendMessageA(Wnd, WM_PRINTCLIENT, dc, PRF_CLIENT);
  dxUxTheme::BufferedPaintSetAlpha(buffer, &R, 255);
  if (!PrintOnly) HideCaret(Wnd);
  dxUxTheme::EndBufferedPaint(buffer, TRUE);
  if (!PrintOnly) ShowCaret(Wnd);
}

void RepaintWindowOnGlass(HWND Wnd, bool PrintOnly)
{
  HDC dc = GetDC(Wnd);
  if (!dc) return;
  RECT r{};
  GetClientRect(Wnd, &r);
  PaintWindowOnGlass(dc, r, Wnd, PrintOnly);
  ReleaseDC(Wnd, dc);
}

void PaintWindowOnGlassFromPaint(HWND Wnd)
{
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(Wnd, &paint);
  PaintWindowOnGlass(dc, paint.rcPaint, Wnd);
  EndPaint(Wnd, &paint);
}

// --- Small helpers ---

RECT GrowRectByEdges(const RECT& R, int W, TcxBorders Edges)
{
  RECT r = R;
  if (Edges.Contains(TcxBorder::bLeft)) r.left -= W;
  if (Edges.Contains(TcxBorder::bTop)) r.top -= W;
  if (Edges.Contains(TcxBorder::bRight)) r.right += W;
  if (Edges.Contains(TcxBorder::bBottom)) r.bottom += W;
  return r;
}

RECT ShrinkRectByMissingEdges(const RECT& R, int W, TcxBorders Edges)
{
  RECT r = R;
  if (!Edges.Contains(TcxBorder::bLeft)) r.left += W;
  if (!Edges.Contains(TcxBorder::bTop)) r.top += W;
  if (!Edges.Contains(TcxBorder::bRight)) r.right -= W;
  if (!Edges.Contains(TcxBorder::bBottom)) r.bottom -= W;
  return r;
}

int ContainerBorderWidthForStyle(TcxContainerBorderStyle BorderStyle)
{
  TcxLookAndFeelPaintersManager* registry = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* standard = registry ? registry->GetPainterByStyle(cpsStandard) : nullptr;
  return standard ? standard->ContainerBorderWidth(BorderStyle) : 0;
}

RECT GetControlBoundsAtOrigin(TControl* Control) { return RECT{0, 0, Control->Width(), Control->Height()}; }

void FillRectOutside(TcxCanvas* Canvas, const RECT& Outer, const RECT& Inner, TColor Color)
{
  if (IsRectEmpty(&Outer) || RectsEqual(Outer, Inner)) return;
  if (IsRectEmpty(&Inner)) {
    Canvas->FillRectWithColor(Outer, Color);
    return;
  }
  Canvas->FillRectWithColor(RECT{Outer.left, Outer.top, Inner.left, Outer.bottom}, Color);
  Canvas->FillRectWithColor(RECT{Inner.left, Outer.top, Inner.right, Inner.top}, Color);
  Canvas->FillRectWithColor(RECT{Inner.right, Outer.top, Outer.right, Outer.bottom}, Color);
  Canvas->FillRectWithColor(RECT{Inner.left, Inner.bottom, Inner.right, Outer.bottom}, Color);
}

void InvalidateRectOutside(HWND Wnd, const RECT& Outer, const RECT& Inner, bool Erase)
{
  if (!Wnd || IsRectEmpty(&Outer) || RectsEqual(Outer, Inner)) return;
  if (IsRectEmpty(&Inner)) {
    InvalidateRect(Wnd, &Outer, Erase);
    return;
  }
  const RECT bands[] = {{Outer.left, Outer.top, Inner.left, Outer.bottom},
                        {Inner.left, Outer.top, Inner.right, Inner.top},
                        {Inner.right, Outer.top, Outer.right, Outer.bottom},
                        {Inner.left, Inner.bottom, Inner.right, Outer.bottom}};
  for (const RECT& band : bands)
    if (!IsRectEmpty(&band)) InvalidateRect(Wnd, &band, Erase);
}

void InvalidateControlRect(TWinControl* Control, const RECT& R, bool Erase)
{
  if (Control && Control->HandleAllocated()) InvalidateRect(Control->Handle(), &R, Erase);
}

bool IsNativeStyleAvailable(bool NativeStyle, TdxThemedObjectType ThemedObjectType)
{
  return NativeStyle && GetThemeHandle(ThemedObjectType) != nullptr;
}

TcxGetScrollBarInfoFunc cxGetScrollBarInfo = GetScrollBarInfo;

bool IsScrollBarInfoSupported() { return cxGetScrollBarInfo != nullptr; }

bool QueryScrollBarInfo(HWND Wnd, LONG ObjectId, SCROLLBARINFO& Info)
{
  if (!cxGetScrollBarInfo) return false;
  Info = SCROLLBARINFO{};
  Info.cbSize = sizeof(SCROLLBARINFO);
  return cxGetScrollBarInfo(Wnd, ObjectId, &Info) != FALSE;
}

POINT ReadMouseScreenPos()
{
  POINT p{};
  GetCursorPos(&p);
  return p;
}

TShiftState GetKeyboardShiftState()
{
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  // The logical buttons: swapped buttons report the physical ones under VK_LBUTTON and VK_RBUTTON.
  const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  if (GetKeyState(swapped ? VK_RBUTTON : VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(swapped ? VK_LBUTTON : VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}

int MouseButtonToContainerButton(TMouseButton Button)
{
  switch (Button) {
    case mbLeft: return 1;
    case mbRight: return 2;
    case mbMiddle: return 3;
  }
  return 0;
}

bool AreStringsEqual(std::string_view A, std::string_view B, bool CaseSensitive)
{
  if (CaseSensitive)
    return CompareStringA(LOCALE_USER_DEFAULT, 0, A.data(), static_cast<int>(A.size()), B.data(),
                          static_cast<int>(B.size())) == CSTR_EQUAL;
  std::string a(A), b(B);
  if (!a.empty()) CharUpperBuffA(a.data(), static_cast<DWORD>(a.size()));
  if (!b.empty()) CharUpperBuffA(b.data(), static_cast<DWORD>(b.size()));
  return a == b;
}

void AssignFont(TFont* Dest, TFont* Source) { Dest->Assign(Source); }
