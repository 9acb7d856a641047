#pragma once
// Settings sheet page "ＰＤＦ": the capture width and the JPEG quality.

#include <QWidget>

#include "shell/SettingsSheetValues.h"

class QButtonGroup;

namespace plume::shell {

class SpinField;

class CPage2 : public QWidget {
  Q_OBJECT
 public:
  explicit CPage2(QWidget* parent = nullptr);
  void Load(const SettingsSheetValues& v);
  void Save(SettingsSheetValues& v) const;

 private:
  SpinField* imageW_;
  QButtonGroup* quality_;
};

}  // namespace plume::shell
