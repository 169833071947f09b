// Decoding and fitting real JPEG and GIF files from the executable's own
// resources (tests/wine/test_pictures.rc).
#include "media/picture_loader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <span>

#include "media/picture_fit.h"
#include "media/picture_header.h"

namespace mirvo {

void PrintTo(const FittedSize& s, std::ostream* os) { *os << s.width << " x " << s.height; }

namespace {

struct Bytes {
  const void* data = nullptr;
  std::size_t size = 0;
};

Bytes resourceBytes(int id) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "IMG");
  if (found == nullptr) return {};
  HGLOBAL data = LoadResource(nullptr, found);
  return {LockResource(data), SizeofResource(nullptr, found)};
}

FittedSize sizeOf(HBITMAP bitmap) {
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof info, &info) == 0) return {};
  return {info.bmWidth, info.bmHeight};
}

COLORREF pixelAt(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

struct PictureCase {
  int id;
  FittedSize own;
  FittedSize fitted;
};

const PictureCase kPictures[] = {
    {401, {450, 156}, {260, 90}},   // JPEG
    {402, {180, 135}, {260, 195}},  // GIF, enlarged
    {404, {600, 400}, {260, 173}},  // JPEG
    {405, {210, 262}, {208, 260}},  // GIF
    {406, {180, 349}, {134, 260}},  // JPEG
    {409, {50, 40}, {260, 208}},    // GIF: its first image, smaller than its logical screen
};

TEST(PictureLoader, DecodesJpegAndGifAtTheirOwnSize) {
  for (const auto& c : kPictures) {
    const Bytes bytes = resourceBytes(c.id);
    ASSERT_NE(bytes.data, nullptr) << c.id;
    HBITMAP bitmap = decodePicture(bytes.data, bytes.size);
    ASSERT_NE(bitmap, nullptr) << c.id;
    EXPECT_EQ(sizeOf(bitmap), c.own) << c.id;
    DeleteObject(bitmap);
  }
}

// The panel lays its rows out from the headers: they have to promise the
// size the decoder then gives.
TEST(PictureLoader, HeadersTellTheSizeTheDecoderGives) {
  for (const auto& c : kPictures) {
    const Bytes bytes = resourceBytes(c.id);
    ASSERT_NE(bytes.data, nullptr) << c.id;
    const auto header = readPictureSize(std::span(static_cast<const std::uint8_t*>(bytes.data), bytes.size));
    ASSERT_TRUE(header.has_value()) << c.id;
    EXPECT_EQ((FittedSize{header->width, header->height}), c.own) << c.id;
    const PictureProbe probe = probeFittedPicture(nullptr, c.id, "IMG", kPictureBoxSize, kPictureBoxSize);
    EXPECT_EQ(probe.state, PictureProbe::State::Known) << c.id;
    EXPECT_EQ(probe.fitted, c.fitted) << c.id;
  }
  struct Case {
    int id;
    PictureProbe::State state;
    FittedSize fitted;
  };
  const Case others[] = {
      {403, PictureProbe::State::Missing, {}},
      {407, PictureProbe::State::Unknown, {}},          // a BMP: decoded to be measured
      {410, PictureProbe::State::Unknown, {}},          // not a picture
      {408, PictureProbe::State::Known, {260, 173}},    // a header without a picture behind it
  };
  for (const auto& c : others) {
    const PictureProbe probe = probeFittedPicture(nullptr, c.id, "IMG", kPictureBoxSize, kPictureBoxSize);
    EXPECT_EQ(probe.state, c.state) << c.id;
    EXPECT_EQ(probe.fitted, c.fitted) << c.id;
  }
  EXPECT_EQ(loadFittedPicture(nullptr, 408, "IMG", kPictureBoxSize, kPictureBoxSize), nullptr);
}

TEST(PictureLoader, BytesThatAreNoPictureGiveNone) {
  const Bytes garbage = resourceBytes(410);
  ASSERT_NE(garbage.data, nullptr);
  EXPECT_EQ(decodePicture(garbage.data, garbage.size), nullptr);
  // A picture cut short after its first bytes is no picture either.
  const Bytes jpeg = resourceBytes(401);
  EXPECT_EQ(decodePicture(jpeg.data, 20), nullptr);
  EXPECT_EQ(decodePicture(jpeg.data, 0), nullptr);
  EXPECT_EQ(decodePicture(nullptr, 100), nullptr);
}

TEST(PictureLoader, LoadsFittedPicturesFromResources) {
  for (const auto& c : kPictures) {
    HBITMAP bitmap = loadFittedPicture(nullptr, c.id, "IMG", kPictureBoxSize, kPictureBoxSize);
    ASSERT_NE(bitmap, nullptr) << c.id;
    EXPECT_EQ(sizeOf(bitmap), c.fitted) << c.id;
    DeleteObject(bitmap);
  }
  // The program's module handle names the same resources as a null one.
  HBITMAP byHandle = loadFittedPicture(GetModuleHandleA(nullptr), 401, "IMG", 260, 260);
  ASSERT_NE(byHandle, nullptr);
  EXPECT_EQ(sizeOf(byHandle), (FittedSize{260, 90}));
  DeleteObject(byHandle);
}

TEST(PictureLoader, MissingOrBrokenResourcesGiveNone) {
  const int ids[] = {403, 410, 9999};
  for (int id : ids) EXPECT_EQ(loadFittedPicture(nullptr, id, "IMG", 260, 260), nullptr) << id;
  EXPECT_EQ(loadFittedPicture(nullptr, 401, "PATCH", 260, 260), nullptr);
}

TEST(PictureLoader, FittingStretchesTheWholePictureAndLeavesTheSourceAlone) {
  const Bytes gif = resourceBytes(402);  // 180 x 135, plain blue
  HBITMAP source = decodePicture(gif.data, gif.size);
  ASSERT_NE(source, nullptr);
  HBITMAP fitted = fitBitmapToBox(source, 260, 260);
  ASSERT_NE(fitted, nullptr);
  EXPECT_EQ(sizeOf(fitted), (FittedSize{260, 195}));
  EXPECT_EQ(sizeOf(source), (FittedSize{180, 135}));
  // Blue all over, corners included: the stretch covers the whole target.
  const POINT probes[] = {{0, 0}, {259, 194}, {130, 97}};
  for (const POINT& p : probes) {
    const COLORREF colour = pixelAt(fitted, p.x, p.y);
    EXPECT_LT(GetRValue(colour), 40) << p.x << "," << p.y;
    EXPECT_GT(GetBValue(colour), 200) << p.x << "," << p.y;
  }
  EXPECT_EQ(fitBitmapToBox(source, 0, 260), nullptr);
  EXPECT_EQ(fitBitmapToBox(nullptr, 260, 260), nullptr);
  DeleteObject(fitted);
  DeleteObject(source);
}

TEST(PictureLoader, EachLoadIsAnIndependentBitmap) {
  HBITMAP first = loadFittedPicture(nullptr, 404, "IMG", 260, 260);
  HBITMAP second = loadFittedPicture(nullptr, 404, "IMG", 260, 260);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  DeleteObject(first);
  EXPECT_EQ(sizeOf(second), (FittedSize{260, 173}));
  DeleteObject(second);
}

}  // namespace
}  // namespace mirvo
