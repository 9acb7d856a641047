#pragma once
// The tab properties: caption length (4..50), tooltip colours and margin
// (0..20). Typed values outside a range are brought into it.

#include <QDialog>

#include "document/TabBarSettings.h"

class QSpinBox;
class QPushButton;

namespace plume::document {

class CPropertyTip : public QDialog {
  Q_OBJECT
 public:
  explicit CPropertyTip(const TabBarSettings& settings, QWidget* parent = nullptr);
  /// The values as confirmed (ranges applied).
  TabBarSettings Result() const;
  QSpinBox* CaptionLengthField() const { return length_; }
  QSpinBox* MarginField() const { return margin_; }

 private:
  void PickColour(ColorRef& colour, QPushButton* button);
  static void Paint(QPushButton* button, ColorRef colour);

  TabBarSettings settings_;
  QSpinBox* length_;
  QSpinBox* margin_;
  QPushButton* textColour_;
  QPushButton* backColour_;
};

}  // namespace plume::document
