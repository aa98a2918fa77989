#include "aux_isp_tool/gfx/gfx_lib_nvidia.h"

#include "aux_isp_tool/gfx/transfer_pieces.h"

namespace peloisp {
namespace {

// NvAPI_Initialize's status when nvapi.dll cannot be loaded; every later call reports it too.
constexpr int32_t kNvapiLibraryNotFound = -2;

}  // namespace

int32_t GfxLibNvidia::Init(std::wstring& message) {
  message = L"Graphics adapter initialization - NVIDIA: failed! (Library not found)\r\n";
  return kGfxInitFailed;
}

int32_t GfxLibNvidia::Connect(int32_t&, int32_t, std::wstring& message) {
  message.clear();
  return kNvapiLibraryNotFound;
}

int32_t GfxLibNvidia::I2cWrite(int32_t, int32_t, const uint8_t* data, int32_t length) {
  return IsBadTransfer(data, length) ? kGfxBadArgument : kNvapiLibraryNotFound;
}

int32_t GfxLibNvidia::I2cReadReply(int32_t, int32_t, uint8_t* buffer, int32_t, int32_t* length,
                                   std::wstring& detail) {
  detail.clear();
  return (buffer == nullptr || length == nullptr) ? kGfxBadArgument : kNvapiLibraryNotFound;
}

int32_t GfxLibNvidia::AuxWrite(int32_t, uint32_t, const uint8_t* data, int32_t length) {
  return IsBadTransfer(data, length) ? kGfxBadArgument : kNvapiLibraryNotFound;
}

int32_t GfxLibNvidia::AuxRead(int32_t, uint32_t, uint8_t* buffer, int32_t length) {
  return IsBadTransfer(buffer, length) ? kGfxBadArgument : kNvapiLibraryNotFound;
}

void GfxLibNvidia::Shutdown() {}

}  // namespace peloisp
