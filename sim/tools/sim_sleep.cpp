// Test stand-in for a long-running tool: sim_sleep <ms> <file> <text>...
// Waits <ms> milliseconds, then appends the words of <text> and a line end to <file>.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: sim_sleep <ms> <file> <text>...\n", stderr);
    return 2;
  }
  const long ms = std::strtol(argv[1], nullptr, 10);
  std::this_thread::sleep_for(std::chrono::milliseconds(ms < 0 ? 0 : ms));
  std::FILE* file = std::fopen(argv[2], "ab");
  if (file == nullptr) {
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    std::fprintf(file, i + 1 < argc ? "%s " : "%s\n", argv[i]);
  }
  std::fclose(file);
  return 0;
}
