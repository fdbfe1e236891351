#pragma once
// The drag of an item link (or of an item from the commands list) while bars
// are customized: a modal loop that owns the mouse capture, shows where the
// link would go with an inverted mark and the cursor of the state, and on
// release moves, copies, removes or regroups the link.
#include "classlib/Controls.h"
#include "classlib/Object.h"
#include <windows.h>

class TdxBarManager;
class TdxBarItem;
class TdxBarItemLink;
class TCustomdxBarControl;
class TcxObjectLink;

enum class TdxBarDragState : uint8_t {
  bdsNone,
  bdsNoDrop,
  bdsOwnPlace,
  bdsCategory,
  bdsCopy,
  bdsMove
};

class TdxBarDragInfo : public TObject {
  CL_CLASS(TdxBarDragInfo, TObject)
public:
  explicit TdxBarDragInfo(TdxBarManager *manager);
  ~TdxBarDragInfo() override;

  // Called in this order by the manager's DragItem.
  void PrepareDrag(TdxBarItem *item, TdxBarItemLink *link);
  void RunDragLoop();
  void EndDrag();

  TdxBarDragState State() const { return FState; }
  void SetState(TdxBarDragState value);
  TdxBarItem *SourceItem() const { return FSourceItem.Get(); }
  TdxBarItemLink *SourceLink() const;
  TCustomdxBarControl *HoverControl() const;
  TdxBarItemLink *HoverLink() const;
  bool HoverFirstHalf() const { return FHoverFirstHalf; }
  bool HoverOnSeparator() const { return FHoverOnSeparator; }
  bool MarkShown() const { return FMarkShown; }
  const RECT &MarkRect() const { return FMarkRect; }
  bool MarkAtStart() const { return FMarkAtStart; }
  bool MarkVertical() const { return FMarkVertical; }
  HWND CaptureWindow() const { return FCaptureWindow; }
  // The window of a sub-menu closed while it held the dragged link: kept hidden
  // until EndDrag.
  HWND OrphanWindow() const { return FOrphanWindow; }
  void SetOrphanWindow(HWND wnd) { FOrphanWindow = wnd; }

  // Whether a drop is possible at the hover target, and whether it would leave
  // the dragged link where it is.
  bool CanDropHere() const;
  bool IsDropWithoutEffect() const;
  bool IsCopyDrag() const;

  // One hover step for the cursor position (the loop runs it for every mouse
  // move).
  void HoverStep();

  // The inverted mark against the rectangle: a two-pixel bar with short cross
  // bars at both ends. Drawn twice it leaves the pixels as they were.
  static void DrawMark(HDC dc, const RECT &rect, bool vertical, bool atStart);

private:
  void UpdateHoverTarget(POINT &p);
  TCustomdxBarControl *ResolveHoverControl(HWND wnd) const;
  void SetHoverLink(TdxBarItemLink *link);
  void SetHoverFlag(bool &flag, bool value);
  void LockRefresh() { ++FRefreshLock; }
  void UnlockRefresh();
  void RefreshFeedback();
  void ShowMark(bool visible);
  void CalcMarkPlace();
  void PaintMark();
  void FinishDrag();
  void DiscardSourceLink();
  void ToggleSourceGroup();
  void DropSource(bool move);

  TdxBarManager *FManager;
  int FRefreshLock = 0;
  bool FPendingRefresh = false;
  HWND FCaptureWindow = nullptr;
  TCursor FSavedCursor = 0;
  bool FMarkAtStart = false;
  RECT FMarkRect{};
  bool FMarkVertical = false;
  TWeakRef<TdxBarItem> FSourceItem;
  TWeakRef<TObject> FSourceLink;
  HWND FOrphanWindow = nullptr;
  TdxBarDragState FState = TdxBarDragState::bdsNone;
  POINT FPressPoint{};
  bool FHoverFirstHalf = false;
  bool FHoverOnSeparator = false;
  bool FHoverVertical = false;
  TWeakRef<TObject> FHoverLink;
  bool FMarkShown = false;
  TcxObjectLink *FHoverControl = nullptr;
  TcxObjectLink *FMarkControl = nullptr;
};
