#include "toolkit/controls/cxControlsPopupMenus.h"

#include <algorithm>
#include "classlib/Forms.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"

bool IsPopupMenuShortCut(TComponent* menu, TMessage& message)
{
  if (!menu) return false;
  if (auto* handler = Supports<IcxPopupMenuHandler>(menu)) return handler->IsMenuShortCut(message);
  auto* popup = dynamic_cast<TPopupMenu*>(menu);
  return popup && popup->WindowHandle() && popup->IsShortCut(message);
}

bool ShowPopupMenu(TControl* control, TComponent* menu, int x, int y)
{
  if (!menu) return false;
  if (auto* handler = Supports<IcxPopupMenuHandler>(menu)) {
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
