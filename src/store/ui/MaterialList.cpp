#include "store/ui/MaterialList.h"

#include <QHeaderView>

#include <algorithm>
#include <vector>

#include "platform/Messages.h"
#include "platform/qt/QtConvert.h"

namespace plume::store {

namespace {

constexpr int kBytesRole = Qt::UserRole + 1;
/// The text around a hit inside the material (CP932), on column 0.
constexpr int kSnippetRole = Qt::UserRole + 2;

struct ColumnSpec {
  const char* title;
  int width;
  Qt::Alignment align;
};
constexpr ColumnSpec kColumns[kSearchColumnCount] = {
    {"No", 50, Qt::AlignCenter},         {"種別", 70, Qt::AlignCenter},
    {"シリアルNo", 110, Qt::AlignCenter}, {"タイトル", 110, Qt::AlignLeft | Qt::AlignVCenter},
    {"サイズ(KB)", 60, Qt::AlignRight | Qt::AlignVCenter}, {"幅(px)", 60, Qt::AlignRight | Qt::AlignVCenter},
    {"高さ(px)", 60, Qt::AlignRight | Qt::AlignVCenter},   {"取得日時", 110, Qt::AlignCenter},
    {"取得先", 240, Qt::AlignLeft | Qt::AlignVCenter},     {"O", 30, Qt::AlignCenter},
    {"オーナー", 240, Qt::AlignLeft | Qt::AlignVCenter},   {"SHA256", 240, Qt::AlignCenter},
};

}  // namespace

MaterialList::MaterialList(QWidget* parent) : QTableWidget(0, kSearchColumnCount, parent) {
  setObjectName(QStringLiteral("list"));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(20);
  setContextMenuPolicy(Qt::CustomContextMenu);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  for (int c = 0; c < kSearchColumnCount; ++c) {
    auto* header = new QTableWidgetItem(QString::fromUtf8(kColumns[c].title));
    header->setTextAlignment(kColumns[c].align);
    setHorizontalHeaderItem(c, header);
    // A column is never narrower than its heading: a cut heading ("…イズ(KB)") says nothing.
    setColumnWidth(c, std::max(kColumns[c].width, horizontalHeader()->sectionSizeHint(c)));
  }
}

std::string MaterialList::Cell(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? cell->data(kBytesRole).toByteArray().toStdString() : std::string();
}

bool MaterialList::IsChecked(int row) const {
  const QTableWidgetItem* cell = item(row, kColNo);
  return cell && cell->checkState() == Qt::Checked;
}

void MaterialList::SetChecked(int row, bool checked) {
  if (QTableWidgetItem* cell = item(row, kColNo)) cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void MaterialList::AppendRow(const SearchRow& row) {
  const int r = rowCount();
  insertRow(r);
  for (int c = 0; c < kSearchColumnCount; ++c) {
    auto* cell = new QTableWidgetItem(platform::FromCp932(row.col[c]));
    cell->setData(kBytesRole, QByteArray::fromStdString(row.col[c]));
    cell->setTextAlignment(kColumns[c].align);
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (c == kColNo) {
      cell->setFlags(cell->flags() | Qt::ItemIsUserCheckable);
      cell->setCheckState(Qt::Unchecked);
      cell->setData(kSnippetRole, QByteArray::fromStdString(row.snippet));
    }
    // A hit inside the material itself shows the text around it.
    if (!row.snippet.empty()) {
      cell->setToolTip(platform::UiText(platform::StringId::SnippetLabel) +
                       platform::FromCp932(row.snippet));
    }
    setItem(r, c, cell);
  }
}

void MaterialList::Renumber() {
  for (int r = 0; r < rowCount(); ++r) {
    const std::string number = std::to_string(r + 1);
    QTableWidgetItem* cell = item(r, kColNo);
    cell->setText(QString::fromStdString(number));
    cell->setData(kBytesRole, QByteArray::fromStdString(number));
  }
}

void MaterialList::SortBy(int column, bool ascending) {
  clearSelection();
  struct Row {
    SearchRow row;
    bool checked;
  };
  std::vector<Row> rows(static_cast<std::size_t>(rowCount()));
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < kSearchColumnCount; ++c) rows[r].row.col[c] = Cell(r, c);
    rows[r].row.snippet = item(r, kColNo)->data(kSnippetRole).toByteArray().toStdString();
    rows[r].checked = IsChecked(r);
  }
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    const int order = a.row.col[column].compare(b.row.col[column]);
    return ascending ? order < 0 : order > 0;
  });
  QSignalBlocker block(this);
  setRowCount(0);
  for (const Row& r : rows) {
    AppendRow(r.row);
    SetChecked(rowCount() - 1, r.checked);
  }
  Renumber();
}

}  // namespace plume::store
