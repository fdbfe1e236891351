#include "classlib/SyncObjs.h"

#include "classlib/Exceptions.h"

TSyncEvent::TSyncEvent(bool manualReset, bool initialState)
    : FHandle(CreateEventA(nullptr, manualReset, initialState, nullptr))
{
  if (!FHandle) RaiseLastOSError();
}

TSyncEvent::~TSyncEvent() { CloseHandle(FHandle); }

void TSyncEvent::SetEvent()
{
  if (!::SetEvent(FHandle)) RaiseLastOSError();
}

void TSyncEvent::ResetEvent()
{
  if (!::ResetEvent(FHandle)) RaiseLastOSError();
}

TWaitResult TSyncEvent::WaitFor(DWORD timeout)
{
  switch (WaitForSingleObject(FHandle, timeout)) {
    case WAIT_OBJECT_0: return TWaitResult::wrSignaled;
    case WAIT_TIMEOUT: return TWaitResult::wrTimeout;
    case WAIT_ABANDONED: return TWaitResult::wrAbandoned;
    default: return TWaitResult::wrError;
  }
}
