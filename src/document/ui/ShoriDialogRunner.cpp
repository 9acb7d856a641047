#include "document/ui/ShoriDialogRunner.h"

#include "document/ui/CShoriDlg.h"

namespace plume::document::ui {

bool ShoriDialogRunner::Run(ShoriJob& job) {
  CShoriDlg dialog(job, owner_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace plume::document::ui
