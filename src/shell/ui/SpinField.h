#pragma once
// A spin field of the settings sheet: typed digits with "," ignored, a value
// outside the range replaced by the nearest limit.

#include <QSpinBox>

#include "shell/SettingsSheetValues.h"

namespace plume::shell {

class SpinField : public QSpinBox {
  Q_OBJECT
 public:
  /// A field limited to `range`, found by tests and the sheet under `name`.
  SpinField(SpinRange range, const QString& name, QWidget* parent = nullptr);

 protected:
  QValidator::State validate(QString& text, int& pos) const override;
  int valueFromText(const QString& text) const override;
  void fixup(QString& text) const override;
};

}  // namespace plume::shell
