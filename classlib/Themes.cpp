#include "classlib/Themes.h"

#include <utility>
#include <vector>
#include "classlib/BoundLibrary.h"
#include "classlib/Controls.h"
#include "classlib/GraphicsObjects.h"

namespace {
struct TUxThemeApi {
  decltype(&::IsThemeActive) IsThemeActive = nullptr;
  decltype(&::IsAppThemed) IsAppThemed = nullptr;
  decltype(&::GetThemeAppProperties) GetThemeAppProperties = nullptr;
  decltype(&::OpenThemeData) OpenThemeData = nullptr;
  decltype(&::CloseThemeData) CloseThemeData = nullptr;
  decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
  decltype(&::DrawThemeText) DrawThemeText = nullptr;
  decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect = nullptr;
  decltype(&::GetThemeColor) GetThemeColor = nullptr;
};
TUxThemeApi GApi;
const TLibraryEntry Entries[] = {
  CL_LIBRARY_ENTRY(GApi.IsThemeActive, "IsThemeActive"),
  CL_LIBRARY_ENTRY(GApi.IsAppThemed, "IsAppThemed"),
  CL_LIBRARY_ENTRY(GApi.GetThemeAppProperties, "GetThemeAppProperties"),
  CL_LIBRARY_ENTRY(GApi.OpenThemeData, "OpenThemeData"),
  CL_LIBRARY_ENTRY(GApi.CloseThemeData, "CloseThemeData"),
  CL_LIBRARY_ENTRY(GApi.DrawThemeBackground, "DrawThemeBackground"),
  CL_LIBRARY_ENTRY(GApi.DrawThemeText, "DrawThemeText"),
  CL_LIBRARY_ENTRY(GApi.GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect"),
  CL_LIBRARY_ENTRY(GApi.GetThemeColor, "GetThemeColor"),
};
// Every entry or none: a library that lacks one is treated as absent.
TBoundLibrary GLibrary{"uxtheme.dll", Entries, TBoundLibrary::TBinding::AllOrNothing};

const TUxThemeApi* Api()
{
  if (!GLibrary.Loaded()) GLibrary.Load();
  return GLibrary.Available() ? &GApi : nullptr;
}

bool SystemThemesEnabled()
{
  const TUxThemeApi* api = Api();
  return api && api->IsThemeActive() && api->IsAppThemed() &&
         (api->GetThemeAppProperties() & STAP_ALLOW_CONTROLS) != 0;
}
TThemesEnabledFunc GThemesEnabled = SystemThemesEnabled;
}  // namespace

TThemesEnabledFunc SetThemesEnabledFunc(TThemesEnabledFunc func)
{
  return std::exchange(GThemesEnabled, func ? func : SystemThemesEnabled);
}

bool ThemesEnabled() { return GThemesEnabled(); }

TThemeData::TThemeData(HWND wnd, const wchar_t* classList)
{
  if (ThemesEnabled())
    if (const TUxThemeApi* api = Api()) FTheme = api->OpenThemeData(wnd, classList);
}

TThemeData::~TThemeData()
{
  if (FTheme) GApi.CloseThemeData(FTheme);
}

bool TThemeData::DrawBackground(HDC dc, int part, int state, const RECT& rect) const
{
  return FTheme && SUCCEEDED(GApi.DrawThemeBackground(FTheme, dc, part, state, &rect, nullptr));
}

bool TThemeData::DrawText(HDC dc, int part, int state, std::string_view text, DWORD flags, const RECT& rect) const
{
  if (!FTheme) return false;
  std::vector<wchar_t> wide(text.size() + 1);
  const int n = text.empty() ? 0
                             : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                                   static_cast<int>(wide.size()));
  return SUCCEEDED(GApi.DrawThemeText(FTheme, dc, part, state, wide.data(), n, flags, 0, &rect));
}

bool TThemeData::ContentRect(HDC dc, int part, int state, const RECT& bounds, RECT& content) const
{
  return FTheme && SUCCEEDED(GApi.GetThemeBackgroundContentRect(FTheme, dc, part, state, &bounds, &content));
}

bool TThemeData::Color(int part, int state, int property, COLORREF& color) const
{
  return FTheme && SUCCEEDED(GApi.GetThemeColor(FTheme, part, state, property, &color));
}

IStyledBackground* StyledParentBackground(TControl* control)
{
  if (!control || !control->ParentColor()) return nullptr;
  auto* background = Supports<IStyledBackground>(control->Parent());
  return background && background->PaintsStyledBackground() ? background : nullptr;
}

void PaintControlBackground(TControl* control, HDC dc, const RECT& rect)
{
  if (IStyledBackground* background = StyledParentBackground(control)) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    background->PaintStyledBackground(dc, POINT{control->Left(), control->Top()});
    RestoreDC(dc, saved);
    return;
  }
  auto brush = MakeOwned<TBrush>();
  brush->SetColor(control->Color());
  FillRect(dc, &rect, brush->Handle());
}
