#include "toolkit/bars/dxBarRoutines.h"

#include <algorithm>
#include <cstring>
#include "classlib/Application.h"
#include "toolkit/base/cxControlsMnemonics.h"
#include "toolkit/controls/cxContainerHelpers.h"

namespace {
bool ReadSystemIconTitleFont(LOGFONTA& font)
{
  return SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0) != FALSE;
}

// The guarded loop step when there is an application, else plain dispatching.
bool HandlePumpedMessage(MSG& msg)
{
  if (Application) return Application->HandleLoopMessage(msg);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

LOGFONTA LogFontOf(HFONT font)
{
  LOGFONTA lf{};
  GetObjectA(font, sizeof(lf), &lf);
  return lf;
}
}  // namespace

TdxReadLogFontFunc dxReadIconTitleFont = ReadSystemIconTitleFont;

// --- Captions, accelerators, shortcuts ---

int FindAcceleratorPosition(std::string& caption, bool deleteMarks)
{
  int result = 0;
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (deleteMarks)
      caption.erase(i, 1);
    else
      ++i;
    if (caption[i] != '&') result = static_cast<int>(i) + 1;
  }
  return result;
}

std::string StripAcceleratorMarks(std::string_view caption) { return RemoveMnemonics(caption, false); }

std::string FormatShortCutSuffix(TShortCut shortCut)
{
  const std::string text = ShortCutToText(shortCut);
  return text.empty() ? std::string() : " (" + text + ")";
}

TShortCut ShortCutFromKeyMessage(WORD key, LPARAM keyFlags)
{
  if (key == 0) return 0;
  TShortCut result = key;
  if (GetKeyState(VK_SHIFT) < 0) result |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) result |= scCtrl;
  if (keyFlags & 0x20000000) result |= scAlt;
  return result;
}

bool IsPrintableCharKey(WORD key)
{
  const UINT c = MapVirtualKeyA(key, MAPVK_VK_TO_CHAR);
  return c < 0x10000 && c != ' ' && c >= 32;
}

bool IsMouseButtonDownMessage(UINT message)
{
  switch (message) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

// --- Enumerations and storage ---

std::string GetStorageDelimiter(TdxBarStoringKind kind) { return kind == TdxBarStoringKind::bskRegistry ? "\\" : "."; }

std::vector<std::string> GetEnumValueNames(const TEnumInfo& info)
{
  return std::vector<std::string>(info.Names.begin(), info.Names.end());
}

// --- Message pumps and input ---

void DispatchPendingMouseMessages()
{
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL, PM_NOREMOVE)) {
    const BOOL got = GetMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL);
    if (got == -1) return;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!HandlePumpedMessage(msg)) return;
  }
}

void DispatchPendingPaintMessages()
{
  // A window whose painting leaves it invalid would be offered again at once: the pump stops after
  // a generous number of rounds rather than spin.
  constexpr int MaxRounds = 1000;
  MSG msg;
  for (int round = 0; round < MaxRounds && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++round)
    if (!HandlePumpedMessage(msg)) return;
}

void RemovePendingCharMessages(HWND wnd) { RemovePendingMessages(wnd, WM_CHAR, 0, true); }

bool IsMouseButtonDown(int button, int swappedButton)
{
  const int key = GetSystemMetrics(SM_SWAPBUTTON) ? swappedButton : button;
  return (GetAsyncKeyState(key) & 0x8000) != 0;
}

bool IsLeftMouseButtonDown() { return IsMouseButtonDown(VK_LBUTTON, VK_RBUTTON); }
bool IsRightMouseButtonDown() { return IsMouseButtonDown(VK_RBUTTON, VK_LBUTTON); }

bool ApplicationHasFocus()
{
  return Application && Application->Active() && !Application->Terminated() && GetActiveWindow() != nullptr;
}

// --- Fonts ---

NONCLIENTMETRICSA ReadNonClientMetrics()
{
  NONCLIENTMETRICSA metrics{};
  // The structure as it was before Vista added its last field, which every system accepts.
  metrics.cbSize = 340;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  return metrics;
}

TFontHandle CreateMenuFont(TFont* font, bool systemFace)
{
  LOGFONTA lf = ReadNonClientMetrics().lfSmCaptionFont;
  if (!systemFace) {
    lf.lfHeight = std::min<LONG>(-11, lf.lfHeight);
    if (font) {
      std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
      const std::string& name = font->Name();
      std::memcpy(lf.lfFaceName, name.data(), std::min(name.size(), sizeof(lf.lfFaceName) - 1));
    }
  }
  return TFontHandle(CreateFontIndirectA(&lf));
}

void CopyFontWithSystemHeight(HFONT font, TFontHandle& dest, bool systemHeight)
{
  if (!systemHeight) {
    dest = CopyFontHandle(font);
    return;
  }
  LOGFONTA lf = LogFontOf(font);
  LOGFONTA iconTitle{};
  if (dxReadIconTitleFont(iconTitle)) lf.lfHeight = iconTitle.lfHeight >= -10 ? -11 : iconTitle.lfHeight;
  dest.Reset(CreateFontIndirectA(&lf));
}

TFontHandle CopyFontHandle(HFONT font)
{
  const LOGFONTA lf = LogFontOf(font);
  return TFontHandle(CreateFontIndirectA(&lf));
}

// --- Messages ---

int ShowBarMessage(const std::string& text, UINT flags)
{
  return Application ? Application->MessageBox(text, Application->Title(), flags) : 0;
}
