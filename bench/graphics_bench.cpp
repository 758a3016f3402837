// Blits and text against a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "graphics/graphics.h"
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

// Graphics open on a display that shows nothing; the log goes to a temp dir.
struct Setup {
  BenchDisplay display;
  Platform platform;
  Surface* art = nullptr;
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
  }
};

Setup& S() {
  static Setup s;
  return s;
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
  for (auto _ : state) {
    Graphics::Blit(nullptr, 0, 0, art, RECT{0, 0, 640, 480}, true);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_KeyedCopyFullScreen);

void BM_PlainCopyFullScreen(benchmark::State& state) {
  Surface* art = S().art;
  for (auto _ : state) {
    Graphics::Blit(nullptr, 0, 0, art, RECT{0, 0, 640, 480}, false);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_PlainCopyFullScreen);

// A field of 500 blocks of 32 x 16, the bytes of 500 block copies.
void BM_Keyed500Blocks(benchmark::State& state) {
  Surface* art = S().art;
  for (auto _ : state) {
    for (int i = 0; i < 500; ++i) {
      const int c = i % 20, r = i / 20;
      Graphics::Blit(nullptr, c * 32, r * 16, art, RECT{(i % 8) * 32, (i % 16) * 16, (i % 8) * 32 + 32, (i % 16) * 16 + 16}, true);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 500 * 32 * 16 * 2);
}
BENCHMARK(BM_Keyed500Blocks);

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
    Graphics::StretchBlit(nullptr, RECT{0, 0, 640, 480}, art, RECT{0, 0, 320, 240}, true);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
}
BENCHMARK(BM_StretchFullScreen);

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
