#pragma once
// The text edit dialog for a node title or a slip text, with a live byte
// counter. The caller's buffer holds the stored text (code page 932, CR LF)
// before the dialog and, after OK, the edited text.

#include <QDialog>

#include <string>

#include "store/EditTextRules.h"

class QLabel;
class QPlainTextEdit;

namespace plume::store {

class CEditDlg : public QDialog {
  Q_OBJECT
 public:
  /// `buffer` must outlive the dialog; it changes only on OK.
  CEditDlg(EditMode mode, std::string& buffer, QWidget* parent = nullptr);

  QPlainTextEdit* Edit() const { return edit_; }
  /// The counter line as shown ("[12 / 100]").
  QString CounterText() const;

  /// "保存終了": refuses a text over the limit with 30008 and gives the edit
  /// the focus back; otherwise stores the text in the buffer and closes with OK.
  void SaveAndClose();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateCounter();

  EditMode mode_;
  std::string& buffer_;
  QPlainTextEdit* edit_ = nullptr;
  QLabel* counter_ = nullptr;
};

}  // namespace plume::store
