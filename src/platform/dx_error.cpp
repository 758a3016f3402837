#include "platform/dx_error.h"

namespace vx {

namespace {
struct NamedCode {
  int32_t code;
  const char* name;
};

#define VX_CODE(n) {n, #n}
const NamedCode kCodes[] = {
    VX_CODE(DDERR_INCOMPATIBLEPRIMARY),      VX_CODE(DDERR_INVALIDCAPS),
    VX_CODE(DDERR_INVALIDOBJECT),            VX_CODE(DDERR_INVALIDPARAMS),
    VX_CODE(DDERR_INVALIDPIXELFORMAT),       VX_CODE(DDERR_NOALPHAHW),
    VX_CODE(DDERR_NOCOOPERATIVELEVELSET),    VX_CODE(DDERR_NODIRECTDRAWHW),
    VX_CODE(DDERR_NOEMULATION),              VX_CODE(DDERR_NOEXCLUSIVEMODE),
    VX_CODE(DDERR_NOFLIPHW),                 VX_CODE(DDERR_NOMIPMAPHW),
    VX_CODE(DDERR_NOOVERLAYHW),              VX_CODE(DDERR_NOZBUFFERHW),
    VX_CODE(DDERR_OUTOFMEMORY),              VX_CODE(DDERR_OUTOFVIDEOMEMORY),
    VX_CODE(DDERR_PRIMARYSURFACEALREADYEXISTS), VX_CODE(DDERR_UNSUPPORTEDMODE),
    VX_CODE(DDERR_EXCEPTION),                VX_CODE(DDERR_GENERIC),
    VX_CODE(DDERR_INVALIDRECT),              VX_CODE(DDERR_NOBLTHW),
    VX_CODE(DDERR_SURFACEBUSY),              VX_CODE(DDERR_SURFACELOST),
    VX_CODE(DDERR_UNSUPPORTED),              VX_CODE(DDERR_WASSTILLDRAWING),
    VX_CODE(DDERR_DIRECTDRAWALREADYCREATED), VX_CODE(DDERR_INVALIDDIRECTDRAWGUID),
    VX_CODE(DIERR_NOTINITIALIZED),           VX_CODE(E_HANDLE),
};
#undef VX_CODE
}  // namespace

const char* DXErrorName(int32_t code) {
  if (code == 0) return nullptr;
  for (const NamedCode& c : kCodes)
    if (c.code == code) return c.name;
  return "Not defined error";
}

}  // namespace vx
