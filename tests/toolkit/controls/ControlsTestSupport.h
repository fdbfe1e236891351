#pragma once
// Helpers of the control framework's tests: a control that records the messages it receives, and
// forms freed at the end of a scope. The tests pump messages without the application's idle work,
// so that what a test sees comes from the code under test.
#include <functional>
#include <vector>
#include "classlib/Forms.h"
#include "tests/support/MessagePump.h"

namespace controls_test {


// A windowed control that records every message of the watched numbers (all application and
// component messages by default) as it reaches WndProc.
class TRecordingControl : public TCustomControl {
  CL_CLASS(TRecordingControl, TCustomControl)
public:
  explicit TRecordingControl(TComponent* owner);
  std::vector<TMessage> Seen;
  int Count(UINT msg) const;
  void WndProc(TMessage& msg) override;
};

// An empty form owned by the application, of the given client size, with a recording control
// filling it when asked.
TForm* NewForm(int clientWidth = 200, int clientHeight = 150);

struct TFormGuard {
  TCustomForm* Form;
  ~TFormGuard() { Free(Form); }
};

// The root of a stored form in the tests: it stores the components it owns that have no parent
// of their own as its children, the way a form stores its non-visual components.
class TComponentHolder : public TComponent {
  CL_CLASS(TComponentHolder, TComponent)
public:
  explicit TComponentHolder(TComponent* owner) : TComponent(owner) {}
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
};

}  // namespace controls_test
