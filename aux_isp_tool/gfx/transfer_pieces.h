// Splitting one transfer into the pieces a vendor interface carries.
#pragma once

#include <cstdint>

namespace peloisp {

// Calls `send(offset, size, last)` for consecutive pieces of at most `pieceBytes` covering
// `length` bytes; the first nonzero result ends the transfer and is returned.
template <typename SendPiece>
int32_t ForEachPiece(int32_t length, int32_t pieceBytes, SendPiece&& send) {
  for (int32_t offset = 0; offset < length; offset += pieceBytes) {
    const int32_t size = length - offset < pieceBytes ? length - offset : pieceBytes;
    const int32_t result = send(offset, size, offset + size >= length);
    if (result != 0) {
      return result;
    }
  }
  return 0;
}

// A transfer without data, buffer or bytes is refused before it reaches the channel.
inline bool IsBadTransfer(const void* data, int32_t length) {
  return data == nullptr || length <= 0;
}

}  // namespace peloisp
