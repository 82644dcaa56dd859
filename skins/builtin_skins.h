// The built-in skin packages, compiled into the program: the bytes of each
// .skn file, in the order the demonstration program offers them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vx {

struct TvxBuiltinSkin {
  const char* Name;      // "Office2010_Silver", "Office2010_Blue", "Office2010_Black"
  const uint8_t* Data;   // a whole package file: outer version, length, zlib stream
  size_t Size;
};

// The three packages: Silver, Blue, Black.
std::span<const TvxBuiltinSkin> BuiltinSkins();

}  // namespace vx
