#include "platform/profile_file.h"

#include <windows.h>

#include <limits>

namespace platform {
namespace {

DWORD BufferSize(size_t bufferChars) {
  return bufferChars > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                         : static_cast<DWORD>(bufferChars);
}

class Win32ProfileFile final : public ProfileFile {
 public:
  std::wstring ReadString(const std::wstring& path, const std::wstring& section,
                          const std::wstring& key, const std::wstring& defaultValue,
                          size_t bufferChars) const override {
    if (bufferChars == 0) {
      return {};
    }
    std::wstring buffer(bufferChars, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 BufferSize(bufferChars), path.c_str());
    buffer.resize(length < bufferChars ? length : bufferChars - 1);
    return buffer;
  }

  int ReadInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              int defaultValue) const override {
    return static_cast<int>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path.c_str()));
  }

  std::vector<std::wstring> SectionNames(const std::wstring& path,
                                         size_t bufferChars) const override {
    std::vector<std::wstring> names;
    if (bufferChars < 2) {
      return names;
    }
    std::wstring buffer(bufferChars, L'\0');
    DWORD length =
        GetPrivateProfileSectionNamesW(buffer.data(), BufferSize(bufferChars), path.c_str());
    if (length > bufferChars) {
      length = BufferSize(bufferChars);
    }
    // Names separated by terminators; an empty name ends the list.
    size_t start = 0;
    while (start < length) {
      size_t end = start;
      while (end < length && buffer[end] != L'\0') {
        ++end;
      }
      if (end == start) {
        break;
      }
      names.push_back(buffer.substr(start, end - start));
      start = end + 1;
    }
    return names;
  }
};

}  // namespace

std::unique_ptr<ProfileFile> MakeSystemProfileFile() {
  return std::make_unique<Win32ProfileFile>();
}

}  // namespace platform
