#pragma once
// The item list behind a text editor (unit cxTextEdit): the items (the properties' LookupItems for
// the text editor), the current item, the incremental prefix search that completes typed text, and
// navigation by keys and the wheel. Keys are item indexes carried in integer variants.
#include <string>
#include "classlib/Events.h"
#include "classlib/Variant.h"
#include "toolkit/base/cxClasses.h"

class TcxCustomTextEditProperties;
class TListBox;

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
};

// Navigation directions.
enum class TcxLookupNavigation { First, Last, Next, Previous, PageUp, PageDown };

class TcxCustomTextEditLookupData : public TcxInterfacedPersistent {
  CL_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent)
public:
  TcxCustomTextEditLookupData(TPersistent* ownerPersistent, IcxTextEditLookupOwner* owner)
      : TcxInterfacedPersistent(ownerPersistent), FOwner(owner)
  {
  }

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
  virtual bool CanResizeList() const { return true; }
  virtual void PrepareForPopup() {}
  virtual void SyncWithText() {}
  virtual SIZE CalculateListSize(int rows) { (void)rows; return {0, 0}; }
  virtual void RefreshList() { UpdateListItemCount(); }
  // The list box; none for the plain text editor (drop-down editors make theirs).
  TListBox* ListBox() const { return FListBox; }
  bool ListVisible() const;

  virtual void GetLookupItemText(int index, std::string& text) const;
  virtual int GetLookupItemCount() const;

protected:
  virtual void ReadListItemIndex();
  // The prefix search (see the implementation).
  virtual bool FindNextByPrefix(std::string& text, std::string& tail, bool wholeText, bool fromCurrent);
  virtual void UpdateListItemCount() {}
  IcxTextEditLookupOwner* Owner() const { return FOwner; }
  void SetListBox(TListBox* listBox) { FListBox = listBox; }

private:
  void SetCurrentItem(int index);
  void ShowInList(int index);
  void ApplyNoMatch(bool wholeText, const std::string& text);

  IcxTextEditLookupOwner* FOwner;
  int FCurrentItem = -1;
  int FListIndex = -1;
  TListBox* FListBox = nullptr;
  TNotifyEvent FOnCurrentChanged;
  TNotifyEvent FOnItemChosen;
};
