#pragma once
// The tree view: the system's tree view control over nodes the class keeps. TTreeNodes holds the
// nodes (text, images, state image, data, expanded state) and the window shows them; the window is
// filled from the nodes whenever it is made, so that making it again loses nothing. Each change of
// a node reaches the window through the window's own messages (TVM_SETITEM, TVM_SETIMAGELIST, ...),
// which a descendant sees in its WndProc; the window's notifications come back to the control
// reflected (CN_NOTIFY), TVN_DELETEITEM for a node deleted by code among them.
//
// Stored forms keep the nodes in the binary property "Items.Data" (see TTreeNodes::ReadData).
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/ImageListLink.h"
#include "classlib/Sets.h"
#include "classlib/SortType.h"
#include <commctrl.h>

class TCustomTreeView;
class TTreeNodes;
class TStream;

class TTreeNode : public TPersistent {
  CL_CLASS(TTreeNode, TPersistent)
public:
  explicit TTreeNode(TTreeNodes* owner) : FOwner(owner) {}

  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;
  // The window's item of the node; nullptr while the control has no window.
  HTREEITEM ItemId() const { return FItemId; }

  TTreeNode* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  // A child; raises EListError for an index outside the children.
  TTreeNode* Item(int index) const;
  // The place among the node's siblings, its depth (0 for a root) and its place in tree order.
  int Index() const;
  int Level() const;
  int AbsoluteIndex() const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next and previous node in tree order (a node, then its children, then its next sibling).
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  bool HasAsParent(const TTreeNode* node) const;

  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  // Images of the tree's Images (the selected one while the node is selected), of its StateImages,
  // and the overlay; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int value);
  int StateIndex() const { return FStateIndex; }
  void SetStateIndex(int value);
  int OverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(int value);
  void* Data() const { return FData; }
  void SetData(void* value);

  // Expanding and collapsing by code ask and tell the tree's events as the user's do.
  bool Expanded() const;
  void SetExpanded(bool value);
  void Expand(bool recurse);
  void Collapse(bool recurse);
  void FullExpand() { Expand(true); }
  bool Selected() const;
  void SetSelected(bool value);
  // Expands the node's parents and scrolls the node into view.
  void MakeVisible();
  // Whether every parent is expanded.
  bool IsVisible() const;
  // The node's rectangle in the window (its label only with textOnly); empty without a window.
  RECT DisplayRect(bool textOnly) const;

  // Frees the node with its children.
  void Delete();
  void DeleteChildren();
  // The text, images, state image and data of another node.
  void Assign(TPersistent* source) override;

private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  // Sends the node's values of mask to its window item.
  void UpdateItem(UINT mask);
  TTreeNodes* FOwner;
  TTreeNode* FParent = nullptr;
  std::vector<TTreeNode*> FChildren;
  std::string FText;
  int FImageIndex = -1, FSelectedIndex = -1, FStateIndex = -1, FOverlayIndex = -1;
  void* FData = nullptr;
  HTREEITEM FItemId = nullptr;
  bool FExpanded = false;  // while there is no window
};

class TTreeNodes : public TPersistent {
  CL_CLASS(TTreeNodes, TPersistent)
public:
  explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
  void BeforeDestruction() override;

  TCustomTreeView* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override;
  // All nodes, and a node by its place in tree order (EListError outside them).
  int Count() const;
  TTreeNode* Item(int index) const;
  TTreeNode* operator[](int index) const { return Item(index); }
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  int RootCount() const { return static_cast<int>(FRoots.size()); }

  // A node after the last of sibling's siblings (a root without sibling), or before the first.
  TTreeNode* Add(TTreeNode* sibling, const std::string& text);
  TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
  // A node after the last child of parent (a root without parent), or before the first.
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
  // A node just before sibling (the last root without sibling).
  TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
  void Delete(TTreeNode* node);
  void Clear();
  // The nodes of another tree (texts, images, state images, data), in place of these.
  void Assign(TPersistent* source) override;

  // Holds back the window's drawing until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // "Data": the nodes as a binary block. Stored nodes are outside input: every count and length is
  // checked against the bytes present, and a block that does not hold whole nodes raises EReadError
  // and leaves no nodes.
  void DefineProperties(TFiler& filer) override;
  void ReadData(TStream& stream);
  void WriteData(TStream& stream) const;

private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  // A new node under parent (nullptr: a root) at index among its siblings.
  TTreeNode* InsertNode(TTreeNode* parent, int index, const std::string& text);
  // The list a node's siblings are in.
  std::vector<TTreeNode*>& SiblingsOf(TTreeNode* parent) { return parent ? parent->FChildren : FRoots; }
  const std::vector<TTreeNode*>& SiblingsOf(const TTreeNode* parent) const
  {
    return parent ? parent->FChildren : FRoots;
  }
  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

// What lies at a point of a tree view: the platform's TVHT_* hit flags, in their order.
enum class THitTest { htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel,
                      htOnRight, htOnStateIcon, htToLeft, htToRight };
using enum THitTest;
using THitTests = TSet<THitTest>;

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVExpandedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVCompareEvent = TEvent<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare)>;
using TTVEditingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = TEvent<void(TObject* Sender, TTreeNode* Node, std::string& S)>;

class TCustomTreeView : public TWinControl {
  CL_CLASS(TCustomTreeView, TWinControl)
public:
  explicit TCustomTreeView(TComponent* owner);
  void BeforeDestruction() override;

  TTreeNodes* Items() const { return FItems.get(); }
  // The selected node, or nullptr.
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* node);
  // The node a notification's item stands for; nullptr while the window is being filled or
  // destroyed (its items come and go, the nodes stay) and for an item of no node.
  TTreeNode* NodeOfItem(const TVITEMA& item) const;
  // The node of a window item, found through the window; nullptr for none.
  TTreeNode* NodeOfHandle(HTREEITEM item) const;
  // What lies at a point of the client area.
  THitTests GetHitTestInfoAt(int x, int y) const;
  // The node whose row is at the point, or nullptr.
  TTreeNode* GetNodeAt(int x, int y) const;
  void FullExpand();
  void FullCollapse();
  // Puts every list of siblings in order (as SortType does).
  void AlphaSort();

  TCustomImageList* Images() const { return FImages.Get(); }
  void SetImages(TCustomImageList* value) { FImages.Set(value); }
  TCustomImageList* StateImages() const { return FStateImages.Get(); }
  void SetStateImages(TCustomImageList* value) { FStateImages.Set(value); }
  // The indent of each level in pixels.
  int Indent() const;
  void SetIndent(int value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  // No editing of the labels.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType value);

  TTVChangedEvent OnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent e) { FOnChange = e; }
  TTVChangingEvent OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent e) { FOnChanging = e; }
  TTVExpandingEvent OnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent e) { FOnExpanding = e; }
  TTVExpandedEvent OnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent e) { FOnExpanded = e; }
  TTVExpandingEvent OnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVExpandingEvent e) { FOnCollapsing = e; }
  TTVExpandedEvent OnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent e) { FOnCollapsed = e; }
  TTVCompareEvent OnCompare() const { return FOnCompare; }
  void SetOnCompare(TTVCompareEvent e) { FOnCompare = e; }
  // Before the window draws a node: the handler may set its image (selected image) index.
  TTVExpandedEvent OnGetImageIndex() const { return FOnGetImageIndex; }
  void SetOnGetImageIndex(TTVExpandedEvent e) { FOnGetImageIndex = e; }
  TTVExpandedEvent OnGetSelectedIndex() const { return FOnGetSelectedIndex; }
  void SetOnGetSelectedIndex(TTVExpandedEvent e) { FOnGetSelectedIndex = e; }
  // A node about to be freed (its children first).
  TTVExpandedEvent OnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TTVExpandedEvent e) { FOnDeletion = e; }
  TTVEditingEvent OnEditing() const { return FOnEditing; }
  void SetOnEditing(TTVEditingEvent e) { FOnEditing = e; }
  TTVEditedEvent OnEdited() const { return FOnEdited; }
  void SetOnEdited(TTVEditedEvent e) { FOnEdited = e; }

  void Notification(TComponent* component, TOperation operation) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual bool CanChange(TTreeNode* node);
  virtual void Change(TTreeNode* node);
  virtual bool CanExpand(TTreeNode* node);
  virtual void Expand(TTreeNode* node);
  virtual bool CanCollapse(TTreeNode* node);
  virtual void Collapse(TTreeNode* node);
  virtual void GetImageIndex(TTreeNode* node);
  virtual void GetSelectedIndex(TTreeNode* node);
  virtual void Delete(TTreeNode* node);
  // Negative, zero or positive as node1 goes before, with or after node2.
  virtual int CompareNodes(TTreeNode* node1, TTreeNode* node2);

private:
  friend class TTreeNode;
  friend class TTreeNodes;
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // Puts node into the window after the item of its previous sibling.
  void InsertItem(TTreeNode* node);
  // Keeps the siblings of node in order when the sort type asks for it on a change of kind.
  void SortSiblingsOf(TTreeNode* node, bool textChanged);
  void SortList(std::vector<TTreeNode*>& list, TTreeNode* parent);
  void ImagesChange(TObject* sender);
  void StateImagesChange(TObject* sender);
  void CNNotify(TMessage& msg);
  void RecreateIfShown();

  TOwned<TTreeNodes> FItems;
  TImageListReference FImages, FStateImages;
  TTreeNode* FSelectedNode = nullptr;  // while there is no window
  int FIndent = 19;
  bool FShowButtons = true, FShowLines = true, FShowRoot = true;
  bool FHideSelection = true, FReadOnly = false;
  TSortType FSortType = stNone;
  // The window's items are being made or let go: no events, and its notifications name no nodes.
  bool FItemsInTransit = false;
  bool FExpandingByCode = false;   // the events were told already
  TTVChangedEvent FOnChange;
  TTVChangingEvent FOnChanging;
  TTVExpandingEvent FOnExpanding, FOnCollapsing;
  TTVExpandedEvent FOnExpanded, FOnCollapsed, FOnGetImageIndex, FOnGetSelectedIndex, FOnDeletion;
  TTVCompareEvent FOnCompare;
  TTVEditingEvent FOnEditing;
  TTVEditedEvent FOnEdited;
};

class TTreeView : public TCustomTreeView {
  CL_CLASS(TTreeView, TCustomTreeView)
public:
  using TCustomTreeView::TCustomTreeView;
};
