// How skin INI values are spelled: readers and writers for points, rectangles,
// booleans, font styles, keyword enumerations and string lists. All are free
// functions over the platform's INI file object.
//
// Readers never fail on a missing key (each has a fixed default) and map
// malformed keywords to a fixed fallback. The one reading error is a point or
// rectangle whose used field is empty: it throws EConvertError naming the
// section, the key and the offending text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/geometry.h"
#include "raster/raster_types.h"
#include "skin/vxSkinValueTypes.h"

namespace vx {

class TCustomIniFile;
class TStrings;

// A string list longer than this is refused (EReadError): no skin holds that
// many entries, and a hostile count must not make the reader loop for ever.
constexpr int32_t kMaxSkinStringListCount = 65536;

// Parses the text of a point or rectangle: fields are separated by commas and
// keep only their decimal digits (blanks, minus signs and letters are dropped,
// so coordinates are never negative). Fields past the second (point) or fourth
// (rectangle) are ignored. An empty used field, or one whose digits overflow
// 32 bits, throws EConvertError naming the text.
TPoint StrToSkinPoint(std::string_view text);
TRect StrToSkinRect(std::string_view text);

// Keyword conversions, exact letter case; see the readers for the fallbacks.
TFontStyles StrToFontStyles(std::string_view text);
TAlignment StrToAlignment(std::string_view text);
TvxStretchType StrToStretchType(std::string_view text);
TvxImageEffect StrToImageEffect(std::string_view text);
TvxMorphKind StrToMorphKind(std::string_view text);
std::string FontStylesToStr(TFontStyles styles);
std::string AlignmentToStr(TAlignment alignment);
std::string StretchTypeToStr(TvxStretchType stretchType);
std::string MorphKindToStr(TvxMorphKind morphKind);

// Missing key: "0,0,0,0".
TRect ReadRect(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// Missing key: "0,0".
TPoint ReadPoint(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// True exactly when the integer value is 1.
bool ReadBoolean(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// Each flag whose keyword ("fsbold", "fsitalic", "fsunderline", "fsstrikeout")
// occurs anywhere in the value; missing key: no flags.
TFontStyles ReadFontStyles(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// "tacenter", "taleftjustify"; any other text: taRightJustify. Missing key: taCenter.
TAlignment ReadAlignment(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// "stfull", "stvert"; any other text: horizontal. Missing key: full.
TvxStretchType ReadStretchType(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// The six "ie..." keywords; any other text: grayscale. Missing key: brightness.
TvxImageEffect ReadImageEffect(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// The seven "mk..." keywords; any other text and a missing key: default.
TvxMorphKind ReadMorphKind(const TCustomIniFile& ini, std::string_view section, std::string_view key);
// Appends the entries of the list `name`: count from "<name>count" (missing or
// malformed: 0), entries from keys "0", "1", ... (missing entry: empty string).
// A count above kMaxSkinStringListCount throws EReadError.
void ReadStrings(const TCustomIniFile& ini, std::string_view section, std::string_view name, TStrings& list);

// Writers produce exactly the forms the readers accept (decimal, comma
// separated, no blanks). Negative coordinates keep their minus sign, which the
// readers drop.
void WriteRect(TCustomIniFile& ini, std::string_view section, std::string_view key, const TRect& value);
void WritePoint(TCustomIniFile& ini, std::string_view section, std::string_view key, const TPoint& value);
void WriteBoolean(TCustomIniFile& ini, std::string_view section, std::string_view key, bool value);
void WriteFontStyles(TCustomIniFile& ini, std::string_view section, std::string_view key, TFontStyles value);
void WriteAlignment(TCustomIniFile& ini, std::string_view section, std::string_view key, TAlignment value);
void WriteStretchType(TCustomIniFile& ini, std::string_view section, std::string_view key, TvxStretchType value);
void WriteMorphKind(TCustomIniFile& ini, std::string_view section, std::string_view key, TvxMorphKind value);

}  // namespace vx
