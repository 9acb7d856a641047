#pragma once
// Settings sheet page "全般": reopening, new page size, store folder,
// pointer animation, backups, recovery copies.

#include <QWidget>

#include <functional>

#include "shell/SettingsSheetValues.h"

class QCheckBox;
class QLineEdit;

namespace plume::shell {

class SpinField;

class CPage1 : public QWidget {
  Q_OBJECT
 public:
  explicit CPage1(QWidget* parent = nullptr);
  void Load(const SettingsSheetValues& v);
  void Save(SettingsSheetValues& v) const;
  /// The folder chooser: the folder chosen starting at the given one, empty on Cancel.
  std::function<QString(const QString& start)> chooseFolder;

 private:
  void Browse();

  QCheckBox* firstOpen_;
  SpinField* viewW_;
  SpinField* viewH_;
  QLineEdit* storePath_;
  QCheckBox* playAnime_;
  SpinField* animeCount_;
  QCheckBox* makeBackup_;
  SpinField* recoveryMin_;
};

}  // namespace plume::shell
