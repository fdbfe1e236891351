#pragma once
// Registers the word-processor stand-in (tests/equipment) in the test prefix
// for the lifetime of the object, and steers it through its environment variables.
#include <string>
#include "classlib/Win.h"

class TWordStandIn {
public:
  TWordStandIn();   // loads and registers the stand-in; fails the test when it cannot
  ~TWordStandIn();  // unregisters it and clears the steering
  // The calls the stand-in received since the last ClearLog, one per line.
  std::string Log() const;
  void ClearLog() const;
  // Makes the named call fail ("GoTo", "GoTo#2", "Create"; "" for none).
  void FailAt(const std::string& call) const;
  static bool Available();

private:
  HMODULE FModule = nullptr;
  std::string FLogPath;
};
