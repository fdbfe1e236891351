#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

#include <algorithm>
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxClassesLists.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLookAndFeelPaintersRadio.h"
#include "toolkit/base/cxLookAndFeels.h"

namespace {
TUnitObject<TcxLookAndFeelPaintersManager> GManager{UnitcxLookAndFeelPainters};
TUnitObject<TSystemPaletteChangedNotifier> GPaletteNotifier{
    UnitcxLookAndFeelPainters, [] { return New<TSystemPaletteChangedNotifier>(true); }};
TUnitObject<TImageList> GIndicatorImages{UnitcxLookAndFeelPainters, [] { return New<TImageList>(nullptr); }};
TUnitObject<TBitmap> GScrollBarPattern{UnitcxLookAndFeelPainters};
TUnitObject<TBitmap> GScrollBarPatternPressed{UnitcxLookAndFeelPainters};
SIZE GCheckBoxGlyphSize{};

constexpr const char* IndicatorBitmapNames[] = {"CX_ARROWBITMAP",      "CX_EDITBITMAP",       "CX_INSERTBITMAP",
                                                "CX_MULTIDOTBITMAP",   "CX_MULTIARROWBITMAP", "CX_FILTERBITMAP"};

int ComparePainterItems(void* a, void* b)
{
  return ComparePainterNames(static_cast<TcxCustomLookAndFeelPainter*>(a)->GetPainterName(),
                             static_cast<TcxCustomLookAndFeelPainter*>(b)->GetPainterName());
}

void BuildIndicatorImages()
{
  TImageList* images = nullptr;
  for (const char* name : IndicatorBitmapNames) {
    auto bitmap = MakeOwned<TBitmap>();
    bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), name);
    if (!images) {
      images = GIndicatorImages.Get();
      images->SetWidth(bitmap->Width());
      images->SetHeight(bitmap->Height());
    }
    images->AddMasked(bitmap.get(), clWhite);
  }
}

void PaintScrollBarPattern(TBitmap* bitmap, TColor evenColor, TColor oddColor)
{
  if (bitmap->Width() != 8 || bitmap->Height() != 8) {
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    bitmap->SetSize(8, 8);
  }
  TCanvas* canvas = bitmap->Canvas();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) canvas->SetPixels(x, y, (x + y) % 2 == 0 ? evenColor : oddColor);
}
}  // namespace

// --- TcxLookAndFeelPaintersManager ---

CL_DEFINE_CLASS(TcxLookAndFeelPaintersManager);

TcxLookAndFeelPaintersManager::TcxLookAndFeelPaintersManager() : FPainters(MakeOwned<TcxObjectList>()) {}

TcxLookAndFeelPaintersManager::~TcxLookAndFeelPaintersManager()
{
  FListeners.clear();
  FPainters.reset();
}

bool TcxLookAndFeelPaintersManager::Register(TOwned<TcxCustomLookAndFeelPainter> Painter)
{
  if (!Painter || GetPainterByName(Painter->GetPainterName())) return false;
  TcxCustomLookAndFeelPainter* painter = Painter.release();
  FPainters->Add(painter);
  SortByName();
  NotifyPainterAdded(painter);
  return true;
}

bool TcxLookAndFeelPaintersManager::Unregister(std::string_view Name)
{
  TcxCustomLookAndFeelPainter* painter = GetPainterByName(Name);
  if (!painter) return false;
  FPainters->Extract(painter);
  const TOwned<TcxCustomLookAndFeelPainter> going(painter);
  NotifyPainterRemoved(painter);
  return true;
}

bool TcxLookAndFeelPaintersManager::FindByStyle(TcxPainterStyle Style, TcxCustomLookAndFeelPainter*& Painter) const
{
  Painter = nullptr;
  for (int i = 0; i < GetCount(); ++i)
    if (GetPainter(i)->PainterStyle() == Style) {
      Painter = GetPainter(i);
      return true;
    }
  return false;
}

bool TcxLookAndFeelPaintersManager::FindByName(std::string_view Name, TcxCustomLookAndFeelPainter*& Painter) const
{
  Painter = nullptr;
  for (int i = 0; i < GetCount(); ++i)
    if (SameIdent(GetPainter(i)->GetPainterName(), Name)) {
      Painter = GetPainter(i);
      return true;
    }
  return false;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainterByStyle(TcxPainterStyle Style) const
{
  TcxCustomLookAndFeelPainter* painter;
  FindByStyle(Style, painter);
  return painter;
}

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainterByName(std::string_view Name) const
{
  TcxCustomLookAndFeelPainter* painter;
  FindByName(Name, painter);
  return painter;
}

int TcxLookAndFeelPaintersManager::GetCount() const { return FPainters->Count(); }

TcxCustomLookAndFeelPainter* TcxLookAndFeelPaintersManager::GetPainter(int Index) const
{
  return static_cast<TcxCustomLookAndFeelPainter*>(FPainters->GetObject(Index));
}

void TcxLookAndFeelPaintersManager::SortByName() { FPainters->Sort(ComparePainterItems); }

void TcxLookAndFeelPaintersManager::AddListener(IcxPainterRegistryListener* Listener)
{
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TcxLookAndFeelPaintersManager::RemoveListener(IcxPainterRegistryListener* Listener)
{
  std::erase(FListeners, Listener);
}

void TcxLookAndFeelPaintersManager::NotifyPainterAdded(TcxCustomLookAndFeelPainter* Painter)
{
  RefreshRootLookAndFeel();
  const std::vector<IcxPainterRegistryListener*> listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) (*it)->PainterAdded(Painter);
}

void TcxLookAndFeelPaintersManager::NotifyPainterRemoved(TcxCustomLookAndFeelPainter* Painter)
{
  RefreshRootLookAndFeel();
  const std::vector<IcxPainterRegistryListener*> listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) (*it)->PainterRemoved(Painter);
}

void TcxLookAndFeelPaintersManager::RefreshRootLookAndFeel()
{
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->NotifyAllChanged();
}

TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager() { return GManager.Peek(); }

int ComparePainterNames(std::string_view a, std::string_view b)
{
  const int result = CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                                    static_cast<int>(b.size()));
  return result == CSTR_LESS_THAN ? -1 : result == CSTR_GREATER_THAN ? 1 : 0;
}

// --- Shared drawing resources ---

TCustomImageList* cxIndicatorImages() { return GIndicatorImages.Peek(); }

TBitmap* cxScrollBarPatternBitmap(bool Pressed)
{
  return Pressed ? GScrollBarPatternPressed.Peek() : GScrollBarPattern.Peek();
}

void RebuildScrollBarBitmaps()
{
  if (TBitmap* normal = GScrollBarPattern.Get()) PaintScrollBarPattern(normal, clBtnFace, clBtnHighlight);
  if (TBitmap* pressed = GScrollBarPatternPressed.Get()) PaintScrollBarPattern(pressed, clBlack, cl3DDkShadow);
}

SIZE cxCheckBoxGlyphSize() { return GCheckBoxGlyphSize; }

SIZE CheckBoxGlyphSizeOfBitmap(SIZE BitmapSize) { return SIZE{BitmapSize.cx / 4, BitmapSize.cy / 3}; }

SIZE MeasureCheckBoxGlyph()
{
  constexpr int SystemCheckBoxesBitmap = 32759;  // OBM_CHECKBOXES
  HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(SystemCheckBoxesBitmap));
  if (!bitmap) return {};
  BITMAP data{};
  const bool read = GetObjectA(bitmap, sizeof(data), &data) != 0;
  DeleteObject(bitmap);
  return read ? CheckBoxGlyphSizeOfBitmap(SIZE{data.bmWidth, data.bmHeight}) : SIZE{};
}

TcxRadioButtonImageList* GetRadioButtonImages() { return GetRadioButtonImageList(); }

// --- The unit ---

namespace {
void InitializeUnit()
{
  GManager.Get();
  GPaletteNotifier.Get();
  BuildIndicatorImages();
  RebuildScrollBarBitmaps();
  GCheckBoxGlyphSize = MeasureCheckBoxGlyph();
  TcxLookAndFeelPaintersManager* manager = GManager.Peek();
  manager->Register(MakeOwned<TcxFlatLookAndFeelPainter>());
  manager->Register(MakeOwned<TcxOffice11LookAndFeelPainter>());
  manager->Register(MakeOwned<TcxStandardLookAndFeelPainter>());
  manager->Register(MakeOwned<TcxUltraFlatLookAndFeelPainter>());
  manager->Register(MakeOwned<TcxWinXPLookAndFeelPainter>());
}

void FinalizeUnit()
{
  GPaletteNotifier.Free();
  GScrollBarPattern.Free();
  GScrollBarPatternPressed.Free();
  GIndicatorImages.Free();
  GManager.Free();
  FreeRadioButtonImageList();
  GCheckBoxGlyphSize = {};
}

const TUnit* const Uses[] = {&UnitcxGraphics, &UnitcxLookAndFeels};
}  // namespace

TUnit UnitcxLookAndFeelPainters{"cxLookAndFeelPainters", Uses, InitializeUnit, FinalizeUnit};
