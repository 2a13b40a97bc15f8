#include "skinlib/skin_format.h"

#include <cstring>

namespace she {

namespace {

constexpr std::uint8_t kMagic[4] = {'.', 'S', 'H', 'E'};
constexpr std::size_t kChecksumOffset = 12;

struct MetricRange {
  std::uint16_t least, greatest;
};

constexpr MetricRange kMetricRanges[kMetricCount] = {
#define SKIN_COLOUR(id, key)
#define SKIN_METRIC(id, key, least, greatest) {least, greatest},
#include "skinlib/skin_fields.def"
#undef SKIN_COLOUR
#undef SKIN_METRIC
};

constexpr std::uint32_t Tag(const char (&text)[5]) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24;
}

constexpr std::uint32_t kNameTag = Tag("NAME");
constexpr std::uint32_t kPaletteTag = Tag("PALT");
constexpr std::uint32_t kMetricsTag = Tag("METR");
constexpr std::uint32_t kTextureTag = Tag("TEXR");

std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Section {
  std::uint32_t tag, offset, length;
};

// A section's bytes; `data` is null when the section is absent.
struct Span {
  const std::uint8_t* data = nullptr;
  std::size_t length = 0;
};

bool Overlap(const Section& a, const Section& b) {
  const std::uint64_t aEnd = std::uint64_t{a.offset} + a.length;
  const std::uint64_t bEnd = std::uint64_t{b.offset} + b.length;
  return a.offset < bEnd && b.offset < aEnd;
}

bool IsKnown(std::uint32_t tag) {
  return tag == kNameTag || tag == kPaletteTag || tag == kMetricsTag || tag == kTextureTag;
}

// Reads the section table and checks that every section lies inside the block, after the
// table, without overlapping another, and that no known section appears twice.
ParseStatus ReadSections(const std::uint8_t* data, std::size_t length, Section* sections,
                         std::uint32_t* count) {
  const std::uint32_t n = ReadU16(data + 6);
  if (n == 0 || n > kMaxSections) return ParseStatus::BadSectionTable;
  const std::size_t tableEnd = kHeaderSize + n * kSectionEntrySize;
  if (tableEnd > length) return ParseStatus::Truncated;
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint8_t* entry = data + kHeaderSize + i * kSectionEntrySize;
    Section s{ReadU32(entry), ReadU32(entry + 4), ReadU32(entry + 8)};
    if (s.offset < tableEnd || s.offset > length || s.length > length - s.offset) {
      return ParseStatus::BadSectionTable;
    }
    for (std::uint32_t j = 0; j < i; ++j) {
      if (Overlap(s, sections[j]) || (IsKnown(s.tag) && s.tag == sections[j].tag)) {
        return ParseStatus::BadSectionTable;
      }
    }
    sections[i] = s;
  }
  *count = n;
  return ParseStatus::Ok;
}

Span Find(const std::uint8_t* data, const Section* sections, std::uint32_t count,
          std::uint32_t tag) {
  for (std::uint32_t i = 0; i < count; ++i) {
    if (sections[i].tag == tag) return {data + sections[i].offset, sections[i].length};
  }
  return {};
}

ParseStatus ReadName(Span s, SkinDescription* out) {
  if (s.length == 0 || s.length > kMaxNameLength) return ParseStatus::BadSection;
  for (std::size_t i = 0; i < s.length; ++i) {
    if (s.data[i] < 0x20) return ParseStatus::BadValue;
  }
  std::memcpy(out->name, s.data, s.length);
  out->name[s.length] = '\0';
  return ParseStatus::Ok;
}

// u16 count, u16 reserved (0), then count entries of red, green, blue, reserved (0).
ParseStatus ReadPalette(Span s, SkinDescription* out) {
  if (s.length < 4) return ParseStatus::BadSection;
  const std::size_t count = ReadU16(s.data);
  if (count != static_cast<std::size_t>(kColourCount) || s.length != 4 + 4 * count) {
    return ParseStatus::BadSection;
  }
  if (ReadU16(s.data + 2) != 0) return ParseStatus::BadValue;
  for (int i = 0; i < kColourCount; ++i) {
    const std::uint8_t* p = s.data + 4 + 4 * i;
    if (p[3] != 0) return ParseStatus::BadValue;
    out->colours[i] = {p[0], p[1], p[2]};
  }
  return ParseStatus::Ok;
}

// u16 count, u16 reserved (0), then count u16 values, each inside its range.
ParseStatus ReadMetrics(Span s, SkinDescription* out) {
  if (s.length < 4) return ParseStatus::BadSection;
  const std::size_t count = ReadU16(s.data);
  if (count != static_cast<std::size_t>(kMetricCount) || s.length != 4 + 2 * count) {
    return ParseStatus::BadSection;
  }
  if (ReadU16(s.data + 2) != 0) return ParseStatus::BadValue;
  for (int i = 0; i < kMetricCount; ++i) {
    const std::uint16_t v = ReadU16(s.data + 4 + 2 * i);
    if (v < kMetricRanges[i].least || v > kMetricRanges[i].greatest) return ParseStatus::BadValue;
    out->metrics[i] = v;
  }
  // Caption buttons must fit their caption.
  if (out->metric(Metric::CaptionButtonHeight) > out->metric(Metric::CaptionHeight)) {
    return ParseStatus::BadValue;
  }
  return ParseStatus::Ok;
}

// u16 width, u16 height, u16 placement flags, u16 reserved (0), then the RGB pixels.
ParseStatus ReadTexture(Span s, SkinDescription* out) {
  if (s.length < 8) return ParseStatus::BadSection;
  Texture t{ReadU16(s.data), ReadU16(s.data + 2), ReadU16(s.data + 4), s.data + 8};
  if (t.width == 0 || t.height == 0 || t.width > kMaxTextureSide || t.height > kMaxTextureSide) {
    return ParseStatus::BadValue;
  }
  if ((t.placement & ~(kTextureOnClient | kTextureOnTabPage)) != 0 || ReadU16(s.data + 6) != 0) {
    return ParseStatus::BadValue;
  }
  if (s.length != 8 + std::size_t{3} * t.width * t.height) return ParseStatus::BadSection;
  out->hasTexture = true;
  out->texture = t;
  return ParseStatus::Ok;
}

std::uint32_t ChecksumWithFieldZeroed(const std::uint8_t* data, std::size_t length) {
  const std::uint8_t zero[4] = {};
  std::uint32_t crc = Crc32(data, kChecksumOffset);
  crc = Crc32(zero, sizeof zero, crc);
  return Crc32(data + kChecksumOffset + 4, length - kChecksumOffset - 4, crc);
}

ParseStatus ReadContents(const std::uint8_t* data, const Section* sections, std::uint32_t count,
                         SkinDescription* out) {
  const Span name = Find(data, sections, count, kNameTag);
  const Span palette = Find(data, sections, count, kPaletteTag);
  const Span metrics = Find(data, sections, count, kMetricsTag);
  if (!name.data || !palette.data || !metrics.data) return ParseStatus::MissingSection;
  ParseStatus status = ReadName(name, out);
  if (status == ParseStatus::Ok) status = ReadPalette(palette, out);
  if (status == ParseStatus::Ok) status = ReadMetrics(metrics, out);
  const Span texture = Find(data, sections, count, kTextureTag);
  out->hasTexture = false;
  if (status == ParseStatus::Ok && texture.data) status = ReadTexture(texture, out);
  return status;
}

}  // namespace

ParseStatus ParseSkin(const std::uint8_t* data, std::size_t length, SkinDescription* out) {
  if (!data || length == 0) return ParseStatus::Empty;
  if (length < kHeaderSize) return ParseStatus::Truncated;
  if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return ParseStatus::BadMagic;
  if (ReadU16(data + 4) != kVersion) return ParseStatus::BadVersion;
  const std::uint32_t declared = ReadU32(data + 8);
  if (declared > length) return ParseStatus::Truncated;
  if (declared < length) return ParseStatus::BadLength;

  Section sections[kMaxSections];
  std::uint32_t count = 0;
  ParseStatus status = ReadSections(data, length, sections, &count);
  if (status == ParseStatus::Ok) status = ReadContents(data, sections, count, out);
  // Last, so that every structural check above is reachable for a fuzzer.
  if (status == ParseStatus::Ok &&
      ReadU32(data + kChecksumOffset) != ChecksumWithFieldZeroed(data, length)) {
    status = ParseStatus::BadChecksum;
  }
  return status;
}

const char* DescribeStatus(ParseStatus status) {
  switch (status) {
    case ParseStatus::Ok:
      return "ok";
    case ParseStatus::Empty:
      return "empty";
    case ParseStatus::Truncated:
      return "truncated";
    case ParseStatus::BadMagic:
      return "bad magic";
    case ParseStatus::BadVersion:
      return "unknown version";
    case ParseStatus::BadLength:
      return "declared length differs";
    case ParseStatus::BadSectionTable:
      return "bad section table";
    case ParseStatus::MissingSection:
      return "missing section";
    case ParseStatus::BadSection:
      return "bad section";
    case ParseStatus::BadValue:
      return "value out of range";
    case ParseStatus::BadChecksum:
      return "checksum mismatch";
  }
  return "unknown";
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t length, std::uint32_t crc) {
  crc = ~crc;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

bool AdjustmentsInRange(int hue, int saturation, int brightness) {
  return hue >= -180 && hue <= 180 && saturation >= -100 && saturation <= 100 &&
         brightness >= -100 && brightness <= 100;
}

namespace {

struct Hsl {
  double h, s, l;  // h in [0, 360), s and l in [0, 1]
};

Hsl ToHsl(Rgb c) {
  const double r = c.red / 255.0, g = c.green / 255.0, b = c.blue / 255.0;
  const double hi = r > g ? (r > b ? r : b) : (g > b ? g : b);
  const double lo = r < g ? (r < b ? r : b) : (g < b ? g : b);
  Hsl out{0, 0, (hi + lo) / 2};
  const double d = hi - lo;
  if (d <= 0) return out;
  out.s = out.l > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
  if (hi == r) {
    out.h = (g - b) / d + (g < b ? 6 : 0);
  } else if (hi == g) {
    out.h = (b - r) / d + 2;
  } else {
    out.h = (r - g) / d + 4;
  }
  out.h *= 60;
  return out;
}

double HueChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

std::uint8_t ToByte(double v) {
  const double scaled = v * 255 + 0.5;
  return static_cast<std::uint8_t>(scaled < 0 ? 0 : scaled > 255 ? 255 : scaled);
}

Rgb FromHsl(Hsl c) {
  if (c.s <= 0) return {ToByte(c.l), ToByte(c.l), ToByte(c.l)};
  const double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
  const double p = 2 * c.l - q;
  const double h = c.h / 360;
  return {ToByte(HueChannel(p, q, h + 1.0 / 3)), ToByte(HueChannel(p, q, h)),
          ToByte(HueChannel(p, q, h - 1.0 / 3))};
}

double Clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

}  // namespace

Rgb AdjustColour(Rgb colour, int hue, int saturation, int brightness) {
  if (hue == 0 && saturation == 0 && brightness == 0) return colour;
  Hsl c = ToHsl(colour);
  c.h += hue;  // within -180..540
  if (c.h < 0) c.h += 360;
  if (c.h >= 360) c.h -= 360;
  c.s = Clamp01(c.s * (1 + saturation / 100.0));
  // Brightness moves lightness toward white or black by the given share.
  c.l = brightness >= 0 ? c.l + (1 - c.l) * brightness / 100.0 : c.l * (1 + brightness / 100.0);
  c.l = Clamp01(c.l);
  return FromHsl(c);
}

}  // namespace she
