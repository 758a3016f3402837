#include "campaign/shop_screen.h"

namespace vx {

int ShopScreen::InitSurfaces() { return 1; }

int ShopScreen::ReleaseSurfaces() { return 1; }

int ShopScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int ShopScreen::OnFrame() { return 1; }

}  // namespace vx
