#pragma once
// The material search dialog "データベース": finds materials by type, capture
// date and text, previews them, maintains the store (delete, owner check,
// same-image check, related texts) and, in paste mode, turns the checked
// materials into chart nodes. Its placement is kept in the section DbDlg.
// The conditions are a SearchConditionsForm, the results a MaterialList filled
// through a DbScanObserver, the store upkeep commands a DbListCommands.

#include <QDialog>

#include <memory>
#include <string>

#include "commands/CommandTable.h"
#include "platform/Picture.h"
#include "platform/SettingsStore.h"
#include "store/MaterialStore.h"
#include "store/SearchRow.h"
#include "store/ui/DbDlgHooks.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace plume::store {

class DbListCommands;
class MaterialList;
class MaterialPreview;
class SearchConditionsForm;

class CDbDlg : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Browse, Paste };
  /// Context commands of the result list.
  enum Command : int {
    kCmdCheckSelected = commands::Id(commands::CommandId::ID_DB_CHECK_SELECTED),
    kCmdUncheckSelected = commands::Id(commands::CommandId::ID_DB_UNCHECK_SELECTED),
    kCmdShowSource = commands::Id(commands::CommandId::ID_DB_SHOW_SOURCE),
    kCmdDeleteChecked = commands::Id(commands::CommandId::ID_DB_DELETE_CHECKED),
    kCmdCheckOwnerless = commands::Id(commands::CommandId::ID_DB_CHECK_OWNERLESS),
    kCmdSameImage = commands::Id(commands::CommandId::ID_DB_SAME_IMAGE),
    kCmdEditText = commands::Id(commands::CommandId::ID_DB_EDIT_TEXT),
    kCmdProperties = commands::Id(commands::CommandId::ID_DB_PROPERTIES),
  };

  /// `pictures` decodes the previews; it must outlive the dialog.
  CDbDlg(Mode mode, MaterialStore& store, platform::SettingsStore& settings, const platform::PictureCodec& pictures,
         DbDlgHooks hooks, QWidget* parent = nullptr);
  ~CDbDlg() override;

  /// "検索(&S)": stores the conditions, confirms them (Kakunin) and scans.
  void Search();
  /// Lists the one material `serial` and selects it (nothing when it is gone).
  void ShowMaterial(Serial serial);
  /// A header click on `column` (sorting on the second click).
  void HeaderClicked(int column);
  /// Runs a context command on the current row (the first selected row).
  void RunCommand(int command);
  /// The OK button: close (browse) or paste the checked rows (paste).
  void OkClicked();

  // Read access for the opener and tests.
  QTableWidget* List() const;
  /// The CP932 text of a cell.
  std::string Cell(int row, int column) const;
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
  bool Scanning() const { return scanning_; }
  QPushButton* OkButton() const { return ok_; }

  void done(int result) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls(const QString& prompt, const QString& okCaption);
  void RestorePlacement();
  void StorePlacement();
  void RowSelected();
  void ShowContextMenu(const QPoint& pos);
  /// The topmost selected row; -1 without a selection.
  int FirstSelectedRow() const;
  void ShowIndexState();

  Mode mode_;
  MaterialStore& store_;
  platform::SettingsStore& settings_;
  const platform::PictureCodec& pictures_;
  DbDlgHooks hooks_;
  QLabel* prompt_ = nullptr;
  std::unique_ptr<SearchConditionsForm> conditions_;
  QLabel* indexState_ = nullptr;
  QTimer* indexTimer_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* ok_ = nullptr;
  QProgressBar* progress_ = nullptr;
  MaterialPreview* preview_ = nullptr;
  QPlainTextEdit* related_ = nullptr;
  MaterialList* list_ = nullptr;
  std::unique_ptr<DbListCommands> commands_;
  int sortColumn_ = -1;
  bool sortAscending_[kSearchColumnCount] = {};
  bool scanning_ = false;
  bool stopScan_ = false;
  int pendingResult_ = -1;
};

}  // namespace plume::store
