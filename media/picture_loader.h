#pragma once
// Pictures from the executable's "IMG" resources (JPEG or GIF files), decoded
// by the OLE picture loader and stretched into a box with halftoning.
// Every bitmap returned here belongs to the caller (DeleteObject).

#include <windows.h>

#include <cstddef>

#include "media/picture_fit.h"

namespace mirvo {

// Null module: the program's own executable. Null when the resource is
// missing or its bytes are not a picture.
HBITMAP loadFittedPicture(HMODULE module, int resourceId, const char* resourceType, int boxWidth,
                          int boxHeight);

// What a picture resource's header tells of its fitted size, without
// decoding it. Unknown: the header cannot be read (not a JPEG or GIF, or
// damaged), and only a decode can tell; `fitted` is then {0, 0}. A known size
// may still have a side of 0 (a sliver), which the loader would give as null.
struct PictureProbe {
  enum class State { Missing, Unknown, Known };
  State state = State::Missing;
  FittedSize fitted;
};
PictureProbe probeFittedPicture(HMODULE module, int resourceId, const char* resourceType, int boxWidth,
                                int boxHeight);

// A bitmap of the picture's own pixel size, or null.
HBITMAP decodePicture(const void* bytes, std::size_t length);

// A new screen-compatible bitmap of the fitted size; the source is not
// changed. Null when the source or the fitted size has no area.
HBITMAP fitBitmapToBox(HBITMAP source, int boxWidth, int boxHeight);

}  // namespace mirvo
