#pragma once
// The size a picture takes when it is fitted into a box: the aspect ratio is
// kept and the picture is scaled, up or down, until it touches the box in one
// dimension. Portable: no Windows header.

namespace mirvo {

struct FittedSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const FittedSize&, const FittedSize&) = default;
};

// Every picture of the player is fitted into this box.
inline constexpr int kPictureBoxSize = 260;

// {0, 0} when either the picture or the box has no area; a side that would
// shrink below one pixel comes out as 0, which callers treat as no picture.
FittedSize fitPictureSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

}  // namespace mirvo
