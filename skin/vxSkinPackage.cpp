#include "skin/vxSkinPackage.h"

#include "platform/codecs/zlib_codec.h"
#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"
#include "skin/vxSkinValues.h"

namespace vx {

namespace {

// Runs a read step and puts `what` in front of the message of a read or
// graphic error, keeping the kind of the exception.
template <class F>
auto Named(const std::string& what, F&& step) {
  try {
    return step();
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic(what + ": " + e.what());
  } catch (const EReadError& e) {
    throw EReadError(what + ": " + e.what());
  } catch (const EFOpenError& e) {
    throw EFOpenError(what + ": " + e.what());
  }
}

int32_t ReadContentInt(TStream& s, const char* what) {
  if (s.Remaining() < 4) throw EReadError(std::string("skin content ends before its ") + what);
  return s.ReadInt32();
}

// A presence byte and, when it is 0, one bitmap file.
TBmpImage ReadOptionalPicture(TStream& s, const std::string& what) {
  if (s.Remaining() < 1) throw EReadError("skin content ends before the " + what);
  if (s.ReadUInt8() != 0) return TBmpImage{};
  return Named(what, [&] { return ReadBmp(s); });
}

void WriteOptionalPicture(TStream& s, const TBmpImage& picture) {
  s.WriteUInt8(picture.Empty() ? 1 : 0);
  if (!picture.Empty()) WriteBmp(s, picture);
}

TBmpImage LoadBitmapFile(const std::string& fileName, const std::string& what) {
  return Named(what + " '" + fileName + "'", [&] {
    TFileStream file(fileName, fmOpenRead);
    return ReadBmp(file);
  });
}

}  // namespace

std::vector<std::string> MissingSkinSections(const TCustomIniFile& ini) {
  std::vector<std::string> missing;
  for (const char* section : kSkinSections)
    if (!ini.SectionExists(section)) missing.emplace_back(section);
  return missing;
}

bool IsSkinIniFile(const TCustomIniFile& ini) { return MissingSkinSections(ini).empty(); }

TvxSkinPackageContent ReadSkinContent(TStream& s) {
  TvxSkinPackageContent content;
  content.InnerVersion = ReadContentInt(s, "version");
  if (content.InnerVersion >= 4)
    throw EReadError("skin content version " + std::to_string(content.InnerVersion) +
                     " is not supported (at most " + std::to_string(kSkinContentVersion) + ")");
  content.Picture = ReadOptionalPicture(s, "main picture");
  content.InactivePicture = ReadOptionalPicture(s, "inactive picture");
  content.MaskPicture = ReadOptionalPicture(s, "mask picture");
  if (content.InnerVersion == 2) {
    ReadOptionalPicture(s, "first extra picture of version 2");
    ReadOptionalPicture(s, "second extra picture of version 2");
  }
  const int32_t count = ReadContentInt(s, "picture count");
  if (count < 0) throw EReadError("skin content has a negative picture count (" + std::to_string(count) + ")");
  const int64_t remaining = s.Remaining();
  if (count > remaining / kMinBitmapFileSize)
    throw EReadError("skin content declares " + std::to_string(count) + " pictures but only " +
                     std::to_string(remaining) + " bytes follow");
  // One by one: a count that passes the check above may still run out early.
  for (int32_t i = 0; i < count; ++i)
    content.ActivePictures.push_back(Named("active picture " + std::to_string(i), [&] { return ReadBmp(s); }));
  const int64_t textSize = s.Remaining();
  content.IniText.resize(size_t(textSize));
  if (textSize > 0) s.ReadBuffer(content.IniText.data(), textSize);
  return content;
}

void WriteSkinContent(TStream& s, const TvxSkinPackageContent& content) {
  s.WriteInt32(kSkinContentVersion);
  WriteOptionalPicture(s, content.Picture);
  WriteOptionalPicture(s, content.InactivePicture);
  WriteOptionalPicture(s, content.MaskPicture);
  s.WriteInt32(int32_t(content.ActivePictures.size()));
  for (const TBmpImage& picture : content.ActivePictures) WriteBmp(s, picture);
  if (!content.IniText.empty()) s.WriteBuffer(content.IniText.data(), int64_t(content.IniText.size()));
}

TvxSkinPackageContent ReadSkinFolder(const std::string& iniFileName) {
  TStringList lines;
  lines.LoadFromFile(iniFileName);
  TMemIniFile ini(lines);
  const std::vector<std::string> missing = MissingSkinSections(ini);
  if (!missing.empty()) {
    std::string names;
    for (const std::string& m : missing) names += (names.empty() ? "[" : ", [") + m + "]";
    throw EReadError("'" + iniFileName + "' is not a skin: it lacks " + names);
  }
  const std::string folder = ExtractFilePath(iniFileName);
  TvxSkinPackageContent content;
  const std::pair<const char*, TBmpImage*> frame[] = {
      {"picture", &content.Picture}, {"inactivepicture", &content.InactivePicture}, {"mask", &content.MaskPicture}};
  for (const auto& [key, picture] : frame) {
    const std::string name = ini.ReadString("PICTURES", key, "");
    if (!name.empty()) *picture = LoadBitmapFile(folder + name, key);
  }
  TStringList names;
  ReadStrings(ini, "PICTURES", "activepictures", names);
  for (int i = 0; i < names.Count(); ++i) {
    const std::string what = "active picture " + std::to_string(i);
    if (names[i].empty()) throw EReadError(what + " has no file name in [PICTURES]");
    content.ActivePictures.push_back(LoadBitmapFile(folder + names[i], what));
  }
  content.IniText = lines.Text();
  return content;
}

std::vector<uint8_t> InflateSkinContent(const uint8_t* data, size_t size) {
  return ZDecompress(data, size, kMaxSkinContentSize);
}

}  // namespace vx
