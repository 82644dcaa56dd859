#include "skin/vxSkinValues.h"

#include <array>

#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"

namespace vx {

namespace {

// Splits text into comma-separated fields keeping only decimal digits, and
// converts the first `needed` of them. `what` names the kind for messages.
template <size_t N>
std::array<int32_t, N> ParseDigitFields(std::string_view text, const char* what) {
  std::array<std::string, N> fields;
  size_t field = 0;
  for (char c : text) {
    if (c == ',') {
      if (++field >= N) break;
    } else if (c >= '0' && c <= '9') {
      fields[field] += c;
    }
  }
  std::array<int32_t, N> values{};
  const std::string quoted = "'" + std::string(text) + "'";
  for (size_t i = 0; i < N; ++i) {
    if (fields[i].empty())
      throw EConvertError(quoted + " is not a valid " + what + ": field " + std::to_string(i + 1) + " is empty");
    if (!TryStrToInt(fields[i], values[i]))
      throw EConvertError(quoted + " is not a valid " + what + ": field " + std::to_string(i + 1) + " ('" +
                          fields[i] + "') is out of range");
  }
  return values;
}

// Re-throws a conversion error with the place it came from.
template <class F>
auto WithPlace(std::string_view section, std::string_view key, F&& parse) {
  try {
    return parse();
  } catch (const EConvertError& e) {
    throw EConvertError("[" + std::string(section) + "] " + std::string(key) + ": " + e.what());
  }
}

std::string JoinInts(std::initializer_list<int32_t> values) {
  std::string s;
  for (int32_t v : values) {
    if (!s.empty()) s += ',';
    s += std::to_string(v);
  }
  return s;
}

constexpr const char* kFontStyleWords[] = {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};
constexpr const char* kImageEffectWords[] = {"iebrightness", "iedarkness", "iegrayscale",
                                             "ienoise",      "iesplitblur", "ieinvert"};
constexpr const char* kMorphKindWords[] = {"mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
                                           "mkleftslide", "mkrightslide", "mkpush"};

}  // namespace

TPoint StrToSkinPoint(std::string_view text) {
  auto v = ParseDigitFields<2>(text, "point");
  return {v[0], v[1]};
}

TRect StrToSkinRect(std::string_view text) {
  auto v = ParseDigitFields<4>(text, "rectangle");
  return {v[0], v[1], v[2], v[3]};
}

TFontStyles StrToFontStyles(std::string_view text) {
  TFontStyles styles;
  for (int i = 0; i < 4; ++i)
    if (text.find(kFontStyleWords[i]) != std::string_view::npos) styles.Include(TFontStyle(i));
  return styles;
}

TAlignment StrToAlignment(std::string_view text) {
  if (text == "tacenter") return taCenter;
  if (text == "taleftjustify") return taLeftJustify;
  return taRightJustify;
}

TvxStretchType StrToStretchType(std::string_view text) {
  if (text == "stfull") return vxstFull;
  if (text == "stvert") return vxstVert;
  return vxstHorz;
}

TvxImageEffect StrToImageEffect(std::string_view text) {
  for (int i = 0; i < 6; ++i)
    if (text == kImageEffectWords[i]) return TvxImageEffect(i);
  return vxieGrayScale;
}

TvxMorphKind StrToMorphKind(std::string_view text) {
  for (int i = 0; i < 7; ++i)
    if (text == kMorphKindWords[i]) return TvxMorphKind(i);
  return vxmkDefault;
}

std::string FontStylesToStr(TFontStyles styles) {
  std::string s;
  for (int i = 0; i < 4; ++i) {
    if (!styles.Contains(TFontStyle(i))) continue;
    if (!s.empty()) s += ',';
    s += kFontStyleWords[i];
  }
  return s;
}

std::string AlignmentToStr(TAlignment alignment) {
  switch (alignment) {
    case taCenter: return "tacenter";
    case taRightJustify: return "tarightjustify";
    default: return "taleftjustify";
  }
}

std::string StretchTypeToStr(TvxStretchType stretchType) {
  switch (stretchType) {
    case vxstHorz: return "sthorz";
    case vxstVert: return "stvert";
    default: return "stfull";
  }
}

std::string MorphKindToStr(TvxMorphKind morphKind) {
  const int i = int(morphKind);
  return kMorphKindWords[(i >= 0 && i < 7) ? i : 0];
}

TRect ReadRect(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  const std::string text = ini.ReadString(section, key, "0,0,0,0");
  return WithPlace(section, key, [&] { return StrToSkinRect(text); });
}

TPoint ReadPoint(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  const std::string text = ini.ReadString(section, key, "0,0");
  return WithPlace(section, key, [&] { return StrToSkinPoint(text); });
}

bool ReadBoolean(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  return ini.ReadInteger(section, key, 0) == 1;
}

TFontStyles ReadFontStyles(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  return StrToFontStyles(ini.ReadString(section, key, ""));
}

TAlignment ReadAlignment(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  return StrToAlignment(ini.ReadString(section, key, "tacenter"));
}

TvxStretchType ReadStretchType(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  return StrToStretchType(ini.ReadString(section, key, "stfull"));
}

TvxImageEffect ReadImageEffect(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  return StrToImageEffect(ini.ReadString(section, key, "iebrightness"));
}

TvxMorphKind ReadMorphKind(const TCustomIniFile& ini, std::string_view section, std::string_view key) {
  return StrToMorphKind(ini.ReadString(section, key, "mkdefault"));
}

void ReadStrings(const TCustomIniFile& ini, std::string_view section, std::string_view name, TStrings& list) {
  const std::string countKey = std::string(name) + "count";
  const int32_t count = ini.ReadInteger(section, countKey, 0);
  if (count > kMaxSkinStringListCount)
    throw EReadError("[" + std::string(section) + "] " + countKey + "=" + std::to_string(count) +
                     " is out of range (at most " + std::to_string(kMaxSkinStringListCount) + " entries)");
  for (int32_t i = 0; i < count; ++i) list.Add(ini.ReadString(section, std::to_string(i), ""));
}

void WriteRect(TCustomIniFile& ini, std::string_view section, std::string_view key, const TRect& value) {
  ini.WriteString(section, key, JoinInts({value.Left, value.Top, value.Right, value.Bottom}));
}

void WritePoint(TCustomIniFile& ini, std::string_view section, std::string_view key, const TPoint& value) {
  ini.WriteString(section, key, JoinInts({value.X, value.Y}));
}

void WriteBoolean(TCustomIniFile& ini, std::string_view section, std::string_view key, bool value) {
  ini.WriteInteger(section, key, value ? 1 : 0);
}

void WriteFontStyles(TCustomIniFile& ini, std::string_view section, std::string_view key, TFontStyles value) {
  ini.WriteString(section, key, FontStylesToStr(value));
}

void WriteAlignment(TCustomIniFile& ini, std::string_view section, std::string_view key, TAlignment value) {
  ini.WriteString(section, key, AlignmentToStr(value));
}

void WriteStretchType(TCustomIniFile& ini, std::string_view section, std::string_view key, TvxStretchType value) {
  ini.WriteString(section, key, StretchTypeToStr(value));
}

void WriteMorphKind(TCustomIniFile& ini, std::string_view section, std::string_view key, TvxMorphKind value) {
  ini.WriteString(section, key, MorphKindToStr(value));
}

}  // namespace vx
