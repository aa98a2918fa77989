#include "sim/saltmere/saltmere_dock.h"

#include "sim/saltmere/ddc_frame.h"

#include <utility>

namespace sim {

SaltmereDock::SaltmereDock(DockConfig config)
    : host_(std::make_unique<SaltmereChip>(std::move(config.host))) {
  if (config.port1) {
    ports_[0] = std::make_unique<SaltmereChip>(std::move(*config.port1));
  }
  if (config.port2) {
    ports_[1] = std::make_unique<SaltmereChip>(std::move(*config.port2));
  }
}

SaltmereChip* SaltmereDock::Port(int port) {
  return port == 1 || port == 2 ? ports_[port - 1].get() : nullptr;
}

SaltmereChip* SaltmereDock::Reached() {
  return route_ == 0 ? host_.get() : Port(route_);
}

SaltmereChip* SaltmereDock::ChipAt(uint8_t address8) {
  SaltmereChip* chip = Reached();
  return chip != nullptr && chip->I2cAddress() == address8 ? chip : nullptr;
}

void SaltmereDock::ClearTrace() {
  trace_.clear();
  messages_.clear();
}

AuxReply SaltmereDock::Record(AuxRequest::Kind kind, uint32_t address, bool mot,
                              const uint8_t* data, size_t length, AuxReply reply) {
  AuxRequest request{kind, address, mot, {}, reply};
  if (data != nullptr && reply == AuxReply::kAck) {
    request.data.assign(data, data + length);
  }
  trace_.push_back(std::move(request));
  return reply;
}

bool SaltmereDock::Deferred(SaltmereChip* chip) {
  ChipFaults& faults = chip->Faults();
  if (faults.deferRequests > 0) {
    --faults.deferRequests;
    return true;
  }
  return false;
}

void SaltmereDock::EndTransaction() {
  if (transaction_.open && transaction_.reading) {
    if (transaction_.chip != nullptr) {
      transaction_.chip->EndI2cRead();
    } else if (routerDelivered_) {
      routerPending_.clear();
    }
    routerDelivered_ = false;
  }
  transaction_ = Transaction{};
}

void SaltmereDock::RouterTake(const std::vector<uint8_t>& bytes) {
  routerPending_.clear();
  const auto payload = ParseHostMessage(kRouterAddress, bytes.data(), bytes.size());
  if (!payload || payload->size() != 2) {
    return;
  }
  const int port = (*payload)[1];
  if ((*payload)[0] == kCmdSelectPort) {
    SaltmereChip* chip = Port(port);
    if (chip == nullptr || chip->Faults().unselectable) {
      return;  // nothing answers: the selection is never acknowledged
    }
    route_ = port;
    routerPending_ = BuildAck(kRouterAddress);
  } else if ((*payload)[0] == kCmdReleasePort) {
    if (route_ == 0 || port != route_) {
      return;  // only the port that is routed can be released
    }
    route_ = 0;
    routerPending_ = BuildAck(kRouterAddress);
  }
}

AuxReply SaltmereDock::I2cWrite(uint8_t address7, bool mot, const uint8_t* data, size_t length) {
  using Kind = AuxRequest::Kind;
  const uint8_t address8 = static_cast<uint8_t>(address7 << 1);
  if (length > kAuxMaxPieceBytes || (length > 0 && data == nullptr)) {
    return Record(Kind::kI2cWrite, address7, mot, data, length, AuxReply::kNak);
  }
  if (transaction_.open && (transaction_.reading || transaction_.address != address8)) {
    EndTransaction();
  }
  // The router is the host's; it answers whichever chip the route reaches.
  SaltmereChip* chip = address8 == kRouterAddress ? nullptr : ChipAt(address8);
  SaltmereChip* answering = address8 == kRouterAddress ? host_.get() : chip;
  if (!transaction_.open) {
    if (answering == nullptr || answering->Faults().noAnswer) {
      return Record(Kind::kI2cWrite, address7, mot, data, length, AuxReply::kNak);
    }
    if (Deferred(answering)) {
      return Record(Kind::kI2cWrite, address7, mot, data, length, AuxReply::kDefer);
    }
    if (answering->Faults().nakTransactions > 0) {
      --answering->Faults().nakTransactions;
      return Record(Kind::kI2cWrite, address7, mot, data, length, AuxReply::kNak);
    }
    transaction_ = Transaction{true, false, address8, {}, {}, 0, chip};
  } else if (Deferred(answering)) {
    return Record(Kind::kI2cWrite, address7, mot, data, length, AuxReply::kDefer);
  }
  transaction_.bytes.insert(transaction_.bytes.end(), data, data + length);
  Record(Kind::kI2cWrite, address7, mot, data, length, AuxReply::kAck);
  if (!mot) {
    const std::vector<uint8_t> bytes = std::move(transaction_.bytes);
    transaction_ = Transaction{};
    messages_.push_back({address8, bytes});
    if (chip != nullptr) {
      chip->TakeI2cWrite(bytes.data(), bytes.size());
    } else {
      RouterTake(bytes);
    }
  }
  return AuxReply::kAck;
}

AuxReply SaltmereDock::I2cRead(uint8_t address7, bool mot, uint8_t* out, size_t length) {
  using Kind = AuxRequest::Kind;
  const uint8_t address8 = static_cast<uint8_t>(address7 << 1);
  if (length > kAuxMaxPieceBytes || (length > 0 && out == nullptr)) {
    return Record(Kind::kI2cRead, address7, mot, nullptr, 0, AuxReply::kNak);
  }
  if (transaction_.open && (!transaction_.reading || transaction_.address != address8)) {
    EndTransaction();
  }
  SaltmereChip* chip = address8 == kRouterAddress ? nullptr : ChipAt(address8);
  SaltmereChip* answering = address8 == kRouterAddress ? host_.get() : chip;
  if (!transaction_.open) {
    if (answering == nullptr || answering->Faults().noAnswer) {
      return Record(Kind::kI2cRead, address7, mot, nullptr, 0, AuxReply::kNak);
    }
    if (Deferred(answering)) {
      return Record(Kind::kI2cRead, address7, mot, nullptr, 0, AuxReply::kDefer);
    }
    if (answering->Faults().nakTransactions > 0) {
      --answering->Faults().nakTransactions;
      return Record(Kind::kI2cRead, address7, mot, nullptr, 0, AuxReply::kNak);
    }
    transaction_ = Transaction{true, true, address8, {}, {}, 0, chip};
    if (chip != nullptr) {
      transaction_.reply = chip->StartI2cRead();
    } else if (!routerPending_.empty()) {
      transaction_.reply = routerPending_;
      routerDelivered_ = true;
    } else {
      transaction_.reply = BuildNullReply(kRouterAddress);
    }
  } else if (Deferred(answering)) {
    return Record(Kind::kI2cRead, address7, mot, nullptr, 0, AuxReply::kDefer);
  }
  for (size_t i = 0; i < length; ++i) {
    const size_t at = transaction_.readPos++;
    out[i] = at < transaction_.reply.size() ? transaction_.reply[at] : 0x00;
  }
  Record(Kind::kI2cRead, address7, mot, out, length, AuxReply::kAck);
  if (!mot) {
    EndTransaction();
  }
  return AuxReply::kAck;
}

AuxReply SaltmereDock::NativeWrite(uint32_t address, const uint8_t* data, size_t length) {
  using Kind = AuxRequest::Kind;
  SaltmereChip* chip = Reached();
  if (length == 0 || length > kAuxMaxPieceBytes || data == nullptr || chip == nullptr ||
      chip->Faults().noAnswer) {
    return Record(Kind::kNativeWrite, address, false, data, length, AuxReply::kNak);
  }
  if (Deferred(chip)) {
    return Record(Kind::kNativeWrite, address, false, data, length, AuxReply::kDefer);
  }
  const AuxReply reply = chip->DpcdWrite(address, data, length) ? AuxReply::kAck : AuxReply::kNak;
  return Record(Kind::kNativeWrite, address, false, data, length, reply);
}

AuxReply SaltmereDock::NativeRead(uint32_t address, uint8_t* out, size_t length) {
  using Kind = AuxRequest::Kind;
  SaltmereChip* chip = Reached();
  if (length == 0 || length > kAuxMaxPieceBytes || out == nullptr || chip == nullptr ||
      chip->Faults().noAnswer) {
    return Record(Kind::kNativeRead, address, false, nullptr, 0, AuxReply::kNak);
  }
  if (Deferred(chip)) {
    return Record(Kind::kNativeRead, address, false, nullptr, 0, AuxReply::kDefer);
  }
  const AuxReply reply = chip->DpcdRead(address, out, length) ? AuxReply::kAck : AuxReply::kNak;
  return Record(Kind::kNativeRead, address, false, out, length, reply);
}

}  // namespace sim
