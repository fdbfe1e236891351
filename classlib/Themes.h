#pragma once
// The visual style in the class library's own drawing (page bodies, group frames, glyph buttons).
// The platform's visual-styles library is optional, so it is bound by name on first use and stays
// for the life of the process; without it, or with the style off, controls draw the classic way.
#include <string_view>
#include "classlib/Win.h"
#include <uxtheme.h>

class TControl;

// Whether the class library's controls draw with the visual style: the library is there, a style
// is active and the application's controls may use it. Tests replace the function; nullptr puts
// the system's back. Answers the previous one.
using TThemesEnabledFunc = bool (*)();
TThemesEnabledFunc SetThemesEnabledFunc(TThemesEnabledFunc func);
bool ThemesEnabled();

// The style's data for a list of window classes (L"TAB", L"BUTTON") while ThemesEnabled; empty
// otherwise, and when the style has nothing for them. Closed when it goes.
class TThemeData {
public:
  TThemeData(HWND wnd, const wchar_t* classList);
  ~TThemeData();
  TThemeData(const TThemeData&) = delete;
  TThemeData& operator=(const TThemeData&) = delete;
  explicit operator bool() const { return FTheme != nullptr; }

  // Each answers false when the style could not do it (the caller draws the classic way).
  bool DrawBackground(HDC dc, int part, int state, const RECT& rect) const;
  // ANSI text in the part's font colour, with DrawText's flags.
  bool DrawText(HDC dc, int part, int state, std::string_view text, DWORD flags, const RECT& rect) const;
  bool ContentRect(HDC dc, int part, int state, const RECT& bounds, RECT& content) const;
  bool Color(int part, int state, int property, COLORREF& color) const;

private:
  HTHEME FTheme = nullptr;
};

// A container whose background is the style's rather than a plain fill of its colour (a page
// body). Controls on it that show their parent's colour draw this background behind them.
class IStyledBackground {
public:
  virtual ~IStyledBackground() = default;
  // Whether the container paints the style's background now.
  virtual bool PaintsStyledBackground() = 0;
  // Paints the background onto dc as a child at origin (in the container's client coordinates)
  // sees it: dc's origin is the child's.
  virtual void PaintStyledBackground(HDC dc, POINT origin) = 0;
};

// The styled background behind a control: its parent's, when the control takes its parent's colour
// and the parent paints one; nullptr otherwise.
IStyledBackground* StyledParentBackground(TControl* control);
// Fills rect of dc (whose origin is the control's) with what lies behind the control: the styled
// background of its parent, or the control's colour.
void PaintControlBackground(TControl* control, HDC dc, const RECT& rect);
