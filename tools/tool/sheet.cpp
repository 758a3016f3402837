// velotrix-tool sheet OUT.png [ARCHIVE]: lays every image of a data archive
// (Velotrix.dat by default) on one contact sheet, each with its entry name,
// decoded with the game's own decoders. Pixels equal to the black colour key
// show as a dark checkerboard, so the transparent parts are visible.
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "command.h"
#include "graphics/bitmap.h"
#include "graphics/graphics.h"
#include "graphics/png_writer.h"
#include "graphics/text_font.h"
#include "resources/pack_archive.h"

namespace vx::tool {

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kGap = 10;
constexpr int kLabelHeight = 16;
constexpr int kMaxShownWidth = 640;  // wider pictures are shown at half size

struct Picture {
  std::string name;
  int width = 0, height = 0, shrink = 1;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB at full size
  int x = 0, y = 0;
  int ShownWidth() const { return width / shrink; }
  int ShownHeight() const { return height / shrink; }
};

bool IsImageName(const std::string& name) {
  if (name.size() < 4) return false;
  const char* ext = name.c_str() + name.size() - 4;
  return strcasecmp(ext, ".tga") == 0 || strcasecmp(ext, ".bmp") == 0 || strcasecmp(ext, ".pcx") == 0;
}

// Labels are drawn with the game's own font renderer into a 16-bit strip.
class Labeller {
 public:
  explicit Labeller(const PackArchive& archive) {
    Graphics::SetPixelLayout(0x07E0);
    std::vector<uint8_t> data;
    if (const PackEntry* e = archive.Find("DATA\\LCDN.ttf")) {
      FileBuffer b = archive.ReadEntry(*e);
      if (b) data.assign(b.get(), b.get() + e->unpackedSize);
    }
    if (data.empty()) {
      std::ifstream f("/usr/share/fonts/truetype/play/Play-Regular.ttf", std::ios::binary);
      data.assign(std::istreambuf_iterator<char>(f), {});
    }
    ok_ = !data.empty() && font_.LoadFromMemory(data.data(), uint32_t(data.size())) == 1;
    if (!ok_) std::fprintf(stderr, "sheet: no font found; the pictures go without names\n");
  }
  int Width(const std::string& text) {
    if (!ok_) return 0;
    // Measuring stops below the clip, which must hold the last drawn baseline.
    Prepare(1, kLabelHeight);
    return font_.MeasureText(u"%s", text.c_str());
  }
  // Draws text onto rgb (sheet width w) with its top-left at (x, y).
  void Draw(std::vector<uint8_t>& rgb, int w, int x, int y, const std::string& text, uint32_t color) {
    if (!ok_) return;
    int tw = Width(text) + 4, th = kLabelHeight;
    Prepare(tw, th);
    font_.DrawText(1, 12, 0xFFFF, u"%s", text.c_str());
    for (int yy = 0; yy < th; ++yy)
      for (int xx = 0; xx < tw; ++xx) {
        int cover = (strip_[size_t(yy) * tw + xx] >> 5) & 63;  // green: 6 bits of coverage
        int sx = x + xx, sy = y + yy;
        if (!cover || sx < 0 || sx >= w || sy < 0 || size_t(sy) * w * 3 >= rgb.size()) continue;
        uint8_t* p = &rgb[(size_t(sy) * w + sx) * 3];
        for (int c = 0; c < 3; ++c) {
          int want = (color >> (16 - 8 * c)) & 255;
          p[c] = uint8_t((p[c] * (63 - cover) + want * cover) / 63);
        }
      }
  }

 private:
  void Prepare(int w, int h) {
    strip_.assign(size_t(w) * h, 0);
    font_.SetTarget(strip_.data(), w * 2, w, h);
    font_.SetClip(Rect{0, 0, w, h});
    font_.SetMode(TEXT_BLEND_BG, 0);
    font_.SetSize(11);
  }
  TextFont font_;
  std::vector<uint16_t> strip_;
  bool ok_ = false;
};

int CmdSheet(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: velotrix-tool sheet OUT.png [ARCHIVE]\n");
    return 2;
  }
  const char* out = argv[1];
  const char* path = argc == 3 ? argv[2] : "Velotrix.dat";
  PackArchive archive;
  if (!archive.Open(path)) {
    std::fprintf(stderr, "sheet: cannot open the archive %s\n", path);
    return 1;
  }
  std::vector<Picture> pictures;
  int skipped = 0;
  for (const PackEntry& e : archive.Entries()) {
    if (!IsImageName(e.name)) continue;
    FileBuffer data = archive.ReadEntry(e);
    Bitmap image, rgb32;
    if (!data || !image.Decode(data.get(), e.unpackedSize, e.name.c_str()) ||
        !rgb32.Create(image.width, image.height, 32) || !rgb32.Convert(image)) {
      std::fprintf(stderr, "sheet: %s does not decode; left out\n", e.name.c_str());
      ++skipped;
      continue;
    }
    Picture p;
    p.name = e.name.compare(0, 5, "DATA\\") == 0 ? e.name.substr(5) : e.name;
    p.width = int(image.width);
    p.height = int(image.height);
    p.shrink = p.width > kMaxShownWidth ? 2 : 1;
    p.rgb.resize(size_t(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) p.rgb[size_t(y) * p.width + x] = rgb32.Pixel32(x, y) & 0xFFFFFF;
    pictures.push_back(std::move(p));
  }
  if (pictures.empty()) {
    std::fprintf(stderr, "sheet: %s holds no picture the game can read\n", path);
    return 1;
  }
  // Rows of pictures, each with its name below it.
  Labeller labels(archive);
  int x = kGap, y = kGap + kLabelHeight + kGap, rowHeight = 0;
  for (Picture& p : pictures) {
    int cellW = std::max(std::min(p.ShownWidth(), kSheetWidth - 2 * kGap), labels.Width(p.name) + 2);
    int cellH = p.ShownHeight() + kLabelHeight;
    if (x + cellW > kSheetWidth - kGap && x > kGap) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    p.x = x;
    p.y = y;
    x += cellW + kGap;
    rowHeight = std::max(rowHeight, cellH);
  }
  const int height = y + rowHeight + kGap;
  std::vector<uint8_t> rgb(size_t(kSheetWidth) * height * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) {
    rgb[i] = 0x30;
    rgb[i + 1] = 0x30;
    rgb[i + 2] = 0x38;
  }
  char title[160];
  std::snprintf(title, sizeof title, "%s: %zu pictures", path, pictures.size());
  labels.Draw(rgb, kSheetWidth, kGap, kGap, title, 0xFFFFA0);
  for (const Picture& p : pictures) {
    for (int yy = 0; yy < p.ShownHeight(); ++yy)
      for (int xx = 0; xx < p.ShownWidth() && p.x + xx < kSheetWidth; ++xx) {
        uint32_t c = p.rgb[size_t(yy * p.shrink) * p.width + xx * p.shrink];
        if (c == 0) c = ((xx / 4 + yy / 4) & 1) ? 0x141418 : 0x1E1E24;
        uint8_t* d = &rgb[(size_t(p.y + yy) * kSheetWidth + p.x + xx) * 3];
        d[0] = uint8_t(c >> 16);
        d[1] = uint8_t(c >> 8);
        d[2] = uint8_t(c);
      }
    std::string label = p.name;
    if (p.shrink > 1) label += " (half size)";
    labels.Draw(rgb, kSheetWidth, p.x, p.y + p.ShownHeight() + 1, label, 0xE0E8FF);
  }
  if (!WritePng(out, rgb.data(), kSheetWidth, height)) {
    std::fprintf(stderr, "sheet: cannot write %s\n", out);
    return 1;
  }
  std::printf("sheet: %zu pictures on %s (%d x %d)%s\n", pictures.size(), out, kSheetWidth, height,
              skipped ? ", some left out" : "");
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(sheet, "sheet OUT.png [ARCHIVE]   every picture of a data archive on one page", CmdSheet);

}  // namespace vx::tool
