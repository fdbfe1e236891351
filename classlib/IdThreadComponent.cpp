#include "classlib/IdThreadComponent.h"

#include "classlib/SyncObjs.h"
#include "classlib/TypInfo.h"

// The worker: calls the component's OnRun until terminated; while stopped in suspend mode it
// waits for the next start.
class TIdThreadComponent::TWorker : public TThread {
  CL_CLASS(TWorker, TThread)
public:
  explicit TWorker(TIdThreadComponent* owner) : TThread(true), FOwner(owner) {}
  TSyncEvent Resumed{false, false};

protected:
  void Execute() override
  {
    while (!Terminated()) {
      if (FOwner->FStopped) {
        Resumed.WaitFor(INFINITE);
        continue;
      }
      FOwner->RunOnce();
    }
  }
  void TerminatedSet() override { Resumed.SetEvent(); }

private:
  TIdThreadComponent* FOwner;
};

namespace {
using TC = TIdThreadComponent;
constexpr std::string_view PriorityNames[] = {"tpIdle", "tpLowest", "tpLower", "tpNormal",
                                              "tpHigher", "tpHighest", "tpTimeCritical"};
constexpr TEnumInfo PriorityInfo = EnumInfo<TThreadPriority::tpTimeCritical>("TThreadPriority", PriorityNames);
constexpr std::string_view StopModeNames[] = {"smTerminate", "smSuspend"};
constexpr TEnumInfo StopModeInfo = EnumInfo<TIdThreadStopMode::smSuspend>("TIdThreadStopMode", StopModeNames);
constexpr TPropInfo Props[] = {
  BoolProp<&TC::Active, &TC::SetActive>("Active", false),
  BoolProp<&TC::Loop, &TC::SetLoop>("Loop", false),
  EnumProp<&TC::Priority, &TC::SetPriority>("Priority", PriorityInfo, int(TThreadPriority::tpNormal)),
  EnumProp<&TC::StopMode, &TC::SetStopMode>("StopMode", StopModeInfo, int(TIdThreadStopMode::smTerminate)),
  EventProp<&TC::OnRun, &TC::SetOnRun>("OnRun"),
  EventProp<&TC::OnException, &TC::SetOnException>("OnException"),
};
}  // namespace

CL_DEFINE_CLASS_NAMED(TIdThreadComponent::TWorker, "TIdThreadComponentWorker");
CL_DEFINE_CLASS(TIdThreadComponent, .Props = Props);

TIdThreadComponent::TIdThreadComponent(TComponent* owner) : TComponent(owner) {}

void TIdThreadComponent::BeforeDestruction()
{
  TerminateAndWaitFor();
  TComponent::BeforeDestruction();
}

void TIdThreadComponent::Loaded()
{
  TComponent::Loaded();
  if (FActiveOnLoad) Start();
}

TThread* TIdThreadComponent::Thread() const { return FWorker; }

bool TIdThreadComponent::Active() const { return FWorker && !FWorker->Finished() && !FStopped; }

void TIdThreadComponent::SetActive(bool value)
{
  if (IsLoading()) {
    FActiveOnLoad = value;
    return;
  }
  if (value)
    Start();
  else
    Stop();
}

void TIdThreadComponent::SetPriority(TThreadPriority value)
{
  FPriority = value;
  if (FWorker && !FWorker->Finished()) FWorker->SetPriority(value);
}

void TIdThreadComponent::Start()
{
  if (IsDesigning()) return;
  if (FWorker && (FWorker->Terminated() || FWorker->Finished())) FreeWorker();  // a new thread per start
  FStopped = false;
  if (FWorker) {
    FWorker->Resumed.SetEvent();  // stopped in suspend mode: go on
    return;
  }
  FWorker = New<TWorker>(this);
  FWorker->SetPriority(FPriority);
  FWorker->Start();
}

void TIdThreadComponent::Stop()
{
  FStopped = true;
  if (FWorker && FStopMode == TIdThreadStopMode::smTerminate) FWorker->Terminate();
}

void TIdThreadComponent::TerminateAndWaitFor()
{
  FStopped = true;
  FreeWorker();
}

void TIdThreadComponent::FreeWorker()
{
  if (!FWorker) return;
  TWorker* worker = FWorker;
  FWorker = nullptr;
  worker->Terminate();
  if (worker->Started()) worker->WaitFor();
  Free(worker);
}

void TIdThreadComponent::RunOnce()
{
  try {
    if (FOnRun)
      FOnRun(this);
    else
      Stop();  // nothing to run: do not spin
  } catch (...) {
    std::exception_ptr error = std::current_exception();
    Stop();
    if (FOnException) {
      GuardCallback([&] { FOnException(this, error); });
    } else {
      TThread::Queue(nullptr, [error] { HandleException(error); });
    }
  }
}
