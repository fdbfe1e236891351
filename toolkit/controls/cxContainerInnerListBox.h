#pragma once
// TcxCustomInnerListBox: the class library's list box made to live inside a container. It has no
// border of its own, passes its keys, mouse, wheel, focus and context menu to the container,
// paints two scroll bars of the container's look over the system ones (kept in step with them),
// finds items as the user types (auto complete), double-byte characters included, and draws its
// owner-drawn and virtual items through the toolkit's canvas.
#include <string>
#include "classlib/StdCtrls.h"
#include "toolkit/controls/cxContainer.h"

class TcxScrollBar;
class TcxLookAndFeel;
class TcxCanvas;

// The tick count the typed search measures its pauses with; tests replace it.
using TcxInnerListBoxTickCountFunc = DWORD(WINAPI*)();
extern TcxInnerListBoxTickCountFunc cxInnerListBoxTickCount;

class TcxCustomInnerListBox : public TListBox, public IcxContainerInnerControl {
  CL_CLASS(TcxCustomInnerListBox, TListBox)
public:
  explicit TcxCustomInnerListBox(TComponent* owner);
  ~TcxCustomInnerListBox() override;

  // IcxContainerInnerControl.
  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override { return FContainer; }
  TcxContainer* Container() const { return FContainer; }
  void SetContainer(TcxContainer* value) { FContainer = value; }

  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool value) { FAutoComplete = value; }
  DWORD AutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(DWORD value) { FAutoCompleteDelay = value; }
  // What has been typed so far.
  const std::string& SearchText() const { return FSearchText; }
  TcxScrollBar* HScrollBar() const { return FHScrollBar; }
  TcxScrollBar* VScrollBar() const { return FVScrollBar; }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  // The toolkit's canvas over the list's canvas: items are drawn on it.
  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }

  // Places the painted bars over the system bars and gives them the system bars' range, page and
  // position.
  virtual void SyncScrollBars();
  // The corner between the two painted bars, in the list box's window coordinates; empty unless
  // both bars show.
  RECT SizeGripRect() const;
  void Notification(TComponent* component, TOperation operation) override;
  // A drop on the list is a drop on its container.
  void DragDrop(TObject* source, int x, int y) override;

protected:
  virtual void DoAutoComplete(char& key);
  virtual void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changed);
  // The list draws its items itself (no OnDrawItem): it then also draws the focus rectangle.
  virtual bool UsesDefaultDrawing() const;

  void CreateParams(TCreateParams& params) override;
  void Click() override;
  void DblClick() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  void DestroyWindowHandle() override;

private:
  void ScrollHorz(TObject* sender, TScrollCode code, int& pos);
  void ScrollVert(TObject* sender, TScrollCode code, int& pos);
  void SyncScrollBar(TcxScrollBar* bar, LONG objectId, int barKind);
  bool ForwardMouseWheel(TMessage& msg);
  // A press while the list drags automatically: it selects as usual (unless it lies on the
  // selection of a multi-select list) and drags the container, not the list.
  void MouseDownDraggingContainer(TMessage& msg);
  int FindItemStartingWith(const std::string& text);
  LRESULT CallDefault(UINT msg, WPARAM wParam, LPARAM lParam);
  void CNDrawItem(TMessage& msg);

  std::string FSearchText;
  TOwned<TcxCanvas> FcxCanvas;
  TcxScrollBar* FHScrollBar = nullptr;
  bool FRedrawLocked = false;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  bool FAutoComplete = false;
  DWORD FAutoCompleteDelay = 0;
  DWORD FPrevKeyTick = 0;
  bool FScrollBarsCalculating = false;
  int FScrollBarsLock = 0;
  TcxScrollBar* FVScrollBar = nullptr;
  TcxContainer* FContainer = nullptr;
};

