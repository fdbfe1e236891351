#pragma once
// Small routines of the bar system: captions and accelerators, shortcuts and keys, enumeration
// names, the message pumps that nested bar loops use, the mouse and application input state, the
// menu fonts from the system metrics, and the bar message box.
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Graphics.h"
#include "classlib/Menus.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "classlib/Win.h"

// A variable holds a value for the life of a scope and gets its old value back at its end (also
// when the scope is left by an exception).
template <class T>
class TdxValueScope {
public:
  TdxValueScope(T& variable, T value) : FVariable(variable), FOld(variable) { FVariable = value; }
  ~TdxValueScope() { FVariable = FOld; }
  TdxValueScope(const TdxValueScope&) = delete;
  TdxValueScope& operator=(const TdxValueScope&) = delete;

private:
  T& FVariable;
  T FOld;
};

// --- Captions, accelerators, shortcuts ---

// The 1-based position of the caption's accelerator character, 0 when it has none: the character
// after a single "&" (the last such wins); "&&" stands for an ampersand, and an "&" in the last
// place is not a mark. With deleteMarks every examined "&" is removed from the caption (a doubled
// one leaves one), and the position is the character's place in the shortened caption.
int FindAcceleratorPosition(std::string& caption, bool deleteMarks);
// The caption without its accelerator marks ("&&" gives "&"; a trailing "&" goes).
std::string StripAcceleratorMarks(std::string_view caption);
// " (" + the shortcut's text + ")"; empty when the shortcut has no text.
std::string FormatShortCutSuffix(TShortCut shortCut);
// The shortcut of a key message: 0 for key 0; else the key with the Shift and Ctrl marks of the
// keys held now and the Alt mark when the message's context code (bit 29 of its flags) is set.
TShortCut ShortCutFromKeyMessage(WORD key, LPARAM keyFlags);
// The key gives a printable character other than the space.
bool IsPrintableCharKey(WORD key);
// A button-down or double-click message of any mouse button, client or non-client.
bool IsMouseButtonDownMessage(UINT message);

// --- Enumerations and storage ---

// How a layout is stored: an ini file, a stream or the designed layout; or the registry.
enum class TdxBarStoringKind { bskIni, bskRegistry };
// The delimiter of layout section names: "." in ini form, "\" in the registry.
std::string GetStorageDelimiter(TdxBarStoringKind kind);
// The names of an enumeration's values, lowest first; of a set type, those of its element type.
std::vector<std::string> GetEnumValueNames(const TEnumInfo& info);
inline std::vector<std::string> GetSetElementNames(const TEnumInfo& elementInfo) { return GetEnumValueNames(elementInfo); }
// The highest of the members 3, 2, 1, 0 that the set holds; 255 when it holds none of them.
template <class E>
int HighestSetMember(TSet<E> set)
{
  for (int v = 3; v >= 0; --v)
    if (set.Contains(static_cast<E>(v))) return v;
  return 255;
}

// --- Message pumps and input ---

// Dispatches the queued mouse messages (WM_MOUSEFIRST to WM_MOUSEWHEEL) through the guarded loop
// step; a WM_QUIT met is posted again and ends the pump, as does a message error.
void DispatchPendingMouseMessages();
// Dispatches every queued WM_PAINT, so that windows repaint at once.
void DispatchPendingPaintMessages();
// Removes the queued WM_CHAR messages of the window.
void RemovePendingCharMessages(HWND wnd);
// The button (or swappedButton when the system swaps the mouse buttons) is down now.
bool IsMouseButtonDown(int button, int swappedButton);
bool IsLeftMouseButtonDown();
bool IsRightMouseButtonDown();
// The application is active, not terminating, and one of its windows is active.
bool ApplicationHasFocus();

// --- Fonts ---

// The system's non-client metrics (SPI_GETNONCLIENTMETRICS with the structure's size field 340).
NONCLIENTMETRICSA ReadNonClientMetrics();
// A new font from the system's small-caption font; unless systemFace, at least 11 pixels high and
// with the face name of font.
TFontHandle CreateMenuFont(TFont* font, bool systemFace);
// With systemHeight: font with the height of the system's icon-title font (a height of -10 or above
// becomes -11); without: an exact copy. dest owns the new font.
void CopyFontWithSystemHeight(HFONT font, TFontHandle& dest, bool systemHeight);
// A new font with the same logical font.
TFontHandle CopyFontHandle(HFONT font);
// The system's icon-title font (SPI_GETICONTITLELOGFONT); tests put another one here.
using TdxReadLogFontFunc = bool (*)(LOGFONTA& font);
extern TdxReadLogFontFunc dxReadIconTitleFont;

// --- Messages ---

// The application's message box with its title as caption; answers the button pressed.
int ShowBarMessage(const std::string& text, UINT flags);
