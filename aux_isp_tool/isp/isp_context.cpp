#include "aux_isp_tool/isp/isp_context.h"

#include "aux_isp_tool/gfx/backend_selection.h"

namespace peloisp {

IspContext::IspContext() : ownedClock_(platform::MakeSystemClock()), clock_(ownedClock_.get()) {}

IspContext::IspContext(platform::Clock& clock) : clock_(&clock) {}

IspContext::~IspContext() {
  driverData = nullptr;
  std::vector<uint8_t>().swap(driverImage);
  std::vector<uint8_t>().swap(firmwareImage);
  std::vector<uint8_t>().swap(bootCode);
  std::wstring().swap(driverPath);
  std::wstring().swap(firmwarePath);
  std::wstring().swap(bootCodePath);
  std::wstring().swap(adapterLabel);
  activeBackend = nullptr;
  amd.Shutdown();
  nvidia.Shutdown();
  intelLsPcon.Shutdown();
  intel.Shutdown();
}

bool IsSlowBackend(const IspContext& context) {
  return context.activeBackend == &context.nvidia || context.activeBackend == &context.amd;
}

int SelectBackend(std::wstring& message, IspContext& context) {
  const BackendSet backends{context.nvidia, context.amd, context.intelLsPcon, context.intel};
  const BackendChoice choice{context.backendSelection, context.deviceId, context.i2cAddress,
                             context.activeBackend, context.adapterLabel};
  return SelectBackend(message, backends, choice);
}

}  // namespace peloisp
