#include "store/ui/CDbPropDlg.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cinttypes>
#include <cstdio>

#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "store/SearchRules.h"
#include "store/SerialCheck.h"
#include "store/StoreContents.h"

namespace plume::store {

namespace {

QLabel* Value(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setFrameShape(QFrame::StyledPanel);
  label->setMinimumWidth(110);
  return label;
}

}  // namespace

CDbPropDlg::CDbPropDlg(MaterialStore& store, platform::SettingsStore& settings, QWidget* parent)
    : QDialog(parent), store_(store), settings_(settings) {
  setWindowTitle(QStringLiteral("DB内容確認"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("ファイル数"), this), 0, 1, Qt::AlignCenter);
  grid->addWidget(new QLabel(QStringLiteral("サイズ(KB)"), this), 0, 2, Qt::AlignCenter);
  const int countIds[7] = {361, 362, 363, 364, 365, 388, 389};
  const int kbIds[7] = {366, 367, 368, 369, 370, 390, 391};
  for (int t = 0; t < 7; ++t) {
    grid->addWidget(new QLabel(QString::fromUtf8(kContentTypes[t].data(), kContentTypes[t].size()) + ":", this), t + 1,
                    0);
    counts_[t] = Value(this, QStringLiteral("c%1").arg(countIds[t]));
    kbs_[t] = Value(this, QStringLiteral("c%1").arg(kbIds[t]));
    grid->addWidget(counts_[t], t + 1, 1);
    grid->addWidget(kbs_[t], t + 1, 2);
  }
  next_ = Value(this, QStringLiteral("c1056"));
  grid->addWidget(new QLabel(QStringLiteral("次に使用するシリアル№:"), this), 8, 0, 1, 2);
  grid->addWidget(next_, 8, 2);

  auto* open = new QPushButton(QStringLiteral("保存場所を開く(&F)"), this);
  open->setObjectName(QStringLiteral("b1001"));
  auto* check = new QPushButton(QStringLiteral("最終シリアル№の確認(&S)"), this);
  check->setObjectName(QStringLiteral("b1002"));
  auto* note = new QLabel(QStringLiteral("DB内のすべての登録データのシリアル№を\n検査して最終シリアル№をチェックします。"), this);
  auto* back = new QPushButton(QStringLiteral("戻る(&B)"), this);
  back->setObjectName(QStringLiteral("ok"));
  back->setDefault(true);
  connect(open, &QPushButton::clicked, this, &CDbPropDlg::OpenStoreFolder);
  connect(check, &QPushButton::clicked, this, &CDbPropDlg::CheckLastSerial);
  connect(back, &QPushButton::clicked, this, &QDialog::accept);
  auto* checkRow = new QHBoxLayout;
  checkRow->addWidget(check);
  checkRow->addWidget(note, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(open);
  buttons->addStretch(1);
  buttons->addWidget(back);
  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addLayout(checkRow);
  column->addLayout(buttons);

  const std::filesystem::path storePath = store_.GetStorePath();
  if (storePath.empty()) return;
  root_ = MaterialStore::RootBelow(storePath);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto contents = CountStoreContents(root_);
  QApplication::restoreOverrideCursor();
  for (int t = 0; t < 7; ++t) {
    counts_[t]->setText(QString::fromStdString(GroupDigits(std::to_string(contents[t].files))));
    kbs_[t]->setText(QString::fromStdString(GroupDigits(std::to_string(contents[t].bytes / 1024))));
  }
  next_->setText(QString::fromStdString(platform::settings::Get(settings_, platform::settings::Sys::No)));
}

void CDbPropDlg::CheckLastSerial() {
  if (root_.empty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const SerialCheck check = CheckSerials(root_);
  QApplication::restoreOverrideCursor();
  const Serial next = ParseSerial(next_->text().toStdString());
  char prefix[160];
  // A store without information files expects serial 0, as its first registration will use.
  if (next == check.ExpectedNext()) {
    std::snprintf(prefix, sizeof prefix, "最終シリアル№\t%08" PRId64 "\n全登録件数\t%" PRId64 "\n\n", check.largest,
                  check.infoFiles);
    platform::ShowMessage(platform::StringId::SerialConsistent, prefix, platform::MsgIcon::Information,
                          platform::MsgButtons::Ok, this);
    return;
  }
  std::snprintf(prefix, sizeof prefix, "最終シリアル№ %" PRId64 "\n", check.largest);
  if (platform::ShowMessage(platform::StringId::SerialMismatchAsk, prefix, platform::MsgIcon::Question,
                            platform::MsgButtons::YesNo, this) == platform::MsgResult::Yes) {
    const std::string corrected = FormatSerial(check.ExpectedNext());
    platform::settings::Set(settings_, platform::settings::Sys::No, corrected);
    next_->setText(QString::fromStdString(corrected));
  }
}

void CDbPropDlg::OpenStoreFolder() {
  if (!root_.empty()) store_.OpenFolderInBrowser(root_ / "");
}

}  // namespace plume::store
