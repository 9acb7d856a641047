#pragma once
// What the common tail of a registration records of its material.

#include <filesystem>
#include <optional>
#include <string>

#include "capture/InsertionPoint.h"
#include "document/NodePicturePort.h"

namespace plume::capture {

struct MaterialRecord {
  /// A record of a material whose node goes at `where`.
  explicit MaterialRecord(InsertionPoint where) : at(where) {}

  /// The type of the file stored: the information file's ext, which the search lists, and the node's type.
  std::string type;
  int width = 0;
  int height = 0;
  std::string size = "0";
  std::string sha256;
  std::string getFrom;  ///< empty: the address of the page on show
  std::string title;    ///< empty: the page title
  std::optional<document::NodePicture> picture;
  InsertionPoint at;

  /// A dropped file's record: titled with its file name, got from its file: address.
  void NameAfterFile(const std::filesystem::path& file);
};

}  // namespace plume::capture
