#include "toolkit/controls/cxAccessibility.h"

#include <climits>
#include <utility>
#include "classlib/BoundLibrary.h"
#include "classlib/Encoding.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/dxCore.h"

namespace {
using TProperty = TcxAccessibleObjectProperty;
using TDirection = TcxAccessibilityNavigationDirection;

// ---- oleacc ----------------------------------------------------------------------------------------

struct TOleaccEntryPoints {
  decltype(&::AccessibleObjectFromWindow) AccessibleObjectFromWindow = nullptr;
};
TOleaccEntryPoints GOleacc;
const TLibraryEntry OleaccEntries[] = {
  CL_LIBRARY_ENTRY(GOleacc.AccessibleObjectFromWindow, "AccessibleObjectFromWindow")};
TBoundLibrary GOleaccLibrary{"oleacc.dll", OleaccEntries};

void InitializeUnit() { GOleaccLibrary.Load(); }
void FinalizeUnit() { GOleaccLibrary.Unload(); }

const TUnit* const Uses[] = {&UnitdxCore};

// ---- Variants and texts ----------------------------------------------------------------------------

// The child id an integer variant holds; false for any other variant and for a negative id.
bool ReadChildId(const VARIANT& v, int& id)
{
  long long value = 0;
  switch (V_VT(&v)) {
    case VT_I1: value = V_I1(&v); break;
    case VT_UI1: value = V_UI1(&v); break;
    case VT_I2: value = V_I2(&v); break;
    case VT_UI2: value = V_UI2(&v); break;
    case VT_I4: value = V_I4(&v); break;
    case VT_UI4: value = V_UI4(&v); break;
    case VT_INT: value = V_INT(&v); break;
    case VT_UINT: value = V_UINT(&v); break;
    case VT_I8: value = V_I8(&v); break;
    case VT_UI8: value = V_UI8(&v) > ULONGLONG(INT_MAX) ? -1 : static_cast<long long>(V_UI8(&v)); break;
    default: return false;
  }
  if (value < 0 || value > INT_MAX) return false;
  id = static_cast<int>(value);
  return true;
}

VARIANT IntegerVariant(int value)
{
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

// A new string for a non-empty text, nil for an empty one.
BSTR AllocText(const std::string& text)
{
  if (text.empty()) return nullptr;
  const std::wstring wide = AnsiToWide(text);
  BSTR result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!result) throw EOutOfMemory("Out of memory");
  return result;
}

// Clears a variant on every exit unless it was handed out.
class TVariantHolder {
public:
  TVariantHolder() { VariantInit(&FValue); }
  ~TVariantHolder() { VariantClear(&FValue); }
  TVariantHolder(const TVariantHolder&) = delete;
  TVariantHolder& operator=(const TVariantHolder&) = delete;
  VARIANT& Value() { return FValue; }
  void HandOut(VARIANT* target)
  {
    *target = FValue;
    VariantInit(&FValue);
  }

private:
  VARIANT FValue;
};

// The plain id of a simple child element: 0 for the object itself, the child id of a simple child.
HRESULT GetPlainChildId(TcxAccessibilityHelper& helper, const VARIANT& childId, int& id)
{
  int child = 0;
  if (!ReadChildId(childId, child)) return E_INVALIDARG;
  if (child == CHILDID_SELF) {
    id = 0;
    return S_OK;
  }
  if (child > helper.CountChildren() || !helper.IsChildSimpleElement(child - 1)) return E_INVALIDARG;
  id = child;
  return S_OK;
}

bool HasProperties(TcxAccessibilityHelper& helper, int id, const TcxAccessibleObjectProperties& needed)
{
  return helper.GetSupportedProperties(id).ContainsAll(needed);
}

// A child id of a child with an accessible object of its own becomes that object.
void ReturnChildObject(TcxAccessibilityHelper& helper, VARIANT& v)
{
  if (V_VT(&v) != VT_I4) return;
  const int child = V_I4(&v);
  if (child == CHILDID_SELF || child < 0 || child > helper.CountChildren()) return;
  if (helper.IsChildSimpleElement(child - 1)) return;
  TcxAccessibilityHelper* childHelper = helper.ChildAt(child - 1);
  if (!childHelper) return;
  IDispatch* dispatch = childHelper->Accessible();
  dispatch->AddRef();
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = dispatch;
}

// ---- The accessible object ------------------------------------------------------------------------

// The COM object that accessibility clients hold. It answers from its helper while the helper lives
// and its owner is alive, and with empty answers (S_OK) afterwards; it deletes itself with its last
// reference.
class TcxAccessibleObject final : public IAccessible, public IOleWindow {
public:
  explicit TcxAccessibleObject(TcxAccessibilityHelper* helper) : FHelper(helper) {}
  TcxAccessibleObject(const TcxAccessibleObject&) = delete;
  TcxAccessibleObject& operator=(const TcxAccessibleObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefCount)); }
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
  {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT childId, IDispatch** child) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT childId, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT childId, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT childId, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT childId, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT childId, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT childId, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT childId, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT childId, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT childId, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT childId) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT childId) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* endUpAt) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT childId) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT childId, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT childId, BSTR value) override;

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return S_OK; }

private:
  ~TcxAccessibleObject() = default;

  // Runs body with the helper, kept whole for the call. S_OK without the helper or with its owner
  // gone; E_FAIL for an exception.
  template <class F>
  HRESULT Answer(F&& body) noexcept
  {
    try {
      TcxAccessibilityHelper* helper = FHelper.Get();
      if (!helper || !helper->IsOwnerAlive()) return S_OK;
      TObjectCall call(helper);
      return body(*helper);
    } catch (...) {
      return E_FAIL;
    }
  }
  // Whose properties a call needs: those of the element the child id names, or the object's own.
  enum class TNeededOf { Element, Object };
  // Runs body with the plain id of the child id: E_INVALIDARG for a child id that names no simple
  // element, DISP_E_MEMBERNOTFOUND without the needed properties.
  template <class F>
  HRESULT AnswerForChild(VARIANT childId, const TcxAccessibleObjectProperties& needed, TNeededOf neededOf,
                         F&& body) noexcept
  {
    return Answer([&](TcxAccessibilityHelper& helper) -> HRESULT {
      int id = 0;
      HRESULT result = GetPlainChildId(helper, childId, id);
      if (FAILED(result)) return result;
      if (!HasProperties(helper, neededOf == TNeededOf::Element ? id : 0, needed)) return DISP_E_MEMBERNOTFOUND;
      return body(helper, id);
    });
  }
  // The text of the element: S_FALSE for an empty one when emptyIsFalse.
  template <class F>
  HRESULT AnswerText(VARIANT childId, BSTR* text, const TcxAccessibleObjectProperties& needed, bool emptyIsFalse,
                     F&& getText) noexcept;
  // A number of the element as a VT_I4 variant.
  template <class F>
  HRESULT AnswerNumber(VARIANT childId, VARIANT* number, F&& getNumber) noexcept;

  TWeakRef<TcxAccessibilityHelper> FHelper;
  LONG FRefCount = 1;  // the helper's reference
};

// The platform's accessible object of the parent window of a child window, else of the desktop.
IDispatch* WindowParentObject(HWND window)
{
  if (!GOleacc.AccessibleObjectFromWindow) return nullptr;
  HWND parent = (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : GetDesktopWindow();
  if (!parent) return nullptr;
  void* object = nullptr;
  if (FAILED(GOleacc.AccessibleObjectFromWindow(parent, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IAccessible),
                                                &object)) ||
      !object)
    return nullptr;
  return static_cast<IAccessible*>(object);
}

bool MapDirection(long direction, TDirection& mapped)
{
  switch (direction) {
    case NAVDIR_UP: mapped = TDirection::andUp; return true;
    case NAVDIR_DOWN: mapped = TDirection::andDown; return true;
    case NAVDIR_LEFT: mapped = TDirection::andLeft; return true;
    case NAVDIR_RIGHT: mapped = TDirection::andRight; return true;
    case NAVDIR_NEXT: mapped = TDirection::andNext; return true;
    case NAVDIR_PREVIOUS: mapped = TDirection::andPrev; return true;
    default: return false;
  }
}

// ---- TcxAccessibleObject ----

HRESULT TcxAccessibleObject::QueryInterface(REFIID riid, void** object)
{
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
      IsEqualIID(riid, __uuidof(IAccessible)))
    *object = static_cast<IAccessible*>(this);
  else if (IsEqualIID(riid, __uuidof(IOleWindow)))
    *object = static_cast<IOleWindow*>(this);
  else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TcxAccessibleObject::Release()
{
  const LONG count = InterlockedDecrement(&FRefCount);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT TcxAccessibleObject::GetTypeInfoCount(UINT* count)
{
  if (count) *count = 0;
  return E_NOTIMPL;
}

HRESULT TcxAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT TcxAccessibleObject::get_accParent(IDispatch** parent)
{
  if (!parent) return E_POINTER;
  *parent = nullptr;
  return Answer([&](TcxAccessibilityHelper& helper) {
    if (TcxAccessibilityHelper* parentHelper = helper.GetParentHelper()) {
      *parent = parentHelper->Accessible();
      (*parent)->AddRef();
      return S_OK;
    }
    HWND window = helper.GetOwnerWindow();
    if (window) *parent = WindowParentObject(window);
    return *parent ? S_OK : S_FALSE;
  });
}

HRESULT TcxAccessibleObject::get_accChildCount(long* count)
{
  if (!count) return E_POINTER;
  *count = 0;
  return Answer([&](TcxAccessibilityHelper& helper) {
    *count = helper.CountChildren();
    return S_OK;
  });
}

HRESULT TcxAccessibleObject::get_accChild(VARIANT childId, IDispatch** child)
{
  if (!child) return E_POINTER;
  *child = nullptr;
  return Answer([&](TcxAccessibilityHelper& helper) {
    int id = 0;
    // The object itself is no child of its own.
    if (!ReadChildId(childId, id) || id == CHILDID_SELF || id > helper.CountChildren()) return E_INVALIDARG;
    if (helper.IsChildSimpleElement(id - 1)) return S_FALSE;
    TcxAccessibilityHelper* childHelper = helper.ChildAt(id - 1);
    if (!childHelper) return S_FALSE;
    *child = childHelper->Accessible();
    (*child)->AddRef();
    return S_OK;
  });
}

template <class F>
HRESULT TcxAccessibleObject::AnswerText(VARIANT childId, BSTR* text, const TcxAccessibleObjectProperties& needed,
                                        bool emptyIsFalse, F&& getText) noexcept
{
  if (!text) return E_POINTER;
  *text = nullptr;
  return AnswerForChild(childId, needed, TNeededOf::Element, [&](TcxAccessibilityHelper& helper, int id) {
    *text = AllocText(getText(helper, id));
    return emptyIsFalse && !*text ? S_FALSE : S_OK;
  });
}

template <class F>
HRESULT TcxAccessibleObject::AnswerNumber(VARIANT childId, VARIANT* number, F&& getNumber) noexcept
{
  if (!number) return E_POINTER;
  VariantInit(number);
  return AnswerForChild(childId, {}, TNeededOf::Element, [&](TcxAccessibilityHelper& helper, int id) {
    *number = IntegerVariant(static_cast<int>(getNumber(helper, id)));
    return S_OK;
  });
}

HRESULT TcxAccessibleObject::get_accName(VARIANT childId, BSTR* name)
{
  return AnswerText(childId, name, {}, true, [](TcxAccessibilityHelper& h, int id) { return h.GetNameText(id); });
}

HRESULT TcxAccessibleObject::get_accValue(VARIANT childId, BSTR* value)
{
  return AnswerText(childId, value, {TProperty::aopValue}, false,
                    [](TcxAccessibilityHelper& h, int id) { return h.GetValueText(id); });
}

HRESULT TcxAccessibleObject::get_accDescription(VARIANT childId, BSTR* description)
{
  return AnswerText(childId, description, {TProperty::aopDescription}, true,
                    [](TcxAccessibilityHelper& h, int id) { return h.GetDescriptionText(id); });
}

HRESULT TcxAccessibleObject::get_accDefaultAction(VARIANT childId, BSTR* action)
{
  return AnswerText(childId, action, {TProperty::aopDefaultAction}, false,
                    [](TcxAccessibilityHelper& h, int id) { return h.GetDefaultActionText(id); });
}

HRESULT TcxAccessibleObject::get_accKeyboardShortcut(VARIANT childId, BSTR* shortcut)
{
  return AnswerText(childId, shortcut, {TProperty::aopShortcut}, true, [](TcxAccessibilityHelper& h, int id) {
    TShortCut shortCut = 0;
    std::string caption;
    h.GetShortcut(id, shortCut, caption);
    // The caption's hot key comes before the shortcut key.
    const std::string hotkey = GetHotkey(caption);
    return hotkey.empty() ? ShortCutToText(shortCut) : AnsiUpperCase(hotkey);
  });
}

HRESULT TcxAccessibleObject::get_accRole(VARIANT childId, VARIANT* role)
{
  return AnswerNumber(childId, role, [](TcxAccessibilityHelper& h, int id) { return h.GetRoleCode(id); });
}

HRESULT TcxAccessibleObject::get_accState(VARIANT childId, VARIANT* state)
{
  return AnswerNumber(childId, state, [](TcxAccessibilityHelper& h, int id) { return h.GetStateFlags(id); });
}

HRESULT TcxAccessibleObject::get_accHelp(VARIANT, BSTR* help)
{
  if (help) *help = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibleObject::get_accHelpTopic(BSTR* helpFile, VARIANT, long* topic)
{
  if (helpFile) *helpFile = nullptr;
  if (topic) *topic = 0;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibleObject::get_accSelection(VARIANT* children)
{
  if (children) VariantInit(children);
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibleObject::accSelect(long, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT TcxAccessibleObject::put_accName(VARIANT, BSTR) { return DISP_E_MEMBERNOTFOUND; }

HRESULT TcxAccessibleObject::get_accFocus(VARIANT* child)
{
  if (!child) return E_POINTER;
  VariantInit(child);
  return Answer([&](TcxAccessibilityHelper& helper) {
    if (!HasProperties(helper, 0, {TProperty::aopFocus})) return DISP_E_MEMBERNOTFOUND;
    bool isChildFocused = false;
    int index = 0;
    if (!helper.GetFocusedChild(isChildFocused, index)) return S_FALSE;
    TVariantHolder result;
    result.Value() = IntegerVariant(isChildFocused ? index + 1 : CHILDID_SELF);
    ReturnChildObject(helper, result.Value());
    result.HandOut(child);
    return S_OK;
  });
}

HRESULT TcxAccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT childId)
{
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  const TcxAccessibleObjectProperties needed = {TProperty::aopLocation};
  return AnswerForChild(childId, needed, TNeededOf::Object, [&](TcxAccessibilityHelper& helper, int id) {
    const RECT bounds = helper.GetBoundsOnScreen(id);
    *left = bounds.left;
    *top = bounds.top;
    *width = bounds.right - bounds.left;
    *height = bounds.bottom - bounds.top;
    return S_OK;
  });
}

HRESULT TcxAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* endUpAt)
{
  if (!endUpAt) return E_POINTER;
  VariantInit(endUpAt);
  return Answer([&](TcxAccessibilityHelper& helper) -> HRESULT {
    int startId = 0;
    TDirection mapped{};
    const bool toChild = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    if (!ReadChildId(start, startId) || (!toChild && !MapDirection(direction, mapped))) return E_INVALIDARG;
    TVariantHolder result;
    if (toChild) {
      if (startId != CHILDID_SELF) return E_INVALIDARG;
      if (!HasProperties(helper, 0, {TProperty::aopLocation})) return DISP_E_MEMBERNOTFOUND;
      const int count = helper.CountChildren();
      if (count == 0) return S_FALSE;
      result.Value() = IntegerVariant(direction == NAVDIR_FIRSTCHILD ? 1 : count);
    } else if (startId == CHILDID_SELF) {
      // A move among the siblings is the parent's: its answer is a child of the parent.
      TcxAccessibilityHelper* parent = helper.GetParentHelper();
      if (!parent) return S_FALSE;
      if (!parent->IsOwnerAlive()) return S_OK;
      if (!HasProperties(*parent, 0, {TProperty::aopLocation})) return S_FALSE;
      VARIANT childInParent = IntegerVariant(parent->IndexOfChild(&helper) + 1);
      IAccessible* parentObject = parent->Accessible();
      parentObject->AddRef();
      const HRESULT parentResult = parentObject->accNavigate(direction, childInParent, &result.Value());
      parentObject->Release();
      if (parentResult != S_OK) return S_FALSE;
      result.HandOut(endUpAt);
      return S_OK;
    } else {
      if (startId > helper.CountChildren()) return E_INVALIDARG;
      if (!HasProperties(helper, 0, {TProperty::aopLocation})) return DISP_E_MEMBERNOTFOUND;
      const int index = helper.NavigateChild(startId - 1, mapped);
      if (index == startId - 1) return S_FALSE;
      result.Value() = IntegerVariant(index + 1);
    }
    ReturnChildObject(helper, result.Value());
    result.HandOut(endUpAt);
    return S_OK;
  });
}

HRESULT TcxAccessibleObject::accHitTest(long x, long y, VARIANT* child)
{
  if (!child) return E_POINTER;
  VariantInit(child);
  return Answer([&](TcxAccessibilityHelper& helper) {
    if (!HasProperties(helper, 0, {TProperty::aopLocation})) return DISP_E_MEMBERNOTFOUND;
    const RECT bounds = helper.GetBoundsOnScreen(0);
    if (!PtInRect(&bounds, POINT{x, y})) return S_FALSE;
    int index = 0;
    switch (helper.HitTestChild(x, y, index)) {
      case TcxAccessibleObjectHitTest::aohtSelf: *child = IntegerVariant(CHILDID_SELF); return S_OK;
      case TcxAccessibleObjectHitTest::aohtChild: {
        TVariantHolder result;
        result.Value() = IntegerVariant(index + 1);
        ReturnChildObject(helper, result.Value());
        result.HandOut(child);
        return S_OK;
      }
      default: return S_FALSE;
    }
  });
}

HRESULT TcxAccessibleObject::accDoDefaultAction(VARIANT childId)
{
  const TcxAccessibleObjectProperties needed = {TProperty::aopDefaultAction};
  return AnswerForChild(childId, needed, TNeededOf::Element, [](TcxAccessibilityHelper& helper, int id) {
    helper.DoDefaultAction(id);
    return S_OK;
  });
}

HRESULT TcxAccessibleObject::put_accValue(VARIANT childId, BSTR value)
{
  const TcxAccessibleObjectProperties needed = {TProperty::aopValue};
  return AnswerForChild(childId, needed, TNeededOf::Element, [&](TcxAccessibilityHelper& helper, int id) {
    helper.SetValueText(id, value ? WideToAnsi(std::wstring_view(value, SysStringLen(value))) : std::string());
    return S_OK;
  });
}

HRESULT TcxAccessibleObject::GetWindow(HWND* window)
{
  if (!window) return E_POINTER;
  *window = nullptr;
  return Answer([&](TcxAccessibilityHelper& helper) {
    *window = helper.GetOwnerWindow();
    return S_OK;
  });
}

[[noreturn]] void RaiseUnanswered() { throw EdxException(""); }
}  // namespace

TUnit UnitcxAccessibility{"cxAccessibility", Uses, InitializeUnit, FinalizeUnit};

bool IsOleaccAvailable() { return GOleacc.AccessibleObjectFromWindow != nullptr; }

// ---- TcxAccessibilityHelper -------------------------------------------------------------------------

CL_DEFINE_CLASS(TcxAccessibilityHelper);

TcxAccessibilityHelper::TcxAccessibilityHelper(TObject* OwnerObject)
    : FOwnerObject(OwnerObject), FAccessible(new TcxAccessibleObject(this))
{
}

TcxAccessibilityHelper::~TcxAccessibilityHelper()
{
  // The accessible object stays with its clients; it reads the helper as gone already.
  FAccessible->Release();
}

void TcxAccessibilityHelper::BeforeDestruction()
{
  if (FOwnerAlive) MarkOwnerDestroyed();
  TObject::BeforeDestruction();
}

void TcxAccessibilityHelper::MarkOwnerDestroyed() { FOwnerAlive = false; }

TcxAccessibilityHelper* TcxAccessibilityHelper::FindTopHelper()
{
  TcxAccessibilityHelper* top = this;
  while (TcxAccessibilityHelper* parent = top->GetParentHelper()) top = parent;
  return top;
}

bool TcxAccessibilityHelper::IsVisible() { return (GetStateFlags(0) & cxSTATE_SYSTEM_INVISIBLE) == 0; }

bool TcxAccessibilityHelper::IsChildSimpleElement(int) { RaiseUnanswered(); }
void TcxAccessibilityHelper::DoDefaultAction(int) {}
bool TcxAccessibilityHelper::GetFocusedChild(bool& IsChildFocused, int& Index)
{
  IsChildFocused = false;
  Index = 0;
  return false;
}
TcxAccessibilityHelper* TcxAccessibilityHelper::ChildAt(int) { return nullptr; }
int TcxAccessibilityHelper::CountChildren() { return 0; }
int TcxAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper*) { RaiseUnanswered(); }
std::string TcxAccessibilityHelper::GetDefaultActionText(int) { return {}; }
std::string TcxAccessibilityHelper::GetDescriptionText(int) { return {}; }
TcxAccessibleObjectHitTest TcxAccessibilityHelper::HitTestChild(int, int, int& Index)
{
  Index = 0;
  return TcxAccessibleObjectHitTest::aohtNone;
}
void TcxAccessibilityHelper::GetShortcut(int, TShortCut& ShortCut, std::string& Caption)
{
  ShortCut = 0;
  Caption.clear();
}
std::string TcxAccessibilityHelper::GetNameText(int) { return {}; }
HWND TcxAccessibilityHelper::GetOwnerWindow() { return nullptr; }
TcxAccessibilityHelper* TcxAccessibilityHelper::GetParentHelper() { return nullptr; }
DWORD TcxAccessibilityHelper::GetRoleCode(int) { return 0; }
bool TcxAccessibilityHelper::AsSelectable() { return false; }
DWORD TcxAccessibilityHelper::GetStateFlags(int) { return 0; }
TcxAccessibleObjectProperties TcxAccessibilityHelper::GetSupportedProperties(int) { return {}; }
std::string TcxAccessibilityHelper::GetValueText(int) { RaiseUnanswered(); }
int TcxAccessibilityHelper::NavigateChild(int, TcxAccessibilityNavigationDirection) { RaiseUnanswered(); }
void TcxAccessibilityHelper::SetValueText(int, const std::string&) {}
RECT TcxAccessibilityHelper::GetBoundsOnScreen(int) { return RECT{}; }
