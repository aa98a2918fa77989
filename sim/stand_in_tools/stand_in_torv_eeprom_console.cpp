// Stand-in for Torv_EEPROM_Console: "-m <mac> -s <serial> -f <image> -p". Writes every argument
// as received, one per line, to stand_in_eeprom_args.txt in the working folder, then prints
// "Programming Succeeded!" when the image can be read and the MAC is 12 hex digits (and the file
// stand_in_tool_fails does not exist), else "EEPROM Write Failed!".
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  std::FILE* record = std::fopen("stand_in_eeprom_args.txt", "wb");
  if (record != nullptr) {
    for (int i = 1; i < argc; ++i) {
      std::fprintf(record, "%s\n", argv[i]);
    }
    std::fclose(record);
  }
  std::string mac;
  std::string image;
  bool program = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-m") == 0 && i + 1 < argc) {
      mac = argv[++i];
    } else if (std::strcmp(argv[i], "-s") == 0 && i + 1 < argc) {
      ++i;
    } else if (std::strcmp(argv[i], "-f") == 0 && i + 1 < argc) {
      image = argv[++i];
    } else if (std::strcmp(argv[i], "-p") == 0) {
      program = true;
    }
  }
  bool macValid = mac.size() == 12;
  for (const char c : mac) {
    macValid = macValid && std::isxdigit(static_cast<unsigned char>(c)) != 0;
  }
  std::FILE* file = image.empty() ? nullptr : std::fopen(image.c_str(), "rb");
  const bool readable = file != nullptr;
  if (file != nullptr) {
    std::fclose(file);
  }
  if (!program || !macValid || !readable || std::filesystem::exists("stand_in_tool_fails")) {
    std::printf("EEPROM Write Failed!\r\n");
    return 0;
  }
  std::printf("Programming Succeeded!\r\n");
  return 0;
}
