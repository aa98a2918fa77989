#include "aux_isp_tool/isp/ddc_transport.h"

#include "aux_isp_tool/isp/testing/sim_engine_fixture.h"
#include "sim/saltmere/ddc_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <optional>

namespace peloisp {
namespace {

using Bytes = std::vector<uint8_t>;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class DdcTransportTest : public testing::SimEngineTest {
 protected:
  DdcTransport ddc{context, output};

  const Bytes& LastMessage() const { return dock.I2cMessages().back().bytes; }
};

TEST_F(DdcTransportTest, SendCommandPutsTheFramedMessageOnTheBus) {
  struct Case {
    int32_t address;
    Bytes payload;
    Bytes onBus;
  };
  const Case cases[] = {
      {0x6E, {0x09}, {0x51, 0x85, 0xC2, 0x00, 0x00, 0x03, 0x09, 0x72}},
      {0x6E, {0x20, 0x00}, {0x51, 0x86, 0xC2, 0x00, 0x00, 0x04, 0x20, 0x00, 0x5F}},
      {0x6E, {0x1D, 0x18, 0x00}, {0x51, 0x87, 0xC2, 0x00, 0x00, 0x05, 0x1D, 0x18, 0x00, 0x7A}},
      {0x60, {0x61, 0x02}, {0x51, 0x86, 0xC2, 0x00, 0x00, 0x04, 0x61, 0x02, 0x12}},
  };
  for (const Case& c : cases) {
    context.i2cAddress = c.address;
    ASSERT_TRUE(ddc.SendCommand(c.payload.data(), static_cast<int>(c.payload.size())));
    EXPECT_EQ(dock.I2cMessages().back().address, c.address);
    EXPECT_THAT(LastMessage(), ElementsAreArray(c.onBus));
  }
  // The checksum folds in the destination: 0x6E ^ 0x70 ^ 0x72.
  uint8_t framed[16] = {};
  const uint8_t enter = 0x09;
  ASSERT_EQ(FrameDdcMessage(0x70, &enter, 1, framed, sizeof framed), 8);
  EXPECT_EQ(framed[7], 0x6C);
}

TEST_F(DdcTransportTest, OverlongPayloadIsRefusedWithoutTraffic) {
  const Bytes payload(126, 0x13);
  EXPECT_FALSE(ddc.SendCommand(payload.data(), 126));
  EXPECT_TRUE(dock.Trace().empty());
  // 125 is the largest that frames: 132 bytes on the bus.
  EXPECT_TRUE(ddc.SendCommand(payload.data(), 125));
  EXPECT_EQ(LastMessage().size(), 132u);
}

TEST_F(DdcTransportTest, WaitAckAcceptsOnlyAGoodAcknowledgement) {
  const uint8_t enter = 0x09;
  EXPECT_TRUE(ddc.SendCommandWaitAck(&enter, 1));

  dock.Host().Faults().badChecksums = 1;  // ... 0C 77
  EXPECT_FALSE(ddc.SendCommandWaitAck(&enter, 1));
  EXPECT_EQ(ReplyReads(), 2u) << "a reply that fails the test is not read again";

  dock.Host().Faults().wrongReplyCodes = 1;  // ... 0D 77
  EXPECT_FALSE(ddc.SendCommandWaitAck(&enter, 1));

  // A write the channel refuses is not retried, and no wait follows.
  dock.Host().Faults().nakTransactions = 1;
  dock.ClearTrace();
  EXPECT_FALSE(ddc.SendCommandWaitAck(&enter, 1));
  EXPECT_EQ(dock.Trace().size(), 1u);
}

TEST_F(DdcTransportTest, WaitAckPausesAsWritten) {
  const uint8_t enter = 0x09;
  // A null reply is a short reply here: 30 ms each, after the 40 ms settle.
  dock.Host().Faults().nullRepliesBeforeAnswer = 2;
  ASSERT_TRUE(ddc.SendCommandWaitAck(&enter, 1));
  EXPECT_THAT(clock.Sleeps(), ElementsAre(40u, 30u, 30u));
  EXPECT_EQ(ReplyReads(), 3u);
  // Each timed sleep holds the 1 ms timer resolution.
  EXPECT_THAT(clock.ResolutionCalls(), ElementsAre(1, -1, 1, -1, 1, -1));

  // Busy costs a 10 ms spin, not a sleep.
  dock.Host().Faults().nullRepliesBeforeAnswer = 0;
  ASSERT_TRUE(ddc.SendCommand(&enter, 1));
  dock.Host().Faults().deferRequests = 1;
  clock.ClearRecords();
  const double before = clock.NowMs();
  ASSERT_TRUE(ddc.WaitAck());
  EXPECT_THAT(clock.Sleeps(), ElementsAre(40u));
  EXPECT_GE(clock.NowMs() - before, 50.0);
}

TEST_F(DdcTransportTest, WaitAckGivesUpAfterTwentyReads) {
  const uint8_t unknown = 0x77;  // the chip never answers it
  EXPECT_FALSE(ddc.SendCommandWaitAck(&unknown, 1));
  EXPECT_EQ(ReplyReads(), 20u);
  EXPECT_EQ(clock.Sleeps().size(), 21u);
}

TEST_F(DdcTransportTest, WaitAckFastSkipsTheSettleAndPausesFiveMilliseconds) {
  const uint8_t enter = 0x09;
  ASSERT_TRUE(ddc.SendCommand(&enter, 1));
  dock.Host().Faults().nullRepliesBeforeAnswer = 0;
  const double before = clock.NowMs();
  ASSERT_TRUE(ddc.WaitAckFast());
  EXPECT_TRUE(clock.Sleeps().empty());
  EXPECT_LT(clock.NowMs() - before, 1.0);

  dock.Host().Faults().nullRepliesBeforeAnswer = 3;
  ASSERT_TRUE(ddc.SendCommand(&enter, 1));
  const double start = clock.NowMs();
  ASSERT_TRUE(ddc.WaitAckFast());
  EXPECT_TRUE(clock.Sleeps().empty());
  EXPECT_GE(clock.NowMs() - start, 15.0);
  EXPECT_LT(clock.NowMs() - start, 16.0);

  const uint8_t unknown = 0x77;
  dock.ClearTrace();
  ASSERT_TRUE(ddc.SendCommand(&unknown, 1));
  EXPECT_FALSE(ddc.WaitAckFast());
  EXPECT_EQ(ReplyReads(), 50u);
}

TEST_F(DdcTransportTest, WaitAckFastPausesTenMillisecondsFirstOnlyOnNvidiaAndAmd) {
  // Without a vendor driver every read fails and is repeated at once: only the up-front pause
  // takes time.
  struct Case {
    GfxLib* backend;
    bool slow;
  };
  const Case cases[] = {{&context.intel, false},
                        {&context.intelLsPcon, false},
                        {&context.nvidia, true},
                        {&context.amd, true}};
  for (const Case& c : cases) {
    context.activeBackend = c.backend;
    clock.ClearRecords();
    const double before = clock.NowMs();
    EXPECT_FALSE(ddc.WaitAckFast());
    const double waited = clock.NowMs() - before;
    EXPECT_TRUE(clock.Sleeps().empty());
    if (c.slow) {
      EXPECT_GE(waited, 10.0) << c.backend->maxReply;
      EXPECT_LT(waited, 11.0) << c.backend->maxReply;
    } else {
      EXPECT_LT(waited, 1.0) << c.backend->maxReply;
    }
  }
}

TEST_F(DdcTransportTest, ReadRegisterTakesTheValueFromTheDataReply) {
  EXPECT_EQ(ddc.ReadRegister(0x8002), 0x4330);
  EXPECT_THAT(dock.I2cMessages()[0].bytes,
              ElementsAreArray(sim::FrameHostMessage(0x6E, {0x06, 0x80, 0x02})));
  dock.Host().SetRegister(0x1234, 0xBEEF);
  EXPECT_EQ(ddc.ReadRegister(0x1234), 0xBEEF);

  dock.Host().Faults().wrongReplyCodes = 1;
  EXPECT_EQ(ddc.ReadRegister(0x8002), -1);
  dock.Host().Faults().badChecksums = 1;
  dock.ClearTrace();
  EXPECT_EQ(ddc.ReadRegister(0x8002), -1);
  EXPECT_EQ(ReplyReads(), 1u);
  dock.Host().Faults().noAnswer = true;
  EXPECT_EQ(ddc.ReadRegister(0x8002), -1);
}

TEST_F(DdcTransportTest, ReadReplyPausesOnNullAndBusyAndStopsAfterFifty) {
  const uint8_t read[] = {0x06, 0xC8, 0x02};
  dock.Host().Faults().nullRepliesBeforeAnswer = 1;
  ASSERT_TRUE(ddc.SendCommand(read, 3));
  Bytes inner(16);
  size_t copied = 0;
  const double before = clock.NowMs();
  ASSERT_TRUE(ddc.ReadReply(inner.data(), inner.size(), &copied));
  EXPECT_EQ(copied, 6u);
  EXPECT_THAT(Bytes(inner.begin(), inner.begin() + 6),
              ElementsAre(0x07, 0x06, 0xC8, 0x02, 0x11, 0x00));
  EXPECT_THAT(clock.Sleeps(), ElementsAre(40u));  // the null reply cost a 10 ms spin
  EXPECT_GE(clock.NowMs() - before, 50.0);
  EXPECT_EQ(ReplyReads(), 2u);

  // The copy never exceeds what the caller holds.
  ASSERT_TRUE(ddc.SendCommand(read, 3));
  dock.Host().Faults().nullRepliesBeforeAnswer = 0;
  ASSERT_TRUE(ddc.SendCommand(read, 3));
  Bytes small(3, 0xEE);
  ASSERT_TRUE(ddc.ReadReply(small.data(), 2, &copied));
  EXPECT_EQ(copied, 2u);
  EXPECT_EQ(small[2], 0xEE);

  const uint8_t unknown = 0x77;
  ASSERT_TRUE(ddc.SendCommand(&unknown, 1));
  dock.ClearTrace();
  EXPECT_FALSE(ddc.ReadReply(inner.data(), inner.size()));
  EXPECT_EQ(ReplyReads(), 50u);
}

// A backend whose reply reads give the scripted results first (2 and 5 end a wait at once).
class ScriptedReplyGfx final : public GfxLib {
 public:
  explicit ScriptedReplyGfx(GfxLib& inner) : GfxLib(inner.maxReply, 0, 0x20000), inner_(inner) {}
  ~ScriptedReplyGfx() = default;
  int32_t Init(std::wstring& m) override { return inner_.Init(m); }
  int32_t Connect(int32_t& d, int32_t a, std::wstring& m) override {
    return inner_.Connect(d, a, m);
  }
  int32_t I2cWrite(int32_t d, int32_t a, const uint8_t* data, int32_t n) override {
    return inner_.I2cWrite(d, a, data, n);
  }
  int32_t I2cReadReply(int32_t d, int32_t a, uint8_t* b, int32_t c, int32_t* n,
                       std::wstring& detail) override {
    ++reads;
    if (!results.empty()) {
      const int32_t r = results.front();
      results.pop_front();
      detail = L"scripted";
      return r;
    }
    const int32_t r = inner_.I2cReadReply(d, a, b, c, n, detail);
    if (r == 0 && reportedLength) {
      *n = *reportedLength;
    }
    return r;
  }
  int32_t AuxWrite(int32_t d, uint32_t a, const uint8_t* data, int32_t n) override {
    return inner_.AuxWrite(d, a, data, n);
  }
  int32_t AuxRead(int32_t d, uint32_t a, uint8_t* b, int32_t n) override {
    return inner_.AuxRead(d, a, b, n);
  }
  std::deque<int32_t> results;
  std::optional<int32_t> reportedLength;  // a length the backend gets wrong
  int reads = 0;

 private:
  GfxLib& inner_;
};

TEST_F(DdcTransportTest, WaitsGiveUpAtOnceOnResultsTwoAndFiveAndLogBackendTexts) {
  ScriptedReplyGfx scripted(gfx);
  context.activeBackend = &scripted;
  const uint8_t enter = 0x09;
  struct Case {
    const char* wait;
    int32_t result;
  };
  for (const Case c : {Case{"ack", 2}, Case{"ack", 5}, Case{"fast", 2}, Case{"reply", 5}}) {
    ASSERT_TRUE(ddc.SendCommand(&enter, 1));
    scripted.results = {c.result};
    scripted.reads = 0;
    const std::string wait = c.wait;
    const bool ok = wait == "ack"    ? ddc.WaitAck()
                    : wait == "fast" ? ddc.WaitAckFast()
                                     : ddc.ReadReply(nullptr, 0);
    EXPECT_FALSE(ok) << c.wait << " " << c.result;
    EXPECT_EQ(scripted.reads, 1) << c.wait;
  }
  EXPECT_EQ(output.log,
            L"Read I2C Ack: scripted\r\nRead I2C Ack: scripted\r\nRead I2C Ack fast: scripted\r\n"
            L"Read return data: scripted\r\n");
  // Any other failure is read again without a pause.
  ASSERT_TRUE(ddc.SendCommand(&enter, 1));
  scripted.results = {15, 13};
  clock.ClearRecords();
  EXPECT_TRUE(ddc.WaitAck());
  EXPECT_THAT(clock.Sleeps(), ElementsAre(40u));
  EXPECT_TRUE(output.console.empty());
}

TEST_F(DdcTransportTest, ReplyLengthsOutsideTheReplyAreRejected) {
  ScriptedReplyGfx scripted(gfx);
  context.activeBackend = &scripted;
  const uint8_t read[] = {0x06, 0xC8, 0x02};
  struct Case {
    int32_t length;
    const char* why;
  };
  // Longer than the capacity asked for, or too short to hold header and checksum.
  for (const Case c :
       {Case{133, "beyond capacity"}, Case{5, "no checksum room"}, Case{-1, "negative"}}) {
    scripted.reportedLength = c.length;
    ASSERT_TRUE(ddc.SendCommand(read, 3));
    scripted.reads = 0;
    Bytes inner(16);
    EXPECT_FALSE(ddc.ReadReply(inner.data(), inner.size())) << c.why;
    EXPECT_EQ(scripted.reads, 1) << c.why;
    ASSERT_TRUE(ddc.SendCommand(read, 3));
    EXPECT_EQ(ddc.ReadRegister(0xC802), -1) << c.why;
  }
  scripted.reportedLength = 200;
  const uint8_t enter = 0x09;
  EXPECT_FALSE(ddc.SendCommandWaitAck(&enter, 1));
}

TEST_F(DdcTransportTest, ReadMemoryChunksAtNinetySixAndTheSixtyFourKiloByteBoundary) {
  auto& flash = dock.Host().MutableFlash();
  for (size_t i = 0; i < flash.size(); ++i) {
    flash[i] = static_cast<uint8_t>(i * 13 + (i >> 8));
  }
  // 0x40FFC0 is 0xFFC0 into the flash: 64 bytes reach the boundary at 0x410000.
  Bytes dst(200);
  ASSERT_TRUE(ddc.ReadMemory(dst.data(), 200, 0x40FFC0));
  ASSERT_EQ(dock.I2cMessages().size(), 3u);
  EXPECT_THAT(dock.I2cMessages()[0].bytes, ElementsAreArray(sim::FrameHostMessage(
                                               0x6E, {0x52, 0, 0x40, 0xFF, 0xC0, 0, 0, 0, 64})));
  EXPECT_THAT(dock.I2cMessages()[1].bytes, ElementsAreArray(sim::FrameHostMessage(
                                               0x6E, {0x52, 0, 0x41, 0x00, 0x00, 0, 0, 0, 96})));
  EXPECT_THAT(dock.I2cMessages()[2].bytes, ElementsAreArray(sim::FrameHostMessage(
                                               0x6E, {0x52, 0, 0x41, 0x00, 0x60, 0, 0, 0, 40})));
  EXPECT_THAT(dst, ElementsAreArray(flash.begin() + 0xFFC0, flash.begin() + 0xFFC0 + 200));

  dock.ClearTrace();
  EXPECT_TRUE(ddc.ReadMemory(dst.data(), 0, 0x400000));
  EXPECT_TRUE(dock.Trace().empty());
}

TEST_F(DdcTransportTest, ReadMemoryFailsOnAnyBadChunk) {
  Bytes dst(200);
  dock.Host().Faults().wrongReplyCodes = 1;
  EXPECT_FALSE(ddc.ReadMemory(dst.data(), 200, 0x400000));
  EXPECT_EQ(dock.I2cMessages().size(), 1u) << "the first failure ends the loop";
  // A chunk that comes back one byte short would leave a hole in the data.
  dock.Host().Faults().shortMemoryReads = 1;
  EXPECT_FALSE(ddc.ReadMemory(dst.data(), 10, 0x1B503));
}

TEST_F(DdcTransportTest, PortRoutingRestoresTheAddressOnBothOutcomes) {
  context.i2cAddress = 0x6E;
  ASSERT_TRUE(ddc.SelectPort(2));
  EXPECT_EQ(context.i2cAddress, 0x6E);
  EXPECT_EQ(dock.Route(), 2);
  EXPECT_EQ(dock.I2cMessages().back().address, 0x60);
  ASSERT_TRUE(ddc.ReleasePort(2));
  EXPECT_EQ(dock.Route(), 0);
  EXPECT_THAT(LastMessage(), ElementsAreArray(sim::FrameHostMessage(0x60, {0x62, 0x02})));

  EXPECT_FALSE(ddc.SelectPort(1));  // no Port#1 chip: never acknowledged
  EXPECT_EQ(context.i2cAddress, 0x6E);
  dock.Host().Faults().noAnswer = true;  // the send itself fails
  EXPECT_FALSE(ddc.SelectPort(2));
  EXPECT_EQ(context.i2cAddress, 0x6E);
}

TEST_F(DdcTransportTest, WriteRegisterAndRamWriteMessages) {
  ASSERT_TRUE(ddc.WriteRegister(0x04D0, 0x76));
  EXPECT_THAT(LastMessage(),
              ElementsAre(0x51, 0x89, 0xC2, 0x00, 0x00, 0x07, 0x07, 0x04, 0xD0, 0x00, 0x76, 0xD6));
  EXPECT_EQ(dock.Host().Register(0x04D0), 0x76);

  Bytes block(117);
  for (size_t i = 0; i < block.size(); ++i) {
    block[i] = static_cast<uint8_t>(i);
  }
  context.ramWriteAddr = 0x1800;
  const int length = ddc.BuildRamWrite(block.data(), 117, 234);
  ASSERT_EQ(length, 127);
  EXPECT_THAT(Bytes(context.message.begin(), context.message.begin() + 9),
              ElementsAre(0x51, 0xFC, 0xC2, 0x00, 0x00, 0x7A, 0x13, 0x18, 0xEA));
  EXPECT_THAT(Bytes(context.message.begin(), context.message.begin() + length),
              ElementsAreArray(sim::FrameHostMessage(0x6E, [&] {
                Bytes p{0x13, 0x18, 0xEA};
                p.insert(p.end(), block.begin(), block.end());
                return p;
              }())));
  // The address is cut to 16 bits.
  context.ramWriteAddr = 0xFFF0;
  ASSERT_EQ(ddc.BuildRamWrite(block.data(), 1, 0x20), 11);
  EXPECT_EQ(context.message[7], 0x00);
  EXPECT_EQ(context.message[8], 0x10);
  EXPECT_EQ(ddc.BuildRamWrite(block.data(), 118, 0), 0);
  EXPECT_EQ(ddc.BuildRamWrite(block.data(), 0, 0), 0);
}

}  // namespace
}  // namespace peloisp
