#include "media/picture_fit.h"

#include <cstdint>

namespace mirvo {

FittedSize fitPictureSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
  const std::int64_t w = pictureWidth;
  const std::int64_t h = pictureHeight;
  // The scale is the smaller of boxWidth / w and boxHeight / h. Comparing and
  // scaling in exact integers keeps the truncation honest: in doubles,
  // 23 * (260.0 / 115) is 51.999..., a pixel short of the exact 52.
  if (boxHeight * w > boxWidth * h) {
    return {boxWidth, static_cast<int>(h * boxWidth / w)};
  }
  return {static_cast<int>(w * boxHeight / h), boxHeight};
}

}  // namespace mirvo
