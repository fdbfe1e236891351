#include "toolkit/base/dxThemeManager.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>
#include "classlib/Exceptions.h"
#include "toolkit/base/cxControlsMessageWindow.h"

namespace {
constexpr const wchar_t* ClassNames[dxThemedObjectTypeCount] = {
  L"Button", L"Clock", L"ComboBox", L"Edit", L"ExplorerBar", L"Header", L"ListBox", L"ListView", L"Menu",
  L"Page", L"Progress", L"Rebar", L"ScrollBar", L"Spin", L"StartPanel", L"Status", L"Tab", L"TaskBand",
  L"TaskBar", L"ToolBar", L"ToolTip", L"TrackBar", L"TrayNotify", L"TreeView", L"Window",
};

std::array<TdxThemeData, dxThemedObjectTypeCount> GCache;
bool GThemesActive = false;
using TNotificators = std::vector<TdxThemeChangedNotificator*>;
TUnitObject<TNotificators> GNotificators{UnitdxThemeManager};

TdxThemeData& Entry(TdxThemedObjectType type) { return GCache.at(static_cast<size_t>(type)); }

// Tells every listener that joined before the change and is still there, each guarded on its own so
// that one failing listener does not keep the others on closed theme handles.
void NotifyThemeChanged()
{
  TNotificators* notificators = GNotificators.Peek();
  if (!notificators) return;
  std::vector<TWeakRef<TdxThemeChangedNotificator>> listeners(notificators->begin(), notificators->end());
  for (const auto& listener : listeners)
    if (TdxThemeChangedNotificator* live = listener.Get()) GuardCallback([live] { live->NotifyThemeChanged(); });
}

// The hidden window that receives the system's news of a new visual style or new system colours.
// A top-level window: message-only windows do not receive broadcasts.
class TdxThemeChangedEventReceiver : public TcxMessageWindow {
  CL_CLASS(TdxThemeChangedEventReceiver, TcxMessageWindow)

protected:
  void WndProc(TMessage& message) override
  {
    if (message.Msg != WM_THEMECHANGED && message.Msg != WM_SYSCOLORCHANGE)
      return TcxMessageWindow::WndProc(message);
    GuardCallback([] { ReleaseAllThemeHandles(); });
    TcxMessageWindow::WndProc(message);
    GThemesActive = dxUxTheme::IsThemeActive();
    NotifyThemeChanged();
    message.Result = 0;
  }
};

CL_DEFINE_CLASS(TdxThemeChangedEventReceiver);

TUnitObject<TdxThemeChangedEventReceiver> GReceiver{UnitdxThemeManager};

void InitializeUnit()
{
  if (!IsUxThemeLoaded()) return;
  GThemesActive = dxUxTheme::IsThemeActive();
  GNotificators.Get();
  GReceiver.Get();
}

void FinalizeUnit()
{
  GReceiver.Free();
  GThemesActive = false;
  for (TdxThemeData& entry : GCache) {
    if (entry.Handle) dxUxTheme::CloseThemeData(entry.Handle);
    entry = {};
  }
  GNotificators.Free();
}

const TUnit* const Uses[] = {&UnitdxUxTheme};
}  // namespace

TUnit UnitdxThemeManager{"dxThemeManager", Uses, InitializeUnit, FinalizeUnit};

CL_DEFINE_CLASS(TdxThemeChangedNotificator);

const wchar_t* dxThemedObjectClassName(TdxThemedObjectType type) { return ClassNames[static_cast<int>(type)]; }

const TdxThemeData& dxThemeData(TdxThemedObjectType type) { return Entry(type); }

bool AreThemesAvailable(TdxThemedObjectTypes types)
{
  if (!GThemesActive || !IsUxThemeLoaded()) return false;
  for (int type = 0; type < dxThemedObjectTypeCount; ++type) {
    auto t = static_cast<TdxThemedObjectType>(type);
    if (types.Contains(t) && !GetThemeHandle(t)) return false;
  }
  return true;
}

bool IsThemeTypeAvailable(TdxThemedObjectType type) { return AreThemesAvailable({type}); }

HTHEME GetThemeHandle(TdxThemedObjectType type, std::wstring_view classList)
{
  if (!AreThemesAvailable()) return nullptr;
  TdxThemeData& entry = Entry(type);
  std::wstring asked(classList);
  if (entry.Handle) {
    if (asked.empty() || lstrcmpiW(asked.c_str(), entry.ClassList.c_str()) == 0) return entry.Handle;
    dxUxTheme::CloseThemeData(entry.Handle);
    entry.Handle = nullptr;
  }
  std::wstring list = !asked.empty()             ? asked
                      : !entry.ClassList.empty() ? entry.ClassList
                                                 : std::wstring(dxThemedObjectClassName(type));
  entry.Handle = dxUxTheme::OpenThemeData(nullptr, list.c_str());
  if (entry.Handle)
    entry.ClassList = std::move(list);
  else
    entry.ClassList.clear();
  return entry.Handle;
}

HRESULT ReleaseThemeHandle(TdxThemedObjectType type)
{
  if (!AreThemesAvailable()) return S_FALSE;
  TdxThemeData& entry = Entry(type);
  if (!entry.Handle) return S_OK;
  HRESULT result = dxUxTheme::CloseThemeData(entry.Handle);
  entry = {};
  return result;
}

void ReleaseAllThemeHandles()
{
  for (TdxThemeData& entry : GCache) {
    if (!entry.Handle) continue;
    HTHEME handle = entry.Handle;
    entry.Handle = nullptr;
    dxUxTheme::CloseThemeData(handle);
  }
}

// --- TdxThemeChangedNotificator ---

TdxThemeChangedNotificator::TdxThemeChangedNotificator()
{
  if (TNotificators* notificators = GNotificators.Peek()) notificators->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator()
{
  if (TNotificators* notificators = GNotificators.Peek()) std::erase(*notificators, this);
}

void TdxThemeChangedNotificator::NotifyThemeChanged()
{
  if (FOnThemeChanged) FOnThemeChanged();
}
