#include "document/ui/CPropertyTip.h"
#include "platform/qt/QtConvert.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace plume::document {

using platform::ToQColor;
using platform::FromQColor;

namespace {

/// A spin box that takes any two-digit number and then brings it into [lo, hi].
QSpinBox* ClampingSpin(QWidget* parent, int lo, int hi, int value) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(0, 99);
  spin->setValue(value);
  QObject::connect(spin, &QSpinBox::editingFinished, spin, [spin, lo, hi] {
    spin->setValue(std::clamp(spin->value(), lo, hi));
  });
  QObject::connect(spin, &QSpinBox::valueChanged, spin, [spin, lo, hi](int v) {
    if (!spin->hasFocus() && (v < lo || v > hi)) spin->setValue(std::clamp(v, lo, hi));
  });
  return spin;
}
}  // namespace

CPropertyTip::CPropertyTip(const TabBarSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings.Clamped()) {
  setWindowTitle(QStringLiteral("プロパティ"));
  auto* layout = new QVBoxLayout(this);

  auto* tabGroup = new QGroupBox(QStringLiteral("ページタブ"), this);
  auto* tabForm = new QFormLayout(tabGroup);
  length_ = ClampingSpin(tabGroup, TabBarSettings::kMinCaption, TabBarSettings::kMaxCaption, settings_.captionLength);
  tabForm->addRow(QStringLiteral("タブの文字数 (4～50バイト)"), length_);
  tabForm->addRow(new QLabel(QStringLiteral("※ それ以上の部分は「…」で表示します"), tabGroup));
  layout->addWidget(tabGroup);

  auto* tipGroup = new QGroupBox(QStringLiteral("ツールチップ"), this);
  auto* tipForm = new QFormLayout(tipGroup);
  textColour_ = new QPushButton(tipGroup);
  backColour_ = new QPushButton(tipGroup);
  margin_ = ClampingSpin(tipGroup, TabBarSettings::kMinMargin, TabBarSettings::kMaxMargin, settings_.tipMargin);
  tipForm->addRow(QStringLiteral("文字色"), textColour_);
  tipForm->addRow(QStringLiteral("背景色"), backColour_);
  tipForm->addRow(QStringLiteral("余白 (0～20ピクセル)"), margin_);
  layout->addWidget(tipGroup);
  Paint(textColour_, settings_.tipTextColor);
  Paint(backColour_, settings_.tipBackColor);
  connect(textColour_, &QPushButton::clicked, this, [this] { PickColour(settings_.tipTextColor, textColour_); });
  connect(backColour_, &QPushButton::clicked, this, [this] { PickColour(settings_.tipBackColor, backColour_); });

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("保存終了(&S)"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("中止(&C)"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TabBarSettings CPropertyTip::Result() const {
  TabBarSettings result = settings_;
  result.captionLength = length_->value();
  result.tipMargin = margin_->value();
  return result.Clamped();
}

void CPropertyTip::PickColour(ColorRef& colour, QPushButton* button) {
  const QColor chosen = QColorDialog::getColor(ToQColor(colour), this);
  if (!chosen.isValid()) return;
  colour = FromQColor(chosen);
  Paint(button, colour);
}

void CPropertyTip::Paint(QPushButton* button, ColorRef colour) {
  button->setStyleSheet(QStringLiteral("background: %1; min-width: 60px; min-height: 18px;").arg(ToQColor(colour).name()));
}

}  // namespace plume::document
