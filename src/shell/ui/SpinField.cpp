#include "shell/ui/SpinField.h"

#include "shell/SettingsSheetValues.h"

namespace plume::shell {

SpinField::SpinField(int low, int high, QWidget* parent) : QSpinBox(parent) {
  setRange(low, high);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State SpinField::validate(QString& text, int&) const {
  for (QChar c : text)
    if (!c.isDigit() && c != QLatin1Char(',')) return QValidator::Invalid;
  return text.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
}

int SpinField::valueFromText(const QString& text) const {
  return SpinValue(text.toStdString(), {minimum(), maximum()});
}

void SpinField::fixup(QString& text) const { text = QString::number(valueFromText(text)); }

}  // namespace plume::shell
