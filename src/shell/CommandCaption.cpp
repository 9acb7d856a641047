#include "shell/CommandCaption.h"

#include <cctype>

namespace plume::shell {

bool CaptionNamesItsShortcut(std::string_view caption) {
  for (std::size_t open = caption.find('('); open != std::string_view::npos; open = caption.find('(', open + 1)) {
    const std::string_view inside = caption.substr(open + 1);
    for (std::string_view modifier : {"Ctrl+", "Shift+", "Alt+"})
      if (inside.starts_with(modifier)) return true;
    // A function key: F, one or two digits, the closing parenthesis.
    if (inside.size() >= 3 && inside[0] == 'F' && std::isdigit(static_cast<unsigned char>(inside[1]))) {
      const std::size_t close = std::isdigit(static_cast<unsigned char>(inside[2])) ? 3 : 2;
      if (close < inside.size() && inside[close] == ')') return true;
    }
  }
  return false;
}

}  // namespace plume::shell
