#include "classlib/Persistent.h"

CL_DEFINE_CLASS(TFiler);
CL_DEFINE_CLASS(TPersistent);

void TPersistent::Assign(TPersistent* source)
{
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const
{
  std::string from = source ? source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() const
{
  std::string result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    std::string s = owner->GetNamePath();
    if (!s.empty()) result = s + "." + result;
  }
  return result;
}
