#pragma once
// The designer of the form designer, which Wine does not have: a test designer
// that keeps a plain selection and records what it is asked, and a manager that
// reports designing through it.
#include "classlib/Component.h"
#include "classlib/Lists.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include <string>
#include <vector>

class TTestDesigner : public IdxBarDesigner {
public:
  std::vector<TWeakRef<TObject>> Selection;
  std::vector<std::string> Log;

  std::vector<TObject *> Selected() const {
    std::vector<TObject *> result;
    for (const TWeakRef<TObject> &ref : Selection)
      if (ref)
        result.push_back(ref.Get());
    return result;
  }
  int IndexOf(TObject *object) const {
    for (size_t i = 0; i < Selection.size(); ++i)
      if (Selection[i] && Selection[i].Get() == object)
        return static_cast<int>(i);
    return -1;
  }

  bool CanDeleteComponent(TComponent *) override { return true; }
  void FillSelection(TList *list) override {
    for (TObject *object : Selected())
      list->Add(object);
  }
  int GetComponentSelectionStatus(TPersistent *object) override {
    return IsInSelection(object) ? 1 : 0;
  }
  bool IsInSelection(TPersistent *object) override {
    return object && IndexOf(object) >= 0;
  }
  void ApplySelectionOperation(TPersistent *object,
                               TdxBarSelectionOperation operation) override {
    Log.push_back(std::string(object ? object->ClassName() : "nil") + ":" +
                  std::to_string(static_cast<int>(operation)));
    const int index = IndexOf(object);
    switch (operation) {
    case TdxBarSelectionOperation::sopAdd:
      if (index < 0)
        Selection.emplace_back(object);
      break;
    case TdxBarSelectionOperation::sopRemove:
      if (index >= 0)
        Selection.erase(Selection.begin() + index);
      break;
    case TdxBarSelectionOperation::sopReplace:
      Selection.clear();
      Selection.emplace_back(object);
      break;
    }
  }
  void ReplaceSelection(TList *list) override {
    Selection.clear();
    for (int i = 0; i < list->Count(); ++i)
      Selection.emplace_back(static_cast<TObject *>(list->Items(i)));
  }
  void HandleItemDoubleClick(TComponent *) override {}
  void MakeUniqueName(const std::string &prefix, std::string &name) override {
    name = prefix + "1";
  }
};
