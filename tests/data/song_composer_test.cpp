// The song text and the composer: what the notation turns into in the
// module, the mistakes it refuses with a line number, and hostile text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/composer.h"
#include "data/s3m_test_reader.h"

namespace vx::mkdata {
namespace {

const char kHeader[] = R"(title Test
tempo 125
speed 6
global 40
instrument kick kick vol 50
instrument lead lead_square vol 40
instrument pad organ vol 30
instrument bell bell vol 40
channel drums pan 7
channel lead pan 6 inst lead vibrato 44 vdelay 2
channel p1 pan 4 inst pad
channel p2 pan 11 inst pad
channel p3 pan 8 inst pad
channel bell pan 9 inst bell low C5 nearest
channel echo pan 5 echo bell 3 50
voicing pads p1 p2 p3 low C4 high C6
kit K kick 50
groove g
  drums K...K...K...K...
style up 1234
)";

struct Result {
  bool ok = false;
  std::string error;
  S3mModule module;
  ComposeReport report;
  test::ReadModule read;
};

Result Compose(const std::string& body) {
  Result r;
  SongDef song;
  if (!ParseSong(std::string(kHeader) + body, "t.song", &song, &r.error)) return r;
  if (!ComposeSong(song, &r.module, &r.report, &r.error)) return r;
  std::string why;
  r.ok = test::ReadS3m(WriteS3m(r.module), &r.read, &why);
  if (!r.ok) r.error = why;
  return r;
}

const test::ReadCell& At(const Result& r, int order, int row, int ch) {
  return r.read.patterns[r.read.orders[order]][row * r.read.channels + ch];
}

constexpr int kDrums = 0, kLead = 1, kP1 = 2, kBell = 5, kEcho = 6;

TEST(ChordTest, SymbolsGiveRootIntervalsAndBass) {
  int root, bass;
  std::vector<int> iv;
  ASSERT_TRUE(ParseChord("Em", &root, &iv, &bass));
  EXPECT_EQ(root, 4);
  EXPECT_EQ(iv, (std::vector<int>{0, 3, 7}));
  ASSERT_TRUE(ParseChord("D/F#", &root, &iv, &bass));
  EXPECT_EQ(root, 2);
  EXPECT_EQ(bass, 6);
  ASSERT_TRUE(ParseChord("Bbmaj7", &root, &iv, &bass));
  EXPECT_EQ(root, 10);
  EXPECT_EQ(iv, (std::vector<int>{0, 4, 7, 11}));
  for (const char* bad : {"H7", "C/X", "Cxyz", "", "/E", "C#m/"}) EXPECT_FALSE(ParseChord(bad, &root, &iv, &bass)) << bad;
}

TEST(ComposerTest, MelodyMarksBecomeEffectsWithParametersSpelledOut) {
  Result r = Compose(R"(section s
  chords C | F | G | C
  lead C5:8~> E5:4' G5:4 | A5:8< G5:8/ | F5:8\ E5:4! D5:4? | C5:16~
order s
)");
  ASSERT_TRUE(r.ok) << r.error;
  // Note cells: C5 at row 0 with instrument; glide G5 at row 24 without one.
  EXPECT_EQ(At(r, 0, 0, kLead).instrument, 2);
  EXPECT_EQ(At(r, 0, 24, kLead).instrument, 0);
  EXPECT_EQ(At(r, 0, 24, kLead).command, S3mCommand('G'));
  EXPECT_EQ(At(r, 0, 8, kLead).command, S3mCommand('S'));
  EXPECT_EQ(At(r, 0, 8, kLead).info, 0xC3);
  EXPECT_EQ(At(r, 0, 16, kLead).volume, 8);  // swell starts low ...
  EXPECT_EQ(At(r, 0, 16, kLead).command, S3mCommand('D'));
  EXPECT_EQ(At(r, 0, 16, kLead).info & 0x0f, 0);  // ... and slides up
  EXPECT_EQ(At(r, 0, 39, kLead).command, S3mCommand('E'));  // the fall at the end of F5
  EXPECT_EQ(At(r, 0, 44, kLead).volume, 40 * 6 / 10);       // ghost note
  // The player's loader swaps a zero parameter for the channel's last one,
  // so none may be written (the pattern break excepted).
  for (const auto& p : r.read.patterns)
    for (const auto& c : p)
      if (c.command && c.command != S3mCommand('C')) {
        EXPECT_NE(c.info, 0);
      }
  EXPECT_NE(r.report.effects.find('K'), std::string::npos);  // vibrato with the fade
}

TEST(ComposerTest, MistakesAreRefusedWithTheirLine) {
  struct Case {
    const char* body;
    const char* needle;
  } cases[] = {
      {"section s\n  lead C5:8 | D5:4 | E5:4\norder s\n", "bar line"},
      {"section s\n  lead C5:4/\norder s\n", "glide"},
      {"section s\n  lead C5:80\norder s\n", "past the end"},
      {"section s\n  lead Q5:4\norder s\n", "bad token"},
      {"section s\n  lead B0:4\norder s\n", "range"},
      {"section s\n  chords C | F | G\n  pads hold\norder s\n", "cover"},
      {"section s\n  chords C | F | G | Xq\norder s\n", "unknown chord"},
      {"section s\n  nosuch C5:4\norder s\n", "unknown channel"},
      {"section s\n  lead *nowhere\norder s\n", "unknown phrase"},
      {"section s\norder t\n", "unknown section"},
      {"phrase loop\n  *loop\nsection s\n  lead *loop\norder s\n", "nest"},
  };
  for (const Case& c : cases) {
    Result r = Compose(c.body);
    EXPECT_FALSE(r.ok) << c.body;
    EXPECT_NE(r.error.find(c.needle), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("t.song:"), std::string::npos) << r.error;
  }
  SongDef song;
  std::string error;
  EXPECT_FALSE(ParseSong("instrument x nosuchkind\nchannel a\nchannel b\nchannel c\nchannel d\nsection s\norder s\n",
                         "k.song", &song, &error) &&
               [&] {
                 S3mModule m;
                 ComposeReport rep;
                 return ComposeSong(song, &m, &rep, &error);
               }());
  EXPECT_NE(error.find("nosuchkind"), std::string::npos) << error;
}

TEST(ComposerTest, ShortSectionBreaksAndTempoChangesAreUndoneOnLoop) {
  Result r = Compose(R"(section a rows 32
  drums g g
  tempo 16 100
section b
  drums g
order a b
)");
  ASSERT_TRUE(r.ok) << r.error;
  bool brk = false, t0 = false, a0 = false;
  for (int ch = 0; ch < r.read.channels; ++ch) {
    brk |= At(r, 0, 31, ch).command == S3mCommand('C') && At(r, 0, 31, ch).info == 0;
    t0 |= At(r, 0, 0, ch).command == S3mCommand('T') && At(r, 0, 0, ch).info == 125;
    a0 |= At(r, 0, 0, ch).command == S3mCommand('A') && At(r, 0, 0, ch).info == 6;
  }
  EXPECT_TRUE(brk);
  EXPECT_TRUE(t0);
  EXPECT_TRUE(a0);
  double expected = 16 * 0.12 + 16 * 6 * 2.5 / 100 + 64 * 6 * 2.5 / 100;
  EXPECT_NEAR(test::SongSeconds(r.read), expected, 1e-9);
  EXPECT_NEAR(r.report.seconds, expected, 1e-9);
  EXPECT_EQ(r.read.orders[2], 255);
}

// A swell must land on the pad's volume whatever the ticks per row: it is
// measured in ticks, so a half-time section needs half the rows.
TEST(ComposerTest, SwellsFollowTheSectionsSpeed) {
  Result r = Compose(R"(section a
  chords C | C | C | C
  pads swell
section b
  chords F | F | F | F
  speed 0 12
  pads swell
order a b
)");
  ASSERT_TRUE(r.ok) << r.error;
  for (int order = 0; order < 2; ++order) {
    const int speed = order == 0 ? 6 : 12;
    int volume = 0, swells = 0;
    for (int row = 0; row < 64; ++row) {
      const test::ReadCell& c = At(r, order, row, kP1);
      if (c.volume != 255) {
        if (row) {
          EXPECT_GE(volume, 30 - speed) << order << " " << row;
        }
        volume = c.volume;
        ++swells;
      }
      if (c.command == S3mCommand('D')) volume += (c.info >> 4) * speed;
      EXPECT_LE(volume, 30) << order << " " << row;  // never above the organ's volume
    }
    EXPECT_GE(volume, 30 - speed) << order;
    EXPECT_EQ(swells, 4);
  }
}

TEST(ComposerTest, HeldChordsKeepCommonTonesAndSilentChannelsAreCut) {
  Result r = Compose(R"(section s
  chords C | Am | F | C
  pads hold
section t
  chords C | C | C | C
  lead C5:4
order s t
)");
  ASSERT_TRUE(r.ok) << r.error;
  // C to Am shares C and E: exactly one voice moves at row 16.
  int moved = 0;
  for (int ch = kP1; ch < kP1 + 3; ++ch) moved += At(r, 0, 16, ch).note != 255;
  EXPECT_EQ(moved, 1);
  // The second section leaves the pads out: their looped notes are cut.
  for (int ch = kP1; ch < kP1 + 3; ++ch) EXPECT_EQ(At(r, 1, 0, ch).note, kS3mNoteCut);
}

TEST(ComposerTest, EchoRepeatsNotesLaterAndSofterAcrossSections) {
  Result r = Compose(R"(section s
  chords C | C | C | C
  bell r:62 C5:2
section t
  chords C | C | C | C
  bell r:64
order s t
)");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_NE(At(r, 0, 62, kBell).note, 255);
  EXPECT_EQ(At(r, 1, 1, kEcho).note, At(r, 0, 62, kBell).note);
  EXPECT_EQ(At(r, 1, 1, kEcho).volume, 20);  // half of the bell's 40
}

TEST(ComposerTest, StylesFollowTheChords) {
  Result r = Compose(R"(section s
  chords C | Am | C | Am
  bell up
order s
)");
  ASSERT_TRUE(r.ok) << r.error;
  // "nearest" from C5: C E G C over C; C E A C over Am (bell sounds C5 at C-3).
  EXPECT_EQ(At(r, 0, 0, kBell).note, S3mNote(3, 0));
  EXPECT_EQ(At(r, 0, 2, kBell).note, S3mNote(3, 7));
  EXPECT_EQ(At(r, 0, 18, kBell).note, S3mNote(3, 9));
}

TEST(ComposerTest, RefusesAMixThatCouldWrap) {
  std::string body = "section s\n  chords C | C | C | C\n  drums g\n  pads hold\n  bell up\n  lead C5:64\norder s\n";
  SongDef song;
  std::string error;
  std::string text = std::string(kHeader) + body;
  text.replace(text.find("global 40"), 9, "global 64");
  for (const char* v : {"kick vol 50", "lead_square vol 40", "organ vol 30", "bell vol 40"}) {
    std::string from = v, to = from.substr(0, from.find("vol")) + "vol 64";
    text.replace(text.find(from), from.size(), to);
  }
  ASSERT_TRUE(ParseSong(text, "loud.song", &song, &error)) << error;
  S3mModule m;
  ComposeReport rep;
  EXPECT_FALSE(ComposeSong(song, &m, &rep, &error));
  EXPECT_NE(error.find("overflow"), std::string::npos) << error;
}

// Garbage, truncations and flipped bytes of a valid song: every outcome is a
// clean result or a clean refusal.
TEST(ComposerTest, HostileTextNeverCrashes) {
  const std::string good = std::string(kHeader) +
                           "section s\n  chords C | F | G | C\n  drums g\n  pads hold\n  bell up\n"
                           "  lead C5:8~ D5:8 | E5:16 | D5:8/ C5:8 | C5:16>\norder s\n";
  auto attempt = [](const std::string& text) {
    SongDef song;
    std::string error;
    S3mModule m;
    ComposeReport rep;
    if (ParseSong(text, "h.song", &song, &error) && ComposeSong(song, &m, &rep, &error)) WriteS3m(m);
    else EXPECT_FALSE(error.empty());
  };
  attempt("");
  attempt(std::string("\0\xff\x01garbage\n\t\t\n#", 16));
  attempt("bar 0\n" + good);
  attempt("speed 0\n" + good);
  attempt("tempo 99999\n" + good);
  attempt(good + "section x rows 99999\n");
  attempt(std::string(100000, 'x'));
  for (size_t cut = 0; cut < good.size(); cut += 7) attempt(good.substr(0, cut));
  uint32_t seed = 12345;
  for (int i = 0; i < 400; ++i) {
    std::string t = good;
    for (int k = 0; k < 3; ++k) {
      seed = seed * 1103515245u + 12345u;
      size_t at = (seed >> 8) % t.size();
      seed = seed * 1103515245u + 12345u;
      t[at] = static_cast<char>(" 0123456789:|~/<>'.-x#@^*$|\n"[(seed >> 8) % 28]);
    }
    attempt(t);
  }
}

}  // namespace
}  // namespace vx::mkdata
