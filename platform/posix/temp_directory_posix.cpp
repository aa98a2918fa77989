#include "platform/temp_directory.h"

#include "platform/text_codec.h"

#include <cstdlib>

namespace platform {
namespace {

class PosixTempDirectory final : public TempDirectory {
 public:
  std::wstring Path() const override {
    const char* folder = std::getenv("TMPDIR");
    std::string path = (folder != nullptr && *folder != '\0') ? folder : "/tmp";
    if (path.back() != '/') {
      path += '/';
    }
    return Utf8ToWide(path);
  }
};

}  // namespace

std::unique_ptr<TempDirectory> MakeSystemTempDirectory() {
  return std::make_unique<PosixTempDirectory>();
}

}  // namespace platform
