#include "sim/saltmere_gfx/sim_gfx_lib.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace sim {
namespace {

constexpr int32_t kReplyLengthBias = 0x7D;  // second reply byte 0x80 + n: n + 3 bytes in all
constexpr int32_t kReplyHeaderBytes = 2;

}  // namespace

SimGfxLib::SimGfxLib(SaltmereDock& dock, Options options)
    : GfxLib(options.maxReply, 0, 0x20000), dock_(dock), options_(std::move(options)) {}

int32_t SimGfxLib::Result(AuxReply reply) const {
  switch (reply) {
    case AuxReply::kAck:
      return peloisp::kGfxOk;
    case AuxReply::kDefer:
      return peloisp::kGfxBusy;
    case AuxReply::kNak:
      break;
  }
  return kSimRefused;
}

// A native transfer goes out as pieces of at most 16 bytes, as an AUX channel carries them; the
// first piece the dock does not acknowledge ends it.
template <typename Transfer>
int32_t SimGfxLib::InPieces(int32_t length, Transfer transfer) const {
  for (int32_t at = 0; at < length; at += peloisp::kAuxPieceBytes) {
    const int32_t result = Result(transfer(at, std::min(peloisp::kAuxPieceBytes, length - at)));
    if (result != peloisp::kGfxOk) {
      return result;
    }
  }
  return peloisp::kGfxOk;
}

int32_t SimGfxLib::Init(std::wstring& message) {
  message = L"Graphics adapter initialization - " + options_.name +
            (options_.initResult == 0 ? L": done!\r\n" : L": failed!\r\n");
  initFailed_ = options_.initResult != 0;
  return options_.initResult;
}

int32_t SimGfxLib::Connect(int32_t& deviceId, int32_t /*i2cAddress*/, std::wstring& message) {
  wchar_t line[64];
  std::swprintf(line, 64, L"Display 0x%X: %ls\r\n", static_cast<unsigned>(options_.deviceId),
                options_.connectResult == 0 ? L"OK" : L"no answer");
  message = line;
  if (options_.connectResult != 0) {
    return options_.connectResult;
  }
  deviceId = options_.deviceId;
  return peloisp::kGfxOk;
}

int32_t SimGfxLib::I2cPiece(bool write, int32_t i2cAddress, bool mot, uint8_t* data,
                            size_t length) {
  const auto address7 = static_cast<uint8_t>((i2cAddress >> 1) & 0x7F);
  return Result(write ? dock_.I2cWrite(address7, mot, data, length)
                      : dock_.I2cRead(address7, mot, data, length));
}

int32_t SimGfxLib::I2cWrite(int32_t deviceId, int32_t i2cAddress, const uint8_t* data,
                            int32_t length) {
  if (data == nullptr || length <= 0) {
    return peloisp::kGfxBadArgument;
  }
  if (Refused(deviceId)) {
    return kSimRefused;
  }
  std::vector<uint8_t> bytes(data, data + length);
  for (int32_t at = 0; at < length; at += peloisp::kAuxPieceBytes) {
    const int32_t n = std::min(peloisp::kAuxPieceBytes, length - at);
    const int32_t result =
        I2cPiece(true, i2cAddress, at + n < length, bytes.data() + at, static_cast<size_t>(n));
    if (result != peloisp::kGfxOk) {
      return result;
    }
  }
  return peloisp::kGfxOk;
}

int32_t SimGfxLib::I2cReadReply(int32_t deviceId, int32_t i2cAddress, uint8_t* buffer,
                                int32_t capacity, int32_t* length, std::wstring& /*detail*/) {
  if (buffer == nullptr || length == nullptr) {
    return peloisp::kGfxBadArgument;
  }
  if (Refused(deviceId)) {
    return kSimRefused;
  }
  uint8_t header[kReplyHeaderBytes] = {};
  const int32_t first = I2cPiece(false, i2cAddress, true, header, kReplyHeaderBytes);
  if (first != peloisp::kGfxOk) {
    return first;
  }
  const int32_t total = header[1] - kReplyLengthBias;
  int32_t check = peloisp::kGfxOk;
  if (capacity < total) {
    check = peloisp::kGfxBadArgument;
  } else if (total <= 0 || header[0] != (i2cAddress & 0xFF)) {
    check = peloisp::kGfxMalformedReply;
  }
  if (check != peloisp::kGfxOk) {
    I2cPiece(false, i2cAddress, false, nullptr, 0);  // end the read
    return check;
  }
  std::vector<uint8_t> reply(static_cast<size_t>(std::max(total, kReplyHeaderBytes)), 0);
  reply[0] = header[0];
  reply[1] = header[1];
  if (total <= kReplyHeaderBytes) {
    I2cPiece(false, i2cAddress, false, nullptr, 0);
  }
  for (int32_t at = kReplyHeaderBytes; at < total; at += peloisp::kAuxPieceBytes) {
    const int32_t n = std::min(peloisp::kAuxPieceBytes, total - at);
    // A failed piece reads as zeros; the caller's checksum rejects the reply.
    if (I2cPiece(false, i2cAddress, at + n < total, reply.data() + at, static_cast<size_t>(n)) !=
        peloisp::kGfxOk) {
      std::fill_n(reply.begin() + at, n, 0);
    }
  }
  const auto count = static_cast<int32_t>(reply.size());
  std::copy_n(reply.begin(), std::min(count, capacity), buffer);
  *length = count;
  return peloisp::kGfxOk;
}

int32_t SimGfxLib::AuxWrite(int32_t deviceId, uint32_t address, const uint8_t* data,
                            int32_t length) {
  if (data == nullptr || length <= 0) {
    return peloisp::kGfxBadArgument;
  }
  if (Refused(deviceId)) {
    return kSimRefused;
  }
  return InPieces(length, [&](int32_t at, int32_t n) {
    return dock_.NativeWrite(address + static_cast<uint32_t>(at), data + at,
                             static_cast<size_t>(n));
  });
}

int32_t SimGfxLib::AuxRead(int32_t deviceId, uint32_t address, uint8_t* buffer, int32_t length) {
  if (buffer == nullptr || length <= 0) {
    return peloisp::kGfxBadArgument;
  }
  if (Refused(deviceId)) {
    return kSimRefused;
  }
  return InPieces(length, [&](int32_t at, int32_t n) {
    return dock_.NativeRead(address + static_cast<uint32_t>(at), buffer + at,
                            static_cast<size_t>(n));
  });
}

}  // namespace sim
