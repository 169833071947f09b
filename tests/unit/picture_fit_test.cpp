#include "media/picture_fit.h"

#include <gtest/gtest.h>

namespace mirvo {

void PrintTo(const FittedSize& s, std::ostream* os) { *os << s.width << " x " << s.height; }

namespace {

struct FitCase {
  int width, height;
  FittedSize expected;
};

TEST(PictureFit, KeepsAspectRatioAndTruncates) {
  const FitCase cases[] = {
      {450, 156, {260, 90}},
      {600, 400, {260, 173}},  // 173.3, truncated
      {260, 176, {260, 176}},  // one side equal, the other smaller: unchanged
      {260, 260, {260, 260}},  // exactly the box
      {180, 135, {260, 195}},  // smaller in both directions: enlarged
      {210, 262, {208, 260}},
      {180, 349, {134, 260}},
      {520, 520, {260, 260}},  // equal ratios: both sides meet the box
      {23, 115, {52, 260}},    // exact 52; a floating-point scale gives 51
      {1, 1, {260, 260}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fitPictureSize(c.width, c.height, kPictureBoxSize, kPictureBoxSize), c.expected)
        << c.width << " x " << c.height;
  }
}

TEST(PictureFit, NonSquareBox) {
  EXPECT_EQ(fitPictureSize(100, 100, 300, 150), (FittedSize{150, 150}));
  EXPECT_EQ(fitPictureSize(400, 100, 300, 150), (FittedSize{300, 75}));
}

TEST(PictureFit, NoAreaGivesNothing) {
  const int sizes[][4] = {{0, 100, 260, 260}, {100, 0, 260, 260}, {-5, 10, 260, 260},
                          {100, 100, 0, 260}, {100, 100, 260, -1}};
  for (const auto& s : sizes) {
    EXPECT_EQ(fitPictureSize(s[0], s[1], s[2], s[3]), FittedSize{}) << s[0] << " " << s[1];
  }
  // A sliver thinner than a pixel after scaling has no height left.
  EXPECT_EQ(fitPictureSize(1000, 1, 260, 260), (FittedSize{260, 0}));
}

}  // namespace
}  // namespace mirvo
