#pragma once
// The settings sheet ("環境設定"): six pages over a working copy of section
// KanSet; nothing is written before OK.

#include <QDialog>

#include <optional>

#include "platform/SettingsStore.h"
#include "shell/SettingsSheetValues.h"

class QTabWidget;

namespace plume::shell {

class CPage1;
class CPage2;
class CPage3;
class CPage4;
class CPage5;
class CPage6;

class CMainSheet : public QDialog {
  Q_OBJECT
 public:
  /// `animeCount` is the application's current pointer count.
  CMainSheet(platform::SettingsStore& settings, int animeCount, QWidget* parent = nullptr);

  QTabWidget* Tabs() const { return tabs_; }
  CPage1* General() const { return general_; }
  CPage4* Web() const { return web_; }
  /// After OK: what the write changed; nullopt after Cancel.
  const std::optional<SheetSaveResult>& Result() const { return result_; }

 public slots:
  void accept() override;

 private:
  platform::SettingsStore& settings_;
  int animeCount_;
  QTabWidget* tabs_;
  CPage1* general_;
  CPage4* web_;
  CPage2* pdf_;
  CPage3* image_;
  CPage5* node_;
  CPage6* search_;
  std::optional<SheetSaveResult> result_;
};

}  // namespace plume::shell
