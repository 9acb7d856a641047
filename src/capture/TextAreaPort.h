#pragma once
// The text area's whole text (CP932), the related text of web captures.

#include <string>

namespace plume::capture {

class TextAreaPort {
 public:
  virtual ~TextAreaPort() = default;
  virtual std::string WholeText() = 0;
};

}  // namespace plume::capture
