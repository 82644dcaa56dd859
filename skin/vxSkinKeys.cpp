#include "skin/vxSkinKeys.h"

#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "skin/vxSkinValues.h"

namespace vx::skinkeys {

void Read(TCustomIniFile& ini, const std::string& s, const char* k, int32_t& v, int32_t def) {
  v = ini.ReadInteger(s, k, def);
}
void Read(TCustomIniFile& ini, const std::string& s, const char* k, bool& v) { v = ReadBoolean(ini, s, k); }
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TRect& v) { v = ReadRect(ini, s, k); }
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TPoint& v) { v = ReadPoint(ini, s, k); }
void Read(TCustomIniFile& ini, const std::string& s, const char* k, std::string& v, const char* def) {
  v = ini.ReadString(s, k, def);
}
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TFontStyles& v) {
  v = ReadFontStyles(ini, s, k);
}
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TAlignment& v) { v = ReadAlignment(ini, s, k); }
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TvxStretchType& v) {
  v = ReadStretchType(ini, s, k);
}
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TvxMorphKind& v) {
  v = ReadMorphKind(ini, s, k);
}
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TvxImageEffect& v) {
  v = ReadImageEffect(ini, s, k);
}

// The six command keywords read by their ordinal; every other text, the
// written "cmminimizetotray" included, is minimize to tray.
void Read(TCustomIniFile& ini, const std::string& s, const char* k, TvxSkinCommand& v) {
  static const char* const kWords[] = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup"};
  const std::string text = ini.ReadString(s, k, "cmdefault");
  v = cmMinimizeToTray;
  for (int i = 0; i < 6; ++i)
    if (text == kWords[i]) v = TvxSkinCommand(i);
}

void Write(TCustomIniFile& ini, const std::string& s, const char* k, int32_t v) { ini.WriteInteger(s, k, v); }
void Write(TCustomIniFile& ini, const std::string& s, const char* k, bool v) { WriteBoolean(ini, s, k, v); }
void Write(TCustomIniFile& ini, const std::string& s, const char* k, const TRect& v) { WriteRect(ini, s, k, v); }
void Write(TCustomIniFile& ini, const std::string& s, const char* k, const TPoint& v) { WritePoint(ini, s, k, v); }
void Write(TCustomIniFile& ini, const std::string& s, const char* k, const std::string& v) {
  ini.WriteString(s, k, v);
}
void Write(TCustomIniFile& ini, const std::string& s, const char* k, TFontStyles v) {
  WriteFontStyles(ini, s, k, v);
}
void Write(TCustomIniFile& ini, const std::string& s, const char* k, TAlignment v) { WriteAlignment(ini, s, k, v); }
void Write(TCustomIniFile& ini, const std::string& s, const char* k, TvxStretchType v) {
  WriteStretchType(ini, s, k, v);
}
void Write(TCustomIniFile& ini, const std::string& s, const char* k, TvxMorphKind v) {
  WriteMorphKind(ini, s, k, v);
}
void Write(TCustomIniFile& ini, const std::string& s, const char* k, TvxSkinCommand v) {
  static const char* const kWords[] = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                       "cmdefault", "cmrollup",   "cmminimizetotray"};
  const int i = int(v);
  ini.WriteString(s, k, kWords[i >= 0 && i <= 6 ? i : 4]);
}
void Write(TCustomIniFile&, const std::string& s, const char* k, TvxImageEffect) {
  throw Exception("the image effect of [" + s + "] " + k + " has no written form");
}

void EraseSection(TCustomIniFile& ini, const std::string& section) { ini.EraseSection(section); }

}  // namespace vx::skinkeys
