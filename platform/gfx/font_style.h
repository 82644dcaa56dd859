// The platform's font style set and text alignment.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace vx {

enum TFontStyle : uint8_t { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeOut = 3 };

// A set of font styles (one bit per TFontStyle).
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) bits_ = uint8_t(bits_ | Bit(s));
  }
  constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  constexpr bool IsEmpty() const { return bits_ == 0; }
  constexpr TFontStyles& Include(TFontStyle s) {
    bits_ = uint8_t(bits_ | Bit(s));
    return *this;
  }
  constexpr TFontStyles& Exclude(TFontStyle s) {
    bits_ = uint8_t(bits_ & ~Bit(s));
    return *this;
  }
  constexpr uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  static constexpr uint8_t Bit(TFontStyle s) { return uint8_t(1u << s); }
  uint8_t bits_ = 0;
};

enum TAlignment : int { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

}  // namespace vx
