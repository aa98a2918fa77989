// A backend whose every answer is scripted by the test, and which records what it was asked.
#pragma once

#include "aux_isp_tool/gfx/gfx_lib.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace peloisp::testing {

struct ScriptedRead {
  int32_t result = 0;
  std::vector<uint8_t> bytes;  // the reply; its size is the reported length
};

class ScriptedGfxLib final : public GfxLib {
 public:
  explicit ScriptedGfxLib(std::wstring name = L"", std::vector<std::wstring>* calls = nullptr)
      : GfxLib(131, 0, 0x20000), name_(std::move(name)), calls_(calls) {}

  // Init and Connect.
  int32_t initResult = 0;
  std::wstring initText;
  int32_t connectResult = 5;
  int32_t connectDeviceId = 0;  // written on success
  std::wstring connectText;
  int32_t connectDeviceIdSeen = -1;

  // Transfers.
  int32_t writeResult = 0;
  std::vector<std::vector<uint8_t>> writes;
  std::deque<ScriptedRead> reads;
  int32_t readsMade = 0;
  std::vector<int32_t> capacitiesSeen;

  int32_t Init(std::wstring& message) override {
    Record(L"Init");
    message = initText;
    return initResult;
  }
  int32_t Connect(int32_t& deviceId, int32_t, std::wstring& message) override {
    Record(L"Connect");
    connectDeviceIdSeen = deviceId;
    message = connectText;
    if (connectResult == 0) {
      deviceId = connectDeviceId;
    }
    return connectResult;
  }
  int32_t I2cWrite(int32_t, int32_t, const uint8_t* data, int32_t length) override {
    writes.emplace_back(data, data + length);
    return writeResult;
  }
  int32_t I2cReadReply(int32_t, int32_t, uint8_t* buffer, int32_t capacity, int32_t* length,
                       std::wstring&) override {
    ++readsMade;
    capacitiesSeen.push_back(capacity);
    if (reads.empty()) {
      return 99;
    }
    const ScriptedRead next = reads.front();
    reads.pop_front();
    if (next.result == 0) {
      const size_t copied = std::min(next.bytes.size(), static_cast<size_t>(capacity));
      std::memcpy(buffer, next.bytes.data(), copied);
      *length = static_cast<int32_t>(next.bytes.size());
    }
    return next.result;
  }
  int32_t AuxWrite(int32_t, uint32_t, const uint8_t*, int32_t) override { return 0; }
  int32_t AuxRead(int32_t, uint32_t, uint8_t*, int32_t) override { return 0; }

 private:
  void Record(const wchar_t* what) {
    if (calls_ != nullptr) {
      calls_->push_back(name_ + L"." + what);
    }
  }
  std::wstring name_;
  std::vector<std::wstring>* calls_;
};

}  // namespace peloisp::testing
