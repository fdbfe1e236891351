#pragma once
// TcxListView: the toolkit's list view. A container (border, styles, painted scroll bars that
// mirror the native ones) hosting one inner list view, the class library's list view made to live
// inside it: the inner list view forwards its input to the container, carries out the painted
// bars' scroll requests, reports a cancelled label edit, and takes over the native header window,
// drawing every section through the container's look-and-feel painter with hot and pressed states.
// The container publishes the inner list view's properties and events under their own names.
//
// The header drawing routines stand apart from the list view: they draw any header window that
// answers DXM_HEADERITEMINFO with a THeaderItemInfo.
#include <cstdint>
#include <string>
#include <string_view>
#include "classlib/ListView.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/controls/cxContainer.h"

class TcxCanvas;
class TcxLookAndFeel;
class TcxCustomListView;
class TcxWindowProcLinkedObject;
class TCustomImageList;

// Asks a header window for the drawing information of one section: wParam the display position,
// lParam a THeaderItemInfo. The answer is the record's address, or 0 when nothing was written (no
// record, a position outside the sections and the area after them).
constexpr UINT DXM_HEADERITEMINFO = WM_DX + 55;  // 0x809B

// What a header window tells about one section. The fields follow one another without gaps; Text
// is a string of its own, made by SetHeaderItemText and freed by FinalizeHeaderItemInfo.
#pragma pack(push, 1)
struct THeaderItemInfo {
  int32_t ImageIndex;  // -1 for none
  RECT Rect;           // the section in the header's client coordinates
  uint8_t Alignment;   // TAlignment of the caption
  uint8_t SortOrder;   // 0 no sort mark, 1 ascending, 2 descending
  uint8_t State;       // TcxButtonState
  char* Text;
};
#pragma pack(pop)
static_assert(sizeof(RECT) == 16 && sizeof(THeaderItemInfo) == 23 + sizeof(char*));

// Empties the record (no text); frees its text and empties it; replaces its text.
void InitializeHeaderItemInfo(THeaderItemInfo& info);
void FinalizeHeaderItemInfo(THeaderItemInfo& info);
void SetHeaderItemText(THeaderItemInfo& info, std::string_view text);
inline std::string_view HeaderItemText(const THeaderItemInfo& info) { return info.Text ? info.Text : ""; }

// The version of the common controls as major * 65536 + minor (4.70: 0x40046); the older header
// geometry is used before 4.70. Tests replace it.
using TcxComCtlVersionFunc = DWORD (*)();
extern TcxComCtlVersionFunc cxComCtlVersion;
constexpr DWORD cxComCtlVersion470 = (4u << 16) | 70u;

// Draws the section at a display position of the header (the position equal to the item count is
// the area after the last section) on the canvas, with the canvas's brush as background and its
// font; images may be nullptr.
void DrawHeaderItem(HWND header, int position, TcxCanvas* canvas, TCustomImageList* images,
                    TcxLookAndFeel* lookAndFeel);
// The content bounds narrowed by 4 on the left and 4 on the right, 15 with a sort mark.
RECT CalculateHeaderTextRect(const RECT& contentBounds, bool hasSortMark);
// Makes room for the image in the text rectangle (the caption's alignment may become left) and
// answers the image's rectangle.
RECT CalculateHeaderImageRect(RECT& textRect, THeaderItemInfo& info, TcxCanvas* canvas, TCustomImageList* images);
void DrawHeaderSortMark(TcxCanvas* canvas, TcxCustomLookAndFeelPainter* painter, const RECT& bounds, int sortOrder);

// The class library's list view living inside a TcxCustomListView.
class TcxCustomInnerListView : public TListView, public IcxContainerInnerControl {
  CL_CLASS(TcxCustomInnerListView, TListView)
public:
  explicit TcxCustomInnerListView(TComponent* owner);
  ~TcxCustomInnerListView() override;
  void BeforeDestruction() override;
  // The container's icon options again, and the hint in effect now becomes the saved hint.
  void Loaded() override;

  // IcxContainerInnerControl.
  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override;
  TcxCustomListView* Container() const { return FContainer; }
  void SetContainer(TcxCustomListView* value) { FContainer = value; }
  // The toolkit's canvas over the list's canvas: the header is painted on it.
  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }
  // The native header window, once hooked; nullptr before.
  HWND HeaderWindow() const { return FHeaderHandle; }
  // The section the left button holds down (an item index), -1 for none.
  int PressedHeaderSection() const { return FPressedSection; }

  // While a label edit is open, OnCancelEdit of the container, with the container as Sender.
  virtual void DoCancelEdit();
  virtual void InvalidateHeader();
  virtual void PaintHeader();
  // Requests of the container's painted bars; pos may change to the native position.
  void ScrollHorizontally(TScrollCode code, int& pos);
  void ScrollVertically(TScrollCode code, int& pos);

  // The header's geometry and states.
  int HeaderOrderToIndex(int position) const;
  RECT GetHeaderItemRect(int index) const;
  RECT GetHeaderSectionBounds(int position) const;
  TcxButtonState GetHeaderItemState(int position) const;
  int GetHotHeaderSection() const;
  int HitTestHeaderAtCursor() const;
  bool CanHotTrackHeader() const;

  bool CanFocus() const override;
  void DeleteSelected() override;
  void DragDrop(TObject* source, int x, int y) override;

protected:
  virtual void MouseEnter(TControl* control) { (void)control; }
  virtual void MouseLeave(TControl* control);

  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  bool CanEdit(TListItem* item) override;
  void Click() override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) override;
  void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void HeaderWndProc(TMessage& msg);
  void HookHeader(HWND header);
  void UnhookHeader();
  void PaintHeaderOn(HDC dc);
  LRESULT CallNative(UINT msg, WPARAM wParam, LPARAM lParam);

  void WMGetDlgCode(TMessage& msg);
  void WMKillFocus(TMessage& msg);
  void WMLButtonDown(TMessage& msg);
  void WMNCCalcSize(TMessage& msg);
  void WMNCPaint(TMessage& msg);
  void WMNotify(TMessage& msg);
  void WMSetFocus(TMessage& msg);
  void WMWindowPosChanged(TMessage& msg);
  void CMHintShow(TMessage& msg);
  void CMMouseEnter(TMessage& msg);
  void CMMouseLeave(TMessage& msg);
  void CNNotify(TMessage& msg);
  void CMHeaderItemInfo(TMessage& msg);

  TOwned<TcxCanvas> FcxCanvas;
  HWND FHeaderHandle = nullptr;
  std::string FSavedHint;
  TWeakRef<TListItem> FLastHintItem;
  bool FHintPrepared = false;
  int FPressedSection = -1;
  TcxWindowProcLinkedObject* FHeaderLink = nullptr;
  TcxCustomListView* FContainer = nullptr;
};

using TcxInnerListViewClass = TClassRef<TcxCustomInnerListView>;

// The icon layout of the list view, kept by the container and copied into the inner list view.
class TcxIconOptions : public TPersistent {
  CL_CLASS(TcxIconOptions, TPersistent)
public:
  // The owner is not used.
  explicit TcxIconOptions(TPersistent* owner);
  TIconArrangement Arrangement() const { return FArrangement; }
  void SetArrangement(TIconArrangement value);
  bool AutoArrange() const { return FAutoArrange; }
  void SetAutoArrange(bool value);
  bool WrapText() const { return FWrapText; }
  void SetWrapText(bool value);
  void Assign(TPersistent* source) override;

private:
  friend class TcxCustomListView;
  TIconArrangement FArrangement;
  bool FAutoArrange;
  bool FWrapText;
  TNotifyEvent FOnArrangementChanged, FOnAutoArrangeChanged, FOnWrapTextChanged;
};

#define CX_LISTVIEW_FORWARD(Type, Name) \
  Type Name() const { return FInnerListView->Name(); } \
  void Set##Name(Type value) { FInnerListView->Set##Name(value); }

class TcxCustomListView : public TcxCustomEditContainer {
  CL_CLASS(TcxCustomListView, TcxCustomEditContainer)
public:
  struct TMeta : TMetaClassOf<TcxCustomListView, TComponent*> {
    // The class of the inner list view the list view hosts.
    virtual TcxInnerListViewClass InnerListViewClassType() const { return ClassRef<TcxCustomInnerListView>(); }
  };
  explicit TcxCustomListView(TComponent* owner);
  // The inner list view (from InnerListViewClassType) and the icon options; 121 x 97.
  void AfterConstruction() override;
  // Frees the inner list view, then the icon options.
  void BeforeDestruction() override;
  void Loaded() override;
  void WriteState(TWriter& writer) override;

  TcxCustomInnerListView* InnerListView() const { return FInnerListView; }
  virtual void SetViewStyle(TViewStyle value);
  TViewStyle ViewStyle() const { return FInnerListView->ViewStyle(); }

  void Clear() { FInnerListView->Clear(); }
  TListItems* Items() const { return FInnerListView->Items(); }
  void SetItems(TListItems* value) { FInnerListView->SetItems(value); }
  TListColumns* Columns() const { return FInnerListView->Columns(); }
  void SetColumns(TListColumns* value) { FInnerListView->SetColumns(value); }
  TListItem* GetSelectedItem() const { return FInnerListView->Selected(); }
  int GetItemIndex() const { return FInnerListView->ItemIndex(); }
  int ItemIndex() const { return GetItemIndex(); }
  void SetItemIndex(int value) { FInnerListView->SetItemIndex(value); }
  bool GridLines() const { return FInnerListView->GridLines(); }
  void SetGridLines(bool value) { FInnerListView->SetGridLines(value); }
  bool ReadOnly() const { return FInnerListView->ReadOnly(); }
  // A change refreshes the container's visual state.
  void SetReadOnly(bool value);
  bool OwnerDraw() const { return FInnerListView->OwnerDraw(); }
  // Remembered for Loaded as well.
  void SetOwnerDraw(bool value);
  TcxIconOptions* IconOptions() const { return FIconOptions.get(); }
  // Copies the values and hands them to the inner list view.
  void SetIconOptions(TcxIconOptions* value);
  // Copies the icon options into the inner list view under one update of its items.
  void ApplyIconOptions();
  TNotifyEvent OnCancelEdit() const { return FOnCancelEdit; }
  void SetOnCancelEdit(TNotifyEvent value) { FOnCancelEdit = value; }

  CX_LISTVIEW_FORWARD(int, AllocBy)
  CX_LISTVIEW_FORWARD(int, HoverTime)
  CX_LISTVIEW_FORWARD(bool, Checkboxes)
  CX_LISTVIEW_FORWARD(bool, HotTrack)
  CX_LISTVIEW_FORWARD(bool, MultiSelect)
  CX_LISTVIEW_FORWARD(bool, OwnerData)
  CX_LISTVIEW_FORWARD(bool, RowSelect)
  CX_LISTVIEW_FORWARD(bool, ShowWorkAreas)
  CX_LISTVIEW_FORWARD(bool, ColumnClick)
  CX_LISTVIEW_FORWARD(bool, HideSelection)
  CX_LISTVIEW_FORWARD(bool, ShowColumnHeaders)
  CX_LISTVIEW_FORWARD(TCustomImageList*, LargeImages)
  CX_LISTVIEW_FORWARD(TCustomImageList*, SmallImages)
  CX_LISTVIEW_FORWARD(TCustomImageList*, StateImages)
  CX_LISTVIEW_FORWARD(TSortType, SortType)
  CX_LISTVIEW_FORWARD(TLVAdvancedCustomDrawEvent, OnAdvancedCustomDraw)
  CX_LISTVIEW_FORWARD(TLVAdvancedCustomDrawItemEvent, OnAdvancedCustomDrawItem)
  CX_LISTVIEW_FORWARD(TLVAdvancedCustomDrawSubItemEvent, OnAdvancedCustomDrawSubItem)
  CX_LISTVIEW_FORWARD(TLVChangeEvent, OnChange)
  CX_LISTVIEW_FORWARD(TLVChangingEvent, OnChanging)
  CX_LISTVIEW_FORWARD(TLVColumnClickEvent, OnColumnClick)
  CX_LISTVIEW_FORWARD(TNotifyEvent, OnColumnDragged)
  CX_LISTVIEW_FORWARD(TLVColumnRClickEvent, OnColumnRightClick)
  CX_LISTVIEW_FORWARD(TLVCompareEvent, OnCompare)
  CX_LISTVIEW_FORWARD(TLVCreateItemClassEvent, OnCreateItemClass)
  CX_LISTVIEW_FORWARD(TLVCustomDrawEvent, OnCustomDraw)
  CX_LISTVIEW_FORWARD(TLVCustomDrawItemEvent, OnCustomDrawItem)
  CX_LISTVIEW_FORWARD(TLVCustomDrawSubItemEvent, OnCustomDrawSubItem)
  CX_LISTVIEW_FORWARD(TLVOwnerDataEvent, OnData)
  CX_LISTVIEW_FORWARD(TLVOwnerDataFindEvent, OnDataFind)
  CX_LISTVIEW_FORWARD(TLVOwnerDataHintEvent, OnDataHint)
  CX_LISTVIEW_FORWARD(TLVOwnerDataStateChangeEvent, OnDataStateChange)
  CX_LISTVIEW_FORWARD(TLVDeletedEvent, OnDeletion)
  CX_LISTVIEW_FORWARD(TLVDrawItemEvent, OnDrawItem)
  CX_LISTVIEW_FORWARD(TLVEditedEvent, OnEdited)
  CX_LISTVIEW_FORWARD(TLVEditingEvent, OnEditing)
  CX_LISTVIEW_FORWARD(TLVNotifyEvent, OnGetImageIndex)
  CX_LISTVIEW_FORWARD(TLVSubItemImageEvent, OnGetSubItemImage)
  CX_LISTVIEW_FORWARD(TLVInfoTipEvent, OnInfoTip)
  CX_LISTVIEW_FORWARD(TLVDeletedEvent, OnInsert)
  CX_LISTVIEW_FORWARD(TLVSelectItemEvent, OnSelectItem)

  // The container's scaling, which scales the inner list view with it.
  void ChangeScale(int m, int d) override;
  bool HasScrollBars() const override { return true; }
  void Scroll(TScrollBarKind kind, TScrollCode code, int& pos) override;
  bool IsNativeReadOnly() override { return ReadOnly(); }
  void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changed) override;

protected:
  void DoExit() override;
  void FontChanged() override;

private:
  void IconArrangementChanged(TObject* sender);
  void IconAutoArrangeChanged(TObject* sender);
  void IconWrapTextChanged(TObject* sender);

  TcxCustomInnerListView* FInnerListView = nullptr;  // owned; freed first
  TOwned<TcxIconOptions> FIconOptions;
  TNotifyEvent FOnCancelEdit;
  bool FOwnerDraw = false;
};

#undef CX_LISTVIEW_FORWARD

// The list view that stored forms name: it publishes the properties and events.
class TcxListView : public TcxCustomListView {
  CL_CLASS(TcxListView, TcxCustomListView)
public:
  explicit TcxListView(TComponent* owner) : TcxCustomListView(owner) {}
};

extern TUnit UnitcxListView;
