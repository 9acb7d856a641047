#pragma once
// The document command group of the main window: new, open, the sample chart,
// save, save as and the ten recent files. Each first asks about unsaved
// changes where the document would be replaced. The window builds it with what
// it needs and it binds its commands.

#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace plume::convert {
struct PictureServices;
}
namespace plume::document {
class ChartDocument;
}

namespace plume::shell {

class CommandRouter;
class DocumentActions;
class RecentFileList;

class DocumentCommands {
 public:
  struct Parts {
    CommandRouter& router;
    DocumentActions& document;
    document::ChartDocument& chart;
    RecentFileList* recent;             ///< null: no recent files
    convert::PictureServices& pictures;  ///< the sample chart's pictures
    QWidget* owner;                     ///< the file dialog's window
    /// Asks for a document to open in place of the file dialog when set; empty on Cancel.
    /// The window's own member, read at each open, so it may be set after the window is built.
    const std::function<QString()>& askOpenFile;
    /// A new or opened document replaced the one shown.
    std::function<void()> documentReplaced;
    /// The document was saved: the title follows.
    std::function<void()> refreshTitle;
  };

  /// Binds the document commands to `parts.router`.
  explicit DocumentCommands(Parts parts);
  DocumentCommands(const DocumentCommands&) = delete;
  DocumentCommands& operator=(const DocumentCommands&) = delete;

  /// Opens a document as the open command does: first the question about
  /// unsaved changes, then the document replaces the one shown.
  void OpenPath(const std::filesystem::path& path);

 private:
  /// A new document, or with `sample` the demonstration chart as a new, unsaved one.
  void New(bool sample);
  void Open();
  void BindRecentFiles();

  Parts parts_;
};

}  // namespace plume::shell
