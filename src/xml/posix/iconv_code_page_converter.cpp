// Code-page conversion with iconv for the native tree. Code page numbers are
// mapped to iconv's names; code page 0, the system default, is taken as
// windows-1252. Invalid bytes become U+FFFD, as the Windows conversion does.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "xml/xml_platform.h"

namespace vwi {
namespace {

struct CodePageName {
  uint32_t codePage;
  const char* iconvName;
};

// Only code pages that the Windows conversion also accepts: 16- and 32-bit
// code pages (1200, 1201, 12000, 12001) are not 8-bit conversions there.
constexpr CodePageName kNames[] = {
    {0, "CP1252"},           {37, "IBM037"},
    {437, "IBM437"},         {500, "IBM500"},
    {708, "ISO-8859-6"},     {737, "CP737"},
    {775, "CP775"},          {850, "IBM850"},
    {852, "IBM852"},         {855, "IBM855"},
    {857, "IBM857"},         {858, "IBM858"},
    {860, "IBM860"},         {861, "IBM861"},
    {862, "IBM862"},         {863, "IBM863"},
    {864, "IBM864"},         {865, "IBM865"},
    {866, "IBM866"},         {869, "IBM869"},
    {874, "CP874"},          {932, "CP932"},
    {936, "CP936"},          {949, "CP949"},
    {950, "CP950"},          {1125, "CP1125"},
    {1133, "CP1133"},        {1250, "CP1250"},
    {1251, "CP1251"},        {1252, "CP1252"},
    {1253, "CP1253"},        {1254, "CP1254"},
    {1255, "CP1255"},        {1256, "CP1256"},
    {1257, "CP1257"},        {1258, "CP1258"},
    {1361, "JOHAB"},         {10000, "MACINTOSH"},
    {10004, "MAC-ARABIC"},   {10006, "MACGREEK"},
    {10007, "MAC-CYRILLIC"}, {10017, "MAC-UK"},
    {10021, "MACTHAI"},      {10029, "MAC-CENTRALEUROPE"},
    {10079, "MAC-IS"},       {10081, "MACTURKISH"},
    {10082, "MACCROATIAN"},  {20127, "ASCII"},
    {20866, "KOI8-R"},       {21866, "KOI8-U"},
    {20932, "EUC-JP"},       {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},   {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},   {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},   {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},   {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"},  {28605, "ISO-8859-15"},
    {38598, "ISO-8859-8"},   {50220, "ISO-2022-JP"},
    {50221, "ISO-2022-JP"},  {50222, "ISO-2022-JP"},
    {50225, "ISO-2022-KR"},  {51932, "EUC-JP"},
    {51936, "EUC-CN"},       {51949, "EUC-KR"},
    {54936, "GB18030"},      {65000, "UTF-7"},
    {65001, "UTF-8"},
};

const char* IconvName(uint32_t codePage) {
  for (const CodePageName& n : kNames) {
    if (n.codePage == codePage) return n.iconvName;
  }
  return nullptr;
}

// UTF-8 is by far the most common file encoding: decoded here directly
// (iconv goes through UCS-4 and is several times slower). A byte that does
// not start a well-formed sequence becomes one U+FFFD, as iconv's path below
// does for any invalid byte.
int32_t Utf8ToUtf16(const char* bytes, int32_t count, char16_t* out, int32_t capacity) {
  if (count <= 0) return 0;
  int64_t total = 0;
  auto put = [&](char16_t u) {
    if (out) {
      if (total >= capacity) return false;
      out[total] = u;
    }
    ++total;
    return true;
  };
  const std::string_view text(bytes, static_cast<size_t>(count));
  for (size_t i = 0; i < text.size();) {
    const Utf8Sequence sequence = DecodeUtf8At(text, i);
    const char32_t c = sequence.codePoint;
    if (c < 0x10000) {
      if (!put(static_cast<char16_t>(c))) break;
    } else {
      if (out && total + 1 >= capacity) break;
      put(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      put(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
    i += sequence.wellFormed ? sequence.length : 1;
  }
  return static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : total);
}

class IconvConverter final : public ICodePageConverter {
 public:
  int32_t ToUtf16(uint32_t codePage, const char* bytes, int32_t count, char16_t* out,
                  int32_t capacity) override {
    if (codePage == 65001 && count > 0) return Utf8ToUtf16(bytes, count, out, capacity);
    const char* name = IconvName(codePage);
    if (!name || count <= 0) return 0;
    iconv_t cd = iconv_open("UTF-16LE", name);
    if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
    const int32_t units = Run(cd, bytes, count, out, capacity);
    iconv_close(cd);
    return units;
  }

 private:
  // Converts in chunks; with `out` null only counts.
  static int32_t Run(iconv_t cd, const char* bytes, int32_t count, char16_t* out,
                     int32_t capacity) {
    char chunk[4096];
    char* in = const_cast<char*>(bytes);
    size_t inLeft = static_cast<size_t>(count);
    int64_t total = 0;
    auto emit = [&](const char* data, size_t size) {
      const size_t units = size / 2;
      for (size_t k = 0; k < units; ++k) {
        if (out && total >= capacity) return false;
        if (out) {
          out[total] = static_cast<char16_t>(static_cast<unsigned char>(data[2 * k]) |
                                             (static_cast<unsigned char>(data[2 * k + 1]) << 8));
        }
        ++total;
      }
      return true;
    };
    bool flushed = false;
    while (!flushed) {
      char* o = chunk;
      size_t oLeft = sizeof chunk;
      size_t r =
          inLeft ? iconv(cd, &in, &inLeft, &o, &oLeft) : iconv(cd, nullptr, nullptr, &o, &oLeft);
      const int err = errno;
      if (!inLeft && r != static_cast<size_t>(-1)) flushed = true;
      if (!emit(chunk, sizeof chunk - oLeft)) break;
      if (r != static_cast<size_t>(-1)) continue;
      if (err == E2BIG) continue;
      // An invalid or cut-off sequence: one replacement character per byte skipped.
      const char replacement[2] = {static_cast<char>(0xFD), static_cast<char>(0xFF)};
      if (!emit(replacement, 2)) break;
      if (err == EINVAL) {
        inLeft = 0;
      } else {
        ++in;
        --inLeft;
      }
    }
    return static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : total);
  }
};

}  // namespace

ICodePageConverter& SystemCodePageConverter() {
  static IconvConverter converter;
  return converter;
}

}  // namespace vwi
