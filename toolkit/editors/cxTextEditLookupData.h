#pragma once
// The item list behind a text editor (unit cxTextEdit): the items (the properties' LookupItems for
// the text editor), the current item, the incremental prefix search that completes typed text, and
// navigation by keys and the wheel. Keys are item indexes carried in integer variants.
#include <string>
#include "classlib/Events.h"
#include "classlib/Variant.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/editors/cxTextEditListBox.h"

class TcxCustomTextEditProperties;
class TcxCustomTextEdit;
class TcxCustomEditListBox;
class TcxCustomTextEditLookupData;
class TWinControl;
using TcxCustomEditListBoxClass = TClassRef<TcxCustomEditListBox>;
using TcxCustomTextEditLookupDataClass = TClassRef<TcxCustomTextEditLookupData>;

// What the lookup data asks of the editor it serves.
class IcxTextEditLookupOwner {
public:
  virtual ~IcxTextEditLookupOwner() = default;
  // The properties in force (the repository item's when one is set).
  virtual TcxCustomTextEditProperties* LookupProperties() const = 0;
  virtual int LookupEditingStyle() const = 0;
  virtual std::string LookupEditText() const = 0;
  // The editor is asking whether editing may start (firing OnEditing).
  virtual bool EditingQueryActive() const = 0;
  // Whether editing may start (the editor's editing query).
  virtual bool QueryEditing() = 0;
  virtual bool SettingValueInternally() const = 0;
  virtual void SetSettingValueInternally(bool value) = 0;
  // The editor a list of the items belongs to: the list takes its colour and font and asks its
  // editing style (none: the list keeps its own).
  virtual TcxCustomTextEdit* LookupEdit() { return nullptr; }
};

// Navigation directions.
enum class TcxLookupNavigation { First, Last, Next, Previous, PageUp, PageDown };

class TcxCustomTextEditLookupData : public TcxInterfacedPersistent {
  CL_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent)
public:
  // Made with the object that owns it and the editor it serves.
  struct TMeta : TMetaClassOf<TcxCustomTextEditLookupData, TPersistent*, IcxTextEditLookupOwner*> {};
  TcxCustomTextEditLookupData(TPersistent* ownerPersistent, IcxTextEditLookupOwner* owner)
      : TcxInterfacedPersistent(ownerPersistent), FOwner(owner)
  {
  }

  // A list that outlives the lookup data (its parent owns it) stops reporting to it.
  void BeforeDestruction() override;

  int CurrentItem() const { return FCurrentItem; }
  int ListIndex() const { return FListIndex; }
  // The current key as a variant (an integer; -1 for none).
  Variant CurrentKey() const { return Variant(FCurrentItem); }
  // The item's text for a key; empty outside the items.
  std::string GetDisplayText(const Variant& key) const;
  bool IsEmpty() const { return GetLookupItemCount() == 0; }

  TNotifyEvent OnCurrentChanged() const { return FOnCurrentChanged; }
  void SetOnCurrentChanged(TNotifyEvent e) { FOnCurrentChanged = e; }
  TNotifyEvent OnItemChosen() const { return FOnItemChosen; }
  void SetOnItemChosen(TNotifyEvent e) { FOnItemChosen = e; }

  // Shows the current item in the list (unless the editor is asking about editing).
  void ShowCurrentInList();
  // Completes text from the first item starting with it; see FindNextByPrefix.
  bool Find(std::string& text, std::string& tail, bool fromCurrent)
  {
    return FindNextByPrefix(text, tail, false, fromCurrent);
  }
  // Moves to another item: into the list only while it is visible (the text follows on commit),
  // else the item becomes current at once.
  void Navigate(TcxLookupNavigation direction, bool cyclic);
  // Makes the list's selection current (Enter, popup close).
  void CommitListSelection();
  // Makes the key's item current; the item-chosen event fires when the current item changed, or
  // when it stayed but its text differs from the editor's.
  void SelectKey(const Variant& key);
  // Finds the current item from the editor's text again (unless the list already shows it).
  virtual void ApplyListSelection();
  virtual bool ContainsText(const std::string& text) const;
  // Fits a size the user gives the list (0 limits mean none); the base takes any size.
  virtual bool CanResizeList(SIZE& size, int maxHeight, int maxWidth)
  {
    (void)size, (void)maxHeight, (void)maxWidth;
    return true;
  }
  virtual void PrepareForPopup() {}
  virtual void SyncWithText() {}
  // The size the list needs within the limits (0: none); nothing in the base.
  virtual void CalculateListSize(int maxHeight, int maxWidth, SIZE& size)
  {
    (void)maxHeight, (void)maxWidth;
    size = SIZE{0, 0};
  }
  virtual void RefreshList() { UpdateListItemCount(); }
  // Makes the list (of ListBoxClassType, owned by the parent) when there is none yet, shows it in
  // the parent, and selects the item matching the editor's text. Nothing without a list class.
  virtual void CreateListControl(TWinControl* parent);
  // Places the list; a window of it updates its horizontal scroll bar.
  virtual void SetListBounds(const RECT& bounds);
  // The list box; none for the plain text editor (drop-down editors make theirs).
  TcxCustomEditListBox* ListBox() const { return FListBox.Get(); }
  bool ListVisible() const;
  // The screen point lies on the list.
  bool IsPointOverList(POINT screenPoint) const;

  virtual void GetLookupItemText(int index, std::string& text) const;
  virtual int GetLookupItemCount() const;

protected:
  // The class of the list box the items are shown in; none in the base: the plain text editor
  // has no list.
  virtual TcxCustomEditListBoxClass ListBoxClassType() const { return {}; }
  virtual void ReadListItemIndex();
  // The prefix search (see the implementation).
  virtual bool FindNextByPrefix(std::string& text, std::string& tail, bool wholeText, bool fromCurrent);
  // The list holds as many (placeholder) items as there are lookup items.
  virtual void UpdateListItemCount();
  IcxTextEditLookupOwner* Owner() const { return FOwner; }

private:
  void SetCurrentItem(int index);
  void ShowInList(int index);
  void ApplyNoMatch(bool wholeText, const std::string& text);
  void ListSelectionMoved(TObject*) { ReadListItemIndex(); }

  IcxTextEditLookupOwner* FOwner;
  int FCurrentItem = -1;
  int FListIndex = -1;
  TWeakRef<TcxCustomEditListBox> FListBox;
  TNotifyEvent FOnCurrentChanged;
  TNotifyEvent FOnItemChosen;
};
