#include "document/ui/CPageDlg.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "document/PageTabs.h"
#include "platform/Cp932.h"
#include "platform/qt/QtConvert.h"

namespace plume::document {

namespace {
struct Column {
  const char* heading;
  int width;
  Qt::Alignment align;
};
const Column kColumns[] = {{"No", 30, Qt::AlignCenter},
                           {"頁タイトル", 150, Qt::AlignLeft | Qt::AlignVCenter},
                           {"ＰＤＦ", 80, Qt::AlignRight | Qt::AlignVCenter},
                           {"イメージ", 80, Qt::AlignRight | Qt::AlignVCenter},
                           {"付箋", 80, Qt::AlignRight | Qt::AlignVCenter},
                           {"合計", 80, Qt::AlignRight | Qt::AlignVCenter}};
}  // namespace

CPageDlg::CPageDlg(PageTabs& tabs, std::function<void()> shown, QWidget* parent)
    : QDialog(parent), tabs_(tabs), shown_(std::move(shown)), list_(new QTableWidget(this)) {
  setWindowTitle(QStringLiteral("頁一覧　※ Ｗクリックでその頁を表示します"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->addWidget(list_);
  list_->setColumnCount(static_cast<int>(std::size(kColumns)));
  list_->setShowGrid(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
    auto* head = new QTableWidgetItem(QString::fromUtf8(kColumns[c].heading));
    list_->setHorizontalHeaderItem(c, head);
    list_->setColumnWidth(c, kColumns[c].width);
  }
  Fill();
  resize(540, 360);
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { ActivateRow(row); });
}

void CPageDlg::Fill() {
  list_->setRowCount(tabs_.Count());
  for (int row = 0; row < tabs_.Count(); ++row) {
    const auto counts = tabs_.CountsOf(row);
    const QString cells[] = {QString::number(row + 1),
                             platform::FromCp932(tabs_.FullName(row)),
                             QString::number(counts.withoutPicture), QString::number(counts.withPicture),
                             QString::number(counts.slips), QString::number(counts.total)};
    for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(kColumns[c].align);
      list_->setItem(row, c, item);
    }
  }
}

void CPageDlg::ActivateRow(int row) {
  tabs_.ShowPage(row);
  if (shown_) shown_();
}

}  // namespace plume::document
