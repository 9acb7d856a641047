#pragma once
// Settings sheet page "イメージ": the image file format and the pasted image width.

#include <QWidget>

#include "shell/SettingsSheetValues.h"

class QButtonGroup;

namespace plume::shell {

class SpinField;

class CPage3 : public QWidget {
  Q_OBJECT
 public:
  explicit CPage3(QWidget* parent = nullptr);
  void Load(const SettingsSheetValues& v);
  void Save(SettingsSheetValues& v) const;

 private:
  QButtonGroup* imageType_;
  SpinField* imageDefW_;
};

}  // namespace plume::shell
