#include "shell/ui/SpinField.h"

namespace plume::shell {

SpinField::SpinField(SpinRange range, const QString& name, QWidget* parent) : QSpinBox(parent) {
  setObjectName(name);
  setRange(range.low, range.high);
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
