#include "shell/ui/CPage2.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/ui/SheetRadios.h"
#include "shell/ui/SpinField.h"

namespace plume::shell {

CPage2::CPage2(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("1 イメージ幅："), this));
  imageW_ = new SpinField(kImageWRange, QStringLiteral("ImageW"), this);
  row->addWidget(imageW_);
  row->addWidget(new QLabel(QStringLiteral("(500 ～ 2,000)"), this));
  row->addStretch(1);
  column->addLayout(row);
  quality_ = AddRadioGroup(this, column, QStringLiteral("2 画質："),
                           {QStringLiteral("高画質(&100)"), QStringLiteral("中画質 (&70)"), QStringLiteral("低画質 (&40)")},
                           QStringLiteral("Quality"));
  column->addStretch(1);
}

void CPage2::Load(const SettingsSheetValues& v) {
  imageW_->setValue(v.imageW);
  CheckRadio(quality_, QualityButton(v.quality));
}

void CPage2::Save(SettingsSheetValues& v) const {
  v.imageW = imageW_->value();
  v.quality = QualityOfButton(quality_->checkedId());
}

}  // namespace plume::shell
