// Display and input error codes. The values are the classic DirectDraw and
// DirectInput result codes, so that log lines name the same errors as ever;
// the platform back ends map their own failures onto them.
#pragma once

#include <cstdint>

namespace vx {

constexpr int32_t DxCode(uint32_t v) { return static_cast<int32_t>(v); }
constexpr int32_t DdCode(uint32_t n) { return static_cast<int32_t>(0x88760000u | n); }

constexpr int32_t DDERR_INCOMPATIBLEPRIMARY = DdCode(95);
constexpr int32_t DDERR_INVALIDCAPS = DdCode(100);
constexpr int32_t DDERR_INVALIDOBJECT = DdCode(130);
constexpr int32_t DDERR_INVALIDPARAMS = DxCode(0x80070057u);
constexpr int32_t DDERR_INVALIDPIXELFORMAT = DdCode(145);
constexpr int32_t DDERR_NOALPHAHW = DdCode(180);
constexpr int32_t DDERR_NOCOOPERATIVELEVELSET = DdCode(212);
constexpr int32_t DDERR_NODIRECTDRAWHW = DdCode(563);
constexpr int32_t DDERR_NOEMULATION = DdCode(565);
constexpr int32_t DDERR_NOEXCLUSIVEMODE = DdCode(225);
constexpr int32_t DDERR_NOFLIPHW = DdCode(230);
constexpr int32_t DDERR_NOMIPMAPHW = DdCode(591);
constexpr int32_t DDERR_NOOVERLAYHW = DdCode(260);
constexpr int32_t DDERR_NOZBUFFERHW = DdCode(340);
constexpr int32_t DDERR_OUTOFMEMORY = DxCode(0x8007000Eu);
constexpr int32_t DDERR_OUTOFVIDEOMEMORY = DdCode(380);
constexpr int32_t DDERR_PRIMARYSURFACEALREADYEXISTS = DdCode(564);
constexpr int32_t DDERR_UNSUPPORTEDMODE = DdCode(590);
constexpr int32_t DDERR_EXCEPTION = DdCode(55);
constexpr int32_t DDERR_GENERIC = DxCode(0x80004005u);
constexpr int32_t DDERR_INVALIDRECT = DdCode(150);
constexpr int32_t DDERR_NOBLTHW = DdCode(575);
constexpr int32_t DDERR_SURFACEBUSY = DdCode(430);
constexpr int32_t DDERR_SURFACELOST = DdCode(450);
constexpr int32_t DDERR_UNSUPPORTED = DxCode(0x80004001u);
constexpr int32_t DDERR_WASSTILLDRAWING = DdCode(540);
constexpr int32_t DDERR_DIRECTDRAWALREADYCREATED = DdCode(562);
constexpr int32_t DDERR_INVALIDDIRECTDRAWGUID = DdCode(561);
constexpr int32_t DIERR_NOTINITIALIZED = DxCode(0x80070015u);
constexpr int32_t E_HANDLE = DxCode(0x80070006u);

// The printable name of a code: nullptr for 0, "Not defined error" for codes
// not listed above.
const char* DXErrorName(int32_t code);

}  // namespace vx
