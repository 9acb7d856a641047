#include "shell/ui/CPage6.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "platform/Messages.h"
#include "shell/ui/SheetRadios.h"

namespace plume::shell {

CPage6::CPage6(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  hitMax_ = AddRadioGroup(this, column, QStringLiteral("1 最大ヒット数："),
                          {QStringLiteral("500件  (&1)"), QStringLiteral("1,000件  (&2)"), QStringLiteral("3,000件  (&3)")},
                          QStringLiteral("HitMax"));
  restore_ = new QCheckBox(QStringLiteral("2 最初に前回の検索条件をセットする(&Z)"), this);
  confirm_ = new QCheckBox(QStringLiteral("3 検索開始前に検索条件を確認する(&C)"), this);
  column->addWidget(restore_);
  column->addWidget(confirm_);
  const std::string_view fullText = platform::StringText(platform::StringId::FullTextSetting);
  fullText_ = new QCheckBox(QStringLiteral("4 ") + QString::fromUtf8(fullText.data(), static_cast<int>(fullText.size())) +
                                QStringLiteral("(&F)"),
                            this);
  fullText_->setObjectName(QStringLiteral("fullText"));
  column->addWidget(fullText_);
  column->addStretch(1);
}

void CPage6::Load(const SettingsSheetValues& v) {
  CheckRadio(hitMax_, HitMaxButton(v.hitMax));
  restore_->setChecked(v.fukugen);
  confirm_->setChecked(v.kakunin);
  fullText_->setChecked(v.fullText);
}

void CPage6::Save(SettingsSheetValues& v) const {
  v.hitMax = HitMaxOfButton(hitMax_->checkedId());
  v.fukugen = restore_->isChecked();
  v.kakunin = confirm_->isChecked();
  v.fullText = fullText_->isChecked();
}

}  // namespace plume::shell
