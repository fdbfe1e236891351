// Bar layouts written to and read from the registry, ini files and streams: round trips of the main
// window's bars and a floating one, what the registry and ini stores leave alone, the save when the
// owner form is destroyed, resets from the designed layout, and mutated layouts that must read
// without a crash, with bounded memory and with defaults kept.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "classlib/Dialogs.h"
#include "classlib/ObjectText.h"
#include "classlib/Registry.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarLayout.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"

namespace {
constexpr const char* TestRegistryPath = "\\Software\\BarLayoutTest\\Tool\\";

std::string TempIniFile(const char* name)
{
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  DeleteFileA(path.c_str());
  return path;
}

void DeleteTestKey()
{
  auto registry = MakeOwned<TRegistry>();
  registry->DeleteKey("\\Software\\BarLayoutTest");
}

// The main window's manager and its two toolbars, with six named items: A, B, C on the main menu,
// D, E on the second toolbar and F on a third, floating toolbar; a drop-down menu of G and H on B.
struct TLayoutForm {
  TStoredTestItems Registered;
  TTestForm F;
  TdxBarManager* M = nullptr;
  TdxBar* Main = nullptr;
  TdxBar* Second = nullptr;
  TdxBar* Floating = nullptr;

  TLayoutForm()
  {
    ReadComponentFromText(MainWindowBars, F.Form.get());
    M = F->Manager();
    Main = F->Bar("dxBarManager1Bar1");
    Second = F->Bar("dxBarManager1Bar2");
    auto* menu = New<TdxBarPopupMenu>(F.Form.get());
    menu->SetBarManager(M);
    for (const char* name : {"A", "C", "D", "E", "F", "G", "H"}) NewItem(name);
    auto* b = New<TdxBarButton>(F.Form.get());
    b->SetName("B");
    b->SetCaption("B");
    b->SetButtonStyle(bsDropDown);
    b->SetDropDownMenu(menu);
    for (const char* name : {"A", "B", "C"}) Main->ItemLinks()->AddItem(Item(name));
    for (const char* name : {"D", "E"}) Second->ItemLinks()->AddItem(Item(name));
    for (const char* name : {"G", "H"}) menu->ItemLinks()->AddItem(Item(name));
    Floating = M->Bars()->Add();
    Floating->SetCaption("Floating");
    Floating->SetDockingStyle(dsNone);
    Floating->SetFloatLeft(300);
    Floating->SetFloatTop(200);
    Floating->SetFloatClientWidth(120);
    Floating->SetFloatClientHeight(40);
    Floating->ItemLinks()->AddItem(Item("F"));
    Floating->SetVisible(true);
    M->SaveDesignedLayout();
  }
  TdxBarItem* NewItem(const char* name)
  {
    auto* item = New<TTestBarItem>(F.Form.get());
    item->SetName(name);
    item->SetCaption(name);
    return item;
  }
  TdxBarItem* Item(const char* name) const { return static_cast<TdxBarItem*>(F->FindComponent(name)); }
  TdxBarItemLinks* MenuLinks() const { return static_cast<TdxBarButton*>(Item("B"))->GetItemLinks(); }

  // What the user changes: placements, visibility, overrides, the recent order.
  void Customize()
  {
    Second->SetDockingStyle(dsBottom);
    Second->SetRow(0);
    Floating->SetFloatLeft(333);
    Floating->SetFloatClientWidth(150);
    Main->SetVisible(false);
    TdxBarItemLink* c = Main->ItemLinks()->Items(2);
    c->SetUserWidth(246);
    c->SetUserCaption("User C");
    c->SetBeginGroup(true);
    c->SetViewLevels(TdxBarItemViewLevels{ivlSmallIcon});
    Second->ItemLinks()->Items(1)->SetPosition(ipContinuesRow);
    Second->ItemLinks()->MoveLink(1, 0);
    Main->ItemLinks()->MoveInRecentList(Main->ItemLinks()->Items(2), 0);
    MenuLinks()->MoveLink(1, 0);
    M->SetShowHint(true);
  }

  // Everything a layout stores, as text.
  std::string Describe() const
  {
    std::string text = "hint=" + std::to_string(M->ShowHint()) + "\n";
    for (int i = 0; i < M->Bars()->Count(); ++i) {
      TdxBar* bar = M->Bars()->Items(i);
      text += bar->Caption() + " style=" + std::to_string(static_cast<int>(bar->DockingStyle())) +
              " row=" + std::to_string(bar->Row()) + " visible=" + std::to_string(bar->Visible()) +
              " float=" + std::to_string(bar->FloatLeft()) + "," + std::to_string(bar->FloatTop()) + "," +
              std::to_string(bar->FloatClientWidth()) + "x" + std::to_string(bar->FloatClientHeight()) + ":" +
              DescribeLinks(bar->ItemLinks()) + "\n";
    }
    return text + "menu:" + DescribeLinks(MenuLinks()) + "\ncategory1=" + std::to_string(M->GetCategoryVisible(1));
  }
  static std::string DescribeLinks(TdxBarItemLinks* links)
  {
    std::string text;
    for (int i = 0; i < links->Count(); ++i) {
      TdxBarItemLink* link = links->Items(i);
      text += " " + link->Item()->Name() + "[" + link->GetCaption() + " w" + std::to_string(link->GetWidth()) +
              (link->BeginGroup() ? " group" : "") + " pos" + std::to_string(static_cast<int>(link->Position())) +
              " lv" + std::to_string(link->ViewLevels().ToInt()) + " recent" +
              std::to_string(links->IndexOfRecent(link)) + "]";
    }
    return text;
  }
};

// The stores a round trip goes through: each saves one form's manager and loads another's.
struct TStore {
  const char* Name;
  void (*Save)(TdxBarManager* manager, TStream* stream);
  void (*Load)(TdxBarManager* manager, TStream* stream);
};

const std::string& IniPath()
{
  static const std::string path = TempIniFile("bar-layout-test.ini");
  return path;
}

const TStore Stores[] = {
    {"registry", [](TdxBarManager* m, TStream*) { m->SaveToRegistry(TestRegistryPath); },
     [](TdxBarManager* m, TStream*) { m->LoadFromRegistry(TestRegistryPath); }},
    {"ini file", [](TdxBarManager* m, TStream*) { m->SaveToIniFile(IniPath()); },
     [](TdxBarManager* m, TStream*) { m->LoadFromIniFile(IniPath()); }},
    {"stream",
     [](TdxBarManager* m, TStream* s) {
       m->SetLayoutStream(s);
       m->SaveToIniFile("");
       m->SetLayoutStream(nullptr);
     },
     [](TdxBarManager* m, TStream* s) {
       s->SetPosition(0);
       m->SetLayoutStream(s);
       m->LoadFromIniFile("");
       m->SetLayoutStream(nullptr);
     }},
};

std::string RegistryValue(const std::string& key, const char* name)
{
  auto registry = MakeOwned<TRegistry>();
  if (!registry->OpenKey(key, false)) return "(no key)";
  if (!registry->ValueExists(name)) return "(none)";
  switch (registry->GetDataType(name)) {
    case TRegDataType::rdInteger: return std::to_string(registry->ReadInteger(name));
    case TRegDataType::rdBinary: return "(binary)";
    default: return registry->ReadString(name);
  }
}

bool RegistryKeyExists(const std::string& key) { return MakeOwned<TRegistry>()->KeyExists(key); }
}  // namespace

TEST(dxBarLayout, RoundTripsThroughEveryStore)
{
  DeleteTestKey();
  for (const TStore& store : Stores) {
    SCOPED_TRACE(store.Name);
    auto stream = MakeOwned<TMemoryStream>();
    std::string saved;
    {
      TLayoutForm a;
      a.Customize();
      saved = a.Describe();
      store.Save(a.M, stream.get());
    }
    TLayoutForm b;
    ASSERT_NE(b.Describe(), saved);
    store.Load(b.M, stream.get());
    EXPECT_EQ(b.Describe(), saved);
    EXPECT_EQ(b.Main->ItemLinks()->Items(2)->UserWidth(), 246);
    EXPECT_EQ(b.Second->DockingStyle(), dsBottom);
  }
  DeleteTestKey();
  DeleteFileA(IniPath().c_str());
}

TEST(dxBarLayout, TheFormatOfTheIniFormAndTheRegistry)
{
  TLayoutForm f;
  f.Customize();
  auto ini = MakeOwned<TMemIniFile>();
  const std::string base = f.M->GetIniSectionBase();
  f.M->WriteLayout(ini.get(), base, TdxBarStoringKind::bskIni);
  EXPECT_EQ(base, "BarsForm.dxBarManager1.");
  EXPECT_EQ(ini->ReadString(base + "Main", "Version", ""), "20110106");
  EXPECT_EQ(ini->ReadString(base + "Main", "ShowHint", ""), "1");
  EXPECT_EQ(ini->ReadString(base + "Main", "BarCount", ""), "3");
  EXPECT_EQ(ini->ReadString(base + "Items", "ItemCount", ""), "9");
  EXPECT_EQ(ini->ReadString(base + "Items", "C", ""), "1");
  EXPECT_EQ(ini->ReadString(base + "Bar0.ItemLink2", "UserDefine", ""), "09") << "caption and width, one hex byte";
  EXPECT_EQ(ini->ReadString(base + "Bar0.ItemLink2", "UserWidth", ""), "246");
  EXPECT_EQ(ini->ReadString(base + "Bar0.ItemLink2", "ViewLevels", ""), "04");
  EXPECT_EQ(ini->ReadString(base + "Bar0", "ItemLinkCount", ""), "3");
  EXPECT_EQ(ini->ReadString(base + "Button_B.ItemLink0", "ItemName", ""), "H");
  EXPECT_FALSE(ini->ValueExists(base + "Button_B.ItemLink0", "Visible")) << "menu links store no bar values";
  EXPECT_FALSE(ini->ValueExists(base + "Bar0.ItemLink0", "MostRecentlyUsed")) << "only the designed layout has it";
  EXPECT_TRUE(f.M->DesignedLayout()->ValueExists(base + "Bar0.ItemLink0", "MostRecentlyUsed"));

  // A user glyph is kept in the registry only.
  TdxBarItemLink* a = f.Main->ItemLinks()->Items(0);
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(4, 4);
  a->SetUserGlyph(glyph.get());
  ini->Clear();
  f.M->WriteLayout(ini.get(), base, TdxBarStoringKind::bskIni);
  EXPECT_FALSE(ini->ValueExists(base + "Bar0.ItemLink0", "UserGlyph"));
  DeleteTestKey();
  f.M->SaveToRegistry("Software\\BarLayoutTest\\Tool");  // the path gains its leading and trailing "\"
  const std::string link = std::string(TestRegistryPath) + "Bar0\\ItemLink0";
  EXPECT_EQ(RegistryValue(link, "UserGlyph"), "(binary)");
  EXPECT_EQ(RegistryValue(link, "UserDefine"), "(binary)");
  EXPECT_EQ(RegistryValue(link, "BeginGroup"), "0") << "Booleans are the text 1 and 0";
  EXPECT_EQ(RegistryValue(std::string(TestRegistryPath) + "Bar0", "Row"), "0");
  EXPECT_EQ(RegistryValue(TestRegistryPath, "BarCount"), "3");
  TLayoutForm g;
  g.M->LoadFromRegistry(TestRegistryPath);
  EXPECT_EQ(g.Main->ItemLinks()->Items(0)->UserGlyph()->Width(), 4);
  EXPECT_EQ(g.Main->ItemLinks()->Items(2)->GetCaption(), "User C");
  DeleteTestKey();
}

TEST(dxBarLayout, TheRegistryStoreErasesOnlyWhatALayoutWrites)
{
  DeleteTestKey();
  {
    auto registry = MakeOwned<TRegistry>();
    ASSERT_TRUE(registry->OpenKey(TestRegistryPath, true));
    registry->WriteString("Sibling", "kept");
    ASSERT_TRUE(registry->OpenKey(std::string(TestRegistryPath) + "Other", true));
    registry->WriteString("Value", "kept too");
  }
  TLayoutForm f;
  f.M->SaveToRegistry(TestRegistryPath);
  EXPECT_TRUE(RegistryKeyExists(std::string(TestRegistryPath) + "Bar2"));
  Free(f.Floating);
  f.M->SaveToRegistry(TestRegistryPath);
  EXPECT_FALSE(RegistryKeyExists(std::string(TestRegistryPath) + "Bar2")) << "no trace of the third bar";
  EXPECT_TRUE(RegistryKeyExists(std::string(TestRegistryPath) + "Bar1\\ItemLink1"));
  EXPECT_EQ(RegistryValue(TestRegistryPath, "Sibling"), "kept");
  EXPECT_EQ(RegistryValue(std::string(TestRegistryPath) + "Other", "Value"), "kept too");
  EXPECT_EQ(RegistryValue(TestRegistryPath, "BarCount"), "2");
  DeleteTestKey();
}

TEST(dxBarLayout, AnIniFileKeepsItsOtherSectionsAndEmptyNamesDoNothing)
{
  const std::string path = TempIniFile("bar-layout-other.ini");
  {
    auto ini = MakeOwned<TMemIniFile>(path);
    ini->WriteString("Program", "Window", "maximized");
    ini->WriteString("BarsForm.dxBarManager1.Bar7", "Caption", "stale");
    ini->UpdateFile();
  }
  TLayoutForm f;
  f.M->SaveToIniFile(path);
  f.M->SaveToIniFile("");
  f.M->SaveToRegistry("");
  auto ini = MakeOwned<TMemIniFile>(path);
  EXPECT_EQ(ini->ReadString("Program", "Window", ""), "maximized");
  EXPECT_FALSE(ini->SectionExists("BarsForm.dxBarManager1.Bar7")) << "the manager's old sections go";
  EXPECT_EQ(ini->ReadInteger("BarsForm.dxBarManager1.Main", "BarCount", 0), 3);
  DeleteFileA(path.c_str());
}

TEST(dxBarLayout, ReadingKeepsNewItemsAfterTheirPredecessorsAndRecreatesBars)
{
  auto ini = MakeOwned<TMemIniFile>();
  std::string base;
  {
    TLayoutForm a;
    base = a.M->GetIniSectionBase();
    a.M->WriteLayout(ini.get(), base, TdxBarStoringKind::bskIni);
  }
  TLayoutForm b;
  // An item added after the layout was written, linked after A on the main menu.
  b.Main->ItemLinks()->InsertLink(1)->SetItem(b.NewItem("New"));
  Free(b.Floating);
  b.Main->ItemLinks()->MoveLink(2, 0);  // B A New C: the layout puts A, B, C back
  b.M->ReadLayout(ini.get(), base, TdxBarStoringKind::bskIni);
  std::string order;
  for (int i = 0; i < b.Main->ItemLinks()->Count(); ++i) order += b.Main->ItemLinks()->Items(i)->Item()->Name() + " ";
  EXPECT_EQ(order, "A New B C ") << "the new item's link stays after A's";
  ASSERT_EQ(b.M->Bars()->Count(), 3) << "the stored floating bar is made again";
  EXPECT_EQ(b.M->Bars()->Items(2)->Caption(), "Floating");
  EXPECT_EQ(b.M->Bars()->Items(2)->ItemLinks()->Count(), 1);
}

TEST(dxBarLayout, OwnerDestructionSavesARecreatedWindowDoesNot)
{
  const std::string path = TempIniFile("bar-layout-destroy.ini");
  {
    TLayoutForm f;
    f.M->SetIniFileName(path);
    f.M->SetStoreInIniFile(true);
    f.F->Show();
    Pump(20);
    f.F->RecreateWnd();
    Pump(20);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "a new window saves nothing";
    f.Customize();
  }
  auto ini = MakeOwned<TMemIniFile>(path);
  EXPECT_EQ(ini->ReadInteger("BarsForm.dxBarManager1.Main", "BarCount", 0), 3);
  EXPECT_EQ(ini->ReadInteger("BarsForm.dxBarManager1.Bar0.ItemLink2", "UserWidth", 0), 246);
  DeleteFileA(path.c_str());
}

TEST(dxBarLayout, AResetReadsTheDesignedLayoutAgain)
{
  TLayoutForm f;
  f.Customize();
  f.Main->Reset();
  EXPECT_EQ(TLayoutForm::DescribeLinks(f.Main->ItemLinks()).find("User C"), std::string::npos);
  EXPECT_EQ(f.Main->ItemLinks()->Items(2)->UserWidth(), 0);
  EXPECT_FALSE(f.Main->Visible()) << "without UseFullReset only the links";
  EXPECT_EQ(TLayoutForm::DescribeLinks(f.MenuLinks()).substr(1, 1), "G") << "the items reset their sub-menus";
  f.M->SetUseFullReset(true);
  f.Second->Reset();
  EXPECT_EQ(f.Second->DockingStyle(), dsTop);
  EXPECT_EQ(f.Second->ItemLinks()->Items(0)->Item()->Name(), "D");
}

namespace {
std::vector<std::string> GAsked;
int WINAPI AnswerYes(HWND, const char* text, const char*, UINT flags)
{
  GAsked.push_back(std::string(text).substr(0, 30) + "|" + std::to_string(flags));
  return IDYES;
}
int WINAPI AnswerNo(HWND, const char*, const char*, UINT) { return IDNO; }
}  // namespace

TEST(dxBarLayout, ResetUsageDataAfterTheConfirmation)
{
  TLayoutForm f;
  TdxBarItemLinks* links = f.Main->ItemLinks();
  links->MoveInRecentList(links->Items(2), 0);
  ASSERT_EQ(links->IndexOfRecent(links->Items(2)), 0);
  {
    TScopedSetter<TMessageBoxFunc> box(SetMessageBoxFunc, AnswerNo);
    f.M->ResetUsageDataWithConfirmation();
    EXPECT_EQ(links->IndexOfRecent(links->Items(2)), 0);
  }
  GAsked.clear();
  TScopedSetter<TMessageBoxFunc> box(SetMessageBoxFunc, AnswerYes);
  f.M->ResetUsageDataWithConfirmation();
  EXPECT_EQ(GAsked, (std::vector<std::string>{"This will delete the record of|308"}));
  EXPECT_NE(links->IndexOfRecent(links->Items(2)), 0) << "the designed order is back";
}

// Mutated layouts: thousands of variants of a saved layout, each value replaced by text or numbers
// out of any range, counts made huge, sections dropped. Each reads without raising into a fresh
// manager whose bars stay usable.
TEST(dxBarLayout, MutatedLayoutsReadWithDefaultsKept)
{
  auto saved = MakeOwned<TMemIniFile>();
  std::string base;
  {
    TLayoutForm a;
    a.Customize();
    base = a.M->GetIniSectionBase();
    a.M->WriteLayout(saved.get(), base, TdxBarStoringKind::bskIni);
  }
  auto lines = MakeOwned<TStringList>();
  saved->GetStrings(*lines);
  const std::vector<std::string> replacements = {"",          "-1",   "2147483647", "-2147483648", "99999999999",
                                                 "abc",       "0x7F", "FF",         "FFFFFFFF",    "1.5",
                                                 "Bar0",      "5",    "65536",      "Z",           "\x01\x02"};
  std::mt19937 random(45);
  TLayoutForm f;
  const int barsBefore = f.M->Bars()->Count();
  for (int round = 0; round < 2000; ++round) {
    auto mutated = MakeOwned<TStringList>();
    mutated->Assign(lines.get());
    for (int k = 0; k < 3; ++k) {
      const int at = static_cast<int>(random() % mutated->Count());
      std::string line = mutated->Strings(at);
      const size_t eq = line.find('=');
      if (eq == std::string::npos) {
        if (random() % 4 == 0) mutated->Delete(at);  // a section header goes: its values join the one before
        continue;
      }
      line = line.substr(0, eq + 1) + replacements[random() % replacements.size()];
      mutated->SetStrings(at, line);
    }
    auto ini = MakeOwned<TMemIniFile>();
    ini->SetStrings(*mutated);
    f.M->ReadLayout(saved.get(), base, TdxBarStoringKind::bskIni);
    ASSERT_NO_THROW(f.M->ReadLayout(ini.get(), base, TdxBarStoringKind::bskIni)) << mutated->Text();
    ASSERT_LE(f.M->Bars()->Count(), barsBefore + 1);
    for (int i = 0; i < f.M->Bars()->Count(); ++i) {
      TdxBar* bar = f.M->Bars()->Items(i);
      // Links of items the mutated layout calls new stay beside the stored ones: at most twice three.
      ASSERT_LE(bar->ItemLinks()->Count(), 6);
      ASSERT_GE(bar->FloatClientWidth(), 0);
      ASSERT_LE(bar->Row(), f.M->Bars()->Count());
      ASSERT_LE(static_cast<int>(bar->DockingStyle()), static_cast<int>(dsBottom));
      for (int j = 0; j < bar->ItemLinks()->Count(); ++j) {
        TdxBarItemLink* link = bar->ItemLinks()->Items(j);
        ASSERT_NE(link->Item(), nullptr);
        ASSERT_LE(static_cast<int>(link->Position()), static_cast<int>(ipContinuesRow));
        ASSERT_LE(link->UserWidth(), 10000);
      }
    }
    ASSERT_LE(static_cast<int>(f.M->MenuAnimations()), static_cast<int>(maFade));
  }
  // The bars read so far stay usable: a clean read puts everything back.
  f.M->ReadLayout(saved.get(), base, TdxBarStoringKind::bskIni);
  EXPECT_EQ(f.M->Bars()->Count(), barsBefore);
  EXPECT_EQ(f.Main->ItemLinks()->Items(2)->UserWidth(), 246);
}

TEST(dxBarLayout, MutatedRegistryValuesReadWithDefaultsKept)
{
  DeleteTestKey();
  TLayoutForm a;
  a.Customize();
  a.M->SaveToRegistry(TestRegistryPath);
  // Values of every key of the layout turned into other types and sizes.
  std::vector<std::string> keys{TestRegistryPath};
  for (const char* sub : {"Items", "Bar0", "Bar1", "Bar2", "Bar0\\ItemLink2", "Bar1\\ItemLink0", "Button_B",
                          "Button_B\\ItemLink0"})
    keys.push_back(std::string(TestRegistryPath) + sub);
  std::mt19937 random(45);
  TLayoutForm f;
  for (int round = 0; round < 300; ++round) {
    a.M->SaveToRegistry(TestRegistryPath);
    auto registry = MakeOwned<TRegistry>();
    for (int k = 0; k < 3; ++k) {
      const std::string& key = keys[random() % keys.size()];
      if (!registry->OpenKey(key, false)) continue;
      auto names = MakeOwned<TStringList>();
      registry->GetValueNames(*names);
      if (names->Count() == 0) continue;
      const std::string name = names->Strings(static_cast<int>(random() % names->Count()));
      switch (random() % 4) {
        case 0: registry->WriteString(name, "junk"); break;
        case 1: registry->WriteInteger(name, static_cast<int>(random())); break;
        case 2: {
          const uint8_t bytes[] = {0xFF, 0x00, 0x42};
          registry->WriteBinaryData(name, bytes, static_cast<int>(random() % 3));
          break;
        }
        default: registry->DeleteValue(name); break;
      }
      registry->CloseKey();
    }
    f.M->ReadLayout(a.M->DesignedLayout(), a.M->GetIniSectionBase(), TdxBarStoringKind::bskIni);
    ASSERT_NO_THROW(f.M->LoadFromRegistry(TestRegistryPath));
    ASSERT_LE(f.M->Bars()->Count(), 3);
    for (int i = 0; i < f.M->Bars()->Count(); ++i) ASSERT_LE(f.M->Bars()->Items(i)->ItemLinks()->Count(), 6);
  }
  DeleteTestKey();
}
