// The nodes of a tree view: TTreeNode and TTreeNodes, and the nodes' binary block in stored forms.
#include <algorithm>
#include <cstring>
#include <unordered_map>
#include "classlib/ByteOrder.h"
#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "classlib/TreeView.h"

namespace {
[[noreturn]] void RaiseIndex(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// The node and everything under it, in tree order.
std::vector<TTreeNode*> Subtree(TTreeNode* node)
{
  std::vector<TTreeNode*> nodes;
  const TTreeNode* end = nullptr;
  // The first node after the subtree: the next sibling of the node or of its nearest parent.
  for (const TTreeNode* n = node; n && !end; n = n->Parent()) end = n->GetNextSibling();
  for (TTreeNode* n = node; n && n != end; n = n->GetNext()) nodes.push_back(n);
  return nodes;
}

// A stored node: four image indexes, the number of children and the length of the text, each a
// little-endian 32-bit integer, then the text's bytes. The block starts with the number of roots;
// nodes follow in tree order.
constexpr int64_t NodeHeaderBytes = 24;
}  // namespace

// ----- TTreeNode ----------------------------------------------------------------------------

CL_DEFINE_CLASS(TTreeNode);

TCustomTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

TTreeNode* TTreeNode::Item(int index) const
{
  if (index < 0 || index >= Count()) RaiseIndex(index);
  return FChildren[static_cast<size_t>(index)];
}

int TTreeNode::Index() const
{
  const auto& siblings = FOwner->SiblingsOf(FParent);
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::Level() const
{
  int level = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

int TTreeNode::AbsoluteIndex() const
{
  int index = 0;
  for (const TTreeNode* n = FOwner->GetFirstNode(); n && n != this; n = n->GetNext()) ++index;
  return index;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
  const auto& siblings = FOwner->SiblingsOf(FParent);
  const size_t i = static_cast<size_t>(Index()) + 1;
  return i < siblings.size() ? siblings[i] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
  const int i = Index();
  return i > 0 ? FOwner->SiblingsOf(FParent)[static_cast<size_t>(i - 1)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* next = n->GetNextSibling()) return next;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const
{
  TTreeNode* prev = GetPrevSibling();
  if (!prev) return FParent;
  while (prev->HasChildren()) prev = prev->GetLastChild();
  return prev;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const
{
  for (const TTreeNode* p = FParent; p; p = p->FParent)
    if (p == node) return true;
  return false;
}

void TTreeNode::UpdateItem(UINT mask)
{
  TCustomTreeView* tree = TreeView();
  if (!FItemId || !tree->HandleAllocated()) return;
  TVITEMA item{};
  item.mask = mask | TVIF_HANDLE;
  item.hItem = FItemId;
  item.pszText = FText.data();
  // The images are asked for as the window draws them (OnGetImageIndex may change them).
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  item.state = INDEXTOSTATEIMAGEMASK(std::max(FStateIndex, 0)) | INDEXTOOVERLAYMASK(std::max(FOverlayIndex, 0));
  item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK;
  tree->Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  // The window redraws a changed text itself; images asked for through callbacks need telling.
  RECT r = DisplayRect(false);
  if (!IsRectEmpty(&r)) InvalidateRect(tree->Handle(), &r, TRUE);
}

void TTreeNode::SetText(const std::string& value)
{
  if (FText == value) return;
  FText = value;
  UpdateItem(TVIF_TEXT);
  TreeView()->SortSiblingsOf(this, true);
}

void TTreeNode::SetImageIndex(int value)
{
  SetAndNotify(FImageIndex, value, [this] { UpdateItem(TVIF_IMAGE | TVIF_SELECTEDIMAGE); });
}

void TTreeNode::SetSelectedIndex(int value)
{
  SetAndNotify(FSelectedIndex, value, [this] { UpdateItem(TVIF_IMAGE | TVIF_SELECTEDIMAGE); });
}

void TTreeNode::SetStateIndex(int value)
{
  SetAndNotify(FStateIndex, value, [this] { UpdateItem(TVIF_STATE); });
}

void TTreeNode::SetOverlayIndex(int value)
{
  SetAndNotify(FOverlayIndex, value, [this] { UpdateItem(TVIF_STATE); });
}

void TTreeNode::SetData(void* value)
{
  if (FData == value) return;
  FData = value;
  TreeView()->SortSiblingsOf(this, false);
}

bool TTreeNode::Expanded() const
{
  TCustomTreeView* tree = TreeView();
  if (FItemId && tree->HandleAllocated())
    return (tree->Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  return FExpanded;
}

void TTreeNode::SetExpanded(bool value)
{
  // A node without children has nothing to show or hide.
  if (value == Expanded() || (value && !HasChildren())) return;
  TCustomTreeView* tree = TreeView();
  if (value ? !tree->CanExpand(this) : !tree->CanCollapse(this)) return;
  FExpanded = value;
  if (FItemId && tree->HandleAllocated()) {
    const bool old = std::exchange(tree->FExpandingByCode, true);
    tree->Send(TVM_EXPAND, value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
    tree->FExpandingByCode = old;
  }
  if (value)
    tree->Expand(this);
  else
    tree->Collapse(this);
}

void TTreeNode::Expand(bool recurse)
{
  if (!recurse) {
    SetExpanded(true);
    return;
  }
  for (TTreeNode* node : Subtree(this)) node->SetExpanded(true);
}

void TTreeNode::Collapse(bool recurse)
{
  if (!recurse) {
    SetExpanded(false);
    return;
  }
  std::vector<TTreeNode*> nodes = Subtree(this);
  for (auto n = nodes.rbegin(); n != nodes.rend(); ++n) (*n)->SetExpanded(false);
}

bool TTreeNode::Selected() const { return TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool value)
{
  if (value)
    TreeView()->SetSelected(this);
  else if (Selected())
    TreeView()->SetSelected(nullptr);
}

bool TTreeNode::IsVisible() const
{
  for (const TTreeNode* p = FParent; p; p = p->FParent)
    if (!p->Expanded()) return false;
  return true;
}

void TTreeNode::MakeVisible()
{
  std::vector<TTreeNode*> parents;
  for (TTreeNode* p = FParent; p; p = p->FParent) parents.push_back(p);
  for (auto p = parents.rbegin(); p != parents.rend(); ++p) (*p)->SetExpanded(true);
  TCustomTreeView* tree = TreeView();
  if (FItemId && tree->HandleAllocated()) tree->Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

RECT TTreeNode::DisplayRect(bool textOnly) const
{
  RECT r{};
  TCustomTreeView* tree = TreeView();
  if (!FItemId || !tree->HandleAllocated()) return r;
  std::memcpy(&r, &FItemId, sizeof FItemId);
  if (!tree->Send(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r))) r = RECT{};
  return r;
}

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren()
{
  while (HasChildren()) FOwner->Delete(FChildren.back());
}

void TTreeNode::Assign(TPersistent* source)
{
  auto* node = dynamic_cast<TTreeNode*>(source);
  if (!node) {
    TPersistent::Assign(source);
    return;
  }
  SetText(node->FText);
  SetImageIndex(node->FImageIndex);
  SetSelectedIndex(node->FSelectedIndex);
  SetStateIndex(node->FStateIndex);
  SetOverlayIndex(node->FOverlayIndex);
  SetData(node->FData);
}

// ----- TTreeNodes ---------------------------------------------------------------------------

CL_DEFINE_CLASS(TTreeNodes);

void TTreeNodes::BeforeDestruction()
{
  // The control is going: its nodes go without telling anyone.
  std::vector<TTreeNode*> all;
  for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) all.push_back(n);
  FRoots.clear();
  for (auto n = all.rbegin(); n != all.rend(); ++n) Free(*n);
  TPersistent::BeforeDestruction();
}

TPersistent* TTreeNodes::GetOwner() const { return FOwner; }

int TTreeNodes::Count() const
{
  int count = 0;
  for (const TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++count;
  return count;
}

TTreeNode* TTreeNodes::Item(int index) const
{
  if (index >= 0)
    for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext())
      if (index-- == 0) return n;
  RaiseIndex(index < 0 ? index : Count() + index);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* parent, int index, const std::string& text)
{
  if (parent && parent->FOwner != this) throw EInvalidOperation("The node belongs to another tree");
  auto* node = New<TTreeNode>(this);
  node->FText = text;
  node->FParent = parent;
  auto& siblings = SiblingsOf(parent);
  siblings.insert(siblings.begin() + std::clamp(index, 0, static_cast<int>(siblings.size())), node);
  if (FOwner->HandleAllocated()) {
    try {
      FOwner->InsertItem(node);
    } catch (...) {
      std::erase(siblings, node);
      Free(node);
      throw;
    }
  }
  FOwner->SortSiblingsOf(node, true);
  return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text)
{
  TTreeNode* parent = sibling ? sibling->FParent : nullptr;
  if (sibling && sibling->FOwner != this) throw EInvalidOperation("The node belongs to another tree");
  return InsertNode(parent, static_cast<int>(SiblingsOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text)
{
  if (sibling && sibling->FOwner != this) throw EInvalidOperation("The node belongs to another tree");
  return InsertNode(sibling ? sibling->FParent : nullptr, 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text)
{
  return InsertNode(parent, static_cast<int>(SiblingsOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) { return InsertNode(parent, 0, text); }

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text)
{
  if (!sibling) return InsertNode(nullptr, static_cast<int>(FRoots.size()), text);
  if (sibling->FOwner != this) throw EInvalidOperation("The node belongs to another tree");
  return InsertNode(sibling->FParent, sibling->Index(), text);
}

void TTreeNodes::Delete(TTreeNode* node)
{
  if (!node) return;
  if (node->FOwner != this) throw EInvalidOperation("The node belongs to another tree");
  std::vector<TTreeNode*> nodes = Subtree(node);
  // Told children first; the nodes stay whole until the window has let their items go.
  for (auto n = nodes.rbegin(); n != nodes.rend(); ++n) FOwner->Delete(*n);
  if (node->FItemId && FOwner->HandleAllocated())
    FOwner->Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->FItemId));
  std::erase(SiblingsOf(node->FParent), node);
  if (FOwner->FSelectedNode && (FOwner->FSelectedNode == node || FOwner->FSelectedNode->HasAsParent(node)))
    FOwner->FSelectedNode = nullptr;
  for (auto n = nodes.rbegin(); n != nodes.rend(); ++n) Free(*n);
}

void TTreeNodes::Clear()
{
  BeginUpdate();
  while (!FRoots.empty()) Delete(FRoots.back());
  EndUpdate();
}

void TTreeNodes::Assign(TPersistent* source)
{
  auto* nodes = dynamic_cast<TTreeNodes*>(source);
  if (!nodes) {
    TPersistent::Assign(source);
    return;
  }
  if (nodes == this) return;
  BeginUpdate();
  Clear();
  std::unordered_map<const TTreeNode*, TTreeNode*> copies;
  for (const TTreeNode* n = nodes->GetFirstNode(); n; n = n->GetNext()) {
    TTreeNode* parent = n->FParent ? copies.at(n->FParent) : nullptr;
    TTreeNode* copy = AddChild(parent, n->FText);
    copy->Assign(const_cast<TTreeNode*>(n));
    copies[n] = copy;
  }
  EndUpdate();
}

void TTreeNodes::BeginUpdate()
{
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) FOwner->Send(WM_SETREDRAW, FALSE);
}

void TTreeNodes::EndUpdate()
{
  if (FUpdateCount == 0 || --FUpdateCount > 0 || !FOwner->HandleAllocated()) return;
  FOwner->Send(WM_SETREDRAW, TRUE);
  FOwner->Invalidate();
}

void TTreeNodes::DefineProperties(TFiler& filer)
{
  TPersistent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !FRoots.empty());
}

void TTreeNodes::WriteData(TStream& stream) const
{
  std::vector<uint8_t> out;
  auto put = [&out](int64_t v) { AppendU32(out, static_cast<uint32_t>(static_cast<int32_t>(v))); };
  put(static_cast<int64_t>(FRoots.size()));
  for (const TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) {
    for (int v : {n->FImageIndex, n->FSelectedIndex, n->FStateIndex, n->FOverlayIndex, n->Count()}) put(v);
    put(static_cast<int64_t>(n->FText.size()));
    out.insert(out.end(), n->FText.begin(), n->FText.end());
  }
  stream.WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
}

void TTreeNodes::ReadData(TStream& stream)
{
  Clear();
  const int64_t size = stream.Size() - stream.Position();
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(size, 0)));
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));

  // The whole block is checked before any node is made.
  struct TRecord {
    int Image, Selected, State, Overlay, Parent;
    std::string Text;
  };
  std::vector<TRecord> records;
  size_t at = 0;
  auto fail = [](const std::string& why) -> void { throw EReadError("Tree node data is not valid: " + why); };
  auto left = [&] { return static_cast<int64_t>(bytes.size() - at); };
  auto next = [&]() -> int32_t {
    if (left() < 4) fail("it ends inside a node");
    const auto v = static_cast<int32_t>(LoadU32(bytes.data() + at));
    at += 4;
    return v;
  };
  // A count of nodes that the bytes left cannot hold is refused before anything is read for it.
  auto count = [&](int32_t n) {
    if (n < 0 || n > left() / NodeHeaderBytes) fail("a count of " + std::to_string(n) + " nodes is past its end");
    return n;
  };
  try {
    // Each entry: a parent record and how many of its children are still to come.
    std::vector<std::pair<int, int32_t>> open{{-1, count(next())}};
    while (!open.empty()) {
      if (open.back().second == 0) {
        open.pop_back();
        continue;
      }
      --open.back().second;
      TRecord r{};
      r.Parent = open.back().first;
      r.Image = next();
      r.Selected = next();
      r.State = next();
      r.Overlay = next();
      const int32_t children = next();
      const int32_t length = next();
      if (length < 0 || length > left()) fail("a text of " + std::to_string(length) + " bytes is past its end");
      r.Text.assign(reinterpret_cast<const char*>(bytes.data() + at), static_cast<size_t>(length));
      at += static_cast<size_t>(length);
      records.push_back(std::move(r));
      open.emplace_back(static_cast<int>(records.size()) - 1, count(children));
    }
    if (left() != 0) fail(std::to_string(left()) + " bytes follow the last node");
  } catch (const EReadError&) {
    Clear();
    throw;
  }

  BeginUpdate();
  try {
    std::vector<TTreeNode*> made;
    made.reserve(records.size());
    for (const TRecord& r : records) {
      TTreeNode* node = AddChild(r.Parent >= 0 ? made[static_cast<size_t>(r.Parent)] : nullptr, r.Text);
      node->SetImageIndex(r.Image);
      node->SetSelectedIndex(r.Selected);
      node->SetStateIndex(r.State);
      node->SetOverlayIndex(r.Overlay);
      made.push_back(node);
    }
  } catch (...) {
    Clear();
    EndUpdate();
    throw;
  }
  EndUpdate();
}
