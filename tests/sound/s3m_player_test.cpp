// The module player driven tick by tick on modules built by the tests.
#include <gtest/gtest.h>

#include <cstring>

#include "s3m_writer.h"
#include "sound/s3m_module.h"

namespace vx {
namespace {

using test::Fx;
using test::Note;
using test::S3mCell;
using test::S3mWriter;

std::unique_ptr<S3mModule> Load(const S3mWriter& w, int rate = 44100, bool is16 = true, bool stereo = true,
                                 bool interp = true) {
  std::vector<uint8_t> image = w.Build();
  return LoadS3m(image.data(), static_cast<uint32_t>(image.size()), rate, is16, stereo, interp);
}

// Runs the ticks left in the current row and the first tick of the next one;
// returns the number of ticks run.
int NextRow(S3mModule& m) {
  int ticks = 0;
  for (;;) {
    const bool newRow = m.tickCounter <= 0;
    ModuleTick(m);
    ++ticks;
    if (newRow) return ticks;
  }
}

// Plays rows and records (pattern, row) as each row starts.
std::vector<std::pair<int, int>> RowsPlayed(S3mModule& m, int rows) {
  std::vector<std::pair<int, int>> out;
  for (int i = 0; i < rows; ++i) {
    for (;;) {
      const bool newRow = m.tickCounter <= 0;
      ModuleTick(m);
      if (newRow) break;
    }
    out.emplace_back(m.OrderAt(m.rowOrder), m.rowIndex);
  }
  return out;
}

S3mWriter OneSampleWriter() {
  S3mWriter w;
  w.samples.push_back(test::ConstantSample(1000, 0x80 + 64, true));
  return w;
}

TEST(S3mLoader, HeaderFactsChannelsAndPans) {
  S3mWriter w = OneSampleWriter();
  w.title = "Tiny";
  w.speed = 4;
  w.tempo = 140;
  w.globalVolume = 48;
  w.orders = {0, 1, 255};
  w.patterns.resize(2);
  w.channelSettings[4] = 16;  // an AdLib channel: not counted
  auto m = Load(w);
  ASSERT_TRUE(m);
  EXPECT_STREQ(m->title, "Tiny");
  EXPECT_EQ(m->orderCount, 3);
  EXPECT_EQ(m->patternCount, 2);
  EXPECT_EQ(m->instrumentCount, 1);
  EXPECT_EQ(m->channelCount, 4);
  EXPECT_EQ(m->initialSpeed, 4);
  EXPECT_EQ(m->initialTempo, 140);
  EXPECT_EQ(m->globalVolume, 48);
  EXPECT_EQ(m->pan[0], 3);
  EXPECT_EQ(m->pan[1], 13);
  EXPECT_EQ(m->row, 63);
  EXPECT_EQ(m->order, 0);
  EXPECT_EQ(m->divisor.load(), 42);
  EXPECT_EQ(m->instruments[1].volume, 256);
  EXPECT_EQ(m->instruments[1].length, 1000u);
  EXPECT_EQ(m->instruments[1].data[0], 64);  // unsigned 0xC0 read as signed 64

  w.defaultPan = 252;
  w.panBytes = {0x20 | 5, 0x00 | 9, 0x20 | 15};
  m = Load(w);
  EXPECT_EQ(m->pan[0], 5);
  EXPECT_EQ(m->pan[1], 13);  // without bit 0x20 the default stays
  EXPECT_EQ(m->pan[2], 15);
}

TEST(S3mPlayer, OrderListEndRestartsWithInitialSpeedAndTempo) {
  S3mWriter w;
  w.speed = 1;
  w.orders = {0, 1, 255};
  w.patterns.resize(2);
  w.patterns[1].push_back({5, 0, -1, 0, -1, Fx('A'), 3});
  w.patterns[1].push_back({6, 0, -1, 0, -1, Fx('T'), 90});
  auto m = Load(w);
  auto rows = RowsPlayed(*m, 129);
  EXPECT_EQ(rows[0], std::make_pair(0, 0));
  EXPECT_EQ(rows[64], std::make_pair(1, 0));
  EXPECT_EQ(rows[127], std::make_pair(1, 63));
  EXPECT_EQ(m->speed, 1);
  EXPECT_EQ(m->tempo, 125);
  EXPECT_EQ(rows[128], std::make_pair(0, 0));
  EXPECT_EQ(m->order, 0);
  EXPECT_EQ(m->nextOrder, 1);
}

TEST(S3mPlayer, OrderMarkers254AreSkipped) {
  S3mWriter w;
  w.speed = 1;
  w.orders = {254, 0, 254, 254, 1, 255};
  w.patterns.resize(2);
  auto m = Load(w);
  auto rows = RowsPlayed(*m, 129);
  EXPECT_EQ(rows[0], std::make_pair(0, 0));
  EXPECT_EQ(m->order, 1);
  EXPECT_EQ(rows[64], std::make_pair(1, 0));
  EXPECT_EQ(rows[128], std::make_pair(0, 0));  // and again after the wrap
}

TEST(S3mPlayer, SongOfOnlyMarkersIsSilentAndFinite) {
  S3mWriter w;
  w.orders = {254, 254, 255};
  w.samples.push_back(test::ConstantSample(100, 0xC0, true));
  auto m = Load(w);
  std::vector<int16_t> out(4410 * 2, 7);
  EXPECT_EQ(MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2)), 0);
  for (int16_t v : out) ASSERT_EQ(v, 0);
}

TEST(S3mPlayer, SpeedTempoAndTickLength) {
  S3mWriter w;
  w.patterns[0].push_back({0, 0, -1, 0, -1, Fx('A'), 0x30});
  w.patterns[0].push_back({1, 0, -1, 0, -1, Fx('A'), 0x06});
  w.patterns[0].push_back({2, 0, -1, 0, -1, Fx('A'), 0x02});
  w.patterns[0].push_back({3, 1, -1, 0, -1, Fx('T'), 0x00});  // no tempo 0: ignored
  w.patterns[0].push_back({4, 0, -1, 0, -1, Fx('T'), 0x7D});
  auto m = Load(w);
  EXPECT_EQ(NextRow(*m), 1);
  EXPECT_EQ(m->tempo, 48);
  EXPECT_EQ(m->framesToNextTick, 44100 * 5 / 96);
  EXPECT_EQ(NextRow(*m), 6);
  EXPECT_EQ(m->speed, 6);
  NextRow(*m);
  EXPECT_EQ(m->speed, 2);
  NextRow(*m);
  EXPECT_EQ(m->tempo, 48);
  NextRow(*m);
  EXPECT_EQ(m->tempo, 125);
  EXPECT_EQ(m->framesToNextTick, 882);
}

TEST(S3mPlayer, PatternJumpAndBreak) {
  S3mWriter w;
  w.speed = 1;
  w.orders = {0, 1, 2, 255};
  w.patterns.resize(3);
  w.patterns[0].push_back({3, 1, -1, 0, -1, Fx('B'), 2});
  w.patterns[2].push_back({1, 0, -1, 0, -1, Fx('C'), 0x12});
  auto m = Load(w);
  auto rows = RowsPlayed(*m, 7);
  EXPECT_EQ(rows[3], std::make_pair(0, 3));
  EXPECT_EQ(rows[4], std::make_pair(2, 0));  // B02: order 2
  EXPECT_EQ(rows[5], std::make_pair(2, 1));
  // C12 in the last order: the song wraps and goes on at row 12.
  EXPECT_EQ(rows[6], std::make_pair(0, 12));
  EXPECT_EQ(m->order, 0);

  S3mWriter b;
  b.speed = 1;
  b.orders = {0, 1, 255};
  b.patterns.resize(2);
  b.patterns[0].push_back({2, 0, -1, 0, -1, Fx('C'), 0x12});
  b.patterns[0].push_back({2, 3, Note(4, 0), 0, -1, 0, 0});  // a later channel of the same row
  b.patterns[1].push_back({40, 0, -1, 0, -1, Fx('C'), 0x00});
  b.samples.push_back(test::ConstantSample(100, 0xC0, true));
  b.patterns[0].back().ins = 1;
  m = Load(b);
  rows = RowsPlayed(*m, 4);
  EXPECT_EQ(rows[2], std::make_pair(0, 2));
  EXPECT_EQ(m->channels[3].period, 428);  // its cell was read from the row that broke
  EXPECT_EQ(rows[3], std::make_pair(1, 12));
  rows = RowsPlayed(*m, 29);
  EXPECT_EQ(rows[27], std::make_pair(1, 39 + 1));
  EXPECT_EQ(rows[28], std::make_pair(0, 0));  // C00 at row 40: next order (the end: wrap)
}

TEST(S3mPlayer, VolumeSlides) {
  S3mWriter w = OneSampleWriter();
  w.speed = 3;
  auto cell = [](int row, int info) { return S3mCell{row, 0, -1, 0, -1, Fx('D'), info}; };
  w.patterns[0] = {{0, 0, Note(4, 0), 1, 32, 0, 0},
                   cell(1, 0x20),   // up 8 per tick
                   cell(2, 0x2F),   // fine up 8 now
                   cell(3, 0xF2),   // fine down 8 now
                   cell(4, 0x23),   // nothing
                   cell(5, 0x03),   // down 12 per tick
                   cell(6, 0xF0)};  // hi = 15, lo = 0: volume -= 0
  auto m = Load(w);
  const S3mChannel& ch = m->channels[0];
  const int expected[] = {
      128,       // the volume byte
      128 + 8,   // a slide runs on every tick, the first one included
      152 + 8,   // two more slide ticks, then the fine step
      160 - 8,   // fine down
      152,       // D23 does nothing
      152 - 12,  // down 12 on the first tick
      116 + 60,  // DF0 reads as a slide up by 60
  };
  for (int e : expected) {
    NextRow(*m);
    EXPECT_EQ(ch.volume, e);
  }
}

TEST(S3mPlayer, VolumeStaysInRange) {
  S3mWriter w = OneSampleWriter();
  w.speed = 6;
  w.patterns[0] = {{0, 0, Note(4, 0), 1, 60, Fx('D'), 0xF0},
                   {1, 0, -1, 0, -1, Fx('D'), 0x0F},
                   {2, 0, -1, 0, 200, 0, 0}};  // a volume byte beyond 64
  auto m = Load(w);
  NextRow(*m);
  EXPECT_EQ(m->channels[0].volume, 256);  // 240 + 60, held at the top
  NextRow(*m);
  EXPECT_EQ(m->channels[0].volume, 196);
  for (int i = 0; i < 5; ++i) ModuleTick(*m);
  EXPECT_EQ(m->channels[0].volume, 0);
  NextRow(*m);
  EXPECT_EQ(m->channels[0].volume, 256);
}

TEST(S3mPlayer, NoteCutAndDelayedCut) {
  S3mWriter w = OneSampleWriter();
  w.speed = 6;
  w.patterns[0] = {{0, 0, Note(4, 0), 1, -1, 0, 0},
                   {1, 0, 254, 0, -1, 0, 0},
                   {2, 0, Note(4, 0), 1, -1, Fx('S'), 0xC3}};
  auto m = Load(w);
  const S3mChannel& ch = m->channels[0];
  NextRow(*m);
  EXPECT_NE(ch.end, 0u);
  NextRow(*m);  // note 254 silences the channel on the row's first tick
  EXPECT_EQ(ch.end, 0u);
  NextRow(*m);
  EXPECT_NE(ch.end, 0u);
  for (int tick = 2; tick <= 3; ++tick) {
    ModuleTick(*m);
    EXPECT_NE(ch.end, 0u) << tick;
  }
  ModuleTick(*m);  // fourth tick: cut
  EXPECT_EQ(ch.end, 0u);
  EXPECT_EQ(ch.period, 0);
}

TEST(S3mPlayer, NotesPeriodsAndInvalidSemitones) {
  S3mWriter w = OneSampleWriter();
  w.speed = 1;
  w.patterns[0] = {{0, 0, Note(4, 0), 1, -1, 0, 0},
                   {1, 0, Note(5, 9), 0, -1, 0, 0},
                   {2, 0, Note(5, 12), 0, -1, 0, 0},   // semitone 12: no note
                   {3, 0, Note(3, 15), 0, -1, 0, 0}};  // 15: no note
  auto m = Load(w);
  const S3mChannel& ch = m->channels[0];
  NextRow(*m);
  EXPECT_EQ(ch.period, 1712 * 4 >> 4);
  // step = ((8363 x 1024) / 428) x 427 / 44100, in 22.10
  EXPECT_EQ(ch.step, (8363u * 1024 / 428) * 427 / 44100);
  NextRow(*m);
  EXPECT_EQ(ch.period, 1016 * 4 >> 5);
  NextRow(*m);
  EXPECT_EQ(ch.period, 1016 * 4 >> 5);
  NextRow(*m);
  EXPECT_EQ(ch.period, 1016 * 4 >> 5);
}

TEST(S3mPlayer, InstrumentOnlyCellReplaysThePreviousNote) {
  S3mWriter w = OneSampleWriter();
  w.speed = 1;
  w.patterns[0] = {{0, 0, -1, 1, -1, 0, 0},  // before any note: no note
                   {1, 0, Note(5, 0), 1, -1, 0, 0},
                   {5, 0, -1, 1, 20, 0, 0}};
  auto m = Load(w);
  EXPECT_EQ(m->Cell(0, 0, 0)[0], 255);
  EXPECT_EQ(m->Cell(0, 5, 0)[0], Note(5, 0));
  const S3mChannel& ch = m->channels[0];
  NextRow(*m);
  EXPECT_EQ(ch.period, 0);
  EXPECT_EQ(ch.pendingInstrument, 1);  // stays pending until a note comes
  NextRow(*m);
  EXPECT_EQ(ch.period, 214);
  m->channels[0].position = 5000;
  for (int i = 0; i < 4; ++i) NextRow(*m);
  EXPECT_EQ(ch.position, 0u);  // struck again
  EXPECT_EQ(ch.volume, 80);
}

TEST(S3mPlayer, InfoMemoryFillsZeroInfos) {
  S3mWriter w;
  w.speed = 1;
  w.patterns.resize(2);
  w.orders = {0, 1, 255};
  w.patterns[0] = {{0, 0, -1, 0, -1, Fx('D'), 0x04}, {1, 0, -1, 0, -1, Fx('D'), 0x00},
                   {2, 0, -1, 0, -1, Fx('C'), 0x00}};
  w.patterns[1] = {{0, 0, -1, 0, -1, Fx('E'), 0x00}};
  auto m = Load(w);
  EXPECT_EQ(m->Cell(0, 1, 0)[4], 0x04);
  EXPECT_EQ(m->Cell(0, 2, 0)[4], 0x00);  // C keeps its zero
  EXPECT_EQ(m->Cell(1, 0, 0)[4], 0x00);  // the last info stored was C's 0
}

TEST(S3mPlayer, NoteStrikesAgainAfterTheSampleRanOut) {
  S3mWriter w;
  w.samples.push_back(test::ConstantSample(200, 0xC0, false));
  w.speed = 1;
  w.patterns[0] = {{0, 0, Note(4, 0), 1, -1, 0, 0}, {20, 0, Note(4, 0), 0, -1, 0, 0}};
  auto m = Load(w);
  std::vector<int16_t> out(882 * 2 * 20);
  MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2));
  EXPECT_EQ(m->channels[0].end, 0u);  // ran out
  EXPECT_EQ(out.back(), 0);
  std::vector<int16_t> more(882 * 2);
  MixModule(m.get(), more.data(), static_cast<int>(more.size() * 2));
  EXPECT_GT(more[2], 0);  // row 20: the same instrument sounds again
}

TEST(S3mPlayer, PortamentoVibratoArpeggio) {
  S3mWriter w = OneSampleWriter();
  w.speed = 4;
  w.patterns[0] = {{0, 0, Note(4, 0), 1, -1, 0, 0},
                   {1, 0, Note(4, 2), 0, -1, Fx('G'), 0x10},
                   {2, 0, -1, 0, -1, Fx('J'), 0x37},
                   {3, 0, -1, 0, -1, Fx('E'), 0x02},
                   {4, 0, -1, 0, -1, Fx('F'), 0xF3},
                   {5, 0, -1, 0, -1, Fx('H'), 0x4F}};
  auto m = Load(w);
  const S3mChannel& ch = m->channels[0];
  NextRow(*m);
  EXPECT_EQ(ch.period, 428);
  NextRow(*m);  // towards 381 by 16 per tick
  EXPECT_EQ(ch.targetPeriod, 381);
  EXPECT_EQ(ch.period, 412);
  for (int i = 0; i < 3; ++i) ModuleTick(*m);
  EXPECT_EQ(ch.period, 381);  // 428 - 16 x 4 stops on the target
  ModuleTick(*m);             // J37: p + 3, then p + 7, then p
  EXPECT_EQ(ch.period, 384);
  ModuleTick(*m);
  EXPECT_EQ(ch.period, 388);
  ModuleTick(*m);
  EXPECT_EQ(ch.period, 381);
  ModuleTick(*m);
  ModuleTick(*m);  // E02: + 2 per tick
  EXPECT_EQ(ch.period, 383);
  for (int i = 0; i < 3; ++i) ModuleTick(*m);
  EXPECT_EQ(ch.period, 389);
  ModuleTick(*m);  // F F3: - 3 now
  EXPECT_EQ(ch.period, 386);
  for (int i = 0; i < 3; ++i) ModuleTick(*m);
  const uint32_t plain = ch.step;
  ModuleTick(*m);  // H4F: the pitch moves, the period does not
  ModuleTick(*m);
  EXPECT_EQ(ch.period, 386);
  EXPECT_NE(ch.step, plain);
  EXPECT_EQ(ch.vibratoPos, 8);
}

TEST(S3mPlayer, DivisorAndGlobalVolume) {
  S3mWriter w = OneSampleWriter();
  w.globalVolume = 64;
  w.patterns[0] = {{0, 0, Note(4, 0), 1, -1, 0, 0}, {1, 0, -1, 0, -1, Fx('V'), 32}};
  auto m = Load(w);
  NextRow(*m);
  EXPECT_EQ(m->channels[0].outputVolume, 64 * 256 / 42);
  m->divisor = 64;
  NextRow(*m);
  EXPECT_EQ(m->channels[0].outputVolume, 32 * 256 / 64);
}

TEST(S3mPlayer, SongLength) {
  S3mWriter w;
  w.orders = {0, 1, 255};
  w.patterns.resize(2);
  auto m = Load(w);
  EXPECT_NEAR(ModuleSongLength(*m), 128 * 6 * 0.02, 1e-9);
  // A jump back to the start ends the song where it would repeat.
  w.patterns[1].push_back({31, 0, -1, 0, -1, Fx('B'), 0});
  m = Load(w);
  EXPECT_NEAR(ModuleSongLength(*m), 96 * 6 * 0.02, 1e-9);
  // A tempo change counts from its row on.
  w.patterns[1].push_back({0, 1, -1, 0, -1, Fx('T'), 250});
  m = Load(w);
  EXPECT_NEAR(ModuleSongLength(*m), 64 * 0.12 + 32 * 6 * 882.0 / 2 / 44100, 1e-6);
}

}  // namespace
}  // namespace vx
