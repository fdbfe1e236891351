#pragma once
// The toolkit's two kinds of class registry.
//
// TcxRegisteredClassList maps an item class to a registered class through inheritance: a class
// without a registration of its own gets that of its nearest registered ancestor. TcxRegisteredClasses
// keeps classes with a description text ("TextEdit|Represents a single line text editor" has the
// description TextEdit), optionally sorted by description, found by class name or description.
// Both hold class references (classlib/ClassRef.h); a family narrows what they answer with the
// checked conversion: TClassRef<TcxCustomHintStyle>(registry->FindByClassName(name)).
#include <string>
#include <string_view>
#include <vector>
#include "classlib/ClassRef.h"

struct TcxRegisteredClassListItemData {
  TClassRef<> ItemClass;
  TClassRef<> RegisteredClass;
};

class TcxRegisteredClassList : public TObject {
  CL_CLASS(TcxRegisteredClassList, TObject)
public:
  // Registers registeredClass for itemClass and its descendants; among pairs of one item class the
  // latest wins.
  virtual void AddRegistration(TClassRef<> itemClass, TClassRef<> registeredClass);
  // Removes every pair with exactly these two classes.
  virtual void RemoveRegistration(TClassRef<> itemClass, TClassRef<> registeredClass);
  // The registration of the class itself, else of its nearest registered ancestor; none without.
  TClassRef<> LookUpRegisteredClass(TClassRef<> itemClass) const;
  void ClearItems() { FItems.clear(); }
  int GetCount() const { return static_cast<int>(FItems.size()); }
  const TcxRegisteredClassListItemData& GetEntry(int index) const;

protected:
  // Scans from the last pair to the first: the first pair for the class or an ancestor is found
  // (true, its index). Otherwise false, with the index of the lowest pair for a descendant of the
  // class, or -1 when there is none.
  virtual bool FindEntryFor(TClassRef<> itemClass, int& index) const;

private:
  // Pairs of an ancestor stand before pairs of its descendants.
  std::vector<TcxRegisteredClassListItemData> FItems;
};

class TcxRegisteredClasses : public TObject {
  CL_CLASS(TcxRegisteredClasses, TObject)
public:
  // With registerClasses, each added class is also registered with the streaming system.
  explicit TcxRegisteredClasses(bool registerClasses = false) : FRegisterClasses(registerClasses) {}

  // Nothing when the class is already listed (its first text stays).
  void AddClassWithDescription(TClassRef<> c, std::string_view text);
  // Removes the class's entry; a streaming registration stays.
  void RemoveClassEntry(TClassRef<> c);
  // The first class whose name, or whose description, equals the text exactly; none otherwise.
  TClassRef<> FindByClassName(std::string_view className) const;
  TClassRef<> FindByDescription(std::string_view description) const;
  int IndexOfClass(TClassRef<> c) const;
  int GetClassCount() const { return static_cast<int>(FEntries.size()); }
  TClassRef<> GetClassAt(int index) const;
  // The entry's text up to the first vertical bar, and the whole text.
  std::string GetDescriptionText(int index) const;
  const std::string& GetEntryText(int index) const;
  bool Sorted() const { return FSorted; }
  // Turning sorting on sorts at once; later additions keep the order.
  void SetSorted(bool value);
  bool RegisterClasses() const { return FRegisterClasses; }
  void ClearClasses() { FEntries.clear(); }

protected:
  // Descriptions compared in the user's locale without regard to case: -1, 0 or 1.
  virtual int CompareDescriptions(int index1, int index2) const;
  virtual void SortEntries();

private:
  struct TEntry {
    std::string Text;
    TClassRef<> Class;
  };
  void CheckIndex(int index) const;

  std::vector<TEntry> FEntries;
  bool FSorted = false;
  bool FRegisterClasses;
};
