#pragma once
// Dock controls: the windows toolbars dock in. Every bar manager has four edge docks, one per edge
// of its owner control (made by its bars collection, TdxBars); a TdxBarDockControl is a dock the
// form places itself. Every dock control registers with its manager when it is made and leaves it
// when it goes.
//
// A dock holds its bars in rows (TdxDockRow), first row first. Toolbar windows are not docked in
// these windows yet: the docks hold the rows of their bars, take their manager's colour and keep
// the sizes the stored form gives them.
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "toolkit/bars/dxBarPainter.h"

class TdxBar;
class TdxBarManager;
class TdxDockControl;

using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;
extern const TEnumInfo dxBarDockingStyleInfo;
// Every docking style (the value 31).
constexpr TdxBarDockingStyles dxBarAllDockingStyles{dsNone, dsLeft, dsTop, dsRight, dsBottom};

// A row of a dock: the bars placed in it, in order.
class TdxDockRow : public TObject {
  CL_CLASS(TdxDockRow, TObject)
public:
  explicit TdxDockRow(TdxDockControl* dockControl) : FDockControl(dockControl) {}

  TdxDockControl* DockControl() const { return FDockControl; }
  int BarCount() const { return static_cast<int>(FBars.size()); }
  TdxBar* Bars(int index) const;
  int IndexOfBar(const TdxBar* bar) const;
  // Adds the bar at the end of the row.
  void JoinBar(TdxBar* bar);
  // Takes the bar out of the row; with dropEmpty, an emptied row leaves its dock and is freed.
  void RemoveBar(TdxBar* bar, bool dropEmpty);

private:
  TdxDockControl* FDockControl;
  std::vector<TdxBar*> FBars;
};

class TdxDockControl : public TCustomControl {
  CL_CLASS(TdxDockControl, TCustomControl)
public:
  // A dock placed by the form (a TdxBarDockControl).
  explicit TdxDockControl(TComponent* owner);
  // An edge dock of the manager: aligned to its edge of the parent.
  TdxDockControl(TdxBarManager* manager, TdxBarDockingStyle dockingStyle);
  void AfterConstruction() override;
  // Leaves its manager (its bars lose it) and frees its rows.
  void BeforeDestruction() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  // Leaves the old manager and registers with the new one.
  void SetBarManager(TdxBarManager* value);
  // The edge of an edge dock; a placed dock's style follows its alignment (top for alNone and
  // alClient).
  TdxBarDockingStyle DockingStyle() const;
  // True for the four edge docks.
  bool HasDockingStyle() const { return FDockingStyle != dsNone; }
  // The painter of its manager.
  TdxBarPainter* Painter() const;
  // Whether the dock takes the bar (placed docks decide for themselves; edge docks take any).
  virtual bool CanDockBar(TdxBar* bar) const;

  int RowCount() const { return static_cast<int>(FRows.size()); }
  TdxDockRow* Rows(int index) const;
  int IndexOfRow(const TdxDockRow* row) const;
  // Appends a new empty row.
  TdxDockRow* AddRow();
  // Takes the row out and frees it.
  void DeleteRow(TdxDockRow* row);
  void DeleteEmptyRows();
  // Set while one of its toolbar windows is being destroyed.
  bool IsDestroyingBarControl() const { return FDestroyingBarControl; }

  // Realigns its bars unless its manager is missing, locked or being destroyed.
  void RealignIfAllowed();
  // The manager's dock colour changed.
  void DockColorChanged();
  // The manager's SunkenBorder changed: the frame is recalculated.
  void UpdateBorder();
  // The manager's drawing resources changed: recalculate and repaint.
  void RefreshResources();

private:
  TdxBarManager* FBarManager = nullptr;
  TdxBarDockingStyle FDockingStyle = dsNone;
  std::vector<TdxDockRow*> FRows;
  bool FDestroyingBarControl = false;
};

// A dock the form places itself, stored with the form.
class TdxBarDockControl : public TdxDockControl {
  CL_CLASS(TdxBarDockControl, TdxDockControl)
public:
  explicit TdxBarDockControl(TComponent* owner) : TdxDockControl(owner) {}
  // True for every placed dock: a layout drops one it cannot find.
  bool IsUserDock() const { return true; }
};
