// Class references: a family's metaclass with an overridden class-level operation, the virtual
// constructor with the family's arguments, the check that a class belongs to the family, and
// families that construct through the record's own factories.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ClassRef.h"
#include "classlib/Collection.h"
#include "classlib/Component.h"

namespace {

std::vector<std::string> GLog;

// A family made with a skin object and a size, with two class-level operations.
class TProbePainter : public TObject {
  CL_CLASS(TProbePainter, TObject)
public:
  struct TMeta : TMetaClassOf<TProbePainter, TObject*, int> {
    virtual int BorderSize() const { return 2; }
    virtual std::string Title() const { return std::string("painter ") + Class()->Name; }
  };
  TProbePainter(TObject* Skin, int Size) : FSkin(Skin), FSize(Size) {}
  // The second phase runs the most derived override.
  void AfterConstruction() override { GLog.push_back(std::string("after:") + Kind()); }
  virtual const char* Kind() const { return "base"; }
  TObject* Skin() const { return FSkin; }
  int Size() const { return FSize; }

private:
  TObject* FSkin;
  int FSize;
};

class TProbeFlatPainter : public TProbePainter {
  CL_CLASS(TProbeFlatPainter, TProbePainter)
public:
  struct TMeta : TProbePainter::TMeta {
    int BorderSize() const override { return 1; }
  };
  using TProbePainter::TProbePainter;
  const char* Kind() const override { return "flat"; }
};

// Keeps its parent's metaclass: the parent's class-level answers, its own constructor.
class TProbeThinPainter : public TProbeFlatPainter {
  CL_CLASS(TProbeThinPainter, TProbeFlatPainter)
public:
  using TProbeFlatPainter::TProbeFlatPainter;
  const char* Kind() const override { return "thin"; }
};

class TProbeAbstractPainter : public TProbePainter {
  CL_CLASS(TProbeAbstractPainter, TProbePainter)
public:
  struct TMeta : TProbePainter::TMeta {
    int BorderSize() const override { return 7; }
  };
  using TProbePainter::TProbePainter;
  virtual void Paint() = 0;
};

class TProbeComponent : public TComponent {
  CL_CLASS(TProbeComponent, TComponent)
public:
  using TComponent::TComponent;
};

class TProbeItem : public TCollectionItem {
  CL_CLASS(TProbeItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
};

class TProbePlain : public TObject {
  CL_CLASS(TProbePlain, TObject)
};

}  // namespace

CL_DEFINE_CLASS(TProbePainter);
CL_DEFINE_CLASS(TProbeFlatPainter);
CL_DEFINE_CLASS(TProbeThinPainter);
CL_DEFINE_CLASS(TProbeAbstractPainter);
CL_DEFINE_CLASS(TProbeComponent);
CL_DEFINE_CLASS(TProbeItem);
CL_DEFINE_CLASS(TProbePlain);

using TProbePainterClass = TClassRef<TProbePainter>;

TEST(ClassRef, ClassLevelOperationsAnswerTheSubclassesOwnValueWithoutAnInstance)
{
  struct TCase {
    TProbePainterClass Class;
    int BorderSize;
    const char* Title;
  };
  const TCase cases[] = {
      {ClassRef<TProbePainter>(), 2, "painter TProbePainter"},
      {ClassRef<TProbeFlatPainter>(), 1, "painter TProbeFlatPainter"},
      {ClassRef<TProbeThinPainter>(), 1, "painter TProbeThinPainter"},
      {ClassRef<TProbeAbstractPainter>(), 7, "painter TProbeAbstractPainter"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Class.Name());
    EXPECT_EQ(c.Class->BorderSize(), c.BorderSize);
    EXPECT_EQ(c.Class.Meta().Title(), c.Title);
    EXPECT_EQ(c.Class->Class(), c.Class.Class());
  }
}

TEST(ClassRef, CreateRunsBothPhasesWithTheFamilysArguments)
{
  TOwned<TProbePlain> skin = MakeOwned<TProbePlain>();
  const TProbePainterClass classes[] = {ClassRef<TProbePainter>(), ClassRef<TProbeFlatPainter>(),
                                        ClassRef<TProbeThinPainter>()};
  for (TProbePainterClass c : classes) {
    SCOPED_TRACE(c.Name());
    GLog.clear();
    TOwned<TProbePainter> painter(c.Create(skin.get(), 5));
    EXPECT_EQ(painter->ClassType(), c.Class());
    EXPECT_EQ(painter->Skin(), skin.get());
    EXPECT_EQ(painter->Size(), 5);
    ASSERT_EQ(GLog.size(), 1u);
    EXPECT_EQ(GLog[0], std::string("after:") + painter->Kind());
  }
}

TEST(ClassRef, NameParentAndInheritance)
{
  const TProbePainterClass thin = ClassRef<TProbeThinPainter>();
  EXPECT_STREQ(thin.Name(), "TProbeThinPainter");
  EXPECT_EQ(thin.Parent(), TProbeFlatPainter::StaticClass());
  EXPECT_TRUE(thin.InheritsFrom<TProbePainter>());
  EXPECT_TRUE(thin.InheritsFrom(TProbeThinPainter::StaticClass()));
  EXPECT_FALSE(thin.InheritsFrom<TProbeAbstractPainter>());
  // The family's base answers its own parent, outside the family.
  EXPECT_EQ(ClassRef<TProbePainter>().Parent(), TObject::StaticClass());
  // Values: copied, compared, narrowed back with a check.
  const TClassRef<> any = thin;
  EXPECT_TRUE(any == thin.Class());
  EXPECT_TRUE(TProbePainterClass(any) == thin);
  EXPECT_FALSE(ClassRef<TProbePainter>() == thin);
}

TEST(ClassRef, RefusesAClassOutsideItsFamily)
{
  EXPECT_THROW(TProbePainterClass(TProbeComponent::StaticClass()), EInvalidCast);
  EXPECT_THROW(TProbePainterClass(TObject::StaticClass()), EInvalidCast);
  EXPECT_THROW(TClassRef<TProbeFlatPainter>(ClassRef<TProbePainter>()), EInvalidCast);
  EXPECT_THROW(TProbePainterClass(TClassRef<>(ClassRef<TProbePlain>())), EInvalidCast);
  EXPECT_NO_THROW(TClassRef<TProbeFlatPainter>(TProbePainterClass(ClassRef<TProbeThinPainter>())));
  EXPECT_NO_THROW(TProbePainterClass(GetClass("TNoSuchClass")));  // none stays none
}

TEST(ClassRef, EmptyAndAbstractReferencesMakeNothing)
{
  const TProbePainterClass empty;
  EXPECT_FALSE(empty);
  EXPECT_STREQ(empty.Name(), "");
  EXPECT_EQ(empty.Parent(), nullptr);
  EXPECT_FALSE(empty.InheritsFrom<TObject>());
  EXPECT_THROW(empty.Create(nullptr, 1), EInvalidOperation);
  EXPECT_THROW(empty->BorderSize(), EInvalidOperation);
  EXPECT_FALSE(TProbePainterClass(nullptr));

  GLog.clear();
  const TProbePainterClass abstract = ClassRef<TProbeAbstractPainter>();
  try {
    abstract.Create(nullptr, 1);
    FAIL() << "an abstract class made an instance";
  } catch (const EInvalidOperation& e) {
    EXPECT_NE(e.Message().find("TProbeAbstractPainter"), std::string::npos) << e.Message();
  }
  EXPECT_TRUE(GLog.empty());
}

TEST(ClassRef, FamiliesWithoutAMetaclassUseTheRecordsFactories)
{
  TOwned<TComponent> owner = MakeOwned<TComponent>(nullptr);
  const TClassRef<TComponent> componentClass = ClassRef<TProbeComponent>();
  TComponent* component = componentClass.Create(owner.get());
  EXPECT_EQ(component->ClassType(), TProbeComponent::StaticClass());
  EXPECT_EQ(component->Owner(), owner.get());  // the owner frees it

  auto collection = MakeOwned<TCollection>(TProbeItem::StaticClass());
  TCollectionItem* item = TClassRef<TCollectionItem>(ClassRef<TProbeItem>()).Create(collection.get());
  EXPECT_EQ(item->Collection(), collection.get());
  EXPECT_EQ(collection->Count(), 1);

  TOwned<TObject> plain(TClassRef<>(ClassRef<TProbePlain>()).Create());
  EXPECT_EQ(plain->ClassType(), TProbePlain::StaticClass());

  // A class of the family without the factory the family needs (here: none at all).
  EXPECT_THROW(TClassRef<>(TProbePainter::StaticClass()).Create(), EInvalidOperation);
}
