#include "shell/ui/CPage3.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/ui/SheetRadios.h"
#include "shell/ui/SpinField.h"

namespace plume::shell {

CPage3::CPage3(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  QStringList types;
  for (int i = 0; i < 5; ++i) types << QString::fromLatin1(ImageTypeOfButton(i));
  imageType_ = AddRadioGroup(this, column, QStringLiteral("1 イメージファイルの保存形式："), types,
                             QStringLiteral("ImageType"));
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("2 貼り付け時の幅："), this));
  imageDefW_ = new SpinField(kImageDefWRange, QStringLiteral("ImageDefW"), this);
  row->addWidget(imageDefW_);
  row->addWidget(new QLabel(QStringLiteral("( 50 ～ 500px )"), this));
  row->addStretch(1);
  column->addLayout(row);
  column->addStretch(1);
}

void CPage3::Load(const SettingsSheetValues& v) {
  CheckRadio(imageType_, ImageTypeButton(v.imageType));
  imageDefW_->setValue(v.imageDefW);
}

void CPage3::Save(SettingsSheetValues& v) const {
  v.imageType = ImageTypeOfButton(imageType_->checkedId());
  v.imageDefW = imageDefW_->value();
}

}  // namespace plume::shell
