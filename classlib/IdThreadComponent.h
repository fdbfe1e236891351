#pragma once
// TIdThreadComponent: a component that runs its OnRun handler on a worker thread of its own.
//
// Start runs OnRun on a thread, creating a new thread when the previous one has ended. OnRun is
// called again each time it returns until the component is stopped (with Loop on, the calls follow
// each other at once; with Loop off as well — one run per start rests on the handler stopping the
// component). Stop with StopMode smTerminate ends the thread once the running OnRun returns; with
// smSuspend the thread waits until the next Start. An exception that leaves OnRun goes to
// OnException on the worker when set, else to the application's handler on the GUI thread, and
// stops the component.
#include <exception>
#include "classlib/Component.h"
#include "classlib/Thread.h"

class TIdThreadComponent;
enum class TIdThreadStopMode { smTerminate, smSuspend };
using TIdNotifyThreadComponentEvent = TEvent<void(TIdThreadComponent* Sender)>;
using TIdExceptionThreadComponentEvent = TEvent<void(TIdThreadComponent* Sender, std::exception_ptr Error)>;

class TIdThreadComponent : public TComponent {
  CL_CLASS(TIdThreadComponent, TComponent)
public:
  explicit TIdThreadComponent(TComponent* owner);
  void BeforeDestruction() override;
  void Loaded() override;

  void Start();
  void Stop();
  // Stops and waits until the thread has ended (serving synchronized calls meanwhile).
  void TerminateAndWaitFor();

  bool Active() const;
  void SetActive(bool value);
  bool Loop() const { return FLoop; }
  void SetLoop(bool value) { FLoop = value; }
  TThreadPriority Priority() const { return FPriority; }
  void SetPriority(TThreadPriority value);
  TIdThreadStopMode StopMode() const { return FStopMode; }
  void SetStopMode(TIdThreadStopMode value) { FStopMode = value; }
  bool Stopped() const { return FStopped; }
  // The worker thread of the current start (nullptr before the first start).
  TThread* Thread() const;

  const TIdNotifyThreadComponentEvent& OnRun() const { return FOnRun; }
  void SetOnRun(const TIdNotifyThreadComponentEvent& value) { FOnRun = value; }
  const TIdExceptionThreadComponentEvent& OnException() const { return FOnException; }
  void SetOnException(const TIdExceptionThreadComponentEvent& value) { FOnException = value; }

private:
  class TWorker;
  friend class TWorker;
  void RunOnce();
  void FreeWorker();

  TWorker* FWorker = nullptr;
  bool FLoop = false;
  bool FActiveOnLoad = false;
  std::atomic<bool> FStopped{true};
  TThreadPriority FPriority = TThreadPriority::tpNormal;
  TIdThreadStopMode FStopMode = TIdThreadStopMode::smTerminate;
  TIdNotifyThreadComponentEvent FOnRun;
  TIdExceptionThreadComponentEvent FOnException;
};
