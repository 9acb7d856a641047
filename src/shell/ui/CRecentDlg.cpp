#include "shell/ui/CRecentDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace plume::shell {

CRecentDlg::CRecentDlg(RecentFileList& recent, std::function<void(const std::string&)> openFolder, QWidget* parent)
    : QDialog(parent), recent_(recent), openFolder_(std::move(openFolder)) {
  setWindowTitle(QStringLiteral("最近使ったファイルの管理"));
  list_ = new QTableWidget(0, 2, this);
  list_->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("パス")});
  list_->setColumnWidth(0, 60);
  list_->setColumnWidth(1, 450);
  list_->setShowGrid(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  const std::vector<std::string>& entries = recent_.Entries();
  for (std::size_t i = 0; i < entries.size() && i < RecentFileList::kSize && !entries[i].empty(); ++i) {
    const int row = list_->rowCount();
    list_->insertRow(row);
    auto* number = new QTableWidgetItem;
    number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    number->setCheckState(Qt::Unchecked);
    number->setTextAlignment(Qt::AlignCenter);
    list_->setItem(row, 0, number);
    list_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(entries[i])));
  }
  Renumber();
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (openFolder_ && list_->item(row, 1)) openFolder_(list_->item(row, 1)->text().toStdString());
  });

  auto* deleteChecked = new QPushButton(QStringLiteral("チェックのある履歴を削除(&P)"), this);
  auto* deleteAll = new QPushButton(QStringLiteral("すべての履歴を削除(&A)"), this);
  auto* back = new QPushButton(QStringLiteral("戻る(&B)"), this);
  connect(deleteChecked, &QPushButton::clicked, this, &CRecentDlg::DeleteChecked);
  connect(deleteAll, &QPushButton::clicked, this, &CRecentDlg::DeleteAll);
  connect(back, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(deleteChecked);
  buttons->addWidget(deleteAll);
  buttons->addStretch(1);
  buttons->addWidget(back);
  auto* column = new QVBoxLayout(this);
  column->addWidget(list_);
  column->addWidget(new QLabel(QStringLiteral("※ 行をＷクリックするとファイルの場所を表示します。"), this));
  column->addLayout(buttons);
  resize(560, 320);
}

void CRecentDlg::DeleteChecked() {
  for (int row = list_->rowCount() - 1; row >= 0; --row) {
    if (list_->item(row, 0)->checkState() != Qt::Checked) continue;
    recent_.Remove(row + 1);
    list_->removeRow(row);
  }
  Renumber();
}

void CRecentDlg::DeleteAll() {
  for (int n = static_cast<int>(recent_.Entries().size()); n >= 1; --n) recent_.Remove(n);
  list_->setRowCount(0);
}

void CRecentDlg::Renumber() {
  for (int row = 0; row < list_->rowCount(); ++row) list_->item(row, 0)->setText(QString::number(row + 1));
}

}  // namespace plume::shell
