// Embedded images, image and bitmap objects, encoding back to bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/images/images.h"
#include "tests/drawing/drawing_test_support.h"

namespace {

constexpr const char* kPngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWithPngSignature(const ByteSet& bytes) {
  return bytes.size() > 8 && std::memcmp(bytes.data(), kPngSignature, 8) == 0;
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

// One row per pixel row: '@' opaque near-black, '.' fully transparent.
void ExpectArrow(const EmbeddedByteSet& image, const std::vector<std::string>& rows) {
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromBytes(image.Bytes()));
  ASSERT_EQ(bitmap.Height(), static_cast<int>(rows.size()));
  ASSERT_EQ(bitmap.Width(), static_cast<int>(rows[0].size()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      ARGB pixel = bitmap.GetPixel(x, y);
      if (rows[y][x] == '@') {
        EXPECT_EQ(AlphaOf(pixel), 255) << x << "," << y;
        EXPECT_LE(RedOf(pixel), 3);
        EXPECT_LE(GreenOf(pixel), 1);
        EXPECT_EQ(BlueOf(pixel), 0);
      } else {
        EXPECT_EQ(AlphaOf(pixel), 0) << x << "," << y;
      }
    }
  }
}

TEST(EmbeddedImages, AreRgbaPngsOfTheirSizesAt96Dpi) {
  struct Expected {
    const EmbeddedByteSet& image;
    std::uint32_t width, height;
  } table[] = {{CloseGlyphImage, 38, 18}, {CheckMarkImage, 13, 12}, {ArrowUpImage, 7, 4},
               {ArrowDownImage, 7, 4},    {ArrowLeftImage, 4, 7},   {ArrowRightImage, 4, 7}};
  for (const Expected& e : table) {
    ByteSet bytes = e.image.Copy();
    ASSERT_TRUE(StartsWithPngSignature(bytes));
    // IHDR comes first: width, height, bit depth 8, colour type 6, no interlace.
    EXPECT_EQ(BigEndian32(&bytes[16]), e.width);
    EXPECT_EQ(BigEndian32(&bytes[20]), e.height);
    EXPECT_EQ(bytes[24], 8);
    EXPECT_EQ(bytes[25], 6);
    EXPECT_EQ(bytes[28], 0);
    std::string text(bytes.begin(), bytes.end());
    std::size_t phys = text.find("pHYs");
    ASSERT_NE(phys, std::string::npos);
    EXPECT_EQ(BigEndian32(&bytes[phys + 4]), 3780u);
    EXPECT_EQ(BigEndian32(&bytes[phys + 8]), 3780u);
    EXPECT_EQ(bytes[phys + 12], 1);  // per metre

    Image image;
    ASSERT_TRUE(image.LoadFromBytes(e.image.Bytes()));
    EXPECT_EQ(image.Width(), static_cast<int>(e.width));
    EXPECT_EQ(image.Height(), static_cast<int>(e.height));
  }
}

TEST(EmbeddedImages, ArrowsAreSixteenPixelTriangles) {
  ExpectArrow(ArrowUpImage, {"...@...", "..@@@..", ".@@@@@.", "@@@@@@@"});
  ExpectArrow(ArrowDownImage, {"@@@@@@@", ".@@@@@.", "..@@@..", "...@..."});
  ExpectArrow(ArrowLeftImage, {"...@", "..@@", ".@@@", "@@@@", ".@@@", "..@@", "...@"});
  ExpectArrow(ArrowRightImage, {"@...", "@@..", "@@@.", "@@@@", "@@@.", "@@..", "@..."});
}

TEST(EmbeddedImages, CloseGlyphIsAnOutlinedWhiteCrossInItsBox) {
  Bitmap glyph;
  ASSERT_TRUE(glyph.LoadFromBytes(CloseGlyphImage.Bytes()));
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 38; ++x) {
      bool inBox = x >= 13 && x <= 23 && y >= 3 && y <= 13;
      if (!inBox) {
        EXPECT_EQ(AlphaOf(glyph.GetPixel(x, y)), 0) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(glyph.GetPixel(18, 8), 0xFFFFFFFFu);  // the crossing point
  EXPECT_EQ(glyph.GetPixel(14, 4), 0xFFFFFFFFu);  // along a diagonal
  for (auto [x, y] : {std::pair{13, 3}, {23, 3}, {13, 13}, {23, 13}, {18, 5}}) {
    ARGB outline = glyph.GetPixel(x, y);
    EXPECT_EQ(AlphaOf(outline), 255);
    EXPECT_GE(RedOf(outline), 82);
    EXPECT_LE(RedOf(outline), 96);
  }
  EXPECT_EQ(AlphaOf(glyph.GetPixel(18, 3)), 0);  // between the arms
}

TEST(EmbeddedImages, CheckMarkIsAGreenAntiAliasedTick) {
  Bitmap tick;
  ASSERT_TRUE(tick.LoadFromBytes(CheckMarkImage.Bytes()));
  int opaque = 0, partial = 0;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 13; ++x) {
      ARGB pixel = tick.GetPixel(x, y);
      if (AlphaOf(pixel) == 0) continue;
      EXPECT_GT(GreenOf(pixel), RedOf(pixel));
      EXPECT_GT(GreenOf(pixel), BlueOf(pixel));
      if (AlphaOf(pixel) == 255) {
        ++opaque;
        EXPECT_EQ(pixel, 0xFF5C9309u) << x << "," << y;
      } else {
        ++partial;
      }
    }
  }
  EXPECT_GT(opaque, 15);
  EXPECT_GT(partial, 10);
}

TEST(ImageObjects, UndecodableBytesLeaveTheObjectEmpty) {
  const std::uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  for (std::span<const std::uint8_t> bytes : {std::span<const std::uint8_t>{}, {garbage}}) {
    Image image;
    EXPECT_FALSE(image.LoadFromBytes(bytes));
    EXPECT_NE(lastStatus, 0);
    EXPECT_EQ(image.handle, 0);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    Bitmap bitmap;
    EXPECT_FALSE(bitmap.LoadFromBytes(bytes));
    EXPECT_EQ(bitmap.nativeHandle, nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_FALSE(bitmap.Dispose());
  }
}

TEST(ImageObjects, DisposeTwiceAndReloading) {
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromBytes(ArrowUpImage.Bytes()));
  // A second load replaces the first image; the first one's stream is not pulled from under it.
  ASSERT_TRUE(bitmap.LoadFromBytes(CloseGlyphImage.Bytes()));
  EXPECT_EQ(bitmap.Width(), 38);
  EXPECT_EQ(bitmap.GetPixel(18, 8), 0xFFFFFFFFu);
  EXPECT_TRUE(bitmap.Dispose());
  EXPECT_EQ(bitmap.handle, 0);
  EXPECT_EQ(bitmap.holder.stream, nullptr);
  EXPECT_FALSE(bitmap.Dispose());
  EXPECT_EQ(bitmap.Width(), 0);

  Image image;
  ASSERT_TRUE(image.LoadFromBytes(CheckMarkImage.Bytes()));
  EXPECT_TRUE(image.Dispose());
  EXPECT_FALSE(image.Dispose());
}

TEST(ImageEncoding, RecolouredPngRoundTrips) {
  Bitmap tick;
  ASSERT_TRUE(tick.LoadFromBytes(CheckMarkImage.Bytes()));
  ASSERT_TRUE(tick.SetPixel(0, 0, 0xFF22CADDu));
  ByteSet png = tick.SaveToBytes(kPngFormat, true);
  ASSERT_TRUE(StartsWithPngSignature(png));
  // The holder's block may be larger than the file; the bytes end with the IEND chunk.
  ASSERT_GE(png.size(), 12u);
  EXPECT_EQ(std::memcmp(&png[png.size() - 8], "IEND", 4), 0);

  Bitmap again;
  ASSERT_TRUE(again.LoadFromBytes(png));
  EXPECT_EQ(again.Width(), 13);
  EXPECT_EQ(again.Height(), 12);
  EXPECT_EQ(again.GetPixel(0, 0), 0xFF22CADDu);
  EXPECT_EQ(again.GetPixel(12, 1), tick.GetPixel(12, 1));

  // Without a format the image's own raw format (PNG) is used.
  EXPECT_TRUE(StartsWithPngSignature(again.SaveToBytes(nullptr, false)));
}

TEST(ImageEncoding, UnknownFormatsGiveNoBytes) {
  Bitmap tick;
  ASSERT_TRUE(tick.LoadFromBytes(CheckMarkImage.Bytes()));
  EXPECT_FALSE(FindEncoderClsid(kPngFormat).empty());
  EXPECT_TRUE(tick.SaveToBytes("{00000000-1111-2222-3333-444444444444}", true).empty());
  EXPECT_NE(lastStatus, 0);
  // Format ids match exactly, as StringFromGUID2 writes them.
  EXPECT_TRUE(tick.SaveToBytes("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}", true).empty());
  EXPECT_TRUE(tick.SaveToBytes("not a guid", true).empty());
  EXPECT_TRUE(tick.SaveToBytes(nullptr, true).empty());
  Bitmap empty;
  EXPECT_TRUE(empty.SaveToBytes(kPngFormat, true).empty());
  EXPECT_TRUE(empty.SaveToBytes(nullptr, false).empty());
}

TEST(Bitmaps, ToHBitmapGivesA32BitCopyOrNothing) {
  Bitmap empty;
  EXPECT_EQ(empty.ToHBitmap(0), nullptr);
  EXPECT_NE(lastStatus, 0);

  Bitmap surface;
  ASSERT_TRUE(surface.CreateEmpty(5, 3, kArgb32, true));
  ASSERT_TRUE(surface.SetPixel(4, 2, 0xFF102030u));
  HBITMAP hbitmap = surface.ToHBitmap(0);
  ASSERT_NE(hbitmap, nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectA(hbitmap, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 32);

  // Back again through FromHBitmap: the pixel survives (alpha aside, which GDI does not keep).
  Bitmap copy;
  ASSERT_TRUE(copy.FromHBitmap(hbitmap));
  EXPECT_EQ(copy.GetPixel(4, 2) & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(copy.GetPixel(0, 0) & 0xFFFFFF, 0u);
  DeleteObject(hbitmap);
}

TEST(Bitmaps, FromHIconAndCreateEmptyDefaults) {
  HICON icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  ASSERT_NE(icon, nullptr);
  Bitmap fromIcon;
  ASSERT_TRUE(fromIcon.FromHIcon(icon));
  EXPECT_EQ(fromIcon.Width(), GetSystemMetrics(SM_CXICON));

  // The pixel format counts only when given: 0 alone means 32-bit ARGB.
  Bitmap surface;
  ASSERT_TRUE(surface.CreateEmpty(2, 2, 0, false));
  ASSERT_TRUE(surface.SetPixel(1, 1, 0x80FF0000u));
  EXPECT_EQ(surface.GetPixel(1, 1), 0x80FF0000u);
  ASSERT_TRUE(surface.CreateEmpty(2, 2, 0x21808, true));  // 24-bit RGB: no alpha to keep
  ASSERT_TRUE(surface.SetPixel(1, 1, 0x80FF0000u));
  EXPECT_EQ(surface.GetPixel(1, 1), 0xFFFF0000u);
}

TEST(MemoryStreamHolders, CopyTheBytesAndFreeThemOnRelease) {
  const std::uint8_t bytes[] = {7, 8, 9};
  MemoryStreamHolder holder;
  ASSERT_NE(holder.OpenOnBytes(bytes), nullptr);
  EXPECT_EQ(holder.ToBytes(), ByteSet({7, 8, 9}));
  // A size beyond the bytes is zero-filled rather than read past them.
  ASSERT_NE(holder.OpenOnBytes(bytes, 6, true), nullptr);
  EXPECT_EQ(holder.BlockSize(), 6u);
  EXPECT_EQ(holder.ToBytes(), ByteSet({7, 8, 9, 0, 0, 0}));
  ASSERT_NE(holder.OpenOnBytes(bytes, 2, true), nullptr);
  EXPECT_EQ(holder.ToBytes(), ByteSet({7, 8}));
  holder.ReleaseStream();
  EXPECT_EQ(holder.GetStream(), nullptr);
  EXPECT_EQ(holder.GetBlock(), nullptr);
  EXPECT_TRUE(holder.ToBytes().empty());
  holder.ReleaseStream();  // a closed holder stays closed
}

}  // namespace
