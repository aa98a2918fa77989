// Kernel mode has no C++ runtime: the model is constructed in memory the driver owns.
#include "sim/torv_driver/torv_model_shim.h"

#include "sim/torv_bridge/torv_bridge.h"

#include <new>

namespace {

sim::TorvBridge* Bridge(void* model) {
  return static_cast<sim::TorvBridge*>(model);
}
const sim::TorvBridge* Bridge(const void* model) {
  return static_cast<const sim::TorvBridge*>(model);
}

}  // namespace

extern "C" {

size_t TorvModelSize(void) {
  return sizeof(sim::TorvBridge);
}

void TorvModelInit(void* model) {
  new (model) sim::TorvBridge();
}

int TorvModelHandle(void* model, unsigned int code, const unsigned char* in, size_t inSize,
                    unsigned char* out, size_t outSize, size_t* returned) {
  return Bridge(model)->Handle(code, in, inSize, out, outSize, returned) ? 1 : 0;
}

void TorvModelSetEeprom(void* model, const unsigned char* bytes) {
  Bridge(model)->SetEeprom(bytes);
}

void TorvModelGetEeprom(const void* model, unsigned char* bytes) {
  const uint8_t* eeprom = Bridge(model)->Eeprom();
  for (uint32_t i = 0; i < torv::kEepromSize; ++i) {
    bytes[i] = eeprom[i];
  }
}

void TorvModelSetBusyReads(void* model, unsigned int reads) {
  Bridge(model)->SetBusyReads(reads);
}

int TorvModelSetFault(void* model, unsigned int call, unsigned int okCalls) {
  if (call >= sim::TorvBridge::kCallCount) {
    return 0;
  }
  Bridge(model)->SetFault(static_cast<sim::TorvBridge::Call>(call), okCalls);
  return 1;
}

void TorvModelCounts(const void* model, unsigned int counts[4]) {
  const sim::TorvBridge* bridge = Bridge(model);
  counts[0] = bridge->Calls(sim::TorvBridge::kCallEepromWrite);
  counts[1] = bridge->Calls(sim::TorvBridge::kCallRegWrite);
  counts[2] = bridge->Calls(sim::TorvBridge::kCallRegRead);
  counts[3] = bridge->EepromWrites();
}

}  // extern "C"
