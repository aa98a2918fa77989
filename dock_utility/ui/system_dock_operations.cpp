// The dialog's dock operations on the real procedures and the operating system's services.
#include "dock_utility/orchestration/command_runner.h"
#include "dock_utility/orchestration/device_lookup.h"
#include "dock_utility/orchestration/update_procedures.h"
#include "dock_utility/orchestration/version_queries.h"
#include "dock_utility/ui/dock_operations.h"

namespace quaylin::ui {
namespace {

class SystemDockOperations final : public DockOperations {
 public:
  SystemDockOperations()
      : profile_(platform::MakeSystemProfileFile()),
        usb_(platform::MakeSystemUsbDevices()),
        adapters_(platform::MakeSystemNetAdapters()),
        processes_(platform::MakeSystemProcessRunner()),
        temp_(platform::MakeSystemTempDirectory()),
        runner_(*processes_, *temp_),
        services_{*profile_, *usb_, *adapters_, runner_} {}

  UpdResult UpdateDisplayControllerFirmware() override {
    return quaylin::UpdateDisplayControllerFirmware(services_);
  }
  UpdResult UpdateDownstreamHubFirmware() override {
    return quaylin::UpdateDownstreamHubFirmware(services_);
  }
  UpdResult UpdateUpstreamHubFirmware() override {
    return quaylin::UpdateUpstreamHubFirmware(services_);
  }
  UpdResult UpdateDownstreamPdFirmware() override {
    return quaylin::UpdateDownstreamPdFirmware(services_);
  }
  UpdResult UpdateUpstreamPdFirmware() override {
    return quaylin::UpdateUpstreamPdFirmware(services_);
  }
  int FindDockDevice() override { return quaylin::FindDockDevice(*profile_, *usb_); }
  int IdentifyDockCustomer(uint8_t& brandCode, uint8_t& variant) override {
    return quaylin::IdentifyDockCustomer(*profile_, *usb_, brandCode, variant);
  }
  void QueryDisplayControllerVersion(DisplayVersionLines& lines) override {
    quaylin::QueryDisplayControllerVersion(runner_, lines);
  }
  void QueryHubAndPdVersions(ChipVersionLines& lines) override {
    quaylin::QueryHubAndPdVersions(runner_, lines);
  }

 private:
  std::unique_ptr<platform::ProfileFile> profile_;
  std::unique_ptr<platform::UsbDevices> usb_;
  std::unique_ptr<platform::NetAdapters> adapters_;
  std::unique_ptr<platform::ProcessRunner> processes_;
  std::unique_ptr<platform::TempDirectory> temp_;
  CommandRunner runner_;
  DockServices services_;
};

}  // namespace

std::unique_ptr<DockOperations> MakeSystemDockOperations() {
  return std::make_unique<SystemDockOperations>();
}

}  // namespace quaylin::ui
