// The small parts around the bar manager: the object list, groups, image options, backgrounds and
// key tips.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ImageList.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarGroup.h"
#include "toolkit/bars/dxBarKeyTips.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/base/dxCore.h"

namespace {
struct TManagerFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
};

class TEventLog : public TObject {
  CL_CLASS(TEventLog, TObject)
public:
  std::vector<std::string> Log;
  void Change(TObject*) { Log.push_back("change"); }
  void SizeChange(TObject*) { Log.push_back("size"); }
};

class TKeyTipWindows : public TObject, public IdxBarKeyTipWindowHost {
  CL_CLASS(TKeyTipWindows, TObject)
public:
  std::vector<std::string> Log;
  TOwned<TObject> Window = MakeOwned<TObject>();
  void AddWindow(const std::string& keyTip, POINT p, TObject*& window, bool enabled, TdxBarKeyTipVertAlign,
                 TAlignment) override
  {
    Log.push_back("add " + keyTip + " " + std::to_string(p.x) + "," + std::to_string(p.y) + (enabled ? "" : " disabled"));
    window = Window.get();
  }
  void RemoveWindow(TObject* window) override { Log.push_back(window == Window.get() ? "delete" : "delete other"); }
  void ApplyWindows() override { Log.push_back("apply"); }
};
}  // namespace

CL_DEFINE_CLASS(TEventLog);
CL_DEFINE_CLASS(TKeyTipWindows);

TEST(dxBarComponents, TheObjectList)
{
  auto a = MakeOwned<TObject>(), b = MakeOwned<TObject>();
  auto list = MakeOwned<TdxObjectList>();
  list->AddUnique(a.get());
  list->AddUnique(a.get());
  list->AddUnique(nullptr);
  list->AddUnique(b.get());
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->GetLastObject(), b.get());
  EXPECT_EQ(list->GetObject(2), nullptr);
  EXPECT_EQ(list->GetObject(-1), nullptr);
  list->Add(a.get());
  auto plain = MakeOwned<TObjectList>(false);
  plain->Add(b.get());
  list->CopyTo(plain.get());
  EXPECT_EQ(plain->Count(), 3) << "a plain target takes every entry";
  auto unique = MakeOwned<TdxObjectList>();
  list->CopyTo(unique.get());
  EXPECT_EQ(unique->Count(), 2) << "a TdxObjectList takes each object once";
  EXPECT_EQ(MakeOwned<TdxObjectList>()->GetLastObject(), nullptr);
}

TEST(dxBarComponents, GroupsPassTheirStateToTheirMembers)
{
  TManagerFixture f;
  TdxBarGroup* outer = f.Manager->AddGroup();
  TdxBarGroup* inner = f.Manager->AddGroup();
  auto* a = New<TTestBarItem>(f.Form);
  auto* b = New<TTestBarItem>(f.Form);
  outer->AddItem(a);
  outer->AddItem(a);
  outer->AddItem(inner);
  inner->AddItem(b);
  EXPECT_EQ(outer->GetItemCount(), 2) << "a member is listed once";
  EXPECT_EQ(outer->IndexOfItem(inner), 1);
  EXPECT_EQ(f.Manager->GetGroupCount(), 2);
  EXPECT_EQ(inner->GetIndex(), 1);

  outer->SetEnabled(false);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(inner->Enabled());
  EXPECT_FALSE(b->Enabled()) << "a group member that is a group passes the value on";
  outer->SetVisible(ivNever);
  EXPECT_EQ(b->Visible(), ivNever);
  outer->SetEnabled(true);
  EXPECT_TRUE(b->Enabled());

  for (TdxBarGroup* recursive : {outer, inner}) {
    try {
      (recursive == outer ? outer : inner)->AddItem(outer);
      ADD_FAILURE() << "a recursive group was accepted";
    } catch (const EdxException& e) {
      EXPECT_EQ(e.Message(), "You cannot create recursive groups");
    }
  }
  EXPECT_EQ(inner->GetItemCount(), 1);

  outer->RemoveItem(a);
  EXPECT_EQ(outer->IndexOfItem(a), -1);
  Free(b);
  EXPECT_EQ(inner->GetItemCount(), 0) << "a freed member leaves";
  inner->SetIndex(0);
  EXPECT_EQ(f.Manager->GetGroup(0), inner);
  EXPECT_TRUE(outer->HasParent());
  EXPECT_EQ(outer->GetParentComponent(), f.Manager);
}

TEST(dxBarComponents, TheGlyphSizeOfTheImageOptions)
{
  TManagerFixture f;
  auto* large = New<TImageList>(f.Form);
  large->SetWidth(48);
  large->SetHeight(48);
  struct TCase {
    bool LargeIcons, UseLargeImages, WithLargeImages;
    int Size;
  };
  const TCase cases[] = {
    {false, true, true, 16}, {true, false, true, 32}, {true, true, false, 32}, {true, true, true, 48},
  };
  for (const TCase& c : cases) {
    TdxBarImageOptions* options = f.Manager->ImageOptions();
    options->SetLargeImages(c.WithLargeImages ? large : nullptr);
    options->SetUseLargeImagesForLargeIcons(c.UseLargeImages);
    options->SetLargeIcons(!c.LargeIcons);
    options->SetLargeIcons(c.LargeIcons);
    EXPECT_EQ(options->GlyphSize(), c.Size) << c.LargeIcons << c.UseLargeImages << c.WithLargeImages;
  }
}

TEST(dxBarComponents, ImageOptionsReportTheirChangesAndForgetFreedLists)
{
  TManagerFixture f;
  auto options = MakeOwned<TdxBarImageOptions>(f.Manager);
  auto log = MakeOwned<TEventLog>();
  options->SetOnChange(TNotifyEvent(log.get(), &TEventLog::Change));
  options->SetOnSizeChange(TNotifyEvent(log.get(), &TEventLog::SizeChange));
  auto* images = New<TImageList>(f.Form);
  options->SetImageListBkColor(clRed);
  options->SetMakeDisabledImagesFaded(true);
  options->SetSmoothGlyphs(true);
  options->SetLargeIcons(true);
  options->SetUseLargeImagesForLargeIcons(true);
  options->SetLargeImages(images);
  options->SetLargeImages(images);
  EXPECT_EQ(log->Log, (std::vector<std::string>{"change", "change", "size", "change", "size"}));

  options->SetImages(images);
  options->SetHotImages(images);
  options->SetDisabledImages(images);
  auto copy = MakeOwned<TdxBarImageOptions>(f.Manager);
  copy->SetCacheGlyphs(false);
  copy->Assign(options.get());
  EXPECT_EQ(copy->Images(), images);
  EXPECT_EQ(copy->ImageListBkColor(), clRed);
  EXPECT_TRUE(copy->SmoothGlyphs());
  EXPECT_TRUE(copy->LargeIcons());
  EXPECT_FALSE(copy->CacheGlyphs()) << "not copied";

  options->SetHotImages(nullptr);
  Free(images);
  for (TdxBarImageOptions* o : {options.get(), copy.get()})
    for (auto kind : {TdxBarImageListKind::DisabledImages, TdxBarImageListKind::HotImages,
                      TdxBarImageListKind::Images, TdxBarImageListKind::LargeImages})
      EXPECT_EQ(o->ImageList(kind), nullptr) << "every property that named the freed list";
}

TEST(dxBarComponents, TheManagersImageListsRefreshItsItems)
{
  TManagerFixture f;
  auto* images = New<TImageList>(f.Form);
  auto* withImage = New<TTestBarItem>(f.Form);
  withImage->SetImageIndex(0);
  auto* without = New<TTestBarItem>(f.Form);
  struct TObserver : TObject, IdxBarComponentObserver {
    std::vector<std::string> Log;
    void Changed(TdxBarComponent* c) override { Log.push_back(c->Name()); }
  };
  withImage->SetName("WithImage");
  without->SetName("Without");
  f.Manager->SetImages(images);
  EXPECT_EQ(f.Manager->ImageOptions()->Images(), images) << "the manager's Images is the options' Images";
  auto observer = MakeOwned<TObserver>();
  withImage->AddObserver(observer.get());
  without->AddObserver(observer.get());
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(16, 16);
  images->Add(bitmap.get(), nullptr);
  EXPECT_EQ(observer->Log, std::vector<std::string>{"WithImage"});
  withImage->RemoveObserver(observer.get());
  without->RemoveObserver(observer.get());
}

TEST(dxBarComponents, BackgroundsRecreateThePainter)
{
  TManagerFixture f;
  TdxBarBackgrounds* backgrounds = f.Manager->Backgrounds();
  auto picture = MakeOwned<TBitmap>();
  picture->SetSize(8, 8);
  // The old painter is gone (its address may be reused by the new one).
  const TWeakRef<TdxBarPainter> before(f.Manager->Painter());
  backgrounds->SetBar(picture.get());
  EXPECT_FALSE(before);
  EXPECT_NE(f.Manager->Painter(), nullptr);
  EXPECT_EQ(backgrounds->Bar()->Width(), 8);
  backgrounds->SetSubMenu(picture.get());
  auto copy = MakeOwned<TdxBarBackgrounds>(nullptr);
  copy->Assign(backgrounds);
  EXPECT_EQ(copy->SubMenu()->Width(), 8);
  EXPECT_EQ(backgrounds->GetOwner(), f.Manager);
}

TEST(dxBarComponents, KeyTipWindows)
{
  TdxBarKeyTipInfo info;
  info.KeyTip = "fx";
  info.BasePoint = {10, 20};
  info.Enabled = false;
  auto data = MakeOwned<TdxBarKeyTipData>(info);
  auto windows = MakeOwned<TKeyTipWindows>();
  data->ReleaseKeyTipWindow(windows.get());
  data->ShowKeyTipWindow(windows.get());
  data->ShowKeyTipWindow(windows.get());
  EXPECT_EQ(data->Window(), windows->Window.get());
  data->ReleaseKeyTipWindow(windows.get());
  data->ReleaseKeyTipWindow(windows.get());
  EXPECT_EQ(windows->Log, (std::vector<std::string>{"add FX 10,20 disabled", "delete"}));
  EXPECT_EQ(data->Window(), nullptr);
}
