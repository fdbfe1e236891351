// Must not compile: a class-library object deleted instead of freed.
#include "classlib/Strings.h"

void Probe()
{
  auto* list = New<TStringList>();
  delete list;
}
