#include "sim/saltmere/isp_window.h"

#include "sim/saltmere/ddc_frame.h"
#include "sim/saltmere/saltmere_dock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sim {
namespace {

using Bytes = std::vector<uint8_t>;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr uint32_t kBase = 0x20000;
constexpr uint32_t kReply = 0x10000;
constexpr uint32_t kLowerFill = 0x200FF;
constexpr uint32_t kUpperFill = 0x201FF;

TEST(BlockCrcTest, StartsFromTheProtocolsInitialValue) {
  const uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(BlockCrc(abc, 3), 0xEB62);
  EXPECT_EQ(BlockCrc(abc, 0), 0x1021);
}

class IspWindowTest : public ::testing::Test {
 protected:
  IspWindowTest() : dock(Config()) {}

  static DockConfig Config() {
    ChipConfig host;
    host.kind = ChipKind::kWrenlo;
    host.flash = MakeFlashImage({ChipKind::kWrenlo, 8192, {"WL4410", 0x11, 0x010203}, 0});
    return {std::move(host), std::nullopt, std::nullopt};
  }

  bool Ddc(const Bytes& payload) {
    const Bytes message = FrameHostMessage(0x6E, payload);
    for (size_t at = 0; at < message.size(); at += 16) {
      const size_t n = std::min<size_t>(16, message.size() - at);
      if (dock.I2cWrite(0x37, at + n < message.size(), message.data() + at, n) != AuxReply::kAck) {
        return false;
      }
    }
    Bytes reply(8);
    dock.I2cRead(0x37, true, reply.data(), 2);
    dock.I2cRead(0x37, false, reply.data() + 2, static_cast<size_t>(reply[1] - 0x7D - 2));
    return reply == BuildAck(0x6E);
  }

  void StartDriver() {
    ASSERT_TRUE(Ddc({0x09}));
    ASSERT_TRUE(Ddc({0x20, 0x00}));
    ASSERT_TRUE(Ddc({0x13, 0x18, 0x00, 0xAA}));
    ASSERT_TRUE(Ddc({0x1D, 0x18, 0x00}));
  }

  void Write(uint32_t address, const Bytes& bytes) {
    for (size_t at = 0; at < bytes.size(); at += 16) {
      const size_t n = std::min<size_t>(16, bytes.size() - at);
      ASSERT_EQ(dock.NativeWrite(address + static_cast<uint32_t>(at), bytes.data() + at, n),
                AuxReply::kAck);
    }
  }
  Bytes Read(uint32_t address, size_t n) {
    Bytes bytes(n);
    for (size_t at = 0; at < n; at += 16) {
      const size_t piece = std::min<size_t>(16, n - at);
      EXPECT_EQ(dock.NativeRead(address + static_cast<uint32_t>(at), bytes.data() + at, piece),
                AuxReply::kAck);
    }
    return bytes;
  }
  // A command as the engine places it: everything after the count, then the count.
  void Mailbox(const Bytes& command) {
    Write(kBase + 1, Bytes(command.begin() + 1, command.end()));
    Write(kBase, {command[0]});
  }
  static Bytes WithCheck(Bytes command) {
    uint8_t check = 0;
    for (uint8_t b : command) {
      check ^= b;
    }
    command.push_back(check);
    return command;
  }
  // One block through the two halves: header, upper half first, then the lower half.
  void SendBlock(uint32_t flashAddress, const Bytes& data, bool goodCrc = true) {
    Mailbox({0x03, 0x10, 0x13});
    const auto n = static_cast<uint32_t>(data.size());
    Write(kBase,
          {0x00, static_cast<uint8_t>(flashAddress >> 16), static_cast<uint8_t>(flashAddress >> 8),
           static_cast<uint8_t>(flashAddress), static_cast<uint8_t>(n >> 24),
           static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    Write(kLowerFill, {8});
    ASSERT_THAT(Read(kLowerFill, 1), ElementsAre(0)) << "header taken";
    Bytes all = data;
    const uint16_t crc = BlockCrc(data.data(), data.size()) ^ (goodCrc ? 0 : 1);
    all.insert(all.end(), {0x00, 0x00, static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)});
    const size_t first = all.size() / 2;
    Write(kBase + 256, Bytes(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(first)));
    Write(kUpperFill, {static_cast<uint8_t>(first)});
    EXPECT_THAT(Read(kUpperFill, 1), ElementsAre(0));
    Write(kBase, Bytes(all.begin() + static_cast<std::ptrdiff_t>(first), all.end()));
    Write(kLowerFill, {static_cast<uint8_t>(all.size() - first)});
    EXPECT_THAT(Read(kLowerFill, 1), ElementsAre(0));
  }

  SaltmereDock dock;
};

TEST_F(IspWindowTest, DriverStartedInTheIspStatePublishesTheWindow) {
  // Out of order, the steps are not taken: RAM writes and the start need the ISP state.
  EXPECT_FALSE(Ddc({0x20, 0x00}));
  EXPECT_FALSE(Ddc({0x1D, 0x18, 0x00}));
  StartDriver();
  EXPECT_EQ(dock.Host().Ram()[0x1800], 0xAA);
  EXPECT_EQ(dock.Host().DriverStartAddress(), 0x1800);
  EXPECT_THAT(Read(0x40C, 3), ElementsAre(0x00, 0x00, 0x03));
  EXPECT_THAT(Read(0x30000, 12),
              ElementsAre(0x00, 0x00, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00, 0x01, 0x00, 0x80, 0x00));
  EXPECT_FALSE(Ddc({0x09})) << "the driver listens on the window only";
}

TEST_F(IspWindowTest, CommandsAnswerInTheReplyArea) {
  StartDriver();
  Mailbox({0x09, 0x1C, 0xFF, 0x00, 0x00, 0x20, 0x00, 0x00, 0x44});
  EXPECT_THAT(Read(kReply, 5), ElementsAre(0x04, 0x1C, 0xEF, 0x40, 0x13));

  Write(kReply, {0});
  Mailbox(WithCheck({0x07, 0x1B, 0x00, 0x1F, 0xEC, 0x03}));  // the trailer's version
  EXPECT_THAT(Read(kReply, 7), ElementsAre(0x05, 0x06, 0x1B, 0x03, 0x02, 0x01, 0x00));

  // A command whose check byte is wrong is not taken.
  Write(kReply, {0});
  Bytes bad = WithCheck({0x05, 0x19, 0xFF, 0xFF});
  bad.back() ^= 1;
  Mailbox(bad);
  EXPECT_THAT(Read(kReply, 1), ElementsAre(0));
  EXPECT_TRUE(dock.Host().Window().Erases().empty());

  Mailbox(WithCheck({0x05, 0x19, 0xFF, 0xFF}));
  EXPECT_THAT(Read(kReply, 3), ElementsAre(0x03, 0x0C, 0xF1));
  EXPECT_EQ(std::count(dock.Host().Flash().begin(), dock.Host().Flash().end(), 0xFF), 8192);
}

TEST_F(IspWindowTest, BlocksAreProgrammedOnlyWithTheirCrc) {
  StartDriver();
  Mailbox(WithCheck({0x05, 0x19, 0xFF, 0xFF}));
  Write(kReply, {0});
  Bytes data(501);
  for (size_t i = 0; i < data.size(); ++i) {
    data[i] = static_cast<uint8_t>(i * 3);
  }
  SendBlock(0x400000 + 1000, data);
  EXPECT_THAT(Read(kReply, 3), ElementsAre(0x03, 0x0C, 0xF1));
  EXPECT_THAT(Bytes(dock.Host().Flash().begin() + 1000, dock.Host().Flash().begin() + 1501),
              ElementsAreArray(data));

  Write(kReply, {0});
  SendBlock(0x400000 + 2000, data, false);
  EXPECT_THAT(Read(kReply, 3), ElementsAre(0x03, 0x0E, 0xEF));
  EXPECT_EQ(dock.Host().Flash()[2001], 0xFF);

  Write(kReply, {0});
  dock.Host().Window().Faults().blockCrcErrors = 1;
  SendBlock(0x400000 + 3000, data);
  EXPECT_THAT(Read(kReply, 3), ElementsAre(0x03, 0x0E, 0xEF));
  EXPECT_EQ(dock.Host().Window().BlocksWritten(), 1);

  // Over flash that was not erased, programming only clears bits.
  Write(kReply, {0});
  SendBlock(0x400000 + 1000, Bytes(501, 0xF0));
  EXPECT_EQ(dock.Host().Flash()[1001], 0x03 & 0xF0);
}

TEST_F(IspWindowTest, FaultsDelayTheAnswerOrStickTheFillCount) {
  StartDriver();
  dock.Host().Window().Faults().replyDelayReads = 2;
  Mailbox(WithCheck({0x05, 0x19, 0xFF, 0xFF}));
  EXPECT_THAT(Read(kReply, 1), ElementsAre(0));
  EXPECT_THAT(Read(kReply, 1), ElementsAre(0));
  EXPECT_THAT(Read(kReply, 3), ElementsAre(0x03, 0x0C, 0xF1));

  dock.Host().Window().Faults().stuckFillCount = true;
  Mailbox({0x03, 0x10, 0x13});
  Write(kBase, {0, 0x40, 0, 0, 0, 0, 0, 4});
  Write(kLowerFill, {8});
  EXPECT_THAT(Read(kLowerFill, 1), ElementsAre(8));
}

TEST_F(IspWindowTest, SystemResetRebootsIntoTheNewFlash) {
  StartDriver();
  Mailbox(WithCheck({0x05, 0x19, 0xFF, 0xFF}));
  const Bytes image = MakeFlashImage({ChipKind::kWrenlo, 8192, {"WL4410", 0x12, 0x020304}, 0});
  Write(kReply, {0});
  SendBlock(0x400000 + 8192 - 504, Bytes(image.end() - 504, image.end()));
  Write(kReply, {0});
  Mailbox({0x04, 0x20, 0x01, 0x25});
  EXPECT_THAT(Read(kReply, 3), ElementsAre(0x03, 0x0C, 0xF1));
  EXPECT_EQ(dock.Host().State(), ChipState::kRunning);
  EXPECT_THAT(Read(0x503, 10), ElementsAre('W', 'L', '4', '4', '1', '0', 0x12, 0x03, 0x04, 0x02));
  EXPECT_TRUE(Ddc({0x09})) << "DDC/CI answers again";
}

}  // namespace
}  // namespace sim
