#pragma once
// The name dialog of the page commands: one edit field and "OK(&S)". It
// refuses an empty name (30007) and one of 101 bytes or more (30008).

#include <QDialog>

class QLineEdit;

namespace plume::document {

class CRenameDlg : public QDialog {
  Q_OBJECT
 public:
  /// `anchor` (global) is where the user right-clicked: the dialog's left
  /// edge goes to its x and its bottom to its y. A null anchor centres it.
  CRenameDlg(const QString& initial, QPoint anchor, QWidget* parent = nullptr);
  QString Text() const;
  QLineEdit* Edit() const { return edit_; }

 public slots:
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* edit_;
  QPoint anchor_;
};

}  // namespace plume::document
