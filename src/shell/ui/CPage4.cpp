#include "shell/ui/CPage4.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/ui/SpinField.h"

namespace plume::shell {

CPage4::CPage4(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("1 ホーム："), this), 0, 0);
  home_ = new QLineEdit(this);
  home_->setObjectName(QStringLiteral("Home"));
  grid->addWidget(home_, 0, 1, 1, 3);
  auto* current = new QPushButton(QStringLiteral("現在表示しているページ(&N)"), this);
  auto* blank = new QPushButton(QStringLiteral("空白を使用(&B)"), this);
  connect(current, &QPushButton::clicked, this, [this] {
    if (currentAddress) home_->setText(currentAddress());
  });
  connect(blank, &QPushButton::clicked, this, [this] { home_->setText(QStringLiteral("about:blank")); });
  grid->addWidget(current, 1, 2);
  grid->addWidget(blank, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("2 ブックマークメニューの最大文字数："), this), 2, 0, 1, 2);
  menuLen_ = new SpinField(kMenuLenRange, QStringLiteral("MenuLen"), this);
  grid->addWidget(menuLen_, 2, 2);
  grid->addWidget(new QLabel(QStringLiteral("( 20 ～ 200バイト )"), this), 2, 3);
  grid->setRowStretch(3, 1);
}

void CPage4::Load(const SettingsSheetValues& v) {
  home_->setText(QString::fromStdString(v.home));
  menuLen_->setValue(v.menuLen);
}

void CPage4::Save(SettingsSheetValues& v) const {
  v.home = home_->text().toStdString();
  v.menuLen = menuLen_->value();
}

}  // namespace plume::shell
