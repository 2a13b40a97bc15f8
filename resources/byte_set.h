#pragma once
// ByteSet: the program's counted byte block. Built-in data are stored in the byte-set layout
// (int32 dimension count, always 1; int32 byte length; the bytes); results are owned vectors.

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

using ByteSet = std::vector<std::uint8_t>;

// A byte set compiled into the program.
struct EmbeddedByteSet {
  const unsigned char* block;

  std::int32_t Length() const {
    std::int32_t length;
    std::memcpy(&length, block + 4, sizeof length);
    return length;
  }
  const std::uint8_t* Data() const { return block + 8; }
  std::span<const std::uint8_t> Bytes() const {
    return {Data(), static_cast<std::size_t>(Length())};
  }
  ByteSet Copy() const { return ByteSet(Data(), Data() + Length()); }
};
