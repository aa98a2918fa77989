#include "sim/saltmere_gfx/sim_gfx_lib.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sim {
namespace {

using ::testing::ElementsAre;

ChipConfig Talmont() {
  ChipConfig config;
  config.kind = ChipKind::kTalmont;
  config.flash = MakeFlashImage({ChipKind::kTalmont, 16384, {"Tm7730", 0x21, 0x011234}, 0});
  return config;
}

struct SimGfxLibTest : ::testing::Test {
  SaltmereDock dock{DockConfig{Talmont(), std::nullopt, std::nullopt}};
  SimGfxLib gfx{dock};
  std::wstring detail;
};

TEST_F(SimGfxLibTest, WritesGoOutInPiecesOfSixteenWithTheMiddleOfTransactionBit) {
  std::vector<uint8_t> forty(40, 0x11);
  ASSERT_EQ(gfx.I2cWrite(1, 0x6E, forty.data(), 40), 0);
  ASSERT_EQ(dock.Trace().size(), 3u);
  EXPECT_EQ(dock.Trace()[0].data.size(), 16u);
  EXPECT_TRUE(dock.Trace()[0].mot);
  EXPECT_TRUE(dock.Trace()[1].mot);
  EXPECT_EQ(dock.Trace()[2].data.size(), 8u);
  EXPECT_FALSE(dock.Trace()[2].mot);
  EXPECT_EQ(dock.Trace()[0].address, 0x37u);

  uint8_t buffer[32] = {};
  ASSERT_EQ(gfx.AuxRead(1, 0x20000, buffer, 32), 0);
  EXPECT_EQ(dock.Trace()[3].address, 0x20000u);
  EXPECT_EQ(dock.Trace()[4].address, 0x20010u);
}

TEST_F(SimGfxLibTest, ReplyReadingFollowsTheLengthByte) {
  const uint8_t enter[] = {0x51, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x09, 0x72};
  ASSERT_EQ(gfx.I2cWrite(1, 0x6E, enter, 8), 0);
  uint8_t reply[16] = {};
  int32_t length = 0;
  // Capacity below the announced length: 13, and the answer is used up.
  EXPECT_EQ(gfx.I2cReadReply(1, 0x6E, reply, 7, &length, detail), 13);
  ASSERT_EQ(gfx.I2cReadReply(1, 0x6E, reply, 16, &length, detail), 0);
  EXPECT_EQ(length, 3);
  ASSERT_EQ(gfx.I2cWrite(1, 0x6E, enter, 8), 0);
  ASSERT_EQ(gfx.I2cReadReply(1, 0x6E, reply, 16, &length, detail), 0);
  EXPECT_EQ(length, 8);
  EXPECT_THAT(std::vector<uint8_t>(reply, reply + 8),
              ElementsAre(0x6E, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x0C, 0x76));
  ASSERT_EQ(gfx.I2cReadReply(1, 0x6E, reply, 16, &length, detail), 0);
  EXPECT_EQ(length, 3);  // null reply
}

TEST_F(SimGfxLibTest, ArgumentsAndChannelFaultsBecomeResultCodes) {
  uint8_t byte = 0;
  int32_t length = 0;
  EXPECT_EQ(gfx.I2cWrite(1, 0x6E, &byte, 0), 13);
  EXPECT_EQ(gfx.AuxRead(1, 0x503, nullptr, 1), 13);
  EXPECT_EQ(gfx.AuxWrite(1, 0x503, &byte, 0), 13);
  EXPECT_EQ(gfx.I2cReadReply(1, 0x6E, &byte, 1, nullptr, detail), 13);
  EXPECT_TRUE(dock.Trace().empty());
  EXPECT_EQ(gfx.AuxRead(2, 0x503, &byte, 1), kSimRefused);  // no such display
  dock.Host().Faults().deferRequests = 1;
  EXPECT_EQ(gfx.AuxRead(1, 0x503, &byte, 1), 1003);
  dock.Host().Faults().noAnswer = true;
  EXPECT_EQ(gfx.AuxRead(1, 0x503, &byte, 1), kSimRefused);
  EXPECT_EQ(gfx.I2cReadReply(1, 0x6E, &byte, 1, &length, detail), kSimRefused);
}

}  // namespace
}  // namespace sim
