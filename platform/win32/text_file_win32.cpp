#include "platform/text_file.h"

#include <share.h>
#include <stdio.h>

namespace platform {

FilePtr OpenTextForSharedRead(const std::wstring& path) {
  return FilePtr(_wfsopen(path.c_str(), L"rt", _SH_DENYNO));
}

}  // namespace platform
