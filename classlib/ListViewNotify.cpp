// TListView: what the control tells it (texts it asks for, state changes, label edits, tips, owner
// data requests, column clicks and drags) and custom and owner drawing.
#include <commctrl.h>
#include <utility>
#include <vector>
#include "classlib/ListView.h"

namespace {
std::string WideToAnsi(const wchar_t* wide)
{
  if (!wide) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), n, nullptr, nullptr);
  text.resize(static_cast<size_t>(n - 1));
  return text;
}

// Copies text into a notification's buffer of the code's width.
void CopyToBuffer(const std::string& text, void* buffer, int size, bool wide)
{
  if (!buffer || size <= 0) return;
  if (wide) {
    auto* w = static_cast<wchar_t*>(buffer);
    if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, w, size) == 0) w[size - 1] = L'\0';
  } else {
    lstrcpynA(static_cast<char*>(buffer), text.c_str(), size);
  }
}

TItemStates ItemStatesOf(UINT state)
{
  TItemStates states;
  if (state & LVIS_CUT) states.Include(isCut);
  if (state & LVIS_DROPHILITED) states.Include(isDropHilited);
  if (state & LVIS_FOCUSED) states.Include(isFocused);
  if (state & LVIS_SELECTED) states.Include(isSelected);
  if (state & LVIS_ACTIVATING) states.Include(isActivating);
  return states;
}

TItemChange ItemChangeOf(int change)
{
  if (change == LVIF_TEXT) return ctText;
  if (change == LVIF_IMAGE) return ctImage;
  return ctState;
}

bool IsChecked(UINT state) { return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2); }
}  // namespace

bool ReadLabelEditResult(const NMHDR* hdr, LVITEMA& item, std::string& text)
{
  // The two forms of the notice differ in the text only.
  const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(hdr);
  item = info->item;
  text.clear();
  if (hdr->code == LVN_ENDLABELEDITW) {
    const wchar_t* wide = reinterpret_cast<const NMLVDISPINFOW*>(hdr)->item.pszText;
    if (!wide) return false;
    text = WideToAnsi(wide);
  } else {
    if (!info->item.pszText) return false;
    text = info->item.pszText;
  }
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size()) + 1;
  return true;
}

void TListView::CNNotify(TMessage& msg)
{
  auto* hdr = msg.LParamAs<NMHDR>();
  switch (hdr->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
      GetDispInfo(hdr);
      break;
    case LVN_ITEMCHANGING:
      msg.Result = ItemChanging(hdr);
      break;
    case LVN_ITEMCHANGED:
      ItemChanged(hdr);
      break;
    case LVN_ODSTATECHANGED: {
      // A range of items changed at once (a shift-click).
      auto* nm = reinterpret_cast<NMLVODSTATECHANGE*>(hdr);
      if (FOwnerData) {
        if (FOnDataStateChange)
          FOnDataStateChange(this, nm->iFrom, nm->iTo, ItemStatesOf(nm->uOldState), ItemStatesOf(nm->uNewState));
        break;
      }
      if (FFilling || IsDestroying() || !((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED)) break;
      SelectionChanged();
      break;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
      msg.Result = FOwnerData ? FindOwnerDataItem(hdr) : FindItem(hdr);
      break;
    case LVN_ODCACHEHINT:
      if (FOnDataHint) {
        auto* hint = reinterpret_cast<NMLVCACHEHINT*>(hdr);
        FOnDataHint(this, hint->iFrom, hint->iTo);
      }
      break;
    case LVN_COLUMNCLICK: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if (FOnColumnClick && nm->iSubItem >= 0 && nm->iSubItem < FColumns->Count())
        FOnColumnClick(this, FColumns->Items(nm->iSubItem));
      break;
    }
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
      msg.Result = BeginLabelEdit(hdr);
      break;
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW:
      EndLabelEdit(hdr);
      // The caption is the item's: the control keeps no text of its own.
      msg.Result = FALSE;
      break;
    case LVN_GETINFOTIPA:
    case LVN_GETINFOTIPW:
      GetInfoTip(hdr);
      break;
    case NM_CLICK:
    case NM_DBLCLK:
      StateIconClicked(hdr);
      break;
    case LVN_KEYDOWN:
      if (FCheckboxes && reinterpret_cast<NMLVKEYDOWN*>(hdr)->wVKey == VK_SPACE)
        CheckClicked(static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
      break;
    case NM_CUSTOMDRAW:
      msg.Result = CustomDraw(hdr);
      break;
    default:
      break;
  }
}

void TListView::WMNotify(TMessage& msg)
{
  Inherited<TListView>(msg);
  auto* hdr = msg.LParamAs<NMHDR>();
  if (!hdr || !FHandle || hdr->hwndFrom != HeaderHandle()) return;
  if (hdr->code == NM_RCLICK && FOnColumnRightClick) {
    const DWORD pos = GetMessagePos();
    POINT screen{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    HDHITTESTINFO hit{};
    hit.pt = screen;
    ::ScreenToClient(hdr->hwndFrom, &hit.pt);
    const auto index = static_cast<int>(SendMessageA(hdr->hwndFrom, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index >= 0 && index < FColumns->Count()) FOnColumnRightClick(this, FColumns->Items(index), ScreenToClient(screen));
  } else if (hdr->code == HDN_ENDDRAG) {
    // The header puts the column in its new place after this notice.
    PostMessageA(FHandle, CM_LISTVIEWCOLUMNDRAGGED, 0, 0);
  }
}

void TListView::CMColumnDragged(TMessage&)
{
  if (FOnColumnDragged) FOnColumnDragged(this);
}

// --- Texts, images and marks ---

void TListView::GetDispInfo(NMHDR* hdr)
{
  // The item fields sit alike in the ANSI and the wide form of the notice.
  auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
  LVITEMA& asked = info->item;
  const int index = asked.iItem;
  if (index < 0 || index >= FItems->Count()) return;
  TListItem* item = FOwnerData ? FItems->OwnerDataItem(index) : FItems->FItems[static_cast<size_t>(index)];
  const int sub = asked.iSubItem;
  if ((asked.mask & LVIF_TEXT) && asked.cchTextMax > 0) {
    std::string text;
    if (sub == 0)
      text = item->FCaption;
    else if (sub <= item->FSubItems->Count())
      text = item->FSubItems->Strings(sub - 1);
    CopyToBuffer(text, asked.pszText, asked.cchTextMax, hdr->code == LVN_GETDISPINFOW);
  }
  if (asked.mask & LVIF_IMAGE) {
    if (sub == 0) {
      if (FOnGetImageIndex) FOnGetImageIndex(this, item);
      asked.iImage = item->FImageIndex;
    } else {
      int image = -1;
      if (FOnGetSubItemImage) FOnGetSubItemImage(this, item, sub - 1, image);
      asked.iImage = image;
    }
  }
  if ((asked.mask & LVIF_STATE) && sub == 0 && FCheckboxes) {
    asked.state = (asked.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(item->FChecked ? 2 : 1);
    asked.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

void TListView::StateIconClicked(NMHDR* hdr)
{
  if (!FCheckboxes) return;
  LVHITTESTINFO hit{};
  hit.pt = reinterpret_cast<NMITEMACTIVATE*>(hdr)->ptAction;
  const auto index = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (hit.flags & LVHT_ONITEMSTATEICON) CheckClicked(index);
}

void TListView::CheckClicked(int index)
{
  // Some versions of the control change the mark of a virtual list themselves (through a state
  // change notice), others leave it to the list: the mark flips once the click is through, unless
  // it changed meanwhile.
  if (FOwnerData || index < 0 || index >= FItems->Count()) return;
  PostMessageA(FHandle, CM_LISTVIEWCHECKCLICKED, static_cast<WPARAM>(index), FItems->FItems[static_cast<size_t>(index)]->FChecked);
}

void TListView::CMCheckClicked(TMessage& msg)
{
  const auto index = static_cast<int>(msg.WParam);
  if (index < 0 || index >= FItems->Count() || FOwnerData) return;
  TListItem* item = FItems->FItems[static_cast<size_t>(index)];
  if (item->FChecked == (msg.LParam != 0) && CanChange(item, LVIF_STATE)) item->SetChecked(!item->FChecked);
}

// --- Changes ---

bool TListView::CanChange(TListItem* item, int change)
{
  bool allow = true;
  if (FOnChanging) FOnChanging(this, item, ItemChangeOf(change), allow);
  return allow;
}

void TListView::Change(TListItem* item, int change)
{
  if (FOnChange) FOnChange(this, item, ItemChangeOf(change));
}

LRESULT TListView::ItemChanging(NMHDR* hdr)
{
  auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
  if (FFilling || IsDestroying() || !FOnChanging || nm->iItem < 0 || nm->iItem >= FItems->Count()) return FALSE;
  return CanChange(FItems->Item(nm->iItem), static_cast<int>(nm->uChanged)) ? FALSE : TRUE;
}

void TListView::ItemChanged(NMHDR* hdr)
{
  auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
  if (FFilling || IsDestroying() || !(nm->uChanged & LVIF_STATE)) return;
  const UINT changed = nm->uOldState ^ nm->uNewState;
  const bool oneItem = nm->iItem >= 0 && nm->iItem < FItems->Count();
  // A mark the control changed itself (iItem -1 stands for every item).
  if ((changed & LVIS_STATEIMAGEMASK) && FCheckboxes && !FOwnerData) {
    const bool checked = IsChecked(nm->uNewState);
    if (oneItem) {
      FItems->FItems[static_cast<size_t>(nm->iItem)]->SetChecked(checked);
    } else if (nm->iItem < 0) {
      for (size_t i = 0; i < FItems->FItems.size(); ++i) FItems->FItems[i]->SetChecked(checked);
    }
  }
  if (oneItem && FOnChange) Change(FItems->Item(nm->iItem), LVIF_STATE);
  if (nm->iItem >= 0 && !(changed & LVIS_SELECTED)) return;
  if (!FOwnerData) return SelectionChanged();
  if (oneItem) SelectItem(FItems->Item(nm->iItem), (nm->uNewState & LVIS_SELECTED) != 0);
}

void TListView::SelectionChanged()
{
  // Deselections come first, as when one selection replaces another.
  std::vector<std::pair<TWeakRef<TListItem>, bool>> changes;
  for (int i = 0; i < FItems->Count(); ++i) {
    TListItem* item = FItems->FItems[static_cast<size_t>(i)];
    if (item->FSelected && !(ItemState(i, LVIS_SELECTED) & LVIS_SELECTED)) {
      item->FSelected = false;
      changes.emplace_back(item, false);
    }
  }
  for (auto i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
       i >= 0 && i < FItems->Count();) {
    TListItem* item = FItems->FItems[static_cast<size_t>(i)];
    if (!item->FSelected) {
      item->FSelected = true;
      changes.emplace_back(item, true);
    }
    auto next = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
    if (next <= i) break;
    i = next;
  }
  // A handler may delete items: an item freed meanwhile is not told.
  for (const auto& [item, selected] : changes)
    if (TListItem* live = item.Get()) SelectItem(live, selected);
}

void TListView::ItemDeleting(TListItem* item)
{
  if (FOnDeletion && !IsDestroying()) FOnDeletion(this, item);
}

// --- Label editing and tips ---

bool TListView::CanEdit(TListItem* item)
{
  bool allow = true;
  if (FOnEditing) FOnEditing(this, item, allow);
  return allow;
}

LRESULT TListView::BeginLabelEdit(NMHDR* hdr)
{
  const int index = reinterpret_cast<NMLVDISPINFOA*>(hdr)->item.iItem;
  if (index < 0 || index >= FItems->Count()) return TRUE;
  return CanEdit(FItems->Item(index)) ? FALSE : TRUE;
}

void TListView::EndLabelEdit(NMHDR* hdr)
{
  LVITEMA item{};
  std::string text;
  if (!ReadLabelEditResult(hdr, item, text) || item.iItem < 0 || item.iItem >= FItems->Count()) return;
  if (CanChange(FItems->Item(item.iItem), LVIF_TEXT)) Edit(item);
}

void TListView::Edit(const LVITEMA& edited)
{
  if (edited.iItem < 0 || edited.iItem >= FItems->Count()) return;
  TListItem* item = FItems->Item(edited.iItem);
  std::string text = edited.pszText ? edited.pszText : "";
  const TWeakRef<TListItem> alive(item);
  if (FOnEdited) FOnEdited(this, item, text);
  if (!alive || item->FOwnerDataIndex >= 0) return;
  // The change was allowed already: the caption takes the text without asking again.
  item->FCaption = text;
  item->Redraw();
  Change(item, LVIF_TEXT);
  if (FSortType == stText || FSortType == stBoth) SortIfSorted();
}

void TListView::DoInfoTip(TListItem* item, std::string& infoTip)
{
  if (FOnInfoTip) FOnInfoTip(this, item, infoTip);
}

void TListView::GetInfoTip(NMHDR* hdr)
{
  auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(hdr);
  if (!FOnInfoTip || tip->iItem < 0 || tip->iItem >= FItems->Count()) return;
  TListItem* item = FItems->Item(tip->iItem);
  std::string text = item->FCaption;
  DoInfoTip(item, text);
  CopyToBuffer(text, tip->pszText, tip->cchTextMax, hdr->code == LVN_GETINFOTIPW);
}

// --- Finding items ---

int TListView::FindItem(NMHDR* hdr)
{
  // The typed prefix the user looks for; the two forms of the notice differ in the text only.
  auto* find = reinterpret_cast<NMLVFINDITEMA*>(hdr);
  UINT flags = find->lvfi.flags;
  if (!(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  std::string text;
  if (hdr->code == LVN_ODFINDITEMW) {
    const wchar_t* wide = reinterpret_cast<NMLVFINDITEMW*>(hdr)->lvfi.psz;
    if (!wide) return -1;
    text = WideToAnsi(wide);
  } else {
    if (!find->lvfi.psz) return -1;
    text = find->lvfi.psz;
  }
  int count = FItems->Count();
  int start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
  bool partial = (flags & LVFI_PARTIAL) != 0;
  for (int n = 0; n < count; ++n) {
    int i = start + n;
    if (i >= count) {
      if (!(flags & LVFI_WRAP)) break;
      i -= count;
    }
    const std::string& caption = FItems->FItems[static_cast<size_t>(i)]->FCaption;
    if (partial && caption.size() < text.size()) continue;
    int length = static_cast<int>(partial ? text.size() : caption.size());
    if (!partial && caption.size() != text.size()) continue;
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(), length, text.data(),
                       static_cast<int>(text.size())) == CSTR_EQUAL)
      return i;
  }
  return -1;
}

int TListView::FindOwnerDataItem(NMHDR* hdr)
{
  if (!FOnDataFind) return -1;
  auto* find = reinterpret_cast<NMLVFINDITEMA*>(hdr);
  const UINT flags = find->lvfi.flags;
  TItemFind kind = ifExactString;
  if (flags & LVFI_PARAM)
    kind = ifData;
  else if (flags & LVFI_PARTIAL)
    kind = ifPartialString;
  else if (flags & LVFI_NEARESTXY)
    kind = ifNearest;
  std::string text;
  if (flags & (LVFI_STRING | LVFI_PARTIAL))
    text = hdr->code == LVN_ODFINDITEMW ? WideToAnsi(reinterpret_cast<NMLVFINDITEMW*>(hdr)->lvfi.psz)
                                         : std::string(find->lvfi.psz ? find->lvfi.psz : "");
  TSearchDirection direction = sdAll;
  switch (find->lvfi.vkDirection) {
    case VK_LEFT: direction = sdLeft; break;
    case VK_RIGHT: direction = sdRight; break;
    case VK_UP: direction = sdAbove; break;
    case VK_DOWN: direction = sdBelow; break;
    default: break;
  }
  int index = -1;
  FOnDataFind(this, kind, text, find->lvfi.pt, reinterpret_cast<void*>(find->lvfi.lParam), find->iStart, direction,
              (flags & LVFI_WRAP) != 0, index);
  return index;
}

// --- Custom and owner drawing ---

void TListView::CanvasChanged(TObject* sender)
{
  if (sender == FCanvas->Font() && FCanvasFontChange) FCanvasFontChange(sender);
  if (sender == FCanvas->Brush() && FCanvasBrushChange) FCanvasBrushChange(sender);
  FCanvasChanged = true;
}

void TListView::BeginCanvasDrawing(HDC dc)
{
  FCanvas->Lock();
  FCanvas->SetHandle(dc);
  FCanvas->Font()->Assign(Font());
  FCanvas->Brush()->SetColor(Color());
  FCanvasFontChange = FCanvas->Font()->OnChange();
  FCanvasBrushChange = FCanvas->Brush()->OnChange();
  FCanvas->Font()->SetOnChange(TNotifyEvent(this, &TListView::CanvasChanged));
  FCanvas->Brush()->SetOnChange(TNotifyEvent(this, &TListView::CanvasChanged));
  FCanvasChanged = false;
}

void TListView::EndCanvasDrawing()
{
  FCanvas->Font()->SetOnChange(FCanvasFontChange);
  FCanvas->Brush()->SetOnChange(FCanvasBrushChange);
  FCanvasFontChange = TNotifyEvent();
  FCanvasBrushChange = TNotifyEvent();
  FCanvas->SetHandle(nullptr);
  FCanvas->Unlock();
}

LRESULT TListView::CustomDraw(NMHDR* hdr)
{
  auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
  const DWORD stage = cd->nmcd.dwDrawStage;
  const bool itemEvents = FOnCustomDrawItem || FOnAdvancedCustomDrawItem;
  const bool subItemEvents = FOnCustomDrawSubItem || FOnAdvancedCustomDrawSubItem;
  if (!FOnCustomDraw && !FOnAdvancedCustomDraw && !itemEvents && !subItemEvents) return CDRF_DODEFAULT;
  const auto index = static_cast<int>(cd->nmcd.dwItemSpec);
  const bool isItem = (stage & CDDS_ITEM) != 0;
  if (isItem && (index < 0 || index >= FItems->Count())) return CDRF_DODEFAULT;
  TListItem* item = isItem ? FItems->Item(index) : nullptr;
  const TCustomDrawState state = TCustomDrawState::FromInt(cd->nmcd.uItemState & 0x1FF);
  const bool post = (stage & CDDS_POSTPAINT) != 0;
  const TCustomDrawStage drawStage = post ? cdPostPaint : cdPrePaint;
  bool defaultDraw = true;
  LRESULT result = CDRF_DODEFAULT;
  BeginCanvasDrawing(cd->nmcd.hdc);
  try {
    if (!isItem) {
      if (!post && FOnCustomDraw) FOnCustomDraw(this, cd->nmcd.rc, defaultDraw);
      if (defaultDraw && FOnAdvancedCustomDraw) FOnAdvancedCustomDraw(this, cd->nmcd.rc, drawStage, defaultDraw);
      if (!post) {
        if (itemEvents || subItemEvents) result |= CDRF_NOTIFYITEMDRAW;
        if (FOnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTPAINT;
      }
    } else if (!(stage & CDDS_SUBITEM)) {
      if (!post && FOnCustomDrawItem) FOnCustomDrawItem(this, item, state, defaultDraw);
      if (defaultDraw && FOnAdvancedCustomDrawItem)
        FOnAdvancedCustomDrawItem(this, item, state, drawStage, defaultDraw);
      if (!post) {
        if (subItemEvents) result |= CDRF_NOTIFYSUBITEMDRAW;
        if (FOnAdvancedCustomDrawItem) result |= CDRF_NOTIFYPOSTPAINT;
      }
    } else {
      if (!post && FOnCustomDrawSubItem) FOnCustomDrawSubItem(this, item, cd->iSubItem, state, defaultDraw);
      if (defaultDraw && FOnAdvancedCustomDrawSubItem)
        FOnAdvancedCustomDrawSubItem(this, item, cd->iSubItem, state, drawStage, defaultDraw);
      if (!post && FOnAdvancedCustomDrawSubItem) result |= CDRF_NOTIFYPOSTPAINT;
    }
    // Colours and a font set in the event are the ones the control draws the item with.
    if (isItem && !post && FCanvasChanged) {
      cd->clrText = ColorToRGB(FCanvas->Font()->Color());
      cd->clrTextBk = ColorToRGB(FCanvas->Brush()->Color());
      SelectObject(cd->nmcd.hdc, FCanvas->Font()->Handle());
      result |= CDRF_NEWFONT;
    }
  } catch (...) {
    EndCanvasDrawing();
    throw;
  }
  EndCanvasDrawing();
  if (!defaultDraw && !post) return CDRF_SKIPDEFAULT;
  return result;
}

void TListView::CNDrawItem(TMessage& msg)
{
  const auto* dis = msg.LParamAs<DRAWITEMSTRUCT>();
  TCanvasLock lock(FCanvas.get());
  DrawOwnerDrawnItem(FCanvas.get(), this, *dis, true, [this](int index, const RECT& rect, TOwnerDrawState state) {
    if (index >= FItems->Count()) return FCanvas->FillRect(rect);
    TListItem* item = FItems->Item(index);
    if (FOnDrawItem) return FOnDrawItem(this, item, rect, state);
    FCanvas->FillRect(rect);
    FCanvas->TextOut(rect.left + 2, rect.top, item->FCaption);
  });
  msg.Result = TRUE;
}
