#include "chartview/ui/PageSizeSpinBox.h"

#include "chartview/ViewProperties.h"

namespace plume::chartview {

PageSizeSpinBox::PageSizeSpinBox(QWidget* parent) : QSpinBox(parent) {
  setRange(ViewProperties::kMinSize, ViewProperties::kMaxSize);
  setAccelerated(true);
  setAlignment(Qt::AlignRight);
}

QString PageSizeSpinBox::textFromValue(int value) const {
  QString digits = QString::number(value);
  for (int at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
  return digits;
}

int PageSizeSpinBox::valueFromText(const QString& text) const {
  return ViewProperties::ParseSize(text.toStdString());
}

QValidator::State PageSizeSpinBox::validate(QString& input, int& pos) const {
  (void)pos;
  if (input.isEmpty()) return QValidator::Intermediate;
  for (QChar c : input) {
    if (!c.isDigit() && c != QLatin1Char(',')) return QValidator::Invalid;
  }
  // Any number is taken: it is clamped into the range when the edit is left.
  return QValidator::Acceptable;
}

}  // namespace plume::chartview
