#include "platform/text_codec.h"

#include <errno.h>
#include <iconv.h>

namespace vx {

namespace {
// Length of the UTF-8 sequence that starts with lead (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}
}  // namespace

std::string Utf8ToCp866(const std::string& utf8) {
  std::string out;
  iconv_t cd = iconv_open("CP866", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (unsigned char c : utf8)
      if (c < 0x80) out += static_cast<char>(c);
    return out;
  }
  size_t pos = 0;
  while (pos < utf8.size()) {
    size_t len = SequenceLength(static_cast<unsigned char>(utf8[pos]));
    if (pos + len > utf8.size()) break;
    char* in = const_cast<char*>(utf8.data() + pos);
    size_t inLeft = len;
    char buf[8];
    char* dst = buf;
    size_t outLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1))
      out.append(buf, static_cast<size_t>(dst - buf));
    pos += len;
  }
  iconv_close(cd);
  return out;
}

}  // namespace vx
