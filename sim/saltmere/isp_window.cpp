#include "sim/saltmere/isp_window.h"

#include <algorithm>
#include <utility>

namespace sim {
namespace {

constexpr uint8_t kFlashIdCommand[] = {0x09, 0x1C, 0xFF, 0x00, 0x00, 0x20, 0x00, 0x00, 0x44};
constexpr uint8_t kFlashIdTail = 0x13;
constexpr uint32_t kBlockHeaderBytes = 8;
constexpr uint32_t kBlockTrailerBytes = 4;  // 00 00 CRC-high CRC-low
constexpr size_t kBootAreaBytes = 8192;
constexpr uint8_t kReadFlashCount = 7;
constexpr uint8_t kReadFlashBytes = 3;

}  // namespace

uint16_t BlockCrc(const uint8_t* data, size_t length) {
  uint16_t crc = 0x1021;
  for (size_t i = 0; i < length; ++i) {
    crc ^= static_cast<uint16_t>(data[i] << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) != 0 ? static_cast<uint16_t>((crc << 1) ^ 0x1021)
                                : static_cast<uint16_t>(crc << 1);
    }
  }
  return crc;
}

uint8_t IspWindow::Byte(uint32_t address) const {
  const auto found = dpcd_.find(address);
  return found == dpcd_.end() ? 0 : found->second;
}

void IspWindow::Open(const WindowLayout& layout) {
  layout_ = layout;
  open_ = true;
  block_ = Block::kNone;
  held_.clear();
  resetRequested_ = false;
  const uint32_t d = layout_.descriptorAddress;
  for (int i = 0; i < 3; ++i) {
    Put(kDpcdWindowPointer + i, static_cast<uint8_t>(d >> (8 * i)));
  }
  const uint8_t descriptor[12] = {static_cast<uint8_t>(layout_.base),
                                  static_cast<uint8_t>(layout_.base >> 8),
                                  static_cast<uint8_t>(layout_.base >> 16),
                                  static_cast<uint8_t>(layout_.base >> 24),
                                  static_cast<uint8_t>(layout_.size),
                                  static_cast<uint8_t>(layout_.size >> 8),
                                  static_cast<uint8_t>(layout_.replyAddress),
                                  static_cast<uint8_t>(layout_.replyAddress >> 8),
                                  static_cast<uint8_t>(layout_.replyAddress >> 16),
                                  static_cast<uint8_t>(layout_.replyAddress >> 24),
                                  static_cast<uint8_t>(layout_.replySize),
                                  static_cast<uint8_t>(layout_.replySize >> 8)};
  for (uint32_t i = 0; i < sizeof descriptor; ++i) {
    Put(d + i, descriptor[i]);
  }
  for (uint32_t i = 0; i < layout_.replySize; ++i) {
    Put(layout_.replyAddress + i, 0);
  }
  Put(layout_.base, 0);
  if (layout_.size >= 2) {
    Put(LowerFill(), 0);
    Put(UpperFill(), 0);
  }
}

void IspWindow::Answer(std::vector<uint8_t> segments) {
  if (faults_.replyDelayReads > 0) {
    held_ = std::move(segments);
    holdReads_ = faults_.replyDelayReads;
    return;
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    Put(layout_.replyAddress + static_cast<uint32_t>(i), segments[i]);
  }
}

void IspWindow::BeforeRead(uint32_t address, size_t length) {
  if (!open_ || held_.empty() || !Touches(address, length, layout_.replyAddress)) {
    return;
  }
  if (holdReads_ > 0) {
    --holdReads_;
    return;
  }
  std::vector<uint8_t> answer = std::move(held_);
  held_.clear();
  for (size_t i = 0; i < answer.size(); ++i) {
    Put(layout_.replyAddress + static_cast<uint32_t>(i), answer[i]);
  }
}

void IspWindow::AfterWrite(uint32_t address, size_t length) {
  if (!open_ || layout_.size < 4) {
    return;
  }
  switch (block_) {
    case Block::kNone:
      if (Touches(address, length, layout_.base) && Byte(layout_.base) != 0) {
        Command();
      }
      return;
    case Block::kHeader:
      if (faults_.stuckFillCount || !Touches(address, length, LowerFill()) ||
          Byte(LowerFill()) == 0) {
        return;
      }
      if (Byte(LowerFill()) != kBlockHeaderBytes || Byte(layout_.base) != 0) {
        block_ = Block::kNone;  // not a header: the transfer is dropped
        return;
      }
      blockAddress_ = static_cast<uint32_t>(Byte(layout_.base + 1) << 16 |
                                            Byte(layout_.base + 2) << 8 | Byte(layout_.base + 3));
      blockLength_ = static_cast<uint32_t>(Byte(layout_.base + 4)) << 24 |
                     static_cast<uint32_t>(Byte(layout_.base + 5)) << 16 |
                     static_cast<uint32_t>(Byte(layout_.base + 6)) << 8 | Byte(layout_.base + 7);
      blockBytes_.clear();
      Put(LowerFill(), 0);
      block_ = Block::kData;
      return;
    case Block::kData:
      if (faults_.stuckFillCount) {
        return;
      }
      if (Touches(address, length, UpperFill()) && Byte(UpperFill()) != 0) {
        TakeHalf(layout_.base + layout_.size / 2, UpperFill());
      }
      if (block_ == Block::kData && Touches(address, length, LowerFill()) &&
          Byte(LowerFill()) != 0) {
        TakeHalf(layout_.base, LowerFill());
      }
      return;
  }
}

void IspWindow::TakeHalf(uint32_t start, uint32_t fillAt) {
  const uint32_t room = fillAt - start;  // the half less its fill-count byte
  const uint32_t count = std::min<uint32_t>(Byte(fillAt), room);
  for (uint32_t i = 0; i < count; ++i) {
    blockBytes_.push_back(Byte(start + i));
  }
  Put(fillAt, 0);
  if (blockBytes_.size() >= static_cast<size_t>(blockLength_) + kBlockTrailerBytes) {
    FinishBlock();
  }
}

void IspWindow::FinishBlock() {
  block_ = Block::kNone;
  const uint8_t* data = blockBytes_.data();
  const uint8_t* trailer = data + blockLength_;
  const uint16_t crc = BlockCrc(data, blockLength_);
  bool good = trailer[0] == 0 && trailer[1] == 0 && trailer[2] == (crc >> 8) &&
              trailer[3] == (crc & 0xFF) && blockAddress_ >= flashBase_ &&
              static_cast<uint64_t>(blockAddress_ - flashBase_) + blockLength_ <= flash_.size();
  if (good && faults_.blockCrcErrors > 0) {
    --faults_.blockCrcErrors;
    good = false;
  }
  if (!good) {
    Answer({0x03, kWinErrorCode, static_cast<uint8_t>(0x100 - 0x03 - kWinErrorCode)});
    return;
  }
  // NOR flash: programming only clears bits, so a block over unerased flash reads back wrong.
  const size_t at = blockAddress_ - flashBase_;
  for (uint32_t i = 0; i < blockLength_; ++i) {
    flash_[at + i] &= data[i];
  }
  ++blocksWritten_;
  Ack();
}

void IspWindow::Command() {
  const uint8_t count = Byte(layout_.base);
  std::vector<uint8_t> c(count);
  for (uint32_t i = 0; i < count; ++i) {
    c[i] = Byte(layout_.base + i);
  }
  if (c.size() == sizeof kFlashIdCommand && std::equal(c.begin(), c.end(), kFlashIdCommand)) {
    Answer({0x04, kWinCmdFlashId, static_cast<uint8_t>(flashId_ >> 8),
            static_cast<uint8_t>(flashId_ & 0xFF), kFlashIdTail});
    return;
  }
  if (count < 3) {
    return;
  }
  uint8_t check = 0;
  for (size_t i = 0; i + 1 < c.size(); ++i) {
    check ^= c[i];
  }
  if (check != c.back()) {
    return;  // a command whose check byte does not hold is not taken
  }
  switch (c[1]) {
    case kWinCmdBeginBlock:
      if (count == 3) {
        block_ = Block::kHeader;
      }
      return;
    case kWinCmdErase: {
      if (count != 5) {
        return;
      }
      const auto selector = static_cast<uint16_t>(c[2] << 8 | c[3]);
      size_t end = flash_.size();
      if (selector == kEraseKeepBoot512K || selector == kEraseKeepBoot256K) {
        end = flash_.size() > kBootAreaBytes ? flash_.size() - kBootAreaBytes : 0;
      } else if (selector != kEraseAll) {
        return;
      }
      std::fill(flash_.begin(), flash_.begin() + static_cast<std::ptrdiff_t>(end), 0xFF);
      erases_.push_back(selector);
      Ack();
      return;
    }
    case kWinCmdReadFlash: {
      if (count != kReadFlashCount || c[5] != kReadFlashBytes) {
        return;
      }
      const size_t offset = static_cast<size_t>(c[2] << 16 | c[3] << 8 | c[4]);
      std::vector<uint8_t> segment{static_cast<uint8_t>(kReadFlashBytes + 2),
                                   static_cast<uint8_t>(kReadFlashBytes + 3), kWinCmdReadFlash};
      for (size_t i = 0; i < kReadFlashBytes; ++i) {
        segment.push_back(offset + i < flash_.size() ? flash_[offset + i] : 0xFF);
      }
      Answer(std::move(segment));
      return;
    }
    case kWinCmdReset:
      if (count == 4 && c[2] == 0x01) {
        Ack();
        resetRequested_ = true;
      }
      return;
    default:
      return;
  }
}

bool IspWindow::TakeResetRequest() {
  const bool requested = resetRequested_;
  resetRequested_ = false;
  return requested;
}

}  // namespace sim
