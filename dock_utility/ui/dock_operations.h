// What the dialog's flows ask of the dock: one call per procedure, query and look-up they make.
// The product binds it to the orchestration procedures; tests script it.
#pragma once

#include "dock_utility/orchestration/result_codes.h"
#include "dock_utility/orchestration/version_queries.h"

#include <cstdint>
#include <memory>

namespace quaylin::ui {

class DockOperations {
 public:
  virtual ~DockOperations() = default;

  virtual UpdResult UpdateDisplayControllerFirmware() = 0;
  virtual UpdResult UpdateDownstreamHubFirmware() = 0;
  virtual UpdResult UpdateUpstreamHubFirmware() = 0;
  virtual UpdResult UpdateDownstreamPdFirmware() = 0;
  virtual UpdResult UpdateUpstreamPdFirmware() = 0;

  // 1 when the configured brand's dock device is present, else 0.
  virtual int FindDockDevice() = 0;
  // 1 with the brand row's code and variant when the brand's dock is attached, else 0.
  virtual int IdentifyDockCustomer(uint8_t& brandCode, uint8_t& variant) = 0;

  virtual void QueryDisplayControllerVersion(DisplayVersionLines& lines) = 0;
  virtual void QueryHubAndPdVersions(ChipVersionLines& lines) = 0;
};

// The real procedures, on the operating system's services.
std::unique_ptr<DockOperations> MakeSystemDockOperations();

}  // namespace quaylin::ui
