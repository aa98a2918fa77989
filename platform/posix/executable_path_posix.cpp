#include "platform/executable_path.h"

#include "platform/text_codec.h"

#include <string_view>
#include <utility>
#include <unistd.h>

namespace platform {
namespace {

class PosixExecutablePath final : public ExecutablePath {
 public:
  bool FullPath(std::wstring& path) const override {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) {
      return false;
    }
    std::wstring wide = Utf8ToWide(std::string_view(buffer, static_cast<size_t>(length)));
    if (wide.empty() || wide.size() > kMaxChars) {
      return false;
    }
    path = std::move(wide);
    return true;
  }
};

}  // namespace

std::unique_ptr<ExecutablePath> MakeSystemExecutablePath() {
  return std::make_unique<PosixExecutablePath>();
}

}  // namespace platform
