// The options page: "options.tga" (blitted at 44, 123 onto the map's
// backdrop, so it is cut from it) and the highlights "OptionsHL.tga"/".frm",
// drawn at 0, 0 (their offsets are screen positions); and the frame of the
// high-score table, "Hiscore.tga", blitted at 45, 122. All of them carry
// words and are drawn for each language.
#include <cmath>
#include <string>

#include "art/art.h"

namespace vx::mkdata::art {

namespace {

constexpr int kOx = 44, kOy = 123, kOw = 552, kOh = 290;

struct Box {
  int x, y, w, h;  // screen position
};

// Screen layout of the options page.
const Box kMusicLabel{84, 150, 196, 26}, kSoundLabel{84, 195, 196, 26};
const Box kM0{288, 152, 26, 22}, kM100{446, 152, 26, 22}, kS0{288, 197, 26, 22}, kS100{448, 197, 26, 22};
const Box kMusicBar{320, 153, 120, 20}, kSoundBar{320, 198, 122, 20};
const Box kReverseLabel{84, 243, 220, 26}, kVanishLabel{84, 286, 220, 26};
const Box kR{320, 245, 22, 22}, kV{320, 288, 22, 22};
const Box kScrollLabel{84, 329, 220, 26}, kSlow{320, 330, 106, 26}, kFast{434, 330, 106, 26};
// The language: its label, and a plate on which the screen writes the name of
// the language in use (a click turns to the next one).
const Box kLanguageLabel{84, 372, 220, 26}, kLanguage{320, 373, 200, 26};
// Three short lines of notes at the right of the checkboxes.
constexpr int kNoteX = 470, kNoteY = 262, kNoteRight = 570;

void Plate(Canvas& c, double x, double y, double w, double h, double alpha) {
  cairo_t* cr = c.cr();
  RoundRect(cr, x, y, w, h, 14);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  AddStop(g, 0, 0x18224a, alpha);
  AddStop(g, 1, 0x070b1e, alpha);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  RoundRect(cr, x + 1, y + 1, w - 2, h - 2, 13);
  cairo_set_line_width(cr, 2);
  SetColor(cr, color::kCyan, 0.9);
  cairo_stroke(cr);
  RoundRect(cr, x + 6, y + 6, w - 12, h - 12, 9);
  cairo_set_line_width(cr, 1);
  SetColor(cr, color::kViolet, 0.5);
  cairo_stroke(cr);
}

void Label(cairo_t* cr, const Box& b, const std::string& text, bool lit, double dx, double dy) {
  UseFont(cr, true, 18);
  CheckFits(cr, text, b.w - 8, "an options label");
  double base = b.y + dy + b.h / 2 + 6;
  SetColor(cr, 0x000000, 0.7);
  cairo_move_to(cr, b.x + dx + 8 + 1, base + 1);
  cairo_show_text(cr, text.c_str());
  SetColor(cr, lit ? 0xffffff : 0x9ab0d8);
  cairo_move_to(cr, b.x + dx + 8, base);
  cairo_show_text(cr, text.c_str());
}

// A small square key with a sign; lit when pointed at.
void Key(Canvas& c, const Box& b, const char* sign, bool lit, double dx, double dy) {
  DrawButton(c, b.x + dx, b.y + dy, b.w, b.h, "", 14, lit, color::kCyan);
  cairo_t* cr = c.cr();
  UseFont(cr, true, 18);
  SetColor(cr, lit ? 0xffffff : 0xb0c4e8);
  TextCentered(cr, sign, b.x + dx + b.w / 2.0, b.y + dy + b.h / 2.0 + 6);
}

void Groove(cairo_t* cr, const Box& b, double dx, double dy) {
  RoundRect(cr, b.x + dx, b.y + dy, b.w, b.h, 4);
  SetColor(cr, 0x04060e);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, 0x4a5a88);
  cairo_stroke(cr);
  for (int i = 1; i < 10; ++i) {
    double x = b.x + dx + b.w * i / 10.0;
    cairo_move_to(cr, std::floor(x) + 0.5, b.y + dy + b.h - 4);
    cairo_line_to(cr, std::floor(x) + 0.5, b.y + dy + b.h - 1);
  }
  SetColor(cr, 0x4a5a88, 0.8);
  cairo_stroke(cr);
}

// The filled bar: the screen cuts it at the volume's percentage.
void Fill(cairo_t* cr, const Box& b, double dx, double dy) {
  cairo_pattern_t* g = cairo_pattern_create_linear(b.x + dx, 0, b.x + dx + b.w, 0);
  AddStop(g, 0, 0x2060ff);
  AddStop(g, 0.6, 0x30e0ff);
  AddStop(g, 1, 0xb0ffff);
  cairo_rectangle(cr, b.x + dx, b.y + dy + 2, b.w, b.h - 4);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_rectangle(cr, b.x + dx, b.y + dy + 3, b.w, 3);
  SetColor(cr, 0xffffff, 0.45);
  cairo_fill(cr);
  for (int i = 1; i < 10; ++i) {
    cairo_rectangle(cr, b.x + dx + std::floor(b.w * i / 10.0), b.y + dy + 2, 1, b.h - 4);
    SetColor(cr, 0x0a2050, 0.6);
    cairo_fill(cr);
  }
}

void CheckBox(cairo_t* cr, const Box& b, bool checked, double dx, double dy) {
  if (!checked) {
    RoundRect(cr, b.x + dx + 0.5, b.y + dy + 0.5, b.w - 1, b.h - 1, 4);
    SetColor(cr, 0x04060e);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.4);
    SetColor(cr, 0x5a78b0);
    cairo_stroke(cr);
    return;
  }
  RoundRect(cr, b.x + dx + 0.5, b.y + dy + 0.5, b.w - 1, b.h - 1, 4);
  SetColor(cr, 0x0a2a40);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, color::kCyan);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 3.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, b.x + dx + 5, b.y + dy + 11);
  cairo_line_to(cr, b.x + dx + 9.5, b.y + dy + 16);
  cairo_line_to(cr, b.x + dx + 17.5, b.y + dy + 5);
  SetColor(cr, color::kGreen);
  cairo_stroke(cr);
}

Image DrawOptions(const PictureWords& words) {
  Canvas c(kOw, kOh);
  PaintImage(c.cr(), NodeBackground().Crop(kOx, kOy, kOw, kOh), 0, 0, false);
  const double dx = -kOx, dy = -kOy;
  Plate(c, 16, 8, kOw - 32, kOh - 16, 0.9);
  cairo_t* cr = c.cr();
  Label(cr, kMusicLabel, words["MusicVolume"], false, dx, dy);
  Label(cr, kSoundLabel, words["SoundVolume"], false, dx, dy);
  Label(cr, kReverseLabel, words["ReverseStereo"], false, dx, dy);
  Label(cr, kVanishLabel, words["VanishingBlocks"], false, dx, dy);
  Label(cr, kScrollLabel, words["ScrollSpeed"], false, dx, dy);
  Label(cr, kLanguageLabel, words["Language"], false, dx, dy);
  Key(c, kM0, "-", false, dx, dy);
  Key(c, kM100, "+", false, dx, dy);
  Key(c, kS0, "-", false, dx, dy);
  Key(c, kS100, "+", false, dx, dy);
  Groove(cr, kMusicBar, dx, dy);
  Groove(cr, kSoundBar, dx, dy);
  CheckBox(cr, kR, false, dx, dy);
  CheckBox(cr, kV, false, dx, dy);
  DrawButton(c, kSlow.x + dx, kSlow.y + dy, kSlow.w, kSlow.h, words["Slow"], 16, false, color::kCyan);
  DrawButton(c, kFast.x + dx, kFast.y + dy, kFast.w, kFast.h, words["Fast"], 16, false, color::kCyan);
  DrawButton(c, kLanguage.x + dx, kLanguage.y + dy, kLanguage.w, kLanguage.h, "", 16, false, color::kCyan);
  UseFont(cr, false, 13);
  SetColor(cr, 0x7890c0);
  // "F10 opens|this page|in play.": one line per bar.
  const std::string& note = words["OptionsNote"];
  for (size_t start = 0, line = 0; start <= note.size(); ++line) {
    size_t bar = note.find('|', start);
    if (bar == std::string::npos) bar = note.size();
    const std::string text = note.substr(start, bar - start);
    CheckFits(cr, text, kNoteRight - kNoteX, "a line of the options note");
    cairo_move_to(cr, kNoteX + dx, kNoteY + 16.0 * line + dy);
    cairo_show_text(cr, text.c_str());
    start = bar + 1;
  }
  return c.Export(Key::kNone);
}

void MakeHighlights(Out& out, const PictureWords& words) {
  // Each highlight is drawn into its own strip of the sheet.
  struct Item {
    const char* name;
    Box box;
  };
  const Item items[] = {{"mvol", kMusicBar},       {"svol", kSoundBar},  {"r", kR},           {"reverse", kReverseLabel},
                        {"v", kV},                 {"vanishing", kVanishLabel}, {"slow", kSlow}, {"fast", kFast},
                        {"m0", kM0},               {"m100", kM100},      {"s0", kS0},         {"s100", kS100},
                        {"music", kMusicLabel},    {"sound", kSoundLabel},
                        {"language", kLanguage},   {"languagelabel", kLanguageLabel}};
  int height = 0;
  for (const Item& it : items) height += it.box.h;
  Canvas c(240, height);
  FrmWriter frm;
  int y = 0;
  for (const Item& it : items) {
    const Box& b = it.box;
    double dx = -b.x, dy = y - b.y;
    std::string n = it.name;
    if (n == "mvol" || n == "svol") Fill(c.cr(), b, dx, dy);
    else if (n == "r" || n == "v") CheckBox(c.cr(), b, true, dx, dy);
    else if (n == "slow" || n == "fast") DrawButton(c, 0, y, b.w, b.h, words[n == "slow" ? "Slow" : "Fast"], 16, true, color::kCyan);
    else if (n == "language") DrawButton(c, 0, y, b.w, b.h, "", 16, true, color::kCyan);
    else if (n == "m0" || n == "s0") Key(c, b, "-", true, dx, dy);
    else if (n == "m100" || n == "s100") Key(c, b, "+", true, dx, dy);
    else {
      // A lit label: a soft bar behind the text.
      RoundRect(c.cr(), 0, y + 1, b.w, b.h - 2, 6);
      SetColor(c.cr(), 0x1a4a7a);
      cairo_fill(c.cr());
      const char* key = n == "reverse" ? "ReverseStereo" : n == "vanishing" ? "VanishingBlocks"
                        : n == "music" ? "MusicVolume" : n == "sound" ? "SoundVolume" : "Language";
      Label(c.cr(), b, words[key], true, dx, dy);
    }
    frm.Add(it.name, 0, y, b.w, b.h, b.x, b.y);
    y += b.h;
  }
  out.Tga("OptionsHL.tga", c.Export(Key::kBlack, 80), TgaFormat::kRle24);
  out.Frm("OptionsHL.frm", frm);
}

// The table frame: rows at y 165 + 16 i (text baselines), names from x 210,
// scores ending at x 430.
void MakeHiscore(Out& out, const PictureWords& words) {
  const int ox = 45, oy = 122, w = 550, h = 212;
  Canvas c(w, h);
  PaintImage(c.cr(), NodeBackground().Crop(ox, oy, w, h), 0, 0, false);
  Plate(c, 100, 2, 350, h - 4, 0.88);
  cairo_t* cr = c.cr();
  UseFont(cr, true, 13);
  SetColor(cr, color::kGold);
  // The rank heading stands over the numbers (which end at 190), the pilot's
  // over the names from 210, the score's over the scores ending at 430.
  const std::string& rankHeading = words["Rank"];
  const std::string& pilotHeading = words["Pilot"];
  const std::string& scoreHeading = words["Score"];
  CheckFits(cr, rankHeading, 200 - 160, "the rank heading");
  CheckFits(cr, pilotHeading, 320 - 210, "the pilot heading");
  CheckFits(cr, scoreHeading, 430 - 330, "the score heading");
  cairo_move_to(cr, 160 - ox, 143 - oy);
  cairo_show_text(cr, rankHeading.c_str());
  cairo_move_to(cr, 210 - ox, 143 - oy);
  cairo_show_text(cr, pilotHeading.c_str());
  double sw = TextWidth(cr, scoreHeading);
  cairo_move_to(cr, 430 - ox - sw, 143 - oy);
  cairo_show_text(cr, scoreHeading.c_str());
  cairo_rectangle(cr, 150 - ox, 148 - oy, 290, 1);
  SetColor(cr, color::kCyan, 0.7);
  cairo_fill(cr);
  for (int i = 0; i < 10; ++i) {
    double base = 165 + 16 * i - oy;
    if (i % 2 == 0) {
      cairo_rectangle(cr, 150 - ox, base - 13, 290, 16);
      SetColor(cr, 0x3050a0, 0.22);
      cairo_fill(cr);
    }
    UseFont(cr, true, 13);
    SetColor(cr, i < 3 ? Mix(color::kGold, 0xffffff, i * 0.3) : 0x7890c0);
    std::string rank = std::to_string(i + 1) + ".";
    cairo_move_to(cr, 190 - ox - TextWidth(cr, rank), base - 1);
    cairo_show_text(cr, rank.c_str());
  }
  out.Tga("Hiscore.tga", c.Export(Key::kNone));
}

}  // namespace

void MakeOptions(Out& out, const PictureWords& words) {
  out.Tga("options.tga", DrawOptions(words));
  MakeHighlights(out, words);
  MakeHiscore(out, words);
}

}  // namespace vx::mkdata::art
