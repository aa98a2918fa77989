#include "aux_isp_tool/gfx/reply_reading.h"

#include "aux_isp_tool/gfx/delay_microseconds.h"
#include "aux_isp_tool/gfx/gfx_lib.h"
#include "aux_isp_tool/gfx/transfer_pieces.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace peloisp {

int32_t ReadDdcReply(ReplyPieceReader& reader, platform::Clock& clock, const ReplyReadRule& rule,
                     int32_t i2cAddress, uint8_t* buffer, int32_t capacity, int32_t* length) {
  if (buffer == nullptr || length == nullptr) {
    return kGfxBadArgument;
  }
  // The largest total a length byte can announce is 0xFF - 0x7D.
  std::array<uint8_t, 256> reply{};
  const int32_t startResult = reader.ReadStart(reply.data(), kReplyHeaderBytes);
  if (startResult != 0) {
    return startResult;
  }
  const int32_t total = static_cast<int32_t>(reply[1]) - kReplyLengthBias;
  if (capacity < total) {
    return kGfxBadArgument;
  }
  if (total <= 0) {
    return kGfxMalformedReply;
  }
  if (reply[0] != static_cast<uint8_t>(i2cAddress & 0xFF)) {
    return kGfxMalformedReply;
  }
  const int32_t rest = total - kReplyHeaderBytes;
  if (rest > 0) {
    const int32_t pieceBytes = rule.pieceBytes > 0 ? rule.pieceBytes : kAuxPieceBytes;
    const int32_t result =
        ForEachPiece(rest, pieceBytes, [&](int32_t offset, int32_t size, bool last) {
          DelayMicroseconds(clock, rule.chunkDelayUs);
          uint8_t* piece = reply.data() + kReplyHeaderBytes + offset;
          const int32_t pieceResult = reader.ReadPiece(piece, size, last);
          if (pieceResult != 0) {
            if (rule.stopOnFailedPiece) {
              return pieceResult;
            }
            // Left for the caller's checksum test to reject.
            std::memset(piece, 0, static_cast<size_t>(size));
          }
          return 0;
        });
    if (result != 0) {
      return result;
    }
  }
  const int32_t assembled = std::max(total, kReplyHeaderBytes);
  *length = assembled;
  std::memcpy(buffer, reply.data(), static_cast<size_t>(std::min(assembled, capacity)));
  return kGfxOk;
}

}  // namespace peloisp
