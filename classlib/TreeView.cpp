// The tree view control over the system's tree view window.
#include "classlib/TreeView.h"

#include <algorithm>
#include <cstring>
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

namespace {

using TTV = TTreeView;
constexpr TPropInfo TreeViewProps[] = {
  ComponentProp<&TTV::Images, &TTV::SetImages>("Images"),
  ComponentProp<&TTV::StateImages, &TTV::SetStateImages>("StateImages"),
  IntProp<&TTV::Indent, &TTV::SetIndent>("Indent", 19),
  BoolProp<&TTV::ShowButtons, &TTV::SetShowButtons>("ShowButtons", true),
  BoolProp<&TTV::ShowLines, &TTV::SetShowLines>("ShowLines", true),
  BoolProp<&TTV::ShowRoot, &TTV::SetShowRoot>("ShowRoot", true),
  BoolProp<&TTV::HideSelection, &TTV::SetHideSelection>("HideSelection", true),
  BoolProp<&TTV::ReadOnly, &TTV::SetReadOnly>("ReadOnly", false),
  EnumProp<&TTV::SortType, &TTV::SetSortType>("SortType", SortTypeInfo, 0),
  PersistentProp<&TTV::Items>("Items"),
  EventProp<&TTV::OnChange, &TTV::SetOnChange>("OnChange"),
  EventProp<&TTV::OnChanging, &TTV::SetOnChanging>("OnChanging"),
  EventProp<&TTV::OnExpanding, &TTV::SetOnExpanding>("OnExpanding"),
  EventProp<&TTV::OnExpanded, &TTV::SetOnExpanded>("OnExpanded"),
  EventProp<&TTV::OnCollapsing, &TTV::SetOnCollapsing>("OnCollapsing"),
  EventProp<&TTV::OnCollapsed, &TTV::SetOnCollapsed>("OnCollapsed"),
  EventProp<&TTV::OnCompare, &TTV::SetOnCompare>("OnCompare"),
  EventProp<&TTV::OnGetImageIndex, &TTV::SetOnGetImageIndex>("OnGetImageIndex"),
  EventProp<&TTV::OnGetSelectedIndex, &TTV::SetOnGetSelectedIndex>("OnGetSelectedIndex"),
  EventProp<&TTV::OnDeletion, &TTV::SetOnDeletion>("OnDeletion"),
  EventProp<&TTV::OnEditing, &TTV::SetOnEditing>("OnEditing"),
  EventProp<&TTV::OnEdited, &TTV::SetOnEdited>("OnEdited"),
};

// The window's order of siblings is the nodes' order: items compare by their nodes' places.
int CALLBACK CompareByIndex(LPARAM a, LPARAM b, LPARAM)
{
  return reinterpret_cast<TTreeNode*>(a)->Index() - reinterpret_cast<TTreeNode*>(b)->Index();
}

constexpr UINT HitFlags[] = {TVHT_ABOVE,           TVHT_BELOW,       TVHT_NOWHERE,     0 /* any part of the item */,
                             TVHT_ONITEMBUTTON,    TVHT_ONITEMICON,  TVHT_ONITEMINDENT, TVHT_ONITEMLABEL,
                             TVHT_ONITEMRIGHT,     TVHT_ONITEMSTATEICON, TVHT_TOLEFT,   TVHT_TORIGHT};
}  // namespace

CL_MESSAGE_MAP(TCustomTreeView, {CN_NOTIFY, &TCustomTreeView::CNNotify});
CL_DEFINE_CLASS(TCustomTreeView);
CL_DEFINE_CLASS(TTreeView, .Props = TreeViewProps);

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), FItems(MakeOwned<TTreeNodes>(this)),
      FImages(this, TNotifyEvent(this, &TCustomTreeView::ImagesChange)),
      FStateImages(this, TNotifyEvent(this, &TCustomTreeView::StateImagesChange))
{
  FControlStyle = {TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomTreeView::BeforeDestruction()
{
  // The window's items go with it; the nodes go with the node list.
  FItemsInTransit = true;
  FImages.Set(nullptr);
  FStateImages.Set(nullptr);
  TWinControl::BeforeDestruction();
}

LRESULT TCustomTreeView::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
  return SendMessageA(FHandle, msg, wParam, lParam);
}

void TCustomTreeView::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TREEVIEWA);
  if (FShowButtons) params.Style |= TVS_HASBUTTONS;
  if (FShowLines) params.Style |= TVS_HASLINES;
  if (FShowRoot) params.Style |= TVS_LINESATROOT;
  if (!FHideSelection) params.Style |= TVS_SHOWSELALWAYS;
  if (!FReadOnly) params.Style |= TVS_EDITLABELS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd()
{
  TWinControl::CreateWnd();
  // Filling the window is no one's choice: no events.
  const bool oldExpanding = std::exchange(FExpandingByCode, true);
  const bool oldTransit = std::exchange(FItemsInTransit, true);
  try {
    Send(TVM_SETINDENT, static_cast<WPARAM>(FIndent));
    ImagesChange(nullptr);
    StateImagesChange(nullptr);
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext()) InsertItem(n);
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext())
      if (n->FExpanded) Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(n->FItemId));
    if (FSelectedNode) Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSelectedNode->FItemId));
  } catch (...) {
    FExpandingByCode = oldExpanding;
    FItemsInTransit = oldTransit;
    throw;
  }
  FExpandingByCode = oldExpanding;
  FItemsInTransit = oldTransit;
}

void TCustomTreeView::DestroyWnd()
{
  // The nodes keep what the window knew of them.
  FSelectedNode = Selected();
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext()) n->FExpanded = n->Expanded();
  FIndent = Indent();
  FItemsInTransit = true;
  try {
    TWinControl::DestroyWnd();
  } catch (...) {
    FItemsInTransit = false;
    throw;
  }
  FItemsInTransit = false;
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext()) n->FItemId = nullptr;
}

void TCustomTreeView::InsertItem(TTreeNode* node)
{
  TVINSERTSTRUCTA insert{};
  insert.hParent = node->FParent ? node->FParent->FItemId : TVI_ROOT;
  const TTreeNode* prev = node->GetPrevSibling();
  insert.hInsertAfter = prev ? prev->FItemId : TVI_FIRST;
  TVITEMA& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  item.pszText = node->FText.data();
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  item.lParam = reinterpret_cast<LPARAM>(node);
  item.state = INDEXTOSTATEIMAGEMASK(std::max(node->FStateIndex, 0)) | INDEXTOOVERLAYMASK(std::max(node->FOverlayIndex, 0));
  item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK;
  node->FItemId = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!node->FItemId) throw EOutOfResources("The tree view could not take another node");
}

TTreeNode* TCustomTreeView::NodeOfItem(const TVITEMA& item) const
{
  return FItemsInTransit ? nullptr : reinterpret_cast<TTreeNode*>(item.lParam);
}

TTreeNode* TCustomTreeView::NodeOfHandle(HTREEITEM handle) const
{
  if (!handle || !FHandle) return nullptr;
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = handle;
  if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return NodeOfItem(item);
}

TTreeNode* TCustomTreeView::Selected() const
{
  if (!FHandle) return FSelectedNode;
  return NodeOfHandle(reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* node)
{
  if (node && node->FOwner != FItems.get()) throw EInvalidOperation("The node belongs to another tree");
  FSelectedNode = node;
  if (FHandle) Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->FItemId : nullptr));
}

THitTests TCustomTreeView::GetHitTestInfoAt(int x, int y) const
{
  THitTests result;
  if (!FHandle) return result;
  TVHITTESTINFO info{};
  info.pt = POINT{x, y};
  Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  for (size_t i = 0; i < std::size(HitFlags); ++i)
    if (info.flags & HitFlags[i]) result.Include(static_cast<THitTest>(i));
  if (info.flags & TVHT_ONITEM) result.Include(htOnItem);
  return result;
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const
{
  if (!FHandle) return nullptr;
  TVHITTESTINFO info{};
  info.pt = POINT{x, y};
  Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  return (info.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON))
             ? NodeOfHandle(info.hItem)
             : nullptr;
}

void TCustomTreeView::FullExpand()
{
  std::vector<TTreeNode*> roots(FItems->FRoots);
  for (TTreeNode* root : roots) root->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
  std::vector<TTreeNode*> roots(FItems->FRoots);
  for (TTreeNode* root : roots) root->Collapse(true);
}

int TCustomTreeView::Indent() const
{
  return FHandle ? static_cast<int>(Send(TVM_GETINDENT)) : FIndent;
}

void TCustomTreeView::SetIndent(int value)
{
  FIndent = std::max(value, 0);
  if (FHandle) Send(TVM_SETINDENT, static_cast<WPARAM>(FIndent));
}

void TCustomTreeView::RecreateIfShown()
{
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetShowButtons(bool value)
{
  SetAndNotify(FShowButtons, value, [this] { RecreateIfShown(); });
}

void TCustomTreeView::SetShowLines(bool value)
{
  SetAndNotify(FShowLines, value, [this] { RecreateIfShown(); });
}

void TCustomTreeView::SetShowRoot(bool value)
{
  SetAndNotify(FShowRoot, value, [this] { RecreateIfShown(); });
}

void TCustomTreeView::SetHideSelection(bool value)
{
  SetAndNotify(FHideSelection, value, [this] { RecreateIfShown(); });
}

void TCustomTreeView::SetReadOnly(bool value)
{
  SetAndNotify(FReadOnly, value, [this] { RecreateIfShown(); });
}

void TCustomTreeView::SetSortType(TSortType value)
{
  SetAndNotify(FSortType, value, [this] {
    if (FSortType != stNone) AlphaSort();
  });
}

int TCustomTreeView::CompareNodes(TTreeNode* node1, TTreeNode* node2)
{
  if (FOnCompare) {
    int compare = 0;
    FOnCompare(this, node1, node2, 0, compare);
    return compare;
  }
  return AnsiCompareText(node1->Text(), node2->Text());
}

void TCustomTreeView::SortList(std::vector<TTreeNode*>& list, TTreeNode* parent)
{
  if (list.size() < 2) return;
  std::stable_sort(list.begin(), list.end(), [this](TTreeNode* a, TTreeNode* b) { return CompareNodes(a, b) < 0; });
  if (!FHandle || (parent && !parent->FItemId)) return;
  TVSORTCB sort{};
  sort.hParent = parent ? parent->FItemId : TVI_ROOT;
  sort.lpfnCompare = CompareByIndex;
  Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

void TCustomTreeView::SortSiblingsOf(TTreeNode* node, bool textChanged)
{
  const bool sorts = FSortType == stBoth || (textChanged ? FSortType == stText : FSortType == stData);
  if (sorts) SortList(FItems->SiblingsOf(node->FParent), node->FParent);
}

void TCustomTreeView::AlphaSort()
{
  SortList(FItems->FRoots, nullptr);
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext()) SortList(n->FChildren, n);
}

void TCustomTreeView::ImagesChange(TObject*)
{
  if (!FHandle || IsDestroying()) return;
  TCustomImageList* images = FImages.Get();
  Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
  Invalidate();
}

void TCustomTreeView::StateImagesChange(TObject*)
{
  if (!FHandle || IsDestroying()) return;
  TCustomImageList* images = FStateImages.Get();
  Send(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
  Invalidate();
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation)
{
  TWinControl::Notification(component, operation);
  FImages.Notification(component, operation);
  FStateImages.Notification(component, operation);
}

bool TCustomTreeView::CanChange(TTreeNode* node)
{
  bool allow = true;
  if (FOnChanging) FOnChanging(this, node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* node)
{
  if (FOnChange) FOnChange(this, node);
}

bool TCustomTreeView::CanExpand(TTreeNode* node)
{
  bool allow = true;
  if (FOnExpanding) FOnExpanding(this, node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* node)
{
  if (FOnExpanded) FOnExpanded(this, node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* node)
{
  bool allow = true;
  if (FOnCollapsing) FOnCollapsing(this, node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* node)
{
  if (FOnCollapsed) FOnCollapsed(this, node);
}

void TCustomTreeView::GetImageIndex(TTreeNode* node)
{
  if (FOnGetImageIndex) FOnGetImageIndex(this, node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* node)
{
  if (FOnGetSelectedIndex) FOnGetSelectedIndex(this, node);
}

void TCustomTreeView::Delete(TTreeNode* node)
{
  if (FOnDeletion) FOnDeletion(this, node);
}

void TCustomTreeView::CNNotify(TMessage& msg)
{
  auto* hdr = msg.LParamAs<NMHDR>();
  // The ANSI and wide forms of these notifications differ only in their texts.
  auto* tv = reinterpret_cast<NMTREEVIEWA*>(hdr);
  auto* disp = reinterpret_cast<NMTVDISPINFOA*>(hdr);
  msg.Result = 0;
  switch (hdr->code) {
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW: {
      TTreeNode* node = NodeOfItem(disp->item);
      if (!node) return;
      if (disp->item.mask & TVIF_IMAGE) {
        GetImageIndex(node);
        disp->item.iImage = node->FImageIndex;
      }
      if (disp->item.mask & TVIF_SELECTEDIMAGE) {
        // A node without an image of its own for the selection keeps its image.
        GetSelectedIndex(node);
        disp->item.iSelectedImage = node->FSelectedIndex >= 0 ? node->FSelectedIndex : node->FImageIndex;
      }
      return;
    }
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW:
      if (!FItemsInTransit) msg.Result = CanChange(NodeOfItem(tv->itemNew)) ? FALSE : TRUE;
      return;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      if (!FItemsInTransit) Change(NodeOfItem(tv->itemNew));
      return;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      TTreeNode* node = NodeOfItem(tv->itemNew);
      if (FExpandingByCode || !node) return;
      const bool expand = (tv->action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND;
      msg.Result = (expand ? CanExpand(node) : CanCollapse(node)) ? FALSE : TRUE;
      return;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      TTreeNode* node = NodeOfItem(tv->itemNew);
      if (FExpandingByCode || !node) return;
      if ((tv->action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND)
        Expand(node);
      else
        Collapse(node);
      return;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW: {
      bool allow = !FReadOnly;
      TTreeNode* node = NodeOfItem(disp->item);
      if (allow && node && FOnEditing) FOnEditing(this, node, allow);
      msg.Result = allow ? FALSE : TRUE;
      return;
    }
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: {
      TTreeNode* node = NodeOfItem(disp->item);
      if (!node || !disp->item.pszText) return;  // cancelled
      std::string text;
      if (hdr->code == TVN_ENDLABELEDITW) {
        const auto* wide = reinterpret_cast<const wchar_t*>(disp->item.pszText);
        const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        text.assign(static_cast<size_t>(std::max(n - 1, 0)), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), n, nullptr, nullptr);
      } else {
        text = disp->item.pszText;
      }
      if (FOnEdited) FOnEdited(this, node, text);
      // The window takes the text itself when told so; the node keeps it.
      node->FText = text;
      SortSiblingsOf(node, true);
      msg.Result = FALSE;
      node->UpdateItem(TVIF_TEXT);
      return;
    }
    default:
      Inherited<TCustomTreeView>(msg);
  }
}
