// Must not compile: a class-library object owned by a std::unique_ptr without the class library's
// deleter.
#include <memory>
#include "classlib/Strings.h"

void Probe() { std::unique_ptr<TStringList> list(New<TStringList>()); }
