// TextFont: FreeType glyphs blended into a locked 16-bit target.
#include "graphics/text_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "resources/file_system.h"

namespace vx {

TextFont FontA;
TextFont FontB;
TextFont* CurrentFont = nullptr;
TextInkLog* gTextInkLog = nullptr;

namespace {

constexpr size_t kFormatBufferUnits = 2048;
char16_t gFormatBuffer[kFormatBufferUnits];  // shared by every draw and measure
bool gBracketOpen = false;
TextObserver gTextObserver = nullptr;
void* gTextObserverContext = nullptr;

// Gathers one line's characters and ink for the observer (in the pass that
// draws the text itself, not its edge).
class LineReport {
 public:
  explicit LineReport(bool textPass) : on_(textPass && gTextObserver) {}
  void Char(char16_t c) {
    if (on_) text_.push_back(c);
  }
  void Ink(int left, int top, int width, int rows) {
    if (!on_ || width <= 0 || rows <= 0) return;
    if (ink_.left >= ink_.right) {
      ink_ = Rect{left, top, left + width, top + rows};
      return;
    }
    ink_.left = std::min(ink_.left, left);
    ink_.top = std::min(ink_.top, top);
    ink_.right = std::max(ink_.right, left + width);
    ink_.bottom = std::max(ink_.bottom, top + rows);
  }
  void Clipped() { clipped_ = true; }
  void End(const Rect& box, int width, int height, int size) {
    if (!on_) return;
    if (!text_.empty()) {
      DrawnText line;
      text_.push_back(0);
      line.text = text_.data();
      line.ink = ink_;
      line.box = box;
      line.targetWidth = width;
      line.targetHeight = height;
      line.size = size;
      line.clipped = clipped_;
      gTextObserver(line, gTextObserverContext);
    }
    text_.clear();
    ink_ = Rect{0, 0, 0, 0};
    clipped_ = false;
  }

 private:
  bool on_;
  std::u16string text_;
  Rect ink_{0, 0, 0, 0};
  bool clipped_ = false;
};

// A rendered glyph as FreeType left it in its slot.
struct Glyph {
  bool ok = false;
  int left = 0, top = 0;
  int width = 0, rows = 0;
  long advance = 0;                 // 1/64 pixel
  const uint8_t* coverage = nullptr;  // width x rows
};

// Glyphs already rendered, by face size and character: an open-addressed table
// over one block of coverage bytes, both made once, so a cached glyph costs no
// allocation and a miss only FreeType's own work. When either fills up,
// everything is forgotten and the glyphs in use come back one by one.
class GlyphCache {
 public:
  static constexpr uint32_t kSlots = 2048;  // a power of two, at most half used
  static constexpr size_t kArenaBytes = 512 * 1024;

  const Glyph* Find(uint64_t key) const {
    if (!slots_) return nullptr;
    for (uint32_t i = Hash(key);; i = (i + 1) & (kSlots - 1)) {
      if (slots_[i].key == key) return &slots_[i].glyph;
      if (slots_[i].key == 0) return nullptr;
    }
  }

  // Room for a glyph of bytes coverage bytes under key (which is not cached);
  // null when it can never fit.
  Glyph* Insert(uint64_t key, size_t bytes, uint8_t** coverage) {
    if (bytes > kArenaBytes) return nullptr;
    if (!slots_) {
      slots_.reset(new Slot[kSlots]);
      arena_.reset(new uint8_t[kArenaBytes]);
    }
    if (count_ >= kSlots / 2 || used_ + bytes > kArenaBytes) Clear();
    uint32_t i = Hash(key);
    while (slots_[i].key != 0) i = (i + 1) & (kSlots - 1);
    slots_[i].key = key;
    ++count_;
    *coverage = arena_.get() + used_;
    used_ += bytes;
    return &slots_[i].glyph;
  }

  void Clear() {
    if (slots_)
      for (uint32_t i = 0; i < kSlots; ++i) slots_[i] = Slot();
    count_ = 0;
    used_ = 0;
  }

 private:
  struct Slot {
    uint64_t key = 0;  // 0: empty (a face size is never 0)
    Glyph glyph;
  };
  static uint32_t Hash(uint64_t key) {
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & (kSlots - 1);
  }
  std::unique_ptr<Slot[]> slots_;
  std::unique_ptr<uint8_t[]> arena_;
  uint32_t count_ = 0;
  size_t used_ = 0;
};

}  // namespace

struct TextFont::Impl {
  std::vector<uint8_t> file;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int mode = TEXT_SOLID;
  int pitch = 0;
  uint16_t* pixels = nullptr;
  int targetWidth = 0, targetHeight = 0;
  int penX = 0, penY = 0;
  int lineX = 0, lineY = 0;
  uint32_t color = 0;
  Rect clip{0, 0, 640, 480};
  int size = 0;
  int faceSize = 0;  // the size FreeType renders at, which Load sets without SetSize
  uint8_t bgRed = 0, bgGreen = 0, bgBlue = 0;
  uint32_t outline = kNoOutline;
  bool onBackBuffer = false;  // set by BeginText: only such text is recorded
  int32_t run = -1;           // the ink log's run being written, -1 for none

  // Without the cache every glyph is rendered again and blended pixel by pixel
  // through TextBlendPixel: the plain way, which the fast one must match.
  bool cacheEnabled = true;
  GlyphCache cache;
  Glyph scratch;
  std::vector<uint8_t> scratchCoverage;
  // Edges are cached beside their glyphs under the face size with this bit.
  static constexpr int kEdgeKey = 1 << 30;
  Glyph edgeScratch;
  std::vector<uint8_t> edgeScratchCoverage;
  std::vector<uint8_t> edgeSource;

  void Free() {
    cache.Clear();
    if (library) FT_Done_FreeType(library);
    library = nullptr;
    face = nullptr;
    file.clear();
  }

  // Where a new glyph of glyph's size goes: a cache slot, or the scratch glyph
  // when the cache is off or the glyph can never fit; *coverage receives room
  // for its bytes.
  Glyph* Place(uint64_t key, const Glyph& glyph, Glyph& spare, std::vector<uint8_t>& spareBytes,
               uint8_t** coverage) {
    const size_t bytes = static_cast<size_t>(glyph.width) * glyph.rows;
    if (cacheEnabled)
      if (Glyph* slot = cache.Insert(key, bytes, coverage)) return slot;
    spareBytes.resize(bytes);
    *coverage = spareBytes.data();
    return &spare;
  }

  // The glyph of c at the current face size; cached pixels are the very ones
  // FreeType rendered, so drawing from the cache changes nothing.
  const Glyph& Render(char16_t c) {
    const uint64_t key = static_cast<uint64_t>(faceSize) << 32 | c;
    if (cacheEnabled)
      if (const Glyph* hit = cache.Find(key)) return *hit;
    scratch = Glyph{};
    if (!face) return scratch;
    const FT_UInt index = FT_Get_Char_Index(face, c);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return scratch;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return scratch;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    Glyph fresh;
    fresh.ok = true;
    fresh.left = slot->bitmap_left;
    fresh.top = slot->bitmap_top;
    fresh.width = static_cast<int>(bm.width);
    fresh.rows = static_cast<int>(bm.rows);
    fresh.advance = slot->advance.x;
    uint8_t* coverage = nullptr;
    Glyph* out = Place(key, fresh, scratch, scratchCoverage, &coverage);
    for (int y = 0; y < fresh.rows; ++y)
      std::memcpy(coverage + static_cast<size_t>(y) * fresh.width,
                  bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch, static_cast<size_t>(fresh.width));
    fresh.coverage = coverage;
    *out = fresh;
    return *out;
  }

  // The edge of c: its coverage spread one pixel all round, each pixel as
  // dark as the eight copies shifted by one pixel laid over one another, so
  // an edged text costs two blends a glyph instead of nine.
  const Glyph& RenderEdge(char16_t c) {
    const uint64_t key = static_cast<uint64_t>(faceSize | kEdgeKey) << 32 | c;
    if (cacheEnabled)
      if (const Glyph* hit = cache.Find(key)) return *hit;
    const Glyph& base = Render(c);
    if (!base.ok) return base;
    Glyph fresh = base;
    // Copied: making room for the edge may clear the cache under the glyph.
    edgeSource.assign(base.coverage, base.coverage + static_cast<size_t>(base.width) * base.rows);
    fresh.left -= 1;
    fresh.top += 1;
    fresh.width += 2;
    fresh.rows += 2;
    uint8_t* coverage = nullptr;
    Glyph* out = Place(key, fresh, edgeScratch, edgeScratchCoverage, &coverage);
    for (int y = 0; y < fresh.rows; ++y)
      for (int x = 0; x < fresh.width; ++x)
        coverage[static_cast<size_t>(y) * fresh.width + x] = EdgeCoverage(base.width, base.rows, x - 1, y - 1);
    fresh.coverage = coverage;
    *out = fresh;
    return *out;
  }

  // 255 times the chance that none of the eight neighbours of (x, y) in the
  // copied glyph misses, i.e. their coverages composited over one another.
  uint8_t EdgeCoverage(int width, int rows, int x, int y) const {
    double clear = 1.0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int sx = x - dx, sy = y - dy;
        if ((dx == 0 && dy == 0) || sx < 0 || sy < 0 || sx >= width || sy >= rows) continue;
        clear *= 1.0 - edgeSource[static_cast<size_t>(sy) * width + sx] / 255.0;
      }
    return static_cast<uint8_t>(255.0 * (1.0 - clear) + 0.5);
  }

  void Blend(const Glyph& glyph) {
    if (!pixels) return;
    if (cacheEnabled)
      BlendRows(glyph);
    else
      BlendEachPixel(glyph);
  }

  // Notes the glyph's pixels and what lies under them in the ink log, under
  // the current run; before the glyph is blended.
  void Record(const Glyph& glyph) {
    if (run < 0 || !gTextInkLog || !pixels) return;
    const int ox = penX + glyph.left, oy = penY - glyph.top;
    for (int y = 0; y < glyph.rows; ++y) {
      const int ty = oy + y;
      if (ty < 0 || ty >= targetHeight) continue;
      const uint8_t* cov = glyph.coverage + static_cast<size_t>(y) * glyph.width;
      for (int x = 0; x < glyph.width; ++x) {
        const int tx = ox + x;
        if (cov[x] == 0 || tx < 0 || tx >= targetWidth) continue;
        TextInk ink;
        ink.x = static_cast<int16_t>(tx);
        ink.y = static_cast<int16_t>(ty);
        ink.coverage = cov[x];
        ink.under = pixels[static_cast<ptrdiff_t>(ty) * pitch + tx];
        ink.run = static_cast<uint32_t>(run);
        gTextInkLog->ink.push_back(ink);
      }
    }
  }

  void BlendEachPixel(const Glyph& glyph) {
    const int ox = penX + glyph.left, oy = penY - glyph.top;
    for (int y = 0; y < glyph.rows; ++y) {
      const int ty = oy + y;
      if (ty < 0 || ty >= targetHeight) continue;
      uint16_t* row = pixels + static_cast<ptrdiff_t>(ty) * pitch;
      const uint8_t* cov = glyph.coverage + static_cast<size_t>(y) * glyph.width;
      for (int x = 0; x < glyph.width; ++x) {
        const int tx = ox + x;
        if (tx < 0 || tx >= targetWidth) continue;
        row[tx] = TextBlendPixel(mode, cov[x], static_cast<uint16_t>(color), row[tx], bgRed, bgGreen,
                                 bgBlue);
      }
    }
  }

  // TextBlendPixel over the visible part of the glyph, the clipping done once
  // per glyph and the mode once per row.
  void BlendRows(const Glyph& glyph) {
    const int ox = penX + glyph.left, oy = penY - glyph.top;
    const int x0 = std::max(0, -ox), x1 = std::min(glyph.width, targetWidth - ox);
    const int y0 = std::max(0, -oy), y1 = std::min(glyph.rows, targetHeight - oy);
    if (x0 >= x1 || y0 >= y1) return;
    const uint16_t col = static_cast<uint16_t>(color);
    const int rs = RedShift, gs = GreenShift;
    const int cr = col >> rs & 31, cg = col >> gs & 31, cb = col & 31;
    // The background blends depend only on alpha >> 3.
    uint16_t overBg[28];
    if (mode != TEXT_SOLID && mode != TEXT_BLEND_DST)
      for (int alpha = 0; alpha < 28; ++alpha)
        overBg[alpha] = static_cast<uint16_t>((bgRed * (31 - alpha) + cr * alpha) / 32 << rs |
                                              (bgGreen * (31 - alpha) + cg * alpha) / 32 << gs |
                                              (bgBlue * (31 - alpha) + cb * alpha) / 32);
    for (int y = y0; y < y1; ++y) {
      uint16_t* row = pixels + static_cast<ptrdiff_t>(oy + y) * pitch + ox;
      const uint8_t* cov = glyph.coverage + static_cast<size_t>(y) * glyph.width;
      if (mode == TEXT_SOLID) {
        for (int x = x0; x < x1; ++x)
          if (cov[x] > 64) row[x] = col;
      } else if (mode == TEXT_BLEND_DST) {
        for (int x = x0; x < x1; ++x) {
          const int a = cov[x];
          if (a == 0) continue;
          if (a >= 224) {
            row[x] = col;
            continue;
          }
          const int alpha = a >> 3;
          const uint16_t under = row[x];
          const int r = ((under >> rs) * (31 - alpha) + cr * alpha) / 32;
          const int gg = ((under >> gs & 31) * (31 - alpha) + cg * alpha) / 32;
          const int b = ((under & 31) * (31 - alpha) + cb * alpha) / 32;
          row[x] = static_cast<uint16_t>(r << rs | gg << gs | b);
        }
      } else {
        for (int x = x0; x < x1; ++x) {
          const int a = cov[x];
          if (a != 0) row[x] = a >= 224 ? col : overBg[a >> 3];
        }
      }
    }
  }
};

uint16_t TextBlendPixel(int mode, int a, uint16_t color, uint16_t under, int bgRed, int bgGreen,
                        int bgBlue) {
  if (mode == TEXT_SOLID) return a > 64 ? color : under;
  if (a == 0) return under;
  if (a >= 224) return color;
  const int alpha = a >> 3;
  int br = bgRed, bg = bgGreen, bb = bgBlue;
  if (mode == TEXT_BLEND_DST) {
    br = under >> RedShift;
    bg = under >> GreenShift & 31;
    bb = under & 31;
  }
  const int r = (br * (31 - alpha) + (color >> RedShift & 31) * alpha) / 32;
  const int g = (bg * (31 - alpha) + (color >> GreenShift & 31) * alpha) / 32;
  const int b = (bb * (31 - alpha) + (color & 31) * alpha) / 32;
  return static_cast<uint16_t>(r << RedShift | g << GreenShift | b);
}

namespace {

// A colour tag "<0x...>" at p: the number v, the position after it and the
// one character that closes it (never past the terminating zero).
const char16_t* ReadTag(const char16_t* p, uint32_t* v) {
  p += 3;
  uint32_t n = 0;
  for (;; ++p) {
    const char16_t c = *p;
    if (c >= u'0' && c <= u'9') n = n * 16 + (c - u'0');
    else if (c >= u'a' && c <= u'f') n = n * 16 + (c - u'a' + 10);
    else if (c >= u'A' && c <= u'F') n = n * 16 + (c - u'A' + 10);
    else break;
  }
  *v = n;
  return *p ? p + 1 : p;
}

bool IsTag(const char16_t* p) { return p[0] == u'<' && p[1] == u'0' && p[2] == u'x'; }

}  // namespace

TextFont::TextFont() : impl_(new Impl) {}

TextFont::~TextFont() {
  impl_->Free();
  delete impl_;
}

int TextFont::Load(const char* fileName) {
  impl_->Free();
  FileBuffer data = ReadWholeFile(fileName);
  if (!data) return 0;
  return LoadFromMemory(data.get(), LastFileSize());
}

int TextFont::LoadFromMemory(const uint8_t* data, uint32_t size) {
  impl_->Free();
  if (!data || size == 0) return 0;
  if (FT_Init_FreeType(&impl_->library) != 0) {
    impl_->library = nullptr;
    return 0;
  }
  impl_->file.assign(data, data + size);
  if (FT_New_Memory_Face(impl_->library, impl_->file.data(), static_cast<FT_Long>(size), 0,
                         &impl_->face) != 0) {
    impl_->Free();
    return 0;
  }
  if (FT_Set_Pixel_Sizes(impl_->face, 0, 32) != 0) {
    impl_->Free();
    return 0;
  }
  impl_->faceSize = 32;
  return 1;
}

bool TextFont::IsLoaded() const { return impl_->face != nullptr; }

void TextFont::SetTarget(uint16_t* pixels, int pitchInBytes, int width, int height) {
  impl_->pixels = pixels;
  impl_->pitch = pitchInBytes / 2;
  impl_->targetWidth = pixels ? std::min(width, impl_->pitch) : 0;
  impl_->targetHeight = pixels ? height : 0;
  impl_->onBackBuffer = false;
}

void TextFont::SetSize(int size) {
  impl_->size = size;
  // Every text bracket sets its size; a face already at that size is left alone.
  if (size == impl_->faceSize) return;
  // Sizes FreeType cannot render keep the face at its previous size.
  if (impl_->face && size > 0 && size <= 512 && FT_Set_Pixel_Sizes(impl_->face, 0, size) == 0)
    impl_->faceSize = size;
}

void TextFont::SetMode(int mode, uint32_t backgroundRGB) {
  impl_->mode = mode;
  impl_->bgRed = backgroundRGB >> 19 & 31;
  impl_->bgGreen = backgroundRGB >> 11 & 31;
  impl_->bgBlue = backgroundRGB >> 3 & 31;
}

void TextFont::SetClip(const Rect& clip) { impl_->clip = clip; }

void TextFont::SetOutline(uint32_t color) { impl_->outline = color == kNoOutline ? color : color & 0xFFFF; }

Rect TextFont::Clip() const { return impl_->clip; }

void SetTextObserver(TextObserver observer, void* context) {
  gTextObserver = observer;
  gTextObserverContext = context;
}

void TextFont::SetCacheEnabled(bool on) {
  impl_->cacheEnabled = on;
  impl_->cache.Clear();
}

void TextFont::DrawTextArgs(int x, int y, uint32_t color, const char16_t* format,
                            const FormatArg* args, size_t argCount) {
  FormatWide(gFormatBuffer, kFormatBufferUnits, format, args, argCount);
  Impl& f = *impl_;
  // The edge first, all of it, so no glyph's edge covers its neighbour.
  if (f.outline != kNoOutline && f.face) DrawPass(x, y, f.outline, false);
  DrawPass(x, y, color, true);
}

void TextFont::DrawPass(int x, int y, uint32_t color, bool text) {
  Impl& f = *impl_;
  f.penX = f.lineX = x;
  f.penY = f.lineY = y;
  f.color = color & 0xFFFF;
  f.run = -1;
  if (!f.face) return;
  const bool record = text && gTextInkLog && f.onBackBuffer;
  LineReport report(text);
  const auto endLine = [&] { report.End(f.clip, f.targetWidth, f.targetHeight, f.size); };
  for (const char16_t* p = gFormatBuffer; *p;) {
    if (f.penY > f.clip.bottom) {
      report.Clipped();
      break;
    }
    const char16_t c = *p;
    if (c == 0xFEFF || c == u'\r') {
      ++p;
      continue;
    }
    if (c == u'\n') {
      endLine();
      f.penX = f.lineX;
      f.penY += f.size + 2;
      f.run = -1;
      ++p;
      continue;
    }
    if (IsTag(p)) {
      uint32_t v;
      p = ReadTag(p, &v);
      if (text) {
        f.color = ((v >> 19 & 255) << RedShift | (v >> 11 & 255) << GreenShift | (v >> 3 & 255)) & 0xFFFF;
        f.run = -1;
      }
      continue;
    }
    ++p;
    if (c == u' ') f.run = -1;
    report.Char(c);
    if (f.penY + 16 < f.clip.top) {
      report.Clipped();
      continue;
    }
    const Glyph& glyph = text ? f.Render(c) : f.RenderEdge(c);
    if (!glyph.ok) continue;
    if (record && c != u' ') {
      if (f.run < 0) {
        f.run = static_cast<int32_t>(gTextInkLog->runs.size());
        gTextInkLog->runs.push_back(TextRun{static_cast<uint16_t>(f.color), {}});
      }
      gTextInkLog->runs[static_cast<size_t>(f.run)].text += c;
      f.Record(glyph);
    }
    f.Blend(glyph);
    report.Ink(f.penX + glyph.left, f.penY - glyph.top, glyph.width, glyph.rows);
    f.penX += static_cast<int>(glyph.advance >> 6);
  }
  f.run = -1;
  endLine();
}

int TextFont::MeasureTextArgs(const char16_t* format, const FormatArg* args, size_t argCount) {
  FormatWide(gFormatBuffer, kFormatBufferUnits, format, args, argCount);
  Impl& f = *impl_;
  if (!f.face) return 0;
  long width = 0;
  for (const char16_t* p = gFormatBuffer; *p;) {
    if (f.penY > f.clip.bottom) break;
    if (IsTag(p)) {
      uint32_t v;
      p = ReadTag(p, &v);
      continue;
    }
    const Glyph& glyph = f.Render(*p++);
    if (glyph.ok) width += (glyph.advance + glyph.width) >> 6;
  }
  return static_cast<int>(width);
}

int TextFont::PenX() const { return impl_->penX; }
int TextFont::PenY() const { return impl_->penY; }
uint32_t TextFont::Color() const { return impl_->color; }
int TextFont::Size() const { return impl_->size; }
int TextFont::Mode() const { return impl_->mode; }

void BeginText(TextFont& font, int size) {
  if (gBracketOpen) return;
  gBracketOpen = true;
  CurrentFont = &font;
  Surface* back = Graphics::BackBuffer();
  int32_t pitch = 0;
  uint16_t* pixels = nullptr;
  font.SetClip(Rect{0, 0, Graphics::ScreenWidth(), Graphics::ScreenHeight()});
  font.SetMode(TEXT_BLEND_DST, 0);
  if (back && Graphics::LockSurface(back, &pitch, &pixels))
    font.SetTarget(pixels, pitch * 2, back->width, back->height);
  else
    font.SetTarget(nullptr, 0, 0, 0);
  font.impl_->onBackBuffer = true;
  font.SetOutline(TextFont::kNoOutline);
  font.SetSize(size);
}

void EndText() {
  if (!gBracketOpen) return;
  gBracketOpen = false;
  Graphics::UnlockSurface(Graphics::BackBuffer());
}

bool TextBracketOpen() { return gBracketOpen; }

}  // namespace vx
