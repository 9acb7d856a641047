#include "shell/ui/CPage1.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/ui/SpinField.h"

namespace plume::shell {

CPage1::CPage1(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  firstOpen_ = new QCheckBox(QStringLiteral("1 起動時に前回のファイルを開く(&L)"), this);
  grid->addWidget(firstOpen_, 0, 0, 1, 4);

  auto* size = new QGroupBox(QStringLiteral("2 ページサイズ"), this);
  auto* sizeGrid = new QGridLayout(size);
  viewW_ = new SpinField(kViewSizeRange, QStringLiteral("ViewW"), size);
  viewH_ = new SpinField(kViewSizeRange, QStringLiteral("ViewH"), size);
  sizeGrid->addWidget(new QLabel(QStringLiteral("幅："), size), 0, 0);
  sizeGrid->addWidget(viewW_, 0, 1);
  sizeGrid->addWidget(new QLabel(QStringLiteral("高さ："), size), 0, 2);
  sizeGrid->addWidget(viewH_, 0, 3);
  sizeGrid->addWidget(new QLabel(QStringLiteral("(500 - 5,000 pixel)"), size), 0, 4);
  sizeGrid->addWidget(new QLabel(QStringLiteral("※ 新規頁作成時"), size), 1, 0, 1, 5);
  grid->addWidget(size, 1, 0, 1, 4);

  grid->addWidget(new QLabel(QStringLiteral("3 資料保存場所："), this), 2, 0);
  storePath_ = new QLineEdit(this);
  storePath_->setObjectName(QStringLiteral("StorePath"));
  grid->addWidget(storePath_, 2, 1, 1, 2);
  auto* browse = new QPushButton(QStringLiteral("参照(&S)"), this);
  connect(browse, &QPushButton::clicked, this, &CPage1::Browse);
  grid->addWidget(browse, 2, 3);
  grid->addWidget(new QLabel(QStringLiteral("※ 資料保存場所に、PLUMEDATAフォルダが作成されます。"), this), 3, 0, 1, 4);

  playAnime_ = new QCheckBox(QStringLiteral("4 オブジェクト上にマウスカーソルが乗ったとき、アニメを表示する(&A)"), this);
  grid->addWidget(playAnime_, 4, 0, 1, 4);
  animeCount_ = new SpinField(kAnimeCountRange, QStringLiteral("AnimeCount"), this);
  grid->addWidget(new QLabel(QStringLiteral("表示するアニメの個数："), this), 5, 0);
  grid->addWidget(animeCount_, 5, 1);
  grid->addWidget(new QLabel(QStringLiteral("(1 - 10個)  [切替え:F10]"), this), 5, 2, 1, 2);

  makeBackup_ = new QCheckBox(QStringLiteral("5 上書き保存時、バックアップファイルを作成する(&B)"), this);
  grid->addWidget(makeBackup_, 6, 0, 1, 4);
  recoveryMin_ = new SpinField(kRecoveryMinRange, QStringLiteral("RecoveryMin"), this);
  grid->addWidget(new QLabel(QStringLiteral("6 回復用コピーの間隔："), this), 7, 0);
  grid->addWidget(recoveryMin_, 7, 1);
  grid->addWidget(new QLabel(QStringLiteral("分 (1 - 60)  ※ 未保存の変更があるとき"), this), 7, 2, 1, 2);
  grid->setRowStretch(8, 1);

  chooseFolder = [this](const QString& start) {
    QFileDialog dialog(this, QStringLiteral("フォルダの指定"), start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("フォルダを指定してください"));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
  };
}

void CPage1::Browse() {
  const QString start = QString::fromStdString(
      ChooserStartFolder(storePath_->text().toStdString(), QDir::homePath().toStdString()));
  const QString chosen = chooseFolder ? chooseFolder(start) : QString();
  if (!chosen.isEmpty()) storePath_->setText(chosen);
}

void CPage1::Load(const SettingsSheetValues& v) {
  firstOpen_->setChecked(v.firstOpen);
  viewW_->setValue(v.viewW);
  viewH_->setValue(v.viewH);
  storePath_->setText(QString::fromStdString(v.storePath));
  playAnime_->setChecked(v.playAnime);
  animeCount_->setValue(v.animeCount);
  makeBackup_->setChecked(v.makeBackup);
  recoveryMin_->setValue(v.recoveryMin);
}

void CPage1::Save(SettingsSheetValues& v) const {
  v.firstOpen = firstOpen_->isChecked();
  v.viewW = viewW_->value();
  v.viewH = viewH_->value();
  v.storePath = storePath_->text().toStdString();
  v.playAnime = playAnime_->isChecked();
  v.animeCount = animeCount_->value();
  v.makeBackup = makeBackup_->isChecked();
  v.recoveryMin = recoveryMin_->value();
}

}  // namespace plume::shell
