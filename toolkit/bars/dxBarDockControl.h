#pragma once
// Dock controls: the windows toolbars dock in. Every bar manager has four edge docks, one per edge
// of its owner control (made by its bars collection, TdxBars); a TdxBarDockControl is a dock the
// form places itself. Every dock control registers with its manager when it is made and leaves it
// when it goes.
//
// A dock holds its toolbars in rows (TdxDockRow), row 0 at the form's edge for left and top docks;
// a row holds its toolbar windows side by side, one per column (TdxDockCol), each column keeping
// where the user put its toolbar. The dock decides where a dragged toolbar lands (a row, or a new
// row between two), lines up the toolbars of each row (shortening them from the end when the row
// is too short), sizes itself to its rows and paints the background the toolbars continue.
#include <utility>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "toolkit/bars/dxBarAccessibility.h"
#include "toolkit/bars/dxBarPainter.h"

class TdxBar;
class TdxBarControl;
class TdxBarManager;
class TdxDockControl;
class TdxDockRow;

using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;
extern const TEnumInfo dxBarDockingStyleInfo;
// Every docking style (the value 31).
constexpr TdxBarDockingStyles dxBarAllDockingStyles{dsNone, dsLeft, dsTop, dsRight, dsBottom};

// The sizes a docked toolbar gives the row alignment and the docking of its dock, for a docking
// style: CalcWidth/CalcHeight the shortest useful size (only the first item along a single-line
// bar), CalcMinWidth/CalcMinHeight the size with every item in one line, the client size for a
// given length, and where the mouse holds the bar. A toolbar window without it is measured by its
// current window size.
class IdxDockedBarSizes {
public:
  virtual int CalcWidth(TdxBarDockingStyle style) = 0;
  virtual int CalcHeight(TdxBarDockingStyle style) = 0;
  virtual int CalcMinWidth(TdxBarDockingStyle style) = 0;
  virtual int CalcMinHeight(TdxBarDockingStyle style) = 0;
  virtual SIZE CalcSizeForPoint(TdxBarDockingStyle style, int width) = 0;
  virtual SIZE CalcSizeForHeight(TdxBarDockingStyle style, int height, bool exact) = 0;
  virtual POINT GetGrabOffsetForDockingStyle(TdxBarDockingStyle style) = 0;

protected:
  ~IdxDockedBarSizes() = default;
};

// One toolbar window in a row, with the position (dock client coordinates) the user left it at.
// The row alignment also keeps here the toolbar's minimum and full lengths, whether it was cut
// short, and the rect it gave the toolbar (along the row first, then across).
class TdxDockCol : public TObject {
  CL_CLASS(TdxDockCol, TObject)
public:
  TdxDockCol(TdxDockRow* row, TdxBarControl* barControl);

  TdxDockRow* Row() const { return FRow; }
  // The toolbar window; nullptr once it is freed.
  TdxBarControl* BarControl() const;
  // The bar of the toolbar window.
  TdxBar* Bar() const;
  POINT Pos() const { return FPos; }
  void SetPos(POINT value) { FPos = value; }
  // The stored position := the toolbar's current position in the dock.
  void UpdatePos();

  // What the last row alignment found.
  int MinLength() const { return FMinLength; }
  int FullLength() const { return FFullLength; }
  bool Truncated() const { return FTruncated; }

private:
  friend class TdxDockControl;
  TdxDockRow* FRow;
  TWeakRef<TdxBarControl> FBarControl;
  POINT FPos{};
  int FMinLength = 0;
  int FFullLength = 0;
  bool FTruncated = false;
  // Along, across, length, thickness.
  int FLeft = 0, FTop = 0, FLength = 0, FThickness = 0;
};

// A row of a dock: its columns (owned) and the bars that belong to it (not owned).
class TdxDockRow : public TObject {
  CL_CLASS(TdxDockRow, TObject)
public:
  explicit TdxDockRow(TdxDockControl* dockControl) : FDockControl(dockControl) {}
  // Frees the columns and takes every bar off the row.
  void BeforeDestruction() override;

  TdxDockControl* DockControl() const { return FDockControl; }

  // --- Columns ---
  int ColCount() const { return static_cast<int>(FCols.size()); }
  TdxDockCol* Cols(int index) const;
  // A new column for the toolbar at the index (-1 appends).
  TdxDockCol* AddCol(TdxBarControl* barControl, int index = -1);
  void DeleteCol(int index);
  void DeleteCol(TdxDockCol* col);
  // Deletes the column of the toolbar, when the row has one.
  void RemoveColOfControl(TdxBarControl* barControl);
  int IndexOfCol(const TdxDockCol* col) const;
  // The column of the toolbar; nullptr when the row has none.
  TdxDockCol* FindCol(const TdxBarControl* barControl) const;
  // A column holds a toolbar window.
  bool HasDockedBarControl() const;
  // Deletes the columns whose toolbar window was freed.
  void DeleteDeadCols();
  // Every bar's OneOnRow := the row has exactly one column.
  void UpdateOneOnRow();

  // --- Bars ---
  int BarCount() const { return static_cast<int>(FBars.size()); }
  TdxBar* Bars(int index) const;
  int IndexOfBar(const TdxBar* bar) const;
  // The bar joins the row; its toolbar window, when it sits in this dock and has no column here
  // yet, gets one at the bar's DockedLeft and DockedTop.
  void AddBar(TdxBar* bar);
  // The bar leaves the row and its toolbar's column goes; with dropEmpty, a row left without bars
  // leaves its dock and is freed.
  void RemoveBar(TdxBar* bar, bool dropEmpty);

private:
  TdxDockControl* FDockControl;
  std::vector<TdxDockCol*> FCols;
  std::vector<TdxBar*> FBars;
};

// Where a point lands across a dock: the row, and whether a new row is to be made there.
struct TdxDockRowHit {
  int Row = 0;
  bool NewRow = false;
  bool operator==(const TdxDockRowHit&) const = default;
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
  bool AllowDocking() const { return FAllowDocking; }
  void SetAllowDocking(bool value) { FAllowDocking = value; }
  // The picture tiled over the dock (empty: the painter's dock background).
  TBitmap* BackgroundBitmap() const { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* value) { FBackgroundBitmap->Assign(value); }
  // The dock's whole background kept between paints (the tiled picture, or what a painter keeps
  // there); emptied on size and background changes.
  TBitmap* BackgroundCache() const { return FBackgroundCache.get(); }

  // The edge of an edge dock; a placed dock's style follows its alignment (top for alNone and
  // alClient).
  TdxBarDockingStyle DockingStyle() const { return GetDockingStyle(); }
  // True for the four edge docks.
  bool HasDockingStyle() const { return FDockingStyle != dsNone; }
  bool IsHorizontal() const;
  // The painter of its manager.
  TdxBarPainter* Painter() const { return GetPainter(); }
  // Set while one of its toolbar windows is being destroyed.
  bool IsDestroyingBarControl() const { return FDestroyingBarControl; }
  void SetDestroyingBarControl(bool value) { FDestroyingBarControl = value; }

  // --- Rows ---
  int RowCount() const { return static_cast<int>(FRows.size()); }
  TdxDockRow* Rows(int index) const;
  int IndexOfRow(const TdxDockRow* row) const;
  // Appends a new empty row.
  TdxDockRow* AddRow();
  // Inserts a new empty row at the index.
  TdxDockRow* InsertRow(int index);
  // Takes the row out and frees it.
  void DeleteRow(TdxDockRow* row);
  void DeleteEmptyRows();
  // Every column of every row that holds a toolbar window, row by row.
  std::vector<TdxDockCol*> GetCols() const;
  // The column that holds the toolbar, in any row; nullptr when none does.
  TdxDockCol* FindCol(const TdxBarControl* barControl) const;

  // --- Docking ---
  // The dock's bounds widened by the docking zone size, in screen coordinates.
  RECT GetDockingZoneRect() const;
  // The row's rect in client coordinates; empty for an index outside the rows.
  RECT GetRowRect(int row) const;
  // The part (0 before the new-row strip, 1 the strip, 2 after it) of the band of a row (-1 before
  // the first, RowCount after the last), across the dock in client coordinates.
  std::pair<int, int> GetRowZone(int row, int part) const;
  // The row a screen point falls in, and whether a new row is wanted there.
  TdxDockRowHit RowAtPoint(POINT screen) const;
  // The column before which a screen point falls in the row.
  int ColAtPoint(int row, POINT screen) const;
  // Where the drag frame snaps across the dock for a row and new-row wish, in screen coordinates.
  POINT GetRowSnapPoint(int row, bool newRow, POINT screen) const;
  // Docks the toolbar window at the screen point, finding or making its row and column.
  void DockBarAt(TdxBarControl* barControl, POINT screen, bool realign);
  // The row that holds the column (or, without one, the toolbar) loses it.
  void RemoveBarControl(TdxBarControl* barControl, TdxDockCol* col, bool realign);
  // Takes the toolbar out of its column and docks it again at the screen point.
  void MoveBarControl(TdxBarControl* barControl, POINT screen);
  // Every column's stored position := its toolbar's position.
  void StoreColumnPositions();

  // --- Layout ---
  int GetDockExtent() const;
  void Realign();
  // Realigns its rows and, when it has rows, its size, unless its manager is missing, locks bar
  // updates or is being destroyed.
  void RealignIfAllowed();
  // With a window, the dock and its toolbars recalculate their frames; then RealignIfAllowed.
  void RefreshFrames();
  // Every toolbar of every row repaints its frame and its client area.
  void RepaintBars();
  // The action links of the items on the manager's visible bars update.
  void InitiateAction();

  // --- Manager notifications ---
  // The manager's dock colour changed.
  void DockColorChanged() { UpdateDockColor(); }
  // The manager's SunkenBorder changed: the frame is recalculated.
  void UpdateBorder() { RefreshFrames(); }
  // The manager's drawing resources changed: recalculate and repaint.
  void RefreshResources();

  // --- Keyboard access ---
  // The dock's accessibility helper, made on first use.
  IdxBarAccessibilityHelper* GetAccessibilityHelper();

  // --- Virtual operations ---
  virtual void BackgroundChanged();
  virtual void AlignAllRows();
  virtual void AlignRow(int row, int length);
  virtual bool CanCustomize() const;
  // Whether the dock takes the bar.
  virtual bool AllowsDockingOf(TdxBar* bar) const;
  virtual void UpdateDockColor();
  virtual int CalcDockSize() const;
  virtual bool GetSunkenBorder() const;
  virtual bool UsesStoredRows() const { return true; }
  virtual void UpdateDockSize();
  virtual void ShowToolbarsPopup();
  // The class of the toolbar windows of bars docked here.
  virtual TClassRef<TdxBarControl> GetBarControlClass() const;
  virtual TdxBarDockingStyle GetDockingStyle() const;
  virtual TdxBarPainter* GetPainter() const;
  // Paints the dock's background under the rect of the device context (client coordinates).
  virtual void FillBackground(HDC dc, const RECT& rect, HBRUSH brush, TColor color);
  virtual bool HasBackgroundBitmap() const { return !FBackgroundBitmap->Empty(); }
  virtual bool IsDesigning() const;
  virtual bool HasOwnBackground() const;
  virtual void ClearBackgroundCache();
  virtual void UpdateDoubleBuffered();
  virtual bool IsUserDock() const { return false; }

protected:
  // A control's child alignment disabled for the length of a scope (nothing for none).
  class TAlignDisabled {
  public:
    explicit TAlignDisabled(TWinControl* control) : FControl(control)
    {
      if (FControl) FControl->DisableAlign();
    }
    ~TAlignDisabled()
    {
      if (FControl) FControl->EnableAlign();
    }
    TAlignDisabled(const TAlignDisabled&) = delete;
    TAlignDisabled& operator=(const TAlignDisabled&) = delete;

  private:
    TWinControl* FControl;
  };

  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void AlignControls(TControl* control, RECT& rect) override;
  // The client extent across the dock (height of horizontal docks, width of vertical ones).
  int ClientExtentAcross() const;
  int ClientExtentAlong() const;
  bool IsFarEdge() const;
  bool IsLoadingOrRestoring() const;
  // The size of a row across the dock: its thickest toolbar plus the painter's row spacing (not
  // after the last row); 0 for a row without toolbar windows.
  int RowSize(int row) const;
  // Where the mouse holds the toolbar in the style (none for a toolbar without sizes of its own).
  static POINT GrabOffset(TdxBarControl* control, TdxBarDockingStyle style);

  void WMSize(TMessage& msg);

private:
  // Keyboard access.
  TOwned<TdxBarAccessibilityHelper> FAccessibilityHelper;
  void BackgroundBitmapChanged(TObject* sender);
  void WMEraseBkgnd(TMessage& msg);
  void WMGetObject(TMessage& msg);
  void WMLButtonDblClk(TMessage& msg);
  void WMMouseActivate(TMessage& msg);
  void WMNCCalcSize(TMessage& msg);
  void WMNCPaint(TMessage& msg);
  void WMRButtonDown(TMessage& msg);
  void WMWindowPosChanged(TMessage& msg);
  void CMSysColorChange(TMessage& msg);
  // Tiles the client rect into the background cache once; answers false without a picture.
  bool FillBackgroundFromCache(HDC dc, const RECT& rect);
  bool MovingBarControl() const;
  // Row alignment steps.
  void PrepareRowColumn(TdxDockCol* col, bool vertical);
  SIZE SizeForLength(TdxDockCol* col, int length) const;

  TdxBarManager* FBarManager = nullptr;
  TdxBarDockingStyle FDockingStyle = dsNone;
  bool FAllowDocking = true;
  std::vector<TdxDockRow*> FRows;
  TOwned<TBitmap> FBackgroundBitmap;
  TOwned<TBitmap> FBackgroundCache;
  bool FDestroyingBarControl = false;
};

enum class TdxBarDockAlign : uint8_t { dalNone, dalTop, dalBottom, dalLeft, dalRight };
using enum TdxBarDockAlign;
extern const TEnumInfo dxBarDockAlignInfo;

// A dock the form places itself, stored with the form.
class TdxBarDockControl : public TdxDockControl {
  CL_CLASS(TdxBarDockControl, TdxDockControl)
public:
  explicit TdxBarDockControl(TComponent* owner);
  void AfterConstruction() override;

  // --- Published properties ---
  TdxBarDockAlign Align() const { return FAlign; }
  // Every docked toolbar takes the new docking style inside the manager's bars-update lock.
  void SetAlign(TdxBarDockAlign value);
  bool AllowZeroSizeInDesignTime() const { return FAllowZeroSizeInDesignTime; }
  void SetAllowZeroSizeInDesignTime(bool value);
  // Colour changes outside loading and restoring turn UseOwnColor on.
  TColor Color() const { return TControl::Color(); }
  void SetColor(TColor value);
  bool ParentColor() const { return TControl::ParentColor(); }
  void SetParentColor(bool value);
  bool IsColorStored() const { return FUseOwnColor && !ParentColor(); }
  bool UseOwnColor() const { return FUseOwnColor; }
  void SetUseOwnColor(bool value);
  bool SunkenBorder() const { return GetSunkenBorder(); }
  void SetSunkenBorder(bool value);
  bool IsSunkenBorderStored() const { return FUseOwnSunkenBorder; }
  bool UseOwnSunkenBorder() const { return FUseOwnSunkenBorder; }
  void SetUseOwnSunkenBorder(bool value);

  bool IsUserDock() const override { return true; }
  // 3 in the designer unless AllowZeroSizeInDesignTime, else 0.
  int GetMinDesignSize() const;

  void BackgroundChanged() override;
  bool AllowsDockingOf(TdxBar* bar) const override;
  void UpdateDockColor() override;
  int CalcDockSize() const override;
  bool GetSunkenBorder() const override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

private:
  void WMSize(TMessage& msg);
  TdxBarDockAlign FAlign = dalTop;
  bool FAllowZeroSizeInDesignTime = false;
  bool FUseOwnColor = false;
  bool FSunkenBorder = false;
  bool FUseOwnSunkenBorder = false;
};
