#include "sim/saltmere/saltmere_chip.h"

#include "sim/saltmere/ddc_frame.h"

#include <algorithm>
#include <utility>

namespace sim {
namespace {

constexpr uint8_t kWrongCodeFlip = 0x01;
constexpr uint8_t kBadChecksumFlip = 0x01;

uint32_t BigEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
         static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

bool Touches(uint32_t address, size_t length, uint32_t first, size_t count) {
  return address < first + count && first < address + length;
}

}  // namespace

SaltmereChip::SaltmereChip(ChipConfig config)
    : config_(std::move(config)),
      window_(dpcd_, config_.flash, config_.flashBase, config_.flashId) {
  // The chip-id registers as each kind answers them.
  switch (config_.kind) {
    case ChipKind::kWrenlo:
      registers_[kRegChipId] = 0x2810;
      registers_[kRegChipIdAlt] = 0x0000;
      break;
    case ChipKind::kCorbelle:
      registers_[kRegChipId] = 0x2620;
      registers_[kRegChipIdAlt] = 0x0000;
      break;
    case ChipKind::kFenn:
      registers_[kRegChipId] = 0x1100;
      registers_[kRegChipIdAlt] = 0x1064;
      break;
    case ChipKind::kTalmont:
      registers_[kRegChipId] = 0x1100;
      registers_[kRegChipIdAlt] = 0x4330;
      break;
  }
  Reset();
}

void SaltmereChip::Reset() {
  state_ = ChipState::kRunning;
  pending_.clear();
  delivered_ = false;
  nullsLeft_ = 0;
  driverStart_ = -1;
  window_.Close();
  identity_ = IdentityFromFlash(config_.kind, config_.flash, config_.romHwRevision);
  const Identification bytes = identity_.Bytes();
  for (size_t i = 0; i < bytes.size(); ++i) {
    dpcd_[kDpcdIdentification + static_cast<uint32_t>(i)] = bytes[i];
  }
}

uint16_t SaltmereChip::Register(uint16_t reg) const {
  const auto found = registers_.find(reg);
  return found == registers_.end() ? 0 : found->second;
}

void SaltmereChip::Answer(std::vector<uint8_t> reply) {
  if (faults_.wrongReplyCodes > 0 && reply.size() > 7) {
    --faults_.wrongReplyCodes;
    const uint8_t code = reply[6] ^ kWrongCodeFlip;
    reply =
        BuildDataReply(reply[0], code, std::vector<uint8_t>(reply.begin() + 7, reply.end() - 1));
  }
  if (faults_.badChecksums > 0) {
    --faults_.badChecksums;
    reply.back() ^= kBadChecksumFlip;
  }
  pending_ = std::move(reply);
  nullsLeft_ = faults_.nullRepliesBeforeAnswer;
}

void SaltmereChip::Acknowledge() {
  Answer(BuildAck(config_.i2cAddress));
}

void SaltmereChip::TakeI2cWrite(const uint8_t* bytes, size_t length) {
  // A new message replaces whatever answer was still waiting.
  pending_.clear();
  delivered_ = false;
  if (state_ == ChipState::kDriverRunning) {
    return;  // the ISP driver listens on the DPCD window only
  }
  const auto payload = ParseHostMessage(config_.i2cAddress, bytes, length);
  if (!payload || payload->empty()) {
    return;
  }
  commands_.push_back(*payload);
  Execute(*payload);
}

void SaltmereChip::Execute(const std::vector<uint8_t>& p) {
  switch (p[0]) {
    case kCmdEnterIsp:
      if (p.size() == 1) {
        state_ = ChipState::kIspMode;
        Acknowledge();
      }
      return;
    case kCmdClose:
      if (p.size() == 1) {
        Acknowledge();
      }
      return;
    case kCmdReset:
      if (p.size() == 2 && p[1] == 0x00 && state_ == ChipState::kIspMode) {
        state_ = ChipState::kIspReset;
        Acknowledge();
      }
      return;
    case kCmdReadRegister:
      if (p.size() == 3) {
        const uint16_t value = Register(static_cast<uint16_t>(p[1] << 8 | p[2]));
        Answer(BuildDataReply(
            config_.i2cAddress, kCmdReadRegister,
            {p[1], p[2], static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)}));
      }
      return;
    case kCmdWriteRegister:
      if (p.size() == 5) {
        SetRegister(static_cast<uint16_t>(p[1] << 8 | p[2]),
                    static_cast<uint16_t>(p[3] << 8 | p[4]));
        Acknowledge();
      }
      return;
    case kCmdRamWrite:
      if (p.size() >= 4 && p.size() <= 3 + kMaxRamWriteBytes && state_ == ChipState::kIspReset) {
        const size_t at = static_cast<size_t>(p[1] << 8 | p[2]);
        const size_t count = std::min(p.size() - 3, kRamBytes - at);
        std::copy_n(p.begin() + 3, count, ram_.begin() + static_cast<std::ptrdiff_t>(at));
        Acknowledge();
      }
      return;
    case kCmdRunDriver:
      if (p.size() == 3 && state_ == ChipState::kIspReset) {
        driverStart_ = p[1] << 8 | p[2];
        Acknowledge();
        state_ = ChipState::kDriverRunning;
        window_.Open(config_.window);
      }
      return;
    case kCmdTalmontPostReset:
      if (std::equal(p.begin(), p.end(), kTalmontPostReset.begin(), kTalmontPostReset.end())) {
        Acknowledge();
      }
      return;
    case kCmdReadMemory:
      if (p.size() == 9) {
        const uint32_t address = BigEndian32(&p[1]);
        uint32_t count = std::min<uint32_t>(BigEndian32(&p[5]), kMaxMemoryReadBytes);
        if (faults_.shortMemoryReads > 0 && count > 0) {
          --faults_.shortMemoryReads;
          --count;
        }
        std::vector<uint8_t> data(count);
        for (uint32_t i = 0; i < count; ++i) {
          data[i] = MemoryByte(address + i);
        }
        Answer(BuildDataReply(config_.i2cAddress, kCmdReadMemory, data));
      }
      return;
    default:
      return;  // unknown commands go unanswered
  }
}

std::vector<uint8_t> SaltmereChip::StartI2cRead() {
  delivered_ = false;
  if (pending_.empty()) {
    return BuildNullReply(config_.i2cAddress);
  }
  if (nullsLeft_ > 0) {
    --nullsLeft_;
    return BuildNullReply(config_.i2cAddress);
  }
  delivered_ = true;
  return pending_;
}

void SaltmereChip::EndI2cRead() {
  if (delivered_) {
    pending_.clear();
    delivered_ = false;
  }
}

bool SaltmereChip::DpcdRead(uint32_t address, uint8_t* out, size_t length) {
  if (faults_.failDpcdIdentification &&
      Touches(address, length, kDpcdIdentification, Identification{}.size())) {
    return false;
  }
  window_.BeforeRead(address, length);
  for (size_t i = 0; i < length; ++i) {
    const auto found = dpcd_.find(address + static_cast<uint32_t>(i));
    out[i] = found == dpcd_.end() ? 0 : found->second;
  }
  return true;
}

bool SaltmereChip::DpcdWrite(uint32_t address, const uint8_t* data, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    dpcd_[address + static_cast<uint32_t>(i)] = data[i];
  }
  window_.AfterWrite(address, length);
  if (window_.TakeResetRequest()) {
    Reset();
  }
  return true;
}

uint8_t SaltmereChip::MemoryByte(uint32_t address) const {
  if (address < kRamBytes) {
    return ram_[address];
  }
  const Identification id = identity_.Bytes();
  if (address >= kMemoryIdentification && address < kMemoryIdentification + id.size()) {
    return id[address - kMemoryIdentification];
  }
  if (address >= config_.flashBase && address - config_.flashBase < config_.flash.size()) {
    return config_.flash[address - config_.flashBase];
  }
  return 0;
}

}  // namespace sim
