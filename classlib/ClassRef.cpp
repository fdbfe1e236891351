#include "classlib/ClassRef.h"

namespace classref_detail {
void RaiseEmpty() { throw EInvalidOperation("The class reference is empty"); }

void RaiseAbstract(TClass c)
{
  throw EInvalidOperation(std::string("Cannot create an instance of the abstract class ") + c->Name);
}

void RaiseNoFactory(TClass c)
{
  throw EInvalidOperation(std::string("The class ") + c->Name + " has no constructor for these arguments");
}

void CheckInherits(TClass c, TClass base)
{
  if (c && !c->InheritsFrom(base))
    throw EInvalidCast(std::string("Invalid class typecast: ") + c->Name + " is not a " + base->Name);
}
}  // namespace classref_detail
