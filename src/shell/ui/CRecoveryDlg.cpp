#include "shell/ui/CRecoveryDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Messages.h"

namespace plume::shell {

CRecoveryDlg::CRecoveryDlg(std::vector<Row> rows, std::function<bool(int)> restore, std::function<void(int)> discard,
                           QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), restore_(std::move(restore)), discard_(std::move(discard)) {
  setWindowTitle(QStringLiteral("作業の回復"));
  auto* intro = new QLabel(QStringLiteral("前回、保存されずに終了したドキュメントがあります。\n"
                                          "回復用コピーを選んで「復元」を押すと、変更された状態で開きます。"),
                           this);
  list_ = new QTableWidget(0, 2, this);
  list_->setHorizontalHeaderLabels({QStringLiteral("ファイル"), QStringLiteral("コピーの時刻")});
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setColumnWidth(0, 150);
  list_->setMinimumWidth(300);
  for (const Row& row : rows_) {
    const int at = list_->rowCount();
    list_->insertRow(at);
    list_->setItem(at, 0, new QTableWidgetItem(row.name));
    list_->setItem(at, 1, new QTableWidgetItem(row.time));
  }
  preview_ = new QLabel(this);
  preview_->setFixedSize(260, 200);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFrameShape(QFrame::StyledPanel);
  details_ = new QLabel(this);
  details_->setWordWrap(true);
  details_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  restoreButton_ = new QPushButton(QStringLiteral("復元(&R)"), this);
  discardButton_ = new QPushButton(QStringLiteral("破棄(&D)"), this);
  auto* later = new QPushButton(QStringLiteral("後で(&L)"), this);
  restoreButton_->setDefault(true);
  connect(restoreButton_, &QPushButton::clicked, this, &CRecoveryDlg::RestoreSelected);
  connect(discardButton_, &QPushButton::clicked, this, &CRecoveryDlg::DiscardSelected);
  connect(later, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QTableWidget::currentCellChanged, this, [this] { ShowSelected(); });
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { RestoreSelected(); });

  auto* side = new QVBoxLayout;
  side->addWidget(preview_);
  side->addWidget(details_, 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(list_, 1);
  middle->addLayout(side);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(restoreButton_);
  buttons->addWidget(discardButton_);
  buttons->addStretch(1);
  buttons->addWidget(later);
  auto* column = new QVBoxLayout(this);
  column->addWidget(intro);
  column->addLayout(middle, 1);
  column->addWidget(new QLabel(QStringLiteral("※「後で」を押すと、回復用コピーは次の起動まで残ります。"), this));
  column->addLayout(buttons);
  list_->selectRow(0);
  ShowSelected();
  resize(620, 360);
}

void CRecoveryDlg::ShowSelected() {
  const int row = list_->currentRow();
  const bool any = row >= 0 && row < static_cast<int>(rows_.size());
  restoreButton_->setEnabled(any);
  discardButton_->setEnabled(any);
  if (!any) {
    preview_->clear();
    details_->clear();
    return;
  }
  const Row& shown = rows_[static_cast<std::size_t>(row)];
  preview_->setPixmap(QPixmap::fromImage(shown.preview));
  details_->setText(QStringLiteral("ファイル: %1\n場所: %2\nコピーの時刻: %3")
                        .arg(shown.name, shown.folder.isEmpty() ? QStringLiteral("(未保存)") : shown.folder,
                             shown.time));
}

void CRecoveryDlg::RestoreSelected() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  if (restore_(row)) accept();
}

void CRecoveryDlg::DiscardSelected() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  if (platform::ShowMessage(platform::StringId::RecoveryDiscardAsk, {}, platform::MsgIcon::Question,
                            platform::MsgButtons::YesNo) != platform::MsgResult::Yes)
    return;
  discard_(row);
  rows_.erase(rows_.begin() + row);
  list_->removeRow(row);
  if (rows_.empty()) {
    accept();
    return;
  }
  ShowSelected();
}

}  // namespace plume::shell
