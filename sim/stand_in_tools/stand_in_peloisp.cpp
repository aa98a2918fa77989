// Stand-in for PeloISP: "-Run" appends to PeloAuxISPTool.log in the working folder and prints
// "ISP completed!", or "ISP failed!" when the file stand_in_tool_fails exists there.
#include <cstdio>
#include <cstring>
#include <filesystem>

int main(int argc, char** argv) {
  std::FILE* log = std::fopen("PeloAuxISPTool.log", "ab");
  if (log != nullptr) {
    std::fputs("stand-in PeloISP run\r\n", log);
    std::fclose(log);
  }
  if (argc != 2 || std::strcmp(argv[1], "-Run") != 0) {
    std::printf("Stand-in PeloISP supports -Run only\r\n");
    return 0;
  }
  std::printf("Updating host device ...\r\n");
  std::printf(std::filesystem::exists("stand_in_tool_fails") ? "ISP failed!\r\n"
                                                             : "ISP completed!\r\n");
  return 0;
}
