// printf for UTF-16 text, with the arguments' count and kinds known.
#include <algorithm>
#include <cmath>
#include <string>
#include <cstdio>
#include <cstring>

#include "graphics/text_font.h"

namespace vx {

namespace {

struct Out {
  char16_t* out;
  size_t cap;
  size_t n = 0;
  void Put(char16_t c) {
    if (n + 1 < cap) out[n++] = c;
  }
  void PutAscii(const char* s, size_t len) {
    for (size_t i = 0; i < len; ++i) Put(static_cast<unsigned char>(s[i]));
  }
};

struct Spec {
  bool left = false, plus = false, space = false, zero = false;
  int width = 0;
  int precision = -1;
};

size_t WideLength(const char16_t* s, int limit) {
  size_t n = 0;
  while (s[n] && (limit < 0 || n < static_cast<size_t>(limit))) ++n;
  return n;
}

// Pads body (already ASCII-formatted, with its sign in front) to the width.
void PutPadded(Out& o, const Spec& sp, const char* body, size_t len, bool numeric) {
  const size_t width = sp.width > 0 ? static_cast<size_t>(sp.width) : 0;
  const size_t pad = width > len ? width - len : 0;
  if (!sp.left && !(sp.zero && numeric))
    for (size_t i = 0; i < pad; ++i) o.Put(u' ');
  size_t start = 0;
  if (!sp.left && sp.zero && numeric) {
    if (len && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) o.Put(static_cast<char16_t>(body[start++]));
    for (size_t i = 0; i < pad; ++i) o.Put(u'0');
  }
  o.PutAscii(body + start, len - start);
  if (sp.left)
    for (size_t i = 0; i < pad; ++i) o.Put(u' ');
}

int64_t AsInt(const FormatArg& a) {
  switch (a.kind) {
    case FormatArg::kInt: return a.i;
    case FormatArg::kUInt: return static_cast<int64_t>(a.u);
    case FormatArg::kDouble: return std::isfinite(a.d) ? static_cast<int64_t>(a.d) : 0;
    default: return 0;
  }
}

}  // namespace

size_t FormatWide(char16_t* out, size_t cap, const char16_t* format, const FormatArg* args,
                  size_t argCount) {
  if (!out || cap == 0) return 0;
  Out o{out, cap};
  size_t next = 0;
  const char16_t* p = format ? format : u"";
  while (*p) {
    if (*p != u'%') {
      o.Put(*p++);
      continue;
    }
    const char16_t* start = p++;
    if (*p == u'%') {
      o.Put(u'%');
      ++p;
      continue;
    }
    Spec sp;
    size_t needed = 0;  // arguments this conversion takes (width and precision stars)
    for (;; ++p) {
      if (*p == u'-') sp.left = true;
      else if (*p == u'+') sp.plus = true;
      else if (*p == u' ') sp.space = true;
      else if (*p == u'0') sp.zero = true;
      else if (*p == u'#') continue;
      else break;
    }
    bool starWidth = false, starPrecision = false;
    if (*p == u'*') {
      starWidth = true;
      ++needed;
      ++p;
    } else {
      while (*p >= u'0' && *p <= u'9') sp.width = std::min(sp.width * 10 + (*p++ - u'0'), 4096);
    }
    if (*p == u'.') {
      ++p;
      sp.precision = 0;
      if (*p == u'*') {
        starPrecision = true;
        ++needed;
        ++p;
      } else {
        while (*p >= u'0' && *p <= u'9') sp.precision = std::min(sp.precision * 10 + (*p++ - u'0'), 4096);
      }
    }
    while (*p == u'l' || *p == u'h' || *p == u'L' || *p == u'z' || *p == u'j' || *p == u't') ++p;
    const char16_t conv = *p;
    const bool known = conv == u'd' || conv == u'i' || conv == u'u' || conv == u'x' || conv == u'X' ||
                       conv == u'c' || conv == u's' || conv == u'S' || conv == u'f' || conv == u'F';
    // An unknown conversion, or one whose arguments were not passed, is
    // copied as it stands.
    if (!known || next + needed + 1 > argCount) {
      const char16_t* end = conv ? p + 1 : p;
      for (const char16_t* q = start; q < end; ++q) o.Put(*q);
      p = end;
      continue;
    }
    ++p;
    if (starWidth) {
      int64_t w = AsInt(args[next++]);
      if (w < 0) sp.left = true, w = -w;
      sp.width = static_cast<int>(std::min<int64_t>(w, 4096));
    }
    if (starPrecision) {
      int64_t pr = AsInt(args[next++]);
      sp.precision = pr < 0 ? -1 : static_cast<int>(std::min<int64_t>(pr, 4096));
    }
    const FormatArg& a = args[next++];
    char buf[160];
    int len = 0;
    switch (conv) {
      case u'd':
      case u'i': {
        if (a.kind == FormatArg::kWide || a.kind == FormatArg::kNarrow) goto as_string;
        const long long v = a.kind == FormatArg::kUInt ? static_cast<long long>(static_cast<int32_t>(a.u))
                                                       : static_cast<long long>(AsInt(a));
        char fmt[16];
        std::snprintf(fmt, sizeof fmt, "%%%s%s.*lld", sp.plus ? "+" : "", sp.space ? " " : "");
        len = std::snprintf(buf, sizeof buf, fmt, sp.precision < 0 ? 1 : std::min(sp.precision, 100), v);
        if (sp.precision >= 0) sp.zero = false;
        PutPadded(o, sp, buf, static_cast<size_t>(len), true);
        break;
      }
      case u'u':
      case u'x':
      case u'X': {
        if (a.kind == FormatArg::kWide || a.kind == FormatArg::kNarrow) goto as_string;
        // Values are 32 bits wide, as on the machine the texts were written for.
        const unsigned long long v = static_cast<uint32_t>(a.kind == FormatArg::kUInt ? a.u : static_cast<uint64_t>(AsInt(a)));
        const char* f = conv == u'u' ? "%.*llu" : conv == u'x' ? "%.*llx" : "%.*llX";
        len = std::snprintf(buf, sizeof buf, f, sp.precision < 0 ? 1 : std::min(sp.precision, 100), v);
        if (sp.precision >= 0) sp.zero = false;
        PutPadded(o, sp, buf, static_cast<size_t>(len), true);
        break;
      }
      case u'f':
      case u'F': {
        const double v = a.kind == FormatArg::kDouble ? a.d : static_cast<double>(AsInt(a));
        char fmt[16];
        std::snprintf(fmt, sizeof fmt, "%%%s%s.*f", sp.plus ? "+" : "", sp.space ? " " : "");
        len = std::snprintf(buf, sizeof buf, fmt, sp.precision < 0 ? 6 : std::min(sp.precision, 40),
                            std::fabs(v) < 1e60 ? v : 0.0);
        if (len >= static_cast<int>(sizeof buf)) len = sizeof buf - 1;
        PutPadded(o, sp, buf, static_cast<size_t>(len), std::isfinite(v));
        break;
      }
      case u'c': {
        const size_t width = sp.width > 1 ? static_cast<size_t>(sp.width) - 1 : 0;
        if (!sp.left) for (size_t i = 0; i < width; ++i) o.Put(u' ');
        o.Put(static_cast<char16_t>(AsInt(a)));
        if (sp.left) for (size_t i = 0; i < width; ++i) o.Put(u' ');
        break;
      }
      default:
      as_string: {
        const char16_t* ws = nullptr;
        std::u16string widened;
        if (a.kind == FormatArg::kNarrow && a.s) {
          for (const char* q = a.s; *q; ++q) widened.push_back(static_cast<unsigned char>(*q));
          ws = widened.c_str();
        } else if (a.kind == FormatArg::kWide) {
          ws = a.ws;
        } else if (a.kind == FormatArg::kInt || a.kind == FormatArg::kUInt || a.kind == FormatArg::kDouble) {
          // A number where text was expected is shown as a number.
          std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(AsInt(a)));
          for (const char* q = buf; *q; ++q) widened.push_back(static_cast<unsigned char>(*q));
          ws = widened.c_str();
        }
        if (!ws) ws = u"(null)";
        const size_t n = WideLength(ws, sp.precision);
        const size_t width = sp.width > 0 && static_cast<size_t>(sp.width) > n ? sp.width - n : 0;
        if (!sp.left) for (size_t i = 0; i < width; ++i) o.Put(u' ');
        for (size_t i = 0; i < n; ++i) o.Put(ws[i]);
        if (sp.left) for (size_t i = 0; i < width; ++i) o.Put(u' ');
        break;
      }
    }
  }
  out[o.n] = 0;
  return o.n;
}

}  // namespace vx
