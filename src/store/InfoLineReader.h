#pragma once
// Reads tagged values from the lines of an information file. The file is not
// parsed as XML: a line holds a tag when, after its leading blanks and tabs,
// it starts with "<tag>"; the value runs from there to the next "</".

#include <istream>
#include <string>
#include <string_view>

namespace plume::store {

class InfoLineReader {
 public:
  /// Most lines one read looks at.
  static constexpr int kLineLimit = 1000;

  explicit InfoLineReader(std::istream& in) : in_(in) {}

  /// The value of the n-th line (n from 1) holding `tag`, counted from the
  /// current position; reads at most kLineLimit lines and stays after the
  /// last line read. Empty when not found.
  std::string ReadTag(std::string_view tag, int n = 1);
  /// The last non-empty value of `tag` within kLineLimit lines from here.
  std::string ReadLastNonEmpty(std::string_view tag);
  /// Back to the start of the file.
  void Rewind();

  /// One line without its line end (LF, or CR LF); false at the end of the file.
  bool NextLine(std::string& line);
  /// Whether `line` holds `tag`, and its value when it does.
  static bool LineValue(std::string_view line, std::string_view tag, std::string& value);
  /// Whether `line`, after leading blanks and tabs, starts with `text`.
  static bool LineStartsWith(std::string_view line, std::string_view text);

 private:
  std::istream& in_;
};

}  // namespace plume::store
