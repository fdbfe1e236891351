#include "classlib/Encoding.h"

#include <climits>
#include "classlib/Win.h"

std::wstring AnsiToWide(std::string_view s)
{
  if (s.empty() || s.size() > INT_MAX) return {};
  const int n = static_cast<int>(s.size());
  std::wstring w(MultiByteToWideChar(CP_ACP, 0, s.data(), n, nullptr, 0), L'\0');
  if (!w.empty()) w.resize(MultiByteToWideChar(CP_ACP, 0, s.data(), n, w.data(), static_cast<int>(w.size())));
  return w;
}

std::string WideToAnsi(std::wstring_view s)
{
  if (s.empty() || s.size() > INT_MAX) return {};
  const int n = static_cast<int>(s.size());
  std::string a(WideCharToMultiByte(CP_ACP, 0, s.data(), n, nullptr, 0, nullptr, nullptr), '\0');
  if (!a.empty())
    a.resize(WideCharToMultiByte(CP_ACP, 0, s.data(), n, a.data(), static_cast<int>(a.size()), nullptr, nullptr));
  return a;
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void PutUtf16(std::wstring& w, char32_t c)
{
  if (c < 0x10000) {
    w += static_cast<wchar_t>(c);
  } else {
    c -= 0x10000;
    w += static_cast<wchar_t>(0xD800 + (c >> 10));
    w += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
  }
}

// Decodes UTF-8. A malformed sequence is replaced by U+FFFD (one per maximal ill-formed part, as
// Unicode recommends) or, when strict, ends the decoding with false.
bool DecodeUtf8(std::string_view s, std::wstring& w, bool strict)
{
  w.clear();
  w.reserve(s.size());
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      w += static_cast<wchar_t>(b);
      ++i;
      continue;
    }
    int len;
    char32_t c;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
      c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      c = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;       // overlong
      else if (b == 0xED) hi = 0x9F;  // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      c = b & 0x07;
      if (b == 0xF0) lo = 0x90;       // overlong
      else if (b == 0xF4) hi = 0x8F;  // above U+10FFFF
    } else {
      if (strict) return false;
      w += static_cast<wchar_t>(kReplacement);
      ++i;
      continue;
    }
    int k = 1;
    for (; k < len; ++k) {
      if (i + k >= n) break;
      const unsigned char t = static_cast<unsigned char>(s[i + k]);
      if (k == 1 ? (t < lo || t > hi) : (t < 0x80 || t > 0xBF)) break;
      c = (c << 6) | (t & 0x3F);
    }
    if (k < len) {
      if (strict) return false;
      w += static_cast<wchar_t>(kReplacement);
      i += k;  // the bytes that began a valid sequence are consumed together
      continue;
    }
    PutUtf16(w, c);
    i += len;
  }
  return true;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view s)
{
  std::wstring w;
  DecodeUtf8(s, w, false);
  return w;
}

bool TryUtf8ToWide(std::string_view s, std::wstring& result)
{
  std::wstring w;
  if (!DecodeUtf8(s, w, true)) return false;
  result = std::move(w);
  return true;
}

bool IsValidUtf8(std::string_view s)
{
  std::wstring w;
  return DecodeUtf8(s, w, true);
}

size_t Utf8SequenceLength(std::string_view s)
{
  if (s.empty()) return 0;
  unsigned char lead = static_cast<unsigned char>(s[0]);
  size_t len = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (len == 0 || s.size() < len) return 0;
  std::wstring w;
  return DecodeUtf8(s.substr(0, len), w, true) ? len : 0;
}

std::string WideToUtf8(std::wstring_view s)
{
  std::string r;
  r.reserve(s.size() * 3);
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = static_cast<char16_t>(s[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(s[i + 1]) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    if (c < 0x80) {
      r += static_cast<char>(c);
    } else if (c < 0x800) {
      r += static_cast<char>(0xC0 | (c >> 6));
      r += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      r += static_cast<char>(0xE0 | (c >> 12));
      r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      r += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      r += static_cast<char>(0xF0 | (c >> 18));
      r += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      r += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return r;
}

std::string Utf8ToAnsi(std::string_view s) { return WideToAnsi(Utf8ToWide(s)); }

bool TryUtf8ToAnsi(std::string_view s, std::string& result)
{
  std::wstring w;
  if (!TryUtf8ToWide(s, w)) return false;
  result = WideToAnsi(w);
  return true;
}

std::string AnsiToUtf8(std::string_view s) { return WideToUtf8(AnsiToWide(s)); }

namespace {

bool StartsPair(std::string_view s, size_t i)
{
  return IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size() && s[i + 1] != '\0';
}

}  // namespace

TMbcsByteType ByteType(std::string_view s, size_t index)
{
  if (index >= s.size()) return TMbcsByteType::mbSingleByte;
  size_t i = 0;
  while (i < index) i += StartsPair(s, i) ? 2 : 1;
  if (i > index) return TMbcsByteType::mbTrailByte;
  return StartsPair(s, i) ? TMbcsByteType::mbLeadByte : TMbcsByteType::mbSingleByte;
}

size_t StrCharLength(std::string_view s)
{
  if (s.empty()) return 0;
  return StartsPair(s, 0) ? 2 : 1;
}
