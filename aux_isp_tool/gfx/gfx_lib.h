// The AUX channel to the dock's display controller, over one graphics vendor's driver interface.
#pragma once

#include <cstdint>
#include <string>

namespace peloisp {

// Results of the channel's operations; 0 is success, vendor codes pass through unchanged.
inline constexpr int32_t kGfxOk = 0;
inline constexpr int32_t kGfxBadArgument = 13;
inline constexpr int32_t kGfxMalformedReply = 15;
inline constexpr int32_t kGfxInitFailed = 1001;  // Intel or NVIDIA vendor interface
inline constexpr int32_t kGfxAuxRefused = 1002;
inline constexpr int32_t kGfxBusy = 1003;  // busy through all retries
inline constexpr int32_t kGfxNotImplemented = 2;
inline constexpr int32_t kGfxFirstReadFailed = 5;
inline constexpr int32_t kGfxNoComInterface = -1;

// Connect's result when graphics is to be given up altogether (no active AMD adapter).
inline constexpr int32_t kConnectGiveUp = 3;

// No virtual destructor: the ISP context holds each backend by value and ends it explicitly.
class GfxLib {
 public:
  GfxLib(int32_t maxReplyBytes, uint16_t chunkDelayMicros, uint32_t noRetryDpcdAddress)
      : maxReply(maxReplyBytes),
        chunkDelayUs(chunkDelayMicros),
        noRetryAddress(noRetryDpcdAddress) {}
  GfxLib(const GfxLib&) = delete;
  GfxLib& operator=(const GfxLib&) = delete;

  // Brings up the vendor interface; `message` becomes one line reporting the outcome.
  virtual int32_t Init(std::wstring& message) = 0;
  // Finds the display that leads to the chip at `i2cAddress`; on success writes its id.
  virtual int32_t Connect(int32_t& deviceId, int32_t i2cAddress, std::wstring& message) = 0;
  // One I2C write transaction of the DDC/CI message (from its source-address byte on).
  virtual int32_t I2cWrite(int32_t deviceId, int32_t i2cAddress, const uint8_t* data,
                           int32_t length) = 0;
  // One DDC/CI reply; `length` receives its byte count. Only NVIDIA fills `detail`.
  virtual int32_t I2cReadReply(int32_t deviceId, int32_t i2cAddress, uint8_t* buffer,
                               int32_t capacity, int32_t* length, std::wstring& detail) = 0;
  // Native AUX writes and reads of consecutive DPCD addresses.
  virtual int32_t AuxWrite(int32_t deviceId, uint32_t address, const uint8_t* data,
                           int32_t length) = 0;
  virtual int32_t AuxRead(int32_t deviceId, uint32_t address, uint8_t* buffer, int32_t length) = 0;

  const int32_t maxReply;         // largest DDC/CI reply in bytes
  const uint16_t chunkDelayUs;    // wait before certain chunks
  const uint32_t noRetryAddress;  // a busy write to this DPCD address is not retried

 protected:
  ~GfxLib() = default;
};

// Largest piece of one AUX request (a DisplayPort AUX transaction carries at most 16 bytes).
inline constexpr int32_t kAuxPieceBytes = 16;

}  // namespace peloisp
