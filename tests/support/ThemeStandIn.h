#pragma once
// A recording stand-in of the bound theme functions for tests that draw through the theme
// (painters, bars, editors). While it lives, every theme handle is opened through it, so that each
// drawing and measuring call is recorded with the class its handle was opened for; classes it is
// told to refuse do not open; and sizes, content rectangles, colours, margins and transparency it is
// given are answered instead of the theme's. Everything else goes on to the real functions, so that
// the parts are still drawn. Header only: the test executables of the toolkit include it.
#include <map>
#include <string>
#include <tuple>
#include <vector>
#include "classlib/Win.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

class TThemeStandIn {
public:
  struct TCall {
    std::string Function;  // Background, Text, Edge, PartSize, ContentRect, Color, Transparent, Margins, Region
    std::wstring Class;
    int Part = 0, State = 0;
    RECT Rect{};            // the rectangle drawn in, measured for or given as bounds
    RECT Clip{};            // Background: the clip rectangle (empty without one)
    bool HasDC = false;     // a device context was passed
    int Property = 0;       // Color and Margins: the property; PartSize: the size kind
    DWORD Flags = 0;        // Text: the text flags; Edge: edge | flags << 16
    std::wstring Text;
  };
  // An answer given instead of the theme's: a value, or a failure.
  template <class T>
  struct TAnswer {
    bool Fails = false;
    T Value{};
  };
  using TKey = std::pair<std::wstring, int>;  // class, part

  TThemeStandIn()
  {
    FReal = dxUxThemeEntryPoints;
    FActive = this;
    auto& e = dxUxThemeEntryPoints;
    e.OpenThemeData = Open;
    e.DrawThemeBackground = Background;
    e.DrawThemeText = Text;
    e.DrawThemeEdge = Edge;
    e.GetThemePartSize = PartSize;
    e.GetThemeBackgroundContentRect = ContentRect;
    e.GetThemeColor = Color;
    e.IsThemeBackgroundPartiallyTransparent = Transparent;
    e.GetThemeMargins = Margins;
    e.GetThemeBackgroundRegion = Region;
    ReleaseAllThemeHandles();
  }
  ~TThemeStandIn()
  {
    ReleaseAllThemeHandles();
    auto& e = dxUxThemeEntryPoints;
    e.OpenThemeData = FReal.OpenThemeData;
    e.DrawThemeBackground = FReal.DrawThemeBackground;
    e.DrawThemeText = FReal.DrawThemeText;
    e.DrawThemeEdge = FReal.DrawThemeEdge;
    e.GetThemePartSize = FReal.GetThemePartSize;
    e.GetThemeBackgroundContentRect = FReal.GetThemeBackgroundContentRect;
    e.GetThemeColor = FReal.GetThemeColor;
    e.IsThemeBackgroundPartiallyTransparent = FReal.IsThemeBackgroundPartiallyTransparent;
    e.GetThemeMargins = FReal.GetThemeMargins;
    e.GetThemeBackgroundRegion = FReal.GetThemeBackgroundRegion;
    FActive = nullptr;
  }
  TThemeStandIn(const TThemeStandIn&) = delete;
  TThemeStandIn& operator=(const TThemeStandIn&) = delete;

  // The class does not open from now on (handles open already are closed).
  void Refuse(const std::wstring& className)
  {
    FRefused.push_back(className);
    ReleaseAllThemeHandles();
  }
  void AcceptAll()
  {
    FRefused.clear();
    ReleaseAllThemeHandles();
  }
  // A class the system's style lacks opens as another one, recorded under its own name.
  void Alias(const std::wstring& className, const std::wstring& openedAs)
  {
    FAliases[className] = openedAs;
    ReleaseAllThemeHandles();
  }

  std::vector<TCall> Calls;
  // The calls of one function, in order.
  std::vector<TCall> Of(const std::string& function) const
  {
    std::vector<TCall> result;
    for (const TCall& c : Calls)
      if (c.Function == function) result.push_back(c);
    return result;
  }

  std::map<TKey, TAnswer<SIZE>> Sizes;
  // The content rectangle is the bounds less these margins (left, top, right, bottom widths).
  std::map<TKey, TAnswer<RECT>> ContentMargins;
  std::map<std::tuple<std::wstring, int, int>, TAnswer<COLORREF>> Colors;  // class, part, property
  std::map<TKey, TAnswer<MARGINS>> MarginAnswers;
  std::map<TKey, BOOL> Transparency;

private:
  static inline TThemeStandIn* FActive = nullptr;
  TdxUxThemeEntryPoints FReal;
  std::vector<std::wstring> FRefused;
  std::map<std::wstring, std::wstring> FAliases;
  std::map<HTHEME, std::wstring> FClasses;

  static TThemeStandIn& Self() { return *FActive; }
  std::wstring ClassOf(HTHEME theme) const
  {
    auto it = FClasses.find(theme);
    return it == FClasses.end() ? L"?" : it->second;
  }
  TCall& Record(const char* function, HTHEME theme, int part, int state, HDC dc, const RECT* rect)
  {
    TCall call;
    call.Function = function;
    call.Class = ClassOf(theme);
    call.Part = part;
    call.State = state;
    call.HasDC = dc != nullptr;
    if (rect) call.Rect = *rect;
    Calls.push_back(call);
    return Calls.back();
  }
  template <class M, class K>
  static auto Find(M& answers, const K& key) -> decltype(&answers.begin()->second)
  {
    auto it = answers.find(key);
    return it == answers.end() ? nullptr : &it->second;
  }
  // The answer given for the key, else what the real function answers.
  template <class M, class K, class V, class F>
  static HRESULT Answer(M& answers, const K& key, V* out, F real)
  {
    auto* answer = Find(answers, key);
    if (!answer) return real();
    if (answer->Fails) return E_FAIL;
    *out = answer->Value;
    return S_OK;
  }

  static HTHEME WINAPI Open(HWND window, LPCWSTR classList)
  {
    for (const std::wstring& refused : Self().FRefused)
      if (lstrcmpiW(refused.c_str(), classList) == 0) return nullptr;
    auto alias = Self().FAliases.find(classList);
    HTHEME theme =
        Self().FReal.OpenThemeData(window, alias == Self().FAliases.end() ? classList : alias->second.c_str());
    if (theme) Self().FClasses[theme] = classList;
    return theme;
  }
  static HRESULT WINAPI Background(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip)
  {
    TCall& call = Self().Record("Background", theme, part, state, dc, rect);
    if (clip) call.Clip = *clip;
    return Self().FReal.DrawThemeBackground(theme, dc, part, state, rect, clip);
  }
  static HRESULT WINAPI Text(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count, DWORD flags,
                             DWORD flags2, const RECT* rect)
  {
    TCall& call = Self().Record("Text", theme, part, state, dc, rect);
    call.Flags = flags;
    call.Text.assign(text, count < 0 ? lstrlenW(text) : count);
    return Self().FReal.DrawThemeText(theme, dc, part, state, text, count, flags, flags2, rect);
  }
  static HRESULT WINAPI Edge(HTHEME theme, HDC dc, int part, int state, const RECT* rect, UINT edge, UINT flags,
                             RECT* content)
  {
    Self().Record("Edge", theme, part, state, dc, rect).Flags = edge | flags << 16;
    return Self().FReal.DrawThemeEdge(theme, dc, part, state, rect, edge, flags, content);
  }
  static HRESULT WINAPI PartSize(HTHEME theme, HDC dc, int part, int state, RECT* rect, THEMESIZE kind, SIZE* size)
  {
    Self().Record("PartSize", theme, part, state, dc, rect).Property = kind;
    return Answer(Self().Sizes, TKey{Self().ClassOf(theme), part}, size,
                  [&] { return Self().FReal.GetThemePartSize(theme, dc, part, state, rect, kind, size); });
  }
  static HRESULT WINAPI ContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content)
  {
    Self().Record("ContentRect", theme, part, state, dc, bounds);
    if (auto* answer = Find(Self().ContentMargins, TKey{Self().ClassOf(theme), part})) {
      if (answer->Fails) return E_FAIL;
      const RECT& m = answer->Value;
      *content = RECT{bounds->left + m.left, bounds->top + m.top, bounds->right - m.right, bounds->bottom - m.bottom};
      return S_OK;
    }
    return Self().FReal.GetThemeBackgroundContentRect(theme, dc, part, state, bounds, content);
  }
  static HRESULT WINAPI Color(HTHEME theme, int part, int state, int property, COLORREF* color)
  {
    Self().Record("Color", theme, part, state, nullptr, nullptr).Property = property;
    return Answer(Self().Colors, std::tuple{Self().ClassOf(theme), part, property}, color,
                  [&] { return Self().FReal.GetThemeColor(theme, part, state, property, color); });
  }
  static BOOL WINAPI Transparent(HTHEME theme, int part, int state)
  {
    Self().Record("Transparent", theme, part, state, nullptr, nullptr);
    if (auto* answer = Find(Self().Transparency, TKey{Self().ClassOf(theme), part})) return *answer;
    return Self().FReal.IsThemeBackgroundPartiallyTransparent(theme, part, state);
  }
  static HRESULT WINAPI Margins(HTHEME theme, HDC dc, int part, int state, int property, RECT* rect, MARGINS* margins)
  {
    Self().Record("Margins", theme, part, state, dc, rect).Property = property;
    return Answer(Self().MarginAnswers, TKey{Self().ClassOf(theme), part}, margins,
                  [&] { return Self().FReal.GetThemeMargins(theme, dc, part, state, property, rect, margins); });
  }
  static HRESULT WINAPI Region(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region)
  {
    Self().Record("Region", theme, part, state, dc, rect);
    return Self().FReal.GetThemeBackgroundRegion(theme, dc, part, state, rect, region);
  }
};
