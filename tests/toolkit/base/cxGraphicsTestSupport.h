#pragma once
// Test equipment of the drawing-base tests: the DIB surface with a class-library canvas over it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include "classlib/Canvas.h"
#include "classlib/Events.h"
#include "classlib/Object.h"
#include "classlib/Win.h"
#include "tests/support/DibSurface.h"

inline std::ostream& operator<<(std::ostream& os, const RECT& r)
{
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline bool operator==(const RECT& a, const RECT& b)
{
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string ColorText(COLORREF c)
{
  char s[16];
  std::snprintf(s, sizeof s, "%06lX", static_cast<unsigned long>(c & 0xFFFFFF));
  return s;
}

// The DIB surface with a class-library canvas over its device context.
class TTestSurface : public TDibSurface {
public:
  TTestSurface(int width, int height, COLORREF fill = RGB(255, 255, 255)) : TDibSurface(width, height, fill)
  {
    FCanvas.SetHandle(DC());
  }
  ~TTestSurface() { FCanvas.SetHandle(nullptr); }

  TCanvas* Canvas() { return &FCanvas; }

private:
  TOwned<TCanvas> FOwnedCanvas = MakeOwned<TCanvas>();
  TCanvas& FCanvas = *FOwnedCanvas;
};

// Counts the notifications it is given.
class TChangeCounter : public TObject {
public:
  int Count = 0;
  void Changed(TObject*) { ++Count; }
  TNotifyEvent Event() { return TNotifyEvent(this, &TChangeCounter::Changed); }
};
