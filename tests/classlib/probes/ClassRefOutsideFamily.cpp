// Must not compile: a class reference of one family made from a class known to be outside it.
#include "classlib/ClassRef.h"
#include "classlib/Component.h"
#include "classlib/Strings.h"

void Probe()
{
  TClassRef<TComponent> c = ClassRef<TStringList>();
  (void)c;
}
