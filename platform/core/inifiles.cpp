#include "platform/core/inifiles.h"

#include <cstdio>
#include <list>
#include <unordered_map>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"

namespace vx {

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Case-insensitive (ASCII) hashing and equality, usable with string_view keys
// so that a lookup allocates nothing.
struct CaseHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const noexcept {
    size_t h = 1469598103934665603ull;  // FNV-1a
    for (char c : s) h = (h ^ static_cast<unsigned char>(FoldCase(c))) * 1099511628211ull;
    return h;
  }
};

struct CaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
  }
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

// One line of a section: a key with its value, or a line kept verbatim
// (comment, unreadable line, shadowed repeat of a key).
struct Entry {
  std::string key;
  std::string value;
  bool isKey = false;
};

struct IniSection {
  std::string name;
  std::list<Entry> entries;
  std::unordered_map<std::string, std::list<Entry>::iterator, CaseHash, CaseEqual> index;

  const Entry* Find(std::string_view key) const {
    auto it = index.find(key);
    return it == index.end() ? nullptr : &*it->second;
  }
};

struct TCustomIniFile::Model {
  std::list<std::string> preamble;
  std::list<IniSection> sections;
  std::unordered_map<std::string, std::list<IniSection>::iterator, CaseHash, CaseEqual> index;

  IniSection* Find(std::string_view name) {
    auto it = index.find(name);
    return it == index.end() ? nullptr : &*it->second;
  }
  const IniSection* Find(std::string_view name) const {
    auto it = index.find(name);
    return it == index.end() ? nullptr : &*it->second;
  }

  IniSection& Obtain(std::string_view name) {
    if (IniSection* s = Find(name)) return *s;
    sections.push_back(IniSection{std::string(name), {}, {}});
    auto it = std::prev(sections.end());
    index.emplace(it->name, it);
    return *it;
  }

  void Clear() {
    preamble.clear();
    index.clear();
    sections.clear();
  }

  void AddLine(IniSection* current, std::string_view raw) {
    std::string_view line = TrimView(raw);
    if (line.empty()) return;
    if (current == nullptr) {
      preamble.emplace_back(line);
      return;
    }
    Entry e;
    size_t eq = line.find('=');
    if (line.front() != ';' && eq != std::string_view::npos) {
      std::string_view key = TrimView(line.substr(0, eq));
      if (!key.empty()) {
        e.key = std::string(key);
        e.value = std::string(TrimView(line.substr(eq + 1)));
        e.isKey = true;
      }
    }
    if (!e.isKey) e.value = std::string(line);
    current->entries.push_back(std::move(e));
    auto it = std::prev(current->entries.end());
    if (it->isKey) current->index.emplace(it->key, it);  // no-op for a repeat: the first wins
  }

  void Parse(std::string_view text) {
    Clear();
    IniSection* current = nullptr;
    size_t start = 0, i = 0, n = text.size();
    auto line = [&](std::string_view raw) {
      std::string_view t = TrimView(raw);
      if (!t.empty() && t.front() == '[') {
        t.remove_prefix(1);
        size_t close = t.rfind(']');
        if (close != std::string_view::npos) t = t.substr(0, close);
        current = &Obtain(TrimView(t));
      } else {
        AddLine(current, raw);
      }
    };
    while (i < n) {
      char c = text[i];
      if (c == '\r' || c == '\n') {
        line(text.substr(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = ++i;
      } else {
        ++i;
      }
    }
    if (start < n) line(text.substr(start));
  }

  void Emit(TStrings& out) const {
    for (const auto& p : preamble) out.Add(p);
    bool first = preamble.empty();
    for (const auto& s : sections) {
      if (!first) out.Add("");
      first = false;
      out.Add("[" + s.name + "]");
      for (const auto& e : s.entries) out.Add(e.isKey ? e.key + "=" + e.value : e.value);
    }
  }
};

TCustomIniFile::TCustomIniFile(std::string fileName)
    : fileName_(std::move(fileName)), model_(std::make_unique<Model>()) {}

TCustomIniFile::~TCustomIniFile() = default;

std::string TCustomIniFile::ReadString(std::string_view section, std::string_view key,
                                       std::string_view def) const {
  const IniSection* s = model_->Find(section);
  const Entry* e = s ? s->Find(key) : nullptr;
  return e ? e->value : std::string(def);
}

int32_t TCustomIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const IniSection* s = model_->Find(section);
  const Entry* e = s ? s->Find(key) : nullptr;
  int32_t v;
  return e && TryStrToInt(e->value, v) ? v : def;
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string_view sec = TrimView(section);
  std::string_view k = TrimView(key);
  if (sec.empty() || HasLineBreak(sec) || sec.find(']') != std::string_view::npos) {
    throw EIniFileException("Invalid INI section name \"" + std::string(section) + "\"");
  }
  if (k.empty() || HasLineBreak(k) || k.find('=') != std::string_view::npos || k.front() == ';' ||
      k.front() == '[') {
    throw EIniFileException("Invalid INI key name \"" + std::string(key) + "\" in section [" +
                            std::string(section) + "]");
  }
  if (HasLineBreak(value)) {
    throw EIniFileException("INI value of \"" + std::string(key) + "\" in section [" + std::string(section) +
                            "] holds a line break");
  }
  IniSection& s = model_->Obtain(sec);
  auto it = s.index.find(k);
  if (it != s.index.end()) {
    it->second->value = std::string(value);
  } else {
    s.entries.push_back(Entry{std::string(k), std::string(value), true});
    auto e = std::prev(s.entries.end());
    s.index.emplace(e->key, e);
  }
  Modified();
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, IntToStr(value));
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(std::string_view section) const { return model_->Find(section) != nullptr; }

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view key) const {
  const IniSection* s = model_->Find(section);
  return s && s->Find(key);
}

void TCustomIniFile::ReadSection(std::string_view section, TStrings& keys) const {
  keys.BeginUpdate();
  keys.Clear();
  if (const IniSection* s = model_->Find(section)) {
    for (const auto& e : s->entries) {
      if (e.isKey && s->Find(e.key) == &e) keys.Add(e.key);
    }
  }
  keys.EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings& sections) const {
  sections.BeginUpdate();
  sections.Clear();
  for (const auto& s : model_->sections) sections.Add(s.name);
  sections.EndUpdate();
}

void TCustomIniFile::ReadSectionValues(std::string_view section, TStrings& lines) const {
  lines.BeginUpdate();
  lines.Clear();
  if (const IniSection* s = model_->Find(section)) {
    for (const auto& e : s->entries) {
      if (e.isKey && s->Find(e.key) == &e) lines.Add(e.key + "=" + e.value);
    }
  }
  lines.EndUpdate();
}

void TCustomIniFile::EraseSection(std::string_view section) {
  auto it = model_->index.find(section);
  if (it == model_->index.end()) return;
  auto sec = it->second;
  model_->index.erase(it);
  model_->sections.erase(sec);
  Modified();
}

void TCustomIniFile::DeleteKey(std::string_view section, std::string_view key) {
  IniSection* s = model_->Find(section);
  if (!s || !s->Find(key)) return;
  CaseEqual eq;
  s->index.erase(s->index.find(key));
  s->entries.remove_if([&](const Entry& e) { return e.isKey && eq(e.key, key); });
  Modified();
}

void TCustomIniFile::GetStrings(TStrings& lines) const {
  lines.BeginUpdate();
  lines.Clear();
  model_->Emit(lines);
  lines.EndUpdate();
}

std::string TCustomIniFile::GetText() const {
  TStringList l;
  GetStrings(l);
  return l.Text();
}

void TCustomIniFile::SetStrings(const TStrings& lines) {
  model_->Clear();
  // Joined with LF and parsed exactly as text would be.
  std::string text;
  for (int i = 0, n = lines.Count(); i < n; ++i) {
    text += lines.Get(i);
    text += '\n';
  }
  model_->Parse(text);
  Modified();
}

void TCustomIniFile::SetText(std::string_view text) {
  model_->Parse(text);
  Modified();
}

void TCustomIniFile::Clear() {
  model_->Clear();
  Modified();
}

void TCustomIniFile::UpdateFile() {
  if (fileName_.empty()) return;
  TStringList l;
  GetStrings(l);
  l.SaveToFile(fileName_);
}

void TCustomIniFile::LoadFromFileIfPresent() {
  if (fileName_.empty() || !FileExists(fileName_)) return;
  TMemoryStream m;
  m.LoadFromFile(fileName_);
  model_->Parse(std::string_view(reinterpret_cast<const char*>(m.Memory()), size_t(m.Size())));
}

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) { LoadFromFileIfPresent(); }

TMemIniFile::TMemIniFile(const TStrings& lines) : TCustomIniFile(std::string()) { SetStrings(lines); }

// ---- TIniFile ----

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) { LoadFromFileIfPresent(); }

TIniFile::~TIniFile() {
  if (!dirty_) return;
  try {
    UpdateFile();
  } catch (const Exception&) {
    // A destructor cannot report it; the changing calls did while they could.
  }
}

void TIniFile::Modified() {
  if (updateCount_ > 0) {
    dirty_ = true;
    return;
  }
  UpdateFile();
}

void TIniFile::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && dirty_) UpdateFile();
}

void TIniFile::UpdateFile() {
  if (FileName().empty()) return;
  std::string tmp = FileName() + ".tmp";
  {
    TStringList l;
    GetStrings(l);
    l.SaveToFile(tmp);
  }
  if (std::rename(tmp.c_str(), FileName().c_str()) != 0) {
    std::remove(tmp.c_str());
    throw EWriteError("Cannot replace file \"" + FileName() + "\"");
  }
  dirty_ = false;
}

}  // namespace vx
