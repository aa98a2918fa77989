#include "aux_isp_tool/gfx/probe_display.h"

#include "aux_isp_tool/gfx/testing/scripted_gfx_lib.h"
#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace peloisp {
namespace {

using testing::ScriptedGfxLib;
using testing::ScriptedRead;

// The chip's acknowledgement at address 0x6E: byte 6 0x0C, byte 7 (0x6E | 1) ^ 0x19.
const ScriptedRead kAnswer{0, {0x6E, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x0C, 0x76}};
const ScriptedRead kNull{0, {0x6E, 0x80, 0xBE}};
const ScriptedRead kShort{0, {0x6E, 0x81, 0x00, 0x11}};
const ScriptedRead kBusy{kGfxBusy, {}};
const ScriptedRead kOtherAnswer{0, {0x6E, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x0B, 0x76}};

TEST(ProbeDisplay, SendsTheRequestWithItsChecksumThenWaits40Ms) {
  for (const int32_t address : {0x6E, 0x6A}) {
    sim::VirtualClock clock;
    ScriptedGfxLib channel;
    channel.reads = {ScriptedRead{0, {static_cast<uint8_t>(address), 0x80, 0xBE}}};
    ProbeDisplay(channel, clock, kIntelLsPconProbe, 7, address);
    ASSERT_EQ(channel.writes.size(), 1u);
    const std::vector<uint8_t> expected = {0x51, 0x85, 0xC2, 0x00,
                                           0x00, 0x03, 0x0A, static_cast<uint8_t>(address ^ 0x1F)};
    EXPECT_EQ(channel.writes[0], expected);
    // The checksum is the XOR of the destination address and every byte.
    uint8_t sum = static_cast<uint8_t>(address);
    for (uint8_t b : channel.writes[0]) {
      sum ^= b;
    }
    EXPECT_EQ(sum, 0);
    ASSERT_FALSE(clock.Sleeps().empty());
    EXPECT_EQ(clock.Sleeps()[0], 40u);
  }
}

TEST(ProbeDisplay, AnswerAtAnotherAddressCarriesItsOwnChecksum) {
  sim::VirtualClock clock;
  ScriptedGfxLib channel;
  // (0x6A | 1) ^ 0x19 = 0x72
  channel.reads = {ScriptedRead{0, {0x6A, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x0C, 0x72}}};
  EXPECT_EQ(ProbeDisplay(channel, clock, kAmdProbe, 0, 0x6A), 0);
  channel.reads = {kAnswer};  // 0x76 belongs to 0x6E
  EXPECT_EQ(ProbeDisplay(channel, clock, kAmdProbe, 0, 0x6A), kProbeUnexpectedReply);
}

struct ProbeCase {
  const char* name;
  ProbeVariant variant;
  std::vector<ScriptedRead> reads;
  int32_t expected;
  int32_t readsMade;
  std::vector<uint32_t> sleeps;  // after the 40 ms wait
};

TEST(ProbeDisplay, VariantsRetryPauseAndJudgeAsTheirBackend) {
  const std::vector<ScriptedRead> twentyFailures(20, ScriptedRead{-5, {}});
  const ProbeCase cases[] = {
      {"LS-PCON: busy, short, answer", kIntelLsPconProbe, {kBusy, kShort, kAnswer}, 0, 3, {10, 30}},
      {"AMD: null message ends at once",
       kAmdProbe,
       {kShort, kNull, kAnswer},
       kProbeNullReply,
       2,
       {30}},
      {"AMD: a long other answer is not retried",
       kAmdProbe,
       {kOtherAnswer, kAnswer},
       kProbeUnexpectedReply,
       1,
       {}},
      {"LS-PCON: failures repeat without pause, then 15",
       kIntelLsPconProbe,
       twentyFailures,
       kProbeUnexpectedReply,
       20,
       {}},
      {"NVIDIA: ten reads, the last failure is the result",
       NvidiaProbe(131),
       twentyFailures,
       -5,
       10,
       {}},
      {"NVIDIA: short replies pause 10 ms and end in 15", NvidiaProbe(131),
       std::vector<ScriptedRead>(10, kShort), kProbeUnexpectedReply, 10,
       std::vector<uint32_t>(9, 10)},
      {"NVIDIA: busy pauses 10 ms", NvidiaProbe(131), {kBusy, kBusy, kAnswer}, 0, 3, {10, 10}},
      {"Intel: one read, any accepted reply", kIntelProbe, {kShort, kAnswer}, 0, 1, {}},
      {"Intel: the read's code",
       kIntelProbe,
       {ScriptedRead{kGfxMalformedReply, {}}},
       kGfxMalformedReply,
       1,
       {}},
      {"Intel: null message is an answer too", kIntelProbe, {kNull}, 0, 1, {}},
  };
  for (const ProbeCase& c : cases) {
    sim::VirtualClock clock;
    ScriptedGfxLib channel;
    channel.reads.assign(c.reads.begin(), c.reads.end());
    EXPECT_EQ(ProbeDisplay(channel, clock, c.variant, 0, 0x6E), c.expected) << c.name;
    EXPECT_EQ(channel.readsMade, c.readsMade) << c.name;
    std::vector<uint32_t> sleeps(clock.Sleeps().begin() + 1, clock.Sleeps().end());
    EXPECT_EQ(sleeps, c.sleeps) << c.name;
    for (const int32_t capacity : channel.capacitiesSeen) {
      EXPECT_EQ(capacity, c.variant.capacity) << c.name;
    }
  }
}

TEST(ProbeDisplay, FailedWriteEndsTheProbeWithItsCode) {
  sim::VirtualClock clock;
  ScriptedGfxLib channel;
  channel.writeResult = 1002;
  channel.reads = {kAnswer};
  EXPECT_EQ(ProbeDisplay(channel, clock, kAmdProbe, 0, 0x6E), 1002);
  EXPECT_EQ(channel.readsMade, 0);
  EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(ProbeDisplay, ReplyLengthBeyondTheCapacityIsNotTrusted) {
  sim::VirtualClock clock;
  ScriptedGfxLib channel;
  ScriptedRead tooLong = kAnswer;
  tooLong.bytes.resize(20);
  channel.reads = {tooLong};
  EXPECT_EQ(ProbeDisplay(channel, clock, kIntelLsPconProbe, 0, 0x6E), kProbeUnexpectedReply);
}

}  // namespace
}  // namespace peloisp
