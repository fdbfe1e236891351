#pragma once
// TListView: the system's list view control. The items, their texts and their columns live in
// the class; the control is a virtual one that holds only the number of items and their states
// and asks for texts when it draws them, so that recreating the window loses nothing, the two
// never disagree, and filling a long list costs one message per update.
#include <string>
#include <vector>
#include "classlib/Collection.h"
#include "classlib/Controls.h"
#include "classlib/Strings.h"

class TListView;
class TListItems;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
using enum TViewStyle;

class TListColumn : public TCollectionItem {
  CL_CLASS(TListColumn, TCollectionItem)
public:
  explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  // The width the control shows now (the user may have dragged it).
  int Width() const;
  void SetWidth(int value);
  std::string DisplayName() const override { return FCaption; }
  void Assign(TPersistent* source) override;

private:
  friend class TListColumns;
  friend class TListView;
  std::string FCaption;
  int FWidth = 50;
};

class TListColumns : public TCollection {
  CL_CLASS(TListColumns, TCollection)
public:
  explicit TListColumns(TListView* owner);
  TListColumn* Add() { return TCollection::Add<TListColumn>(); }
  TListColumn* Items(int index) const { return Item<TListColumn>(index); }
  TListView* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override;

protected:
  void Update(TCollectionItem* item) override;

private:
  TListView* FOwner;
};

class TListItem : public TPersistent {
  CL_CLASS(TListItem, TPersistent)
public:
  explicit TListItem(TListItems* owner);
  void BeforeDestruction() override;

  TListItems* Owner() const { return FOwner; }
  TListView* ListView() const;
  int Index() const;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  // The texts of the columns after the first.
  TStrings* SubItems() const { return FSubItems.get(); }
  bool Selected() const;
  void SetSelected(bool value);
  bool Focused() const;
  void SetFocused(bool value);
  // Scrolls the item into view (entirely, unless partialOK).
  void MakeVisible(bool partialOK);
  void Delete();

private:
  friend class TListView;
  void SubItemsChanged(TObject* sender);
  void Redraw();
  TListItems* FOwner;
  std::string FCaption;
  TOwned<TStringList> FSubItems;
  // The item's state while the control has no window; with a window, the selection the
  // list view last reported for the item.
  bool FSelected = false;
  bool FFocused = false;
};

class TListItems : public TPersistent {
  CL_CLASS(TListItems, TPersistent)
public:
  explicit TListItems(TListView* owner) : FOwner(owner) {}
  void BeforeDestruction() override;

  TListView* Owner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TListItem* Item(int index) const;
  TListItem* operator[](int index) const { return Item(index); }
  TListItem* Add() { return Insert(Count()); }
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int IndexOf(const TListItem* item) const;
  // Holds back redrawing until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }
  TPersistent* GetOwner() const override;

private:
  friend class TListView;
  friend class TListItem;
  TListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
};

using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TListView : public TWinControl {
  CL_CLASS(TListView, TWinControl)
public:
  explicit TListView(TComponent* owner);
  void BeforeDestruction() override;

  TListColumns* Columns() const { return FColumns.get(); }
  TListItems* Items() const { return FItems.get(); }
  // The first selected item, or nullptr.
  TListItem* Selected() const;
  void SetSelected(TListItem* item);
  int SelCount() const;
  TListItem* ItemFocused() const;

  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);

  TLVSelectItemEvent OnSelectItem() const { return FOnSelectItem; }
  void SetOnSelectItem(TLVSelectItemEvent e) { FOnSelectItem = e; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void SelectItem(TListItem* item, bool selected);

private:
  friend class TListColumns;
  friend class TListColumn;
  friend class TListItems;
  friend class TListItem;
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // The window shows the report view (its column widths are the columns').
  bool ReportShown() const;
  void UpdateColumns();
  void UpdateExtendedStyles();
  // The number of items the window holds; appends made while the items are updating reach
  // the window at EndUpdate (or when something needs them sooner: SyncCount).
  int WindowCount() const;
  void SyncCount();
  void InsertItemWindow(int index);
  UINT ItemState(int index, UINT mask) const;
  void SetItemState(int index, UINT mask, UINT state);
  void CNNotify(TMessage& msg);
  void WMDestroy(TMessage& msg);
  void GetDispInfo(NMHDR* hdr);
  int FindItem(NMHDR* hdr) const;
  // Fires OnSelectItem for every item whose selection differs from what the item last knew.
  void SelectionChanged();

  TOwned<TListColumns> FColumns;
  TOwned<TListItems> FItems;
  TViewStyle FViewStyle = vsIcon;
  bool FRowSelect = false;
  bool FGridLines = false;
  bool FHideSelection = true;
  bool FMultiSelect = false;
  // Set while the window is filled from the items: the states it restores are no user's choice.
  bool FFilling = false;
  TLVSelectItemEvent FOnSelectItem;
};
