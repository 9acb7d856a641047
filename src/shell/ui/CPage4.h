#pragma once
// Settings sheet page "Ｗｅｂ": the home page and the bookmark menu width.

#include <QWidget>

#include <functional>

#include "shell/SettingsSheetValues.h"

class QLineEdit;

namespace plume::shell {

class SpinField;

class CPage4 : public QWidget {
  Q_OBJECT
 public:
  explicit CPage4(QWidget* parent = nullptr);
  void Load(const SettingsSheetValues& v);
  void Save(SettingsSheetValues& v) const;
  /// The address shown in the HTML area.
  std::function<QString()> currentAddress;

 private:
  QLineEdit* home_;
  SpinField* menuLen_;
};

}  // namespace plume::shell
