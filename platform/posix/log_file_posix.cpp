#include "platform/log_file.h"

#include "platform/text_codec.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

class PosixLogFile final : public LogFile {
 public:
  bool Append(const std::wstring& path, std::string_view bytes) override {
    const int fd = open(WideToUtf8(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      return false;
    }
    bool ok = lseek(fd, 0, SEEK_END) >= 0;
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (ok && left > 0) {
      const ssize_t written = write(fd, data, left);
      if (written < 0 && errno == EINTR) {
        continue;
      }
      ok = written > 0;
      if (ok) {
        data += written;
        left -= static_cast<size_t>(written);
      }
    }
    close(fd);
    return ok;
  }

  bool Remove(const std::wstring& path) override { return unlink(WideToUtf8(path).c_str()) == 0; }
};

}  // namespace

std::unique_ptr<LogFile> MakeSystemLogFile() {
  return std::make_unique<PosixLogFile>();
}

}  // namespace platform
