// The accessibility base, called through its COM interfaces: the answer of every method for a live
// owner, for one without the needed properties, for bad child ids and variants, and once the owner
// is gone or the helper freed; the texts, children, focus, hit test and navigation; exceptions that
// end as E_FAIL; the reference count that lets the accessible object outlive its helper; and the
// platform's window objects as parents.
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>
#include "classlib/Encoding.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/cxAccessibility.h"

using namespace controls_test;

namespace {
using TDirection = TcxAccessibilityNavigationDirection;
using TProperty = TcxAccessibleObjectProperty;

const TcxAccessibleObjectProperties AllProperties = {
  TProperty::aopDefaultAction, TProperty::aopDescription, TProperty::aopFocus,
  TProperty::aopLocation,      TProperty::aopShortcut,    TProperty::aopValue};

// A helper that answers what the test sets and records what it was asked. Children set to nullptr
// are simple elements.
class TTestHelper : public TcxAccessibilityHelper {
  CL_CLASS(TTestHelper, TcxAccessibilityHelper)
public:
  explicit TTestHelper(TObject* owner = nullptr) : TcxAccessibilityHelper(owner) {}

  bool IsChildSimpleElement(int Index) override
  {
    IndexesSeen.push_back(Index);
    return Children.at(Index) == nullptr;
  }
  void DoDefaultAction(int ID) override
  {
    DefaultActions.push_back(ID);
    if (OnDefaultAction) OnDefaultAction();
  }
  bool GetFocusedChild(bool& IsChildFocused, int& Index) override
  {
    IsChildFocused = ChildFocused;
    Index = FocusIndex;
    return HasFocus;
  }
  TcxAccessibilityHelper* ChildAt(int Index) override
  {
    IndexesSeen.push_back(Index);
    return Children.at(Index);
  }
  int CountChildren() override { return static_cast<int>(Children.size()); }
  int IndexOfChild(TcxAccessibilityHelper* Child) override
  {
    for (size_t i = 0; i < Children.size(); ++i)
      if (Children[i] == Child) return static_cast<int>(i);
    return -1;
  }
  std::string GetDefaultActionText(int ID) override { return Texts("action", ID); }
  std::string GetDescriptionText(int ID) override { return Texts("description", ID); }
  TcxAccessibleObjectHitTest HitTestChild(int X, int Y, int& Index) override
  {
    HitPoints.push_back(POINT{X, Y});
    Index = HitIndex;
    return Hit;
  }
  void GetShortcut(int ID, TShortCut& ShortCut, std::string& Caption) override
  {
    ShortCutIDs.push_back(ID);
    ShortCut = this->ShortCut;
    Caption = this->Caption;
  }
  std::string GetNameText(int ID) override
  {
    if (NameError) throw std::runtime_error("name");
    return Texts("name", ID);
  }
  HWND GetOwnerWindow() override { return Window; }
  TcxAccessibilityHelper* GetParentHelper() override { return Parent; }
  DWORD GetRoleCode(int ID) override { return Role + ID; }
  DWORD GetStateFlags(int ID) override { return State + ID; }
  TcxAccessibleObjectProperties GetSupportedProperties(int) override { return Properties; }
  std::string GetValueText(int ID) override { return Texts("value", ID); }
  int NavigateChild(int Index, TDirection Direction) override
  {
    IndexesSeen.push_back(Index);
    Moves.push_back(Direction);
    return Navigate ? Navigate(Index, Direction) : Index;
  }
  void SetValueText(int ID, const std::string& Value) override { ValuesSet.emplace_back(ID, Value); }
  RECT GetBoundsOnScreen(int ID) override { return ID == 0 ? Bounds : RECT{1, 2, 4, 8}; }

  // Texts by kind and ID; none: empty.
  std::string Texts(const std::string& kind, int ID) { return TextTable[kind + std::to_string(ID)]; }

  std::vector<TcxAccessibilityHelper*> Children;
  TcxAccessibilityHelper* Parent = nullptr;
  TcxAccessibleObjectProperties Properties = AllProperties;
  std::map<std::string, std::string> TextTable;
  TShortCut ShortCut = 0;
  std::string Caption;
  HWND Window = nullptr;
  DWORD Role = ROLE_SYSTEM_TOOLBAR;
  DWORD State = 0;
  RECT Bounds{100, 50, 300, 80};
  TcxAccessibleObjectHitTest Hit = TcxAccessibleObjectHitTest::aohtNone;
  int HitIndex = 0;
  bool HasFocus = false, ChildFocused = false;
  int FocusIndex = 0;
  bool NameError = false;
  std::function<int(int, TDirection)> Navigate;
  std::function<void()> OnDefaultAction;

  std::vector<int> IndexesSeen;
  std::vector<int> DefaultActions;
  std::vector<int> ShortCutIDs;
  std::vector<POINT> HitPoints;
  std::vector<TDirection> Moves;
  std::vector<std::pair<int, std::string>> ValuesSet;
};
CL_DEFINE_CLASS(TTestHelper);

// A helper with children that answers none of the questions about them.
class TSilentParent : public TcxAccessibilityHelper {
  CL_CLASS(TSilentParent, TcxAccessibilityHelper)
public:
  TSilentParent() : TcxAccessibilityHelper(nullptr) {}
  int CountChildren() override { return 2; }
  TcxAccessibleObjectProperties GetSupportedProperties(int) override { return AllProperties; }
};
CL_DEFINE_CLASS(TSilentParent);

VARIANT Id(int id)
{
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = id;
  return v;
}

// A counted reference of the test to a COM interface.
template <class I>
struct TRef {
  I* Intf = nullptr;
  TRef() = default;
  explicit TRef(I* intf) : Intf(intf) { Intf->AddRef(); }
  ~TRef()
  {
    if (Intf) Intf->Release();
  }
  TRef(const TRef&) = delete;
  TRef& operator=(const TRef&) = delete;
  I* operator->() const { return Intf; }
};

// ---- The answer table ----

// The answer of one call, and whether every out value came back empty.
struct TOutcome {
  HRESULT Result;
  bool Empty;
};

// Out values start as garbage, so that a method that does not clear them shows.
BSTR const GarbageText = reinterpret_cast<BSTR>(static_cast<intptr_t>(0x10));

TOutcome OfText(HRESULT result, BSTR text)
{
  if (text == GarbageText) return {result, false};
  const bool empty = text == nullptr;
  SysFreeString(text);
  return {result, empty};
}

TOutcome OfVariant(HRESULT result, VARIANT& v)
{
  const bool empty = V_VT(&v) == VT_EMPTY;
  if (V_VT(&v) != VT_ILLEGAL) VariantClear(&v);
  return {result, empty};
}

VARIANT GarbageVariant()
{
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_ILLEGAL;
  return v;
}

TOutcome OfDispatch(HRESULT result, IDispatch* dispatch)
{
  if (dispatch == reinterpret_cast<IDispatch*>(GarbageText)) return {result, false};
  if (dispatch) dispatch->Release();
  return {result, dispatch == nullptr};
}

// Calls of the methods that take a child id, with garbage in their out values.
template <HRESULT (STDMETHODCALLTYPE IAccessible::*Get)(VARIANT, BSTR*)>
TOutcome TextOf(IAccessible* a, VARIANT v)
{
  BSTR text = GarbageText;
  HRESULT r = (a->*Get)(v, &text);
  return OfText(r, text);
}

template <HRESULT (STDMETHODCALLTYPE IAccessible::*Get)(VARIANT, VARIANT*)>
TOutcome VariantOf(IAccessible* a, VARIANT v)
{
  VARIANT out = GarbageVariant();
  HRESULT r = (a->*Get)(v, &out);
  return OfVariant(r, out);
}

TOutcome HelpTopicOf(IAccessible* a, VARIANT v)
{
  BSTR text = GarbageText;
  long topic = 7;
  HRESULT r = a->get_accHelpTopic(&text, v, &topic);
  TOutcome o = OfText(r, text);
  return TOutcome{o.Result, o.Empty && topic == 0};
}

TOutcome LocationOf(IAccessible* a, VARIANT v)
{
  long l = 9, t = 9, w = 9, h = 9;
  HRESULT r = a->accLocation(&l, &t, &w, &h, v);
  return TOutcome{r, l == 0 && t == 0 && w == 0 && h == 0};
}

TOutcome ChildOf(IAccessible* a, VARIANT v)
{
  IDispatch* d = reinterpret_cast<IDispatch*>(GarbageText);
  HRESULT r = a->get_accChild(v, &d);
  return OfDispatch(r, d);
}

TOutcome NextOf(IAccessible* a, VARIANT v)
{
  VARIANT out = GarbageVariant();
  HRESULT r = a->accNavigate(NAVDIR_NEXT, v, &out);
  return OfVariant(r, out);
}

TOutcome SelectOf(IAccessible* a, VARIANT v) { return {a->accSelect(SELFLAG_TAKEFOCUS, v), true}; }
TOutcome DefaultActionOf(IAccessible* a, VARIANT v) { return {a->accDoDefaultAction(v), true}; }
TOutcome PutNameOf(IAccessible* a, VARIANT v) { return {a->put_accName(v, nullptr), true}; }

TOutcome PutValueOf(IAccessible* a, VARIANT v)
{
  BSTR value = SysAllocString(L"42");
  HRESULT r = a->put_accValue(v, value);
  SysFreeString(value);
  return {r, true};
}

struct TMethodCase {
  const char* Name;
  TOutcome (*Call)(IAccessible*, VARIANT);
  int LiveChildId;            // the child id a live call uses
  HRESULT Live;               // with every property
  HRESULT WithoutProperties;
  bool Unconditional;         // answers the same in every state
};

constexpr HRESULT NotFound = DISP_E_MEMBERNOTFOUND;

const TMethodCase ChildIdMethods[] = {
  {"get_accName", TextOf<&IAccessible::get_accName>, 0, S_OK, S_OK, false},
  {"get_accValue", TextOf<&IAccessible::get_accValue>, 0, S_OK, NotFound, false},
  {"get_accDescription", TextOf<&IAccessible::get_accDescription>, 0, S_OK, NotFound, false},
  {"get_accRole", VariantOf<&IAccessible::get_accRole>, 0, S_OK, S_OK, false},
  {"get_accState", VariantOf<&IAccessible::get_accState>, 0, S_OK, S_OK, false},
  {"get_accHelp", TextOf<&IAccessible::get_accHelp>, 0, NotFound, NotFound, true},
  {"get_accHelpTopic", HelpTopicOf, 0, NotFound, NotFound, true},
  {"get_accKeyboardShortcut", TextOf<&IAccessible::get_accKeyboardShortcut>, 0, S_OK, NotFound, false},
  {"get_accDefaultAction", TextOf<&IAccessible::get_accDefaultAction>, 0, S_OK, NotFound, false},
  {"accSelect", SelectOf, 0, NotFound, NotFound, true},
  {"accLocation", LocationOf, 0, S_OK, NotFound, false},
  {"accDoDefaultAction", DefaultActionOf, 0, S_OK, NotFound, false},
  {"put_accName", PutNameOf, 0, NotFound, NotFound, true},
  {"put_accValue", PutValueOf, 0, S_OK, NotFound, false},
  {"get_accChild", ChildOf, 2, S_OK, S_OK, false},
  {"accNavigate (next)", NextOf, 1, S_OK, NotFound, false},
};

struct TPlainMethodCase {
  const char* Name;
  TOutcome (*Call)(IAccessible*);
  HRESULT Live;
  HRESULT WithoutProperties;
  bool Unconditional;
};

template <class I, class F>
HRESULT Through(IUnknown* a, F&& call)
{
  I* intf = nullptr;
  if (FAILED(a->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&intf)))) return E_NOINTERFACE;
  HRESULT r = call(intf);
  intf->Release();
  return r;
}

TOutcome ParentOf(IAccessible* a)
{
  IDispatch* d = reinterpret_cast<IDispatch*>(GarbageText);
  HRESULT r = a->get_accParent(&d);
  return OfDispatch(r, d);
}

TOutcome ChildCountOf(IAccessible* a)
{
  long count = 9;
  HRESULT r = a->get_accChildCount(&count);
  return {r, count == 0};
}

template <HRESULT (STDMETHODCALLTYPE IAccessible::*Get)(VARIANT*)>
TOutcome PlainVariantOf(IAccessible* a)
{
  VARIANT out = GarbageVariant();
  HRESULT r = (a->*Get)(&out);
  return OfVariant(r, out);
}

TOutcome HitTestOf(IAccessible* a)
{
  VARIANT out = GarbageVariant();
  HRESULT r = a->accHitTest(150, 60, &out);
  return OfVariant(r, out);
}

TOutcome FirstChildOf(IAccessible* a)
{
  VARIANT out = GarbageVariant();
  HRESULT r = a->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &out);
  return OfVariant(r, out);
}

TOutcome WindowOf(IAccessible* a)
{
  HWND window = reinterpret_cast<HWND>(GarbageText);
  HRESULT r = Through<IOleWindow>(a, [&](IOleWindow* w) { return w->GetWindow(&window); });
  return {r, window == nullptr};
}

TOutcome ContextHelpOf(IAccessible* a)
{
  return {Through<IOleWindow>(a, [](IOleWindow* w) { return w->ContextSensitiveHelp(TRUE); }), true};
}

TOutcome TypeInfoCountOf(IAccessible* a)
{
  UINT count = 9;
  HRESULT r = a->GetTypeInfoCount(&count);
  return {r, count == 0};
}

TOutcome TypeInfoOf(IAccessible* a)
{
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(GarbageText);
  HRESULT r = a->GetTypeInfo(0, 0, &info);
  return {r, info == nullptr};
}

TOutcome IDsOfNamesOf(IAccessible* a)
{
  LPOLESTR name = const_cast<LPOLESTR>(L"accName");
  DISPID id = 0;
  return {a->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), true};
}

TOutcome InvokeOf(IAccessible* a)
{
  DISPPARAMS params{};
  return {a->Invoke(DISPID_ACC_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, nullptr, nullptr, nullptr), true};
}

const TPlainMethodCase PlainMethods[] = {
  {"get_accParent", ParentOf, S_OK, S_OK, false},
  {"get_accChildCount", ChildCountOf, S_OK, S_OK, false},
  {"get_accFocus", PlainVariantOf<&IAccessible::get_accFocus>, S_OK, NotFound, false},
  {"get_accSelection", PlainVariantOf<&IAccessible::get_accSelection>, NotFound, NotFound, true},
  {"accHitTest", HitTestOf, S_OK, NotFound, false},
  {"accNavigate (first child)", FirstChildOf, S_OK, NotFound, false},
  {"GetWindow", WindowOf, S_OK, S_OK, false},
  {"ContextSensitiveHelp", ContextHelpOf, S_OK, S_OK, true},
  {"GetTypeInfoCount", TypeInfoCountOf, E_NOTIMPL, E_NOTIMPL, true},
  {"GetTypeInfo", TypeInfoOf, E_NOTIMPL, E_NOTIMPL, true},
  {"GetIDsOfNames", IDsOfNamesOf, E_NOTIMPL, E_NOTIMPL, true},
  {"Invoke", InvokeOf, E_NOTIMPL, E_NOTIMPL, true},
};

// A helper with a parent and three children: a simple element, a child with an accessible object of
// its own and another simple element; every text is set.
class Accessibility : public testing::Test {
protected:
  void SetUp() override
  {
    Helper->Parent = Parent.get();
    Parent->Children = {Helper.get()};
    Helper->Children = {nullptr, Child.get(), nullptr};
    Child->Parent = Helper.get();
    for (int id : {0, 1, 3})
      for (const char* kind : {"name", "description", "value", "action"})
        Helper->TextTable[std::string(kind) + std::to_string(id)] = std::string(kind) + " " + std::to_string(id);
    Helper->Caption = "&Save";
    Helper->HasFocus = true;
    Helper->Hit = TcxAccessibleObjectHitTest::aohtSelf;
    Helper->Navigate = [](int index, TDirection) { return index + 1; };
  }
  IAccessible* Object() const { return Helper->Accessible(); }
  bool ReachedANegativeIndex() const
  {
    for (int index : Helper->IndexesSeen)
      if (index < 0) return true;
    return false;
  }

  TOwned<TTestHelper> Parent = MakeOwned<TTestHelper>();
  TOwned<TTestHelper> Helper = MakeOwned<TTestHelper>();
  TOwned<TTestHelper> Child = MakeOwned<TTestHelper>();
};

// Child ids that are no child ids of a helper with three children.
struct TBadChildId {
  const char* Name;
  VARIANT Value;
};

std::vector<TBadChildId> BadChildIds(BSTR text)
{
  std::vector<TBadChildId> ids;
  ids.push_back({"-1", Id(-1)});
  ids.push_back({"CountChildren + 1", Id(4)});
  VARIANT v;
  VariantInit(&v);
  ids.push_back({"empty", v});
  V_VT(&v) = VT_I2;
  V_I2(&v) = -2;
  ids.push_back({"VT_I2 -2", v});
  V_VT(&v) = VT_R8;
  V_R8(&v) = 1.0;
  ids.push_back({"VT_R8 1.0", v});
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = VARIANT_TRUE;
  ids.push_back({"VT_BOOL", v});
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = text;
  ids.push_back({"VT_BSTR \"1\"", v});
  V_VT(&v) = VT_UI4;
  V_UI4(&v) = 0xFFFFFFFFu;
  ids.push_back({"VT_UI4 above the integers", v});
  return ids;
}

TEST_F(Accessibility, EveryMethodOfALiveOwner)
{
  for (const TMethodCase& m : ChildIdMethods) {
    SCOPED_TRACE(m.Name);
    Helper->Properties = AllProperties;
    EXPECT_EQ(m.Call(Object(), Id(m.LiveChildId)).Result, m.Live);
    Helper->Properties = {};
    EXPECT_EQ(m.Call(Object(), Id(m.LiveChildId)).Result, m.WithoutProperties);
  }
  for (const TPlainMethodCase& m : PlainMethods) {
    SCOPED_TRACE(m.Name);
    Helper->Properties = AllProperties;
    EXPECT_EQ(m.Call(Object()).Result, m.Live);
    Helper->Properties = {};
    EXPECT_EQ(m.Call(Object()).Result, m.WithoutProperties);
  }
}

TEST_F(Accessibility, BadChildIdsAndVariantsAreInvalidArgumentsThatReachNoIndexOperation)
{
  BSTR text = SysAllocString(L"1");
  for (const TBadChildId& id : BadChildIds(text)) {
    for (const TMethodCase& m : ChildIdMethods) {
      SCOPED_TRACE(testing::Message() << m.Name << " with " << id.Name);
      Helper->IndexesSeen.clear();
      const TOutcome outcome = m.Call(Object(), id.Value);
      EXPECT_EQ(outcome.Result, m.Unconditional ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG);
      EXPECT_TRUE(outcome.Empty);
      EXPECT_FALSE(ReachedANegativeIndex());
    }
  }
  SysFreeString(text);
  EXPECT_TRUE(Helper->DefaultActions.empty());
  EXPECT_TRUE(Helper->ValuesSet.empty());
}

TEST_F(Accessibility, OnceTheOwnerIsGoneEveryCallSucceedsWithEmptyAnswers)
{
  BSTR text = SysAllocString(L"1");
  const std::vector<TBadChildId> badIds = BadChildIds(text);
  // The owner marks itself gone; then the helper is freed while a client still holds the object.
  TRef<IAccessible> object(Object());
  for (int stage = 0; stage < 2; ++stage) {
    if (stage == 0)
      Helper->MarkOwnerDestroyed();
    else
      Helper.reset();
    SCOPED_TRACE(stage == 0 ? "owner marked gone" : "helper freed");
    for (const TMethodCase& m : ChildIdMethods) {
      SCOPED_TRACE(m.Name);
      const HRESULT expected = m.Unconditional ? m.Live : S_OK;
      const TOutcome live = m.Call(object.Intf, Id(m.LiveChildId));
      EXPECT_EQ(live.Result, expected);
      EXPECT_TRUE(live.Empty);
      for (const TBadChildId& id : badIds) EXPECT_EQ(m.Call(object.Intf, id.Value).Result, expected) << id.Name;
    }
    for (const TPlainMethodCase& m : PlainMethods) {
      SCOPED_TRACE(m.Name);
      const TOutcome outcome = m.Call(object.Intf);
      EXPECT_EQ(outcome.Result, m.Unconditional ? m.Live : S_OK);
      EXPECT_TRUE(outcome.Empty);
    }
  }
  SysFreeString(text);
  EXPECT_TRUE(Parent->IndexesSeen.empty());
}

TEST_F(Accessibility, TextsComeFromTheObjectOrItsSimpleChildren)
{
  struct TCase {
    HRESULT (STDMETHODCALLTYPE IAccessible::*Get)(VARIANT, BSTR*);
    const char* Kind;
  };
  const TCase cases[] = {{&IAccessible::get_accName, "name"},
                         {&IAccessible::get_accDescription, "description"},
                         {&IAccessible::get_accValue, "value"},
                         {&IAccessible::get_accDefaultAction, "action"}};
  for (const TCase& c : cases) {
    // The simple children are told apart from the object itself: child 1 is not the object.
    for (int id : {0, 1, 3}) {
      SCOPED_TRACE(testing::Message() << c.Kind << " " << id);
      BSTR text = nullptr;
      EXPECT_EQ((Object()->*c.Get)(Id(id), &text), S_OK);
      EXPECT_EQ(std::wstring(text ? text : L""), AnsiToWide(std::string(c.Kind) + " " + std::to_string(id)));
      SysFreeString(text);
    }
    // Child 2 has an object of its own and is reached through get_accChild.
    BSTR text = nullptr;
    EXPECT_EQ((Object()->*c.Get)(Id(2), &text), E_INVALIDARG);
  }
  // Empty texts: name and description answer S_FALSE, value and default action S_OK.
  Helper->TextTable.clear();
  const HRESULT empty[] = {S_FALSE, S_FALSE, S_OK, S_OK};
  for (size_t i = 0; i < std::size(cases); ++i) {
    BSTR text = GarbageText;
    EXPECT_EQ((Object()->*cases[i].Get)(Id(0), &text), empty[i]) << cases[i].Kind;
    EXPECT_EQ(text, nullptr);
  }
  // Chinese text arrives as the same characters.
  Helper->TextTable["name0"] = "工具栏";
  BSTR name = nullptr;
  EXPECT_EQ(Object()->get_accName(Id(0), &name), S_OK);
  EXPECT_EQ(std::wstring(name), L"工具栏");
  SysFreeString(name);
}

TEST_F(Accessibility, RoleStateLocationAndValuesTakeTheSameIds)
{
  VARIANT v;
  EXPECT_EQ(Object()->get_accRole(Id(3), &v), S_OK);
  EXPECT_EQ(V_VT(&v), VT_I4);
  EXPECT_EQ(V_I4(&v), ROLE_SYSTEM_TOOLBAR + 3);
  Helper->State = STATE_SYSTEM_FOCUSABLE;
  EXPECT_EQ(Object()->get_accState(Id(0), &v), S_OK);
  EXPECT_EQ(V_I4(&v), STATE_SYSTEM_FOCUSABLE);

  long l, t, w, h;
  EXPECT_EQ(Object()->accLocation(&l, &t, &w, &h, Id(0)), S_OK);
  EXPECT_EQ((std::vector<long>{l, t, w, h}), (std::vector<long>{100, 50, 200, 30}));
  EXPECT_EQ(Object()->accLocation(&l, &t, &w, &h, Id(1)), S_OK);
  EXPECT_EQ((std::vector<long>{l, t, w, h}), (std::vector<long>{1, 2, 3, 6}));

  EXPECT_EQ(Object()->accDoDefaultAction(Id(3)), S_OK);
  BSTR value = SysAllocString(L"值");
  EXPECT_EQ(Object()->put_accValue(Id(1), value), S_OK);
  SysFreeString(value);
  EXPECT_EQ(Helper->DefaultActions, (std::vector<int>{3}));
  ASSERT_EQ(Helper->ValuesSet.size(), 1u);
  EXPECT_EQ(Helper->ValuesSet[0], std::make_pair(1, std::string("值")));

  long count = 0;
  EXPECT_EQ(Object()->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);
}

TEST_F(Accessibility, KeyboardShortcutPrefersTheCaptionsHotKey)
{
  struct TCase {
    const char* Caption;
    TShortCut ShortCut;
    HRESULT Result;
    const wchar_t* Text;
  };
  const TCase cases[] = {
    {"&Save", static_cast<TShortCut>(scCtrl | 'S'), S_OK, L"S"},
    {"Save &as", 0, S_OK, L"A"},
    {"&Open &recent", 0, S_OK, L"R"},
    {"Fish && chips", static_cast<TShortCut>(scCtrl | 'F'), S_OK, L"Ctrl+F"},
    {"", static_cast<TShortCut>(scShift | scCtrl | VK_F5), S_OK, L"Shift+Ctrl+F5"},
    {"", static_cast<TShortCut>(scAlt | VK_DELETE), S_OK, L"Alt+Del"},
    {"打开(&文)", 0, S_OK, L"文"},
    {"No hot key&", 0, S_FALSE, nullptr},
    {"", 0, S_FALSE, nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Caption);
    Helper->Caption = c.Caption;
    Helper->ShortCut = c.ShortCut;
    BSTR text = GarbageText;
    EXPECT_EQ(Object()->get_accKeyboardShortcut(Id(0), &text), c.Result);
    EXPECT_EQ(std::wstring(text ? text : L"(none)"), std::wstring(c.Text ? c.Text : L"(none)"));
    SysFreeString(text);
  }
  Object()->get_accKeyboardShortcut(Id(3), nullptr);
  BSTR text = nullptr;
  Object()->get_accKeyboardShortcut(Id(3), &text);
  SysFreeString(text);
  EXPECT_EQ(Helper->ShortCutIDs.back(), 3);
}

TEST_F(Accessibility, ChildrenWithObjectsOfTheirOwnAreHandedOutAsThoseObjects)
{
  IDispatch* child = nullptr;
  EXPECT_EQ(Object()->get_accChild(Id(2), &child), S_OK);
  EXPECT_EQ(child, static_cast<IDispatch*>(Child->Accessible()));
  if (child) child->Release();
  // A simple child has none; the object itself is no child.
  for (int id : {1, 3}) {
    EXPECT_EQ(Object()->get_accChild(Id(id), &child), S_FALSE) << id;
    EXPECT_EQ(child, nullptr);
  }
  EXPECT_EQ(Object()->get_accChild(Id(CHILDID_SELF), &child), E_INVALIDARG);

  struct TCase {
    bool ChildFocused;
    int Index;
    VARTYPE Type;
    int ChildId;  // for VT_I4
  };
  const TCase focus[] = {
    {false, 0, VT_I4, CHILDID_SELF}, {true, 0, VT_I4, 1}, {true, 1, VT_DISPATCH, 0}, {true, 2, VT_I4, 3}};
  for (const TCase& c : focus) {
    SCOPED_TRACE(testing::Message() << "focus " << c.ChildFocused << " " << c.Index);
    Helper->ChildFocused = c.ChildFocused;
    Helper->FocusIndex = c.Index;
    VARIANT v;
    EXPECT_EQ(Object()->get_accFocus(&v), S_OK);
    ASSERT_EQ(V_VT(&v), c.Type);
    if (c.Type == VT_I4)
      EXPECT_EQ(V_I4(&v), c.ChildId);
    else
      EXPECT_EQ(V_DISPATCH(&v), static_cast<IDispatch*>(Child->Accessible()));
    VariantClear(&v);
  }
  Helper->HasFocus = false;
  VARIANT v;
  EXPECT_EQ(Object()->get_accFocus(&v), S_FALSE);
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
}

TEST_F(Accessibility, HitTestInsideTheObjectsBounds)
{
  struct TCase {
    int X, Y;
    TcxAccessibleObjectHitTest Hit;
    int Index;
    HRESULT Result;
    VARTYPE Type;
    int ChildId;
  };
  const TCase cases[] = {
    {150, 60, TcxAccessibleObjectHitTest::aohtSelf, 0, S_OK, VT_I4, CHILDID_SELF},
    {150, 60, TcxAccessibleObjectHitTest::aohtChild, 2, S_OK, VT_I4, 3},
    {150, 60, TcxAccessibleObjectHitTest::aohtChild, 1, S_OK, VT_DISPATCH, 0},
    {150, 60, TcxAccessibleObjectHitTest::aohtNone, 0, S_FALSE, VT_EMPTY, 0},
    {99, 60, TcxAccessibleObjectHitTest::aohtSelf, 0, S_FALSE, VT_EMPTY, 0},
    {300, 79, TcxAccessibleObjectHitTest::aohtSelf, 0, S_FALSE, VT_EMPTY, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.X << "," << c.Y << " " << static_cast<int>(c.Hit));
    Helper->Hit = c.Hit;
    Helper->HitIndex = c.Index;
    VARIANT v;
    EXPECT_EQ(Object()->accHitTest(c.X, c.Y, &v), c.Result);
    ASSERT_EQ(V_VT(&v), c.Type);
    if (c.Type == VT_I4) {
      EXPECT_EQ(V_I4(&v), c.ChildId);
    } else if (c.Type == VT_DISPATCH) {
      EXPECT_EQ(V_DISPATCH(&v), static_cast<IDispatch*>(Child->Accessible()));
    }
    VariantClear(&v);
  }
  // The test asks the object only for points inside it.
  for (const POINT& p : Helper->HitPoints) EXPECT_EQ(p.x, 150);
}

TEST_F(Accessibility, NavigationAmongChildren)
{
  struct TCase {
    const char* Name;
    long Direction;
    int Start;
    int Children;   // of the helper, the first of them simple
    int MovesTo;    // NavigateChild's answer for index Start - 1 (-2: stays)
    HRESULT Result;
    int ChildId;    // of a VT_I4 answer (0: no answer)
  };
  const TCase cases[] = {
    {"first child", NAVDIR_FIRSTCHILD, CHILDID_SELF, 3, 0, S_OK, 1},
    {"last child", NAVDIR_LASTCHILD, CHILDID_SELF, 3, 0, S_OK, 3},
    {"first child without children", NAVDIR_FIRSTCHILD, CHILDID_SELF, 0, 0, S_FALSE, 0},
    {"first child from a child", NAVDIR_FIRSTCHILD, 1, 3, 0, E_INVALIDARG, 0},
    {"last child from a child", NAVDIR_LASTCHILD, 2, 3, 0, E_INVALIDARG, 0},
    {"next child", NAVDIR_NEXT, 1, 3, 2, S_OK, 3},
    {"no move", NAVDIR_DOWN, 3, 3, -2, S_FALSE, 0},
    {"from a child above the count", NAVDIR_NEXT, 4, 3, 0, E_INVALIDARG, 0},
    {"unknown direction", 9, 1, 3, 0, E_INVALIDARG, 0},
    {"direction 0", 0, CHILDID_SELF, 3, 0, E_INVALIDARG, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Helper->Children.assign(static_cast<size_t>(c.Children), nullptr);
    Helper->Navigate = [&](int index, TDirection) { return c.MovesTo == -2 ? index : c.MovesTo; };
    VARIANT v;
    EXPECT_EQ(Object()->accNavigate(c.Direction, Id(c.Start), &v), c.Result);
    if (c.ChildId) {
      ASSERT_EQ(V_VT(&v), VT_I4);
      EXPECT_EQ(V_I4(&v), c.ChildId);
    } else {
      EXPECT_EQ(V_VT(&v), VT_EMPTY);
    }
    VariantClear(&v);
  }
  // The directions reach NavigateChild as the helper's own.
  struct TMove {
    long Direction;
    TDirection Mapped;
  };
  const TMove moves[] = {{NAVDIR_UP, TDirection::andUp},     {NAVDIR_DOWN, TDirection::andDown},
                         {NAVDIR_LEFT, TDirection::andLeft}, {NAVDIR_RIGHT, TDirection::andRight},
                         {NAVDIR_NEXT, TDirection::andNext}, {NAVDIR_PREVIOUS, TDirection::andPrev}};
  Helper->Moves.clear();
  for (const TMove& m : moves) {
    VARIANT v;
    Object()->accNavigate(m.Direction, Id(1), &v);
    VariantClear(&v);
  }
  ASSERT_EQ(Helper->Moves.size(), std::size(moves));
  for (size_t i = 0; i < std::size(moves); ++i) EXPECT_EQ(Helper->Moves[i], moves[i].Mapped) << i;
  // A child with an object of its own is answered with the object.
  Helper->Children = {nullptr, Child.get()};
  Helper->Navigate = [](int, TDirection) { return 1; };
  VARIANT v;
  EXPECT_EQ(Object()->accNavigate(NAVDIR_NEXT, Id(1), &v), S_OK);
  EXPECT_EQ(V_VT(&v), VT_DISPATCH);
  VariantClear(&v);
}

TEST_F(Accessibility, NavigationAmongSiblingsIsTheParents)
{
  // The parent has the helper as its second child, between two simple elements.
  Parent->Children = {nullptr, Helper.get(), nullptr};
  Parent->Navigate = [](int index, TDirection direction) {
    return direction == TDirection::andNext ? index + 1 : index;
  };
  VARIANT v;
  EXPECT_EQ(Object()->accNavigate(NAVDIR_NEXT, Id(CHILDID_SELF), &v), S_OK);
  ASSERT_EQ(V_VT(&v), VT_I4);
  EXPECT_EQ(V_I4(&v), 3);  // a child id of the parent
  ASSERT_FALSE(Parent->IndexesSeen.empty());
  EXPECT_EQ(Parent->IndexesSeen.front(), 1);  // the move starts from the helper's place
  // No move in the parent.
  EXPECT_EQ(Object()->accNavigate(NAVDIR_UP, Id(CHILDID_SELF), &v), S_FALSE);
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
  // A parent without navigation, a parent that is gone, no parent.
  Parent->Properties = {};
  EXPECT_EQ(Object()->accNavigate(NAVDIR_NEXT, Id(CHILDID_SELF), &v), S_FALSE);
  Parent->Properties = AllProperties;
  Parent->MarkOwnerDestroyed();
  EXPECT_EQ(Object()->accNavigate(NAVDIR_NEXT, Id(CHILDID_SELF), &v), S_OK);
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
  Helper->Parent = nullptr;
  EXPECT_EQ(Object()->accNavigate(NAVDIR_NEXT, Id(CHILDID_SELF), &v), S_FALSE);
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
}

TEST_F(Accessibility, ExceptionsEndAsFailuresWithEmptyAnswers)
{
  // Base operations that an object with children, values or navigation must answer itself.
  auto silent = MakeOwned<TSilentParent>();
  IAccessible* a = silent->Accessible();
  BSTR text = GarbageText;
  EXPECT_EQ(a->get_accName(Id(1), &text), E_FAIL);  // IsChildSimpleElement
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(a->get_accValue(Id(0), &text), E_FAIL);  // GetValueText
  EXPECT_EQ(text, nullptr);
  VARIANT v = GarbageVariant();
  EXPECT_EQ(a->accNavigate(NAVDIR_NEXT, Id(1), &v), E_FAIL);  // NavigateChild
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
  // IndexOfChild, asked when a child of the silent parent navigates among its siblings.
  Helper->Parent = silent.get();
  EXPECT_EQ(Object()->accNavigate(NAVDIR_NEXT, Id(CHILDID_SELF), &v), E_FAIL);
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
  // Any exception of an override.
  Helper->NameError = true;
  EXPECT_EQ(Object()->get_accName(Id(0), &text), E_FAIL);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(Object()->get_accName(Id(0), nullptr), E_POINTER);
}

TEST_F(Accessibility, TheParentIsTheParentHelperOrTheWindowsParentObject)
{
  ASSERT_TRUE(IsOleaccAvailable());
  IDispatch* parent = nullptr;
  EXPECT_EQ(Object()->get_accParent(&parent), S_OK);
  EXPECT_EQ(parent, static_cast<IDispatch*>(Parent->Accessible()));
  if (parent) parent->Release();

  // Without a parent helper or an owner window there is no parent.
  Helper->Parent = nullptr;
  EXPECT_EQ(Object()->get_accParent(&parent), S_FALSE);
  EXPECT_EQ(parent, nullptr);

  // With an owner window, the platform's object of the parent window: the desktop's for a top-level
  // window, the form's for a child window.
  TForm* form = NewForm(200, 100);
  TFormGuard guard{form};
  auto* panel = New<TPanel>(form);
  panel->SetParent(form);
  struct TCase {
    const char* Name;
    HWND Owner;
    HWND Parent;
  };
  const TCase cases[] = {{"top-level window", form->Handle(), GetDesktopWindow()},
                         {"child window", panel->Handle(), form->Handle()}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Helper->Window = c.Owner;
    ASSERT_EQ(Object()->get_accParent(&parent), S_OK);
    ASSERT_NE(parent, nullptr);
    HWND window = nullptr;
    EXPECT_EQ(Through<IOleWindow>(parent, [&](IOleWindow* w) { return w->GetWindow(&window); }), S_OK);
    EXPECT_EQ(window, c.Parent);
    parent->Release();
  }
  // The owner window itself.
  HWND window = nullptr;
  EXPECT_EQ(Through<IOleWindow>(Object(), [&](IOleWindow* w) { return w->GetWindow(&window); }), S_OK);
  EXPECT_EQ(window, panel->Handle());
}

TEST_F(Accessibility, TheAccessibleObjectOutlivesItsHelperByItsReferenceCount)
{
  IAccessible* object = Object();
  EXPECT_EQ(object->AddRef(), 2u);  // the helper's reference and the client's
  IOleWindow* window = nullptr;
  ASSERT_EQ(object->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(&window)), S_OK);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(window->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown, static_cast<IUnknown*>(object));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(object->QueryInterface(__uuidof(IEnumVARIANT), &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(object->QueryInterface(__uuidof(IAccessible), nullptr), E_POINTER);

  Helper.reset();
  EXPECT_EQ(unknown->Release(), 2u);
  EXPECT_EQ(window->Release(), 1u);
  BSTR name = GarbageText;
  EXPECT_EQ(object->get_accName(Id(0), &name), S_OK);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(object->Release(), 0u);
}

TEST_F(Accessibility, ACallThatFreesItsHelperEndsSafely)
{
  TRef<IAccessible> object(Object());
  TTestHelper* helper = Helper.get();
  TWeakRef<TTestHelper> alive(helper);
  helper->OnDefaultAction = [&] {
    // The owner goes inside the default action: its helper with it.
    Helper.reset();
    EXPECT_FALSE(alive);
  };
  EXPECT_EQ(object->accDoDefaultAction(Id(0)), S_OK);
  EXPECT_FALSE(alive);
  BSTR name = GarbageText;
  EXPECT_EQ(object->get_accName(Id(0), &name), S_OK);
  EXPECT_EQ(name, nullptr);
}

TEST_F(Accessibility, TheBaseHelperAnswersNothing)
{
  auto base = MakeOwned<TcxAccessibilityHelper>(nullptr);
  TObject* owner = Parent.get();
  auto owned = MakeOwned<TcxAccessibilityHelper>(owner);
  EXPECT_EQ(owned->OwnerObject(), owner);
  EXPECT_TRUE(owned->IsOwnerAlive());
  EXPECT_EQ(owned->GetHelper(), owned.get());
  EXPECT_FALSE(base->AsSelectable());
  EXPECT_TRUE(base->IsVisible());
  EXPECT_EQ(base->FindTopHelper(), base.get());
  IAccessible* a = base->Accessible();
  long count = 9;
  EXPECT_EQ(a->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 0);
  VARIANT v;
  EXPECT_EQ(a->get_accRole(Id(0), &v), S_OK);
  EXPECT_EQ(V_I4(&v), 0);
  BSTR text = GarbageText;
  EXPECT_EQ(a->get_accName(Id(0), &text), S_FALSE);
  EXPECT_EQ(a->get_accValue(Id(0), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(a->accNavigate(NAVDIR_FIRSTCHILD, Id(0), &v), DISP_E_MEMBERNOTFOUND);
  IDispatch* parent = nullptr;
  EXPECT_EQ(a->get_accParent(&parent), S_FALSE);
  // Visibility and the top helper.
  Helper->State = cxSTATE_SYSTEM_INVISIBLE;
  EXPECT_FALSE(Helper->IsVisible());
  EXPECT_EQ(Child->FindTopHelper(), Parent.get());
}
}  // namespace
