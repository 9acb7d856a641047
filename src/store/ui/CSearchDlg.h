#pragma once
// The text search dialog over the text area: a search string, match case and
// whole words, and a button for each direction. It stays open between
// searches and keeps its string and options in the settings.

#include <QDialog>

#include "platform/SettingsStore.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace plume::store {

class CSearchDlg : public QDialog {
  Q_OBJECT
 public:
  /// Searches `target`; reads and writes Last/SearchText, SearchKubetu, SearchTango.
  CSearchDlg(platform::SettingsStore& settings, QTextEdit& target, QWidget* parent = nullptr);

  /// Next: forward from the selection end, wrapping once to the start.
  /// Selects the match and returns true; shows 30088 and returns false.
  bool SearchNext();
  /// Previous: backward from the selection start, wrapping once to the end.
  bool SearchPrevious();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Search(bool backward);
  void StoreSearchText();

  platform::SettingsStore& settings_;
  QTextEdit& target_;
  QLineEdit* edit_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QCheckBox* wholeWord_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
};

}  // namespace plume::store
