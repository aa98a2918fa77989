#include "dock_utility/ui/win32/logo.h"

#include <objidl.h>
#include <gdiplus.h>

namespace quaylin::ui {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) {
    token_ = 0;
  }
}

GdiplusSession::~GdiplusSession() {
  if (token_ != 0) {
    Gdiplus::GdiplusShutdown(token_);
  }
}

HBITMAP LoadPictureBitmap(const wchar_t* path, COLORREF background) {
  Gdiplus::GpBitmap* picture = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromFile(path, &picture) != Gdiplus::Ok ||
      picture == nullptr) {
    return nullptr;
  }
  HBITMAP bitmap = nullptr;
  const Gdiplus::ARGB argb =
      0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(background)) << 16) |
      (static_cast<Gdiplus::ARGB>(GetGValue(background)) << 8) | GetBValue(background);
  if (Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(picture, &bitmap, argb) != Gdiplus::Ok) {
    bitmap = nullptr;
  }
  Gdiplus::DllExports::GdipDisposeImage(picture);
  return bitmap;
}

}  // namespace quaylin::ui
