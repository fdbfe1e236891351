#pragma once
// The calculated picture of one bar control: the view infos of the item controls it shows, in
// layout order, and the group separators between them. Toolbars and menus fill it in Calculate;
// painting, hit testing and keyboard navigation read it. An item control's own view info keeps the
// control's bounds in the bar control's client coordinates.
#include <cstdint>
#include <vector>
#include "classlib/ClassRef.h"
#include "classlib/Win.h"

class TCustomdxBarControl;
class TdxBarItemControl;
// Defined with the item links.
enum class TdxBarItemViewLevel : uint8_t;

class TdxBarItemControlViewInfo : public TObject {
  CL_CLASS(TdxBarItemControlViewInfo, TObject)
public:
  struct TMeta : TMetaClassOf<TdxBarItemControlViewInfo, TdxBarItemControl*> {};
  // The default view level; the allowed levels, the most compact possible one and the level in a
  // button group from the control; no width measured yet.
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* control);
  void AfterConstruction() override;
  // Leaves its bar control's view info, unless the bar control is being destroyed.
  void BeforeDestruction() override;

  TdxBarItemControl* Control() const { return FControl; }
  const RECT& GetBounds() const { return FBounds; }
  void SetBounds(const RECT& bounds) { FBounds = bounds; }
  TdxBarItemViewLevel GetViewLevel() const { return FViewLevel; }
  void SetViewLevel(TdxBarItemViewLevel level) { FViewLevel = level; }
  uint8_t AllowedViewLevels() const { return FAllowedViewLevels; }
  TdxBarItemViewLevel MostCompactViewLevel() const { return FMostCompactViewLevel; }
  TdxBarItemViewLevel ButtonGroupViewLevel() const { return FButtonGroupViewLevel; }
  void SetButtonGroupViewLevel(TdxBarItemViewLevel level) { FButtonGroupViewLevel = level; }
  int RealButtonGroupPosition() const { return FRealButtonGroupPosition; }
  void SetRealButtonGroupPosition(int value) { FRealButtonGroupPosition = value; }
  // The item's Align, as a number of TdxBarItemAlign.
  int GetAlign() const;
  // The link's button-group position for button-like controls, else 0 (none).
  int GetButtonGroupPosition() const;
  // The control's width at an allowed level, measured once and kept until ResetCachedWidths.
  // Raises EdxException for a level the control does not allow.
  int GetWidthAtLevel(TdxBarItemViewLevel level);
  virtual void ResetCachedWidths();
  virtual void Changed() {}

  // Where the painter last drew the control's glyph (or check mark), in bar-control coordinates.
  const RECT& ImageBounds() const { return FImageBounds; }
  void SetImageBounds(const RECT& bounds) { FImageBounds = bounds; }

private:
  static constexpr int CachedLevels = 4;
  TdxBarItemControl* FControl;
  uint8_t FAllowedViewLevels = 0;  // bits of TdxBarItemViewLevel
  TdxBarItemViewLevel FMostCompactViewLevel;
  TdxBarItemViewLevel FViewLevel;
  TdxBarItemViewLevel FButtonGroupViewLevel;
  int FRealButtonGroupPosition = 0;
  RECT FBounds{};
  RECT FImageBounds{};
  int FCachedWidths[CachedLevels]{};
  bool FCachedWidthValid[CachedLevels]{};

  // --- Toolbar layout ---
public:
  // The marks the toolbar layout writes: the control begins a line (set by wrapping for a length)
  // and ends a line (set by the line layout).
  bool BeginsLine() const { return FBeginsLine; }
  void SetBeginsLine(bool value) { FBeginsLine = value; }
  bool EndsLine() const { return FEndsLine; }
  void SetEndsLine(bool value) { FEndsLine = value; }

private:
  bool FBeginsLine = false;
  bool FEndsLine = false;
};
using TdxBarItemControlViewInfoClass = TClassRef<TdxBarItemControlViewInfo>;

// A group separator: kind 0 lies horizontally (between rows or menu items), kind 1 vertically
// (between the items of a row). Bounds in the bar control's client coordinates.
struct TdxBarSeparatorInfo {
  TdxBarItemControl* ItemControl = nullptr;
  RECT Bounds{};
  uint8_t Kind = 0;
};

class TCustomdxBarControlViewInfo : public TObject {
  CL_CLASS(TCustomdxBarControlViewInfo, TObject)
public:
  struct TMeta : TMetaClassOf<TCustomdxBarControlViewInfo, TCustomdxBarControl*> {};
  explicit TCustomdxBarControlViewInfo(TCustomdxBarControl* barControl) : FBarControl(barControl) {}

  TCustomdxBarControl* BarControl() const { return FBarControl; }
  // Empties the list and the separators.
  virtual void Clear();
  // The base only clears; descendants then add their item controls and separators.
  virtual void Calculate() { Clear(); }

  void AppendItemControlViewInfo(TdxBarItemControlViewInfo* viewInfo) { FItemControlViewInfos.push_back(viewInfo); }
  // Removes its first occurrence.
  void DropItemControlViewInfo(TdxBarItemControlViewInfo* viewInfo);
  int GetItemControlViewInfoCount() const { return static_cast<int>(FItemControlViewInfos.size()); }
  TdxBarItemControlViewInfo* ItemControlViewInfoAt(int index) const { return FItemControlViewInfos.at(index); }
  // -1 when the control's view info is not in the list.
  int IndexOfItemControl(const TdxBarItemControl* control) const;
  // The control is shown.
  bool ContainsItemControl(const TdxBarItemControl* control) const { return IndexOfItemControl(control) >= 0; }

  void AppendSeparator(const RECT& bounds, uint8_t kind, TdxBarItemControl* control);
  void ClearSeparators() { FSeparators.clear(); }
  int CountSeparators() const { return static_cast<int>(FSeparators.size()); }
  const TdxBarSeparatorInfo& ReadSeparator(int index) const { return FSeparators.at(index); }
  // The first separator of the control.
  bool FindSeparatorOfItemControl(const TdxBarItemControl* control, int& index) const;

private:
  TCustomdxBarControl* FBarControl;
  std::vector<TdxBarItemControlViewInfo*> FItemControlViewInfos;  // not owned
  std::vector<TdxBarSeparatorInfo> FSeparators;
};
using TCustomdxBarControlViewInfoClass = TClassRef<TCustomdxBarControlViewInfo>;


class TdxBarItemLink;

// The view info of a toolbar: its placed item controls in link order, and a separator for every
// placed link that begins a group (between the items of a line, or between lines).
class TdxBarControlViewInfo : public TCustomdxBarControlViewInfo {
  CL_CLASS(TdxBarControlViewInfo, TCustomdxBarControlViewInfo)
public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  // Lays the bar control out, then collects its placed item controls and their separators.
  void Calculate() override;
  virtual bool IsCalculated() const { return false; }
  virtual bool CanAddSeparators() const { return true; }
  // Never for toolbars: every placed item control is collected.
  virtual bool EndsAtItemControl(TdxBarItemControlViewInfo* viewInfo) const { (void)viewInfo; return false; }
  void AddLinkSeparator(TdxBarItemLink* link, TdxBarItemControlViewInfo* viewInfo);
  // The separator of a link that begins a group, placed by where the item sits in its line.
  virtual void AddSeparatorRects(TdxBarItemLink* link, const RECT& itemBounds);
};
