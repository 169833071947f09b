#include "media/picture_header.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mirvo {

void PrintTo(const PictureSize& s, std::ostream* os) { *os << s.width << " x " << s.height; }

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readPicture(const std::string& name) {
  std::ifstream in(std::string(MIRVO_SOURCE_DIR) + "/tests/data/pictures/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A JPEG up to its frame header: SOI, a JFIF segment, fill bytes, a restart
// marker and a table segment, then a progressive frame of 300 x 200.
const Bytes kJpegHead = {0xFF, 0xD8,                                                  // SOI
                         0xFF, 0xE0, 0x00, 0x07, 'J', 'F', 'I', 'F', 0x00,            // APP0
                         0xFF, 0xFF, 0xFF, 0xD0,                                      // fill, RST0
                         0xFF, 0xC4, 0x00, 0x04, 0x00, 0x00,                          // DHT, not a frame
                         0xFF, 0xC2, 0x00, 0x0B, 0x08, 0x00, 0xC8, 0x01, 0x2C, 0x01,  // SOF2: 200 lines, 300 wide
                         0x01, 0x11, 0x00};
const std::size_t kJpegSizeEnd = 30;  // one past the frame's width

// A GIF whose logical screen (120 x 90) is larger than its first image
// (50 x 40 at 10, 5), with a global colour table of two entries and a
// comment extension of two sub-blocks before the image.
const Bytes kGifHead = {'G', 'I', 'F', '8', '9', 'a', 120, 0, 90, 0, 0x80, 0, 0,  // screen, table of 2
                        0, 0, 0, 255, 255, 255,                                  // colour table
                        0x21, 0xFE, 2, 'h', 'i', 1, '!', 0,                      // comment
                        0x2C, 10, 0, 5, 0, 50, 0, 40, 0, 0x00};                  // image descriptor
const std::size_t kGifSizeEnd = 37;  // one past the image descriptor

TEST(PictureHeader, ReadsTheSizeOfOurPictureFiles) {
  struct Case {
    const char* file;
    std::optional<PictureSize> expected;
  };
  const Case cases[] = {
      {"q450x156.jpg", PictureSize{450, 156}}, {"q600x400.jpg", PictureSize{600, 400}},
      {"q180x349.jpg", PictureSize{180, 349}}, {"q180x135.gif", PictureSize{180, 135}},
      {"q210x262.gif", PictureSize{210, 262}}, {"q50x40_on_120x90.gif", PictureSize{50, 40}},
      {"garbage.bin", std::nullopt},
  };
  for (const auto& c : cases) {
    const Bytes bytes = readPicture(c.file);
    ASSERT_FALSE(bytes.empty()) << c.file;
    EXPECT_EQ(readPictureSize(bytes), c.expected) << c.file;
  }
}

TEST(PictureHeader, HandMadeHeadersGiveTheFrameAndFirstImageSizes) {
  EXPECT_EQ(readPictureSize(kJpegHead), (PictureSize{300, 200}));
  EXPECT_EQ(readPictureSize(kGifHead), (PictureSize{50, 40}));
  EXPECT_EQ(readJpegSize(kGifHead), std::nullopt);
  EXPECT_EQ(readGifSize(kJpegHead), std::nullopt);
}

// Every prefix that stops before the size is unknown, and none is read past.
TEST(PictureHeader, CutShortHeadersGiveNothing) {
  const struct {
    const Bytes& bytes;
    std::size_t sizeEnd;
  } files[] = {{kJpegHead, kJpegSizeEnd}, {kGifHead, kGifSizeEnd}};
  for (const auto& f : files) {
    for (std::size_t n = 0; n < f.sizeEnd; ++n) {
      const Bytes cut(f.bytes.begin(), f.bytes.begin() + static_cast<std::ptrdiff_t>(n));
      EXPECT_EQ(readPictureSize(cut), std::nullopt) << n;
    }
    const Bytes upToSize(f.bytes.begin(), f.bytes.begin() + static_cast<std::ptrdiff_t>(f.sizeEnd));
    EXPECT_NE(readPictureSize(upToSize), std::nullopt);
  }
}

TEST(PictureHeader, DamagedOrSizelessHeadersGiveNothing) {
  const Bytes soi = {0xFF, 0xD8};
  const Bytes frame300x200 = {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0xC8, 0x01, 0x2C, 0x01, 0x01, 0x11, 0x00};
  const Bytes gifScreen = {'G', 'I', 'F', '8', '7', 'a', 120, 0, 90, 0, 0x00, 0, 0};
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case cases[] = {
      {"segment longer than the file", soi + Bytes{0xFF, 0xE1, 0x40, 0x00, 1, 2, 3} + frame300x200},
      {"segment length below its own two bytes", soi + Bytes{0xFF, 0xE1, 0x00, 0x01} + frame300x200},
      {"no marker where a segment should start", soi + Bytes{0x12, 0x34} + frame300x200},
      {"image data before any frame", soi + Bytes{0xFF, 0xDA, 0x00, 0x02} + frame300x200},
      {"end of image before any frame", soi + Bytes{0xFF, 0xD9} + frame300x200},
      {"frame segment too short for its size", soi + Bytes{0xFF, 0xC0, 0x00, 0x05, 0x08, 0x00, 0xC8, 0x01, 0x2C}},
      {"height left to a later DNL segment",
       soi + Bytes{0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x00, 0x01, 0x2C, 0x01, 0x01, 0x11, 0x00}},
      {"zero width", soi + Bytes{0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0xC8, 0x00, 0x00, 0x01, 0x01, 0x11, 0x00}},
      {"only fill bytes", soi + Bytes{0xFF, 0xFF, 0xFF}},
      {"GIF of an unknown version", Bytes{'G', 'I', 'F', '8', '8', 'a', 120, 0, 90, 0, 0, 0, 0, 0x2C}},
      {"GIF trailer before any image", gifScreen + Bytes{0x3B}},
      {"GIF colour table runs past the end", Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x87, 0, 0, 0x2C}},
      {"GIF extension without its terminator", gifScreen + Bytes{0x21, 0xF9, 4, 0, 0, 0, 0}},
      {"GIF image of no area", gifScreen + Bytes{0x2C, 0, 0, 0, 0, 0, 0, 40, 0, 0}},
      {"GIF sub-block length past the end", gifScreen + Bytes{0x21, 0xFE, 200, 'x'}},
  };
  for (const auto& c : cases) EXPECT_EQ(readPictureSize(c.bytes), std::nullopt) << c.what;
  // GIF87a is read the same as GIF89a.
  EXPECT_EQ(readPictureSize(gifScreen + Bytes{0x2C, 0, 0, 0, 0, 7, 0, 9, 0, 0}), (PictureSize{7, 9}));
}

}  // namespace
}  // namespace mirvo
