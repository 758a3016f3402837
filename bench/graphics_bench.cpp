// Drawing: keyed and plain copies beside a plain memcpy of the same bytes
// (each keyed copy in every way this processor runs), stretched and rotated
// sprites, fills, lines, and text with and without the glyph cache.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "graphics/graphics.h"
#include "graphics/simd.h"
#include "graphics/sprite.h"
#include "graphics/text_font.h"
#include "platform/platform.h"

namespace vx {
namespace {

struct BenchDisplay : Display {
  bool Open(int, int, bool, uint32_t* mask) override {
    *mask = 0x07E0;
    return true;
  }
  void Close() override {}
  int Present(const uint16_t*, int, int, int, bool) override { return 0; }
  void RestoreDesktopMode() override {}
  bool VideoMemory(uint32_t*, uint32_t*) override { return false; }
};

// A 64 x 64 ball: a disc on the key colour, as sprite sheets hold them.
void WriteBallTga(const char* path) {
  std::vector<uint8_t> b(18, 0);
  b[2] = 2;
  b[12] = 64;
  b[14] = 64;
  b[16] = 24;
  for (int y = 63; y >= 0; --y)
    for (int x = 0; x < 64; ++x) {
      const bool inside = (x - 32) * (x - 32) + (y - 32) * (y - 32) < 30 * 30;
      b.push_back(inside ? static_cast<uint8_t>(x * 4) : 0);
      b.push_back(inside ? static_cast<uint8_t>(200) : 0);
      b.push_back(inside ? static_cast<uint8_t>(y * 4) : 0);
    }
  FILE* f = std::fopen(path, "wb");
  if (!f) std::abort();
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

// Graphics open on a display that shows nothing; the log goes to a temp dir.
struct Setup {
  BenchDisplay display;
  Platform platform;
  Surface* art = nullptr;
  CSprite ball;
  Setup() {
    char dir[] = "/tmp/vx_bench_XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) std::abort();
    platform.display = &display;
    gPlatform = &platform;
    Graphics::Init(640, 480, 0);
    art = Graphics::CreateSurface(640, 480, kSurfacePlain);
    // A quarter of the pixels are the key, scattered like sprite edges.
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) art->Row(y)[x] = (x * 7 + y * 3) % 4 ? static_cast<uint16_t>(x * 31 + y) | 1 : 0;
    Graphics::SetColorKey(art, 0);
    WriteBallTga("ball.tga");
    if (!ball.LoadImage("ball.tga")) std::abort();
  }
};

Setup& S() {
  static Setup s;
  return s;
}

// The keyed copy ways, as benchmark arguments.
const Simd kWays[] = {Simd::kPortable, Simd::kAvx2, Simd::kAvx512};
const char* const kWayNames[] = {"portable", "avx2", "avx512"};

bool UseWay(benchmark::State& state) {
  const int way = static_cast<int>(state.range(0));
  state.SetLabel(kWayNames[way]);
  if (UseSimd(kWays[way])) return true;
  state.SkipWithError("this processor cannot run it");
  return false;
}

void BM_MemcpyFullScreen(benchmark::State& state) {
  Surface* art = S().art;
  Surface* back = Graphics::BackBuffer();
  for (auto _ : state) {
    std::memcpy(back->pixels.data(), art->pixels.data(), 640 * 480 * 2);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_MemcpyFullScreen);

void BM_KeyedCopyFullScreen(benchmark::State& state) {
  Surface* art = S().art;
  if (!UseWay(state)) return;
  for (auto _ : state) {
    Graphics::Blit(nullptr, 0, 0, art, Rect{0, 0, 640, 480}, true);
    benchmark::ClobberMemory();
  }
  UseSimd(Simd::kBest);
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_KeyedCopyFullScreen)->DenseRange(0, 2);

void BM_PlainCopyFullScreen(benchmark::State& state) {
  Surface* art = S().art;
  for (auto _ : state) {
    Graphics::Blit(nullptr, 0, 0, art, Rect{0, 0, 640, 480}, false);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_PlainCopyFullScreen);

// A field of 500 blocks of 32 x 16, the bytes of 500 block copies.
void BM_Keyed500Blocks(benchmark::State& state) {
  Surface* art = S().art;
  if (!UseWay(state)) return;
  for (auto _ : state) {
    for (int i = 0; i < 500; ++i) {
      const int c = i % 20, r = i / 20;
      Graphics::Blit(nullptr, c * 32, r * 16, art, Rect{(i % 8) * 32, (i % 16) * 16, (i % 8) * 32 + 32, (i % 16) * 16 + 16}, true);
    }
    benchmark::ClobberMemory();
  }
  UseSimd(Simd::kBest);
  state.SetBytesProcessed(state.iterations() * 500 * 32 * 16 * 2);
}
BENCHMARK(BM_Keyed500Blocks)->DenseRange(0, 2);

void BM_Memcpy500Blocks(benchmark::State& state) {
  Surface* art = S().art;
  Surface* back = Graphics::BackBuffer();
  for (auto _ : state) {
    for (int i = 0; i < 500; ++i) {
      const int c = i % 20, r = i / 20;
      for (int row = 0; row < 16; ++row)
        std::memcpy(back->Row(r * 16 + row) + c * 32, art->Row((i % 16) * 16 + row) + (i % 8) * 32, 64);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 500 * 32 * 16 * 2);
}
BENCHMARK(BM_Memcpy500Blocks);

void BM_StretchFullScreen(benchmark::State& state) {
  Surface* art = S().art;
  for (auto _ : state) {
    Graphics::StretchBlit(nullptr, Rect{0, 0, 640, 480}, art, Rect{0, 0, 320, 240}, true);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_StretchFullScreen);

// Twenty 64 x 64 sprites drawn at one and a half times their size, some cut
// by the screen's edges.
void BM_StretchedSprites(benchmark::State& state) {
  CSprite& ball = S().ball;
  const Rect whole{0, 0, 64, 64};
  for (auto _ : state) {
    for (int i = 0; i < 20; ++i) ball.RenderEx(whole, -20 + i * 34, 30 + (i * 97) % 460, 0, 1.5f);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_StretchedSprites);

// Twenty 64 x 64 sprites turned and scaled, tinted or not.
void BM_RotatedSprites(benchmark::State& state) {
  CSprite& ball = S().ball;
  if (!UseWay(state)) return;
  const Rect whole{0, 0, 64, 64};
  float angle = 0;
  for (auto _ : state) {
    for (int i = 0; i < 20; ++i)
      ball.RenderRotated(whole, 20 + i * 31, 40 + (i * 53) % 400, 1.25f, angle + i * 0.3f,
                         i % 2 ? 0xFFFFFF : 0xFF8040);
    angle += 0.01f;
    benchmark::ClobberMemory();
  }
  UseSimd(Simd::kBest);
  state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_RotatedSprites)->DenseRange(0, 1);

void BM_FillFullScreen(benchmark::State& state) {
  S();
  for (auto _ : state) {
    D3DStrip(0, 0, 640, 480, 0x1234);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_FillFullScreen);

// Forty bars of 100 x 6, as meters and panels use.
void BM_Fill40Bars(benchmark::State& state) {
  S();
  for (auto _ : state) {
    for (int i = 0; i < 40; ++i) D3DStrip(10 + (i % 5) * 120, 10 + (i / 5) * 50, 100, 6, static_cast<uint16_t>(i * 999));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Fill40Bars);

// The shield (52 dashes of 63 pixels) and eight rubber bands from the paddle.
void BM_ShieldAndBandLines(benchmark::State& state) {
  S();
  uint32_t f = 0;
  for (auto _ : state) {
    ++f;
    for (int k = -1; k <= 11; ++k) {
      Graphics::DrawLine(64 * k + (f / 2) % 64, 394, 64 * k + (f / 2) % 64 + 62, 394, 0xF800);
      Graphics::DrawLine(64 * k - (f / 2) % 64, 396, 64 * k - (f / 2) % 64 + 62, 396, 0x001F);
      Graphics::DrawLine(64 * k + f % 64, 390, 64 * k + f % 64 + 62, 390, 0xF800);
      Graphics::DrawLine(64 * k - f % 64, 392, 64 * k - f % 64 + 62, 392, 0x001F);
    }
    for (int i = 0; i < 8; ++i) Graphics::DrawLine(320, 375, 30 + i * 80, 20 + i * 40, 0x001F);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ShieldAndBandLines);

void TextLine(benchmark::State& state, bool cached) {
  static TextFont font;
  static bool loaded = [] {
    std::ifstream in("/usr/share/fonts/truetype/play/Play-Regular.ttf", std::ios::binary);
    std::vector<uint8_t> ttf((std::istreambuf_iterator<char>(in)), {});
    return font.LoadFromMemory(ttf.data(), static_cast<uint32_t>(ttf.size())) == 1;
  }();
  if (!loaded) {
    state.SkipWithError("font not found");
    return;
  }
  S();
  Surface* back = Graphics::BackBuffer();
  font.SetTarget(back->pixels.data(), back->pitch * 2, back->width, back->height);
  font.SetMode(TEXT_BLEND_DST, 0);
  font.SetSize(16);
  font.SetCacheEnabled(cached);
  for (auto _ : state) {
    font.DrawText(10, 100, 0xFFFF, u"Score %d Lives %d Credits %d Level %d", 12345, 8, 150, 42);
    benchmark::ClobberMemory();
  }
}
void BM_TextLine40Uncached(benchmark::State& state) { TextLine(state, false); }
void BM_TextLine40Cached(benchmark::State& state) { TextLine(state, true); }
BENCHMARK(BM_TextLine40Uncached);
BENCHMARK(BM_TextLine40Cached);

}  // namespace
}  // namespace vx
