// The 33 built-in skins and the parser that the skin library checks them with.
#include "skinlib/skin_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/skins.h"

namespace {

using she::Colour;
using she::Metric;
using she::ParseStatus;

constexpr int kSkinSizes[kSkinSlotCount] = {
    15574, 9533,  19786, 19497, 17699, 41098, 12564, 18930, 13192, 24409, 30738,
    8321,  26370, 15733, 12105, 23603, 20863, 16746, 11676, 17997, 12882, 37461,
    30958, 25715, 34523, 28961, 29447, 15562, 20738, 18765, 31134, 44110, 20275};

ParseStatus Parse(const ByteSet& bytes, she::SkinDescription* out = nullptr) {
  she::SkinDescription ignored;
  return she::ParseSkin(bytes.data(), bytes.size(), out ? out : &ignored);
}

std::uint32_t ReadU32(const ByteSet& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

void WriteU32(ByteSet& b, std::size_t at, std::uint32_t v) { std::memcpy(b.data() + at, &v, 4); }
void WriteU16(ByteSet& b, std::size_t at, std::uint16_t v) { std::memcpy(b.data() + at, &v, 2); }

// A fresh checksum, so that a corruption is judged by the check it is aimed at.
void Resign(ByteSet& b) {
  WriteU32(b, 12, 0);
  WriteU32(b, 12, she::Crc32(b.data(), b.size()));
}

// Offset of the section table entry with this tag.
std::size_t EntryOf(const ByteSet& b, const char* tag) {
  const std::uint16_t count = static_cast<std::uint16_t>(b[6] | b[7] << 8);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = she::kHeaderSize + i * she::kSectionEntrySize;
    if (std::memcmp(b.data() + entry, tag, 4) == 0) return entry;
  }
  ADD_FAILURE() << "no section " << tag;
  return 0;
}

std::size_t SectionOf(const ByteSet& b, const char* tag) { return ReadU32(b, EntryOf(b, tag) + 4); }

int Distance(she::Rgb a, she::Rgb b) {
  return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

TEST(BuiltInSkins, HaveTheirTableSizesAndTheMagic) {
  for (int n = 1; n <= kSkinSlotCount; ++n) {
    const EmbeddedByteSet* slot = SkinSlot(n);
    ASSERT_NE(slot, nullptr) << n;
    EXPECT_EQ(slot->Length(), kSkinSizes[n - 1]) << "skin " << n;
    EXPECT_EQ(std::memcmp(slot->Data(), ".SHE", 4), 0) << "skin " << n;
  }
  EXPECT_EQ(SkinSlot(0), nullptr);
  EXPECT_EQ(SkinSlot(34), nullptr);
  EXPECT_EQ(SkinSlot(-6), nullptr);
  EXPECT_EQ(SkinSlot(6)->Length(), 41098);
}

TEST(BuiltInSkins, EveryOneParsesWithItsTextureInsideTheBlock) {
  for (int n = 1; n <= kSkinSlotCount; ++n) {
    const ByteSet bytes = SkinSlot(n)->Copy();
    she::SkinDescription d;
    ASSERT_EQ(Parse(bytes, &d), ParseStatus::Ok) << "skin " << n;
    EXPECT_GT(std::strlen(d.name), 0u);
    if (d.hasTexture) {
      const std::size_t size = std::size_t{3} * d.texture.width * d.texture.height;
      EXPECT_GE(d.texture.pixels, bytes.data());
      EXPECT_LE(d.texture.pixels + size, bytes.data() + bytes.size());
    }
  }
}

// 33 looks, not one look 33 times: every pair differs clearly in the colours that cover most
// of a window.
TEST(BuiltInSkins, AreVisiblyDifferent) {
  const Colour kDominant[] = {Colour::CaptionTop, Colour::CaptionBottom, Colour::ClientBackground,
                              Colour::TabPage,    Colour::ButtonTop,     Colour::ButtonHoverBottom};
  she::SkinDescription skins[kSkinSlotCount];
  for (int n = 0; n < kSkinSlotCount; ++n) {
    ASSERT_EQ(Parse(SkinSlot(n + 1)->Copy(), &skins[n]), ParseStatus::Ok);
  }
  for (int a = 0; a < kSkinSlotCount; ++a) {
    for (int b = a + 1; b < kSkinSlotCount; ++b) {
      int distance = 0;
      for (Colour c : kDominant) distance += Distance(skins[a].colour(c), skins[b].colour(c));
      EXPECT_GT(distance, 100) << "skins " << a + 1 << " and " << b + 1 << " look alike";
    }
  }
}

TEST(SkinParser, RejectsTruncatedCopiesOfEverySkin) {
  for (int n = 1; n <= kSkinSlotCount; ++n) {
    const ByteSet whole = SkinSlot(n)->Copy();
    const std::size_t cuts[] = {1, 3, 15, 16, 40, whole.size() / 2, whole.size() - 1};
    for (std::size_t cut : cuts) {
      const ByteSet part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
      EXPECT_EQ(Parse(part), ParseStatus::Truncated) << "skin " << n << " cut to " << cut;
    }
    she::SkinDescription d;
    EXPECT_EQ(she::ParseSkin(whole.data(), 0, &d), ParseStatus::Empty);
  }
  she::SkinDescription d;
  EXPECT_EQ(she::ParseSkin(nullptr, 41098, &d), ParseStatus::Empty);
}

TEST(SkinParser, RejectsEveryCopyWithAFlippedByte) {
  for (int n = 1; n <= kSkinSlotCount; ++n) {
    const ByteSet whole = SkinSlot(n)->Copy();
    // The header, the table, the sections and the filler, in steps that cover all of them.
    for (std::size_t at = 0; at < whole.size(); at += (at < 256 ? 7 : 1499)) {
      ByteSet copy = whole;
      copy[at] ^= 0x5A;
      EXPECT_NE(Parse(copy), ParseStatus::Ok) << "skin " << n << " byte " << at;
    }
  }
}

TEST(SkinParser, NamesTheFaultOfEachCorruption) {
  const ByteSet skin = SkinSlot(6)->Copy();
  auto corrupt = [&skin](auto change) {
    ByteSet copy = skin;
    change(copy);
    Resign(copy);
    return Parse(copy);
  };
  EXPECT_EQ(corrupt([](ByteSet& b) { b[1] = 'X'; }), ParseStatus::BadMagic);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, 4, 2); }), ParseStatus::BadVersion);
  EXPECT_EQ(corrupt([](ByteSet& b) { b.push_back(0); }), ParseStatus::BadLength);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, 6, 0); }), ParseStatus::BadSectionTable);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, 6, 40); }), ParseStatus::BadSectionTable);
  // Offsets and lengths that point outside the block, into the header, or wrap around.
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU32(b, EntryOf(b, "FILL") + 4, 50000); }),
            ParseStatus::BadSectionTable);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU32(b, EntryOf(b, "NAME") + 4, 4); }),
            ParseStatus::BadSectionTable);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU32(b, EntryOf(b, "TEXR") + 8, 0xFFFFFFF0u); }),
            ParseStatus::BadSectionTable);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU32(b, EntryOf(b, "FILL") + 4, SectionOf(b, "PALT")); }),
            ParseStatus::BadSectionTable);
  EXPECT_EQ(corrupt([](ByteSet& b) { std::memcpy(b.data() + EntryOf(b, "TEXR"), "PALT", 4); }),
            ParseStatus::BadSectionTable);
  EXPECT_EQ(corrupt([](ByteSet& b) { std::memcpy(b.data() + EntryOf(b, "NAME"), "NAMX", 4); }),
            ParseStatus::MissingSection);
  // Section contents.
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, SectionOf(b, "PALT"), 36); }),
            ParseStatus::BadSection);
  EXPECT_EQ(corrupt([](ByteSet& b) { b[SectionOf(b, "PALT") + 4 + 3] = 1; }),
            ParseStatus::BadValue);
  EXPECT_EQ(corrupt([](ByteSet& b) { b[SectionOf(b, "NAME")] = '\n'; }), ParseStatus::BadValue);
  const std::size_t captionHeight = 4 + 2 * static_cast<int>(Metric::CaptionHeight);
  EXPECT_EQ(corrupt([&](ByteSet& b) { WriteU16(b, SectionOf(b, "METR") + captionHeight, 500); }),
            ParseStatus::BadValue);
  const std::size_t buttonHeight = 4 + 2 * static_cast<int>(Metric::CaptionButtonHeight);
  EXPECT_EQ(corrupt([&](ByteSet& b) { WriteU16(b, SectionOf(b, "METR") + buttonHeight, 60); }),
            ParseStatus::BadValue);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, SectionOf(b, "TEXR"), 0); }),
            ParseStatus::BadValue);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, SectionOf(b, "TEXR"), 300); }),
            ParseStatus::BadValue);
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, SectionOf(b, "TEXR") + 4, 4); }),
            ParseStatus::BadValue);
  // A texture larger than its section says.
  EXPECT_EQ(corrupt([](ByteSet& b) { WriteU16(b, SectionOf(b, "TEXR") + 2, 97); }),
            ParseStatus::BadSection);
  // Unchanged but for the checksum.
  ByteSet stale = skin;
  WriteU32(stale, 12, ReadU32(stale, 12) + 1);
  EXPECT_EQ(Parse(stale), ParseStatus::BadChecksum);
}

TEST(ColourAdjustments, MoveHueSaturationAndBrightness) {
  const she::Rgb red{255, 0, 0}, jade{0x2F, 0x8F, 0x87};
  EXPECT_EQ(she::AdjustColour(jade, 0, 0, 0), jade);
  EXPECT_EQ(she::AdjustColour(red, 180, 0, 0), (she::Rgb{0, 255, 255}));
  EXPECT_EQ(she::AdjustColour(red, -120, 0, 0), (she::Rgb{0, 0, 255}));
  const she::Rgb grey = she::AdjustColour(jade, 0, -100, 0);
  EXPECT_TRUE(grey.red == grey.green && grey.green == grey.blue);
  EXPECT_EQ(she::AdjustColour(jade, 0, 0, 100), (she::Rgb{255, 255, 255}));
  EXPECT_EQ(she::AdjustColour(jade, 0, 0, -100), (she::Rgb{0, 0, 0}));
  EXPECT_TRUE(she::AdjustmentsInRange(-180, 100, -100));
  EXPECT_FALSE(she::AdjustmentsInRange(181, 0, 0));
  EXPECT_FALSE(she::AdjustmentsInRange(0, -101, 0));
  EXPECT_FALSE(she::AdjustmentsInRange(0, 0, 1000));
}

}  // namespace
