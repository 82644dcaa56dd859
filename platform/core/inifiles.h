// INI files: one parser and one in-memory model behind TCustomIniFile, with an
// in-memory variant (TMemIniFile) and a file-backed one (TIniFile).
//
// Reading rules:
// - Sections and keys are matched without regard to ASCII letter case; lookups
//   go through hash maps, so a read costs O(1) whatever the size of the text.
// - Lines end with CR LF, CR or LF. Blanks (spaces, tabs, control characters)
//   around a line, a section name, a key and a value are dropped.
// - "[name]" starts a section. A line whose first non-blank character is ';'
//   is a comment. "key=value" splits at the first '='; a value keeps any
//   further '=' and inner blanks. No quote processing.
// - A key repeated in one section: the first occurrence wins. A section
//   header repeated: its keys join the first section of that name.
// - Lines before the first section, comments and lines that are neither key
//   nor header are not readable as keys but are kept and written back in place
//   (a repeated key is written back too). Blank lines are not kept; one blank
//   line separates sections in the written text.
// Writing: a new section goes to the end, a new key to the end of its section,
// an existing key keeps its place. ReadInteger is ReadString with an empty
// default followed by TryStrToInt (see sysutils.h); anything that does not
// convert, an empty value and a missing key give Default.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vx {

class TStrings;

class TCustomIniFile {
 public:
  virtual ~TCustomIniFile();
  TCustomIniFile(const TCustomIniFile&) = delete;
  TCustomIniFile& operator=(const TCustomIniFile&) = delete;

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // True when ReadInteger(section, key, def ? 1 : 0) is not 0.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  // Throw EIniFileException for a section or key that a line cannot hold (empty,
  // a line break, '=' in a key, ']' in a section) and for a value with a line break.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // Replace the content of list with the key names of a section (in order), the
  // section names (in order), or "key=value" lines.
  void ReadSection(std::string_view section, TStrings& keys) const;
  void ReadSections(TStrings& sections) const;
  void ReadSectionValues(std::string_view section, TStrings& lines) const;
  void EraseSection(std::string_view section);
  // Removes every occurrence of the key in the section.
  void DeleteKey(std::string_view section, std::string_view key);

  // The whole model as lines, as it would be written to a file.
  void GetStrings(TStrings& lines) const;
  std::string GetText() const;
  // Replace the whole model by parsing lines or text.
  void SetStrings(const TStrings& lines);
  void SetText(std::string_view text);
  void Clear();

  // Writes the model to FileName (nothing when FileName is empty).
  virtual void UpdateFile();

 protected:
  explicit TCustomIniFile(std::string fileName);
  // Called after every change of the model.
  virtual void Modified() {}
  // Reads FileName into the model when the file exists.
  void LoadFromFileIfPresent();

 private:
  struct Model;
  std::string fileName_;
  std::unique_ptr<Model> model_;
};

// An INI file held in memory. Filled from a file (when FileName names an
// existing one), from lines or from text; UpdateFile writes it to FileName.
class TMemIniFile : public TCustomIniFile {
 public:
  explicit TMemIniFile(std::string fileName = std::string());
  explicit TMemIniFile(const TStrings& lines);
};

// An INI file on disk. The file is read once, when the object is made (a
// missing file is an empty INI file). Every change writes the whole file back
// at once (through a temporary file and a rename), except between BeginUpdate
// and EndUpdate, where the outermost EndUpdate writes once. Write errors throw
// EFOpenError / EWriteError from the changing call. Changes still pending when
// the object is destroyed (an update left open) are written then, errors
// ignored.
class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(std::string fileName);
  ~TIniFile() override;
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  void UpdateFile() override;

 protected:
  void Modified() override;

 private:
  int updateCount_ = 0;
  bool dirty_ = false;
};

}  // namespace vx
