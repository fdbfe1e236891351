#include "toolkit/base/cxControlsMnemonics.h"

namespace {
template <class Char>
std::basic_string<Char> StripMnemonics(std::basic_string_view<Char> caption, bool keepTrailing)
{
  std::basic_string<Char> result;
  result.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != Char('&')) {
      result += caption[i];
    } else if (i + 1 < caption.size()) {
      result += caption[++i];  // "&&" gives "&", "&x" gives "x"
    } else if (keepTrailing) {
      result += Char('_');
    }
  }
  return result;
}
}  // namespace

std::string RemoveMnemonics(std::string_view caption, bool keepTrailing)
{
  return StripMnemonics(caption, keepTrailing);
}

std::wstring RemoveMnemonicsW(std::wstring_view caption, bool keepTrailing)
{
  return StripMnemonics(caption, keepTrailing);
}
