#pragma once
// The painters registry: owns the one shared instance of every look-and-feel painter, keeps them
// sorted by name, and finds a painter by style number (how a look-and-feel kind becomes a painter)
// or by name (how a skin name becomes a skin painter). The painters unit's start-up creates it with
// the shared drawing resources several painters use, and registers the built-in painters in the
// order flat, Office 2003, standard, ultra-flat, native.
#include <string_view>
#include <vector>
#include "classlib/Object.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include "toolkit/base/cxLookAndFeelPainters.h"

class TBitmap;
class TCustomImageList;
class TcxObjectList;
class TcxRadioButtonImageList;

// Starts after cxLookAndFeels (registering refreshes the root look-and-feel).
extern TUnit UnitcxLookAndFeelPainters;

// Told of every painter added to or removed from the registry (still alive while it is removed).
class IcxPainterRegistryListener {
public:
  virtual void PainterAdded(TcxCustomLookAndFeelPainter* Painter) = 0;
  virtual void PainterRemoved(TcxCustomLookAndFeelPainter* Painter) = 0;

protected:
  ~IcxPainterRegistryListener() = default;
};

class TcxLookAndFeelPaintersManager : public TObject {
  CL_CLASS(TcxLookAndFeelPaintersManager, TObject)
public:
  TcxLookAndFeelPaintersManager();
  ~TcxLookAndFeelPaintersManager() override;

  // Takes the painter in every case. A painter whose name is registered already (ignoring the case
  // of A to Z) is freed and false answered; otherwise it joins the list, the list is sorted by name,
  // the root look-and-feel and the listeners are told, and true answered.
  bool Register(TOwned<TcxCustomLookAndFeelPainter> Painter);
  // Removes the painter of that name, tells the root look-and-feel and the listeners, and frees it
  // (also when a listener raises); false when no such painter is registered.
  bool Unregister(std::string_view Name);

  // The first painter in list order with the style / with the name (ignoring the case of A to Z).
  bool FindByStyle(TcxPainterStyle Style, TcxCustomLookAndFeelPainter*& Painter) const;
  bool FindByName(std::string_view Name, TcxCustomLookAndFeelPainter*& Painter) const;
  TcxCustomLookAndFeelPainter* GetPainterByStyle(TcxPainterStyle Style) const;
  TcxCustomLookAndFeelPainter* GetPainterByName(std::string_view Name) const;
  int GetCount() const;
  // The painter at a position of the list sorted by name.
  TcxCustomLookAndFeelPainter* GetPainter(int Index) const;
  void SortByName();

  // Listeners are told last added first; they are not owned.
  void AddListener(IcxPainterRegistryListener* Listener);
  void RemoveListener(IcxPainterRegistryListener* Listener);

protected:
  // The root look-and-feel first (every control picks a painter again), then the listeners.
  void NotifyPainterAdded(TcxCustomLookAndFeelPainter* Painter);
  void NotifyPainterRemoved(TcxCustomLookAndFeelPainter* Painter);
  void RefreshRootLookAndFeel();

private:
  TOwned<TcxObjectList> FPainters;
  std::vector<IcxPainterRegistryListener*> FListeners;
};

// The registry while the painters unit runs, else nullptr.
TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager();

// The order of painter names: the user-default locale's comparison (case-sensitive), -1, 0 or +1.
int ComparePainterNames(std::string_view a, std::string_view b);

// --- Shared drawing resources of the painters ---

// The images of indicator cells (8 x 9 pixels): arrow, edit, insert, multi-dot, multi-arrow, filter;
// indicator kind k draws image k - 1. nullptr outside the unit's life.
TCustomImageList* cxIndicatorImages();
// The 8 x 8 checkerboards of scroll-bar page areas: clBtnFace and clBtnHighlight (normal), black and
// cl3DDkShadow (pressed). nullptr outside the unit's life.
TBitmap* cxScrollBarPatternBitmap(bool Pressed);
// Repaints the two patterns from the current system colours, making them first when missing.
void RebuildScrollBarBitmaps();
// The size of one cell of the system check-box bitmap, measured at start-up.
SIZE cxCheckBoxGlyphSize();
// Measures it: the system check-box bitmap is a grid of 4 columns and 3 rows of glyphs.
SIZE MeasureCheckBoxGlyph();
SIZE CheckBoxGlyphSizeOfBitmap(SIZE BitmapSize);
// The shared radio-button glyph cache (GetRadioButtonImageList).
TcxRadioButtonImageList* GetRadioButtonImages();
