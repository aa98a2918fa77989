#include "aux_isp_tool/gfx/gfx_lib_intel.h"

#include "aux_isp_tool/gfx/format_text.h"
#include "aux_isp_tool/gfx/transfer_pieces.h"

namespace peloisp {
namespace {

// What CoCreateInstance reports on a PC whose Intel driver registered no COM server.
constexpr int32_t kClassNotRegistered = static_cast<int32_t>(0x80040154u);

}  // namespace

// Without the driver's COM server the interface is never created.
int32_t GfxLibIntel::Init(std::wstring& message) {
  message = FormatText("Graphics adapter initialization - Intel: failed! (%d)\r\n",
                       static_cast<int>(kClassNotRegistered));
  return kGfxInitFailed;
}

int32_t GfxLibIntel::Connect(int32_t&, int32_t, std::wstring& message) {
  message.clear();
  return kGfxNoComInterface;
}

int32_t GfxLibIntel::I2cWrite(int32_t, int32_t, const uint8_t* data, int32_t length) {
  return IsBadTransfer(data, length) ? kGfxBadArgument : kGfxNoComInterface;
}

int32_t GfxLibIntel::I2cReadReply(int32_t, int32_t, uint8_t* buffer, int32_t, int32_t* length,
                                  std::wstring&) {
  return (buffer == nullptr || length == nullptr) ? kGfxBadArgument : kGfxNoComInterface;
}

int32_t GfxLibIntel::AuxWrite(int32_t, uint32_t, const uint8_t* data, int32_t length) {
  return IsBadTransfer(data, length) ? kGfxBadArgument : kGfxNoComInterface;
}

int32_t GfxLibIntel::AuxRead(int32_t, uint32_t, uint8_t* buffer, int32_t length) {
  return IsBadTransfer(buffer, length) ? kGfxBadArgument : kGfxNoComInterface;
}

void GfxLibIntel::Shutdown() {}

}  // namespace peloisp
