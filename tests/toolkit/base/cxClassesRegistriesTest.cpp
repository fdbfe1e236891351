// Class registries: look-up through inheritance, pair order, descriptions and sorting.
#include <gtest/gtest.h>
#include <vector>
#include "classlib/Component.h"
#include "toolkit/base/cxClassesRegistries.h"

namespace {
// A small control hierarchy: control <- windowed control <- button; control <- graphic control.
class TRegControl : public TComponent {
  CL_CLASS(TRegControl, TComponent)
public:
  using TComponent::TComponent;
};
class TRegWinControl : public TRegControl {
  CL_CLASS(TRegWinControl, TRegControl)
public:
  using TRegControl::TRegControl;
};
class TRegButton : public TRegWinControl {
  CL_CLASS(TRegButton, TRegWinControl)
public:
  using TRegWinControl::TRegWinControl;
};
class TRegGraphicControl : public TRegControl {
  CL_CLASS(TRegGraphicControl, TRegControl)
public:
  using TRegControl::TRegControl;
};
// What the registries map to.
class TRegA : public TObject {
  CL_CLASS(TRegA, TObject)
};
class TRegB : public TObject {
  CL_CLASS(TRegB, TObject)
};
class TRegC : public TObject {
  CL_CLASS(TRegC, TObject)
};
}  // namespace

CL_DEFINE_CLASS(TRegControl);
CL_DEFINE_CLASS(TRegWinControl);
CL_DEFINE_CLASS(TRegButton);
CL_DEFINE_CLASS(TRegGraphicControl);
CL_DEFINE_CLASS(TRegA);
CL_DEFINE_CLASS(TRegB);
CL_DEFINE_CLASS(TRegC);

namespace {
std::vector<TClass> ItemClasses(const TcxRegisteredClassList& list)
{
  std::vector<TClass> result;
  for (int i = 0; i < list.GetCount(); ++i) result.push_back(list.GetEntry(i).ItemClass.Class());
  return result;
}
}  // namespace

TEST(RegisteredClassList, NearestRegisteredAncestorWins)
{
  auto list = MakeOwned<TcxRegisteredClassList>();
  list->AddRegistration(TRegControl::StaticClass(), TRegA::StaticClass());
  list->AddRegistration(TRegWinControl::StaticClass(), TRegB::StaticClass());

  EXPECT_EQ(list->LookUpRegisteredClass(TRegButton::StaticClass()), TRegB::StaticClass());
  EXPECT_EQ(list->LookUpRegisteredClass(TRegWinControl::StaticClass()), TRegB::StaticClass());
  EXPECT_EQ(list->LookUpRegisteredClass(TRegGraphicControl::StaticClass()), TRegA::StaticClass());
  EXPECT_EQ(list->LookUpRegisteredClass(TComponent::StaticClass()), nullptr);
  EXPECT_EQ(list->LookUpRegisteredClass(nullptr), nullptr);
}

TEST(RegisteredClassList, AncestorPairsStandBeforeDescendantPairsWhateverTheOrderOfRegistration)
{
  auto list = MakeOwned<TcxRegisteredClassList>();
  list->AddRegistration(TRegButton::StaticClass(), TRegC::StaticClass());
  list->AddRegistration(TRegGraphicControl::StaticClass(), TRegB::StaticClass());
  list->AddRegistration(TRegControl::StaticClass(), TRegA::StaticClass());  // before both descendants
  list->AddRegistration(TRegWinControl::StaticClass(), TRegB::StaticClass());  // between control and button

  EXPECT_EQ(ItemClasses(*list), (std::vector<TClass>{TRegControl::StaticClass(), TRegWinControl::StaticClass(),
                                                    TRegButton::StaticClass(), TRegGraphicControl::StaticClass()}));
  EXPECT_EQ(list->LookUpRegisteredClass(TRegButton::StaticClass()), TRegC::StaticClass());
  EXPECT_EQ(list->LookUpRegisteredClass(TRegWinControl::StaticClass()), TRegB::StaticClass());
}

TEST(RegisteredClassList, LatestRegistrationOfOneClassWinsAndRemovalTakesExactPairs)
{
  auto list = MakeOwned<TcxRegisteredClassList>();
  list->AddRegistration(TRegControl::StaticClass(), TRegA::StaticClass());
  list->AddRegistration(TRegControl::StaticClass(), TRegB::StaticClass());
  EXPECT_EQ(list->LookUpRegisteredClass(TRegButton::StaticClass()), TRegB::StaticClass());

  list->RemoveRegistration(TRegControl::StaticClass(), TRegC::StaticClass());  // no such pair
  EXPECT_EQ(list->GetCount(), 2);
  list->RemoveRegistration(TRegControl::StaticClass(), TRegB::StaticClass());
  EXPECT_EQ(list->LookUpRegisteredClass(TRegButton::StaticClass()), TRegA::StaticClass());
  list->ClearItems();
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_THROW(list->GetEntry(0), EListError);
}

TEST(RegisteredClasses, DescriptionsAndExactLookups)
{
  auto classes = MakeOwned<TcxRegisteredClasses>();
  classes->AddClassWithDescription(TRegButton::StaticClass(), "ButtonEdit|Represents a button editor");
  classes->AddClassWithDescription(TRegGraphicControl::StaticClass(), "Label");
  classes->AddClassWithDescription(TRegButton::StaticClass(), "Second text");  // already listed

  ASSERT_EQ(classes->GetClassCount(), 2);
  EXPECT_EQ(classes->GetDescriptionText(0), "ButtonEdit");
  EXPECT_EQ(classes->GetEntryText(0), "ButtonEdit|Represents a button editor");
  EXPECT_EQ(classes->GetDescriptionText(1), "Label");

  EXPECT_EQ(classes->FindByClassName("TRegButton"), TRegButton::StaticClass());
  EXPECT_EQ(classes->FindByClassName("tregbutton"), nullptr);
  EXPECT_EQ(classes->FindByClassName("TRegControl"), nullptr);  // no inheritance here
  EXPECT_EQ(classes->FindByDescription("ButtonEdit"), TRegButton::StaticClass());
  EXPECT_EQ(classes->FindByDescription("buttonedit"), nullptr);
  EXPECT_EQ(classes->FindByDescription("ButtonEdit|Represents a button editor"), nullptr);
  EXPECT_EQ(classes->IndexOfClass(TRegGraphicControl::StaticClass()), 1);

  classes->RemoveClassEntry(TRegButton::StaticClass());
  classes->RemoveClassEntry(TRegButton::StaticClass());  // absent: nothing
  EXPECT_EQ(classes->GetClassCount(), 1);
  EXPECT_EQ(classes->GetClassAt(0), TRegGraphicControl::StaticClass());
  EXPECT_THROW(classes->GetClassAt(1), EListError);
}

TEST(RegisteredClasses, SortingIgnoresCaseAndKeepsLaterAdditionsInOrder)
{
  auto classes = MakeOwned<TcxRegisteredClasses>();
  classes->AddClassWithDescription(TRegButton::StaticClass(), "TextEdit|Represents a single line text editor");
  classes->AddClassWithDescription(TRegGraphicControl::StaticClass(), "label|A label");
  EXPECT_EQ(classes->GetDescriptionText(0), "TextEdit");  // unsorted: order of addition

  classes->SetSorted(true);
  EXPECT_EQ(classes->GetDescriptionText(0), "label");
  EXPECT_EQ(classes->GetDescriptionText(1), "TextEdit");

  classes->AddClassWithDescription(TRegWinControl::StaticClass(), "MaskEdit");
  EXPECT_EQ(classes->GetDescriptionText(1), "MaskEdit");
  EXPECT_EQ(classes->GetClassAt(1), TRegWinControl::StaticClass());
}

TEST(RegisteredClasses, RegistersWithTheStreamingSystemWhenMadeSo)
{
  ASSERT_EQ(GetClass("TRegA"), nullptr);
  auto plain = MakeOwned<TcxRegisteredClasses>();
  plain->AddClassWithDescription(TRegA::StaticClass(), "A");
  EXPECT_EQ(GetClass("TRegA"), nullptr);

  auto registering = MakeOwned<TcxRegisteredClasses>(true);
  registering->AddClassWithDescription(TRegA::StaticClass(), "A");
  EXPECT_EQ(GetClass("TRegA"), TRegA::StaticClass());
  registering->RemoveClassEntry(TRegA::StaticClass());
  EXPECT_EQ(GetClass("TRegA"), TRegA::StaticClass());  // the streaming registration stays
  UnRegisterClass(TRegA::StaticClass());
}
