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
std::unique_ptr<std::vector<TdxThemeChangedNotificator*>> GNotificators;

TdxThemeData& Entry(TdxThemedObjectType type) { return GCache.at(static_cast<size_t>(type)); }

bool IsNotificator(TdxThemeChangedNotificator* notificator)
{
  return GNotificators && std::find(GNotificators->begin(), GNotificators->end(), notificator) !=
                              GNotificators->end();
}

// Tells every listener that joined before the change, each guarded on its own so that one failing
// listener does not keep the others on closed theme handles. A listener is recognised by its address
// and its place in the order of joining, since one made while others are told may take the address
// of one freed meanwhile.
void NotifyThemeChanged()
{
  if (!GNotificators) return;
  std::vector<std::pair<TdxThemeChangedNotificator*, uint64_t>> listeners;
  for (TdxThemeChangedNotificator* listener : *GNotificators) listeners.emplace_back(listener, listener->JoinOrder());
  for (auto [listener, order] : listeners)
    if (IsNotificator(listener) && listener->JoinOrder() == order)
      GuardCallback([listener] { listener->NotifyThemeChanged(); });
}

// The hidden window that receives the system's news of a new visual style or new system colours.
// A top-level window: message-only windows do not receive broadcasts.
class TdxThemeChangedEventReceiver : public TcxMessageWindow {
  CL_CLASS(TdxThemeChangedEventReceiver)

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

const TClassRecord TdxThemeChangedEventReceiver::ClassInfo = MakeClassRecord<TdxThemeChangedEventReceiver>(
    "TdxThemeChangedEventReceiver", TcxMessageWindow::StaticClass());

TOwned<TdxThemeChangedEventReceiver> GReceiver;

void InitializeUnit()
{
  if (!IsUxThemeLoaded()) return;
  GThemesActive = dxUxTheme::IsThemeActive();
  GNotificators = std::make_unique<std::vector<TdxThemeChangedNotificator*>>();
  GReceiver = MakeOwned<TdxThemeChangedEventReceiver>();
}

void FinalizeUnit()
{
  GReceiver.reset();
  GThemesActive = false;
  for (TdxThemeData& entry : GCache) {
    if (entry.Handle) dxUxTheme::CloseThemeData(entry.Handle);
    entry = {};
  }
  GNotificators.reset();
}

const TUnit* const Uses[] = {&UnitdxUxTheme};
}  // namespace

TUnit UnitdxThemeManager{"dxThemeManager", Uses, InitializeUnit, FinalizeUnit};

const TClassRecord TdxThemeChangedNotificator::ClassInfo =
    MakeClassRecord<TdxThemeChangedNotificator>("TdxThemeChangedNotificator", TObject::StaticClass());

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
  static uint64_t joined = 0;
  FJoinOrder = ++joined;
  if (GNotificators) GNotificators->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator()
{
  if (GNotificators) std::erase(*GNotificators, this);
}

void TdxThemeChangedNotificator::NotifyThemeChanged()
{
  if (FOnThemeChanged) FOnThemeChanged();
}
