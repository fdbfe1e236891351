// ReleaseLater: objects freed once the messages waiting now are handled. The objects wait as weak
// references, so one freed meanwhile is simply passed over; one still in a call when its turn comes
// goes when that call ends (see TObjectCall). Objects still waiting when the class library shuts
// down are freed then.
#include <vector>
#include "classlib/ObjectWindows.h"
#include "classlib/Units.h"

TUnit DeferredFreeUnit{"DeferredFree"};

namespace {
constexpr UINT MsgFreeWaiting = WM_APP + 1;

class TDeferredFree : public TObject {
  CL_CLASS(TDeferredFree, TObject)
public:
  TDeferredFree() : FWindow(AllocateHWnd([this](TMessage& msg) { WndProc(msg); }, this)) {}
  ~TDeferredFree() override
  {
    DeallocateHWnd(FWindow);
    FreeWaiting();
  }

  void Add(TObject* obj)
  {
    FWaiting.emplace_back(obj);
    if (!FPosted) FPosted = PostMessageA(FWindow, MsgFreeWaiting, 0, 0) != FALSE;
  }

private:
  void WndProc(TMessage& msg)
  {
    if (msg.Msg != MsgFreeWaiting) {
      msg.Result = DefWindowProcA(FWindow, msg.Msg, msg.WParam, msg.LParam);
      return;
    }
    FPosted = false;
    FreeWaiting();
  }
  // Objects that ask for ReleaseLater while these go wait for the next round.
  void FreeWaiting()
  {
    std::vector<TWeakRef<TObject>> waiting;
    waiting.swap(FWaiting);
    for (const TWeakRef<TObject>& obj : waiting) GuardCallback([&] { Free(obj.Get()); });
  }

  HWND FWindow;
  std::vector<TWeakRef<TObject>> FWaiting;
  bool FPosted = false;
};

TUnitObject<TDeferredFree> GDeferredFree{DeferredFreeUnit};
}  // namespace

CL_DEFINE_CLASS(TDeferredFree);

void ReleaseLater(TObject* obj)
{
  if (!obj || obj->Freeing()) return;
  if (TDeferredFree* queue = GDeferredFree.Get())
    queue->Add(obj);
  else
    Free(obj);  // shutting down: nothing handles messages any more
}
