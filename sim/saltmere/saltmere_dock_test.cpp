#include "sim/saltmere/saltmere_dock.h"

#include "sim/saltmere/ddc_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sim {
namespace {

using Bytes = std::vector<uint8_t>;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr uint8_t kHost = 0x6E;

ChipConfig Chip(ChipKind kind, ChipIdentity app, size_t size = 16384) {
  ChipConfig config;
  config.kind = kind;
  config.flash = MakeFlashImage({kind, size, std::move(app), 0});
  return config;
}

// A message over the channel as the backends send it: pieces of 16, MOT on all but the last.
AuxReply Send(SaltmereDock& dock, uint8_t address8, const Bytes& payload) {
  const Bytes message = FrameHostMessage(address8, payload);
  for (size_t at = 0; at < message.size(); at += kAuxMaxPieceBytes) {
    const size_t n = std::min(kAuxMaxPieceBytes, message.size() - at);
    const AuxReply reply =
        dock.I2cWrite(address8 >> 1, at + n < message.size(), message.data() + at, n);
    if (reply != AuxReply::kAck) {
      return reply;
    }
  }
  return AuxReply::kAck;
}

// One reply: two bytes, then the rest its length byte announces.
Bytes Read(SaltmereDock& dock, uint8_t address8) {
  Bytes reply(2);
  if (dock.I2cRead(address8 >> 1, true, reply.data(), 2) != AuxReply::kAck) {
    return {};
  }
  const size_t total = reply[1] - 0x7D;
  reply.resize(total);
  for (size_t at = 2; at < total; at += kAuxMaxPieceBytes) {
    const size_t n = std::min(kAuxMaxPieceBytes, total - at);
    if (dock.I2cRead(address8 >> 1, at + n < total, reply.data() + at, n) != AuxReply::kAck) {
      return {};
    }
  }
  return reply;
}

struct DockTest : ::testing::Test {
  SaltmereDock dock{DockConfig{Chip(ChipKind::kTalmont, {"Tm7730", 0x21, 0x011234}), std::nullopt,
                               Chip(ChipKind::kWrenlo, {"WL4410", 0x11, 0x030102})}};
};

TEST_F(DockTest, MessageInPiecesIsTakenAndAcknowledged) {
  const Bytes enter = {0x51, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x09, 0x72};
  ASSERT_EQ(dock.I2cWrite(0x37, true, enter.data(), 5), AuxReply::kAck);
  ASSERT_EQ(dock.I2cWrite(0x37, false, enter.data() + 5, 3), AuxReply::kAck);
  ASSERT_EQ(dock.I2cMessages().size(), 1u);
  EXPECT_THAT(dock.I2cMessages()[0].bytes, ElementsAreArray(enter));
  EXPECT_EQ(dock.Host().State(), ChipState::kIspMode);
  EXPECT_THAT(Read(dock, kHost), ElementsAre(0x6E, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x0C, 0x76));
  // The answer is used up by reading it; until the next message only null replies follow.
  EXPECT_THAT(Read(dock, kHost), ElementsAre(0x6E, 0x80, 0xBE));
}

TEST_F(DockTest, MessagesThatDoNotCheckGoUnanswered) {
  Bytes enter = FrameHostMessage(kHost, {0x09});
  enter.back() ^= 1;
  ASSERT_EQ(dock.I2cWrite(0x37, false, enter.data(), enter.size()), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kHost), ElementsAre(0x6E, 0x80, 0xBE));
  EXPECT_TRUE(dock.Host().Commands().empty());
  // A piece longer than one AUX transaction is refused outright.
  const Bytes long_piece(17, 0);
  EXPECT_EQ(dock.I2cWrite(0x37, false, long_piece.data(), 17), AuxReply::kNak);
}

TEST(ChipRegistersTest, ChipIdRegistersTellTheKindsApart) {
  struct Case {
    ChipKind kind;
    uint16_t c802;
    uint16_t r8002;
  };
  // High byte of 0xC802: 0x28 Wrenlo, 0x26 Corbelle; else 0x8002: low 0x64 Fenn, high 0x43 Talmont.
  for (const Case c :
       {Case{ChipKind::kWrenlo, 0x2810, 0}, Case{ChipKind::kCorbelle, 0x2620, 0},
        Case{ChipKind::kFenn, 0x1100, 0x1064}, Case{ChipKind::kTalmont, 0x1100, 0x4330}}) {
    SaltmereDock dock{DockConfig{Chip(c.kind, {"ABCDEF", 1, 1}), std::nullopt, std::nullopt}};
    ASSERT_EQ(Send(dock, kHost, {0x06, 0xC8, 0x02}), AuxReply::kAck);
    EXPECT_THAT(Read(dock, kHost),
                ElementsAreArray(BuildDataReply(kHost, 0x06,
                                                {0xC8, 0x02, static_cast<uint8_t>(c.c802 >> 8),
                                                 static_cast<uint8_t>(c.c802)})));
    ASSERT_EQ(Send(dock, kHost, {0x06, 0x80, 0x02}), AuxReply::kAck);
    EXPECT_EQ(Read(dock, kHost)[10], c.r8002 & 0xFF);
  }
}

TEST_F(DockTest, MemoryReadsReachRamIdentificationAndFlashAtItsBase) {
  // The identification copy at 0x1B503.
  ASSERT_EQ(Send(dock, kHost, {0x52, 0x00, 0x01, 0xB5, 0x03, 0, 0, 0, 10}), AuxReply::kAck);
  const Bytes id = Read(dock, kHost);
  ASSERT_EQ(id.size(), 18u);
  EXPECT_EQ(id[6], 0x52);
  EXPECT_THAT(Bytes(id.begin() + 7, id.end() - 1),
              ElementsAre('T', 'm', '7', '7', '3', '0', 0x21, 0x12, 0x34, 0x01));
  // The flash's last bytes at 0x400000 + size - 20: the trailer's version.
  const uint32_t at = 0x400000 + 16384 - 20;
  ASSERT_EQ(
      Send(dock, kHost,
           {0x52, 0, 0x40, static_cast<uint8_t>(at >> 8), static_cast<uint8_t>(at), 0, 0, 0, 3}),
      AuxReply::kAck);
  EXPECT_THAT(Bytes(Read(dock, kHost)).size(), 11u);
  // RAM written with command 13 in the ISP state reads back.
  for (const Bytes& step : {Bytes{0x09}, Bytes{0x20, 0x00}}) {
    ASSERT_EQ(Send(dock, kHost, step), AuxReply::kAck);
    ASSERT_THAT(Read(dock, kHost), ElementsAreArray(BuildAck(kHost)));
  }
  ASSERT_EQ(Send(dock, kHost, {0x13, 0x18, 0x00, 0xAA, 0xBB}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kHost), ElementsAreArray(BuildAck(kHost)));
  // 117 code bytes at most: a longer RAM write is not taken.
  for (const size_t count : {size_t{117}, size_t{118}}) {
    const uint8_t high = count == 117 ? 0x20 : 0x30;
    Bytes write{0x13, high, 0x00};
    write.resize(3 + count, 0x5A);
    ASSERT_EQ(Send(dock, kHost, write), AuxReply::kAck);
    EXPECT_EQ(Read(dock, kHost) == BuildAck(kHost), count == 117) << count;
    EXPECT_EQ(dock.Host().Ram()[high << 8], count == 117 ? 0x5A : 0x00) << count;
  }
  ASSERT_EQ(Send(dock, kHost, {0x52, 0, 0, 0x18, 0x00, 0, 0, 0, 2}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kHost), ElementsAreArray(BuildDataReply(kHost, 0x52, {0xAA, 0xBB})));
}

// The chip takes its fixed commands only byte for byte: a product that got one byte wrong must
// not be answered as if it were right.
TEST_F(DockTest, FixedCommandsAreTakenOnlyWhole) {
  struct Case {
    const char* name;
    Bytes payload;
    bool acknowledged;
  };
  const Case cases[] = {
      {"Talmont post-reset write", {0x51, 0x00, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00, 0x11}, true},
      {"post-reset write, last byte wrong",
       {0x51, 0x00, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00, 0x10},
       false},
      {"post-reset write, one byte short", {0x51, 0x00, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00}, false},
      {"post-reset write, code alone", {0x51}, false},
      {"closing command", {0x0A}, true},
      {"closing command with a stray byte", {0x0A, 0x00}, false},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Send(dock, kHost, c.payload), AuxReply::kAck) << c.name;
    EXPECT_EQ(Read(dock, kHost) == BuildAck(kHost), c.acknowledged) << c.name;
  }
}

// However many bytes are asked for, the reply's length byte tells its true size.
TEST_F(DockTest, LongMemoryReadsStillAnnounceTheirLength) {
  for (const uint8_t count : {uint8_t{96}, uint8_t{122}, uint8_t{123}, uint8_t{127}}) {
    ASSERT_EQ(Send(dock, kHost, {0x52, 0, 0x40, 0, 0, 0, 0, 0, count}), AuxReply::kAck);
    const Bytes reply = Read(dock, kHost);
    ASSERT_GE(reply.size(), 8u) << int{count};
    EXPECT_EQ(reply.size(), static_cast<size_t>(reply[1] - 0x7D)) << int{count};
    EXPECT_EQ(reply[5], std::min<size_t>(count, 122) + 3) << int{count};
    EXPECT_EQ(reply, BuildDataReply(kHost, 0x52, Bytes(reply.begin() + 7, reply.end() - 1)))
        << int{count};
  }
}

TEST_F(DockTest, IdentificationBlockInTheDpcd) {
  uint8_t id[10] = {};
  ASSERT_EQ(dock.NativeRead(0x503, id, 10), AuxReply::kAck);
  EXPECT_THAT(id, ElementsAre('T', 'm', '7', '7', '3', '0', 0x21, 0x12, 0x34, 0x01));
  dock.Host().Faults().failDpcdIdentification = true;
  EXPECT_EQ(dock.NativeRead(0x508, id, 2), AuxReply::kNak);
  EXPECT_EQ(dock.NativeRead(0x50D, id, 2), AuxReply::kAck);
}

TEST_F(DockTest, RouterSendsTrafficToTheSelectedPort) {
  // Port#1 is absent: its selection is never acknowledged and the route stays on the host.
  ASSERT_EQ(Send(dock, kRouterAddress, {0x61, 0x01}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kRouterAddress), ElementsAre(0x60, 0x80, 0xBE));
  EXPECT_EQ(dock.Route(), 0);

  ASSERT_EQ(Send(dock, kRouterAddress, {0x61, 0x02}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kRouterAddress), ElementsAreArray(BuildAck(kRouterAddress)));
  EXPECT_EQ(dock.Route(), 2);
  uint8_t name[6] = {};
  ASSERT_EQ(dock.NativeRead(0x503, name, 6), AuxReply::kAck);
  EXPECT_THAT(name, ElementsAre('W', 'L', '4', '4', '1', '0'));
  ASSERT_EQ(Send(dock, kHost, {0x06, 0xC8, 0x02}), AuxReply::kAck);
  EXPECT_EQ(Read(dock, kHost)[9], 0x28);  // the Wrenlo port chip answered
  EXPECT_TRUE(dock.Host().Commands().empty());

  // Only the release of the routed port is taken.
  for (const uint8_t other : {uint8_t{0x01}, uint8_t{0x00}, uint8_t{0x03}}) {
    ASSERT_EQ(Send(dock, kRouterAddress, {0x62, other}), AuxReply::kAck);
    EXPECT_THAT(Read(dock, kRouterAddress), ElementsAre(0x60, 0x80, 0xBE)) << int{other};
    EXPECT_EQ(dock.Route(), 2) << int{other};
  }
  ASSERT_EQ(Send(dock, kRouterAddress, {0x62, 0x02}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kRouterAddress), ElementsAreArray(BuildAck(kRouterAddress)));
  EXPECT_EQ(dock.Route(), 0);
  ASSERT_EQ(dock.NativeRead(0x503, name, 6), AuxReply::kAck);
  EXPECT_EQ(name[0], 'T');
  ASSERT_EQ(Send(dock, kRouterAddress, {0x62, 0x02}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kRouterAddress), ElementsAre(0x60, 0x80, 0xBE)) << "nothing routed";
}

TEST_F(DockTest, UnselectablePortIsNeverAcknowledged) {
  dock.Port(2)->Faults().unselectable = true;
  ASSERT_EQ(Send(dock, kRouterAddress, {0x61, 0x02}), AuxReply::kAck);
  EXPECT_EQ(Read(dock, kRouterAddress).size(), 3u);
  EXPECT_EQ(dock.Route(), 0);
}

TEST_F(DockTest, FaultKnobsActOnCue) {
  ChipFaults& faults = dock.Host().Faults();

  faults.nullRepliesBeforeAnswer = 2;
  ASSERT_EQ(Send(dock, kHost, {0x09}), AuxReply::kAck);
  EXPECT_EQ(Read(dock, kHost).size(), 3u);
  EXPECT_EQ(Read(dock, kHost).size(), 3u);
  EXPECT_THAT(Read(dock, kHost), ElementsAreArray(BuildAck(kHost)));
  faults.nullRepliesBeforeAnswer = 0;

  faults.badChecksums = 1;
  ASSERT_EQ(Send(dock, kHost, {0x09}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kHost), ElementsAre(0x6E, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x0C, 0x77));

  faults.wrongReplyCodes = 1;
  ASSERT_EQ(Send(dock, kHost, {0x09}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kHost), ElementsAre(0x6E, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x0D, 0x77));
  ASSERT_EQ(Send(dock, kHost, {0x09}), AuxReply::kAck);
  EXPECT_THAT(Read(dock, kHost), ElementsAreArray(BuildAck(kHost)));

  faults.deferRequests = 1;
  uint8_t byte = 0;
  EXPECT_EQ(dock.NativeRead(0x503, &byte, 1), AuxReply::kDefer);
  EXPECT_EQ(dock.NativeRead(0x503, &byte, 1), AuxReply::kAck);

  faults.nakTransactions = 1;
  EXPECT_EQ(Send(dock, kHost, {0x09}), AuxReply::kNak);
  EXPECT_EQ(Send(dock, kHost, {0x09}), AuxReply::kAck);

  faults.noAnswer = true;
  EXPECT_EQ(Send(dock, kHost, {0x09}), AuxReply::kNak);
  EXPECT_EQ(dock.NativeRead(0x503, &byte, 1), AuxReply::kNak);
  // A chip that is not there does not answer its address.
  EXPECT_EQ(Send(dock, 0x70, {0x09}), AuxReply::kNak);
}

TEST_F(DockTest, ResetReportsWhatTheFlashNowHolds) {
  auto& flash = dock.Host().MutableFlash();
  flash = MakeFlashImage({ChipKind::kTalmont, 16384, {"Tm7731", 0x21, 0x020000}, 0});
  EXPECT_EQ(dock.Host().Identity().name, "Tm7730");
  dock.Host().Reset();
  uint8_t id[10] = {};
  ASSERT_EQ(dock.NativeRead(0x503, id, 10), AuxReply::kAck);
  EXPECT_EQ(id[5], '1');
  EXPECT_EQ(id[9], 0x02);
}

}  // namespace
}  // namespace sim
