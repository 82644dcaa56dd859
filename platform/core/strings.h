// String lists. TStrings is the abstract list the framework's controls expose;
// TStringList holds its own strings. Text uses CR LF between lines; SetText
// accepts CR LF, CR or LF.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes.h"

namespace vx {

class TStream;

class TStrings : public TPersistent {
 public:
  // Storage, supplied by the concrete list. Index errors throw EListError.
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s) = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // An untyped pointer carried with each string; lists without storage for it
  // return nullptr and ignore stores.
  virtual void* Objects(int index) const;
  virtual void SetObjects(int index, void* object);

  std::string operator[](int index) const { return Get(index); }
  std::string Strings(int index) const { return Get(index); }

  // Appends and returns the new index.
  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, void* object);
  void AddStrings(const TStrings& other);
  // First index whose string equals s ignoring ASCII case, or -1.
  virtual int IndexOf(std::string_view s) const;
  void Move(int from, int to);
  void Exchange(int a, int b);

  // "name=value" entries.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  int IndexOfName(std::string_view name) const;
  std::string Values(std::string_view name) const;
  // Sets the value of name; an empty value deletes the entry.
  void SetValues(std::string_view name, const std::string& value);

  // Each line followed by CR LF.
  std::string Text() const;
  // Replaces the content. Lines end with CR LF, CR or LF; a final line end does
  // not start another (empty) line.
  void SetText(std::string_view text);
  std::string CommaText() const;

  void LoadFromStream(TStream& stream);  // from the position to the end
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  // Nested calls; derived lists may defer change work until the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Assign(const TPersistent* source) override;
  bool Equals(const TStrings& other) const;

 protected:
  virtual void SetUpdateState(bool /*updating*/) {}
  void CheckIndex(int index, int limit) const;

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items);

  int Count() const override { return int(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void* Objects(int index) const override;
  void SetObjects(int index, void* object) override;
  int Add(const std::string& s) override;
  int IndexOf(std::string_view s) const override;

  // Sorted lists keep ascending order (ASCII case ignored) and Add inserts in
  // place; Put and Insert on a sorted list throw EListError.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  void Sort();
  // Binary search in a sorted list: true and the index when found, else the
  // insertion index.
  bool Find(std::string_view s, int& index) const;

  // Fires after every change outside BeginUpdate/EndUpdate, and once at the
  // outermost EndUpdate when something changed inside it.
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  struct Item {
    std::string text;
    void* object = nullptr;
  };
  void Changed();
  std::vector<Item> items_;
  bool sorted_ = false;
  bool pendingChange_ = false;
};

}  // namespace vx
