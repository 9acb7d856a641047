#pragma once
// A spin edit for a page side in page units: 500..5000, shown with thousands
// separators ("2,000"), typed text read with the commas removed and clamped.

#include <QSpinBox>

namespace plume::chartview {

class PageSizeSpinBox : public QSpinBox {
 public:
  explicit PageSizeSpinBox(QWidget* parent = nullptr);

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& input, int& pos) const override;
};

}  // namespace plume::chartview
