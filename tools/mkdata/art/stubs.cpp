#include "art/art.h"
namespace vx::mkdata::art {
void MakeMenu(Out&) {}
void MakeMap(Out&) {}
void MakeOptions(Out&) {}
void MakeShop(Out&) {}
void MakeHelp(Out&) {}
void MakeIcons(Out&) {}
}
