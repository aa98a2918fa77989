// A GfxLib over the simulated AUX channel, for running the engine against the chip model in one
// process. Test-only: the product's backends go through the vendors' driver interfaces, and their
// doubles must pass the same engine tests. No retries of its own: a deferred request is 1003
// (busy) at once, a refused one 1002, so each fault knob maps to one result.
#pragma once

#include "aux_isp_tool/gfx/gfx_lib.h"
#include "sim/saltmere/saltmere_dock.h"

#include <cstdint>
#include <string>

namespace sim {

inline constexpr int32_t kSimRefused = 1002;  // NAK, or no display with that id

class SimGfxLib final : public peloisp::GfxLib {
 public:
  struct Options {
    int32_t maxReply = 132;
    int32_t deviceId = 1;  // the display that leads to the dock
    std::wstring name = L"Simulated";
    int32_t initResult = 0;     // non-zero: Init fails with it
    int32_t connectResult = 0;  // non-zero: Connect fails with it
  };

  explicit SimGfxLib(SaltmereDock& dock) : SimGfxLib(dock, Options{}) {}
  SimGfxLib(SaltmereDock& dock, Options options);
  ~SimGfxLib() = default;

  int32_t Init(std::wstring& message) override;
  int32_t Connect(int32_t& deviceId, int32_t i2cAddress, std::wstring& message) override;
  int32_t I2cWrite(int32_t deviceId, int32_t i2cAddress, const uint8_t* data,
                   int32_t length) override;
  int32_t I2cReadReply(int32_t deviceId, int32_t i2cAddress, uint8_t* buffer, int32_t capacity,
                       int32_t* length, std::wstring& detail) override;
  int32_t AuxWrite(int32_t deviceId, uint32_t address, const uint8_t* data,
                   int32_t length) override;
  int32_t AuxRead(int32_t deviceId, uint32_t address, uint8_t* buffer, int32_t length) override;

 private:
  int32_t Result(AuxReply reply) const;
  template <typename Transfer>
  int32_t InPieces(int32_t length, Transfer transfer) const;
  // After a failed Init the backend reaches no driver: every transfer is refused.
  bool Refused(int32_t deviceId) const { return initFailed_ || deviceId != options_.deviceId; }
  int32_t I2cPiece(bool write, int32_t i2cAddress, bool mot, uint8_t* data, size_t length);

  SaltmereDock& dock_;
  Options options_;
  bool initFailed_ = false;
};

}  // namespace sim
