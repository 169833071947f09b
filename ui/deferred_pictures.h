#pragma once
// The question pictures that the layout placed from their header sizes and
// that are decoded once the panel is up, one per panel message, so that the
// main window shows at once and the player can type while they fill in.

#include <windows.h>

#include <array>
#include <memory>

#include "media/picture_fit.h"
#include "quiz/quiz_content.h"
#include "ui/panel_layout.h"

namespace mirvo {

// Posted to the question panel: decode the next pending picture.
inline constexpr UINT kDecodePictureMessage = WM_APP + 1;

// Where the layout put question `question`'s picture box, and the fitted size
// the header promised.
struct DeferredPicture {
  int question = 0;
  GridCell cell;
  int rowTop = 0;
  int rowHeight = 0;
  FittedSize expected;
};

// In layout order, which puts the pictures nearest the top first.
class DeferredPictures {
 public:
  void add(const DeferredPicture& picture) {
    if (count_ < static_cast<int>(items_.size())) items_[count_++] = picture;
  }
  bool empty() const { return next_ >= count_; }
  const DeferredPicture& take() { return items_[next_++]; }

 private:
  std::array<DeferredPicture, kMaxQuestions> items_{};
  int count_ = 0;
  int next_ = 0;
};

// The panel takes the pictures over (an empty list is dropped) and is sent
// the first kDecodePictureMessage.
void startDeferredPictures(HWND panel, std::unique_ptr<DeferredPictures> pictures);

// kDecodePictureMessage: once no input or painting waits, decodes one
// pending picture into its box and asks for the next one.
void onDecodePicture(HWND panel);

// Whether pictures are still to be decoded into the panel.
bool picturesPending(HWND panel);

// WM_DESTROY: whatever is still pending is forgotten.
void dropDeferredPictures(HWND panel);

}  // namespace mirvo
