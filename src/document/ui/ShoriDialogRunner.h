#pragma once
// Runs the document's pack and unpack jobs behind the modal processing dialog.

#include <QPointer>
#include <QWidget>

#include "document/ShoriRunner.h"

namespace plume::document::ui {

class ShoriDialogRunner : public ShoriRunner {
 public:
  /// `owner` (may be null) is the window the dialog is modal to.
  explicit ShoriDialogRunner(QWidget* owner = nullptr) : owner_(owner) {}
  bool Run(ShoriJob& job) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace plume::document::ui
