#pragma once
// TUpDown: the system's up-down (spin) buttons, optionally bound to an edit whose text shows the
// position.
#include "classlib/Controls.h"

enum class TUDBtnType { btNext, btPrev };
using enum TUDBtnType;
using TUDChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;
using TUDClickEvent = TEvent<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
  CL_CLASS(TUpDown, TWinControl)
public:
  explicit TUpDown(TComponent* owner);

  // The edit the buttons step; it shows the position as its text.
  TWinControl* Associate() const { return FAssociate; }
  void SetAssociate(TWinControl* value);
  int Min() const { return FMin; }
  void SetMin(int value);
  int Max() const { return FMax; }
  void SetMax(int value);
  int Position() const;
  void SetPosition(int value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int value);

  // Before a step: the handler may refuse it.
  TUDChangingEvent OnChanging() const { return FOnChanging; }
  void SetOnChanging(TUDChangingEvent e) { FOnChanging = e; }
  // After a step, with the button that made it.
  TUDClickEvent OnClick() const { return FOnClick; }
  void SetOnClick(TUDClickEvent e) { FOnClick = e; }

  void Notification(TComponent* component, TOperation operation) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual bool CanChange();
  using TWinControl::Click;
  virtual void Click(TUDBtnType button);

private:
  void UpdateRange();
  void UpdateAccel();
  void CNNotify(TMessage& msg);
  void CNScroll(TMessage& msg);

  TWinControl* FAssociate = nullptr;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FIncrement = 1;
  // The position the last step started from, to tell up from down.
  int FLastPosition = 0;
  TUDChangingEvent FOnChanging;
  TUDClickEvent FOnClick;
};
