#include "ui/deferred_pictures.h"

#include "media/picture_loader.h"
#include "resources/resource_ids.h"
#include "ui/control_ids.h"

namespace mirvo {

namespace {

// The panel's pending pictures hang on it as a window property, so that
// they go with the panel.
constexpr char kPendingProperty[] = "mirvo.pendingPictures";
constexpr UINT_PTR kResumeTimerId = 1;

DeferredPictures* pendingOf(HWND panel) { return static_cast<DeferredPictures*>(GetPropA(panel, kPendingProperty)); }

FittedSize bitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof info, &info) == 0) return {};
  return {info.bmWidth, info.bmHeight};
}

// Gives the box the place the layout would have given a picture of `wanted`
// size, keeping whatever distance the panel has scrolled it since.
void resizeBox(HWND panel, HWND box, const DeferredPicture& picture, FittedSize wanted) {
  const PanelRect laidOut =
      pictureBoxRect(picture.cell, picture.rowTop, picture.rowHeight, picture.expected.width, picture.expected.height);
  const PanelRect target = pictureBoxRect(picture.cell, picture.rowTop, picture.rowHeight, wanted.width, wanted.height);
  RECT now{};
  GetWindowRect(box, &now);
  MapWindowPoints(HWND_DESKTOP, panel, reinterpret_cast<POINT*>(&now), 2);
  SetWindowPos(box, nullptr, target.x + (now.left - laidOut.x), target.y + (now.top - laidOut.y), target.width,
               target.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void decodeInto(HWND panel, HWND box, const DeferredPicture& picture) {
  HBITMAP bitmap = loadFittedPicture(nullptr, MIRVO_QUESTION_MEDIA_BASE + picture.question, MIRVO_MEDIA_TYPE,
                                     kPictureBoxSize, kPictureBoxSize);
  if (bitmap == nullptr) {
    // The empty frame that a picture the layout could not load gets.
    resizeBox(panel, box, picture, {kPictureBoxSize, picture.rowHeight});
    return;
  }
  // The header and the decoder disagree: the bitmap's own size wins, as it
  // did when the layout decoded.
  const FittedSize decoded = bitmapSize(bitmap);
  if (decoded != picture.expected) resizeBox(panel, box, picture, decoded);
  SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  // A control that keeps a copy of the bitmap leaves ours unused.
  if (reinterpret_cast<HBITMAP>(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0)) != bitmap) DeleteObject(bitmap);
}

void CALLBACK resumeDecoding(HWND panel, UINT, UINT_PTR timerId, DWORD) {
  KillTimer(panel, timerId);
  PostMessageA(panel, kDecodePictureMessage, 0, 0);
}

// Posted messages are taken before input and painting: a chain of them would
// keep the window unpainted and deaf to the keyboard until the last picture
// (and, under Wine, unmapped: the loop never waits, so nothing is flushed to
// the display). When either is waiting, come back through a timer, which is
// taken after both. True when the decode has to wait.
bool yieldToInputAndPaint(HWND panel) {
  return HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT)) != 0 &&
         SetTimer(panel, kResumeTimerId, USER_TIMER_MINIMUM, &resumeDecoding) != 0;
}

}  // namespace

void startDeferredPictures(HWND panel, std::unique_ptr<DeferredPictures> pictures) {
  dropDeferredPictures(panel);
  if (pictures == nullptr || pictures->empty()) return;
  if (!SetPropA(panel, kPendingProperty, pictures.get())) return;
  pictures.release();
  PostMessageA(panel, kDecodePictureMessage, 0, 0);
}

void onDecodePicture(HWND panel) {
  DeferredPictures* pending = pendingOf(panel);
  if (pending == nullptr || yieldToInputAndPaint(panel)) return;
  while (!pending->empty()) {
    const DeferredPicture picture = pending->take();
    HWND box = GetDlgItem(panel, kPictureBoxBase + picture.question);
    if (box == nullptr) continue;
    // An answer picture revealed by a right answer (restored or typed) stays.
    if (SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0) continue;
    decodeInto(panel, box, picture);
    break;
  }
  if (pending->empty()) {
    dropDeferredPictures(panel);
  } else {
    PostMessageA(panel, kDecodePictureMessage, 0, 0);
  }
}

bool picturesPending(HWND panel) { return pendingOf(panel) != nullptr; }

void dropDeferredPictures(HWND panel) {
  KillTimer(panel, kResumeTimerId);
  delete static_cast<DeferredPictures*>(RemovePropA(panel, kPendingProperty));
}

}  // namespace mirvo
