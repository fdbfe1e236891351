// Edit properties: change notification with updates and held notifications, the values a provider
// supplies, CanModify, the stored forms of bounds and alignment, validation, copying, the live
// properties and the registry of properties classes.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include "classlib/ObjectText.h"
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/editors/EditPropertiesStubs.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditConsts.h"

namespace {

// The assigned values of a kind that publishes its bounds.
class TTestPropertiesValues : public TcxCustomEditPropertiesValues {
  CL_CLASS(TTestPropertiesValues, TcxCustomEditPropertiesValues)
public:
  using TcxCustomEditPropertiesValues::TcxCustomEditPropertiesValues;
};

// A kind of editor that publishes what the tests store, validates and uses a display format.
class TTestProperties : public TcxCustomEditProperties {
  CL_CLASS(TTestProperties, TcxCustomEditProperties)
public:
  using TcxCustomEditProperties::TcxCustomEditProperties;
  TcxCustomEditPropertiesValuesClass AssignedValuesClassType() const override
  {
    return ClassRef<TTestPropertiesValues>();
  }
  bool CanValidate() const override { return Validates; }
  TcxEditDisplayFormatOptions SupportedDisplayFormats() const override { return Formats; }
  bool IsDisplayFormatted(bool Focused) const override { return !Focused; }
  void ReferencedComponentFreed(TComponent* Component) override { Freed.push_back(Component); }
  using TcxCustomEditProperties::ReferenceWatcher;

  bool Validates = true;
  TcxEditDisplayFormatOptions Formats{TcxEditDisplayFormatOption::dfoDisplayFormat};
  std::vector<TComponent*> Freed;
};

// A component that publishes its properties.
class TPropertiesHolder : public TComponent {
  CL_CLASS(TPropertiesHolder, TComponent)
public:
  explicit TPropertiesHolder(TComponent* Owner) : TComponent(Owner), FProperties(MakeOwned<TTestProperties>(this)) {}
  TTestProperties* Properties() const { return FProperties.get(); }

private:
  TOwned<TTestProperties> FProperties;
};

class TOwnerLog : public TObject {
  CL_CLASS(TOwnerLog, TObject)
public:
  void PropertiesChanged(TObject* Sender)
  {
    Senders.push_back(Sender);
    if (Raise) throw EcxEditError("the owner failed");
  }
  void ButtonClick(TObject*, int) {}
  void Validate(TObject*, Variant&, std::string&, bool&) {}
  void PopupClosed(TObject*, TcxEditCloseUpReason) {}
  TNotifyEvent Handler() { return TNotifyEvent(this, &TOwnerLog::PropertiesChanged); }
  std::vector<TObject*> Senders;
  bool Raise = false;
};

// An editor as validation sees it: its handler and its shown text.
class TStubValidationHost : public IcxEditValidationHost {
public:
  bool HasValidateHandler() override { return static_cast<bool>(Handler); }
  void FireValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error) override
  {
    ErrorSeen = ErrorText;
    Handler(DisplayValue, ErrorText, Error);
  }
  std::string CurrentDisplayText() override { return "shown"; }
  std::function<void(Variant&, std::string&, bool&)> Handler;
  std::string ErrorSeen;
};

const TPropInfo ValuesProps[] = {
  Stored<&TTestPropertiesValues::IsMaxValueStored>(
      BoolProp<&TTestPropertiesValues::MaxValue, &TTestPropertiesValues::SetMaxValue>("MaxValue", false)),
  Stored<&TTestPropertiesValues::IsMinValueStored>(
      BoolProp<&TTestPropertiesValues::MinValue, &TTestPropertiesValues::SetMinValue>("MinValue", false)),
};
using TTP = TTestProperties;
const TPropInfo TestProps[] = {
  Stored<&TTP::IsAlignmentStored>(PersistentProp<&TTP::GetAlignment>("Alignment")),
  PersistentProp<&TTP::AssignedValues>("AssignedValues"),
  Stored<&TTP::IsMaxValueStored>(FloatProp<&TTP::MaxValue, &TTP::SetMaxValue>("MaxValue")),
  Stored<&TTP::IsMinValueStored>(FloatProp<&TTP::MinValue, &TTP::SetMinValue>("MinValue")),
  Stored<&TTP::IsReadOnlyStored>(BoolProp<&TTP::ReadOnly, &TTP::SetReadOnly>("ReadOnly", false)),
  CollectionProp<&TTP::Buttons>("Buttons"),
};
const TPropInfo HolderProps[] = {PersistentProp<&TPropertiesHolder::Properties>("Properties")};

CL_DEFINE_CLASS(TTestPropertiesValues, .Props = ValuesProps);
CL_DEFINE_CLASS(TTestProperties, .Props = TestProps);
CL_DEFINE_CLASS(TPropertiesHolder, .Props = HolderProps);
CL_DEFINE_CLASS(TOwnerLog);

struct TPropertiesFixture {
  TPropertiesFixture() { Properties->SetOwnerChangeHandler(Log->Handler()); }
  int Changes() const { return static_cast<int>(Log->Senders.size()); }
  TOwned<TOwnerLog> Log = MakeOwned<TOwnerLog>();
  TOwned<TStubProvider> Provider = MakeOwned<TStubProvider>();
  TOwned<TTestProperties> Properties = MakeOwned<TTestProperties>(nullptr);
};

// --- Change notification ---

TEST(EditProperties, ChangesInsideAnUpdateGiveOneNotification)
{
  TPropertiesFixture f;
  f.Properties->BeginUpdate();
  f.Properties->BeginUpdate();
  for (int i = 0; i < 10; ++i) f.Properties->SetButtonsDisplayKind(i % 3);
  f.Properties->EndUpdate();
  EXPECT_EQ(f.Changes(), 0) << "only the outermost level reports";
  f.Properties->EndUpdate();
  EXPECT_EQ(f.Changes(), 1);
  EXPECT_EQ(f.Log->Senders.front(), f.Properties.get());
  f.Properties->BeginUpdate();
  f.Properties->EndUpdate();
  EXPECT_EQ(f.Changes(), 1) << "an update without changes reports nothing";
}

TEST(EditProperties, EndUpdateWithoutNotifyReportsNothingAndTheMarkGoesAtTheNextUpdate)
{
  TPropertiesFixture f;
  f.Properties->BeginUpdate();
  f.Properties->SetAutoSelect(false);
  f.Properties->EndUpdate(false);
  EXPECT_EQ(f.Changes(), 0);
  EXPECT_TRUE(f.Properties->ChangedWhileLocked());
  f.Properties->BeginUpdate();
  EXPECT_FALSE(f.Properties->ChangedWhileLocked());
  f.Properties->EndUpdate(true);
  EXPECT_EQ(f.Changes(), 0);
  f.Properties->EndUpdate(true);
  EXPECT_EQ(f.Properties->UpdateLockCount(), 0) << "an unmatched EndUpdate does nothing";
}

TEST(EditProperties, HeldNotificationsOnlyMark)
{
  TPropertiesFixture f;
  f.Properties->SetChangeNotificationsHeld(true);
  EXPECT_TRUE(f.Properties->IsChangeHeld());
  f.Properties->SetBeepOnError(true);
  f.Properties->SetClearKey(46);
  EXPECT_EQ(f.Changes(), 0);
  EXPECT_TRUE(f.Properties->ChangedWhileLocked());
  f.Properties->SetChangeNotificationsHeld(false);
  EXPECT_EQ(f.Changes(), 0) << "releasing reports nothing by itself";
  f.Properties->Changed();
  EXPECT_EQ(f.Changes(), 1);
}

TEST(EditProperties, AChangeWhileTheOwnerIsDestroyedIsOnlyMarked)
{
  auto log = MakeOwned<TOwnerLog>();
  auto holder = MakeOwned<TPropertiesHolder>(nullptr);
  holder->Properties()->SetOwnerChangeHandler(log->Handler());
  holder->Destroying();
  holder->Properties()->SetTransparent(true);
  EXPECT_TRUE(log->Senders.empty());
  EXPECT_TRUE(holder->Properties()->ChangedWhileLocked());
}

TEST(EditProperties, AnExceptionInTheOwnersHandlerLeavesTheDepthBalanced)
{
  TPropertiesFixture f;
  f.Log->Raise = true;
  EXPECT_THROW(f.Properties->SetImmediatePost(true), EcxEditError);
  EXPECT_EQ(f.Properties->ChangeNotificationDepth(), 0);
  EXPECT_THROW(
      {
        f.Properties->BeginUpdate();
        f.Properties->SetValidateOnEnter(true);
        f.Properties->EndUpdate();
      },
      EcxEditError);
  EXPECT_EQ(f.Properties->ChangeNotificationDepth(), 0);
  EXPECT_EQ(f.Properties->UpdateLockCount(), 0);
}

TEST(EditProperties, SettersReportOnlyRealChanges)
{
  TPropertiesFixture f;
  f.Properties->SetAutoSelect(true);
  f.Properties->SetClickKey(0x400D);
  f.Properties->SetUseLeftAlignmentOnEditing(true);
  EXPECT_EQ(f.Changes(), 0);
  f.Properties->SetReadOnly(false);
  EXPECT_EQ(f.Changes(), 1) << "assigning the default explicitly assigns it";
  f.Properties->SetReadOnly(false);
  EXPECT_EQ(f.Changes(), 1);
  f.Properties->Buttons()->AddButton();
  EXPECT_EQ(f.Changes(), 2) << "the buttons report through the properties";
  EXPECT_EQ(f.Properties->GetCapabilities(), cxEditCapabilityButtons);
  f.Properties->Buttons()->Clear();
  EXPECT_EQ(f.Properties->GetCapabilities(), 0u);
}

// --- Values from the provider ---

TEST(EditProperties, CanModifyAgainstTheProvider)
{
  struct TCase {
    const char* Name;
    int AssignedReadOnly;  // -1 not assigned, else the assigned value
    bool HasProvider, ProviderReadOnly, ProviderCanModify, ProviderEditMode;
    bool Expected;
  };
  const TCase cases[] = {
    {"no provider", -1, false, false, false, false, true},
    {"assigned read-only", 1, false, false, false, false, false},
    {"provider allows everything", -1, true, false, true, true, true},
    {"provider read-only", -1, true, true, true, true, false},
    {"provider cannot modify", -1, true, false, false, true, false},
    {"provider refuses edit mode", -1, true, false, true, false, false},
    {"assigned not read-only beats a read-only provider", 0, true, true, false, false, true},
    {"assigned read-only beats a willing provider", 1, true, false, true, true, false},
  };
  for (const TCase& c : cases) {
    TPropertiesFixture f;
    f.Provider->ReadOnly = c.ProviderReadOnly;
    f.Provider->CanModify = c.ProviderCanModify;
    f.Provider->EditMode = c.ProviderEditMode;
    if (c.HasProvider) f.Properties->SetDefaultValuesProvider(f.Provider.get());
    if (c.AssignedReadOnly >= 0) f.Properties->SetReadOnly(c.AssignedReadOnly == 1);
    EXPECT_EQ(f.Properties->CanModify(), c.Expected) << c.Name;
  }
}

TEST(EditProperties, ClearingTheReadOnlyFlagReturnsToTheProvidersAnswer)
{
  TPropertiesFixture f;
  f.Provider->ReadOnly = true;
  f.Properties->SetDefaultValuesProvider(f.Provider.get());
  EXPECT_TRUE(f.Properties->GetReadOnly());
  f.Properties->SetReadOnly(false);
  EXPECT_FALSE(f.Properties->GetReadOnly());
  EXPECT_TRUE(f.Properties->CanModify());
  f.Properties->AssignedValues()->SetReadOnly(false);
  EXPECT_TRUE(f.Properties->GetReadOnly());
  EXPECT_FALSE(f.Properties->CanModify());
}

TEST(EditProperties, BoundsAndAlignmentComeFromTheProviderUntilAssigned)
{
  TPropertiesFixture f;
  EXPECT_EQ(f.Properties->GetMaxValue(), 0);
  EXPECT_EQ(f.Properties->GetAlignment()->Horz(), taLeftJustify);
  f.Provider->MaxValue = 99;
  f.Provider->MinValue = -5;
  f.Properties->SetDefaultValuesProvider(f.Provider.get());
  EXPECT_EQ(f.Properties->GetMaxValue(), 99);
  EXPECT_EQ(f.Properties->GetMinValue(), -5);
  EXPECT_EQ(f.Properties->GetAlignment()->Horz(), taRightJustify);
  f.Properties->SetMaxValue(0);
  EXPECT_EQ(f.Properties->GetMaxValue(), 0);
  f.Properties->GetAlignment()->SetHorz(taCenter);
  EXPECT_EQ(f.Properties->GetAlignment()->Horz(), taCenter);
  EXPECT_TRUE(f.Properties->StoredAlignment()->HorzAssigned());
  f.Properties->GetAlignment()->ClearHorzAssignment();
  EXPECT_EQ(f.Properties->GetAlignment()->Horz(), taRightJustify);
}

TEST(EditProperties, TheProvidersDisplayFormatIsAskedAsTheFormatsSay)
{
  TPropertiesFixture f;
  EXPECT_FALSE(f.Properties->HasProviderDisplayFormat(false)) << "without a provider";
  f.Properties->SetDefaultValuesProvider(f.Provider.get());
  EXPECT_FALSE(f.Properties->HasProviderDisplayFormat(true)) << "never when focused";
  EXPECT_TRUE(f.Properties->HasProviderDisplayFormat(false));
  EXPECT_TRUE(f.Properties->UsesProviderDisplayFormat());
  f.Properties->Formats.Include(TcxEditDisplayFormatOption::dfoEditFormat);
  EXPECT_TRUE(f.Properties->HasProviderDisplayFormat(false));
  EXPECT_EQ(f.Provider->DisplayFormatAsked, (std::vector<bool>{true, true, false}));
  f.Properties->Formats = {};
  EXPECT_FALSE(f.Properties->HasProviderDisplayFormat(false));
  EXPECT_FALSE(f.Properties->UsesProviderDisplayFormat());
}

// --- Stored forms ---

std::string StoredFormOf(const std::function<void(TTestProperties*)>& arrange)
{
  auto holder = MakeOwned<TPropertiesHolder>(nullptr);
  holder->SetName("Holder");
  arrange(holder->Properties());
  return ComponentToText(holder.get());
}

TEST(EditProperties, AZeroBoundStoresItsFlagAndANonZeroBoundItself)
{
  const std::string zero = StoredFormOf([](TTestProperties* p) { p->SetMaxValue(0); });
  EXPECT_NE(zero.find("Properties.AssignedValues.MaxValue = True"), std::string::npos) << zero;
  EXPECT_EQ(zero.find("Properties.MaxValue"), std::string::npos) << zero;
  const std::string five = StoredFormOf([](TTestProperties* p) { p->SetMaxValue(5); });
  EXPECT_NE(five.find("Properties.MaxValue = 5"), std::string::npos) << five;
  EXPECT_EQ(five.find("AssignedValues.MaxValue"), std::string::npos) << five;
  const std::string none = StoredFormOf([](TTestProperties*) {});
  EXPECT_EQ(none.find("MaxValue"), std::string::npos) << none;

  // Read back, the zero bound is assigned again.
  auto read = MakeOwned<TPropertiesHolder>(nullptr);
  ReadComponentFromText(zero, read.get());
  EXPECT_TRUE(read->Properties()->AssignedValues()->MaxValue());
  EXPECT_EQ(read->Properties()->GetMaxValue(), 0);
}

TEST(EditProperties, AnAlignmentNeverSetIsNotStored)
{
  auto provider = MakeOwned<TStubProvider>();
  const std::string unset = StoredFormOf([&](TTestProperties* p) { p->SetDefaultValuesProvider(provider.get()); });
  EXPECT_EQ(unset.find("Alignment"), std::string::npos) << unset;
  const std::string vert = StoredFormOf([&](TTestProperties* p) {
    p->SetDefaultValuesProvider(provider.get());
    p->GetAlignment()->SetVert(taVCenter);
  });
  EXPECT_NE(vert.find("Properties.Alignment.Vert = taVCenter"), std::string::npos) << vert;
  EXPECT_EQ(vert.find("Alignment.Horz"), std::string::npos) << vert;
  const std::string horz = StoredFormOf([](TTestProperties* p) { p->GetAlignment()->SetHorz(taLeftJustify); });
  EXPECT_NE(horz.find("Properties.Alignment.Horz = taLeftJustify"), std::string::npos) << horz;
}

// --- Validation ---

TEST(EditProperties, ValidationFillsTheErrorTextAndRevertsAKeptError)
{
  struct TCase {
    const char* Name;
    bool Validates;
    std::function<void(Variant&, std::string&, bool&)> Handler;  // empty: no handler
    bool StartError;
    std::string ExpectedValue;
    std::string ExpectedErrorText;
    bool ExpectedError;
  };
  const std::string invalid = "Invalid input value. Use escape key to abandon changes";
  const TCase cases[] = {
    {"a kind that does not validate", false, nullptr, true, "typed", "", true},
    {"no handler", true, nullptr, true, "typed", invalid, true},
    {"a handler that keeps the error and the text", true, [](Variant&, std::string&, bool&) {}, true, "shown",
     invalid, true},
    {"a handler that changes the text", true, [](Variant& v, std::string&, bool&) { v = Variant("fixed"); }, true,
     "fixed", invalid, true},
    {"a handler that clears the error", true, [](Variant&, std::string&, bool& e) { e = false; }, true, "typed",
     invalid, false},
    {"a handler that raises the error", true,
     [](Variant&, std::string& text, bool& e) {
       e = true;
       text = "no";
     },
     false, "shown", "no", true},
  };
  for (const TCase& c : cases) {
    TPropertiesFixture f;
    f.Properties->Validates = c.Validates;
    TStubValidationHost host;
    host.Handler = c.Handler;
    Variant value("typed");
    std::string errorText;
    bool error = c.StartError;
    f.Properties->ValidateDisplayValue(value, errorText, error, &host);
    EXPECT_EQ(VarToStr(value), c.ExpectedValue) << c.Name;
    EXPECT_EQ(errorText, c.ExpectedErrorText) << c.Name;
    EXPECT_EQ(error, c.ExpectedError) << c.Name;
    if (c.Handler) {
      EXPECT_EQ(host.ErrorSeen, invalid) << c.Name << ": the handler sees the filled text";
    }
  }
  // A given error text stays.
  TPropertiesFixture f;
  Variant value("typed");
  std::string errorText = "own text";
  bool error = true;
  f.Properties->ValidateDisplayValue(value, errorText, error, nullptr);
  EXPECT_EQ(errorText, "own text");
}

// --- Copying ---

TEST(EditPropertiesAssign, CopiesTheSettingsInOneUpdate)
{
  TPropertiesFixture source;
  source.Properties->SetAutoSelect(false);
  source.Properties->SetBeepOnError(true);
  source.Properties->Buttons()->AddButton()->SetKind(bkGlyph);
  source.Properties->SetButtonsDisplayKind(2);
  source.Properties->SetClearKey(46);
  source.Properties->SetClickKey(13);
  source.Properties->SetUseLeftAlignmentOnEditing(false);
  source.Properties->SetDefaultValuesProvider(source.Provider.get());
  source.Provider->MinValue = 3;
  source.Properties->GetAlignment()->SetVert(taBottomJustify);
  source.Properties->SetMaxValue(10);
  source.Properties->SetReadOnly(true);
  source.Properties->SetImmediatePost(true);
  source.Properties->SetTransparent(true);
  source.Properties->SetAcceptsMouseWheel(false);
  source.Properties->SetValidateOnEnter(true);
  source.Properties->SetOnChange(TNotifyEvent(source.Log.get(), &TOwnerLog::PropertiesChanged));
  source.Properties->SetOnButtonClick(TcxEditButtonClickEvent(source.Log.get(), &TOwnerLog::ButtonClick));
  source.Properties->SetOnValidate(TcxEditValidateEvent(source.Log.get(), &TOwnerLog::Validate));
  source.Properties->SetOnPopupClosed(TcxEditClosePopupEvent(source.Log.get(), &TOwnerLog::PopupClosed));

  TPropertiesFixture f;
  f.Properties->SetMinValue(7);
  const int before = f.Changes();
  f.Properties->Assign(source.Properties.get());
  EXPECT_EQ(f.Changes(), before + 1);
  TTestProperties* p = f.Properties.get();
  EXPECT_FALSE(p->AutoSelect());
  EXPECT_TRUE(p->BeepOnError());
  ASSERT_EQ(p->Buttons()->Count(), 1);
  EXPECT_EQ(p->Buttons()->Items(0)->Kind(), bkGlyph);
  EXPECT_EQ(p->ButtonsDisplayKind(), 2);
  EXPECT_EQ(p->ClearKey(), 46);
  EXPECT_EQ(p->ClickKey(), 13);
  EXPECT_FALSE(p->UseLeftAlignmentOnEditing());
  EXPECT_EQ(p->DefaultValuesProvider(), source.Provider.get());
  EXPECT_EQ(p->GetAlignment()->Vert(), taBottomJustify);
  EXPECT_FALSE(p->StoredAlignment()->HorzAssigned()) << "the provider's alignment was not assigned";
  EXPECT_EQ(p->GetMaxValue(), 10);
  EXPECT_FALSE(p->AssignedValues()->MinValue()) << "the source's bound was not assigned: the flag is cleared";
  EXPECT_EQ(p->GetMinValue(), 3);
  EXPECT_TRUE(p->GetReadOnly());
  EXPECT_TRUE(p->ImmediatePost());
  EXPECT_TRUE(p->Transparent());
  EXPECT_FALSE(p->AcceptsMouseWheel());
  EXPECT_TRUE(p->ValidateOnEnter());
  EXPECT_TRUE(p->OnChange() == source.Properties->OnChange());
  EXPECT_TRUE(p->OnButtonClick() == source.Properties->OnButtonClick());
  EXPECT_TRUE(p->OnValidate() == source.Properties->OnValidate());
  EXPECT_FALSE(p->OnPopupClosed()) << "the popup-closed event is not copied";
  EXPECT_TRUE(p->OwnerChangeHandler() == f.Log->Handler()) << "nor is the owner's handler";
}

TEST(EditPropertiesAssign, AnotherKindOfSourceRaisesTheAssignmentErrorAndChangesNothing)
{
  TPropertiesFixture f;
  f.Properties->SetBeepOnError(true);
  auto buttons = MakeOwned<TcxEditButtons>(nullptr, ClassRef<TcxEditButton>());
  const std::string message = MessageOf<EConvertError>([&] { f.Properties->Assign(buttons.get()); });
  EXPECT_EQ(message, "Cannot assign a TcxEditButtons to a TTestProperties");
  EXPECT_TRUE(f.Properties->BeepOnError());
  EXPECT_EQ(f.Changes(), 1);
  EXPECT_EQ(f.Properties->UpdateLockCount(), 0);
}

TEST(EditProperties, ClassFactoriesMakeTheirClasses)
{
  TPropertiesFixture f;
  EXPECT_STREQ(f.Properties->AssignedValues()->ClassName(), "TTestPropertiesValues");
  EXPECT_STREQ(f.Properties->Buttons()->ClassName(), "TcxEditButtons");
  EXPECT_EQ(f.Properties->Buttons()->GetOwner(), f.Properties.get());
  EXPECT_EQ(f.Properties->StyleClassType(), ClassRef<TcxEditStyle>());
  TOwned<TcxCustomEditProperties> copy(f.Properties->CreatePreviewCopy());
  EXPECT_STREQ(copy->ClassName(), "TTestProperties");
  EXPECT_EQ(copy->GetOwner(), nullptr);
  TOwned<TcxCustomEditProperties> made(TcxCustomEditPropertiesClass(ClassRef<TTestProperties>()).Create(nullptr));
  EXPECT_STREQ(made->ClassName(), "TTestProperties");
}

TEST(EditProperties, ResetToDefaultsIsOneChange)
{
  TPropertiesFixture f;
  f.Properties->GetAlignment()->SetHorz(taCenter);
  f.Properties->SetReadOnly(true);
  f.Properties->SetMaxValue(3);
  const int before = f.Changes();
  f.Properties->ResetToDefaults();
  EXPECT_EQ(f.Changes(), before + 1);
  EXPECT_FALSE(f.Properties->StoredAlignment()->HorzAssigned());
  EXPECT_FALSE(f.Properties->AssignedValues()->ReadOnly());
  EXPECT_FALSE(f.Properties->AssignedValues()->MaxValue());
}

TEST(EditProperties, ReferencedComponentsAreWatched)
{
  TPropertiesFixture f;
  TOwned<TComponent> referenced(New<TComponent>(nullptr));
  TComponent* address = referenced.get();
  f.Properties->ReferenceWatcher()->WatchComponent(address);
  referenced.reset();
  EXPECT_EQ(f.Properties->Freed, std::vector<TComponent*>{address});
}

TEST(EditProperties, LivePropertiesAreListedWhileTheyLive)
{
  auto contains = [](TcxCustomEditProperties* p) {
    auto live = LiveEditProperties();
    return std::find(live.begin(), live.end(), p) != live.end();
  };
  auto properties = MakeOwned<TTestProperties>(nullptr);
  TcxCustomEditProperties* address = properties.get();
  EXPECT_TRUE(contains(address));
  properties.reset();
  EXPECT_FALSE(contains(address));
}

// --- Values ---

TEST(EditValues, EqualAndMatching)
{
  struct TCase {
    Variant A, B;
    bool Equal, Match;
  };
  const TCase cases[] = {
    {Variant(5), Variant(5), true, true},
    {Variant(5), Variant(5.0), false, true},
    {Variant(5), Variant(6.0), false, false},
    {Variant("abc"), Variant("abc"), true, true},
    {Variant("abc"), Variant("ABC"), false, false},
    {Variant("5"), Variant(5), false, false},
    {Variant(L"abc"), Variant("abc"), false, false},
    {Null(), Null(), true, true},
    {Null(), Unassigned(), false, false},
    {Unassigned(), Unassigned(), true, true},
    {Variant(true), Variant(true), true, true},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(EditValuesEqual(c.A, c.B), c.Equal) << VarToStr(c.A) << " / " << VarToStr(c.B);
    EXPECT_EQ(EditValuesMatch(c.A, c.B), c.Match) << VarToStr(c.A) << " / " << VarToStr(c.B);
  }
}

TEST(EditValues, TheOwnerComponentIsFoundThroughTheOwners)
{
  auto holder = MakeOwned<TPropertiesHolder>(nullptr);
  EXPECT_EQ(FindOwnerComponent(holder->Properties()->GetAlignment()), holder.get());
  EXPECT_EQ(FindOwnerComponent(holder->Properties()), holder.get());
  auto alone = MakeOwned<TTestProperties>(nullptr);
  EXPECT_EQ(FindOwnerComponent(alone.get()), nullptr);
}

// --- The registry ---

class TAlphaProperties : public TTestProperties {
  CL_CLASS(TAlphaProperties, TTestProperties)
public:
  using TTestProperties::TTestProperties;
};
class TBetaProperties : public TTestProperties {
  CL_CLASS(TBetaProperties, TTestProperties)
public:
  using TTestProperties::TTestProperties;
};
class TGammaProperties : public TTestProperties {
  CL_CLASS(TGammaProperties, TTestProperties)
public:
  using TTestProperties::TTestProperties;
};
CL_DEFINE_CLASS(TAlphaProperties);
CL_DEFINE_CLASS(TBetaProperties);
CL_DEFINE_CLASS(TGammaProperties);

TEST(EditPropertiesRegistry, SortedWithoutRegardToCaseAndFoundByExactClassName)
{
  TcxRegisteredClasses* registry = GetEditPropertiesRegistry();
  ASSERT_NE(registry, nullptr);
  EXPECT_EQ(registry, GetEditPropertiesRegistry());
  EXPECT_TRUE(registry->Sorted());
  registry->AddClassWithDescription(ClassRef<TGammaProperties>(), "memo|Lower-case name");
  registry->AddClassWithDescription(ClassRef<TAlphaProperties>(), "Memo|Capitalised name");
  registry->AddClassWithDescription(ClassRef<TBetaProperties>(), "Label|A label");
  std::vector<std::string> descriptions;
  for (int i = 0; i < registry->GetClassCount(); ++i) descriptions.push_back(registry->GetDescriptionText(i));
  ASSERT_EQ(descriptions.size(), 3u);
  EXPECT_EQ(descriptions[0], "Label");
  EXPECT_TRUE((descriptions[1] == "memo" && descriptions[2] == "Memo") ||
              (descriptions[1] == "Memo" && descriptions[2] == "memo"))
      << "both kept, next to each other";
  EXPECT_EQ(registry->FindByClassName("TAlphaProperties"), ClassRef<TAlphaProperties>());
  EXPECT_FALSE(registry->FindByClassName("talphaproperties"));
  EXPECT_FALSE(registry->FindByClassName("TUnknownProperties"));
  for (TClassRef<> c : {TClassRef<>(ClassRef<TAlphaProperties>()), TClassRef<>(ClassRef<TBetaProperties>()),
                        TClassRef<>(ClassRef<TGammaProperties>())})
    registry->RemoveClassEntry(c);
  EXPECT_EQ(registry->GetClassCount(), 0);
}

}  // namespace
