#include "classlib/Printers.h"

#include <winspool.h>
#include <utility>
#include <vector>

namespace {
TPrinterICFunc GPrinterIC = CreateSystemPrinterIC;
}  // namespace

HDC CreateSystemPrinterIC()
{
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return nullptr;
  std::vector<char> name(size);
  if (!GetDefaultPrinterA(name.data(), &size)) return nullptr;
  return CreateICA(nullptr, name.data(), nullptr, nullptr);
}

TPrinterICFunc SetPrinterICFunc(TPrinterICFunc func)
{
  return std::exchange(GPrinterIC, func ? func : CreateSystemPrinterIC);
}

TDCHandle CreateDefaultPrinterIC()
{
  try {
    return TDCHandle(GPrinterIC());
  } catch (...) {
    // Whatever went wrong on the way to the printer, the screen will do.
    return TDCHandle();
  }
}
