// The painters registry: the list after start-up and its order, lookups by style and by name,
// duplicate refusal, unregistering with the root look-and-feel and the listeners told while the
// painter is alive, and the shared resources (indicator images, scroll-bar patterns, check-box size).
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Exceptions.h"
#include "classlib/ImageList.h"
#include "tests/toolkit/base/cxLookAndFeelsTestSupport.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeels.h"

namespace {
// A painter whose name and style are given.
class TNamedPainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TNamedPainter, TcxCustomLookAndFeelPainter)
public:
  TNamedPainter(std::string name, TcxPainterStyle style) : FName(std::move(name)), FStyle(style) {}
  std::string GetPainterName() const override { return FName; }
  TcxPainterStyle PainterStyle() const override { return FStyle; }

private:
  std::string FName;
  TcxPainterStyle FStyle;
};

std::vector<std::string> RegisteredNames()
{
  std::vector<std::string> names;
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  for (int i = 0; i < manager->GetCount(); ++i) names.push_back(manager->GetPainter(i)->GetPainterName());
  return names;
}

// Records what it is told, and whether the painter was alive then.
class TRegistryListener : public IcxPainterRegistryListener {
public:
  TRegistryListener(std::vector<std::string>& log, std::string id) : FLog(log), FId(std::move(id)) {}
  void PainterAdded(TcxCustomLookAndFeelPainter* Painter) override
  {
    FLog.push_back(FId + " added " + Painter->GetPainterName());
  }
  void PainterRemoved(TcxCustomLookAndFeelPainter* Painter) override
  {
    FLog.push_back(FId + " removed " + Painter->GetPainterName());
    if (Raise) throw Exception("listener failed");
  }
  bool Raise = false;

private:
  std::vector<std::string>& FLog;
  std::string FId;
};

// Follows the root look-and-feel and records each change with whether a watched painter was alive.
class TRootWatcher : public TObject, public IcxLookAndFeelObserver {
  CL_CLASS(TRootWatcher, TObject)
public:
  TObject* GetObserverObject() override { return this; }
  void MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override { Alive.push_back(static_cast<bool>(Watched)); }
  void MasterDestroying(TcxLookAndFeel*) override {}
  TWeakRef<TcxCustomLookAndFeelPainter> Watched;
  std::vector<bool> Alive;
};
}  // namespace

CL_DEFINE_CLASS(TNamedPainter);
CL_DEFINE_CLASS(TRootWatcher);

TEST(PaintersRegistry, StartUpRegistersTheFivePaintersSortedByName)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(RegisteredNames(), (std::vector<std::string>{"Flat", "Native", "Office11", "Standard", "UltraFlat"}));

  struct TCase {
    TcxPainterStyle Style;
    TClass Class;
  };
  const TCase cases[] = {
    {cpsFlat, TcxFlatLookAndFeelPainter::StaticClass()},
    {cpsStandard, TcxStandardLookAndFeelPainter::StaticClass()},
    {cpsUltraFlat, TcxUltraFlatLookAndFeelPainter::StaticClass()},
    {cpsNative, TcxWinXPLookAndFeelPainter::StaticClass()},
    {cpsOffice11, TcxOffice11LookAndFeelPainter::StaticClass()},
  };
  for (const TCase& c : cases) {
    TcxCustomLookAndFeelPainter* painter = manager->GetPainterByStyle(c.Style);
    ASSERT_NE(painter, nullptr) << static_cast<int>(c.Style);
    EXPECT_EQ(painter->ClassType(), c.Class);
    TcxCustomLookAndFeelPainter* found = nullptr;
    EXPECT_TRUE(manager->FindByStyle(c.Style, found));
    EXPECT_EQ(found, painter);
  }
  TcxCustomLookAndFeelPainter* found = reinterpret_cast<TcxCustomLookAndFeelPainter*>(1);
  EXPECT_FALSE(manager->FindByStyle(cpsSkin, found));
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(manager->GetPainterByStyle(cpsSkin), nullptr);

  // The root look-and-feel, ultra-flat by default, found its painter as the painters came.
  EXPECT_EQ(GetRootLookAndFeel()->Painter(), manager->GetPainterByStyle(cpsUltraFlat));
}

TEST(PaintersRegistry, LookupByNameIgnoresTheCaseOfLettersOnly)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* native = manager->GetPainterByStyle(cpsNative);
  EXPECT_EQ(manager->GetPainterByName("NATIVE"), native);
  EXPECT_EQ(manager->GetPainterByName("native"), native);
  EXPECT_EQ(manager->GetPainterByName(""), nullptr);
  EXPECT_EQ(manager->GetPainterByName("Native "), nullptr);
  EXPECT_EQ(manager->GetPainterByName("UltraFla"), nullptr);
  TcxCustomLookAndFeelPainter* found = nullptr;
  EXPECT_TRUE(manager->FindByName("ultraflat", found));
  EXPECT_EQ(found->PainterStyle(), cpsUltraFlat);
}

TEST(PaintersRegistry, ADuplicateNameIsRefusedAndTheOfferedPainterFreed)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* flat = manager->GetPainterByName("Flat");
  auto* offered = New<TNamedPainter>("fLAT", cpsSkin);
  const TWeakRef<TcxCustomLookAndFeelPainter> weak(offered);
  EXPECT_FALSE(manager->Register(TOwned<TcxCustomLookAndFeelPainter>(offered)));
  EXPECT_FALSE(weak) << "the registry took the painter and freed it";
  EXPECT_EQ(manager->GetCount(), 5);
  EXPECT_EQ(manager->GetPainterByName("Flat"), flat);
  EXPECT_EQ(manager->GetPainterByStyle(cpsSkin), nullptr);
}

TEST(PaintersRegistry, RegisteringSortsAndNotifiesAndUnregisteringTellsBeforeFreeing)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  std::vector<std::string> log;
  TRegistryListener first(log, "first"), second(log, "second");
  manager->AddListener(&first);
  manager->AddListener(&second);
  auto watcher = MakeOwned<TRootWatcher>();
  GetRootLookAndFeel()->AttachListener(watcher.get());

  auto* zeta = New<TNamedPainter>("Zeta", cpsSkin);
  watcher->Watched = zeta;
  EXPECT_TRUE(manager->Register(TOwned<TcxCustomLookAndFeelPainter>(zeta)));
  EXPECT_TRUE(manager->Register(MakeOwned<TNamedPainter>("Beta", cpsSkin)));
  EXPECT_EQ(RegisteredNames(),
            (std::vector<std::string>{"Beta", "Flat", "Native", "Office11", "Standard", "UltraFlat", "Zeta"}));
  // Several painters of one style: the one whose name sorts first wins.
  EXPECT_EQ(manager->GetPainterByStyle(cpsSkin)->GetPainterName(), "Beta");
  EXPECT_EQ(log, (std::vector<std::string>{"second added Zeta", "first added Zeta", "second added Beta",
                                           "first added Beta"}));
  EXPECT_EQ(watcher->Alive.size(), 2u) << "the root told its listeners of each registration";

  log.clear();
  watcher->Alive.clear();
  EXPECT_TRUE(manager->Unregister("zeta"));
  EXPECT_FALSE(watcher->Watched) << "freed after the notifications";
  EXPECT_EQ(watcher->Alive, (std::vector<bool>{true})) << "the root was told while the painter lived";
  EXPECT_EQ(log, (std::vector<std::string>{"second removed Zeta", "first removed Zeta"}));
  EXPECT_EQ(manager->GetCount(), 6);
  EXPECT_FALSE(manager->Unregister("Zeta"));
  EXPECT_EQ(manager->GetCount(), 6);

  // A listener that raises: the painter is freed all the same and the failure reaches the caller.
  second.Raise = true;
  watcher->Watched = manager->GetPainterByName("Beta");
  EXPECT_THROW(manager->Unregister("Beta"), Exception);
  EXPECT_FALSE(watcher->Watched);
  EXPECT_EQ(manager->GetCount(), 5);

  manager->RemoveListener(&first);
  manager->RemoveListener(&second);
  GetRootLookAndFeel()->DetachListener(watcher.get());
  EXPECT_EQ(RegisteredNames(), (std::vector<std::string>{"Flat", "Native", "Office11", "Standard", "UltraFlat"}));
}

TEST(PaintersRegistry, NamesSortByTheUserLocaleWithCase)
{
  EXPECT_EQ(ComparePainterNames("apple", "Banana"), -1) << "alphabetical, not by character code";
  EXPECT_EQ(ComparePainterNames("Native", "Flat"), 1);
  EXPECT_EQ(ComparePainterNames("Flat", "Flat"), 0);
  EXPECT_NE(ComparePainterNames("Flat", "flat"), 0) << "case-sensitive";
}

TEST(PaintersRegistry, IndicatorImagesAreTheSixBitmapsWithWhiteTransparent)
{
  TCustomImageList* images = cxIndicatorImages();
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(images->Count(), 6);
  EXPECT_EQ(images->Width(), 8);
  EXPECT_EQ(images->Height(), 9);
  // The funnel: 7, 5 and 3 pixels, then a stem of 5.
  TPainterSurface surface(8, 9, RGB(0, 255, 0));
  images->Draw(surface.Canvas(), 0, 0, 5);
  EXPECT_EQ(surface.Picture(RECT{0, 0, 8, 9}, RGB(0, 0, 0)), (std::vector<std::string>{
                                                                 "#######.",
                                                                 ".#####..",
                                                                 "..###...",
                                                                 "...#....",
                                                                 "...#....",
                                                                 "...#....",
                                                                 "...#....",
                                                                 "...#....",
                                                                 "........",
                                                             }));
  EXPECT_EQ(surface.Count(RECT{0, 0, 8, 9}, RGB(0, 255, 0)), 72 - 20) << "white is transparent";
}

TEST(PaintersRegistry, ScrollBarPatternsAreCheckerboardsOfTheSystemColours)
{
  auto check = [](TColor face, TColor highlight, TColor darkShadow) {
    TBitmap* normal = cxScrollBarPatternBitmap(false);
    TBitmap* pressed = cxScrollBarPatternBitmap(true);
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(pressed, nullptr);
    EXPECT_EQ(normal->Width(), 8);
    EXPECT_EQ(pressed->Height(), 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const bool even = (x + y) % 2 == 0;
        EXPECT_EQ(normal->Canvas()->Pixels(x, y), static_cast<TColor>(Rgb(even ? face : highlight))) << x << "," << y;
        EXPECT_EQ(pressed->Canvas()->Pixels(x, y), static_cast<TColor>(even ? 0 : Rgb(darkShadow))) << x << "," << y;
      }
  };
  check(clBtnFace, clBtnHighlight, cl3DDkShadow);

  // A rebuild after a change of the system colours follows the new colours.
  int indexes[] = {COLOR_BTNFACE};
  const COLORREF old[] = {GetSysColor(COLOR_BTNFACE)};
  const COLORREF changed[] = {RGB(10, 20, 30)};
  SetSysColors(1, indexes, changed);
  RebuildScrollBarBitmaps();
  EXPECT_EQ(cxScrollBarPatternBitmap(false)->Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(10, 20, 30)));
  SetSysColors(1, indexes, old);
  RebuildScrollBarBitmaps();
  check(clBtnFace, clBtnHighlight, cl3DDkShadow);
}

TEST(PaintersRegistry, CheckBoxGlyphSizeIsOneCellOfTheSystemBitmap)
{
  struct TCase {
    SIZE Bitmap;
    SIZE Glyph;
  };
  const TCase cases[] = {{{52, 39}, {13, 13}}, {{50, 40}, {12, 13}}, {{0, 0}, {0, 0}}};
  for (const TCase& c : cases) {
    const SIZE glyph = CheckBoxGlyphSizeOfBitmap(c.Bitmap);
    EXPECT_EQ(glyph.cx, c.Glyph.cx);
    EXPECT_EQ(glyph.cy, c.Glyph.cy);
  }
  const SIZE measured = cxCheckBoxGlyphSize();
  EXPECT_GT(measured.cx, 0);
  EXPECT_GT(measured.cy, 0);
  EXPECT_EQ(measured.cx, MeasureCheckBoxGlyph().cx);
  EXPECT_EQ(measured.cy, MeasureCheckBoxGlyph().cy);
}
