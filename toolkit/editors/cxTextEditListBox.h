#pragma once
// The list box a text editor's lookup items are shown in (unit cxTextEdit): an inner list box of a
// container whose items are placeholders (the list holds as many empty items as the lookup data
// has items and asks GetItemText for every text it draws), drawn by the list itself, measured by
// its font, with the item under the mouse tracked as the selection.
#include <string>
#include "classlib/Events.h"
#include "toolkit/controls/cxContainerInnerListBox.h"

class TcxCustomTextEdit;
class TcxCustomEditListBox;
using TcxCustomEditListBoxClass = TClassRef<TcxCustomEditListBox>;

class TcxCustomEditListBox : public TcxCustomInnerListBox {
  CL_CLASS(TcxCustomEditListBox, TcxCustomInnerListBox)
public:
  explicit TcxCustomEditListBox(TComponent* owner);

  // The editor whose items the list shows (none while the list stands alone).
  TcxCustomTextEdit* Edit() const;
  void SetEdit(TcxCustomTextEdit* edit);
  // The item under the mouse becomes the selection.
  bool TrackMouse() const { return FTrackMouse; }
  void SetTrackMouse(bool value) { FTrackMouse = value; }
  // Fires after every change of the selection by a click, the mouse or ItemIndex.
  TNotifyEvent OnSelectionMoved() const { return FOnSelectionMoved; }
  void SetOnSelectionMoved(TNotifyEvent e) { FOnSelectionMoved = e; }

  // Adds empty items or deletes from the end, in one update, until the list holds count items.
  void SetItemCount(int count);
  // Selects the item, then the painted scroll bars follow and OnSelectionMoved fires.
  void SetItemIndex(int value);
  void RecreateWindow() { RecreateWnd(); }

  // --- Virtual operations ---
  // A descendant's drawing of the item; false leaves it to the list.
  virtual bool DoDrawItem(int index, const RECT& rect, TOwnerDrawState state);
  // The item's text: the placeholder item in the base.
  virtual void GetItemText(int index, std::string& text);
  // Item height and drawing style, for descendants that choose them.
  virtual void ApplyItemSettings() {}
  // The height of the first count items.
  virtual int GetItemsHeight(int count);
  // The text height of the list's font, the same for every item (index -1 asks for the common one).
  virtual int GetItemHeight(int index = -1);
  // The width of the item's text in the list's font.
  virtual int GetItemWidth(int index);

protected:
  // The list draws its own focus rectangle when its editor picks from the list (styles 2 and 3).
  bool UsesDefaultDrawing() const override;
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;
  void MeasureItem(int index, int& height) override;
  void Click() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  // Scrolls by the wheel's line count when nothing else took the wheel.
  bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) override;

private:
  void SelectionMoved();
  void CMShowingChanged(TMessage& msg);

  TWeakRef<TcxCustomTextEdit> FEdit;
  bool FTrackMouse = true;
  TNotifyEvent FOnSelectionMoved;
};
