// 8-bit texts of the data set are in code page 866 or 1251; the text renderer
// draws UTF-16.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "resources/text_file.h"

namespace vx {

namespace {

constexpr size_t kFormatBuffer = 2048;

const char* HostUtf16() {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  return "UTF-16LE";
#else
  return "UTF-16BE";
#endif
}

struct Converter {
  int codePage = -1;
  iconv_t cd = reinterpret_cast<iconv_t>(-1);
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

iconv_t ConverterFor(int codePage) {
  static Converter converters[2];
  Converter& c = converters[codePage == 1251 ? 1 : 0];
  if (c.codePage != codePage) {
    if (c.cd != reinterpret_cast<iconv_t>(-1)) iconv_close(c.cd);
    char name[32];
    std::snprintf(name, sizeof name, "CP%d", codePage);
    c.cd = iconv_open(HostUtf16(), name);
    c.codePage = codePage;
  }
  return c.cd;
}

// Only "%%" is a conversion the texts may hold; any other percent sign is kept
// as it stands rather than read as a request for an argument that is not there.
size_t FormatPercents(const char* text, char* out, size_t capacity) {
  size_t n = 0;
  for (const char* p = text; *p && n < capacity - 1; ++p) {
    out[n++] = *p;
    if (p[0] == '%' && p[1] == '%') ++p;
  }
  out[n] = 0;
  return n;
}

}  // namespace

const char16_t* ToWide(const char* text, int codePage) {
  static std::u16string result;
  char formatted[kFormatBuffer];
  size_t length = FormatPercents(text ? text : "", formatted, sizeof formatted);

  result.assign(length + 1, u'\0');
  iconv_t cd = ConverterFor(codePage);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (size_t i = 0; i < length; ++i) result[i] = static_cast<unsigned char>(formatted[i]);
    return result.c_str();
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = formatted;
  size_t inLeft = length;
  char* out = reinterpret_cast<char*>(&result[0]);
  size_t outLeft = length * sizeof(char16_t);
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    // A byte the code page leaves undefined becomes the replacement character.
    char16_t replacement = 0xFFFD;
    std::memcpy(out, &replacement, sizeof replacement);
    out += sizeof replacement;
    outLeft -= sizeof replacement;
    ++in;
    --inLeft;
  }
  size_t produced = (out - reinterpret_cast<char*>(&result[0])) / sizeof(char16_t);
  result[produced] = 0;
  return result.c_str();
}

void Widen(const char* text, char16_t* dest) {
  if (!dest) return;
  size_t i = 0;
  for (; text && text[i]; ++i) dest[i] = static_cast<unsigned char>(text[i]);
  dest[i] = 0;
}

}  // namespace vx
