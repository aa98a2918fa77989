// Decodes the logo picture with GDI+.
#pragma once

#include <windows.h>

namespace quaylin::ui {

// Starts GDI+ for the life of the object.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

// A new bitmap of the file's picture, or null when it is missing or cannot be decoded.
HBITMAP LoadPictureBitmap(const wchar_t* path, COLORREF background);

}  // namespace quaylin::ui
