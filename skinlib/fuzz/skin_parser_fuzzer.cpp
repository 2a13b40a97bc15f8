// libFuzzer target: the skin parser on arbitrary bytes. Beyond what the sanitizers catch, an
// accepted skin must satisfy what the library relies on.
#include <cstdlib>
#include <cstring>

#include "skinlib/skin_format.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Lets the fuzzer reach past the checksum: re-signs the input so the structural checks see
// well-formed blocks as often as the mutations allow.
void Resign(std::uint8_t* data, std::size_t length) {
  if (length < she::kHeaderSize) return;
  std::memset(data + 12, 0, 4);
  const std::uint32_t crc = she::Crc32(data, length);
  for (int i = 0; i < 4; ++i) data[12 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

void CheckAccepted(const std::uint8_t* data, std::size_t length, const she::SkinDescription& d) {
  const std::size_t nameLength = std::strlen(d.name);
  Require(nameLength >= 1 && nameLength <= she::kMaxNameLength);
  if (d.hasTexture) {
    const std::size_t bytes = std::size_t{3} * d.texture.width * d.texture.height;
    Require(d.texture.pixels >= data && d.texture.pixels + bytes <= data + length);
  }
  Require(d.metric(she::Metric::CaptionButtonHeight) <= d.metric(she::Metric::CaptionHeight));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  she::SkinDescription d;
  if (she::ParseSkin(data, size, &d) == she::ParseStatus::Ok) CheckAccepted(data, size, d);

  // The same bytes with a matching checksum and declared length.
  std::uint8_t* copy = static_cast<std::uint8_t*>(std::malloc(size ? size : 1));
  std::memcpy(copy, data, size);
  if (size >= she::kHeaderSize) {
    for (int i = 0; i < 4; ++i) copy[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
  }
  Resign(copy, size);
  if (she::ParseSkin(copy, size, &d) == she::ParseStatus::Ok) CheckAccepted(copy, size, d);
  std::free(copy);
  return 0;
}
