// Must not compile: a subclass's metaclass that does not derive from its parent's.
#include "classlib/ClassRef.h"

class TProbeBase : public TObject {
  CL_CLASS(TProbeBase, TObject)
public:
  struct TMeta : TMetaClassOf<TProbeBase> {
    virtual int Size() const { return 1; }
  };
};

class TProbe : public TProbeBase {
  CL_CLASS(TProbe, TProbeBase)
public:
  struct TMeta : TMetaClassOf<TProbeBase> {};
};

CL_DEFINE_CLASS(TProbe);
