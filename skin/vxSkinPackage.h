// The skin package format. A package file is
//
//   int32 outer version (3; readers accept up to 3)
//   int32 N, the length of the compressed data (must be > 0 and fit the file)
//   N bytes: one zlib stream, level 9
//
// and the zlib stream inflates to the skin content:
//
//   int32 inner version (3; readers accept below 4)
//   main, inactive and mask picture: a presence byte (0 = a bitmap file
//     follows, any other value = absent), then the bitmap file
//   inner version 2 only: two more such pictures, read and discarded
//   int32 picture count C, then C bitmap files back to back
//   the INI text (lines ended by CR LF) up to the end of the stream
//
// All integers are little-endian. Every count and size is checked against the
// bytes that follow before it is used, and the content may inflate to at most
// kMaxSkinContentSize bytes, so a hostile package throws a clear exception
// instead of allocating or looping without bound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/codecs/bmp.h"

namespace vx {

class TCustomIniFile;
class TStream;

constexpr int32_t kSkinPackageVersion = 3;
constexpr int32_t kSkinContentVersion = 3;
constexpr size_t kMaxSkinContentSize = size_t(64) << 20;
// The smallest bitmap file: a 14-byte file header and a 40-byte info header.
constexpr int64_t kMinBitmapFileSize = 54;

// The decoded content of a package: the pictures keep the bit depth and
// colour table of their bitmap files.
struct TvxSkinPackageContent {
  int32_t InnerVersion = kSkinContentVersion;
  TBmpImage Picture;  // Empty() when absent
  TBmpImage InactivePicture;
  TBmpImage MaskPicture;
  std::vector<TBmpImage> ActivePictures;
  std::string IniText;
};

// The five sections every skin has.
inline constexpr const char* kSkinSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};

// True when the INI file has all of [VERSION], [PICTURES], [FORMINFO],
// [SKINOBJECTS] and [SKINCONTROLS].
bool IsSkinIniFile(const TCustomIniFile& ini);
// The sections of kSkinSections that the INI file lacks, in that order.
std::vector<std::string> MissingSkinSections(const TCustomIniFile& ini);

// Reads skin content from the stream's position to its end. Throws EReadError
// for an inner version of 4 or more, a negative or impossible picture count
// and content that ends early, and EInvalidGraphic for a bad bitmap file; the
// message names the picture. Nothing is returned unless all of it decoded.
TvxSkinPackageContent ReadSkinContent(TStream& source);
// Writes content in the current layout (inner version 3, whatever
// content.InnerVersion says): pictures with presence bytes, the count, the
// active pictures and the INI text as it is.
void WriteSkinContent(TStream& dest, const TvxSkinPackageContent& content);

// Reads a skin folder: the INI file's lines (each then ended by CR LF) and the
// bitmap files its [PICTURES] section names, relative to the INI file's folder.
// Throws EReadError naming the missing sections when the INI text is not a
// skin, EFOpenError for a picture file that cannot be opened, EReadError for an
// active picture entry without a name, EInvalidGraphic for a bad bitmap.
TvxSkinPackageContent ReadSkinFolder(const std::string& iniFileName);

// Inflates compressed data to skin content bytes (at most kMaxSkinContentSize;
// ECompressionError otherwise or when the data is corrupt).
std::vector<uint8_t> InflateSkinContent(const uint8_t* data, size_t size);

}  // namespace vx
