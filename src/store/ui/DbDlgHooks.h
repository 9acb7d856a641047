#pragma once
// What the material search dialog and the material property dialog need of
// the main window: the HTML area, the text area and the chart.

#include <functional>
#include <string>
#include <vector>

#include "store/MaterialPick.h"

class QTextEdit;

namespace plume::store {

namespace index {
class IndexService;
}

struct DbDlgHooks {
  /// Shows an address (CP932) in the HTML area; may be empty (nothing shown).
  std::function<void(const std::string& address)> navigate;
  /// Paste mode: creates a node for each pick, in order, at the chart's insertion point.
  std::function<PickPasteResult(const std::vector<MaterialPick>& picks)> paste;
  /// The main window's text area for the related text dialog; may be null.
  QTextEdit* textArea = nullptr;
  /// The material index: searches go through it once it is current; null: the dialog scans.
  index::IndexService* index = nullptr;
};

}  // namespace plume::store
