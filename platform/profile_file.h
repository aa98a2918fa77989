// Reading INI files with private-profile semantics (GetPrivateProfile* on Windows).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  // The value of `key` in `section` of the file at `path`, cut to `bufferChars` - 1 characters;
  // `defaultValue` (cut likewise) when the file, section or key is missing. Section and key
  // names compare without regard to letter case.
  virtual std::wstring ReadString(const std::wstring& path, const std::wstring& section,
                                  const std::wstring& key, const std::wstring& defaultValue,
                                  size_t bufferChars) const = 0;

  // The value of `key` read as an integer the way GetPrivateProfileIntW reads it;
  // `defaultValue` when the file, section or key is missing.
  virtual int ReadInt(const std::wstring& path, const std::wstring& section,
                      const std::wstring& key, int defaultValue) const = 0;

  // The names of the file's sections, in file order, as far as they fit into a buffer of
  // `bufferChars` characters; empty when the file cannot be read.
  virtual std::vector<std::wstring> SectionNames(const std::wstring& path,
                                                 size_t bufferChars) const = 0;
};

std::unique_ptr<ProfileFile> MakeSystemProfileFile();

}  // namespace platform
