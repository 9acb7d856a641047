#pragma once
// The file choosers of the document flows on QFileDialog. They open in the
// folder of the proposed path, else in the folder last used in this run, else
// in the open document's folder (DialogStartFolder).

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

#include "platform/FileDialogs.h"

class QFileDialog;

namespace plume::document::ui {

class QtFileDialogs : public platform::FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  std::optional<std::filesystem::path> AskSaveFile(const platform::SaveFileRequest& request) override;
  /// An existing file to open; nullopt on Cancel. `filter` as in SaveFileRequest.
  std::optional<std::filesystem::path> AskOpenFile(const std::string& title, const std::string& filter);

  /// "Name|*.PBD|Other|*.a;*.b||" as Qt name filters "Name (*.PBD *.pbd)"
  /// joined by ";;"; each pattern also in lower and upper case, since the
  /// file system tells case apart. A name that already ends in its patterns
  /// ("PDF File (*.pdf)") shows them once.
  static QString NameFilters(const std::string& filter);
  /// The open document's folder for every chooser (empty: none); the main
  /// window sets it and clears it when it goes.
  static void SetDocumentFolder(std::function<std::filesystem::path()> folder);
  /// The folder the next chooser opens in for a proposed name or path.
  static std::filesystem::path StartFolder(const std::string& proposed);

 private:
  std::optional<std::filesystem::path> Run(QFileDialog& dialog, const std::string& proposed);
  QPointer<QWidget> owner_;
};

}  // namespace plume::document::ui
