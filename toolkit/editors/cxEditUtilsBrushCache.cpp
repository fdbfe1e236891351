// The solid brush cache and the editor helpers' unit.
#include <array>
#include "toolkit/editors/cxEditUtils.h"

namespace {
// The system brushes of system colours 0 to 30, filled while the unit runs.
constexpr int SystemBrushCount = COLOR_MENUBAR + 1;
std::array<HBRUSH, SystemBrushCount> GSystemBrushes{};
bool GSystemBrushesFilled = false;

TUnitObject<TcxSolidBrushCache> GSharedCache{UnitcxEditUtils};

void InitializeUnit()
{
  for (int index = 0; index < SystemBrushCount; ++index) GSystemBrushes[index] = GetSysColorBrush(index);
  GSystemBrushesFilled = true;
  GSharedCache.Get();
}

void FinalizeUnit()
{
  GSharedCache.Free();
  GSystemBrushesFilled = false;
  GSystemBrushes.fill(nullptr);
}

const TUnit* const Uses[] = {&UnitcxLookAndFeels};
}  // namespace

TUnit UnitcxEditUtils{"cxEditUtils", Uses, InitializeUnit, FinalizeUnit};

// --- TcxSolidBrushCache ---

CL_DEFINE_CLASS(TcxSolidBrushCache);

TcxSolidBrushCache::TcxSolidBrushCache(int Capacity) : FCapacity(Capacity)
{
  if (Capacity < 1) throw EInvalidOperation("A brush cache holds at least one brush");
  FEntries.reserve(static_cast<size_t>(Capacity));
  FPaletteNotifier = MakeOwned<TcxSystemPaletteChangedNotifier>(true);
  FPaletteNotifier->SetOnSystemPaletteChanged(TcxSystemPaletteChangedEvent(this, &TcxSolidBrushCache::PaletteChanged));
}

TcxSolidBrushCache::~TcxSolidBrushCache()
{
  FPaletteNotifier.reset();
  DeleteAllBrushes();
}

void TcxSolidBrushCache::DeleteAllBrushes() { FEntries.clear(); }

void TcxSolidBrushCache::HandlePaletteChange() { DeleteAllBrushes(); }

int TcxSolidBrushCache::RarestEntry() const
{
  int rarest = 0;
  for (int index = 0; index < EntryCount(); ++index) {
    if (FEntries[index].UseCount == 0) return index;
    if (FEntries[index].UseCount < FEntries[rarest].UseCount) rarest = index;
  }
  return rarest;
}

HBRUSH TcxSolidBrushCache::BrushOfColor(TColor Color)
{
  const uint32_t systemIndex = static_cast<uint32_t>(Color) - static_cast<uint32_t>(clSystemColor);
  if (GSystemBrushesFilled && systemIndex < static_cast<uint32_t>(SystemBrushCount)) return GSystemBrushes[systemIndex];

  int lo = 0, hi = EntryCount() - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    TEntry& entry = FEntries[mid];
    if (entry.Color == Color) {
      ++entry.UseCount;
      return entry.Brush.Get();
    }
    if (entry.Color < Color)
      lo = mid + 1;
    else
      hi = mid - 1;
  }

  TBrushHandle brush(CreateSolidBrush(GdiColor(Color)));
  if (!brush) return nullptr;
  if (EntryCount() == FCapacity) {
    const int evicted = RarestEntry();
    FEntries.erase(FEntries.begin() + evicted);
    if (evicted < lo) --lo;
  }
  HBRUSH result = brush.Get();
  FEntries.insert(FEntries.begin() + lo, TEntry{Color, std::move(brush), 0});
  return result;
}

TcxSolidBrushCache* SharedSolidBrushCache() { return GSharedCache.Get(); }

HBRUSH CachedSolidBrush(TColor Color)
{
  TcxSolidBrushCache* cache = SharedSolidBrushCache();
  return cache ? cache->BrushOfColor(Color) : nullptr;
}

HBRUSH CachedSolidBrush(TCanvas* Canvas, TColor Color)
{
  (void)Canvas;
  return CachedSolidBrush(Color);
}

HBRUSH CachedSolidBrush(TcxCanvas* Canvas, TColor Color)
{
  (void)Canvas;
  return CachedSolidBrush(Color);
}
