#include "platform/core/strings.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "platform/core/sysutils.h"

namespace vx {

// ---- TStrings ----

void TStrings::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
}

void* TStrings::Objects(int index) const {
  CheckIndex(index, Count());
  return nullptr;
}

void TStrings::SetObjects(int index, void*) { CheckIndex(index, Count()); }

int TStrings::Add(const std::string& s) {
  int i = Count();
  Insert(i, s);
  return i;
}

int TStrings::AddObject(const std::string& s, void* object) {
  int i = Add(s);
  SetObjects(i, object);
  return i;
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  try {
    int n = other.Count();  // fixed first: other may be this list
    for (int i = 0; i < n; ++i) AddObject(other.Get(i), other.Objects(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    if (SameText(Get(i), s)) return i;
  }
  return -1;
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  CheckIndex(from, Count());
  CheckIndex(to, Count());
  std::string s = Get(from);
  void* o = Objects(from);
  BeginUpdate();
  Delete(from);
  Insert(to, s);
  SetObjects(to, o);
  EndUpdate();
}

void TStrings::Exchange(int a, int b) {
  CheckIndex(a, Count());
  CheckIndex(b, Count());
  std::string sa = Get(a), sb = Get(b);
  void *oa = Objects(a), *ob = Objects(b);
  BeginUpdate();
  Put(a, sb);
  SetObjects(a, ob);
  Put(b, sa);
  SetObjects(b, oa);
  EndUpdate();
}

std::string TStrings::Names(int index) const {
  std::string s = Get(index);
  size_t p = s.find('=');
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int index) const {
  std::string s = Get(index);
  size_t p = s.find('=');
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    std::string s = Get(i);
    size_t p = s.find('=');
    if (p != std::string::npos && SameText(std::string_view(s).substr(0, p), name)) return i;
  }
  return -1;
}

std::string TStrings::Values(std::string_view name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(std::string_view name, const std::string& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  std::string line = std::string(name) + "=" + value;
  if (i < 0) {
    Add(line);
  } else {
    Put(i, line);
  }
}

std::string TStrings::Text() const {
  std::string r;
  for (int i = 0, n = Count(); i < n; ++i) {
    r += Get(i);
    r += "\r\n";
  }
  return r;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  try {
    Clear();
    size_t start = 0, i = 0, n = text.size();
    while (i < n) {
      char c = text[i];
      if (c == '\r' || c == '\n') {
        Add(std::string(text.substr(start, i - start)));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = ++i;
      } else {
        ++i;
      }
    }
    if (start < n) Add(std::string(text.substr(start)));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string r;
  for (int i = 0, n = Count(); i < n; ++i) {
    if (i) r += ',';
    std::string s = Get(i);
    bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
    if (!quote) {
      r += s;
      continue;
    }
    r += '"';
    for (char c : s) {
      if (c == '"') r += '"';
      r += c;
    }
    r += '"';
  }
  return r;
}

void TStrings::LoadFromStream(TStream& stream) {
  int64_t n = stream.Remaining();
  std::string text(size_t(n), '\0');
  stream.ReadBuffer(text.data(), n);
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string t = Text();
  stream.WriteBuffer(t.data(), int64_t(t.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead);
  LoadFromStream(f);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* source) {
  if (auto* src = dynamic_cast<const TStrings*>(source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      AddStrings(*src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings& other) const {
  int n = Count();
  if (n != other.Count()) return false;
  for (int i = 0; i < n; ++i) {
    if (Get(i) != other.Get(i)) return false;
  }
  return true;
}

// ---- TStringList ----

TStringList::TStringList(std::initializer_list<std::string> items) {
  for (const auto& s : items) items_.push_back({s, nullptr});
}

std::string TStringList::Get(int index) const {
  CheckIndex(index, Count());
  return items_[size_t(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  CheckIndex(index, Count());
  items_[size_t(index)].text = s;
  Changed();
}

void TStringList::Insert(int index, const std::string& s) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  CheckIndex(index, Count() + 1);
  items_.insert(items_.begin() + index, Item{s, nullptr});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void* TStringList::Objects(int index) const {
  CheckIndex(index, Count());
  return items_[size_t(index)].object;
}

void TStringList::SetObjects(int index, void* object) {
  CheckIndex(index, Count());
  items_[size_t(index)].object = object;
}

int TStringList::Add(const std::string& s) {
  if (!sorted_) {
    items_.push_back({s, nullptr});
    Changed();
    return Count() - 1;
  }
  int at;
  Find(s, at);
  // Insert after equal entries so that equal strings keep their adding order.
  while (at < Count() && CompareText(items_[size_t(at)].text, s) == 0) ++at;
  items_.insert(items_.begin() + at, Item{s, nullptr});
  Changed();
  return at;
}

int TStringList::IndexOf(std::string_view s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int i;
  return Find(s, i) ? i : -1;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; });
  Changed();
}

bool TStringList::Find(std::string_view s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareText(items_[size_t(mid)].text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

void TStringList::SetUpdateState(bool updating) {
  if (!updating && pendingChange_) {
    pendingChange_ = false;
    if (OnChange) OnChange(this);
  }
}

void TStringList::Changed() {
  if (UpdateCount() > 0) {
    pendingChange_ = true;
    return;
  }
  if (OnChange) OnChange(this);
}

}  // namespace vx
