#include "sim/torv_bridge/torv_bridge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace sim {
namespace {

using Bytes = std::vector<uint8_t>;

bool Call(TorvBridge& bridge, uint32_t code, const Bytes& in, uint8_t* out = nullptr,
          size_t outSize = 0) {
  size_t returned = 0;
  return bridge.Handle(code, in.data(), in.size(), out, outSize, &returned);
}

bool ReadReg(TorvBridge& bridge, uint8_t reg, uint8_t value, uint8_t* out) {
  return Call(bridge, torv::kIoctlRegRead, {reg, 1, value}, out, 1);
}

Bytes WriteRequest(uint8_t fill) {
  Bytes request(torv::kEepromWriteRequestSize, fill);
  const uint8_t header[8] = {0x41, 0x53, 0x49, 0x58, 0x00, 0x00, 0x84, 0x00};
  std::copy(std::begin(header), std::end(header), request.begin());
  return request;
}

class TorvBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::array<uint8_t, 256> image{};
    for (size_t i = 0; i < image.size(); ++i) {
      image[i] = static_cast<uint8_t>(i ^ 0x5A);
    }
    bridge_.SetEeprom(image.data());
  }
  TorvBridge bridge_;
};

TEST_F(TorvBridgeTest, ReadsAWordAfterTheBusyBitClears) {
  bridge_.SetBusyReads(2);
  ASSERT_TRUE(Call(bridge_, torv::kIoctlRegWrite, {0x07, 1, 5}));
  ASSERT_TRUE(Call(bridge_, torv::kIoctlRegWrite, {0x0A, 1, 0x04}));
  uint8_t value = 0;
  // The data is not there while busy.
  ASSERT_TRUE(ReadReg(bridge_, 0x0A, 0x10, &value));
  EXPECT_EQ(value, 0x10);
  EXPECT_FALSE(ReadReg(bridge_, 0x08, 0x00, &value));
  ASSERT_TRUE(ReadReg(bridge_, 0x0A, 0x10, &value));
  EXPECT_EQ(value, 0x10);
  ASSERT_TRUE(ReadReg(bridge_, 0x0A, 0x10, &value));
  EXPECT_EQ(value, 0x00);
  ASSERT_TRUE(ReadReg(bridge_, 0x08, 0x00, &value));
  EXPECT_EQ(value, 10 ^ 0x5A);
  ASSERT_TRUE(ReadReg(bridge_, 0x09, 0x00, &value));
  EXPECT_EQ(value, 11 ^ 0x5A);
}

TEST_F(TorvBridgeTest, TheReadCommandTakesTheWordIndexWrittenBeforeIt) {
  // An index written after the command does not change the word being fetched.
  ASSERT_TRUE(Call(bridge_, torv::kIoctlRegWrite, {0x07, 1, 5}));
  ASSERT_TRUE(Call(bridge_, torv::kIoctlRegWrite, {0x0A, 1, 0x04}));
  ASSERT_TRUE(Call(bridge_, torv::kIoctlRegWrite, {0x07, 1, 6}));
  uint8_t value = 0xEE;
  ASSERT_TRUE(ReadReg(bridge_, 0x0A, 0x10, &value));
  EXPECT_EQ(value, 0x00);
  ASSERT_TRUE(ReadReg(bridge_, 0x08, 0x00, &value));
  EXPECT_EQ(value, 10 ^ 0x5A);
  ASSERT_TRUE(ReadReg(bridge_, 0x09, 0x00, &value));
  EXPECT_EQ(value, 11 ^ 0x5A);
}

TEST_F(TorvBridgeTest, RefusesRequestsOutsideTheProtocol) {
  struct Case {
    const char* what;
    uint32_t code;
    Bytes in;
    size_t outSize;
  };
  const std::vector<Case> cases = {
      {"word index past the EEPROM", torv::kIoctlRegWrite, {0x07, 1, 128}, 0},
      {"count byte not 1", torv::kIoctlRegWrite, {0x07, 2, 0}, 0},
      {"unknown command", torv::kIoctlRegWrite, {0x0A, 1, 0x05}, 0},
      {"unknown register", torv::kIoctlRegWrite, {0x0B, 1, 0x04}, 0},
      {"short register request", torv::kIoctlRegWrite, {0x07, 1}, 0},
      {"poll with the wrong value", torv::kIoctlRegRead, {0x0A, 1, 0x00}, 1},
      {"data read with a value", torv::kIoctlRegRead, {0x08, 1, 0x10}, 1},
      {"read without room for the byte", torv::kIoctlRegRead, {0x0A, 1, 0x10}, 0},
      {"unknown control code", 0x00222008, {0x07, 1, 0}, 0},
  };
  for (const Case& c : cases) {
    uint8_t out = 0;
    EXPECT_FALSE(Call(bridge_, c.code, c.in, &out, c.outSize)) << c.what;
  }
}

TEST_F(TorvBridgeTest, AcceptsTheWriteRequestOnlyWithItsSignatureAndFixedFields) {
  struct Case {
    const char* what;
    size_t offset;  // byte changed in a good request; SIZE_MAX for none
    uint8_t value;
    size_t size;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {"good request", SIZE_MAX, 0, 264, true},
      {"signature byte", 3, 0x59, 264, false},
      {"first field", 4, 0x01, 264, false},
      {"second field low byte", 6, 0x85, 264, false},
      {"second field high byte", 7, 0x01, 264, false},
      {"one byte short", SIZE_MAX, 0, 263, false},
  };
  for (const Case& c : cases) {
    TorvBridge bridge;
    Bytes request = WriteRequest(0x33);
    if (c.offset != SIZE_MAX) {
      request[c.offset] = c.value;
    }
    request.resize(c.size);
    EXPECT_EQ(Call(bridge, torv::kIoctlEepromWrite, request), c.accepted) << c.what;
    EXPECT_EQ(bridge.EepromWrites(), c.accepted ? 1u : 0u) << c.what;
    EXPECT_EQ(bridge.Eeprom()[0], c.accepted ? 0x33 : 0xFF) << c.what;
  }
}

TEST_F(TorvBridgeTest, FaultKnobFailsACodeAfterItsGoodCalls) {
  bridge_.SetFault(TorvBridge::kCallRegWrite, 1);
  EXPECT_TRUE(Call(bridge_, torv::kIoctlRegWrite, {0x07, 1, 0}));
  EXPECT_FALSE(Call(bridge_, torv::kIoctlRegWrite, {0x07, 1, 0}));
  EXPECT_FALSE(Call(bridge_, torv::kIoctlRegWrite, {0x07, 1, 0}));
  EXPECT_TRUE(Call(bridge_, torv::kIoctlEepromWrite, WriteRequest(0)));
  bridge_.ClearFaults();
  EXPECT_TRUE(Call(bridge_, torv::kIoctlRegWrite, {0x07, 1, 0}));
  EXPECT_EQ(bridge_.Calls(TorvBridge::kCallRegWrite), 4u);
}

}  // namespace
}  // namespace sim
