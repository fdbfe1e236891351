#pragma once
// TListView: the system's list view control. The items, their texts and their columns live in
// the class; the control is a virtual one that holds only the number of items and their states
// and asks for texts, images and check marks when it draws them, so that recreating the window
// loses nothing, the two never disagree, and filling a long list costs one message per update.
//
// With OwnerData the list holds no items at all: the program sets the number of items and hands
// out each one's texts through OnData when the control asks (Items->Item(i) answers one reused
// item filled that way).
#include <commctrl.h>
#include <string>
#include <vector>
#include "classlib/ClassRef.h"
#include "classlib/Collection.h"
#include "classlib/SortType.h"
#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"

class TListView;
class TListItems;

// Messages the list view posts to itself: a check box was clicked (wParam: the item; lParam: its
// mark before), a column was dragged to another place.
constexpr UINT CM_LISTVIEWCHECKCLICKED = CM_BASE + 100;
constexpr UINT CM_LISTVIEWCOLUMNDRAGGED = CM_BASE + 101;
class TCustomImageList;
class TChangeLink;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
using enum TViewStyle;
// Where the icons of the icon views line up: along the top or down the left side.
enum class TIconArrangement { iaTop, iaLeft };
using enum TIconArrangement;
// What changed of an item (OnChanging, OnChange).
enum class TItemChange { ctText, ctImage, ctState };
using enum TItemChange;
// The states of items in a range (OnDataStateChange).
enum class TItemStateFlag { isNone, isCut, isDropHilited, isFocused, isSelected, isActivating };
using enum TItemStateFlag;
using TItemStates = TSet<TItemStateFlag>;
// The state of what is being drawn (custom draw events).
enum class TCustomDrawStateFlag {
  cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate
};
using enum TCustomDrawStateFlag;
using TCustomDrawState = TSet<TCustomDrawStateFlag>;
enum class TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
using enum TCustomDrawStage;
// What an owner-data list is asked to find (OnDataFind), and in which direction.
enum class TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
using enum TItemFind;
enum class TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
using enum TSearchDirection;
// The part of an item a rectangle is asked for.
enum class TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
using enum TDisplayCode;

class TListColumn : public TCollectionItem {
  CL_CLASS(TListColumn, TCollectionItem)
public:
  explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  // The width the control shows now (the user may have dragged it).
  int Width() const;
  void SetWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  // The header image (SmallImages); -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  std::string DisplayName() const override { return FCaption; }
  void Assign(TPersistent* source) override;

private:
  friend class TListColumns;
  friend class TListView;
  std::string FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  int FImageIndex = -1;
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
  // Items are made with their list.
  struct TMeta : TMetaClassOf<TListItem, TListItems*> {};
  explicit TListItem(TListItems* owner);
  void BeforeDestruction() override;

  TListItems* Owner() const { return FOwner; }
  TListView* ListView() const;
  int Index() const;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  // The texts of the columns after the first.
  TStrings* SubItems() const { return FSubItems.get(); }
  // The image in SmallImages or LargeImages; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // The check mark shown with Checkboxes.
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  // The program's own value for the item.
  void* Data() const { return FData; }
  void SetData(void* value) { FData = value; }
  bool Selected() const;
  void SetSelected(bool value);
  bool Focused() const;
  void SetFocused(bool value);
  // Scrolls the item into view (entirely, unless partialOK).
  void MakeVisible(bool partialOK);
  // The part of the item in client coordinates; empty while the control has no window.
  RECT DisplayRect(TDisplayCode code) const;
  // Opens the label editor on the item; answers whether it opened.
  bool EditCaption();
  void Delete();
  void Assign(TPersistent* source) override;

private:
  friend class TListView;
  friend class TListItems;
  void SubItemsChanged(TObject* sender);
  void Redraw();
  TListItems* FOwner;
  std::string FCaption;
  TOwned<TStringList> FSubItems;
  int FImageIndex = -1;
  bool FChecked = false;
  void* FData = nullptr;
  // The item's state while the control has no window; with a window, the selection the
  // list view last reported for the item.
  bool FSelected = false;
  bool FFocused = false;
  // The position of the one reused item of an owner-data list.
  int FOwnerDataIndex = -1;
};

// The class of new items (OnCreateItemClass).
using TListItemClass = TClassRef<TListItem>;

class TListItems : public TPersistent {
  CL_CLASS(TListItems, TPersistent)
public:
  explicit TListItems(TListView* owner) : FOwner(owner) {}
  void BeforeDestruction() override;

  TListView* Owner() const { return FOwner; }
  int Count() const;
  // Sets the number of items of an owner-data list; raises EListError for a list that holds its
  // items.
  void SetCount(int value);
  TListItem* Item(int index) const;
  TListItem* operator[](int index) const { return Item(index); }
  TListItem* Add() { return Insert(Count()); }
  // Raises EListError for an owner-data list, which holds no items.
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int IndexOf(const TListItem* item) const;
  // Holds back redrawing until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }
  // Replaces the items by copies of another list's.
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

private:
  friend class TListView;
  friend class TListItem;
  // The reused item of an owner-data list, filled for the index through OnData.
  TListItem* OwnerDataItem(int index) const;
  TListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
  int FOwnerDataCount = 0;
  mutable TOwned<TListItem> FOwnerDataItem;
};

// The icon layout of the icon views.
class TIconOptions : public TPersistent {
  CL_CLASS(TIconOptions, TPersistent)
public:
  explicit TIconOptions(TListView* owner) : FListView(owner) {}
  TIconArrangement Arrangement() const { return FArrangement; }
  void SetArrangement(TIconArrangement value);
  bool AutoArrange() const { return FAutoArrange; }
  void SetAutoArrange(bool value);
  bool WrapText() const { return FWrapText; }
  void SetWrapText(bool value);
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

private:
  TListView* FListView;
  TIconArrangement FArrangement = iaTop;
  bool FAutoArrange = false;
  bool FWrapText = true;
};

using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVChangeEvent = TEvent<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent = TEvent<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;
// Point in the list's client coordinates.
using TLVColumnRClickEvent = TEvent<void(TObject* Sender, TListColumn* Column, POINT Point)>;
using TLVCompareEvent = TEvent<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVCreateItemClassEvent = TEvent<void(TObject* Sender, TListItemClass& ItemClass)>;
using TLVCustomDrawEvent = TEvent<void(TObject* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TLVCustomDrawItemEvent =
    TEvent<void(TObject* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
using TLVCustomDrawSubItemEvent =
    TEvent<void(TObject* Sender, TListItem* Item, int SubItem, TCustomDrawState State, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawEvent =
    TEvent<void(TObject* Sender, const RECT& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawItemEvent = TEvent<void(TObject* Sender, TListItem* Item, TCustomDrawState State,
                                                   TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawSubItemEvent = TEvent<void(TObject* Sender, TListItem* Item, int SubItem,
                                                      TCustomDrawState State, TCustomDrawStage Stage,
                                                      bool& DefaultDraw)>;
using TLVOwnerDataEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVOwnerDataFindEvent =
    TEvent<void(TObject* Sender, TItemFind Find, const std::string& FindString, POINT FindPosition,
                void* FindData, int StartIndex, TSearchDirection Direction, bool Wrap, int& Index)>;
using TLVOwnerDataHintEvent = TEvent<void(TObject* Sender, int StartIndex, int EndIndex)>;
using TLVOwnerDataStateChangeEvent =
    TEvent<void(TObject* Sender, int StartIndex, int EndIndex, TItemStates OldState, TItemStates NewState)>;
using TLVDeletedEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVDrawItemEvent = TEvent<void(TObject* Sender, TListItem* Item, const RECT& Rect, TOwnerDrawState State)>;
using TLVEditedEvent = TEvent<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVEditingEvent = TEvent<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVNotifyEvent = TEvent<void(TObject* Sender, TListItem* Item)>;
using TLVSubItemImageEvent = TEvent<void(TObject* Sender, TListItem* Item, int SubItem, int& ImageIndex)>;
using TLVInfoTipEvent = TEvent<void(TObject* Sender, TListItem* Item, std::string& InfoTip)>;

// The names of the list view's enumerations, for the properties of those types.
extern const TEnumInfo ViewStyleInfo;
extern const TEnumInfo IconArrangementInfo;

// The item and, when there is one, the new text of a label-edit end in either code (ANSI or wide);
// answers whether the notification carries a text.
bool ReadLabelEditResult(const NMHDR* hdr, LVITEMA& item, std::string& text);
constexpr bool IsEndLabelEditCode(UINT code) { return code == LVN_ENDLABELEDITA || code == LVN_ENDLABELEDITW; }

#define CL_LISTVIEW_EVENT(Type, Name) \
  Type Name() const { return F##Name; } \
  void Set##Name(Type e) { F##Name = e; }

class TListView : public TWinControl {
  CL_CLASS(TListView, TWinControl)
public:
  explicit TListView(TComponent* owner);
  ~TListView() override;
  void BeforeDestruction() override;

  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TListColumns* value) { FColumns->Assign(value); }
  TListItems* Items() const { return FItems.get(); }
  void SetItems(TListItems* value) { FItems->Assign(value); }
  // Removes every item.
  void Clear() { FItems->Clear(); }
  // The first selected item, or nullptr.
  TListItem* Selected() const;
  void SetSelected(TListItem* item);
  int SelCount() const;
  TListItem* ItemFocused() const;
  // The index of the selected item (-1 for none); setting selects and focuses that item alone.
  int ItemIndex() const;
  void SetItemIndex(int value);
  // The item at a point of the client area, or nullptr.
  TListItem* GetItemAt(int x, int y) const;
  // Deletes the selected items.
  virtual void DeleteSelected();
  // A label editor is open.
  bool IsEditing() const;
  // Sorts the items by OnCompare, or by their captions without it.
  void AlphaSort();
  // The canvas of custom and owner drawing: it draws on the device context of the drawing under
  // way.
  TCanvas* Canvas() const { return FCanvas.get(); }
  // Scales the column widths with the control.
  void ChangeScale(int m, int d) override;

  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value);
  // bsSingle: the sunken edge of the system's lists; bsNone: no border.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);
  // A memory hint of the system's lists; a virtual list holds the number of its items anyway.
  int AllocBy() const { return FAllocBy; }
  void SetAllocBy(int value) { FAllocBy = value; }
  // Milliseconds the mouse rests before hot tracking selects; -1 for the system's time.
  int HoverTime() const { return FHoverTime; }
  void SetHoverTime(int value);
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value);
  bool OwnerData() const { return FOwnerData; }
  void SetOwnerData(bool value);
  bool ShowWorkAreas() const { return FShowWorkAreas; }
  void SetShowWorkAreas(bool value) { FShowWorkAreas = value; }
  // The column headers act as buttons.
  bool ColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool value);
  // Labels cannot be edited.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  // The report view's items are drawn by OnDrawItem.
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool value);
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType value);
  TIconOptions* IconOptions() const { return FIconOptions.get(); }
  void SetIconOptions(TIconOptions* value) { FIconOptions->Assign(value); }
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* value);
  TCustomImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* value);
  TCustomImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* value);

  CL_LISTVIEW_EVENT(TLVAdvancedCustomDrawEvent, OnAdvancedCustomDraw)
  CL_LISTVIEW_EVENT(TLVAdvancedCustomDrawItemEvent, OnAdvancedCustomDrawItem)
  CL_LISTVIEW_EVENT(TLVAdvancedCustomDrawSubItemEvent, OnAdvancedCustomDrawSubItem)
  CL_LISTVIEW_EVENT(TLVChangeEvent, OnChange)
  CL_LISTVIEW_EVENT(TLVChangingEvent, OnChanging)
  CL_LISTVIEW_EVENT(TLVColumnClickEvent, OnColumnClick)
  CL_LISTVIEW_EVENT(TNotifyEvent, OnColumnDragged)
  CL_LISTVIEW_EVENT(TLVColumnRClickEvent, OnColumnRightClick)
  CL_LISTVIEW_EVENT(TLVCompareEvent, OnCompare)
  CL_LISTVIEW_EVENT(TLVCreateItemClassEvent, OnCreateItemClass)
  CL_LISTVIEW_EVENT(TLVCustomDrawEvent, OnCustomDraw)
  CL_LISTVIEW_EVENT(TLVCustomDrawItemEvent, OnCustomDrawItem)
  CL_LISTVIEW_EVENT(TLVCustomDrawSubItemEvent, OnCustomDrawSubItem)
  CL_LISTVIEW_EVENT(TLVOwnerDataEvent, OnData)
  CL_LISTVIEW_EVENT(TLVOwnerDataFindEvent, OnDataFind)
  CL_LISTVIEW_EVENT(TLVOwnerDataHintEvent, OnDataHint)
  CL_LISTVIEW_EVENT(TLVOwnerDataStateChangeEvent, OnDataStateChange)
  CL_LISTVIEW_EVENT(TLVDeletedEvent, OnDeletion)
  CL_LISTVIEW_EVENT(TLVDrawItemEvent, OnDrawItem)
  CL_LISTVIEW_EVENT(TLVEditedEvent, OnEdited)
  CL_LISTVIEW_EVENT(TLVEditingEvent, OnEditing)
  CL_LISTVIEW_EVENT(TLVNotifyEvent, OnGetImageIndex)
  CL_LISTVIEW_EVENT(TLVSubItemImageEvent, OnGetSubItemImage)
  TLVInfoTipEvent OnInfoTip() const { return FOnInfoTip; }
  // The control shows item tips while there is a handler.
  void SetOnInfoTip(TLVInfoTipEvent e);
  CL_LISTVIEW_EVENT(TLVDeletedEvent, OnInsert)
  CL_LISTVIEW_EVENT(TLVSelectItemEvent, OnSelectItem)

  void Notification(TComponent* component, TOperation operation) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // With automatic dragging a press still reaches the list, which selects the pressed item; the
  // drag starts once the list has handled the press.
  void WndProc(TMessage& msg) override;
  virtual void SelectItem(TListItem* item, bool selected);
  // Whether a label edit may start on the item (OnEditing).
  virtual bool CanEdit(TListItem* item);
  // Whether the item may change (OnChanging); change is LVIF_TEXT, LVIF_IMAGE or LVIF_STATE.
  virtual bool CanChange(TListItem* item, int change);
  virtual void Change(TListItem* item, int change);
  // A label edit ended with a new text: OnEdited may change it, then the caption takes it.
  virtual void Edit(const LVITEMA& item);
  // The tip text of an item (OnInfoTip).
  virtual void DoInfoTip(TListItem* item, std::string& infoTip);
  // The class of new items (OnCreateItemClass).
  virtual TListItemClass CreateListItemClass();

private:
  friend class TListColumns;
  friend class TListColumn;
  friend class TListItems;
  friend class TListItem;
  friend class TIconOptions;
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // The window shows the report view (its column widths are the columns').
  bool ReportShown() const;
  HWND HeaderHandle() const;
  void UpdateColumns();
  void UpdateColumn(int index);
  void UpdateExtendedStyles();
  void UpdateImageLists();
  void ImageListChanged(TObject* sender);
  void SetImageList(TCustomImageList*& field, TChangeLink* link, TCustomImageList* value);
  // The number of items the window holds; appends made while the items are updating reach
  // the window at EndUpdate (or when something needs them sooner: SyncCount).
  int WindowCount() const;
  void SyncCount();
  void InsertItemWindow(int index);
  UINT ItemState(int index, UINT mask) const;
  void SetItemState(int index, UINT mask, UINT state);
  // The window's selection and focus into the items, and the items' into the window.
  void StatesToItems();
  void StatesToWindow();
  // Keeps a sorted list in order (unless the items are updating: EndUpdate sorts).
  void SortIfSorted();
  int CompareItems(TListItem* a, TListItem* b);
  void CanvasChanged(TObject* sender);
  // The canvas on the device context of a drawing, with the control's font and colour, and its
  // font and brush changes noted in FCanvasChanged.
  void BeginCanvasDrawing(HDC dc);
  void EndCanvasDrawing();
  void SetStyleFlag(bool& field, bool value);
  // After a click on a check box or Space: the item's mark flips unless the control changed it
  // meanwhile.
  void CheckClicked(int index);
  void CMCheckClicked(TMessage& msg);
  void CMColumnDragged(TMessage& msg);
  void CNNotify(TMessage& msg);
  void CNDrawItem(TMessage& msg);
  void WMNotify(TMessage& msg);
  void WMDestroy(TMessage& msg);
  void WMLButtonDown(TMessage& msg);
  void GetDispInfo(NMHDR* hdr);
  void ItemChanged(NMHDR* hdr);
  LRESULT ItemChanging(NMHDR* hdr);
  LRESULT BeginLabelEdit(NMHDR* hdr);
  void EndLabelEdit(NMHDR* hdr);
  void GetInfoTip(NMHDR* hdr);
  void StateIconClicked(NMHDR* hdr);
  LRESULT CustomDraw(NMHDR* hdr);
  int FindItem(NMHDR* hdr);
  int FindOwnerDataItem(NMHDR* hdr);
  // Fires OnSelectItem for every item whose selection differs from what the item last knew.
  void SelectionChanged();
  void ItemDeleting(TListItem* item);

  TOwned<TListColumns> FColumns;
  TOwned<TListItems> FItems;
  TOwned<TIconOptions> FIconOptions;
  TOwned<TControlCanvas> FCanvas;
  TOwned<TChangeLink> FLargeChangeLink, FSmallChangeLink, FStateChangeLink;
  TCustomImageList* FLargeImages = nullptr;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  TViewStyle FViewStyle = vsIcon;
  bool FDragOnPress = false;  // a press of an automatically dragged list is under way
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  TSortType FSortType = stNone;
  bool FRowSelect = false;
  bool FGridLines = false;
  bool FHideSelection = true;
  bool FMultiSelect = false;
  int FAllocBy = 0;
  int FHoverTime = -1;
  bool FCheckboxes = false;
  bool FHotTrack = false;
  bool FOwnerData = false;
  bool FShowWorkAreas = false;
  bool FColumnClick = true;
  bool FShowColumnHeaders = true;
  bool FReadOnly = false;
  bool FOwnerDraw = false;
  // Set while the window is filled from the items: the states it restores are no user's choice.
  bool FFilling = false;
  // Set by a change of the canvas's font or brush in a custom drawing event; the canvas's own
  // handlers of those changes, called first.
  bool FCanvasChanged = false;
  TNotifyEvent FCanvasFontChange, FCanvasBrushChange;
  // The items were changed while updating: EndUpdate sorts them.
  bool FSortPending = false;
  TLVAdvancedCustomDrawEvent FOnAdvancedCustomDraw;
  TLVAdvancedCustomDrawItemEvent FOnAdvancedCustomDrawItem;
  TLVAdvancedCustomDrawSubItemEvent FOnAdvancedCustomDrawSubItem;
  TLVChangeEvent FOnChange;
  TLVChangingEvent FOnChanging;
  TLVColumnClickEvent FOnColumnClick;
  TNotifyEvent FOnColumnDragged;
  TLVColumnRClickEvent FOnColumnRightClick;
  TLVCompareEvent FOnCompare;
  TLVCreateItemClassEvent FOnCreateItemClass;
  TLVCustomDrawEvent FOnCustomDraw;
  TLVCustomDrawItemEvent FOnCustomDrawItem;
  TLVCustomDrawSubItemEvent FOnCustomDrawSubItem;
  TLVOwnerDataEvent FOnData;
  TLVOwnerDataFindEvent FOnDataFind;
  TLVOwnerDataHintEvent FOnDataHint;
  TLVOwnerDataStateChangeEvent FOnDataStateChange;
  TLVDeletedEvent FOnDeletion;
  TLVDrawItemEvent FOnDrawItem;
  TLVEditedEvent FOnEdited;
  TLVEditingEvent FOnEditing;
  TLVNotifyEvent FOnGetImageIndex;
  TLVSubItemImageEvent FOnGetSubItemImage;
  TLVInfoTipEvent FOnInfoTip;
  TLVDeletedEvent FOnInsert;
  TLVSelectItemEvent FOnSelectItem;
};

#undef CL_LISTVIEW_EVENT
