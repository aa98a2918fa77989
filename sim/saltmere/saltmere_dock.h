// The dock's display-controller chip set (a host chip with up to two port chips behind it) on
// the simulated DisplayPort AUX channel. The channel carries I2C-over-AUX requests (7-bit
// address, the middle-of-transaction bit, at most 16 bytes each) and native AUX reads and writes
// of the DPCD space. The host's router at I2C address 0x60 (commands 61 and 62) decides whether
// I2C and DPCD traffic reaches the host chip or one of its port chips.
#pragma once

#include "sim/saltmere/saltmere_chip.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace sim {

enum class AuxReply { kAck, kNak, kDefer };

inline constexpr size_t kAuxMaxPieceBytes = 16;
inline constexpr uint8_t kRouterAddress = 0x60;  // 8-bit write form
inline constexpr uint8_t kCmdSelectPort = 0x61;
inline constexpr uint8_t kCmdReleasePort = 0x62;

struct AuxRequest {
  enum class Kind { kI2cWrite, kI2cRead, kNativeWrite, kNativeRead };
  Kind kind;
  uint32_t address;           // 7-bit I2C address or DPCD address
  bool mot;                   // I2C only
  std::vector<uint8_t> data;  // written bytes, or the bytes read
  AuxReply reply;
};

// One whole I2C write transaction as it went over the channel.
struct I2cMessage {
  uint8_t address;  // 8-bit write form
  std::vector<uint8_t> bytes;
};

struct DockConfig {
  ChipConfig host;
  std::optional<ChipConfig> port1;
  std::optional<ChipConfig> port2;
};

class SaltmereDock {
 public:
  explicit SaltmereDock(DockConfig config);

  // I2C-over-AUX requests. `address7` is the 7-bit address (0x37 for the chip at 0x6E). A write
  // or read with `mot` set continues the transaction; one without it ends it. A request of more
  // than 16 bytes is NAKed.
  AuxReply I2cWrite(uint8_t address7, bool mot, const uint8_t* data, size_t length);
  AuxReply I2cRead(uint8_t address7, bool mot, uint8_t* out, size_t length);
  // Native AUX requests of at most 16 bytes to the DPCD space of the chip the route reaches.
  AuxReply NativeWrite(uint32_t address, const uint8_t* data, size_t length);
  AuxReply NativeRead(uint32_t address, uint8_t* out, size_t length);

  SaltmereChip& Host() { return *host_; }
  // Port 1 or 2; null when the dock has no such port chip.
  SaltmereChip* Port(int port);
  // 0 while the host is reached, otherwise the selected port.
  int Route() const { return route_; }

  // Every request in order, and the whole I2C write transactions, for the tests.
  const std::vector<AuxRequest>& Trace() const { return trace_; }
  const std::vector<I2cMessage>& I2cMessages() const { return messages_; }
  void ClearTrace();

 private:
  struct Transaction {
    bool open = false;
    bool reading = false;
    uint8_t address = 0;
    std::vector<uint8_t> bytes;  // written so far
    std::vector<uint8_t> reply;  // being read
    size_t readPos = 0;
    SaltmereChip* chip = nullptr;  // null for the router
  };

  SaltmereChip* Reached();
  SaltmereChip* ChipAt(uint8_t address8);
  AuxReply Record(AuxRequest::Kind kind, uint32_t address, bool mot, const uint8_t* data,
                  size_t length, AuxReply reply);
  bool Deferred(SaltmereChip* chip);
  void RouterTake(const std::vector<uint8_t>& bytes);
  void EndTransaction();

  std::unique_ptr<SaltmereChip> host_;
  std::unique_ptr<SaltmereChip> ports_[2];
  int route_ = 0;
  Transaction transaction_;
  std::vector<uint8_t> routerPending_;
  bool routerDelivered_ = false;
  std::vector<AuxRequest> trace_;
  std::vector<I2cMessage> messages_;
};

}  // namespace sim
