#include "aux_isp_tool/gfx/reply_reading.h"

#include "aux_isp_tool/gfx/delay_microseconds.h"
#include "aux_isp_tool/gfx/gfx_lib.h"
#include "aux_isp_tool/gfx/transfer_pieces.h"
#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <string>
#include <vector>

namespace peloisp {
namespace {

// One reply on the wire; records the pieces the rule asked for.
class WireReply final : public ReplyPieceReader {
 public:
  explicit WireReply(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  int32_t startResult = 0;
  std::set<int> failingPieces;  // by piece number
  int32_t pieceFailure = 77;
  std::vector<std::pair<int32_t, bool>> pieces;  // length, last
  std::vector<uint64_t> pieceTimes;
  sim::VirtualClock* clock = nullptr;

  int32_t ReadStart(uint8_t* data, int32_t length) override {
    if (startResult != 0) {
      return startResult;
    }
    Copy(data, length);
    return 0;
  }
  int32_t ReadPiece(uint8_t* data, int32_t length, bool last) override {
    const int number = static_cast<int>(pieces.size());
    pieces.emplace_back(length, last);
    if (clock != nullptr) {
      pieceTimes.push_back(clock->NowTicks());
    }
    if (failingPieces.count(number) != 0) {
      std::fill(data, data + length, uint8_t{0xEE});
      offset_ += static_cast<size_t>(length);
      return pieceFailure;
    }
    Copy(data, length);
    return 0;
  }

 private:
  void Copy(uint8_t* data, int32_t length) {
    for (int32_t i = 0; i < length; ++i, ++offset_) {
      data[i] = offset_ < bytes_.size() ? bytes_[offset_] : 0;
    }
  }
  std::vector<uint8_t> bytes_;
  size_t offset_ = 0;
};

constexpr ReplyReadRule kAuxRule{16, 0, false};

struct HeaderCase {
  const char* name;
  std::vector<uint8_t> wire;
  int32_t capacity;
  int32_t expected;
  int32_t expectedLength;  // when read
  size_t expectedPieces;
};

TEST(ReplyReading, HeaderChecksRunInOrderBeforeTheRestIsRead) {
  const HeaderCase cases[] = {
      {"reply longer than capacity", {0x6E, 0x85}, 7, kGfxBadArgument, 0, 0},
      {"capacity is checked before the address", {0x6F, 0x85}, 7, kGfxBadArgument, 0, 0},
      {"wrong first byte", {0x6F, 0x85}, 9, kGfxMalformedReply, 0, 0},
      {"length byte 0x7D", {0x6E, 0x7D}, 9, kGfxMalformedReply, 0, 0},
      {"length byte below 0x7D", {0x6E, 0x10}, 9, kGfxMalformedReply, 0, 0},
      {"no data: one more byte", {0x6E, 0x80, 0xBE}, 9, kGfxOk, 3, 1},
      {"exactly the capacity", {0x6E, 0x85, 1, 2, 3, 4, 5, 6}, 8, kGfxOk, 8, 1},
      {"one byte announced: header still counts", {0x6E, 0x7E}, 9, kGfxOk, 2, 0},
  };
  for (const HeaderCase& c : cases) {
    sim::VirtualClock clock;
    WireReply wire(c.wire);
    std::vector<uint8_t> buffer(16, 0xAA);
    int32_t length = -5;
    EXPECT_EQ(ReadDdcReply(wire, clock, kAuxRule, 0x6E, buffer.data(), c.capacity, &length),
              c.expected)
        << c.name;
    EXPECT_EQ(wire.pieces.size(), c.expectedPieces) << c.name;
    if (c.expected == kGfxOk) {
      EXPECT_EQ(length, c.expectedLength) << c.name;
      for (int32_t i = 0; i < c.expectedLength && i < static_cast<int32_t>(c.wire.size()); ++i) {
        EXPECT_EQ(buffer[i], c.wire[i]) << c.name << " byte " << i;
      }
    } else {
      EXPECT_EQ(length, -5) << c.name;
    }
  }
}

TEST(ReplyReading, NeverCopiesMoreThanTheCapacity) {
  // Length byte 0x7E announces one byte, yet the two header bytes are assembled.
  sim::VirtualClock clock;
  WireReply wire({0x6E, 0x7E});
  uint8_t buffer[2] = {0xAA, 0xAA};
  int32_t length = 0;
  EXPECT_EQ(ReadDdcReply(wire, clock, kAuxRule, 0x6E, buffer, 1, &length), kGfxOk);
  EXPECT_EQ(length, 2);
  EXPECT_EQ(buffer[0], 0x6E);
  EXPECT_EQ(buffer[1], 0xAA);
}

TEST(ReplyReading, RestIsReadInPiecesWithMiddleOfTransactionUntilTheLast) {
  // 0xA0 - 0x7D = 35 bytes: 2 header bytes, then 16 + 16 + 1.
  std::vector<uint8_t> bytes(35);
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<uint8_t>(i);
  }
  bytes[0] = 0x6E;
  bytes[1] = 0xA0;
  sim::VirtualClock clock;
  WireReply wire(bytes);
  std::vector<uint8_t> buffer(64);
  int32_t length = 0;
  ASSERT_EQ(ReadDdcReply(wire, clock, kAuxRule, 0x6E, buffer.data(), 64, &length), kGfxOk);
  EXPECT_EQ(length, 35);
  const std::vector<std::pair<int32_t, bool>> expected = {{16, false}, {16, false}, {1, true}};
  EXPECT_EQ(wire.pieces, expected);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), buffer.begin()));

  WireReply amd(bytes);
  ASSERT_EQ(ReadDdcReply(amd, clock, ReplyReadRule{131, 0, true}, 0x6E, buffer.data(), 64, &length),
            kGfxOk);
  EXPECT_EQ(amd.pieces, (std::vector<std::pair<int32_t, bool>>{{33, true}}));
}

TEST(ReplyReading, FailedPieceReadsAsZerosOrEndsTheRead) {
  std::vector<uint8_t> bytes(35, 0x11);
  bytes[0] = 0x6E;
  bytes[1] = 0xA0;
  sim::VirtualClock clock;
  std::vector<uint8_t> buffer(64);
  int32_t length = 0;

  WireReply carryOn(bytes);
  carryOn.failingPieces = {1};
  ASSERT_EQ(ReadDdcReply(carryOn, clock, kAuxRule, 0x6E, buffer.data(), 64, &length), kGfxOk);
  EXPECT_EQ(carryOn.pieces.size(), 3u);
  EXPECT_EQ(length, 35);
  EXPECT_EQ(buffer[17], 0x11);
  for (int i = 18; i < 34; ++i) {
    EXPECT_EQ(buffer[i], 0) << i;
  }
  EXPECT_EQ(buffer[34], 0x11);

  WireReply stop(bytes);
  stop.failingPieces = {0};
  EXPECT_EQ(ReadDdcReply(stop, clock, ReplyReadRule{16, 0, true}, 0x6E, buffer.data(), 64, &length),
            77);
  EXPECT_EQ(stop.pieces.size(), 1u);

  WireReply noStart(bytes);
  noStart.startResult = 1003;
  EXPECT_EQ(ReadDdcReply(noStart, clock, kAuxRule, 0x6E, buffer.data(), 64, &length), 1003);
  EXPECT_TRUE(noStart.pieces.empty());

  EXPECT_EQ(ReadDdcReply(noStart, clock, kAuxRule, 0x6E, nullptr, 64, &length), kGfxBadArgument);
  EXPECT_EQ(ReadDdcReply(noStart, clock, kAuxRule, 0x6E, buffer.data(), 64, nullptr),
            kGfxBadArgument);
}

TEST(ReplyReading, ChunkDelayIsWaitedBeforeEachPiece) {
  std::vector<uint8_t> bytes(35, 0);
  bytes[0] = 0x6E;
  bytes[1] = 0xA0;
  sim::VirtualClock clock;
  WireReply wire(bytes);
  wire.clock = &clock;
  std::vector<uint8_t> buffer(64);
  int32_t length = 0;
  const uint64_t before = clock.NowTicks();
  ASSERT_EQ(
      ReadDdcReply(wire, clock, ReplyReadRule{16, 700, false}, 0x6E, buffer.data(), 64, &length),
      kGfxOk);
  ASSERT_EQ(wire.pieceTimes.size(), 3u);
  // 700 us is 7000 ticks of the virtual clock; no sleep, a spin.
  EXPECT_GE(wire.pieceTimes[0] - before, 7000u);
  EXPECT_GE(wire.pieceTimes[1] - wire.pieceTimes[0], 7000u);
  EXPECT_GE(wire.pieceTimes[2] - wire.pieceTimes[1], 7000u);
  EXPECT_LT(wire.pieceTimes[2] - wire.pieceTimes[1], 7100u);
  EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(DelayMicroseconds, SpinsFromTwentyMicroseconds) {
  const struct {
    uint16_t micros;
    uint64_t minTicks;
    uint64_t maxTicks;
  } cases[] = {{0, 0, 0}, {19, 0, 0}, {20, 200, 220}, {700, 7000, 7020}, {5000, 50000, 50020}};
  for (const auto& c : cases) {
    sim::VirtualClock clock;
    DelayMicroseconds(clock, c.micros);
    EXPECT_GE(clock.NowTicks(), c.minTicks) << c.micros;
    EXPECT_LE(clock.NowTicks(), c.maxTicks) << c.micros;
    EXPECT_TRUE(clock.Sleeps().empty()) << c.micros;
  }
}

TEST(TransferPieces, FortyBytesGoAsSixteenSixteenEight) {
  std::vector<std::tuple<int32_t, int32_t, bool>> pieces;
  EXPECT_EQ(ForEachPiece(40, kAuxPieceBytes,
                         [&](int32_t offset, int32_t size, bool last) {
                           pieces.emplace_back(offset, size, last);
                           return 0;
                         }),
            0);
  const std::vector<std::tuple<int32_t, int32_t, bool>> expected = {
      {0, 16, false}, {16, 16, false}, {32, 8, true}};
  EXPECT_EQ(pieces, expected);

  int calls = 0;
  EXPECT_EQ(ForEachPiece(40, kAuxPieceBytes,
                         [&](int32_t, int32_t, bool) { return ++calls == 2 ? 1003 : 0; }),
            1003);
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(IsBadTransfer(nullptr, 4));
  EXPECT_TRUE(IsBadTransfer(&calls, 0));
  EXPECT_FALSE(IsBadTransfer(&calls, 1));
}

}  // namespace
}  // namespace peloisp
