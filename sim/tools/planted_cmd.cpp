// Planted as cmd.exe in a program's folder by the runner's tests: if it ever runs, it leaves
// a marker in the temporary folder, showing that the interpreter was looked up by search order.
#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
  const char* temp = std::getenv("TEMP");
  const std::string marker = std::string(temp != nullptr ? temp : ".") + "\\planted_cmd_ran.txt";
  if (std::FILE* file = std::fopen(marker.c_str(), "wb")) {
    std::fputs("planted cmd.exe ran\n", file);
    std::fclose(file);
  }
  return 0;
}
