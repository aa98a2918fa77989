// AMD ADL, loaded from "atiadlxx.dll" or "atiadlxy.dll".
#pragma once

#include "aux_isp_tool/gfx/gfx_lib.h"

#include <cstdint>
#include <string>

namespace peloisp {

class GfxLibAmd final : public GfxLib {
 public:
  static constexpr int32_t kMaxReply = 131;
  static constexpr uint16_t kChunkDelayUs = 700;
  static constexpr uint32_t kNoRetryAddress = 0x20000;

  GfxLibAmd() : GfxLib(kMaxReply, kChunkDelayUs, kNoRetryAddress) {}

  int32_t Init(std::wstring& message) override;
  int32_t Connect(int32_t& deviceId, int32_t i2cAddress, std::wstring& message) override;
  int32_t I2cWrite(int32_t deviceId, int32_t i2cAddress, const uint8_t* data,
                   int32_t length) override;
  int32_t I2cReadReply(int32_t deviceId, int32_t i2cAddress, uint8_t* buffer, int32_t capacity,
                       int32_t* length, std::wstring& detail) override;
  int32_t AuxWrite(int32_t deviceId, uint32_t address, const uint8_t* data,
                   int32_t length) override;
  int32_t AuxRead(int32_t deviceId, uint32_t address, uint8_t* buffer, int32_t length) override;

  // Releases what Init acquired; the ISP context's teardown calls it.
  void Shutdown();
};

}  // namespace peloisp
