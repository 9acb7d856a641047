#pragma once
// Settings sheet page "検索": the hit limit and the search dialog's start-up.

#include <QWidget>

#include "shell/SettingsSheetValues.h"

class QButtonGroup;
class QCheckBox;

namespace plume::shell {

class CPage6 : public QWidget {
  Q_OBJECT
 public:
  explicit CPage6(QWidget* parent = nullptr);
  void Load(const SettingsSheetValues& v);
  void Save(SettingsSheetValues& v) const;

 private:
  QButtonGroup* hitMax_;
  QCheckBox* restore_;
  QCheckBox* confirm_;
  QCheckBox* fullText_;
};

}  // namespace plume::shell
