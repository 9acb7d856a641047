#pragma once
// Settings sheet page "ノード": double click on a node, new node size, picture resizing.

#include <QWidget>

#include "shell/SettingsSheetValues.h"

class QButtonGroup;
class QCheckBox;

namespace plume::shell {

class SpinField;

class CPage5 : public QWidget {
  Q_OBJECT
 public:
  explicit CPage5(QWidget* parent = nullptr);
  void Load(const SettingsSheetValues& v);
  void Save(SettingsSheetValues& v) const;

 private:
  QButtonGroup* wClick_;
  SpinField* nodeWidth_;
  SpinField* nodeHeight_;
  QCheckBox* keepAspect_;
  QCheckBox* reload_;
};

}  // namespace plume::shell
