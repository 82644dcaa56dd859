// String and file-name helpers of the platform layer. Strings are 8-bit text in
// std::string; letter case folding and blank trimming work on ASCII only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// Integer text as the platform reads it: an optional '+' or '-', then either
// decimal digits, or '$' followed by hexadecimal digits; a text of three or more
// characters that begins "0x" or "0X" is hexadecimal as a whole. Decimal values
// must fit a signed 32-bit integer; hexadecimal ones may use all 32 bits
// ("$FFFFFFFF" is -1). No blanks are allowed anywhere.
bool TryStrToInt(std::string_view s, int32_t& value);
// As TryStrToInt; throws EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view s);
int32_t StrToIntDef(std::string_view s, int32_t def);
std::string IntToStr(int64_t value);
// Upper-case hexadecimal, at least `digits` digits.
std::string IntToHex(uint32_t value, int digits);

std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp, ignoring ASCII letter case.
int CompareText(std::string_view a, std::string_view b);
// Blanks are spaces and control characters (code 0 to 32), as the platform trims.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

constexpr char PathDelim = '/';
// "dir/name.ext" -> "dir/" (with the delimiter), "name.ext", ".ext".
std::string ExtractFilePath(std::string_view fileName);
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);
std::string IncludeTrailingPathDelimiter(std::string_view path);
bool FileExists(const std::string& fileName);

}  // namespace vx
