// Opening files by wide path, the way the product's readers need them.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace platform {

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file != nullptr) {
      std::fclose(file);
    }
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file for reading in text mode, shared with other readers and writers (a child
// process may still be writing it). Null when it cannot be opened.
FilePtr OpenTextForSharedRead(const std::wstring& path);

// Deletes the file; true when it is gone afterwards (also when it was never there).
bool DeleteFileIfPresent(const std::wstring& path);

}  // namespace platform
