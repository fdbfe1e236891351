#include "classlib/ObjectWindows.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

LRESULT CALLBACK ObjectWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The window's own object sits in the last slot of its extra bytes, which the class library's window
// classes add after the ones the control class asks for. A window property would do the same, but
// the system looks properties up in another process, and every message would pay for that trip.
int ObjectSlot(HWND wnd)
{
  return static_cast<int>(GetClassLongA(wnd, GCL_CBWNDEXTRA)) - static_cast<int>(sizeof(LONG_PTR));
}

// The slot's mark of a held window: its object let go of it, and it waits, unclaimed by any window
// under creation, until an object takes it back (or it is destroyed).
char GHeldMark;
TWindowObject* const Held = reinterpret_cast<TWindowObject*>(&GHeldMark);

// A class without the slot would make the index negative, where other window data lives (the window
// procedure among it): such a window has no object.
TWindowObject* SlotOf(HWND wnd)
{
  int slot = ObjectSlot(wnd);
  return slot < 0 ? nullptr : reinterpret_cast<TWindowObject*>(GetWindowLongPtrA(wnd, slot));
}

TWindowObject* ObjectOf(HWND wnd)
{
  TWindowObject* obj = SlotOf(wnd);
  return obj == Held ? nullptr : obj;
}

void SetObjectOf(HWND wnd, TWindowObject* obj)
{
  if (int slot = ObjectSlot(wnd); slot >= 0) SetWindowLongPtrA(wnd, slot, reinterpret_cast<LONG_PTR>(obj));
}

bool IsObjectWindow(HWND wnd)
{
  return reinterpret_cast<WNDPROC>(GetClassLongPtrA(wnd, GCLP_WNDPROC)) == ObjectWndProc &&
         ObjectSlot(wnd) >= 0;
}

// The object whose window is being created on this thread: it takes the window's first message.
thread_local TWindowObject* GCreating = nullptr;

std::mutex GClassesLock;
std::map<ATOM, WNDPROC>& DefaultProcs()
{
  static std::map<ATOM, WNDPROC> procs;
  return procs;
}

WNDPROC DefaultProcOf(HWND wnd)
{
  ATOM atom = static_cast<ATOM>(GetClassLongPtrA(wnd, GCW_ATOM));
  std::lock_guard lock(GClassesLock);
  auto it = DefaultProcs().find(atom);
  return it == DefaultProcs().end() ? DefWindowProcA : it->second;
}

LRESULT CALLBACK ObjectWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* obj = SlotOf(wnd);
  if (obj == Held) return CallWindowProcA(DefaultProcOf(wnd), wnd, msg, wParam, lParam);
  if (!obj && GCreating) {
    obj = GCreating;
    GCreating = nullptr;
    SetObjectOf(wnd, obj);
    GuardCallback([&] { obj->WindowAttached(wnd); });
  }
  if (!obj) return CallWindowProcA(DefaultProcOf(wnd), wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  // The object stays whole until the message is handled, even when the message frees it; once the
  // call ends, a freed object is gone and is not touched again.
  TObjectCall call(obj->WindowOwner());
  GuardCallback([&] { obj->WindowMessage(m); });
  if (msg == WM_NCDESTROY) {
    SetObjectOf(wnd, nullptr);
    GuardCallback([&] { obj->WindowDetached(); });
  }
  return m.Result;
}

// What a utility window routes to: the method, the object it belongs to, and how many of the
// window's messages are being handled (the window may be destroyed inside one of them).
struct TUtilWindow {
  TWndMethod Method;
  TObject* Owner;
  int Depth = 0;
  bool Destroyed = false;
};

LRESULT CALLBACK UtilWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  // The method takes over once the window exists; its creation messages go to the default procedure.
  auto* util = reinterpret_cast<TUtilWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!util) return DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  ++util->Depth;
  {
    // The owner keeps its memory while its message runs, even when the message frees it; and the
    // method stays until the outermost message of the window has been handled.
    TObjectCall call(util->Owner);
    GuardCallback([&] { util->Method(m); });
  }
  --util->Depth;
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    util->Destroyed = true;
  }
  if (util->Destroyed && util->Depth == 0) delete util;
  return m.Result;
}

constexpr const char* UtilWindowClass = "TPUtilWindow";

}  // namespace

HWND AllocateHWnd(TWndMethod method, TObject* owner)
{
  static const ATOM registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = UtilWndProc;
    cls.hInstance = Instance();
    cls.lpszClassName = UtilWindowClass;
    return RegisterClassA(&cls);
  }();
  if (!registered) RaiseLastOSError();
  auto owned = std::make_unique<TUtilWindow>(TUtilWindow{std::move(method), owner});
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, UtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             Instance(), nullptr);
  if (!wnd) RaiseLastOSError();
  SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owned.release()));  // freed by the window
  return wnd;
}

void DeallocateHWnd(HWND wnd)
{
  if (wnd) DestroyWindow(wnd);
}

void RegisterObjectWindowClass(const WNDCLASSA& cls)
{
  WNDCLASSA existing;
  if (GetClassInfoA(cls.hInstance, cls.lpszClassName, &existing) && existing.lpfnWndProc == ObjectWndProc)
    return;
  WNDCLASSA ours = cls;
  ours.lpfnWndProc = ObjectWndProc;
  ours.cbWndExtra = std::max(cls.cbWndExtra, 0) + static_cast<int>(sizeof(LONG_PTR));  // the object's slot
  ATOM atom = RegisterClassA(&ours);
  if (!atom) RaiseLastOSError();
  std::lock_guard lock(GClassesLock);
  DefaultProcs()[atom] = cls.lpfnWndProc ? cls.lpfnWndProc : DefWindowProcA;
}

HWND CreateObjectWindow(TWindowObject* obj, DWORD exStyle, const char* className, const char* caption,
                        DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                        void* param)
{
  TWindowObject* previous = GCreating;
  GCreating = obj;
  HWND wnd = CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent, menu,
                             Instance(), param);
  DWORD error = GetLastError();
  // A window that failed before its first message leaves the object unclaimed.
  GCreating = previous;
  if (!wnd) RaiseLastOSError(error);
  return wnd;
}

TWindowObject* FindWindowObject(HWND wnd)
{
  return wnd && IsObjectWindow(wnd) ? ObjectOf(wnd) : nullptr;
}

void DetachWindowObject(HWND wnd)
{
  if (wnd && IsObjectWindow(wnd)) SetObjectOf(wnd, nullptr);
}

void ReleaseWindowObject(HWND wnd)
{
  if (wnd && IsObjectWindow(wnd)) SetObjectOf(wnd, Held);
}

void AttachWindowObject(HWND wnd, TWindowObject* obj)
{
  if (!obj || !wnd || !IsWindow(wnd) || !IsObjectWindow(wnd) || SlotOf(wnd) != Held)
    throw EInvalidOperation("The window is not held: only a window its object let go of can be taken back");
  SetObjectOf(wnd, obj);
  obj->WindowAttached(wnd);
}
