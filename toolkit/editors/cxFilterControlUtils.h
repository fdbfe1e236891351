#pragma once
// Filter edit helpers: a filter builder shows, for a condition on a value, an editor of the family
// that edits the value, set up for entering a filter value. Each editor family has a helper class
// (used only as a class: every operation is class-level) registered against its properties class
// in the process-wide filter edits controller.
#include "classlib/ClassRef.h"
#include "classlib/Sets.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClassesRegistries.h"
#include "toolkit/editors/cxDataStorage.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxEditProperties.h"

class TcxInplaceEditList;

// Frees the filter edits controller at shut-down.
extern TUnit UnitcxFilterControlUtils;

// The filter builder's operators, by their ordinals (0 is never offered).
enum class TcxFilterOperatorKind {
  fcoNone,
  fcoEqual, fcoNotEqual, fcoLess, fcoLessEqual, fcoGreater, fcoGreaterEqual,  // 1 to 6
  fcoLike, fcoNotLike,                                                          // 7, 8: text only
  fcoIsNull, fcoIsNotNull,                                                      // 9, 10
  fcoBetween, fcoNotBetween, fcoInList, fcoNotInList,                           // 11 to 14
  fcoYesterday, fcoToday, fcoTomorrow, fcoLast7Days, fcoLastWeek, fcoLast14Days, fcoLastTwoWeeks,
  fcoLast30Days, fcoLastMonth, fcoLastYear, fcoPast, fcoThisWeek, fcoThisMonth, fcoThisYear, fcoNext7Days,
  fcoNextWeek, fcoNext14Days, fcoNextTwoWeeks, fcoNext30Days, fcoNextMonth, fcoNextYear, fcoFuture  // 15 to 36
};
using TcxFilterOperatorKinds = TSet<TcxFilterOperatorKind>;

class TcxCustomFilterEditHelper : public TObject {
  CL_CLASS(TcxCustomFilterEditHelper, TObject)
public:
  struct TMeta : TMetaClassOf<TcxCustomFilterEditHelper> {
    // Clears OnButtonClick, OnChange, OnEditValueChanged and OnValidate (nothing without properties).
    virtual void ClearEditEvents(TcxCustomEditProperties* properties) const;
    // Sets up the editor's active properties (a linked repository item's when there is one) as a
    // filter copy of the source properties.
    virtual void PrepareFilterEdit(TcxCustomEdit* edit, TcxCustomEditProperties* properties) const;
    // Whether a filter value may be typed for these properties; when not, the filter properties
    // lose the defaults provider.
    virtual bool AllowsFilterEditing(TcxCustomEditProperties* properties) const;
    // Whether the filter editor keeps the source's buttons.
    virtual bool KeepsEditButtons() const;
    // The editor class a filter value is entered with; none for a helper that makes no editor.
    virtual TcxCustomEditClass FilterEditClassType() const;
    // The filter value the editor holds (its edit value) and its text as the properties show it.
    virtual void ReadFilterValue(TcxCustomEdit* edit, TcxCustomEditProperties* properties,
                                 std::wstring& displayText, Variant& value) const;
    // The operators offered for a value: 1 to 14 when extended, else 1 to 10; without a value type
    // that holds text, the two text-only operators (7, 8) are left out. The properties are the
    // source editor's (families whose offer depends on them read them).
    virtual void GetFilterOperators(TcxCustomEditProperties* properties, TcxValueTypeClass valueTypeClass,
                                    TcxFilterOperatorKinds& operators, bool extended) const;
    // Makes target a copy of source set up for filter input: left and top aligned, no beep on
    // error, no buttons unless kept, editable, validating on Enter, without the defaults provider
    // when filter editing is not allowed, and without event handlers.
    virtual void SetUpFilterProperties(TcxCustomEditProperties* target, TcxCustomEditProperties* source,
                                       bool keepButtons) const;
    // Whether the value type takes value (converting it in place); true without a value type.
    virtual bool IsFilterValueAcceptable(TcxValueTypeClass valueTypeClass, Variant& value) const;
    // Shows a filter value in the editor; the base shows nothing.
    virtual void WriteFilterValue(TcxCustomEdit* edit, TcxCustomEditProperties* properties,
                                  const Variant& value) const;
    // Whether conditions compare the display text rather than the value.
    virtual bool FiltersByDisplayText() const;
  };
};
using TcxCustomFilterEditHelperClass = TClassRef<TcxCustomFilterEditHelper>;

// Helper classes by properties class. A pair is keyed by the parent class of the properties class
// given (adding TcxTextEditProperties keys its parent), and a lookup answers the helper of the
// nearest registered ancestor of the parent of the class asked for.
class TcxFilterEditsController : public TcxRegisteredClassList {
  CL_CLASS(TcxFilterEditsController, TcxRegisteredClassList)
public:
  void AddHelperPair(TcxCustomEditPropertiesClass propertiesClass, TcxCustomFilterEditHelperClass helperClass);
  // Removes the pair; the process-wide controller frees itself when this leaves it without pairs,
  // so a caller must not use it afterwards (GetFilterEditsController makes a new one).
  void RemoveHelperPair(TcxCustomEditPropertiesClass propertiesClass, TcxCustomFilterEditHelperClass helperClass);
  TcxCustomFilterEditHelperClass LookupHelperClass(TcxCustomEditPropertiesClass propertiesClass) const;
};

// The process-wide controller, made on first use while the unit runs; nullptr once it shuts down.
TcxFilterEditsController* GetFilterEditsController();

// An editor for entering a filter value on the properties, set up by the helper (PrepareFilterEdit).
// With a pool, the pool's free editor of the helper's editor class (the pool owns it); without, a
// new editor with no owner, which the caller frees. Raises EcxEditError when the helper names no
// editor class.
TcxCustomEdit* CreateFilterEdit(TcxCustomFilterEditHelperClass helperClass, TcxCustomEditProperties* properties,
                                TcxInplaceEditList* editList = nullptr);
