#pragma once
// The ".SHE" skin file: parsing and validation, without any platform calls so that it can be
// compiled natively and fuzzed. The layout is described in SKIN_FORMAT.md beside this file.

#include <cstddef>
#include <cstdint>

namespace she {

enum class Colour : int {
#define SKIN_COLOUR(id, key) id,
#define SKIN_METRIC(id, key, least, greatest)
#include "skinlib/skin_fields.def"
#undef SKIN_COLOUR
#undef SKIN_METRIC
  Count
};

enum class Metric : int {
#define SKIN_COLOUR(id, key)
#define SKIN_METRIC(id, key, least, greatest) id,
#include "skinlib/skin_fields.def"
#undef SKIN_COLOUR
#undef SKIN_METRIC
  Count
};

inline constexpr int kColourCount = static_cast<int>(Colour::Count);
inline constexpr int kMetricCount = static_cast<int>(Metric::Count);

inline constexpr std::uint16_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::size_t kSectionEntrySize = 12;
inline constexpr std::uint32_t kMaxSections = 32;
inline constexpr std::size_t kMaxNameLength = 64;
inline constexpr std::uint16_t kMaxTextureSide = 256;

// Where the texture is tiled.
inline constexpr std::uint16_t kTextureOnClient = 1;
inline constexpr std::uint16_t kTextureOnTabPage = 2;

enum class ParseStatus {
  Ok,
  Empty,            // no data or length 0
  Truncated,        // shorter than its header, its table or its declared length
  BadMagic,         // does not begin with ".SHE"
  BadVersion,       // a version this parser does not know
  BadLength,        // the declared length is not the length handed over
  BadSectionTable,  // section count, bounds, overlaps or duplicates
  MissingSection,   // NAME, PALT or METR absent
  BadSection,       // a section whose length does not fit its contents
  BadValue,         // a value outside its range
  BadChecksum,      // the bytes are not the ones the checksum was taken over
};

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The optional texture; `pixels` points into the parsed block (width * height RGB triples,
// top row first) and is valid only as long as that block.
struct Texture {
  std::uint16_t width = 0, height = 0, placement = 0;
  const std::uint8_t* pixels = nullptr;
};

struct SkinDescription {
  char name[kMaxNameLength + 1] = {};
  Rgb colours[kColourCount] = {};
  std::uint16_t metrics[kMetricCount] = {};
  bool hasTexture = false;
  Texture texture;

  Rgb colour(Colour c) const { return colours[static_cast<int>(c)]; }
  int metric(Metric m) const { return metrics[static_cast<int>(m)]; }
};

// Parses and checks a whole skin block. On anything but Ok, `out` is left unspecified.
ParseStatus ParseSkin(const std::uint8_t* data, std::size_t length, SkinDescription* out);

const char* DescribeStatus(ParseStatus status);

// CRC-32 (IEEE 802.3, the one of zlib) over a byte range, continuing from `crc`.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t length, std::uint32_t crc = 0);

// Colour adjustments handed to the attach call: hue in degrees (-180..180), saturation and
// brightness in percent (-100..100). False when a value is out of range.
bool AdjustmentsInRange(int hue, int saturation, int brightness);
Rgb AdjustColour(Rgb colour, int hue, int saturation, int brightness);

}  // namespace she
