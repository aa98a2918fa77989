#include "tests/ui/work_folder.h"

#include <windows.h>

#include <fstream>

namespace quaylin::ui_tests {
namespace {

const char kDockState[] =
    "[dock]\r\npresent=1\r\n"
    "[display]\r\nhost=0.60.2\r\nport2=1.51\r\n"
    "[billboard]\r\nversion=0.1.0.15\r\n"
    "[upstream_hub]\r\nversion=0.0.50.183\r\n"
    "[downstream_hub]\r\nversion=0.0.35.183\r\n"
    "[upstream_pd]\r\nversion=Q1.0.1.44\r\n"
    "[downstream_pd]\r\nversion=Q1.0.1.44\r\n";

const char kSettings[] =
    "[Customer]\r\nCustomer_Name=Velloran\r\n"
    "[US_Rq9]\r\nFW FILE NAME=v59\r\n"
    "[DS_Rq9]\r\nFW FILE NAME=v42\r\n"
    "[US_ORLX]\r\nFW FILE NAME=us55\r\n"
    "[DS_ORLX]\r\nFW FILE NAME=ds55\r\n";

bool Install(const std::filesystem::path& folder, const std::filesystem::path& from,
             const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::create_directories((folder / to).parent_path(), error);
  return std::filesystem::copy_file(from, folder / to,
                                    std::filesystem::copy_options::overwrite_existing, error);
}

}  // namespace

bool WriteWorkFile(const std::filesystem::path& folder, const std::filesystem::path& relative,
                   const std::string& bytes) {
  std::error_code error;
  std::filesystem::create_directories((folder / relative).parent_path(), error);
  std::ofstream out(folder / relative, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

bool LayOutWorkFolder(const std::filesystem::path& folder, const WorkFolderPrograms& programs) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder / "Temp", ignored);
  return Install(folder, programs.fwUpdater, "Setup/System/quaylin_fw_update.exe") &&
         Install(folder, programs.displayTool, "Setup/Salt/PeloISP.exe") &&
         Install(folder, programs.logo, "Setup/logo.png") &&
         WriteWorkFile(folder, "Setup/setting.ini", kSettings) &&
         WriteWorkFile(folder, "Setup/Salt/display.simfw", "SIMFW display 0.60.3.2 1.52.02\n") &&
         WriteWorkFile(folder, "Setup/System/firmware/US_RQ9/pd_us_with_settings_vel_v59.bin",
                       "SIMFW hub 0.0.59.183\n") &&
         WriteWorkFile(folder, "Setup/System/firmware/DS_RQ9/pd_ds_with_settings_vel_v42.bin",
                       "SIMFW hub 0.0.42.183\n") &&
         WriteWorkFile(folder, "Setup/System/firmware/US_ORL1/us55.orlfw",
                       "SIMFW pd Q1.0.1.55\n") &&
         WriteWorkFile(folder, "Setup/System/firmware/DS_ORL1/ds55.orlfw",
                       "SIMFW pd Q1.0.1.55\n") &&
         WriteWorkFile(folder, "sim_dock/dock.ini", kDockState);
}

void UseOwnTemporaryFolder(const std::filesystem::path& folder) {
  const std::wstring temp = (folder / "Temp").wstring() + L"\\";
  SetEnvironmentVariableW(L"TEMP", temp.c_str());
  SetEnvironmentVariableW(L"TMP", temp.c_str());
  SetEnvironmentVariableW(L"SIM_DOCK_DIR", nullptr);
}

}  // namespace quaylin::ui_tests
