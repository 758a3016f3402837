#include "common/image.h"

#include <algorithm>
#include <array>


namespace vx::mkdata {

void Image::Blit(const Image& src, int sx, int sy, int w, int h, int dx, int dy) {
  for (int y = 0; y < h; ++y) {
    int syy = sy + y, dyy = dy + y;
    if (syy < 0 || syy >= src.height || dyy < 0 || dyy >= height) continue;
    for (int x = 0; x < w; ++x) {
      int sxx = sx + x, dxx = dx + x;
      if (sxx < 0 || sxx >= src.width || dxx < 0 || dxx >= width) continue;
      At(dxx, dyy) = src.At(sxx, syy);
    }
  }
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h);
  out.Blit(*this, x, y, w, h, 0, 0);
  return out;
}

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xffff);
  Put16(b, v >> 16);
}

// Appends one pixel in the file's byte order for the given depth (bits).
void PutPixel(std::vector<uint8_t>& b, uint32_t rgb, int depth) {
  uint8_t r = uint8_t(rgb >> 16), g = uint8_t(rgb >> 8), bl = uint8_t(rgb);
  if (depth == 8) {
    b.push_back(uint8_t(rgb));
  } else if (depth == 16) {
    Put16(b, 0x8000u | uint32_t(r >> 3) << 10 | uint32_t(g >> 3) << 5 | uint32_t(bl >> 3));
  } else {
    b.push_back(bl);
    b.push_back(g);
    b.push_back(r);
    if (depth == 32) b.push_back(0xff);
  }
}

// Run-length packets never cross a row end: the decoder fills one row at a time.
void PutRleRow(std::vector<uint8_t>& b, const uint32_t* row, int width, int depth) {
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < 128 && row[x + run] == row[x]) ++run;
    if (run >= 2) {
      b.push_back(uint8_t(0x80 | (run - 1)));
      PutPixel(b, row[x], depth);
      x += run;
      continue;
    }
    int raw = 1;
    while (x + raw < width && raw < 128 &&
           !(x + raw + 1 < width && row[x + raw] == row[x + raw + 1]))
      ++raw;
    b.push_back(uint8_t(raw - 1));
    for (int i = 0; i < raw; ++i) PutPixel(b, row[x + i], depth);
    x += raw;
  }
}

}  // namespace

std::vector<uint8_t> EncodeTga(const Image& img, TgaFormat format) {
  bool mapped = format == TgaFormat::kMapped || format == TgaFormat::kMappedRle;
  bool rle = format == TgaFormat::kRle16 || format == TgaFormat::kRle24 || format == TgaFormat::kRle32 ||
             format == TgaFormat::kMappedRle;
  int depth = 24;
  if (format == TgaFormat::kRgb16 || format == TgaFormat::kRle16) depth = 16;
  if (format == TgaFormat::kRgb32 || format == TgaFormat::kRle32) depth = 32;
  if (mapped) depth = 8;

  std::vector<uint32_t> palette;
  std::vector<uint8_t> indices;
  if (mapped) indices = Quantize(img, 256, &palette);

  std::vector<uint8_t> b;
  b.push_back(0);                       // no image id
  b.push_back(mapped ? 1 : 0);          // colour map type
  b.push_back(uint8_t(mapped ? (rle ? 9 : 1) : (rle ? 10 : 2)));
  Put16(b, 0);                          // first colour map entry
  Put16(b, mapped ? 256 : 0);           // colour map length
  b.push_back(mapped ? 24 : 0);         // colour map entry size
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, uint32_t(img.width));
  Put16(b, uint32_t(img.height));
  b.push_back(uint8_t(depth));
  b.push_back(depth == 32 ? 8 : depth == 16 ? 1 : 0);  // alpha bits; origin bottom-left
  if (mapped) {
    for (int i = 0; i < 256; ++i) PutPixel(b, i < int(palette.size()) ? palette[i] : 0, 24);
  }
  std::vector<uint32_t> row(size_t(img.width));
  for (int y = img.height - 1; y >= 0; --y) {
    for (int x = 0; x < img.width; ++x)
      row[x] = mapped ? indices[size_t(y) * img.width + x] : img.At(x, y);
    if (rle) {
      PutRleRow(b, row.data(), img.width, depth);
    } else {
      for (int x = 0; x < img.width; ++x) PutPixel(b, row[x], depth);
    }
  }
  return b;
}

std::vector<uint8_t> EncodeBmp24(const Image& img) {
  uint32_t rowBytes = (uint32_t(img.width) * 3 + 3) & ~3u;
  uint32_t dataSize = rowBytes * uint32_t(img.height);
  std::vector<uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, 54 + dataSize);
  Put32(b, 0);
  Put32(b, 54);
  Put32(b, 40);
  Put32(b, uint32_t(img.width));
  Put32(b, uint32_t(img.height));
  Put16(b, 1);
  Put16(b, 24);
  Put32(b, 0);
  Put32(b, dataSize);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, 0);
  Put32(b, 0);
  for (int y = img.height - 1; y >= 0; --y) {
    size_t start = b.size();
    for (int x = 0; x < img.width; ++x) PutPixel(b, img.At(x, y), 24);
    while (b.size() - start < rowBytes) b.push_back(0);
  }
  return b;
}

namespace {

struct Box {
  std::vector<uint32_t> colors;  // unique colours
  std::vector<uint32_t> counts;
};

int Channel(uint32_t c, int ch) { return int((c >> (16 - 8 * ch)) & 0xff); }

}  // namespace

std::vector<uint8_t> Quantize(const Image& img, int maxColors, std::vector<uint32_t>* palette) {
  // Histogram of the colours other than the key, in a stable order.
  std::vector<uint32_t> sorted(img.px);
  for (auto& c : sorted) c &= 0xffffff;
  std::sort(sorted.begin(), sorted.end());
  Box all;
  bool hasBlack = false;
  for (size_t i = 0; i < sorted.size();) {
    size_t j = i;
    while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
    if (sorted[i] == 0) {
      hasBlack = true;
    } else {
      all.colors.push_back(sorted[i]);
      all.counts.push_back(uint32_t(j - i));
    }
    i = j;
  }
  int slots = maxColors - 1;  // index 0 is always black
  std::vector<Box> boxes;
  if (!all.colors.empty()) boxes.push_back(all);
  // Split the box with the widest channel range until the slots are used.
  while (int(boxes.size()) < slots) {
    int best = -1, bestRange = 0, bestCh = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].colors.size() < 2) continue;
      for (int ch = 0; ch < 3; ++ch) {
        int lo = 255, hi = 0;
        for (uint32_t c : boxes[i].colors) {
          lo = std::min(lo, Channel(c, ch));
          hi = std::max(hi, Channel(c, ch));
        }
        if (hi - lo > bestRange) {
          bestRange = hi - lo;
          best = int(i);
          bestCh = ch;
        }
      }
    }
    if (best < 0) break;
    Box& box = boxes[best];
    std::vector<size_t> order(box.colors.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return Channel(box.colors[a], bestCh) < Channel(box.colors[b], bestCh);
    });
    uint64_t total = 0;
    for (uint32_t n : box.counts) total += n;
    uint64_t acc = 0;
    size_t cut = 1;
    for (size_t i = 0; i + 1 < order.size(); ++i) {
      acc += box.counts[order[i]];
      cut = i + 1;
      if (acc * 2 >= total) break;
    }
    Box a, bx;
    for (size_t i = 0; i < order.size(); ++i) {
      Box& dst = i < cut ? a : bx;
      dst.colors.push_back(box.colors[order[i]]);
      dst.counts.push_back(box.counts[order[i]]);
    }
    boxes[best] = a;
    boxes.push_back(bx);
  }
  palette->assign(1, 0);
  for (const Box& box : boxes) {
    uint64_t sum[3] = {}, n = 0;
    for (size_t i = 0; i < box.colors.size(); ++i) {
      for (int ch = 0; ch < 3; ++ch) sum[ch] += uint64_t(Channel(box.colors[i], ch)) * box.counts[i];
      n += box.counts[i];
    }
    uint32_t c = 0;
    for (int ch = 0; ch < 3; ++ch) c = c << 8 | uint32_t((sum[ch] + n / 2) / n);
    // A merged colour must never fall onto the key in the 16-bit display.
    if (((c >> 19) & 31) == 0 && ((c >> 11) & 31) == 0 && ((c >> 3) & 31) == 0) c = 0x080808;
    palette->push_back(c);
  }
  (void)hasBlack;
  std::vector<uint8_t> out(img.px.size());
  std::vector<std::pair<uint32_t, uint8_t>> cache;  // sorted colour -> index
  for (size_t bi = 0; bi < boxes.size(); ++bi)
    for (uint32_t c : boxes[bi].colors) cache.emplace_back(c, uint8_t(bi + 1));
  std::sort(cache.begin(), cache.end());
  for (size_t i = 0; i < img.px.size(); ++i) {
    uint32_t c = img.px[i] & 0xffffff;
    if (c == 0) {
      out[i] = 0;
      continue;
    }
    auto it = std::lower_bound(cache.begin(), cache.end(), std::make_pair(c, uint8_t(0)));
    out[i] = it->second;
  }
  return out;
}

}  // namespace vx::mkdata
