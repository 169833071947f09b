#pragma once
// The question panel decodes its pictures from posted messages once it is
// built; a test that looks at them first runs the panel's messages until
// none is pending.

#include <windows.h>

#include "ui/deferred_pictures.h"

namespace mirvo {

// False when pictures are still pending after `timeoutMs`.
inline bool pumpUntilPicturesIn(HWND panel, DWORD timeoutMs = 20000) {
  const DWORD start = GetTickCount();
  while (picturesPending(panel)) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (!picturesPending(panel)) break;
    if (GetTickCount() - start > timeoutMs) return false;
    // The next decode may wait behind a timer.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

}  // namespace mirvo
