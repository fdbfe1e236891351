#include "toolkit/controls/cxControlsWndProcInstance.h"

#include <cstdint>
#include <cstring>

namespace {
int GLiveInstances = 0;

// The made procedures live in a heap of executable memory, made once for the process.
HANDLE ExecutableHeap()
{
  static const HANDLE heap = HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
  if (!heap) RaiseLastOSError();
  return heap;
}

// Machine code that calls target with the instance in place of the window handle, the other
// arguments and the return address untouched.
WNDPROC MakeProc(void* instance, void* target)
{
#if defined(__x86_64__) || defined(_M_X64)
  unsigned char code[22] = {0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0,  // mov rcx, instance
                            0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0,  // mov rax, target
                            0xFF, 0xE0};                         // jmp rax
  std::memcpy(code + 2, &instance, 8);
  std::memcpy(code + 12, &target, 8);
#elif defined(__i386__) || defined(_M_IX86)
  // mov dword ptr [esp+4], instance; jmp target (relative to the end of the code)
  unsigned char code[13] = {0xC7, 0x44, 0x24, 0x04, 0, 0, 0, 0, 0xE9, 0, 0, 0, 0};
  std::memcpy(code + 4, &instance, 4);
#else
#error "window procedure instances are made for x86 and x86-64 only"
#endif
  auto* memory = static_cast<unsigned char*>(HeapAlloc(ExecutableHeap(), 0, sizeof code));
  if (!memory) throw EOutOfMemory("Out of memory");
#if defined(__i386__) || defined(_M_IX86)
  int32_t relative = static_cast<int32_t>(reinterpret_cast<intptr_t>(target) -
                                          reinterpret_cast<intptr_t>(memory + sizeof code));
  std::memcpy(code + 9, &relative, 4);
#endif
  std::memcpy(memory, code, sizeof code);
  FlushInstructionCache(GetCurrentProcess(), memory, sizeof code);
  return reinterpret_cast<WNDPROC>(memory);
}
}  // namespace

TcxWndProcInstance::TcxWndProcInstance(HWND wnd, TWndMethod method) : FWindow(wnd), FMethod(std::move(method))
{
  FProc = MakeProc(this, reinterpret_cast<void*>(&InstanceProc));
  ++GLiveInstances;
}

TcxWndProcInstance::~TcxWndProcInstance()
{
  HeapFree(ExecutableHeap(), 0, reinterpret_cast<void*>(FProc));
  --GLiveInstances;
}

int TcxWndProcInstance::LiveCount() { return GLiveInstances; }

TcxWndProcInstance* TcxWndProcInstance::Subclass(HWND wnd, TWndMethod method)
{
  if (!wnd || !IsWindow(wnd) || GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId())
    throw EInvalidOperation("A window procedure can be added only to a window of this thread");
  auto* instance = new TcxWndProcInstance(wnd, std::move(method));
  SetLastError(0);
  LONG_PTR previous = SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance->FProc));
  DWORD error = GetLastError();
  if (!previous && error) {
    delete instance;
    RaiseLastOSError(error);
  }
  instance->FPrevious = reinterpret_cast<WNDPROC>(previous);
  return instance;
}

LRESULT CALLBACK TcxWndProcInstance::InstanceProc(HWND self, UINT message, WPARAM wParam, LPARAM lParam)
{
  return reinterpret_cast<TcxWndProcInstance*>(self)->Call(message, wParam, lParam);
}

void TcxWndProcInstance::CallPrevious(TMessage& message) const
{
  message.Result = FPrevious
                       ? CallWindowProcA(FPrevious, FWindow, message.Msg, message.WParam, message.LParam)
                       : DefWindowProcA(FWindow, message.Msg, message.WParam, message.LParam);
}

LRESULT TcxWndProcInstance::Call(UINT message, WPARAM wParam, LPARAM lParam)
{
  ++FCalls;
  TMessage m{message, wParam, lParam, 0};
  if (FReleased) {
    // Only passing on: the party that subclassed the window later still calls this procedure.
    CallPrevious(m);
    if (message == WM_NCDESTROY) {
      FWindowDestroyed = true;
      FFreePending = true;
    } else if (TryRestore()) {
      FFreePending = true;
    }
  } else {
    GuardCallback([&] { FMethod(m); });
    if (message == WM_NCDESTROY) FWindowDestroyed = true;
  }
  // The method may have released the instance: nothing is touched after it is freed.
  if (--FCalls == 0 && FFreePending) delete this;
  return m.Result;
}

bool TcxWndProcInstance::TryRestore()
{
  if (GetWindowLongPtrA(FWindow, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(FProc)) return false;
  SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevious));
  return true;
}

void TcxWndProcInstance::Release()
{
  if (FReleased) return;
  FReleased = true;
  if (FWindowDestroyed || !IsWindow(FWindow) || TryRestore()) FFreePending = true;
  if (FFreePending && FCalls == 0) delete this;
}
