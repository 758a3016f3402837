#include "art/art.h"
namespace vx::mkdata::art {
void MakePlanets(Out&) {}
void MakeSprites(Out&) {}
void MakeBoss(Out&) {}
void MakeMenu(Out&) {}
void MakeMap(Out&) {}
void MakeOptions(Out&) {}
void MakeShop(Out&) {}
void MakeHelp(Out&) {}
void MakeIcons(Out&) {}
}
