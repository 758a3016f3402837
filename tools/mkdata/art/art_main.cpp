#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "art/art.h"
#include "mkdata.h"

namespace vx::mkdata::art {

Out::Out(std::string dir, std::string root) : dir_(std::move(dir)), root_(std::move(root)) {
  if (const char* p = std::getenv("VX_MKDATA_PREVIEW")) previewDir_ = p;
}

namespace {
std::string HostPath(const std::string& root, const std::string& gamePath) {
  std::string p = root + "/" + gamePath;
  for (char& ch : p)
    if (ch == '\\') ch = '/';
  return p;
}
}  // namespace

void Out::Tga(const std::string& gamePath, const Image& img, TgaFormat format) {
  std::vector<uint8_t> bytes = EncodeTga(img, format);
  bool good = WriteFile(dir_, HostPath(root_, gamePath), bytes.data(), bytes.size());
  std::lock_guard<std::mutex> lock(mutex_);
  if (!good) {
    std::fprintf(stderr, "velotrix-mkdata: cannot write %s\n", gamePath.c_str());
    ok_ = false;
  }
  if (!previewDir_.empty()) {
    images_[gamePath] = img;
    Preview(gamePath, img);
  }
}

void Out::Bmp(const std::string& gamePath, const Image& img) {
  std::vector<uint8_t> bytes = EncodeBmp24(img);
  bool good = WriteFile(dir_, HostPath(root_, gamePath), bytes.data(), bytes.size());
  std::lock_guard<std::mutex> lock(mutex_);
  if (!good) {
    std::fprintf(stderr, "velotrix-mkdata: cannot write %s\n", gamePath.c_str());
    ok_ = false;
  }
  if (!previewDir_.empty()) {
    images_[gamePath] = img;
    Preview(gamePath, img);
  }
}

void Out::Frm(const std::string& gamePath, const FrmWriter& frm) {
  Text(gamePath, frm.Text());
  std::lock_guard<std::mutex> lock(mutex_);
  if (!previewDir_.empty()) frms_[gamePath] = frm;
}

const Image* Out::FindImage(const std::string& gamePath) const {
  auto it = images_.find(gamePath);
  return it == images_.end() ? nullptr : &it->second;
}

const FrmWriter* Out::FindFrm(const std::string& gamePath) const {
  auto it = frms_.find(gamePath);
  return it == frms_.end() ? nullptr : &it->second;
}

void Out::Adopt(const Out& other) {
  std::lock_guard<std::mutex> lock(mutex_);
  images_.insert(other.images_.begin(), other.images_.end());
  frms_.insert(other.frms_.begin(), other.frms_.end());
}

void Out::Text(const std::string& gamePath, const std::string& text) {
  bool good = WriteText(dir_, HostPath(root_, gamePath), text);
  std::lock_guard<std::mutex> lock(mutex_);
  if (!good) {
    std::fprintf(stderr, "velotrix-mkdata: cannot write %s\n", gamePath.c_str());
    ok_ = false;
  }
}

void Out::Png(const std::string& relPath, const Canvas& canvas) {
  std::string path = dir_ + "/" + relPath;
  // WriteFile makes the folders; the PNG itself comes from Cairo.
  bool good = WriteFile(dir_, relPath, "", 0) &&
              cairo_surface_write_to_png(canvas.surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!good) {
    std::fprintf(stderr, "velotrix-mkdata: cannot write %s\n", relPath.c_str());
    ok_ = false;
  }
}

// Previews show keyed pixels as a checkerboard so the key is visible.
void Out::Preview(const std::string& gamePath, const Image& img) {
  if (previewDir_.empty()) return;
  std::lock_guard<std::mutex> lock(previewMutex_);
  // Another language's pictures carry its tree in their names.
  std::string name = root_ == "DATA" || root_ == "LANG" ? gamePath : root_ + "/" + gamePath;
  for (char& ch : name)
    if (ch == '\\' || ch == '/') ch = '_';
  // Small pictures are enlarged (nearest neighbour) so their pixels can be seen.
  int zoom = std::max(1, std::min(4, 640 / std::max(img.width, img.height)));
  Canvas c(img.width * zoom, img.height * zoom);
  cairo_surface_flush(c.surface());
  uint8_t* data = cairo_image_surface_get_data(c.surface());
  int stride = cairo_image_surface_get_stride(c.surface());
  for (int y = 0; y < img.height * zoom; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < img.width * zoom; ++x) {
      uint32_t p = img.At(x / zoom, y / zoom);
      if (p == 0) p = ((x / 4 + y / 4) & 1) ? 0x202020 : 0x303030;
      row[x] = 0xff000000u | p;
    }
  }
  cairo_surface_mark_dirty(c.surface());
  c.SavePng(previewDir_ + "/" + name + ".png");
}

namespace {

// The pictures with words of one language.
bool GenerateWords(const std::string& outDir, const std::string& language, Out* adopter) {
  Out out(outDir, LangRoot(language));
  const PictureWords words(language);
  for (void (*part)(Out&, const PictureWords&) :
       {MakeMenuWords, MakeOptions, MakeShopWords, MakeHelpWords})
    part(out, words);
  if (adopter) adopter->Adopt(out);
  return out.ok();
}

bool Generate(const std::string& outDir) {
  Out out(outDir);
  // Two workers: the parts are independent and the machine has two cores.
  void (*parts[])(Out&) = {MakeTiles, MakeBlocks, MakeBackObjects, MakeItems, MakePlanets,
                           MakeSprites, MakeUi, MakeBoss, MakeMenu, MakeMap,
                           MakeShop, MakeHelp, MakeIcons, MakeEnding};
  const int count = int(sizeof parts / sizeof parts[0]);
  const std::vector<std::string>& languages = Languages();
  bool wordsOk = true;
  std::thread worker([&] {
    for (int i = 1; i < count; i += 2) parts[i](out);
    for (size_t k = 1; k < languages.size(); ++k)
      wordsOk = GenerateWords(outDir, languages[k], nullptr) && wordsOk;
  });
  for (int i = 0; i < count; i += 2) parts[i](out);
  const bool englishOk = GenerateWords(outDir, "en", out.Previewing() ? &out : nullptr);
  worker.join();
  if (out.Previewing()) MakePreviews(out);
  return out.ok() && englishOk && wordsOk && WordsFitted();
}

}  // namespace

VX_MKDATA_GENERATOR(art, Generate);

}  // namespace vx::mkdata::art
