// Must not compile: a class names its grandparent, skipping the class it derives from.
#include "classlib/Collection.h"

class TProbeBase : public TComponent {
  CL_CLASS(TProbeBase, TComponent)
};
class TProbe : public TProbeBase {
  CL_CLASS(TProbe, TComponent)
};
