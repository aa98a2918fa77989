// A working folder laid out like a user's for quaylin.exe on the simulated dock: .\Setup\ with
// setting.ini (a Velloran dock), logo.png, the stand-in updater and PeloISP and their images,
// and the dock's state in sim_dock\dock.ini. The dock carries package 05.01.02.00; the images
// make it 05.01.02.04.
#pragma once

#include <filesystem>
#include <string>

namespace quaylin::ui_tests {

struct WorkFolderPrograms {
  std::filesystem::path fwUpdater;
  std::filesystem::path displayTool;
  std::filesystem::path logo;
};

// Replaces whatever was in `folder`; false when a file cannot be written.
bool LayOutWorkFolder(const std::filesystem::path& folder, const WorkFolderPrograms& programs);

// Points TEMP and TMP of this process, and so of the programs it starts, at folder\Temp.
void UseOwnTemporaryFolder(const std::filesystem::path& folder);

bool WriteWorkFile(const std::filesystem::path& folder, const std::filesystem::path& relative,
                   const std::string& bytes);

}  // namespace quaylin::ui_tests
