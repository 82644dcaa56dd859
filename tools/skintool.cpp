#include "tools/skintool.h"

#include <filesystem>
#include <map>
#include <new>
#include <ostream>

#include "platform/codecs/bmp.h"
#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"
#include "skin/vxSkinPackage.h"
#include "skin/vxSkinValues.h"
#include "skin/vxStoredSkin.h"
#include "tools/skintool_preview.h"
#include "tools/skintool_validate.h"

namespace vx::skintool {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: skintool pack <skin.ini> <out.skn>\n"
    "       skintool unpack <in.skn> <folder>\n"
    "       skintool info <in.skn | skin.ini>\n"
    "       skintool validate <in.skn | skin.ini>\n"
    "       skintool render <in.skn | skin.ini> <out.png>\n"
    "       skintool preview <in.skn | skin.ini> <out.png> [--size WxH] [--inactive] [--maximized]\n";

// A failure of a command, reported as "skintool: <message>".
struct Failure {
  std::string message;
};

std::string Describe(const TBmpImage& picture) {
  return std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + ", " +
         std::to_string(picture.BitCount) + "-bit";
}

std::vector<std::string> ActivePictureNames(const TCustomIniFile& ini) {
  TStringList list;
  ReadStrings(ini, "PICTURES", "activepictures", list);
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
  return names;
}

bool IsIniFileName(const std::string& path) { return SameText(ExtractFileExt(path), ".ini"); }

// A package read from a file, with its outer header for reporting.
struct LoadedPackage {
  int32_t outerVersion = 0;
  int64_t fileSize = 0;
  int64_t compressedSize = 0;
  int64_t inflatedSize = 0;
  TvxSkinPackageContent content;
};

LoadedPackage LoadPackage(const std::string& path) {
  LoadedPackage p;
  TFileStream file(path, fmOpenRead);
  p.fileSize = file.Size();
  if (p.fileSize >= 4) p.outerVersion = file.ReadInt32();
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromCompressedStream(file);
  if (stored.IsEmpty())
    throw Failure{"'" + path + "' is not a skin package this tool reads: its version field is " +
                  std::to_string(p.outerVersion) + " (supported: up to " + std::to_string(kSkinPackageVersion) + ")"};
  p.compressedSize = int64_t(stored.CompressedData().Bytes().size());
  TMemoryStream inflated;
  stored.DecompressToStream(inflated);
  p.inflatedSize = inflated.Size();
  inflated.SetPosition(0);
  p.content = ReadSkinContent(inflated);
  return p;
}

void CheckSkinIni(const std::string& iniPath) {
  TStringList lines;
  lines.LoadFromFile(iniPath);
  const std::vector<std::string> missing = MissingSkinSections(TMemIniFile(lines));
  if (missing.empty()) return;
  std::string list;
  for (const std::string& m : missing) list += (list.empty() ? "[" : ", [") + m + "]";
  throw Failure{"'" + iniPath + "' is not a skin INI file: it lacks " + list};
}

// Writes bytes to path through a temporary file, so that a failure leaves no
// half-written file behind.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string temp = path + ".tmp";
  {
    TFileStream f(temp, fmCreate);
    if (!bytes.empty()) f.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) {
    fs::remove(temp);
    throw Failure{"cannot write '" + path + "': " + ec.message()};
  }
}

int Pack(const std::string& iniPath, const std::string& outPath, std::ostream& out) {
  CheckSkinIni(iniPath);
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromIniFile(iniPath);
  TMemoryStream package;
  stored.SaveToCompressedStream(package);
  // Decode what was written: a package this tool makes must read back.
  const TvxSkinPackageContent content = stored.ReadContent();
  WriteFileAtomically(outPath, package.Bytes());
  out << "packed '" << iniPath << "' into '" << outPath << "': " << content.ActivePictures.size()
      << " active pictures, " << content.IniText.size() << " bytes of INI text, " << package.Size()
      << " bytes\n";
  return 0;
}

std::vector<uint8_t> EncodeBmp(const TBmpImage& picture) {
  TMemoryStream m;
  WriteBmp(m, picture);
  return m.Bytes();
}

int Unpack(const std::string& packagePath, const std::string& folder, std::ostream& out, std::ostream& err) {
  const LoadedPackage package = LoadPackage(packagePath);
  const TvxSkinPackageContent& content = package.content;
  TMemIniFile ini;
  ini.SetText(content.IniText);

  // Every file is named and checked before anything is written.
  std::map<std::string, std::vector<uint8_t>> files;
  auto addPicture = [&](const std::string& name, const TBmpImage& picture, const std::string& what) {
    if (name.empty()) throw Failure{"the package holds the " + what + " but [PICTURES] gives it no file name"};
    if (!IsSafePictureName(name))
      throw Failure{"refusing the file name '" + name + "' of the " + what + ": it would leave the folder"};
    // "a.bmp" and "./a.bmp" are one file.
    const std::string file = fs::path(name).lexically_normal().generic_string();
    if (SameText(file, kUnpackedIniName))
      throw Failure{"the file name '" + name + "' of the " + what + " is the name of the INI file"};
    std::vector<uint8_t> bytes = EncodeBmp(picture);
    auto [it, inserted] = files.emplace(file, std::move(bytes));
    if (!inserted && it->second != EncodeBmp(picture))
      throw Failure{"two different pictures share the file name '" + name + "'"};
  };
  const std::pair<const char*, const TBmpImage*> frame[] = {{"picture", &content.Picture},
                                                            {"inactivepicture", &content.InactivePicture},
                                                            {"mask", &content.MaskPicture}};
  for (const auto& [key, picture] : frame) {
    const std::string name = ini.ReadString("PICTURES", key, "");
    if (!picture->Empty()) {
      addPicture(name, *picture, std::string(key) + " picture");
    } else if (!name.empty()) {
      err << "skintool: warning: [PICTURES] " << key << "=" << name << " but the package holds no such picture\n";
    }
  }
  const std::vector<std::string> names = ActivePictureNames(ini);
  if (names.size() < content.ActivePictures.size())
    throw Failure{"the package holds " + std::to_string(content.ActivePictures.size()) +
                  " active pictures but [PICTURES] names only " + std::to_string(names.size())};
  if (names.size() > content.ActivePictures.size())
    err << "skintool: warning: [PICTURES] names " << names.size() << " active pictures but the package holds "
        << content.ActivePictures.size() << "\n";
  for (size_t i = 0; i < content.ActivePictures.size(); ++i)
    addPicture(names[i], content.ActivePictures[i], "active picture " + std::to_string(i));

  const fs::path dir(folder);
  fs::create_directories(dir);
  const fs::path root = fs::canonical(dir);
  for (const auto& [name, bytes] : files) {
    const fs::path target = dir / name;
    fs::create_directories(target.parent_path());
    // A subfolder that is a link to elsewhere must not carry a picture out.
    const fs::path parent = fs::canonical(target.parent_path());
    const auto rel = parent.lexically_relative(root);
    if (rel.empty() || *rel.begin() == "..")
      throw Failure{"refusing the file name '" + name + "': its folder leads out of '" + folder + "'"};
    WriteFileAtomically(target.string(), bytes);
  }
  WriteFileAtomically((dir / kUnpackedIniName).string(),
                      std::vector<uint8_t>(content.IniText.begin(), content.IniText.end()));
  out << "unpacked '" << packagePath << "' into '" << folder << "': " << files.size() << " bitmap files and "
      << kUnpackedIniName << "\n";
  return 0;
}

void PrintPictures(std::ostream& out, const TCustomIniFile& ini, const TBmpImage& picture,
                   const TBmpImage& inactive, const TBmpImage& mask, const std::vector<TBmpImage>& active) {
  const std::pair<const char*, const TBmpImage*> frame[] = {
      {"picture", &picture}, {"inactivepicture", &inactive}, {"mask", &mask}};
  for (const auto& [key, p] : frame) {
    out << key << ": ";
    if (p->Empty())
      out << "absent\n";
    else
      out << ini.ReadString("PICTURES", key, "") << " (" << Describe(*p) << ")\n";
  }
  const std::vector<std::string> names = ActivePictureNames(ini);
  out << "active pictures: " << active.size() << "\n";
  for (size_t i = 0; i < active.size(); ++i)
    out << "  " << i << ": " << (i < names.size() ? names[i] : std::string("(unnamed)")) << " ("
        << Describe(active[i]) << ")\n";
}

void PrintIniFigures(std::ostream& out, const std::string& iniText) {
  TMemIniFile ini;
  ini.SetText(iniText);
  out << "INI text: " << iniText.size() << " bytes\n";
  out << "[SKINOBJECTS] entries: " << ini.ReadInteger("SKINOBJECTS", "count", 0) << "\n";
  out << "[SKINCONTROLS] entries: " << ini.ReadInteger("SKINCONTROLS", "count", 0) << "\n";
}

int Info(const std::string& path, std::ostream& out) {
  if (IsIniFileName(path)) {
    CheckSkinIni(path);
    const TvxSkinPackageContent content = ReadSkinFolder(path);
    TMemIniFile ini;
    ini.SetText(content.IniText);
    out << "skin folder: " << path << "\n";
    PrintPictures(out, ini, content.Picture, content.InactivePicture, content.MaskPicture, content.ActivePictures);
    PrintIniFigures(out, content.IniText);
    return 0;
  }
  const LoadedPackage p = LoadPackage(path);
  TMemIniFile ini;
  ini.SetText(p.content.IniText);
  out << "skin package: " << path << " (" << p.fileSize << " bytes)\n";
  out << "outer version: " << p.outerVersion << "\n";
  out << "compressed data: " << p.compressedSize << " bytes\n";
  out << "inflated content: " << p.inflatedSize << " bytes\n";
  out << "inner version: " << p.content.InnerVersion << "\n";
  PrintPictures(out, ini, p.content.Picture, p.content.InactivePicture, p.content.MaskPicture,
                p.content.ActivePictures);
  PrintIniFigures(out, p.content.IniText);
  return 0;
}

}  // namespace

bool IsSafePictureName(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return false;
  if (name[0] == '/' || name[0] == '\\') return false;
  if (name.size() >= 2 && name[1] == ':') return false;  // a drive letter
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    if (name.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

namespace {

// preview takes options after its two paths, so it checks its own arguments.
int RunPreview(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PreviewOptions options;
  std::string error;
  if (args.size() < 3 || !ParsePreviewOptions({args.begin() + 3, args.end()}, options, error)) {
    err << "skintool: " << (error.empty() ? "preview takes a skin and a PNG path" : error) << "\n" << kUsage;
    return 2;
  }
  try {
    return Preview(args[1], args[2], options, out);
  } catch (const Exception& e) {
    err << "skintool: " << e.what() << "\n";
  } catch (const std::bad_alloc&) {
    err << "skintool: out of memory\n";
  }
  return 1;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? "" : args[0];
  if (command == "preview") return RunPreview(args, out, err);
  const size_t wanted = (command == "info" || command == "validate") ? 2
                        : (command == "pack" || command == "unpack" || command == "render") ? 3
                                                                                             : 0;
  if (wanted == 0 || args.size() != wanted) {
    if (!command.empty() && wanted == 0) err << "skintool: unknown command '" << command << "'\n";
    else if (!command.empty()) err << "skintool: " << command << " takes " << wanted - 1 << " arguments\n";
    err << kUsage;
    return 2;
  }
  try {
    if (command == "pack") return Pack(args[1], args[2], out);
    if (command == "unpack") return Unpack(args[1], args[2], out, err);
    if (command == "validate") return Validate(args[1], out);
    if (command == "render") return Render(args[1], args[2], out);
    return Info(args[1], out);
  } catch (const Failure& f) {
    err << "skintool: " << f.message << "\n";
  } catch (const Exception& e) {
    err << "skintool: " << e.what() << "\n";
  } catch (const fs::filesystem_error& e) {
    err << "skintool: " << e.what() << "\n";
  } catch (const std::bad_alloc&) {
    err << "skintool: out of memory\n";
  }
  return 1;
}

}  // namespace vx::skintool
