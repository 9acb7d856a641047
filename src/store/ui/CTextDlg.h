#pragma once
// The related text dialog: shows and edits the related text of one material,
// can take over the text area's text, and saves the file on OK. Its
// placement is kept in the settings section TextDlg.

#include <QDialog>

#include <filesystem>

#include "platform/SettingsStore.h"

class QPushButton;
class QTextEdit;

namespace plume::store {

class CTextDlg : public QDialog {
  Q_OBJECT
 public:
  /// `folder` is store root/TXT/bucket, `file` folder/serial.TXT; `textArea`
  /// (may be null) is the main window's text area. Reads the file at once.
  CTextDlg(std::filesystem::path folder, std::filesystem::path file, platform::SettingsStore& settings,
           QTextEdit* textArea, QWidget* parent = nullptr);

  /// The text pane (tests, the opener).
  QTextEdit* Pane() const { return pane_; }

  /// "テキストエリアのテキストを…": the pane takes the text area's text,
  /// after 30089 when the pane holds text.
  void TakeOverTextArea();
  /// "テキスト削除": empties the pane without a question.
  void ClearPane();
  /// "保存して終了": asks 30074, writes the file and closes with OK; stays
  /// open on No or on failure.
  void SaveAndClose();

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void RestorePlacement();
  void StorePlacement();

  std::filesystem::path folder_;
  std::filesystem::path file_;
  platform::SettingsStore& settings_;
  QTextEdit* textArea_;
  QTextEdit* pane_ = nullptr;
  bool caretPlaced_ = false;
};

}  // namespace plume::store
