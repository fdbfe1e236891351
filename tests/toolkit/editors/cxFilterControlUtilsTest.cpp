// Filter edit helpers: the operators offered, the filter properties' set-up, the values accepted,
// the controller that finds a helper by properties class and lives while it holds pairs, and the
// filter editors the helpers make, prepare and read.
#include <gtest/gtest.h>
#include <vector>
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "tests/toolkit/editors/EditPropertiesStubs.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxFilterControlUtils.h"
#include "toolkit/editors/cxMaskEdit.h"
#include "toolkit/editors/cxVariants.h"

namespace {

// A family of properties classes as editor families make them: each registered class has a parent
// of its own (the key of its pair), and a descendant of each registers nothing.
class TCustomTextProperties : public TcxCustomEditProperties {
  CL_CLASS(TCustomTextProperties, TcxCustomEditProperties)
public:
  using TcxCustomEditProperties::TcxCustomEditProperties;
};
class TTextProperties : public TCustomTextProperties {
  CL_CLASS(TTextProperties, TCustomTextProperties)
public:
  using TCustomTextProperties::TCustomTextProperties;
};
class TCustomMaskProperties : public TCustomTextProperties {
  CL_CLASS(TCustomMaskProperties, TCustomTextProperties)
public:
  using TCustomTextProperties::TCustomTextProperties;
};
class TMaskProperties : public TCustomMaskProperties {
  CL_CLASS(TMaskProperties, TCustomMaskProperties)
public:
  using TCustomMaskProperties::TCustomMaskProperties;
};
class TTextDescendantProperties : public TTextProperties {
  CL_CLASS(TTextDescendantProperties, TTextProperties)
public:
  using TTextProperties::TTextProperties;
};
class TMaskDescendantProperties : public TMaskProperties {
  CL_CLASS(TMaskDescendantProperties, TMaskProperties)
public:
  using TMaskProperties::TMaskProperties;
};
CL_DEFINE_CLASS(TCustomTextProperties);
CL_DEFINE_CLASS(TTextProperties);
CL_DEFINE_CLASS(TCustomMaskProperties);
CL_DEFINE_CLASS(TMaskProperties);
CL_DEFINE_CLASS(TTextDescendantProperties);
CL_DEFINE_CLASS(TMaskDescendantProperties);

class TTextHelper : public TcxCustomFilterEditHelper {
  CL_CLASS(TTextHelper, TcxCustomFilterEditHelper)
};
// Keeps the buttons and lets no filter value be typed.
class TMaskHelper : public TTextHelper {
  CL_CLASS(TMaskHelper, TTextHelper)
public:
  struct TMeta : TcxCustomFilterEditHelper::TMeta {
    bool KeepsEditButtons() const override { return true; }
    bool AllowsFilterEditing(TcxCustomEditProperties*) const override { return false; }
  };
};
CL_DEFINE_CLASS(TTextHelper);
CL_DEFINE_CLASS(TMaskHelper);

// Any handler will do: the set-up must clear them.
class THandlers : public TObject {
  CL_CLASS(THandlers, TObject)
public:
  void Click(TObject*, int) {}
  void Notify(TObject*) {}
  void Validate(TObject*, Variant&, std::string&, bool&) {}
};
CL_DEFINE_CLASS(THandlers);

using Kinds = TcxFilterOperatorKinds;

TEST(cxFilterControlUtilsTest, OperatorsOfferedByValueType)
{
  struct TCase {
    const char* What;
    TcxValueTypeClass ValueType;
    bool Extended;
    uint64_t Operators;
  };
  const TCase cases[] = {
      {"numeric", ClassRef<TcxIntegerValueType>(), false, 0x67E},  // 1-6, 9, 10
      {"numeric, extended", ClassRef<TcxIntegerValueType>(), true, 0x7E7E},  // 1-6, 9-14
      {"text", ClassRef<TcxStringValueType>(), false, 0x7FE},  // 1-10
      {"text, extended", ClassRef<TcxStringValueType>(), true, 0x7FFE},  // 1-14
      {"wide text", ClassRef<TcxWideStringValueType>(), false, 0x7FE},
      {"no value type", nullptr, false, 0x67E},
  };
  TcxCustomFilterEditHelperClass helper = ClassRef<TcxCustomFilterEditHelper>();
  for (const TCase& c : cases) {
    Kinds operators = Kinds::FromInt(uint64_t(1) << 40);  // replaced, not added to
    helper->GetFilterOperators(nullptr, c.ValueType, operators, c.Extended);
    EXPECT_EQ(operators.ToInt(), c.Operators) << c.What;
  }
  Kinds text;
  helper->GetFilterOperators(nullptr, ClassRef<TcxStringValueType>(), text, false);
  EXPECT_TRUE(text.Contains(TcxFilterOperatorKind::fcoLike));
  EXPECT_FALSE(text.Contains(TcxFilterOperatorKind::fcoNone));
}

TEST(cxFilterControlUtilsTest, FilterPropertiesAreSetUpForFilterInput)
{
  auto handlers = MakeOwned<THandlers>();
  auto provider = MakeOwned<TStubProvider>();
  auto source = MakeOwned<TTextProperties>(nullptr);
  source->Buttons()->Add();
  source->Buttons()->Add();
  source->GetAlignment()->SetHorz(taRightJustify);
  source->GetAlignment()->SetVert(TcxEditVertAlignment::taBottomJustify);
  source->SetBeepOnError(true);
  source->SetReadOnly(true);
  source->SetValidateOnEnter(false);
  source->SetMaxValue(10);
  source->SetDefaultValuesProvider(provider.get());
  source->SetOnButtonClick(TcxEditButtonClickEvent(handlers.get(), &THandlers::Click));
  source->SetOnChange(TNotifyEvent(handlers.get(), &THandlers::Notify));
  source->SetOnEditValueChanged(TNotifyEvent(handlers.get(), &THandlers::Notify));
  source->SetOnValidate(TcxEditValidateEvent(handlers.get(), &THandlers::Validate));

  struct TCase {
    TcxCustomFilterEditHelperClass Helper;
    int Buttons;
    bool KeepsProvider;
  };
  const TCase cases[] = {{ClassRef<TTextHelper>(), 0, true}, {ClassRef<TMaskHelper>(), 2, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Helper.Name());
    auto target = MakeOwned<TTextProperties>(nullptr);
    c.Helper->SetUpFilterProperties(target.get(), source.get(), c.Helper->KeepsEditButtons());
    EXPECT_EQ(target->Buttons()->Count(), c.Buttons);
    EXPECT_EQ(target->GetAlignment()->Horz(), taLeftJustify);
    EXPECT_EQ(target->GetAlignment()->Vert(), TcxEditVertAlignment::taTopJustify);
    EXPECT_FALSE(target->BeepOnError());
    EXPECT_FALSE(target->ReadOnly());
    EXPECT_TRUE(target->IsReadOnlyStored());
    EXPECT_TRUE(target->ValidateOnEnter());
    EXPECT_EQ(target->MaxValue(), 10);  // the rest is the source's
    EXPECT_EQ(target->DefaultValuesProvider() != nullptr, c.KeepsProvider);
    EXPECT_FALSE(target->OnButtonClick());
    EXPECT_FALSE(target->OnChange());
    EXPECT_FALSE(target->OnEditValueChanged());
    EXPECT_FALSE(target->OnValidate());
  }
  // The source is left as it was.
  EXPECT_EQ(source->Buttons()->Count(), 2);
  EXPECT_TRUE(source->OnChange());
  source->SetDefaultValuesProvider(nullptr);

  ClassRef<TcxCustomFilterEditHelper>()->ClearEditEvents(nullptr);  // nothing without properties
}

TEST(cxFilterControlUtilsTest, ClassLevelAnswers)
{
  TcxCustomFilterEditHelperClass helper = ClassRef<TcxCustomFilterEditHelper>();
  EXPECT_TRUE(helper->AllowsFilterEditing(nullptr));
  EXPECT_FALSE(helper->KeepsEditButtons());
  EXPECT_FALSE(helper->FiltersByDisplayText());

  Variant twelve = "12", x = "x", anything = "x";
  EXPECT_TRUE(helper->IsFilterValueAcceptable(ClassRef<TcxIntegerValueType>(), twelve));
  EXPECT_EQ(VarType(twelve), varInteger);
  EXPECT_FALSE(helper->IsFilterValueAcceptable(ClassRef<TcxIntegerValueType>(), x));
  EXPECT_EQ(VarType(x), varString);
  EXPECT_TRUE(helper->IsFilterValueAcceptable(nullptr, anything));
}

TEST(cxFilterControlUtilsTest, HelpersFoundThroughTheParentOfThePropertiesClass)
{
  // The editor units' own pairs are set aside: the controller holds only this test's.
  struct TUnitPairsAside {
    TUnitPairsAside() { UnitcxMaskEdit.Finalize(); }
    ~TUnitPairsAside() { UnitcxMaskEdit.Initialize(); }
  } aside;
  TcxFilterEditsController* controller = GetFilterEditsController();
  ASSERT_NE(controller, nullptr);
  TWeakRef<TcxFilterEditsController> first(controller);
  controller->AddHelperPair(ClassRef<TTextProperties>(), ClassRef<TTextHelper>());
  controller->AddHelperPair(ClassRef<TMaskProperties>(), ClassRef<TMaskHelper>());

  struct TCase {
    TcxCustomEditPropertiesClass Properties;
    TcxCustomFilterEditHelperClass Helper;
  };
  const TCase cases[] = {
      {ClassRef<TTextProperties>(), ClassRef<TTextHelper>()},
      {ClassRef<TMaskProperties>(), ClassRef<TMaskHelper>()},
      {ClassRef<TTextDescendantProperties>(), ClassRef<TTextHelper>()},  // nearest registered ancestor
      {ClassRef<TMaskDescendantProperties>(), ClassRef<TMaskHelper>()},
      {ClassRef<TCustomMaskProperties>(), ClassRef<TTextHelper>()},  // its parent has the text pair
      {ClassRef<TCustomTextProperties>(), nullptr},
      {ClassRef<TcxCustomEditProperties>(), nullptr},
      {nullptr, nullptr},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(controller->LookupHelperClass(c.Properties), c.Helper) << c.Properties.Name();
  // Pairs are keyed by the parent of the properties class.
  ASSERT_EQ(controller->GetCount(), 2);
  EXPECT_EQ(controller->GetEntry(0).ItemClass, ClassRef<TCustomTextProperties>());
  EXPECT_EQ(controller->GetEntry(1).ItemClass, ClassRef<TCustomMaskProperties>());

  // The controller lives while it holds pairs.
  controller->RemoveHelperPair(ClassRef<TMaskProperties>(), ClassRef<TMaskHelper>());
  EXPECT_TRUE(first);
  EXPECT_EQ(controller->LookupHelperClass(ClassRef<TMaskDescendantProperties>()), ClassRef<TTextHelper>());
  controller->RemoveHelperPair(ClassRef<TTextProperties>(), ClassRef<TTextHelper>());
  EXPECT_FALSE(first);

  TcxFilterEditsController* second = GetFilterEditsController();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetCount(), 0);
  second->AddHelperPair(ClassRef<TTextProperties>(), ClassRef<TTextHelper>());
  EXPECT_EQ(GetFilterEditsController(), second);
  second->RemoveHelperPair(ClassRef<TTextProperties>(), ClassRef<TTextHelper>());
}

// Helpers that enter filter values with the test editor; one keeps the source's buttons.
class TTestEditHelper : public TcxCustomFilterEditHelper {
  CL_CLASS(TTestEditHelper, TcxCustomFilterEditHelper)
public:
  struct TMeta : TcxCustomFilterEditHelper::TMeta {
    TcxCustomEditClass FilterEditClassType() const override { return ClassRef<edit_test::TTestEdit>(); }
  };
};
class TButtonKeepingEditHelper : public TTestEditHelper {
  CL_CLASS(TButtonKeepingEditHelper, TTestEditHelper)
public:
  struct TMeta : TTestEditHelper::TMeta {
    bool KeepsEditButtons() const override { return true; }
  };
};
// A test editor that counts its live instances, and a helper that enters filter values with it.
class TCountedEdit : public edit_test::TTestEdit {
  CL_CLASS(TCountedEdit, edit_test::TTestEdit)
public:
  explicit TCountedEdit(TComponent* Owner, bool IsInplace = false) : TTestEdit(Owner, IsInplace) { ++Live; }
  ~TCountedEdit() override { --Live; }
  static inline int Live = 0;
};
class TCountedEditHelper : public TcxCustomFilterEditHelper {
  CL_CLASS(TCountedEditHelper, TcxCustomFilterEditHelper)
public:
  struct TMeta : TcxCustomFilterEditHelper::TMeta {
    TcxCustomEditClass FilterEditClassType() const override { return ClassRef<TCountedEdit>(); }
  };
};
CL_DEFINE_CLASS(TTestEditHelper);
CL_DEFINE_CLASS(TButtonKeepingEditHelper);
CL_DEFINE_CLASS(TCountedEdit);
CL_DEFINE_CLASS(TCountedEditHelper);

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Properties that show a value in angle brackets.
class TBracketingProperties : public edit_test::TTestEditProperties {
  CL_CLASS(TBracketingProperties, edit_test::TTestEditProperties)
public:
  using edit_test::TTestEditProperties::TTestEditProperties;
  std::wstring GetDisplayText(const Variant& Value, bool, bool) override
  {
    return L"<" + Widen(VarToStrDef(Value, "")) + L">";
  }
};
CL_DEFINE_CLASS(TBracketingProperties);

class cxFilterEditTest : public edit_test::TEditFormTest {
protected:
  void SetUp() override
  {
    TEditFormTest::SetUp();
    Source = MakeOwned<edit_test::TTestEditProperties>(nullptr);
    Source->Buttons()->Add();
    Source->Buttons()->Add();
    Source->SetReadOnly(true);
    Source->SetValidateOnEnter(false);
    Source->SetOnChange(TNotifyEvent(Handlers.get(), &THandlers::Notify));
  }
  void TearDown() override
  {
    Source.reset();
    TEditFormTest::TearDown();
  }
  // Whether the properties are a filter copy of Source, with or without its buttons.
  void ExpectFilterCopy(TcxCustomEditProperties* properties, int buttons)
  {
    EXPECT_EQ(properties->Buttons()->Count(), buttons);
    EXPECT_FALSE(properties->ReadOnly());
    EXPECT_TRUE(properties->ValidateOnEnter());
    EXPECT_FALSE(properties->OnChange());
  }

  TOwned<THandlers> Handlers = MakeOwned<THandlers>();
  TOwned<edit_test::TTestEditProperties> Source;
};

TEST_F(cxFilterEditTest, CreateFilterEditTakesThePoolsEditor)
{
  auto pool = MakeOwned<TcxInplaceEditList>(Form);
  TcxCustomEdit* pooled = CreateFilterEdit(ClassRef<TTestEditHelper>(), Source.get(), pool.get());
  ASSERT_EQ(pool->Count(), 1);
  EXPECT_EQ(pooled, pool->Edits(0));
  EXPECT_EQ(pooled->ClassType(), ClassRef<edit_test::TTestEdit>().Class());
  EXPECT_EQ(pooled->Owner(), Form);
  ExpectFilterCopy(pooled->ActiveProperties(), 0);
  // The free editor is taken again, set up anew (here keeping the buttons).
  EXPECT_EQ(CreateFilterEdit(ClassRef<TButtonKeepingEditHelper>(), Source.get(), pool.get()), pooled);
  EXPECT_EQ(pool->Count(), 1);
  ExpectFilterCopy(pooled->ActiveProperties(), 2);

  // Without a pool: a new editor of the helper's class, owned by the caller.
  TcxCustomEdit* own = CreateFilterEdit(ClassRef<TTestEditHelper>(), Source.get());
  ASSERT_NE(own, nullptr);
  EXPECT_NE(own, pooled);
  EXPECT_EQ(own->ClassType(), ClassRef<edit_test::TTestEdit>().Class());
  EXPECT_EQ(own->Owner(), nullptr);
  EXPECT_EQ(pool->Count(), 1);
  ExpectFilterCopy(own->ActiveProperties(), 0);
  Free(own);

  // A helper that names no editor class makes none.
  EXPECT_THROW(CreateFilterEdit(ClassRef<TTextHelper>(), Source.get(), pool.get()), EcxEditError);
  EXPECT_THROW(CreateFilterEdit(nullptr, Source.get()), EcxEditError);
  EXPECT_EQ(pool->Count(), 1);
  // An editor made for the caller is freed when its set-up fails (here: no source properties).
  EXPECT_THROW(CreateFilterEdit(ClassRef<TCountedEditHelper>(), nullptr), EConvertError);
  EXPECT_EQ(TCountedEdit::Live, 0);
  // The source is left as it was.
  EXPECT_EQ(Source->Buttons()->Count(), 2);
  EXPECT_TRUE(Source->ReadOnly());
}

TEST_F(cxFilterEditTest, PrepareFilterEditSetsUpTheActiveProperties)
{
  auto* edit = PlaceEdit<edit_test::TTestEdit>(true);
  auto linked = MakeOwned<edit_test::TTestEditProperties>(nullptr);
  linked->SetReadOnly(true);
  edit->SetLinkedProperties(linked.get());
  edit->Props()->SetReadOnly(true);

  ClassRef<TTestEditHelper>()->PrepareFilterEdit(edit, Source.get());
  EXPECT_EQ(edit->ActiveProperties(), linked.get());
  ExpectFilterCopy(linked.get(), 0);
  EXPECT_TRUE(edit->Props()->ReadOnly());  // the editor's own properties are not in effect
  edit->SetLinkedProperties(nullptr);
}

TEST_F(cxFilterEditTest, ReadFilterValueAnswersTheEditValueAndItsText)
{
  auto* edit = PlaceEdit<edit_test::TTestEdit>(true);
  auto properties = MakeOwned<TBracketingProperties>(nullptr);
  TcxCustomFilterEditHelperClass helper = ClassRef<TTestEditHelper>();
  const Variant values[] = {Variant(42), Variant("abc"), Null()};
  for (const Variant& written : values) {
    edit->SetEditValue(written);
    std::wstring text = L"stale";
    Variant value = "stale";
    helper->ReadFilterValue(edit, properties.get(), text, value);
    EXPECT_TRUE(VariantsEqualStrict(value, written)) << VarToStrDef(written, "Null");
    EXPECT_EQ(text, L"<" + Widen(VarToStrDef(written, "")) + L">");
  }
  // The base helper shows nothing of a written value.
  helper->WriteFilterValue(edit, properties.get(), Variant(7));
  EXPECT_TRUE(VarIsNull(edit->EditValue()));
}

}  // namespace
