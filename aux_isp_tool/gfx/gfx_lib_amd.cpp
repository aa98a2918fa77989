#include "aux_isp_tool/gfx/gfx_lib_amd.h"

#include "aux_isp_tool/gfx/transfer_pieces.h"

namespace peloisp {
namespace {

constexpr int32_t kAmdLoadingDllFailed = 1004;
// Transfers without the entry point they need: native AUX, DDC block access.
constexpr int32_t kAmdNoNativeAux = 1006;
constexpr int32_t kAmdNoDdcBlockAccess = 1007;

}  // namespace

// Neither "atiadlxx.dll" nor "atiadlxy.dll" is present without AMD's driver.
int32_t GfxLibAmd::Init(std::wstring& message) {
  message = L"Graphics adapter initialization - AMD: Loading DLL failed!\r\n";
  return kAmdLoadingDllFailed;
}

int32_t GfxLibAmd::Connect(int32_t&, int32_t, std::wstring& message) {
  message.clear();
  return kAmdLoadingDllFailed;
}

int32_t GfxLibAmd::I2cWrite(int32_t, int32_t, const uint8_t* data, int32_t length) {
  return IsBadTransfer(data, length) ? kGfxBadArgument : kAmdNoDdcBlockAccess;
}

int32_t GfxLibAmd::I2cReadReply(int32_t, int32_t, uint8_t* buffer, int32_t, int32_t* length,
                                std::wstring&) {
  return (buffer == nullptr || length == nullptr) ? kGfxBadArgument : kAmdNoDdcBlockAccess;
}

int32_t GfxLibAmd::AuxWrite(int32_t, uint32_t, const uint8_t* data, int32_t length) {
  return IsBadTransfer(data, length) ? kGfxBadArgument : kAmdNoNativeAux;
}

int32_t GfxLibAmd::AuxRead(int32_t, uint32_t, uint8_t* buffer, int32_t length) {
  return IsBadTransfer(buffer, length) ? kGfxBadArgument : kAmdNoNativeAux;
}

void GfxLibAmd::Shutdown() {}

}  // namespace peloisp
