#include "classlib/WindowSubclass.h"

#include <array>
#include <mutex>
#include <utility>

CL_DEFINE_CLASS(TWindowSubclass);

namespace {
// How many windows may be subclassed at once: each subclass needs a procedure of its own.
constexpr int SlotCount = 256;

std::mutex GSlotsLock;
std::array<TWindowSubclass*, SlotCount> GSlots{};
int GLiveCount = 0;
}  // namespace

template <int Slot>
LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  return TWindowSubclass::Dispatch(Slot, wnd, msg, wParam, lParam);
}

namespace {
template <int... Slots>
constexpr std::array<WNDPROC, SlotCount> MakeProcs(std::integer_sequence<int, Slots...>)
{
  return {&SubclassProc<Slots>...};
}
constexpr std::array<WNDPROC, SlotCount> GProcs = MakeProcs(std::make_integer_sequence<int, SlotCount>());

int TakeSlot(TWindowSubclass* placeholder)
{
  std::lock_guard lock(GSlotsLock);
  for (int i = 0; i < SlotCount; ++i)
    if (!GSlots[i]) {
      GSlots[i] = placeholder;
      return i;
    }
  throw EOutOfResources("Too many windows are subclassed at once");
}

TWindowSubclass* SlotOwner(int slot)
{
  std::lock_guard lock(GSlotsLock);
  return GSlots[slot];
}

// Marks a slot as taken while its subclass is made.
TWindowSubclass* const Reserved = reinterpret_cast<TWindowSubclass*>(alignof(TWindowSubclass));
}  // namespace

TWindowSubclass* TWindowSubclass::Create(HWND wnd, TWndMethod method)
{
  if (!wnd || !IsWindow(wnd) || GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId())
    throw EInvalidOperation("A window procedure can be added only to a window of this thread");
  int slot = TakeSlot(Reserved);
  TWindowSubclass* subclass;
  try {
    subclass = New<TWindowSubclass>(wnd, std::move(method), slot);
  } catch (...) {
    std::lock_guard lock(GSlotsLock);
    GSlots[slot] = nullptr;
    throw;
  }
  SetLastError(0);
  LONG_PTR previous = SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GProcs[slot]));
  DWORD error = GetLastError();
  if (!previous && error) {
    Free(subclass);
    RaiseLastOSError(error);
  }
  subclass->FPrevious = reinterpret_cast<WNDPROC>(previous);
  return subclass;
}

TWindowSubclass::TWindowSubclass(HWND wnd, TWndMethod method, int slot)
    : FWindow(wnd), FMethod(std::move(method)), FSlot(slot)
{
  std::lock_guard lock(GSlotsLock);
  GSlots[FSlot] = this;
  ++GLiveCount;
}

TWindowSubclass::~TWindowSubclass()
{
  std::lock_guard lock(GSlotsLock);
  GSlots[FSlot] = nullptr;
  --GLiveCount;
}

int TWindowSubclass::LiveCount()
{
  std::lock_guard lock(GSlotsLock);
  return GLiveCount;
}

WNDPROC TWindowSubclass::Proc() const { return GProcs[FSlot]; }

void TWindowSubclass::CallPrevious(TMessage& msg) const
{
  msg.Result = FPrevious ? CallWindowProcA(FPrevious, FWindow, msg.Msg, msg.WParam, msg.LParam)
                         : DefWindowProcA(FWindow, msg.Msg, msg.WParam, msg.LParam);
}

LRESULT TWindowSubclass::Dispatch(int slot, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TWindowSubclass* self = SlotOwner(slot);
  if (!self || self == Reserved) return DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  TObjectCall call(self);
  if (self->FReleased) {
    // Only passing on: the party that subclassed the window later still calls this procedure.
    self->CallPrevious(m);
    if (msg == WM_NCDESTROY) {
      self->FWindowDestroyed = true;
      Free(self);
    } else if (self->TryRestore()) {
      Free(self);
    }
    return m.Result;
  }
  GuardCallback([&] { self->FMethod(m); });
  if (msg == WM_NCDESTROY) self->FWindowDestroyed = true;
  return m.Result;
}

bool TWindowSubclass::TryRestore()
{
  if (GetWindowLongPtrA(FWindow, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(Proc())) return false;
  SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevious));
  return true;
}

void TWindowSubclass::Release()
{
  if (FReleased) return;
  FReleased = true;
  if (FWindowDestroyed || !IsWindow(FWindow) || TryRestore()) Free(this);
}
