// Mock-ups of the screens, composed from the pictures just written and
// their frame offsets the way the screens place them. Only made when
// previewing; they let the artist check positions and legibility.
#include <cmath>
#include <cstdio>
#include <string>

#include "art/art.h"
#include "base/item_catalogue.h"

namespace vx::mkdata::art {

namespace {

constexpr uint32_t kNoKey = 0xffffffffu;

struct Mock {
  Out& out;
  Canvas c{640, 480};

  void Paint(const Image& img, int sx, int sy, int w, int h, double x, double y, uint32_t key) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    uint8_t* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int yy = 0; yy < h; ++yy) {
      uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(yy) * stride);
      for (int xx = 0; xx < w; ++xx) {
        int ix = sx + xx, iy = sy + yy;
        uint32_t p = (ix >= 0 && iy >= 0 && ix < img.width && iy < img.height) ? img.At(ix, iy) : key;
        row[xx] = (p == key) ? 0 : (0xff000000u | p);
      }
    }
    cairo_surface_mark_dirty(s);
    cairo_set_source_surface(c.cr(), s, std::floor(x), std::floor(y));
    cairo_paint(c.cr());
    cairo_surface_destroy(s);
  }
  void Image_(const std::string& path, double x, double y, uint32_t key = kNoKey) {
    if (const Image* img = out.FindImage(path)) Paint(*img, 0, 0, img->width, img->height, x, y, key);
  }
  // A frame of a sheet drawn with the sheet's top-left anchor.
  void Frame(const std::string& image, const std::string& frm, const std::string& name, double x, double y,
             bool centred = false) {
    const Image* img = out.FindImage(image);
    const FrmWriter* f = out.FindFrm(frm);
    if (!img || !f) return;
    for (const auto& fr : f->Frames()) {
      if (fr.name != name) continue;
      double px = x + fr.offX - (centred ? fr.w / 2 : 0), py = y + fr.offY - (centred ? fr.h / 2 : 0);
      Paint(*img, fr.x, fr.y, fr.w, fr.h, px, py, 0);
    }
  }
  // Cell i of an animation strip, centred on (x, y).
  void Cell(const std::string& image, int i, int cols, int w, int h, double x, double y, bool centred = true) {
    if (const Image* img = out.FindImage(image))
      Paint(*img, (i % cols) * w, (i / cols) * h, w, h, centred ? x - w / 2 : x, centred ? y - h / 2 : y, 0);
  }
  void Text(const std::string& s, double x, double y, double size, uint32_t rgb, int align = -1) {
    UseFont(c.cr(), false, size);
    SetColor(c.cr(), rgb);
    double w = TextWidth(c.cr(), s);
    cairo_move_to(c.cr(), align < 0 ? x : align == 0 ? x - w / 2 : x - w, y);
    cairo_show_text(c.cr(), s.c_str());
  }
  void Save(const std::string& name) { out.Preview("screen_" + name, c.Export(Key::kNone)); }
};

void Menu(Out& out) {
  Mock m{out};
  m.Image_("Logo2.tga", 0, 0);
  m.Image_("VelotrixQRN.tga", 17, 7);
  const char* names[] = {"newgame", "loadgame", "hiscores", "options", "instruction", "quit"};
  for (int i = 0; i < 6; ++i)
    m.Frame("menu.tga", "menu.frm", std::string(names[i]) + (i == 1 ? "_down" : "_up"), 316, 179);
  m.Text("Version 1.0", 635, 460, 16, 0xffffff, 1);
  m.Cell("Cursor.tga", 0, 8, 32, 32, 430 - 10, 240 - 5, false);
  m.Save("menu");
}

void Map(Out& out) {
  Mock m{out};
  m.Image_("Nodes\\Node.tga", 0, 0);
  const int labels[4][2] = {{108, 404}, {231, 441}, {397, 441}, {535, 404}};
  const char* words[] = {"Play", "Shop", "Save", "Back"};
  for (int i = 0; i < 4; ++i) {
    m.Cell("BackObjects\\ts0back5.bmp", 0, 8, 76, 76, labels[i][0], labels[i][1]);
    m.Text(words[i], labels[i][0], labels[i][1] + 4 + 6, 18, i == 0 ? 0xffffff : 0x969696, 0);
  }
  m.Frame("headers.tga", "headers.frm", "Velotrix", 0, 0);
  m.Frame("NodeButtons.tga", "NodeButtons.frm", "down", 269, 359);
  m.Frame("NodeButtons.tga", "NodeButtons.frm", "up", 319, 359);
  // A few nodes along the sea.
  const double nodes[][2] = {{300, 200}, {420, 230}, {200, 260}, {350, 300}, {250, 330}, {480, 360}};
  for (int i = 0; i < 6; ++i) {
    double sy = 480 - nodes[i][1] + 20;
    if (sy < 180 || sy >= 315) continue;
    double sx = (nodes[i][0] - 329) * (sy - 94.5) / 157.5 + 320;
    double k = 1.0 - ((315 - sy) / 135) * 0.6;
    if (i == 2) m.Frame("Select.tga", "Select.frm", "Select", sx, sy, true);
    if (const Image* p = out.FindImage(i < 4 ? "planet" + std::to_string(i * 2) + ".tga" : "DarkPlanets.tga")) {
      Canvas tmp(48, 48);
      (void)k;
      m.Paint(*p, i < 4 ? 0 : i * 48, 0, 48, 48, sx - 24, sy - 24, 0);
    }
  }
  m.Text("Level 3: The Shallows", 320, 150, 16, 0xffffff, 0);
  m.Save("map");
}

void Options(Out& out) {
  Mock m{out};
  m.Image_("Nodes\\Node.tga", 0, 0);
  m.Image_("options.tga", 44, 123);
  m.Frame("headers.tga", "headers.frm", "Velotrix", 0, 0);
  m.Frame("headers.tga", "headers.frm", "Options", 0, 0);
  for (const char* f : {"mvol", "svol", "r", "fast", "m100", "music"}) m.Frame("OptionsHL.tga", "OptionsHL.frm", f, 0, 0);
  m.Frame("headers.tga", "headers.frm", "quit", 0, 0);
  m.Save("options");
}

void Hiscores(Out& out) {
  Mock m{out};
  m.Image_("Nodes\\Node.tga", 0, 0);
  m.Image_("Hiscore.tga", 45, 122);
  m.Frame("headers.tga", "headers.frm", "hiscores", 0, 0);
  m.Frame("headers.tga", "headers.frm", "Velotrix", 0, 0);
  const char* names[] = {"Hypercube", "Sphere", "Hemisphere", "Tor", "Cube", "Pyramid", "Triangle", "Plane", "Line", "Dot"};
  const uint32_t colors[] = {0xffffff, 0x00ffff, 0x009fff, 0xffff00, 0xffff00, 0xffcf00, 0xffaf00, 0x0fff, 0x0fff, 0x0fff};
  for (int i = 0; i < 10; ++i) {
    m.Text(names[i], 210, 165 + 16 * i, 16, colors[i]);
    m.Text(std::to_string(100000 - i * 10000), 430, 165 + 16 * i, 16, colors[i], 1);
  }
  m.Text("Press any key", 320, 460, 16, 0xffffff, 0);
  m.Save("hiscores");
}

void Save(Out& out) {
  Mock m{out};
  m.Image_("Nodes\\Node.tga", 0, 0);
  m.Frame("headers.tga", "headers.frm", "Velotrix", 0, 0);
  m.Frame("headers.tga", "headers.frm", "Save", 0, 0);
  m.Frame("headers.tga", "headers.frm", "quits", 0, 0);
  for (int i = 0; i < 10; ++i) {
    m.Text(std::to_string(i + 1) + ".", 240, 170 + 16 * i + 14, 16, 0xffffff);
    m.Text(i == 2 ? "Ace pilot" : "<Empty slot>", 270, 170 + 16 * i + 14, 16, i == 2 ? 0x00ffff : 0x0000ff);
  }
  m.Save("save");
}

void Shop(Out& out) {
  Mock m{out};
  m.Image_("Nodes\\Node.tga", 0, 0);
  m.Image_("panel.tga", 0, 400, 0xff00ff);
  m.Image_("shelves.tga", 0, 20, 0xff00ff);
  int k = 0;
  for (int id = 1; id < kItemCount; ++id) {
    if (!IsSold(id)) continue;
    int x = 40 + (k % 7) * 85, y = 80 + (k / 7) * 60;
    char path[32];
    std::snprintf(path, sizeof path, "Items\\Item%02d.tga", id);
    if (id == ITEM_CREDIT1) m.Cell("Credits\\Credit00.tga", 0, 4, 40, 20, x + 25, y + 25);
    else m.Cell(path, 0, 8, 40, 40, x + 25, y + 25);
    m.Text("Item " + std::to_string(id), x + 25, y + 5, 11, 0xf0fff0, 0);
    m.Text(std::to_string(id * 15) + " cr", x + 25, y + 50, 9, 0xffffff, 0);
    ++k;
  }
  for (const char* f : {"buy_rel", "sell_rel", "back_push"}) m.Frame("ShopButtons.tga", "ShopButtons.frm", f, 0, 20);
  m.Text("Description:", 150 - 78, 280, 12, 0xffff00);
  m.Text("Fires twin bolts from the ship for a while.", 150, 280, 12, 0xffffff);
  m.Text("Buy price: 120", 72, 295, 12, 0xffff00);
  m.Text("Active time:", 72, 310, 12, 0x00ffff);
  for (int j = 0; j < 6; ++j) {
    cairo_rectangle(m.c.cr(), 155 + 10 * j, 303, 9, 5);
    SetColor(m.c.cr(), (100 + 10 * j) << 8);
    cairo_fill(m.c.cr());
  }
  for (int i = 0; i < 3; ++i) {
    char path[32];
    std::snprintf(path, sizeof path, "Items\\Item%02d.tga", 8 + i * 5);
    m.Cell(path, 0, 8, 40, 40, 197 + 42 * i, 447);
    m.Text(std::to_string(i + 1), 179 + 42 * i, 459, 10, 0x40afff);
  }
  m.Text("84%", 115, 420, 10, 0xffffff);
  m.Text("8", 50, 437, 10, 0xffffff);
  m.Text("150", 100, 437, 10, 0xffffff);
  m.Text("12450", 85, 455, 10, 0xffffff);
  m.Save("shop");
}

void Game(Out& out) {
  Mock m{out};
  if (const Image* t = out.FindImage("BackTiles\\Tiles00.tga"))
    for (int gy = 0; gy < 6; ++gy)
      for (int gx = 0; gx < 8; ++gx) {
        int tile = (gx * 7 + gy * 3) % 32;
        m.Paint(*t, (tile % 8) * 80, (tile / 8) * 80, 80, 80, gx * 80, gy * 80, kNoKey);
      }
  m.Cell("BackObjects\\ts0back2.bmp", 3, 8, 60, 60, 520, 120);
  if (const Image* b = out.FindImage("Blocks.tga"))
    for (int r = 2; r < 9; ++r)
      for (int col = 1; col < 19; ++col) {
        int n = 1 + (r * 7 + col) % 41;
        m.Paint(*b, (n / 16) * 32, (n % 16) * 16, 32, 16, col * 32, r * 16, 0);
      }
  m.Image_("panel.tga", 0, 400, 0xff00ff);
  m.Cell("Ship.tga", 0, 2, 80, 20, 300 - 40, 375, false);
  m.Cell("Ball.tga", 0, 8, 24, 24, 330, 300);
  m.Cell("Ball.tga", 8, 8, 24, 24, 280, 250);
  m.Cell("Enemies\\Enemy00.tga", 2, 8, 32, 32, 150, 280);
  m.Cell("Credits\\Credit00.tga", 3, 4, 40, 20, 400, 320, false);
  m.Cell("Container.tga", 1, 4, 40, 20, 200, 330, false);
  for (int i = 0; i < 4; ++i) {
    char path[32];
    std::snprintf(path, sizeof path, "Items\\Item%02d.tga", 4 + i * 4);
    m.Cell(path, i == 1 ? 3 : 0, 8, 40, 40, 197 + 42 * i, 447);
    m.Text(std::to_string(i + 1), 179 + 42 * i, 459, 10, 0x40afff);
  }
  m.Text("37%", 115, 420, 10, 0xffffff);
  m.Text("8", 50, 437, 10, 0xffffff);
  m.Text("150", 100, 437, 10, 0xffffff);
  m.Text("12450", 85, 455, 10, 0xffffff);
  if (const Image* p = out.FindImage("TPanel.tga")) m.Paint(*p, 0, p->height - 72, 320, 72, 160, 204, 0);
  m.Text("Level complete!", 320, 240, 16, 0xffff00, 0);
  m.Save("game");
}

void Help(Out& out, int page) {
  Mock m{out};
  m.Image_("Nodes\\Node.tga", 0, 0);
  m.Frame("headers.tga", "headers.frm", "Velotrix", 0, 0);
  m.Frame("HelpBtn.tga", "HelpBtn.frm", "prev", 0, 0);
  m.Frame("HelpBtn.tga", "HelpBtn.frm", "nexts", 0, 0);
  if (page == 2) m.Image_("help\\MinPanel.tga", 170, 210);
  for (int l = 0; l < 3; ++l) m.Text("Some help text on this line of the page, about the game.", 0, 160 + 18 * l, 16, 0xffffff);
  if (page == 1) {
    m.Cell("Credits\\Credit01.tga", 0, 4, 40, 20, 287, 210, false);
    m.Cell("Credits\\Credit00.tga", 0, 4, 40, 20, 420, 210, false);
    m.Image_("help\\Items.tga", 193, 317);
  }
  m.Text("Page " + std::to_string(page + 1) + " / 4", 277, 455, 13, 0xffffff);
  m.Save("help" + std::to_string(page));
}

}  // namespace

void MakePreviews(Out& out) {
  Menu(out);
  Map(out);
  Options(out);
  Hiscores(out);
  Save(out);
  Shop(out);
  Game(out);
  Help(out, 1);
  Help(out, 2);
}

}  // namespace vx::mkdata::art
