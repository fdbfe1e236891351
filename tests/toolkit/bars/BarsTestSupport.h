#pragma once
// Forms, panels and a plain bar item for the bar system's tests.
#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarItem.h"

struct TFormGuard {
  TCustomForm* Form;
  ~TFormGuard() { Free(Form); }
};

// A form of 300 x 200 at (100, 100), owned by the application, without a window yet.
TForm* NewForm();
TPanel* NewPanel(TWinControl* parent, int left = 10, int top = 10);

class TFont;
// Checks that the font is the menu font the system's non-client metrics give (face and height).
void ExpectSystemMenuFont(TFont* font);

// A bar item with nothing of its own, for lists and categories; stored forms may name it while a
// TStoredTestItems scope lives.
class TTestBarItem : public TdxBarItem {
  CL_CLASS(TTestBarItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};

// The separator kind of item, which the link model recognises by its class name.
class TTestSeparator : public TdxBarItem {
  CL_CLASS(TTestSeparator, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};

struct TStoredTestItems {
  TStoredTestItems() { RegisterClass(TTestBarItem::StaticClass()); }
  ~TStoredTestItems() { UnRegisterClass(TTestBarItem::StaticClass()); }
};
