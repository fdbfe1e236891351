#pragma once
// The calculated appearance of a container (cxContainer.h) and the geometry behind it:
// TcxContainerViewInfo records bounds, border, client rectangle, colours and native-theme data and
// paints background, border and shadow through the look-and-feel painter. Beside it are the unit's
// routines for the 3-pixel drop shadow, window regions (replaced only when they change), painting
// on a desktop-composition ("glass") surface, and small rectangle and input helpers.
#include <string_view>
#include "classlib/ClassRef.h"
#include "classlib/Controls.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/controls/cxContainerStyle.h"

// The states of a container, a set in one byte: normal 1, active (focused) 2, disabled 4, hot
// (mouse over the content) 8. Editors read them to choose their state style and painter states.
enum class TcxContainerStateFlag { csNormal, csActive, csDisabled, csHotTrack };
using TcxContainerState = TSet<TcxContainerStateFlag>;

// The width of the drop shadow and how far in from the top-left corner it starts.
constexpr int cxContainerShadowWidth = 3;
// The band outside a transparent border and the native theme's border.
constexpr int cxContainerMaxBorderWidth = 2;

class TcxContainerViewInfo : public TObject {
  CL_CLASS(TcxContainerViewInfo, TObject)
public:
  TcxContainerViewInfo();

  TColor BackgroundColor = clWindow;
  TColor BorderColor = clWindowFrame;
  RECT BorderRect{};  // inside the border extent
  TcxContainerBorderStyle BorderStyle = cbsNone;  // the style actually drawn
  int BorderWidth = 0;  // the painter's width for BorderStyle
  RECT Bounds{};  // (0, 0, Width, Height) of the control
  RECT ClientRect{};  // where the inner control goes
  TcxContainerState ContainerState{TcxContainerStateFlag::csNormal};
  TcxBorders Edges;
  // 0 when the active style has no hot tracking, 2 when active or hot, else 1.
  int HotState = 0;
  int NativePart = 0;
  int NativeState = 0;
  bool NativeStyle = false;  // drawn through the visual-styles theme
  TcxCustomLookAndFeelPainter* Painter = nullptr;  // not owned
  bool Shadow = false;
  TdxThemedObjectType ThemedObjectType = TdxThemedObjectType::totEdit;
  bool IsSkinned = false;  // the painter comes from a skin

  // The painter's container border in R.
  virtual void DrawBorder(TcxCanvas* Canvas, const RECT& R);
  virtual TcxContainerBorderStyle GetBorderStyle() const { return BorderStyle; }
  // Background, border and shadow.
  virtual void DrawContent(TcxCanvas* Canvas);
  virtual void AssignBackgroundColor(TColor Color) { BackgroundColor = Color; }
  // Copies the client rectangle of another view info.
  virtual void Assign(TObject* Source);
  // What must be repainted when changing from Other; the base answers an empty region.
  virtual TOwned<TcxRegion> CreateUpdateRegion(TcxContainerViewInfo* Other);
  // Moves the rectangles.
  virtual void ShiftBy(int DX, int DY);
  virtual void Paint(TcxCanvas* Canvas) { DrawContent(Canvas); }
  // Takes the painter of the style's look-and-feel; answers whether it is a skin's.
  virtual bool TakePainterFromStyle(TcxContainerStyle* Style);

protected:
  // The shadow (when there is one) and the border of BorderWidth around BorderRect.
  void DrawShadowAndBorder(TcxCanvas* Canvas);

private:
  void DrawPlainContent(TcxCanvas* Canvas);
  void DrawNativeContent(TcxCanvas* Canvas);
};
// A view-info class as a value: Create() (the record's own constructor).
using TcxContainerViewInfoClass = TClassRef<TcxContainerViewInfo>;

// --- Shadow and window regions ---

// The 3-pixel shadow right of and below R (starting 3 pixels in from its top-left corner), drawn
// in clBtnShadow and excluded from the clip region.
void PaintContainerShadow(TcxCanvas* Canvas, const RECT& R);
// The union of R and R moved by the shadow width, pulled in by Inset and less Exclude (when not
// empty); nullptr without a shadow or with a native border.
TOwned<TcxRegion> CreateShadowWindowRegion(HWND Wnd, const RECT& R, const RECT& Inset, const RECT& Exclude,
                                           bool HasShadow, bool NativeBorder);
// Whether giving the window New (nullptr: no region) changes its region.
bool IsWindowRegionChanged(HWND Wnd, const TcxRegion* New);
// Gives the window the region (the window owns it from then on) when it changes anything; nullptr
// removes the window's region. Answers whether the window's region changed.
bool ApplyWindowRegion(HWND Wnd, TOwned<TcxRegion> Region);
void SetShadowWindowRegion(HWND Wnd, const RECT& R, const RECT& Inset, const RECT& Exclude, bool HasShadow,
                           bool NativeBorder);

// --- Painting on glass ---

// Paints the window's client area R through buffered painting: WM_ERASEBKGND (unless PrintOnly)
// and WM_PRINTCLIENT into the buffer, the buffer made opaque, then written back. The window's caret
// is hidden meanwhile unless PrintOnly. Nothing for an empty R.
void PaintWindowOnGlass(HDC DC, const RECT& R, HWND Wnd, bool PrintOnly = false);
// The whole client area, on the window's own device context.
void RepaintWindowOnGlass(HWND Wnd, bool PrintOnly = false);
// The update rectangle, between BeginPaint and EndPaint.
void PaintWindowOnGlassFromPaint(HWND Wnd);

// --- Small helpers ---

// Each side whose edge is in Edges moves out by W.
RECT GrowRectByEdges(const RECT& R, int W, TcxBorders Edges);
// Each side whose edge is not in Edges moves in by W.
RECT ShrinkRectByMissingEdges(const RECT& R, int W, TcxBorders Edges);
// The standard painter's width of the border style (the painter the geometry is measured by).
int ContainerBorderWidthForStyle(TcxContainerBorderStyle BorderStyle);
RECT GetControlBoundsAtOrigin(TControl* Control);
// Outer less Inner filled with Color (the whole Outer for an empty Inner).
void FillRectOutside(TcxCanvas* Canvas, const RECT& Outer, const RECT& Inner, TColor Color);
// Outer less Inner invalidated on the window.
void InvalidateRectOutside(HWND Wnd, const RECT& Outer, const RECT& Inner, bool Erase);
void InvalidateControlRect(TWinControl* Control, const RECT& R, bool Erase);
bool IsNativeStyleAvailable(bool NativeStyle, TdxThemedObjectType ThemedObjectType);

// The system's GetScrollBarInfo; tests empty it to cover a system without it.
using TcxGetScrollBarInfoFunc = BOOL(WINAPI*)(HWND Wnd, LONG ObjectId, PSCROLLBARINFO Info);
extern TcxGetScrollBarInfoFunc cxGetScrollBarInfo;
bool IsScrollBarInfoSupported();
// False when the entry point is missing or the call fails.
bool QueryScrollBarInfo(HWND Wnd, LONG ObjectId, SCROLLBARINFO& Info);

POINT ReadMouseScreenPos();
// Keys and mouse buttons held now.
TShiftState GetKeyboardShiftState();
// Left 1, right 2, middle 3 (0 is no button).
int MouseButtonToContainerButton(TMouseButton Button);
// Case-sensitive through the system's comparison, else by the ANSI upper-case forms.
bool AreStringsEqual(std::string_view A, std::string_view B, bool CaseSensitive);
void AssignFont(TFont* Dest, TFont* Source);
