// Class records, two-phase construction, published property tables and events.
#include <gtest/gtest.h>
#include <vector>
#include "classlib/Component.h"
#include "classlib/TypInfo.h"

namespace {

std::vector<std::string> GLog;

class TBase : public TComponent {
  CL_CLASS(TBase, TComponent)
public:
  using TComponent::TComponent;
  void AfterConstruction() override
  {
    TComponent::AfterConstruction();
    GLog.push_back(std::string("after:") + Describe());
  }
  void BeforeDestruction() override
  {
    GLog.push_back(std::string("before:") + Describe());
    TComponent::BeforeDestruction();
  }
  virtual const char* Describe() const { return "base"; }

  int Width() const { return FWidth; }
  void SetWidth(int w) { FWidth = w; }

private:
  int FWidth = 10;
};

enum class TShade { shLight, shMedium, shDark };
constexpr std::string_view ShadeNames[] = {"shLight", "shMedium", "shDark"};
constexpr TEnumInfo ShadeInfo{"TShade", ShadeNames};
using TShades = TSet<TShade>;

class TDerived : public TBase {
  CL_CLASS(TDerived, TBase)
public:
  using TBase::TBase;
  const char* Describe() const override { return "derived"; }

  TShade Shade() const { return FShade; }
  void SetShade(TShade s) { FShade = s; }
  TShades Shades() const { return FShades; }
  void SetShades(TShades s) { FShades = s; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& c) { FCaption = c; }
  double Ratio() const { return FRatio; }
  void SetRatio(double r) { FRatio = r; }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* b) { FBuddy = b; }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& e) { FOnClick = e; }

  void ButtonClick(TObject* sender) { Clicked.push_back(sender); }
  void OtherClick(TObject*) {}
  std::vector<TObject*> Clicked;

private:
  TShade FShade = TShade::shMedium;
  TShades FShades{TShade::shLight};
  std::string FCaption;
  double FRatio = 0;
  TComponent* FBuddy = nullptr;
  TNotifyEvent FOnClick;
};

constexpr TPropInfo BaseProps[] = {IntProp<&TBase::Width, &TBase::SetWidth>("Width", 10)};
constexpr TPropInfo DerivedProps[] = {
  EnumProp<&TDerived::Shade, &TDerived::SetShade>("Shade", ShadeInfo, 1),
  SetProp<&TDerived::Shades, &TDerived::SetShades>("Shades", ShadeInfo, 1),
  StrProp<&TDerived::Caption, &TDerived::SetCaption>("Caption"),
  FloatProp<&TDerived::Ratio, &TDerived::SetRatio>("Ratio"),
  ComponentProp<&TDerived::Buddy, &TDerived::SetBuddy>("Buddy"),
  EventProp<&TDerived::OnClick, &TDerived::SetOnClick>("OnClick"),
};
constexpr TMethodInfo DerivedMethods[] = {
  PublishedMethod<TNotifyEvent, &TDerived::ButtonClick>("ButtonClick"),
};

}  // namespace

CL_DEFINE_CLASS(TBase, .Props = BaseProps);
CL_DEFINE_CLASS(TDerived, .Props = DerivedProps, .Methods = DerivedMethods);

TEST(ObjectModel, TwoPhaseLifeCallsTheDerivedOverrides)
{
  GLog.clear();
  TComponent* obj = TDerived::StaticClass()->NewComponent(nullptr);
  EXPECT_STREQ(obj->ClassName(), "TDerived");
  Free(obj);
  EXPECT_EQ(GLog, (std::vector<std::string>{"after:derived", "before:derived"}));
}

TEST(ObjectModel, ClassRecordsKnowTheirAncestry)
{
  TOwned<TDerived> d = MakeOwned<TDerived>(nullptr);
  EXPECT_TRUE(d->Is<TBase>());
  EXPECT_TRUE(d->Is<TPersistent>());
  EXPECT_FALSE(TBase::StaticClass()->InheritsFrom(TDerived::StaticClass()));
  EXPECT_EQ(As<TBase>(d.get()), d.get());
  TOwned<TBase> b = MakeOwned<TBase>(nullptr);
  EXPECT_THROW(As<TDerived>(b.get()), EInvalidCast);
}

TEST(ObjectModel, PropertiesAreFoundByNameIncludingInheritedOnes)
{
  TOwned<TDerived> d = MakeOwned<TDerived>(nullptr);
  EXPECT_EQ(GetOrdProp(d.get(), "width"), 10);  // inherited from TBase, any case
  SetOrdProp(d.get(), "Width", 42);
  EXPECT_EQ(d->Width(), 42);
  SetOrdProp(d.get(), "Tag", 7);  // from TComponent
  EXPECT_EQ(d->Tag(), 7);
  SetStrProp(d.get(), "Caption", "文件检索");
  EXPECT_EQ(d->Caption(), "文件检索");
  SetEnumProp(d.get(), "Shade", "shDark");
  EXPECT_EQ(d->Shade(), TShade::shDark);
  EXPECT_EQ(GetEnumProp(d.get(), "Shade"), "shDark");
  SetSetProp(d.get(), "Shades", "[shDark, shMedium]");
  EXPECT_EQ(d->Shades(), (TShades{TShade::shMedium, TShade::shDark}));
  EXPECT_EQ(GetSetProp(d.get(), "Shades"), "[shMedium,shDark]");
  SetFloatProp(d.get(), "Ratio", 2.5);
  EXPECT_DOUBLE_EQ(d->Ratio(), 2.5);

  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(TDerived::StaticClass())) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Width", "Shade", "Shades", "Caption", "Ratio",
                                             "Buddy", "OnClick"}));
}

namespace {
// Declares the inherited Width again, with a default of its own.
class TRedeclaring : public TDerived {
  CL_CLASS(TRedeclaring, TDerived)
public:
  explicit TRedeclaring(TComponent* owner) : TDerived(owner) { SetWidth(20); }
};
constexpr TPropInfo RedeclaringProps[] = {IntProp<&TBase::Width, &TBase::SetWidth>("Width", 20)};
}  // namespace

CL_DEFINE_CLASS(TRedeclaring, .Props = RedeclaringProps);

TEST(ObjectModel, APropertyDeclaredAgainReplacesTheInheritedOneInItsPlace)
{
  std::vector<std::string> names;
  std::vector<int64_t> widthDefaults;
  for (const TPropInfo* p : GetPropList(TRedeclaring::StaticClass())) {
    names.push_back(p->Name);
    if (std::string(p->Name) == "Width") widthDefaults.push_back(p->Default);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Width", "Shade", "Shades", "Caption", "Ratio",
                                             "Buddy", "OnClick"}));
  EXPECT_EQ(widthDefaults, std::vector<int64_t>{20});
  EXPECT_EQ(&GetPropInfo(MakeOwned<TRedeclaring>(nullptr).get(), "Width"), &RedeclaringProps[0]);
}

TEST(ObjectModel, PropertyErrorsNameTheProperty)
{
  TOwned<TDerived> d = MakeOwned<TDerived>(nullptr);
  try {
    GetOrdProp(d.get(), "Missing");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_NE(e.Message().find("Missing"), std::string::npos);
  }
  EXPECT_THROW(SetEnumProp(d.get(), "Shade", "shPurple"), EPropertyError);
  EXPECT_THROW(SetSetProp(d.get(), "Shades", "[shLight, shPurple]"), EPropertyError);
  EXPECT_THROW(GetOrdProp(d.get(), "Caption"), EPropertyError);
  TOwned<TPersistent> wrong = MakeOwned<TPersistent>();
  EXPECT_THROW(SetObjectProp(d.get(), "Buddy", wrong.get()), EPropertyError);
}

TEST(ObjectModel, DefaultsAreKnownForOrdinalProperties)
{
  TOwned<TDerived> d = MakeOwned<TDerived>(nullptr);
  const TPropInfo& width = GetPropInfo(d.get(), "Width");
  EXPECT_TRUE(width.IsDefault(d.get()));
  d->SetWidth(11);
  EXPECT_FALSE(width.IsDefault(d.get()));
  EXPECT_FALSE(GetPropInfo(d.get(), "Name").IsStored(d.get()));
}

TEST(ObjectModel, EventsCompareCallAndBindByPublishedName)
{
  TOwned<TDerived> d = MakeOwned<TDerived>(nullptr);
  TOwned<TDerived> other = MakeOwned<TDerived>(nullptr);
  TNotifyEvent none;
  EXPECT_FALSE(none);
  TNotifyEvent a(d.get(), &TDerived::ButtonClick);
  EXPECT_TRUE(a);
  EXPECT_EQ(a, TNotifyEvent(d.get(), &TDerived::ButtonClick));
  EXPECT_FALSE(a == TNotifyEvent(d.get(), &TDerived::OtherClick));
  EXPECT_FALSE(a == TNotifyEvent(other.get(), &TDerived::ButtonClick));
  a(other.get());
  EXPECT_EQ(d->Clicked, std::vector<TObject*>{other.get()});

  const TMethodInfo* m = TDerived::StaticClass()->FindMethod("buttonclick");
  ASSERT_NE(m, nullptr);
  SetMethodProp(other.get(), "OnClick", m->Bind(d.get()));
  EXPECT_EQ(other->OnClick(), a);
  other->OnClick()(nullptr);
  EXPECT_EQ(d->Clicked.size(), 2u);
  EXPECT_EQ(GetMethodProp(other.get(), "OnClick"), a.Method());
}

TEST(ObjectModel, EventOfAnotherSignatureIsRefused)
{
  using TKeyEvent = TEvent<void(TObject*, int&)>;
  TOwned<TDerived> d = MakeOwned<TDerived>(nullptr);
  TNotifyEvent click(d.get(), &TDerived::ButtonClick);
  EXPECT_THROW(TKeyEvent{click.Method()}, EInvalidCast);
  EXPECT_NO_THROW(SetMethodProp(d.get(), "OnClick", TMethod{}));
  EXPECT_FALSE(d->OnClick());
}

TEST(ObjectModel, ClassRegistryFindsByName)
{
  RegisterClass(TDerived::StaticClass());
  EXPECT_EQ(GetClass("tderived"), TDerived::StaticClass());
  EXPECT_EQ(GetClass("TNothing"), nullptr);
  try {
    FindClass("TNothing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNothing not found");
  }
  UnRegisterClass(TDerived::StaticClass());
  EXPECT_EQ(GetClass("TDerived"), nullptr);
}
