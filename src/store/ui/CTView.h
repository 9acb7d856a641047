#pragma once
// The text area of the main window: the text of what the HTML area shows,
// which the user searches, copies and stores as a material's related text.
// Its context menu opens on right-button release; the frame runs the menu's
// commands and tells their state.

#include <QTextEdit>

#include <functional>
#include <string>

#include "commands/CommandTable.h"

class QMenu;

namespace plume::store {

/// The commands of the text area's context menu.
namespace text_area_command {
using commands::CommandId;
inline constexpr int kCopy = commands::Id(CommandId::ID_TEXT_COPY);             ///< copy the selection
inline constexpr int kPaste = commands::Id(CommandId::ID_EDIT_PASTE);           ///< the edit's standard paste
inline constexpr int kSelectAll = commands::Id(CommandId::ID_TEXT_SELECT_ALL);  ///< select the whole text
inline constexpr int kSearch = commands::Id(CommandId::ID_TEXT_SEARCH);         ///< open the text search dialog
}  // namespace text_area_command

class CTView : public QTextEdit {
  Q_OBJECT
 public:
  explicit CTView(QWidget* parent = nullptr);

  /// Rewrites the whole text with TidyPageText (blank lines dropped, short
  /// lines run together) and puts the caret at the start.
  void TidyPageText();

  /// Whether the text area itself can run copy, paste or select-all now.
  bool CanRun(int command) const;
  /// Runs copy, paste or select-all on this text area; false for other ids.
  bool Run(int command);

  /// The context menu: copy, paste, separator, select all, separator, search.
  /// Each entry calls runCommand with its id, its enabled state comes from
  /// commandEnabled; without them the entries act on the text area itself.
  QMenu* BuildContextMenu(QWidget* owner);

  std::function<void(int)> runCommand;
  std::function<bool(int)> commandEnabled;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ShowContextMenu(const QPoint& globalPos);
};

}  // namespace plume::store
