// The pictures of the default data set: every image, sprite sheet and
// animation the game loads, drawn with Cairo in one look (deep space, a
// glowing sea, metallic and neon game pieces).
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "art/canvas.h"
#include "art/words.h"
#include "common/image.h"
#include "common/sprite_text.h"

namespace vx::mkdata::art {

// Writes files below OUT/ROOT under the names the game uses ("Items\Item00.tga"):
// ROOT is DATA for the data archive, LANG or xx/LANG for a language's archive.
class Out {
 public:
  explicit Out(std::string dir, std::string root = "DATA");
  void Tga(const std::string& gamePath, const Image& img, TgaFormat format = TgaFormat::kRgb24);
  void Bmp(const std::string& gamePath, const Image& img);
  void Text(const std::string& gamePath, const std::string& text);
  void Frm(const std::string& gamePath, const FrmWriter& frm);
  void Anm(const std::string& gamePath, const AnmWriter& anm) { Text(gamePath, anm.Text()); }
  // Files outside the archive tree (desktop icons): OUT/<relPath>.
  void Png(const std::string& relPath, const Canvas& canvas);
  bool ok() const { return ok_; }
  // With VX_MKDATA_PREVIEW set to a folder, every picture is also saved there
  // as PNG for looking at it while drawing.
  bool Previewing() const { return !previewDir_.empty(); }
  void Preview(const std::string& name, const Image& img);
  // While previewing, what was written, for screen mock-ups.
  const Image* FindImage(const std::string& gamePath) const;
  const FrmWriter* FindFrm(const std::string& gamePath) const;
  // Takes over what another Out wrote, for mock-ups of screens with words.
  void Adopt(const Out& other);

 private:
  std::map<std::string, Image> images_;
  std::map<std::string, FrmWriter> frms_;
  std::string dir_;
  std::string root_;
  std::string previewDir_;
  std::mutex mutex_;
  std::mutex previewMutex_;
  bool ok_ = true;
};

// Palette of the whole set.
namespace color {
constexpr uint32_t kSpace = 0x060a1e;
constexpr uint32_t kNight = 0x0c1434;
constexpr uint32_t kCyan = 0x28e8ff;
constexpr uint32_t kTeal = 0x10c0b0;
constexpr uint32_t kMagenta = 0xff3cc8;
constexpr uint32_t kViolet = 0x8a4cff;
constexpr uint32_t kGold = 0xffc83c;
constexpr uint32_t kOrange = 0xff7a20;
constexpr uint32_t kRed = 0xff3040;
constexpr uint32_t kGreen = 0x50ff70;
constexpr uint32_t kSteel = 0x9aa6bc;
constexpr uint32_t kSteelDark = 0x3a4256;
constexpr uint32_t kWhite = 0xf4f8ff;
}  // namespace color

// Shared pieces drawn into several pictures.
// An item icon (ids 0..22), centred on (cx, cy), turned by angle (0 = front), size = diameter.
void DrawItemIcon(cairo_t* cr, int id, double cx, double cy, double size, double turn);
// A coin: value 5 (gold) or 1 (silver), turned by angle radians about its vertical axis.
void DrawCoin(cairo_t* cr, int value, double cx, double cy, double radius, double turn);
// The status panel below the play window (640 x 80), drawn at (x, y) with a scale.
void DrawPanel(cairo_t* cr, double x, double y, double scale);
// The world map's background (640 x 480) without overlays.
Image NodeBackground();
// A metallic button plate with a neon rim and a label; a label wider than
// the plate fails the picture set (CheckFits).
void DrawButton(Canvas& c, double x, double y, double w, double h, const std::string& label, double textSize,
                bool lit, uint32_t accent);

// Block image n of "Blocks.tga" drawn at (x, y).
void DrawBlockImage(cairo_t* cr, int n, double x, double y);

// The parts of the set, each writing its files.
void MakeBlocks(Out& out);
void MakeTiles(Out& out);
void MakeBackObjects(Out& out);
void MakeItems(Out& out);
void MakePlanets(Out& out);
void MakeSprites(Out& out);
void MakeUi(Out& out);
void MakeBoss(Out& out);
void MakeMenu(Out& out);
void MakeMap(Out& out);
void MakeShop(Out& out);
void MakeHelp(Out& out);
void MakeEnding(Out& out);
void MakeIcons(Out& out);
// The pictures with words, once per language, into that language's tree.
void MakeMenuWords(Out& out, const PictureWords& words);
void MakeOptions(Out& out, const PictureWords& words);
void MakeShopWords(Out& out, const PictureWords& words);
void MakeHelpWords(Out& out, const PictureWords& words);
// Screen mock-ups from the written pictures (preview only).
void MakePreviews(Out& out);

}  // namespace vx::mkdata::art
