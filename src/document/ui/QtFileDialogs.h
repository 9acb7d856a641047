#pragma once
// The save-file chooser of the document flows on QFileDialog.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/FileDialogs.h"

namespace plume::document::ui {

class QtFileDialogs : public platform::FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  std::optional<std::filesystem::path> AskSaveFile(const platform::SaveFileRequest& request) override;

  /// "Name|*.PBD|Other|*.a;*.b||" as Qt name filters "Name (*.PBD *.pbd)"
  /// joined by ";;"; each pattern also in lower and upper case, since the
  /// file system tells case apart.
  static QString NameFilters(const std::string& filter);

 private:
  QPointer<QWidget> owner_;
};

}  // namespace plume::document::ui
