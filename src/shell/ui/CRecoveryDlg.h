#pragma once
// The start-up dialog that offers the recovery copies of programs that ended
// without saving: each copy with its document's name, the time of the copy
// and a picture of its first page. 復元 opens the chosen copy, 破棄 removes it
// (after a question), 後で keeps every copy for the next start.

#include <QDialog>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QTableWidget;
class QPushButton;

namespace plume::shell {

class CRecoveryDlg : public QDialog {
  Q_OBJECT
 public:
  struct Row {
    QString name;     ///< the document's file name, or 無題
    QString folder;   ///< where the document lives; empty for one never saved
    QString time;     ///< when the copy was taken
    QImage preview;   ///< the first page
  };
  /// `restore` opens row i (true: the dialog closes); `discard` removes it.
  CRecoveryDlg(std::vector<Row> rows, std::function<bool(int)> restore, std::function<void(int)> discard,
               QWidget* parent = nullptr);

  QTableWidget* List() const { return list_; }
  /// 復元: opens the selected copy.
  void RestoreSelected();
  /// 破棄: asks 30702, then removes the selected copy.
  void DiscardSelected();

 private:
  void ShowSelected();

  std::vector<Row> rows_;
  std::function<bool(int)> restore_;
  std::function<void(int)> discard_;
  QTableWidget* list_;
  QLabel* preview_;
  QLabel* details_;
  QPushButton* restoreButton_;
  QPushButton* discardButton_;
};

}  // namespace plume::shell
