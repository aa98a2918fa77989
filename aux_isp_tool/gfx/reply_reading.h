// Reading one DDC/CI reply as an I2C read transaction: the rule every backend's I2cReadReply
// follows, with the backend supplying the vendor calls for the pieces.
#pragma once

#include "platform/clock.h"

#include <cstdint>

namespace peloisp {

// The vendor side of one I2C read from the chip's address.
class ReplyPieceReader {
 public:
  // The first bytes of the read (the reply's two header bytes), Middle-of-Transaction set.
  virtual int32_t ReadStart(uint8_t* data, int32_t length) = 0;
  // A continuation piece of the same read; `last` ends the transaction.
  virtual int32_t ReadPiece(uint8_t* data, int32_t length, bool last) = 0;

 protected:
  ~ReplyPieceReader() = default;
};

struct ReplyReadRule {
  int32_t pieceBytes;      // 16 for AUX requests, 131 for AMD's DDC block reads
  uint16_t chunkDelayUs;   // waited before each continuation piece
  bool stopOnFailedPiece;  // AMD ends on a failed piece; the others read it as zeros
};

// A reply's second byte is 0x80 + n for n data bytes, so total = byte - 0x7D = n + 3.
inline constexpr int32_t kReplyLengthBias = 0x7D;
inline constexpr int32_t kReplyHeaderBytes = 2;

// Reads one reply into `buffer` (at most `capacity` bytes) and its byte count into `*length`.
int32_t ReadDdcReply(ReplyPieceReader& reader, platform::Clock& clock, const ReplyReadRule& rule,
                     int32_t i2cAddress, uint8_t* buffer, int32_t capacity, int32_t* length);

}  // namespace peloisp
