// The string table: the texts the toolkit itself shows (system menu items,
// caption button hints, message box buttons, dialog labels), as KEY=Text lines
// that a program may replace. Consumers ask it through the skin data's
// ResourceStrData and use their built-in text only when none is linked.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/classes.h"
#include "platform/core/strings.h"

namespace vx {

class TvxResourceStrData : public TComponent {
 public:
  explicit TvxResourceStrData(TComponent* owner);
  ~TvxResourceStrData() override;

  // Lines KEY=Text; the key ends at the first '=', the text may hold more '='.
  TStringList& ResStrings() { return resStrings_; }
  const TStringList& ResStrings() const { return resStrings_; }
  // Copies the lines.
  void SetResStrings(const TStrings& lines);

  // Character set given to fonts of texts taken from the table; 1 is the
  // platform's default character set.
  int CharSet() const { return charSet_; }
  void SetCharSet(int charSet) { charSet_ = charSet; }

  // The text of the first line whose key equals Key without regard to ASCII
  // letter case; empty when no line has that key.
  std::string GetResStr(std::string_view key) const;

  // The built-in lines a new table starts with, in order.
  static const char* const kDefaultLines[];
  static const int kDefaultLineCount;

 private:
  TStringList resStrings_;
  int charSet_ = 1;
};

}  // namespace vx
