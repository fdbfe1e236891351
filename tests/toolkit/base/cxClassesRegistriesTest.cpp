// Class registries: look-up through inheritance, pair order, descriptions and sorting.
#include <gtest/gtest.h>
#include <vector>
#include "classlib/Component.h"
#include "toolkit/base/cxClassesRegistries.h"

namespace {
// A small control hierarchy: control <- windowed control <- button; control <- graphic control.
class TRegControl : public TComponent {
  CL_CLASS(TRegControl)
public:
  using TComponent::TComponent;
};
class TRegWinControl : public TRegControl {
  CL_CLASS(TRegWinControl)
public:
  using TRegControl::TRegControl;
};
class TRegButton : public TRegWinControl {
  CL_CLASS(TRegButton)
public:
  using TRegWinControl::TRegWinControl;
};
class TRegGraphicControl : public TRegControl {
  CL_CLASS(TRegGraphicControl)
public:
  using TRegControl::TRegControl;
};
// What the registries map to.
class TRegA : public TObject {
  CL_CLASS(TRegA)
};
class TRegB : public TObject {
  CL_CLASS(TRegB)
};
class TRegC : public TObject {
  CL_CLASS(TRegC)
};
}  // namespace

const TClassRecord TRegControl::ClassInfo = MakeClassRecord<TRegControl>("TRegControl", TComponent::StaticClass());
const TClassRecord TRegWinControl::ClassInfo =
    MakeClassRecord<TRegWinControl>("TRegWinControl", TRegControl::StaticClass());
const TClassRecord TRegButton::ClassInfo = MakeClassRecord<TRegButton>("TRegButton", TRegWinControl::StaticClass());
const TClassRecord TRegGraphicControl::ClassInfo =
    MakeClassRecord<TRegGraphicControl>("TRegGraphicControl", TRegControl::StaticClass());
const TClassRecord TRegA::ClassInfo = MakeClassRecord<TRegA>("TRegA", TObject::StaticClass());
const TClassRecord TRegB::ClassInfo = MakeClassRecord<TRegB>("TRegB", TObject::StaticClass());
const TClassRecord TRegC::ClassInfo = MakeClassRecord<TRegC>("TRegC", TObject::StaticClass());

namespace {
std::vector<TClass> ItemClasses(const TcxRegisteredClassList& list)
{
  std::vector<TClass> result;
  for (int i = 0; i < list.GetCount(); ++i) result.push_back(list.GetEntry(i).ItemClass);
  return result;
}
}  // namespace

TEST(RegisteredClassList, NearestRegisteredAncestorWins)
{
  TcxRegisteredClassList list;
  list.AddRegistration(TRegControl::StaticClass(), TRegA::StaticClass());
  list.AddRegistration(TRegWinControl::StaticClass(), TRegB::StaticClass());

  EXPECT_EQ(list.LookUpRegisteredClass(TRegButton::StaticClass()), TRegB::StaticClass());
  EXPECT_EQ(list.LookUpRegisteredClass(TRegWinControl::StaticClass()), TRegB::StaticClass());
  EXPECT_EQ(list.LookUpRegisteredClass(TRegGraphicControl::StaticClass()), TRegA::StaticClass());
  EXPECT_EQ(list.LookUpRegisteredClass(TComponent::StaticClass()), nullptr);
  EXPECT_EQ(list.LookUpRegisteredClass(nullptr), nullptr);
}

TEST(RegisteredClassList, AncestorPairsStandBeforeDescendantPairsWhateverTheOrderOfRegistration)
{
  TcxRegisteredClassList list;
  list.AddRegistration(TRegButton::StaticClass(), TRegC::StaticClass());
  list.AddRegistration(TRegGraphicControl::StaticClass(), TRegB::StaticClass());
  list.AddRegistration(TRegControl::StaticClass(), TRegA::StaticClass());  // before both descendants
  list.AddRegistration(TRegWinControl::StaticClass(), TRegB::StaticClass());  // between control and button

  EXPECT_EQ(ItemClasses(list), (std::vector<TClass>{TRegControl::StaticClass(), TRegWinControl::StaticClass(),
                                                    TRegButton::StaticClass(), TRegGraphicControl::StaticClass()}));
  EXPECT_EQ(list.LookUpRegisteredClass(TRegButton::StaticClass()), TRegC::StaticClass());
  EXPECT_EQ(list.LookUpRegisteredClass(TRegWinControl::StaticClass()), TRegB::StaticClass());
}

TEST(RegisteredClassList, LatestRegistrationOfOneClassWinsAndRemovalTakesExactPairs)
{
  TcxRegisteredClassList list;
  list.AddRegistration(TRegControl::StaticClass(), TRegA::StaticClass());
  list.AddRegistration(TRegControl::StaticClass(), TRegB::StaticClass());
  EXPECT_EQ(list.LookUpRegisteredClass(TRegButton::StaticClass()), TRegB::StaticClass());

  list.RemoveRegistration(TRegControl::StaticClass(), TRegC::StaticClass());  // no such pair
  EXPECT_EQ(list.GetCount(), 2);
  list.RemoveRegistration(TRegControl::StaticClass(), TRegB::StaticClass());
  EXPECT_EQ(list.LookUpRegisteredClass(TRegButton::StaticClass()), TRegA::StaticClass());
  list.ClearItems();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_THROW(list.GetEntry(0), EListError);
}

TEST(RegisteredClasses, DescriptionsAndExactLookups)
{
  TcxRegisteredClasses classes;
  classes.AddClassWithDescription(TRegButton::StaticClass(), "ButtonEdit|Represents a button editor");
  classes.AddClassWithDescription(TRegGraphicControl::StaticClass(), "Label");
  classes.AddClassWithDescription(TRegButton::StaticClass(), "Second text");  // already listed

  ASSERT_EQ(classes.GetClassCount(), 2);
  EXPECT_EQ(classes.GetDescriptionText(0), "ButtonEdit");
  EXPECT_EQ(classes.GetEntryText(0), "ButtonEdit|Represents a button editor");
  EXPECT_EQ(classes.GetDescriptionText(1), "Label");

  EXPECT_EQ(classes.FindByClassName("TRegButton"), TRegButton::StaticClass());
  EXPECT_EQ(classes.FindByClassName("tregbutton"), nullptr);
  EXPECT_EQ(classes.FindByClassName("TRegControl"), nullptr);  // no inheritance here
  EXPECT_EQ(classes.FindByDescription("ButtonEdit"), TRegButton::StaticClass());
  EXPECT_EQ(classes.FindByDescription("buttonedit"), nullptr);
  EXPECT_EQ(classes.FindByDescription("ButtonEdit|Represents a button editor"), nullptr);
  EXPECT_EQ(classes.IndexOfClass(TRegGraphicControl::StaticClass()), 1);

  classes.RemoveClassEntry(TRegButton::StaticClass());
  classes.RemoveClassEntry(TRegButton::StaticClass());  // absent: nothing
  EXPECT_EQ(classes.GetClassCount(), 1);
  EXPECT_EQ(classes.GetClassAt(0), TRegGraphicControl::StaticClass());
  EXPECT_THROW(classes.GetClassAt(1), EListError);
}

TEST(RegisteredClasses, SortingIgnoresCaseAndKeepsLaterAdditionsInOrder)
{
  TcxRegisteredClasses classes;
  classes.AddClassWithDescription(TRegButton::StaticClass(), "TextEdit|Represents a single line text editor");
  classes.AddClassWithDescription(TRegGraphicControl::StaticClass(), "label|A label");
  EXPECT_EQ(classes.GetDescriptionText(0), "TextEdit");  // unsorted: order of addition

  classes.SetSorted(true);
  EXPECT_EQ(classes.GetDescriptionText(0), "label");
  EXPECT_EQ(classes.GetDescriptionText(1), "TextEdit");

  classes.AddClassWithDescription(TRegWinControl::StaticClass(), "MaskEdit");
  EXPECT_EQ(classes.GetDescriptionText(1), "MaskEdit");
  EXPECT_EQ(classes.GetClassAt(1), TRegWinControl::StaticClass());
}

TEST(RegisteredClasses, RegistersWithTheStreamingSystemWhenMadeSo)
{
  ASSERT_EQ(GetClass("TRegA"), nullptr);
  TcxRegisteredClasses plain;
  plain.AddClassWithDescription(TRegA::StaticClass(), "A");
  EXPECT_EQ(GetClass("TRegA"), nullptr);

  TcxRegisteredClasses registering(true);
  registering.AddClassWithDescription(TRegA::StaticClass(), "A");
  EXPECT_EQ(GetClass("TRegA"), TRegA::StaticClass());
  registering.RemoveClassEntry(TRegA::StaticClass());
  EXPECT_EQ(GetClass("TRegA"), TRegA::StaticClass());  // the streaming registration stays
  UnRegisterClass(TRegA::StaticClass());
}
