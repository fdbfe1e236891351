// Layout storage: which bars exist, where they are docked or float, whether they show, the links on
// each bar and in each item's sub-menu with the user's overrides, and the recent use of menus. One
// format serves the registry, ini files, streams (the ini text) and the designed layout kept in
// memory.
//
// Layouts are outside input. Every read keeps the current (or default) value for a value it cannot
// take: one of another type, text that is no number, a number outside the range of its property.
// Counts stop at the first section that is not there, so a count never makes more objects than the
// store holds sections for.
#include "toolkit/bars/dxBarLayout.h"

#include <algorithm>
#include <climits>
#include "classlib/Forms.h"
#include "classlib/Registry.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"

namespace {
using enum TdxBarStoringKind;

// Positions and sizes of windows on any screen, and the widest an item may be made.
constexpr int MaxCoordinate = 32767;
constexpr int MaxItemWidth = 10000;

int ReadInt(const TCustomIniFile* ini, const std::string& section, const char* ident, int def)
{
  try {
    return ini->ReadInteger(section, ident, def);
  } catch (const Exception&) {
    return def;
  }
}

int ReadIntIn(const TCustomIniFile* ini, const std::string& section, const char* ident, int def, int lo, int hi)
{
  const int value = ReadInt(ini, section, ident, def);
  return value < lo || value > hi ? def : value;
}

template <class E>
E ReadEnum(const TCustomIniFile* ini, const std::string& section, const char* ident, E def, E last)
{
  return static_cast<E>(ReadIntIn(ini, section, ident, static_cast<int>(def), 0, static_cast<int>(last)));
}

bool ReadBoolean(const TCustomIniFile* ini, const std::string& section, const std::string& ident, bool def)
{
  try {
    return ini->ReadBool(section, ident, def);
  } catch (const Exception&) {
    return def;
  }
}

std::string ReadStr(const TCustomIniFile* ini, const std::string& section, const char* ident, const std::string& def)
{
  try {
    return ini->ReadString(section, ident, def);
  } catch (const Exception&) {
    return def;
  }
}

// The binary value into stream (from its start); false when absent or unreadable.
bool ReadBinary(const TCustomIniFile* ini, const std::string& section, const char* ident, TMemoryStream& stream)
{
  try {
    if (ini->ReadBinaryStream(section, ident, stream) <= 0) return false;
  } catch (const Exception&) {
    return false;
  }
  stream.SetPosition(0);
  return true;
}

// The first byte of a binary value, -1 when there is none.
int ReadFirstByte(const TCustomIniFile* ini, const std::string& section, const char* ident)
{
  auto stream = MakeOwned<TMemoryStream>();
  if (!ReadBinary(ini, section, ident, *stream)) return -1;
  return *static_cast<const uint8_t*>(stream->Memory());
}

// A one-byte set of four members: -1 (keep) for a byte with other bits.
int ReadSetByte(const TCustomIniFile* ini, const std::string& section, const char* ident)
{
  const int bits = ReadFirstByte(ini, section, ident);
  return bits > 0x0F ? -1 : bits;
}

// Booleans are the text "1" or "0" in every store.
void WriteBoolean(TCustomIniFile* ini, const std::string& section, const std::string& ident, bool value)
{
  ini->WriteString(section, ident, value ? "1" : "0");
}

void WriteByte(TCustomIniFile* ini, const std::string& section, const char* ident, uint64_t value)
{
  auto stream = MakeOwned<TMemoryStream>();
  const auto byte = static_cast<uint8_t>(value);
  stream->WriteBuffer(&byte, 1);
  stream->SetPosition(0);
  ini->WriteBinaryStream(section, ident, *stream);
}

bool SectionPresent(const TCustomIniFile* ini, const std::string& section)
{
  try {
    return ini->SectionExists(section);
  } catch (const Exception&) {
    return false;
  }
}

// How many of the sections named for 0 .. count - 1 exist, counting from 0.
template <class F>
int PresentSections(const TCustomIniFile* ini, int count, F sectionName)
{
  int present = 0;
  while (present < count && SectionPresent(ini, sectionName(present))) ++present;
  return present;
}

std::string MainSection(const std::string& base, TdxBarStoringKind kind)
{
  return kind == bskRegistry ? base : base + "Main";
}

constexpr const char* MainValueNames[] = {"Version",  "MenusShowRecentItemsFirst", "ShowFullMenusAfterDelay",
                                          "LargeIcons", "MenuAnimations",          "ShowHint",
                                          "ShowShortCutInHint", "BarCount"};

// The sub-keys a layout makes below its registry key.
bool IsLayoutSubKey(const std::string& name)
{
  if (name == "Items" || name.starts_with("Button_") || name.starts_with("SubItem_")) return true;
  return name.size() > 3 && name.starts_with("Bar") &&
         std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void RaiseLayoutEvent(TdxBarManager* manager, TcxEventHandlerCollection* handlers, TCustomIniFile* ini,
                      const std::string& base, TdxBarStoringKind kind)
{
  if (!handlers) return;
  TdxBarIniFileEventData data;
  data.IniFile = ini;
  data.StoringKind = kind;
  data.SectionBase = base;
  data.Delimiter = GetStorageDelimiter(kind);
  handlers->InvokeAll(manager, data);
}
}  // namespace

std::string NormalizeRegistryPath(std::string_view path)
{
  std::string result(path);
  if (!result.empty()) {
    if (result.front() != '\\') result.insert(result.begin(), '\\');
    if (result.back() != '\\') result.push_back('\\');
  }
  return result;
}

// --- The manager: stores ---

void TdxBarManager::SaveToRegistry(std::string_view path)
{
  const std::string base = NormalizeRegistryPath(path);
  if (base.empty()) return;
  auto registry = MakeOwned<TRegistryIniFile>(base);
  WriteLayout(registry.get(), base, bskRegistry);
}

void TdxBarManager::LoadFromRegistry(std::string_view path)
{
  const std::string base = NormalizeRegistryPath(path);
  if (base.empty()) return;
  auto registry = MakeOwned<TRegistryIniFile>(base);
  ReadLayout(registry.get(), base, bskRegistry);
}

void TdxBarManager::SaveToIniFile(const std::string& fileName)
{
  if (fileName.empty() && !FLayoutStream) return;
  auto ini = MakeOwned<TMemIniFile>(fileName);
  WriteLayout(ini.get(), GetIniSectionBase(), bskIni);
  if (FLayoutStream) {
    auto lines = MakeOwned<TStringList>();
    ini->GetStrings(*lines);
    lines->SaveToStream(*FLayoutStream);
  } else {
    ini->UpdateFile();
  }
}

void TdxBarManager::LoadFromIniFile(const std::string& fileName)
{
  if (fileName.empty() && !FLayoutStream) return;
  auto ini = MakeOwned<TMemIniFile>(fileName);
  if (FLayoutStream) {
    auto lines = MakeOwned<TStringList>();
    lines->LoadFromStream(*FLayoutStream);
    ini->SetStrings(*lines);
  }
  ReadLayout(ini.get(), GetIniSectionBase(), bskIni);
}

void TdxBarManager::SaveLayoutToStores()
{
  if (FStoreInRegistry) SaveToRegistry(FRegistryPath);
  if (FStoreInIniFile) SaveToIniFile(FIniFileName);
}

void TdxBarManager::LoadLayoutFromStores()
{
  if (FStoreInRegistry) LoadFromRegistry(FRegistryPath);
  if (FStoreInIniFile) LoadFromIniFile(FIniFileName);
}

void TdxBarManager::SaveDesignedLayout()
{
  if (!FDesignedLayout) return;
  TdxValueScope<bool> writing(FWritingDesignedLayout, true);
  WriteLayout(FDesignedLayout.get(), GetIniSectionBase(), bskIni);
}

// --- The manager: the format ---

void TdxBarManager::EraseLayout(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind)
{
  auto sections = MakeOwned<TStringList>();
  ini->ReadSections(*sections);
  if (kind == bskIni) {
    for (int i = 0; i < sections->Count(); ++i)
      if (sections->Strings(i).starts_with(base)) ini->EraseSection(sections->Strings(i));
    return;
  }
  // The registry lists the sub-keys of the layout's key by their own names. Only what a layout
  // writes goes: its sub-keys and its values in the key itself; whatever else is kept under the key
  // stays.
  for (int i = 0; i < sections->Count(); ++i)
    if (IsLayoutSubKey(sections->Strings(i))) ini->EraseSection(base + sections->Strings(i));
  for (const char* name : MainValueNames) ini->DeleteKey(base, name);
}

void TdxBarManager::WriteLayout(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind)
{
  EraseLayout(ini, base, kind);
  const std::string main = MainSection(base, kind);
  ini->WriteInteger(main, "Version", dxBarLayoutVersion);
  if (SupportsRecentItems()) {
    WriteBoolean(ini, main, "MenusShowRecentItemsFirst", MenusShowRecentItemsFirst());
    WriteBoolean(ini, main, "ShowFullMenusAfterDelay", ShowFullMenusAfterDelay());
  }
  WriteBoolean(ini, main, "LargeIcons", LargeIcons());
  ini->WriteInteger(main, "MenuAnimations", static_cast<int>(MenuAnimations()));
  WriteBoolean(ini, main, "ShowHint", ShowHint());
  WriteBoolean(ini, main, "ShowShortCutInHint", ShowShortCutInHint());
  std::vector<TdxBar*> stored;
  for (int i = 0; i < FBars->Count(); ++i)
    if (!FBars->Items(i)->MergeData()->MadeForMerging) stored.push_back(FBars->Items(i));
  ini->WriteInteger(main, "BarCount", static_cast<int>(stored.size()));

  const std::string items = base + "Items";
  ini->WriteInteger(items, "ItemCount", GetItemCount());
  for (int i = 0; i < GetItemCount(); ++i)
    if (!GetItem(i)->Name().empty()) WriteBoolean(ini, items, GetItem(i)->Name(), true);

  for (size_t n = 0; n < stored.size(); ++n) stored[n]->SaveToIni(ini, base, kind, static_cast<int>(n));
  for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->SaveLinksToIni(ini, base, kind);
  RaiseLayoutEvent(this, FOnLayoutSaved.get(), ini, base, kind);
}

void TdxBarManager::ReadLayout(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind)
{
  TdxBarsUpdateScope update(this);
  const std::string main = MainSection(base, kind);
  if (SupportsRecentItems()) {
    SetMenusShowRecentItemsFirst(ReadBoolean(ini, main, "MenusShowRecentItemsFirst", MenusShowRecentItemsFirst()));
    SetShowFullMenusAfterDelay(ReadBoolean(ini, main, "ShowFullMenusAfterDelay", ShowFullMenusAfterDelay()));
  }
  SetLargeIcons(ReadBoolean(ini, main, "LargeIcons", LargeIcons()));
  SetMenuAnimations(ReadEnum(ini, main, "MenuAnimations", MenuAnimations(), maFade));
  SetShowHint(ReadBoolean(ini, main, "ShowHint", ShowHint()));
  SetShowShortCutInHint(ReadBoolean(ini, main, "ShowShortCutInHint", ShowShortCutInHint()));
  const int barCount = ReadIntIn(ini, main, "BarCount", 0, 0, INT_MAX);

  // The items the layout did not know (new since it was written) keep their links where they are.
  const std::string items = base + "Items";
  FNewItemNames.clear();
  struct TNewItemsScope {
    std::vector<std::string>& Names;
    ~TNewItemsScope() { Names.clear(); }
  } newItems{FNewItemNames};
  if (ReadInt(ini, items, "ItemCount", -1) >= 0)
    for (int i = 0; i < GetItemCount(); ++i)
      if (const std::string& name = GetItem(i)->Name(); !name.empty() && !ReadBoolean(ini, items, name, false))
        FNewItemNames.push_back(name);

  if (barCount > 0) {
    for (int i = 0; i < FBars->Count(); ++i) FBars->Items(i)->HideForLayout();
    const int present = PresentSections(ini, barCount, [&base](int n) { return TdxBar::GetSectionName(base, n); });
    for (int n = 0; n < present; ++n) {
      TdxBar* bar = n < FBars->Count() ? FBars->Items(n) : FBars->Add();
      bar->LoadFromIni(ini, base, true, kind, n);
    }
  }
  for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->LoadLinksFromIni(ini, base, kind);
  FNewItemNames.clear();
  RaiseLayoutEvent(this, FOnLayoutLoaded.get(), ini, base, kind);
}

std::string TdxBarManager::GetComponentPath(TComponent* component) const
{
  if (!component) return {};
  std::string path = component->Name();
  if (component->Owner() == Owner()) return path;
  for (TComponent* o = component->Owner(); o && !o->Name().empty(); o = o->Owner()) {
    path = o->Name() + "." + path;
    if (dynamic_cast<TCustomForm*>(o)) break;
  }
  return path;
}

TdxBarDockControl* TdxBarManager::FindDockControlByName(std::string_view path) const
{
  TComponent* root = Owner();
  if (const size_t dot = path.find('.'); dot != std::string_view::npos) {
    const std::string_view formName = path.substr(0, dot);
    path.remove_prefix(dot + 1);
    if (!formName.empty()) {
      root = nullptr;
      for (int i = 0; Screen && i < Screen->FormCount() && !root; ++i)
        if (SameText(Screen->Forms(i)->Name(), formName)) root = Screen->Forms(i);
    }
  }
  while (root && !path.empty()) {
    const size_t dot = path.find('.');
    root = root->FindComponent(std::string(path.substr(0, dot)));
    path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
  }
  if (!root || root == Owner()) return nullptr;
  auto* dock = dynamic_cast<TdxBarDockControl*>(root);
  if (!dock) throw EInvalidCast("Invalid class typecast: '" + root->Name() + "' is not a bar dock control");
  return dock;
}

// --- Bars ---

void TdxBar::HideForLayout()
{
  SetVisible(false);
  LeaveRow();
}

void TdxBar::SaveToIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind, int n)
{
  TdxBarManager* manager = GetBarManager();
  const std::string section = GetSectionName(base, n);
  ini->WriteString(section, "Caption", FCaption);
  if (const std::string path = manager->GetComponentPath(DockControl()); !path.empty())
    ini->WriteString(section, "DockControl", path);
  if (const std::string path = manager->GetComponentPath(FDockedDockControl); !path.empty())
    ini->WriteString(section, "DockedDockControl", path);
  ini->WriteInteger(section, "DockedDockingStyle", static_cast<int>(FDockedDockingStyle));
  ini->WriteInteger(section, "DockedLeft", FDockedLeft);
  ini->WriteInteger(section, "DockedTop", FDockedTop);
  ini->WriteInteger(section, "DockingStyle", static_cast<int>(DockingStyle()));
  ini->WriteInteger(section, "FloatClientHeight", FFloatClientHeight);
  ini->WriteInteger(section, "FloatClientWidth", FFloatClientWidth);
  ini->WriteInteger(section, "FloatLeft", FFloatLeft);
  ini->WriteInteger(section, "FloatTop", FFloatTop);
  WriteBoolean(ini, section, "OneOnRow", FOneOnRow);
  ini->WriteInteger(section, "Row", Row());
  const bool visible = FMergeData->MergedWith ? FMergeData->VisibleBeforeMerging
                                              : Visible() || manager->IndexOfReshowBar(this) >= 0;
  WriteBoolean(ini, section, "Visible", visible);
  if (FItemLinks) FItemLinks->SaveToIni(ini, section, kind);
}

void TdxBar::LoadFromIni(TCustomIniFile* ini, const std::string& base, bool full, TdxBarStoringKind kind, int n)
{
  const std::string section = GetSectionName(base, n);
  if (FItemLinks) FItemLinks->LoadFromIni(ini, section, kind);
  if (!full) return;
  TdxBarManager* manager = GetBarManager();
  try {
    HideForLayout();
    SetCaption(ReadStr(ini, section, "Caption", FCaption));
    const std::string docked = ReadStr(ini, section, "DockedDockControl", "");
    SetDockedDockControl(docked.empty() ? nullptr : manager->FindDockControlByName(docked));
    FDockedDockingStyle = ReadEnum(ini, section, "DockedDockingStyle", FDockedDockingStyle, dsBottom);
    SetDockedLeft(ReadIntIn(ini, section, "DockedLeft", FDockedLeft, -MaxCoordinate, MaxCoordinate));
    SetDockedTop(ReadIntIn(ini, section, "DockedTop", FDockedTop, -MaxCoordinate, MaxCoordinate));
    SetOneOnRow(ReadBoolean(ini, section, "OneOnRow", FOneOnRow));
    SetFloatLeft(ReadIntIn(ini, section, "FloatLeft", FFloatLeft, -MaxCoordinate, MaxCoordinate));
    SetFloatTop(ReadIntIn(ini, section, "FloatTop", FFloatTop, -MaxCoordinate, MaxCoordinate));
    SetFloatClientWidth(ReadIntIn(ini, section, "FloatClientWidth", FFloatClientWidth, 0, MaxCoordinate));
    SetFloatClientHeight(ReadIntIn(ini, section, "FloatClientHeight", FFloatClientHeight, 0, MaxCoordinate));
    const std::string dockName = ReadStr(ini, section, "DockControl", "");
    if (TdxBarDockControl* dock = dockName.empty() ? nullptr : manager->FindDockControlByName(dockName))
      SetDockControl(dock);
    else if (DockControl() && DockControl()->IsUserDock())
      SetDockControl(nullptr);
    SetDockingStyle(ReadEnum(ini, section, "DockingStyle", DockingStyle(), dsBottom));
    // A dock has no more rows than bars: a row beyond the bar count is no row a layout wrote.
    SetRow(ReadIntIn(ini, section, "Row", Row(), 0, GetBars()->Count()));
    SetVisible(ReadBoolean(ini, section, "Visible", false));
    FMergeData->MergedWith = nullptr;
  } catch (const std::exception&) {
    SetVisible(true);
  }
}

void TdxBar::LoadUsageFromIni(TCustomIniFile* ini, const std::string& base, int n)
{
  if (FItemLinks) FItemLinks->LoadUsageFromIni(ini, GetSectionName(base, n));
}

// --- Links ---

void TdxBarItemLinks::SaveToIni(TCustomIniFile* ini, const std::string& section, TdxBarStoringKind kind)
{
  int m = 0;
  for (int i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = Items(i);
    if (link->Item() && !link->Item()->Name().empty() && !link->OriginalBar()) link->SaveToIni(ini, section, kind, m++);
  }
  ini->WriteInteger(section, "ItemLinkCount", m);
}

void TdxBarItemLinks::LoadFromIni(TCustomIniFile* ini, const std::string& section, TdxBarStoringKind kind)
{
  const int count = ReadIntIn(ini, section, "ItemLinkCount", 0, 0, INT_MAX);
  const int present = PresentSections(
      ini, count, [&](int m) { return TdxBarItemLink::GetSectionName(section, kind, m); });
  ReadLayout(FBarManager ? FBarManager->NewItemNames() : nullptr,
             [&](const std::function<TdxBarItemLink*()>& insertLink) {
               for (int m = present - 1; m >= 0; --m) insertLink()->LoadFromIni(ini, section, kind, m);
             });
}

void TdxBarItemLinks::LoadUsageFromIni(TCustomIniFile* ini, const std::string& section)
{
  const int stored = std::min(ReadIntIn(ini, section, "ItemLinkCount", 0, 0, INT_MAX), Count());
  for (int m = 0; m < stored; ++m) Items(m)->LoadUsageFromIni(ini, section, m);
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->FItem) Items(i)->ResetUsage();
  CompactRecentList();
}

std::string TdxBarItemLink::GetSectionName(const std::string& collectionSection, TdxBarStoringKind kind, int m)
{
  return collectionSection + GetStorageDelimiter(kind) + "ItemLink" + std::to_string(m);
}

void TdxBarItemLink::SaveToIni(TCustomIniFile* ini, const std::string& collectionSection, TdxBarStoringKind kind, int m)
{
  TdxBarItemLinks* links = GetLinks();
  TdxBarManager* manager = GetBarManager();
  const std::string section = GetSectionName(collectionSection, kind, m);
  ini->WriteString(section, "ItemName", Item()->Name());
  WriteBoolean(ini, section, "BeginGroup", FBeginGroup);
  WriteByte(ini, section, "UserDefine", FUserDefine.ToInt());
  if (FUserDefine.Contains(udCaption)) ini->WriteString(section, "UserCaption", FUserCaption);
  if (FUserDefine.Contains(udPaintStyle)) ini->WriteInteger(section, "UserPaintStyle", static_cast<int>(FUserPaintStyle));
  if (FUserDefine.Contains(udWidth)) ini->WriteInteger(section, "UserWidth", FUserWidth);
  if (kind == bskRegistry && FUserDefine.Contains(udGlyph)) {
    auto stream = MakeOwned<TMemoryStream>();
    FUserGlyph->SaveToStream(*stream);
    stream->SetPosition(0);
    ini->WriteBinaryStream(section, "UserGlyph", *stream);
  }
  if (!links->IsMenu()) {
    ini->WriteInteger(section, "ButtonGroup", static_cast<int>(FButtonGroup));
    ini->WriteInteger(section, "Position", static_cast<int>(FPosition));
    WriteByte(ini, section, "ViewLevels", FViewLevels.ToInt());
    WriteBoolean(ini, section, "Visible", FVisible);
  }
  if (manager && manager->SupportsRecentItems() && links->UsesRecentItems()) {
    ini->WriteInteger(section, "UseCount", FUseCount);
    ini->WriteInteger(section, "RecentIndex", links->IndexOfRecent(this));
  }
  if (manager && manager->IsWritingDesignedLayout()) WriteBoolean(ini, section, "MostRecentlyUsed", FMostRecentlyUsed);
}

bool TdxBarItemLink::LoadFromIni(TCustomIniFile* ini, const std::string& collectionSection, TdxBarStoringKind kind, int m)
{
  TdxBarItemLinks* links = GetLinks();
  TdxBarManager* manager = GetBarManager();
  const std::string section = GetSectionName(collectionSection, kind, m);
  const std::string name = ReadStr(ini, section, "ItemName", "");
  TdxBarItem* item = name.empty() || !manager ? nullptr : manager->FindItemByName(name);
  if (!item) {
    Free(this);
    return false;
  }
  try {
    SetItem(item);
  } catch (const Exception&) {
    return false;  // the collection refused the item, and the link went with it
  }
  SetBeginGroup(ReadBoolean(ini, section, "BeginGroup", false));
  int userDefine = -1;
  if (kind == bskIni)
    if (const std::string text = ReadStr(ini, section, "UserDefine", ""); text.size() == 1 && text[0] >= '0' && text[0] <= '9')
      userDefine = text[0] - '0';
  if (userDefine < 0) userDefine = ReadSetByte(ini, section, "UserDefine");
  if (userDefine >= 0 && userDefine <= 0x0F) SetUserDefine(TdxBarUserDefines::FromInt(static_cast<uint64_t>(userDefine)));
  if (FUserDefine.Contains(udCaption)) SetUserCaption(ReadStr(ini, section, "UserCaption", ""));
  if (FUserDefine.Contains(udPaintStyle))
    SetUserPaintStyle(ReadEnum(ini, section, "UserPaintStyle", psStandard, psCaptionGlyph));
  if (FUserDefine.Contains(udWidth)) SetUserWidth(ReadIntIn(ini, section, "UserWidth", 100, 1, MaxItemWidth));
  if (kind == bskRegistry && FUserDefine.Contains(udGlyph)) {
    auto stream = MakeOwned<TMemoryStream>();
    if (ReadBinary(ini, section, "UserGlyph", *stream)) try {
        FUserGlyph->LoadFromStream(*stream);
      } catch (const Exception&) {
        // A glyph that is no bitmap leaves the user glyph as it was.
      }
  }
  if (!links->IsMenu()) {
    SetButtonGroup(ReadEnum(ini, section, "ButtonGroup", bgpNone, bgpMember));
    SetPosition(ReadEnum(ini, section, "Position", ipBeginsNewRow, ipContinuesRow));
    if (const int levels = ReadSetByte(ini, section, "ViewLevels"); levels >= 0)
      SetViewLevels(TdxBarItemViewLevels::FromInt(static_cast<uint64_t>(levels)));
    FLoadedVisible = ReadBoolean(ini, section, "Visible", true);
  }
  if (manager->SupportsRecentItems() && links->UsesRecentItems())
    SetLoadedUsage(ReadIntIn(ini, section, "RecentIndex", -1, -1, INT_MAX),
                   ReadIntIn(ini, section, "UseCount", 0, 0, INT_MAX));
  return true;
}

void TdxBarItemLink::LoadUsageFromIni(TCustomIniFile* ini, const std::string& collectionSection, int m)
{
  // The designed layout is always in the ini form.
  FMostRecentlyUsed = ReadBoolean(ini, GetSectionName(collectionSection, bskIni, m), "MostRecentlyUsed", true);
}

// --- Items' sub-menu links ---

void TdxBarItem::SaveLinksToIni(TCustomIniFile*, const std::string&, TdxBarStoringKind) {}
void TdxBarItem::LoadLinksFromIni(TCustomIniFile*, const std::string&, TdxBarStoringKind) {}
void TdxBarItem::LoadUsageFromIni(TCustomIniFile*, const std::string&) {}

void TdxBarButtonLikeItem::SaveLinksToIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind)
{
  if (TdxBarItemLinks* links = GetItemLinks(); links && !Name().empty())
    links->SaveToIni(ini, GetLinksSectionName(base), kind);
}

void TdxBarButtonLikeItem::LoadLinksFromIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind)
{
  TdxBarItemLinks* links = GetItemLinks();
  if (!links || Name().empty()) return;
  const std::string section = GetLinksSectionName(base);
  if (ReadInt(ini, section, "ItemLinkCount", -1) >= 0) links->LoadFromIni(ini, section, kind);
}

void TdxBarButtonLikeItem::LoadUsageFromIni(TCustomIniFile* ini, const std::string& base)
{
  if (TdxBarItemLinks* links = GetItemLinks()) links->LoadUsageFromIni(ini, GetLinksSectionName(base));
}

void TdxBarButtonLikeItem::ResetFromIni(TCustomIniFile* ini, const std::string& base)
{
  TdxBarItemLinks* links = GetItemLinks();
  if (!links) return;
  LoadLinksFromIni(ini, base, bskIni);
  LoadUsageFromIni(ini, base);
  links->ResetItems(ini, base);
}
