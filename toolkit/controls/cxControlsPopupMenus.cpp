#include "toolkit/controls/cxControlsPopupMenus.h"

#include <algorithm>
#include "classlib/Forms.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"

// {5B0C0E8E-3E51-4F0D-9A63-2C1B1F7D4A10}
const IID IID_IcxPopupMenuHandler = {
    0x5b0c0e8e, 0x3e51, 0x4f0d, {0x9a, 0x63, 0x2c, 0x1b, 0x1f, 0x7d, 0x4a, 0x10}};

namespace {
// The handler interface of a component, released when the holder goes.
class THandlerRef {
public:
  explicit THandlerRef(TComponent* menu)
  {
    void* intf = nullptr;
    if (menu && Supports(menu, IID_IcxPopupMenuHandler, &intf))
      FHandler = static_cast<IcxPopupMenuHandler*>(intf);
  }
  ~THandlerRef()
  {
    if (FHandler) FHandler->Release();
  }
  THandlerRef(const THandlerRef&) = delete;
  THandlerRef& operator=(const THandlerRef&) = delete;
  IcxPopupMenuHandler* operator->() const { return FHandler; }
  explicit operator bool() const { return FHandler != nullptr; }

private:
  IcxPopupMenuHandler* FHandler = nullptr;
};
}  // namespace

bool IsPopupMenuShortCut(TComponent* menu, TMessage& message)
{
  if (!menu) return false;
  if (THandlerRef handler(menu); handler) return handler->IsMenuShortCut(message);
  auto* popup = dynamic_cast<TPopupMenu*>(menu);
  return popup && popup->WindowHandle() && popup->IsShortCut(message);
}

bool ShowPopupMenu(TControl* control, TComponent* menu, int x, int y)
{
  if (!menu) return false;
  if (THandlerRef handler(menu); handler) {
    handler->Popup(x, y);
    return true;
  }
  auto* popup = dynamic_cast<TPopupMenu*>(menu);
  if (!popup || !popup->AutoPopup()) return false;
  popup->SetPopupComponent(control);
  popup->Popup(x, y);
  return true;
}

int MeasurePopupMenuHeight(TMenu* menu)
{
  if (!menu) return 0;
  TCanvas* canvas = GetSharedScreenCanvas()->Canvas();
  canvas->Font()->Assign(Screen->MenuFont());
  const int plainHeight = canvas->TextHeight("Qg") + 4;
  const bool withImages = menu->Images() != nullptr;
  int column = 0, tallest = 0;
  TMenuItem* items = menu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    if (!item->Visible()) continue;
    if (item->Break() != TMenuBreak::mbNone) {
      tallest = std::max(tallest, column);
      column = 0;
    }
    int height = plainHeight;
    if (menu->OwnerDraw() || withImages || item->HasBitmap()) {
      int width = 0;
      item->MeasureItem(canvas, width, height);
    }
    column += height;
  }
  GetSharedScreenCanvas()->ReleaseDeviceContext();
  return std::max(tallest, column) + 4;
}
