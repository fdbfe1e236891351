// Must not compile: a class names a parent it does not derive from.
#include "classlib/Component.h"

class TProbe : public TPersistent {
  CL_CLASS(TProbe, TComponent)
};
