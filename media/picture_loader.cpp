#include "media/picture_loader.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>
#include <span>

#include "media/picture_fit.h"
#include "media/picture_header.h"

namespace mirvo {

namespace {

// One balanced COM initialisation per decode; it nests when the media
// layouts already hold one on this thread.
class ComScope {
 public:
  ComScope() { CoInitialize(nullptr); }
  ~ComScope() { CoUninitialize(); }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
};

// The decoded picture's own bitmap belongs to the IPicture: copy it out
// before the picture is released.
HBITMAP copyPictureBitmap(IPicture* picture) {
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Handle(&handle)) || handle == 0) return nullptr;
  return static_cast<HBITMAP>(
      CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

HBITMAP decodePicture(const void* bytes, std::size_t length) {
  if (bytes == nullptr || length == 0 || length > 0x7FFFFFFF) return nullptr;
  ComScope com;
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, length);
  if (block == nullptr) return nullptr;
  std::memcpy(static_cast<void*>(block), bytes, length);  // a fixed block is its own pointer
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || stream == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  // From here on the stream owns the block.
  IPicture* picture = nullptr;
  HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(length), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(&picture));
  HBITMAP copy = nullptr;
  if (SUCCEEDED(loaded) && picture != nullptr) {
    short kind = PICTYPE_NONE;
    // An icon or metafile has no bitmap to copy.
    if (SUCCEEDED(picture->get_Type(&kind)) && kind == PICTYPE_BITMAP) copy = copyPictureBitmap(picture);
    picture->Release();
  }
  stream->Release();
  return copy;
}

HBITMAP fitBitmapToBox(HBITMAP source, int boxWidth, int boxHeight) {
  BITMAP info{};
  if (source == nullptr || GetObjectA(source, sizeof info, &info) == 0) return nullptr;
  const FittedSize fitted = fitPictureSize(info.bmWidth, info.bmHeight, boxWidth, boxHeight);
  if (fitted.width <= 0 || fitted.height <= 0) return nullptr;

  HDC screen = GetDC(nullptr);
  HDC sourceDc = CreateCompatibleDC(screen);
  HDC targetDc = CreateCompatibleDC(screen);
  HBITMAP result = CreateCompatibleBitmap(screen, fitted.width, fitted.height);
  HBITMAP oldSource = nullptr;
  HBITMAP oldTarget = nullptr;
  if (sourceDc != nullptr && targetDc != nullptr && result != nullptr) {
    oldSource = static_cast<HBITMAP>(SelectObject(sourceDc, source));
    oldTarget = static_cast<HBITMAP>(SelectObject(targetDc, result));
    SetStretchBltMode(targetDc, HALFTONE);
    // HALFTONE wants the brush origin reset after the mode is set.
    SetBrushOrgEx(targetDc, 0, 0, nullptr);
    StretchBlt(targetDc, 0, 0, fitted.width, fitted.height, sourceDc, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(sourceDc, oldSource);
    SelectObject(targetDc, oldTarget);
  } else if (result != nullptr) {
    DeleteObject(result);
    result = nullptr;
  }
  if (sourceDc != nullptr) DeleteDC(sourceDc);
  if (targetDc != nullptr) DeleteDC(targetDc);
  ReleaseDC(nullptr, screen);
  return result;
}

PictureProbe probeFittedPicture(HMODULE module, int resourceId, const char* resourceType, int boxWidth,
                                int boxHeight) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), resourceType);
  if (found == nullptr) return {};
  HGLOBAL data = LoadResource(module, found);
  if (data == nullptr) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(data));
  const DWORD length = SizeofResource(module, found);
  PictureProbe probe{PictureProbe::State::Unknown, {}};
  if (bytes != nullptr) {
    if (const auto size = readPictureSize(std::span(bytes, length))) {
      probe = {PictureProbe::State::Known, fitPictureSize(size->width, size->height, boxWidth, boxHeight)};
    }
  }
  FreeResource(data);
  return probe;
}

HBITMAP loadFittedPicture(HMODULE module, int resourceId, const char* resourceType, int boxWidth,
                          int boxHeight) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), resourceType);
  if (found == nullptr) return nullptr;
  HGLOBAL data = LoadResource(module, found);
  if (data == nullptr) return nullptr;
  const DWORD length = SizeofResource(module, found);
  HBITMAP source = decodePicture(LockResource(data), length);
  FreeResource(data);
  if (source == nullptr) return nullptr;
  HBITMAP fitted = fitBitmapToBox(source, boxWidth, boxHeight);
  DeleteObject(source);
  return fitted;
}

}  // namespace mirvo
