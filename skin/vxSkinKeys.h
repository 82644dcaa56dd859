// The key tables of the skin definitions. Every definition class lists its INI
// keys once, in file order, as (key name, member, default); the constructor,
// LoadFromFile and SaveToFile all walk that one table, so the spelling, order
// and default of a key cannot differ between reading, writing and construction.
// Internal to skin/: consumers use the definition classes themselves.
#pragma once

#include <cstdint>
#include <cstddef>
#include <type_traits>
#include <string>
#include <variant>

#include "platform/core/geometry.h"
#include "raster/raster_types.h"
#include "skin/vxSkinDefTypes.h"

namespace vx {

class TCustomIniFile;

namespace skinkeys {

// Per-type primitives; each keeps the value encoding of its kind.
void Read(TCustomIniFile& ini, const std::string& section, const char* key, int32_t& v, int32_t def);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, bool& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TRect& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TPoint& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, std::string& v, const char* def);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TFontStyles& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TAlignment& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TvxStretchType& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TvxMorphKind& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TvxImageEffect& v);
void Read(TCustomIniFile& ini, const std::string& section, const char* key, TvxSkinCommand& v);

void Write(TCustomIniFile& ini, const std::string& section, const char* key, int32_t v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, bool v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, const TRect& v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, const TPoint& v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, const std::string& v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, TFontStyles v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, TAlignment v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, TvxStretchType v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, TvxMorphKind v);
void Write(TCustomIniFile& ini, const std::string& section, const char* key, TvxSkinCommand v);
// Image effects have no written form in a skin; a table holding one cannot be saved.
void Write(TCustomIniFile& ini, const std::string& section, const char* key, TvxImageEffect v);

// The value a missing key reads as, for the kinds whose default is fixed.
inline void SetDefault(bool& v) { v = false; }
inline void SetDefault(TRect& v) { v = TRect{}; }
inline void SetDefault(TPoint& v) { v = TPoint{}; }
inline void SetDefault(TFontStyles& v) { v = TFontStyles{}; }
inline void SetDefault(TAlignment& v) { v = taCenter; }
inline void SetDefault(TvxStretchType& v) { v = vxstFull; }
inline void SetDefault(TvxMorphKind& v) { v = vxmkDefault; }
inline void SetDefault(TvxImageEffect& v) { v = vxieBrightness; }
inline void SetDefault(TvxSkinCommand& v) { v = cmDefault; }

// One key of class C: its name, the member that holds it and, for integers and
// strings, the value of a missing key.
template <class C>
struct Key {
  using Field = std::variant<int32_t C::*, bool C::*, TRect C::*, TPoint C::*, std::string C::*,
                             TFontStyles C::*, TAlignment C::*, TvxStretchType C::*, TvxMorphKind C::*,
                             TvxImageEffect C::*, TvxSkinCommand C::*>;
  const char* name;
  Field field;
  int32_t intDefault = 0;
  const char* strDefault = "";

  template <class T>
  constexpr Key(const char* n, T C::* f) : name(n), field(f) {}
  constexpr Key(const char* n, int32_t C::* f, int32_t def) : name(n), field(f), intDefault(def) {}
  constexpr Key(const char* n, std::string C::* f, const char* def) : name(n), field(f), strDefault(def) {}
};

template <class C, size_t N>
void ApplyDefaults(C& obj, const Key<C> (&keys)[N]) {
  for (const Key<C>& k : keys) {
    std::visit(
        [&](auto member) {
          auto& v = obj.*member;
          using T = std::remove_cvref_t<decltype(v)>;
          if constexpr (std::is_same_v<T, int32_t>) v = k.intDefault;
          else if constexpr (std::is_same_v<T, std::string>) v = k.strDefault;
          else SetDefault(v);
        },
        k.field);
  }
}

template <class C, size_t N>
void ReadKeys(C& obj, TCustomIniFile& ini, const std::string& section, const Key<C> (&keys)[N]) {
  for (const Key<C>& k : keys) {
    std::visit(
        [&](auto member) {
          auto& v = obj.*member;
          using T = std::remove_cvref_t<decltype(v)>;
          if constexpr (std::is_same_v<T, int32_t>) Read(ini, section, k.name, v, k.intDefault);
          else if constexpr (std::is_same_v<T, std::string>) Read(ini, section, k.name, v, k.strDefault);
          else Read(ini, section, k.name, v);
        },
        k.field);
  }
}

template <class C, size_t N>
void WriteKeys(const C& obj, TCustomIniFile& ini, const std::string& section, const Key<C> (&keys)[N]) {
  for (const Key<C>& k : keys) {
    std::visit([&](auto member) { Write(ini, section, k.name, obj.*member); }, k.field);
  }
}

// Erases the section; SaveToFile calls it once, before the most basic class writes.
void EraseSection(TCustomIniFile& ini, const std::string& section);

}  // namespace skinkeys
}  // namespace vx
