// The route by which inner controls hand their traffic to their container.
#include "toolkit/controls/cxContainer.h"

namespace {

POINT InContainer(TControl* Inner, int X, int Y) { return Inner ? POINT{X + Inner->Left(), Y + Inner->Top()} : POINT{X, Y}; }

bool CanHear(TcxContainer* Container) { return Container && !Container->IsDestroying(); }

}  // namespace

void _TcxContainerAccess::Click(TcxContainer* Container) { Container->Click(); }

void _TcxContainerAccess::DblClick(TcxContainer* Container) { Container->DblClick(); }

void _TcxContainerAccess::KeyDown(TcxContainer* Container, WORD& Key, TShiftState Shift) { Container->KeyDown(Key, Shift); }

void _TcxContainerAccess::KeyPress(TcxContainer* Container, char& Key) { Container->KeyPress(Key); }

void _TcxContainerAccess::KeyUp(TcxContainer* Container, WORD& Key, TShiftState Shift) { Container->KeyUp(Key, Shift); }

void _TcxContainerAccess::MouseDown(TcxContainer* Container, TControl* Inner, TMouseButton Button, TShiftState Shift,
                                    int X, int Y)
{
  const POINT p = InContainer(Inner, X, Y);
  const TWeakRef<TcxContainer> container(Container);
  Container->SetInnerControlMouseDown(true);
  try {
    Container->MouseDown(Button, Shift, p.x, p.y);
  } catch (...) {
    if (container) container->SetInnerControlMouseDown(false);
    throw;
  }
  if (container) container->SetInnerControlMouseDown(false);
}

void _TcxContainerAccess::MouseMove(TcxContainer* Container, TControl* Inner, TShiftState Shift, int X, int Y)
{
  const POINT p = InContainer(Inner, X, Y);
  Container->MouseMove(Shift, p.x, p.y);
}

void _TcxContainerAccess::MouseUp(TcxContainer* Container, TControl* Inner, TMouseButton Button, TShiftState Shift,
                                  int X, int Y)
{
  const POINT p = InContainer(Inner, X, Y);
  Container->MouseUp(Button, Shift, p.x, p.y);
}

bool _TcxContainerAccess::MouseWheel(TcxContainer* Container, TShiftState Shift, int WheelDelta, POINT MousePos)
{
  return Container->DoMouseWheel(Shift, WheelDelta, MousePos);
}

void _TcxContainerAccess::DragOver(TcxContainer* Container, TControl* Inner, TObject* Source, int X, int Y,
                                   TDragState State, bool& Accept)
{
  const POINT p = InContainer(Inner, X, Y);
  Container->DragOver(Source, p.x, p.y, State, Accept);
}

void _TcxContainerAccess::DragDrop(TcxContainer* Container, TControl* Inner, TObject* Source, int X, int Y)
{
  const POINT p = InContainer(Inner, X, Y);
  Container->DragDrop(Source, p.x, p.y);
}

void _TcxContainerAccess::BeginAutoDrag(TcxContainer* Container) { Container->BeginDrag(false, -1); }

void _TcxContainerAccess::FocusReceived(TcxContainer* Container, HWND Previous)
{
  if (!CanHear(Container)) return;
  if (Container->HandleAllocated() && Previous == Container->Handle()) return;
  Container->FocusChanged();
}

void _TcxContainerAccess::FocusLost(TcxContainer* Container)
{
  if (CanHear(Container)) Container->FocusChanged();
}
