#include "shell/ui/CPage5.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/ui/SheetRadios.h"
#include "shell/ui/SpinField.h"

namespace plume::shell {

CPage5::CPage5(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  wClick_ = AddRadioGroup(this, column, QStringLiteral("1 ノードＷクリック時の処理："),
                          {QStringLiteral("何もしない(&N)"), QStringLiteral("ＨＴＭＬエリアに取得先を表示する(&H)"),
                           QStringLiteral("ノードのプロパティを表示する(&P)")},
                          QStringLiteral("NodeWClick"));
  // The radio buttons stand one under the other.
  if (auto* box = wClick_->button(0)->parentWidget()) {
    auto* layout = new QVBoxLayout;
    for (QAbstractButton* b : wClick_->buttons()) layout->addWidget(b);
    delete box->layout();
    box->setLayout(layout);
  }
  auto* grid = new QGridLayout;
  nodeWidth_ = new SpinField(kNodeWidthRange, QStringLiteral("NodeWidth"), this);
  nodeHeight_ = new SpinField(kNodeHeightRange, QStringLiteral("NodeHeight"), this);
  grid->addWidget(new QLabel(QStringLiteral("2 新規作成ノードの幅："), this), 0, 0);
  grid->addWidget(nodeWidth_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("( 50 ～ 300px )"), this), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("3 新規作成ノードの高さ："), this), 1, 0);
  grid->addWidget(nodeHeight_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("( 50 ～ 200px )"), this), 1, 2);
  grid->setColumnStretch(3, 1);
  column->addLayout(grid);
  keepAspect_ = new QCheckBox(QStringLiteral("4 イメージノードのサイズ変更時、縦横比を固定する(&F)"), this);
  reload_ = new QCheckBox(QStringLiteral("5 イメージノードのサイズ変更時、原本イメージを再読込みする(&R)"), this);
  column->addWidget(keepAspect_);
  column->addWidget(reload_);
  column->addStretch(1);
}

void CPage5::Load(const SettingsSheetValues& v) {
  CheckRadio(wClick_, NodeWClickButton(v.nodeWClick));
  nodeWidth_->setValue(v.nodeWidth);
  nodeHeight_->setValue(v.nodeHeight);
  keepAspect_->setChecked(v.tateYokoKotei);
  reload_->setChecked(v.refleshPic);
}

void CPage5::Save(SettingsSheetValues& v) const {
  v.nodeWClick = NodeWClickButton(wClick_->checkedId());
  v.nodeWidth = nodeWidth_->value();
  v.nodeHeight = nodeHeight_->value();
  v.tateYokoKotei = keepAspect_->isChecked();
  v.refleshPic = reload_->isChecked();
}

}  // namespace plume::shell
