#pragma once
// The theme manager: one open theme handle per themed object type, whether themes can be used, and
// the news of a change of visual style or system colours for whoever listens.
//
// A hidden top-level window of the GUI thread receives WM_THEMECHANGED and WM_SYSCOLORCHANGE (sent
// to every top-level window, which is why it is not a message-only window); it closes every cached
// handle, reads again whether visual styles are on and tells every TdxThemeChangedNotificator.
#include <cstdint>
#include <string>
#include <string_view>
#include "classlib/Events.h"
#include "classlib/Object.h"
#include "classlib/Sets.h"
#include "classlib/Units.h"
#include "toolkit/base/dxUxTheme.h"

extern TUnit UnitdxThemeManager;

enum class TdxThemedObjectType {
  totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListBox, totListView, totMenu,
  totPage, totProgress, totRebar, totScrollBar, totSpin, totStartPanel, totStatus, totTab, totTaskBand,
  totTaskBar, totToolBar, totToolTip, totTrackBar, totTrayNotify, totTreeView, totWindow
};
constexpr int dxThemedObjectTypeCount = 25;
// A mask of types: bit number = type.
using TdxThemedObjectTypes = TSet<TdxThemedObjectType>;

// The theme class a type opens by default ("Button" ... "Window").
const wchar_t* dxThemedObjectClassName(TdxThemedObjectType type);

// A cache entry: the open handle (nullptr when none) and the class list it was opened with. The
// class list outlives a handle closed for a style change, so that the type reopens with it.
struct TdxThemeData {
  HTHEME Handle = nullptr;
  std::wstring ClassList;
};
const TdxThemeData& dxThemeData(TdxThemedObjectType type);

// Visual styles are on, the library is loaded and every type of the mask opens a handle. An empty
// mask tests only the first two.
bool AreThemesAvailable(TdxThemedObjectTypes types = {});
bool IsThemeTypeAvailable(TdxThemedObjectType type);
// The type's handle, opened when needed with the class list asked for (compared case-insensitively
// with the cached one; another list closes the cached handle), else the cached list, else the
// type's own class. nullptr when themes are not available or the style lacks the class.
HTHEME GetThemeHandle(TdxThemedObjectType type, std::wstring_view classList = {});
// Closes the type's handle and empties its entry, class list included; answers the platform's
// result, 0 when the type had no handle and 1 when themes are not available.
HRESULT ReleaseThemeHandle(TdxThemedObjectType type);
// Closes every open handle; the class lists stay.
void ReleaseAllThemeHandles();

using TdxThemeChangedEvent = TEvent<void()>;

// A listener for changes of the visual style and the system colours. It joins the listeners when it
// is made (only while the visual-styles library is loaded) and leaves when it is freed; listeners
// are told in the order they joined. A listener freed while others are told is not told; one made
// meanwhile is told from the next change on.
class TdxThemeChangedNotificator : public TObject {
  CL_CLASS(TdxThemeChangedNotificator, TObject)
public:
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator() override;

  const TdxThemeChangedEvent& OnThemeChanged() const { return FOnThemeChanged; }
  void SetOnThemeChanged(const TdxThemeChangedEvent& value) { FOnThemeChanged = value; }
  // Calls OnThemeChanged when it is set.
  virtual void NotifyThemeChanged();

private:
  TdxThemeChangedEvent FOnThemeChanged;
};
