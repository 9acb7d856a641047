#include "store/ui/CDbDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>

#include "platform/Cp932.h"
#include "platform/qt/QtConvert.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/BalloonTip.h"
#include "store/InfoFile.h"
#include "store/OwnerLookup.h"
#include "store/MaterialScan.h"
#include "store/RelatedTextFile.h"
#include "store/StoredText.h"
#include "store/index/IndexService.h"
#include "store/ui/CPropertyData.h"
#include "store/ui/CTextDlg.h"
#include "store/ui/DialogPlacement.h"
#include "store/ui/MaterialPreview.h"

namespace plume::store {

namespace fs = std::filesystem;
namespace placement = platform::settings::DbDlg;
namespace kensaku = platform::settings::Kensaku;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::ShowMessage;
using platform::StringId;
using platform::settings::Get;
using platform::settings::Set;

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

constexpr const char* kRelatedTip =
    "データに関連したテキストを表示しています\n内容を変更したいときは、データ行を右クリックして\n"
    "メニューの「このデータの関連テキストを編集」を選択してください";

QString Tip(StringId id) { return QString::fromUtf8(platform::StringText(id).data(), platform::StringText(id).size()); }

/// A stored date "YYYY.MM.DD" as a date; invalid for no bound or a damaged value.
QDate StoredDate(const std::string& text) {
  if (text.size() < 10 || text == kNoLowerDate || text == kNoUpperDate) return {};
  bool okY = false, okM = false, okD = false;
  const int y = QString::fromStdString(text.substr(0, 4)).toInt(&okY);
  const int m = QString::fromStdString(text.substr(5, 2)).toInt(&okM);
  const int d = QString::fromStdString(text.substr(8, 2)).toInt(&okD);
  if (!okY || !okM || !okD || y < 1900 || m < 1 || m > 12 || d < 1 || d > 31) return {};
  return QDate(y, m, d);
}

}  // namespace

/// Hands the scan's rows to the list and keeps the window alive meanwhile.
class DbScanObserver : public ScanObserver {
 public:
  explicit DbScanObserver(CDbDlg& dlg) : dlg_(dlg) {}
  void ScanStarted(int max) override { dlg_.progress_->setRange(0, std::max(1, max)); }
  void RowFound(const SearchRow& row) override {
    dlg_.AppendRow(row);
    dlg_.progress_->setValue(std::stoi(row.col[kColNo]));
    if (dlg_.list_->rowCount() == 1) QApplication::processEvents();  // the first row shows at once
  }
  bool KeepGoing() override {
    QApplication::processEvents();
    return !dlg_.stopScan_;
  }

 private:
  CDbDlg& dlg_;
};

CDbDlg::CDbDlg(Mode mode, MaterialStore& store, platform::SettingsStore& settings,
               const platform::PictureCodec& pictures, DbDlgHooks hooks, QWidget* parent)
    : QDialog(parent), mode_(mode), store_(store), settings_(settings), pictures_(pictures), hooks_(std::move(hooks)) {
  setWindowTitle(QStringLiteral("データベース"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  const bool paste = mode_ == Mode::Paste;
  BuildControls(Tip(paste ? StringId::PasteSearchGuide : StringId::BrowseSearchGuide),
                paste ? QStringLiteral("選択決定(&O)") : QStringLiteral("閲覧終了(&X)"));
  if (Get(settings_, platform::settings::KanSet::Fukugen) == 1) RestoreConditions();
  RestorePlacement();
  if (hooks_.index != nullptr) {
    // Others' changes are caught up in the background while the dialog is open.
    hooks_.index->CatchUp();
    indexTimer_ = new QTimer(this);
    connect(indexTimer_, &QTimer::timeout, this, &CDbDlg::ShowIndexState);
    indexTimer_->start(200);
    ShowIndexState();
  }
}

void CDbDlg::ShowIndexState() {
  const index::KeeperStatus status = hooks_.index->Status();
  indexState_->setVisible(status.walking);
  if (status.walking) {
    indexState_->setText(Tip(StringId::IndexUpdating) + QStringLiteral(" %1 / %2")
                                                            .arg(QLocale(QLocale::C).toString(status.walked))
                                                            .arg(QLocale(QLocale::C).toString(status.total)));
  }
}

void CDbDlg::BuildControls(const QString& prompt, const QString& okCaption) {
  prompt_ = new QLabel(prompt, this);
  prompt_->setObjectName(QStringLiteral("prompt"));
  types_ = new QComboBox(this);
  types_->setObjectName(QStringLiteral("types"));
  for (int i = 0; i < 7; ++i) types_->addItem(QString::fromUtf8(TypeCaption(i).data(), TypeCaption(i).size()));
  types_->setCurrentIndex(0);
  types_->setToolTip(Tip(StringId::TypeListTip));
  auto makeDate = [this](const char* name, QCheckBox*& box, QDateEdit*& edit, const QString& caption) {
    box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(name) + QStringLiteral("On"));
    edit = new QDateEdit(QDate::currentDate(), this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    edit->setCalendarPopup(true);
    edit->setEnabled(false);
    box->setToolTip(Tip(StringId::DatePickerTip));
    edit->setToolTip(Tip(StringId::DatePickerTip));
    connect(box, &QCheckBox::toggled, edit, &QWidget::setEnabled);
  };
  makeDate("date1", hasDate1_, date1_, QStringLiteral("(自)"));
  makeDate("date2", hasDate2_, date2_, QStringLiteral("(至)"));
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("text"));
  text_->setToolTip(Tip(StringId::SearchTextTip));
  fullText_ = new QCheckBox(Tip(StringId::FullTextCheck), this);
  fullText_->setObjectName(QStringLiteral("fullText"));
  fullText_->setToolTip(Tip(StringId::FullTextTip));
  fullText_->setEnabled(hooks_.index != nullptr && hooks_.index->FullTextEnabled());
  indexState_ = new QLabel(this);
  indexState_->setObjectName(QStringLiteral("indexState"));
  indexState_->hide();
  search_ = new QPushButton(QStringLiteral("検索(&S)"), this);
  search_->setObjectName(QStringLiteral("search"));
  search_->setToolTip(Tip(StringId::SearchButtonTip));
  search_->setDefault(true);
  ok_ = new QPushButton(okCaption, this);
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setToolTip(Tip(StringId::DbOkButtonTip));
  ok_->setEnabled(false);
  ok_->setAutoDefault(false);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setTextVisible(false);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  preview_ = new MaterialPreview(this);
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setFixedSize(160, 120);
  related_ = new QPlainTextEdit(this);
  related_->setObjectName(QStringLiteral("related"));
  related_->setReadOnly(true);
  related_->setFixedHeight(120);
  related_->setMinimumWidth(200);
  related_->setToolTip(QString::fromUtf8(kRelatedTip));

  list_ = new QTableWidget(0, kSearchColumnCount, this);
  list_->setObjectName(QStringLiteral("list"));
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(true);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->horizontalHeader()->setSectionsClickable(true);
  list_->horizontalHeader()->setHighlightSections(false);
  for (int c = 0; c < kSearchColumnCount; ++c) {
    auto* header = new QTableWidgetItem(QString::fromUtf8(kColumns[c].title));
    header->setTextAlignment(kColumns[c].align);
    list_->setHorizontalHeaderItem(c, header);
    // A column is never narrower than its heading: a cut heading ("…イズ(KB)") says nothing.
    list_->setColumnWidth(c, std::max(kColumns[c].width, list_->horizontalHeader()->sectionSizeHint(c)));
  }

  // The tips: after 100 ms, for 3 seconds, at most 512 pixels wide.
  auto& tip = platform::BalloonTip::For(*this);
  for (QWidget* tipped : std::initializer_list<QWidget*>{types_, hasDate1_, date1_, hasDate2_, date2_, text_, ok_,
                                                          search_, related_, fullText_}) {
    tip.Watch(*tipped);
  }
  connect(search_, &QPushButton::clicked, this, &CDbDlg::Search);
  connect(ok_, &QPushButton::clicked, this, &CDbDlg::OkClicked);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CDbDlg::HeaderClicked);
  connect(list_, &QTableWidget::itemSelectionChanged, this, &CDbDlg::RowSelected);
  connect(list_, &QWidget::customContextMenuRequested, this, &CDbDlg::ShowContextMenu);
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int, int) {
    TakeCurrentRow();
    RunCommand(kCmdProperties);
  });

  auto* conditions = new QGridLayout;
  conditions->addWidget(new QLabel(QStringLiteral("1 種別："), this), 0, 0);
  conditions->addWidget(types_, 0, 1, 1, 2);
  conditions->addWidget(new QLabel(QStringLiteral("2 取得日時："), this), 1, 0);
  auto* dates = new QHBoxLayout;
  dates->addWidget(hasDate1_);
  dates->addWidget(date1_);
  dates->addWidget(hasDate2_);
  dates->addWidget(date2_);
  dates->addStretch(1);
  conditions->addLayout(dates, 1, 1, 1, 2);
  conditions->addWidget(new QLabel(QStringLiteral("3 テキスト："), this), 2, 0);
  conditions->addWidget(text_, 2, 1);
  conditions->addWidget(fullText_, 2, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(search_);
  buttons->addWidget(ok_);
  buttons->addWidget(progress_, 1);
  conditions->addLayout(buttons, 3, 0, 1, 3);
  conditions->addWidget(indexState_, 4, 0, 1, 3);
  auto* left = new QVBoxLayout;
  left->addWidget(prompt_);
  left->addLayout(conditions);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 0);
  top->addWidget(preview_, 0, Qt::AlignTop);
  top->addWidget(related_, 1, Qt::AlignTop);
  // The list keeps its top and left and fills the rest less 5 pixels.
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(5, 5, 5, 5);
  column->addLayout(top);
  column->addWidget(list_, 1);
}

void CDbDlg::RestoreConditions() {
  const int type = Get(settings_, kensaku::Type);
  types_->setCurrentIndex(type >= 0 && type < 7 ? type : 0);
  const QDate d1 = StoredDate(Get(settings_, kensaku::Date1));
  const QDate d2 = StoredDate(Get(settings_, kensaku::Date2));
  if (d1.isValid()) {
    date1_->setDate(d1);
    hasDate1_->setChecked(true);
  }
  if (d2.isValid()) {
    date2_->setDate(d2);
    hasDate2_->setChecked(true);
  }
  text_->setText(platform::FromCp932(Get(settings_, kensaku::Text)));
  fullText_->setChecked(fullText_->isEnabled() && Get(settings_, kensaku::FullText) == 1);
}

void CDbDlg::RestorePlacement() {
  RestoreDialogPlacement(*this, settings_, placement::Placement, QSize(640, 480).expandedTo(minimumSizeHint()),
                         minimumSizeHint());
}

void CDbDlg::StorePlacement() { StoreDialogPlacement(*this, settings_, placement::Placement); }

void CDbDlg::resizeEvent(QResizeEvent* event) { QDialog::resizeEvent(event); }

void CDbDlg::done(int result) {
  if (scanning_) {
    // Closing during a scan: the scan stops first, then the dialog closes.
    stopScan_ = true;
    pendingResult_ = result;
    return;
  }
  StorePlacement();
  QDialog::done(result);
}

std::string CDbDlg::Cell(int row, int column) const {
  const QTableWidgetItem* item = list_->item(row, column);
  return item ? item->data(kBytesRole).toByteArray().toStdString() : std::string();
}

bool CDbDlg::IsChecked(int row) const {
  const QTableWidgetItem* item = list_->item(row, kColNo);
  return item && item->checkState() == Qt::Checked;
}

void CDbDlg::SetChecked(int row, bool checked) {
  if (QTableWidgetItem* item = list_->item(row, kColNo)) item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CDbDlg::AppendRow(const SearchRow& row) {
  const int r = list_->rowCount();
  list_->insertRow(r);
  for (int c = 0; c < kSearchColumnCount; ++c) {
    auto* item = new QTableWidgetItem(platform::FromCp932(row.col[c]));
    item->setData(kBytesRole, QByteArray::fromStdString(row.col[c]));
    item->setTextAlignment(kColumns[c].align);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (c == kColNo) {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
      item->setData(kSnippetRole, QByteArray::fromStdString(row.snippet));
    }
    // A hit inside the material itself shows the text around it.
    if (!row.snippet.empty()) item->setToolTip(Tip(StringId::SnippetLabel) + platform::FromCp932(row.snippet));
    list_->setItem(r, c, item);
  }
}

void CDbDlg::Renumber() {
  for (int r = 0; r < list_->rowCount(); ++r) {
    const std::string number = std::to_string(r + 1);
    QTableWidgetItem* item = list_->item(r, kColNo);
    item->setText(QString::fromStdString(number));
    item->setData(kBytesRole, QByteArray::fromStdString(number));
  }
}

void CDbDlg::Search() {
  if (scanning_) return;
  ok_->setEnabled(true);
  SearchConditions c;
  c.typeIndex = std::max(0, types_->currentIndex());
  Set(settings_, kensaku::Type, c.typeIndex);
  c.date1 = hasDate1_->isChecked() ? date1_->date().toString(QStringLiteral("yyyy.MM.dd")).toStdString()
                                   : std::string(kNoLowerDate);
  c.date2 = hasDate2_->isChecked() ? date2_->date().toString(QStringLiteral("yyyy.MM.dd")).toStdString()
                                   : std::string(kNoUpperDate);
  Set(settings_, kensaku::Date1, c.date1);
  Set(settings_, kensaku::Date2, c.date2);
  c.text = platform::Utf8ToCp932(text_->text().toStdString());
  Set(settings_, kensaku::Text, c.text);
  c.fullText = fullText_->isEnabled() && fullText_->isChecked();
  Set(settings_, kensaku::FullText, c.fullText ? 1 : 0);
  if (Get(settings_, platform::settings::KanSet::Kakunin) == 1 &&
      ShowMessage(StringId::StartSearchAsk, ConfirmationPrefix(c), MsgIcon::Question, MsgButtons::YesNo, this) !=
          MsgResult::Yes) {
    return;
  }
  list_->setRowCount(0);
  currentRow_ = -1;
  preview_->SetPicture(nullptr);
  related_->clear();
  scanning_ = true;
  stopScan_ = false;
  search_->setEnabled(false);
  DbScanObserver observer(*this);
  ScanResult result;
  usedIndex_ = false;
  if (hooks_.index == nullptr) {
    result = ScanMaterials(store_, settings_, c, observer, this);
  } else if (const auto root = store_.Root()) {
    result = hooks_.index->Search(*root, store_.SerialWalkEnd(*root), Get(settings_, platform::settings::KanSet::HitMax),
                                  c, observer, this, &usedIndex_);
  }
  scanning_ = false;
  search_->setEnabled(true);
  progress_->setValue(0);
  if (pendingResult_ >= 0) {
    done(pendingResult_);
    return;
  }
  if (result.ran && result.hits == 0 && !result.stopped) {
    ShowMessage(StringId::NoSearchHits, {}, MsgIcon::Information, MsgButtons::Ok, this);
  }
}

void CDbDlg::ShowMaterial(Serial serial) {
  const auto root = store_.Root();
  if (!root) return;
  const auto row = index::RowOfMaterial(*root, serial);
  if (!row) return;
  list_->setRowCount(0);
  AppendRow(*row);
  ok_->setEnabled(true);
  list_->selectRow(0);
}

void CDbDlg::HeaderClicked(int column) {
  if (scanning_) return;
  if (column <= kColNo || column >= kSearchColumnCount) return;
  if (column != sortColumn_) {
    sortColumn_ = column;
    return;
  }
  if (list_->rowCount() < 2) return;
  list_->clearSelection();
  struct Row {
    SearchRow row;
    bool checked;
  };
  std::vector<Row> rows(static_cast<std::size_t>(list_->rowCount()));
  for (int r = 0; r < list_->rowCount(); ++r) {
    for (int c = 0; c < kSearchColumnCount; ++c) rows[r].row.col[c] = Cell(r, c);
    rows[r].row.snippet = list_->item(r, kColNo)->data(kSnippetRole).toByteArray().toStdString();
    rows[r].checked = IsChecked(r);
  }
  const bool ascending = sortAscending_[column];
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    const int order = a.row.col[column].compare(b.row.col[column]);
    return ascending ? order < 0 : order > 0;
  });
  QSignalBlocker block(list_);
  list_->setRowCount(0);
  for (const Row& r : rows) {
    AppendRow(r.row);
    SetChecked(list_->rowCount() - 1, r.checked);
  }
  sortAscending_[column] = !ascending;
  Renumber();
  currentRow_ = -1;
}

void CDbDlg::RowSelected() {
  const QList<QTableWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty() || scanning_) return;
  const int row = list_->currentRow() >= 0 && list_->item(list_->currentRow(), 0)->isSelected() ? list_->currentRow()
                                                                                                 : selected.first()->row();
  const std::string type = Cell(row, kColType);
  const std::string serial = Cell(row, kColSerial);
  std::unique_ptr<platform::Picture> picture;
  std::int32_t transparent = -1;
  if (type != "PDF") {
    picture = store_.LoadMaterialImage(type, serial, pictures_, transparent);
  }
  preview_->SetPicture(std::move(picture), transparent);
  const auto root = store_.Root();
  const fs::path file = root ? MaterialStore::RelatedTextIn(*root, serial) : fs::path();
  std::ifstream probe(file, std::ios::binary);
  if (file.empty() || !probe) {
    related_->setPlainText(QStringLiteral("No Text"));
  } else {
    related_->setPlainText(QString::fromStdString(FromStoredText(LoadRelatedText(file))));
  }
}

void CDbDlg::TakeCurrentRow() {
  const QList<QTableWidgetSelectionRange> ranges = list_->selectedRanges();
  currentRow_ = -1;
  for (const auto& range : ranges) {
    if (currentRow_ < 0 || range.topRow() < currentRow_) currentRow_ = range.topRow();
  }
}

void CDbDlg::ShowContextMenu(const QPoint& pos) {
  if (list_->itemAt(pos) == nullptr) return;
  TakeCurrentRow();
  QMenu menu(this);
  auto add = [&](int id) {
    const std::string_view caption = commands::FindCommand(id)->caption;
    menu.addAction(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())))->setData(id);
  };
  add(kCmdCheckSelected);
  add(kCmdUncheckSelected);
  menu.addSeparator();
  add(kCmdShowSource);
  add(kCmdDeleteChecked);
  menu.addSeparator();
  add(kCmdCheckOwnerless);
  menu.addSeparator();
  add(kCmdSameImage);
  add(kCmdEditText);
  menu.addSeparator();
  add(kCmdProperties);
  if (QAction* chosen = menu.exec(list_->viewport()->mapToGlobal(pos))) RunCommand(chosen->data().toInt());
}

void CDbDlg::RunCommand(int command) {
  if (scanning_) return;
  TakeCurrentRow();
  switch (command) {
    case kCmdCheckSelected:
    case kCmdUncheckSelected:
      for (int r = 0; r < list_->rowCount(); ++r) {
        if (list_->item(r, kColNo)->isSelected()) SetChecked(r, command == kCmdCheckSelected);
      }
      break;
    case kCmdShowSource:
      if (currentRow_ >= 0 && hooks_.navigate) hooks_.navigate(Cell(currentRow_, kColFrom));
      break;
    case kCmdDeleteChecked:
      DeleteChecked();
      break;
    case kCmdCheckOwnerless:
      CheckOwnerless();
      break;
    case kCmdSameImage:
      SameImage();
      break;
    case kCmdEditText:
      EditRelatedText();
      break;
    case kCmdProperties:
      ShowProperties();
      break;
    default:
      break;
  }
}

void CDbDlg::DeleteChecked() {
  bool any = false;
  for (int r = 0; r < list_->rowCount() && !any; ++r) any = IsChecked(r);
  if (!any) {
    ShowMessage(StringId::NothingChecked, {}, MsgIcon::Error, MsgButtons::Ok, this);
    return;
  }
  if (ShowMessage(StringId::DeleteCheckedAsk, {}, MsgIcon::Question, MsgButtons::YesNo, this) != MsgResult::Yes) {
    return;
  }
  for (int r = list_->rowCount() - 1; r >= 0; --r) {
    if (!IsChecked(r)) continue;
    if (!store_.DeleteMaterial(ParseSerial(Cell(r, kColSerial)), Cell(r, kColType))) break;
    list_->removeRow(r);
  }
  currentRow_ = -1;
  Renumber();
}

void CDbDlg::CheckOwnerless() {
  InfoFile info(store_);
  int checked = 0;
  int unsure = 0;
  for (int r = 0; r < list_->rowCount(); ++r) {
    SetChecked(r, false);
    const int count = std::atoi(Cell(r, kColOwnerCount).c_str());
    if (count == 0) continue;
    // Only a material none of whose owners can be found is checked: an owner
    // line that may stand for a file that cannot be looked at keeps it unchecked.
    OwnerPresence found = OwnerLookup::Find(Cell(r, kColOwner));
    const Serial serial = ParseSerial(Cell(r, kColSerial));
    bool doubt = found == OwnerPresence::Unknown;
    for (int i = 2; i <= count && found != OwnerPresence::Present; ++i) {
      found = OwnerLookup::Find(info.ReadInfoTag(serial, "FilePath", i));
      doubt = doubt || found == OwnerPresence::Unknown;
    }
    if (found == OwnerPresence::Present) continue;
    if (doubt) {
      ++unsure;
      continue;
    }
    SetChecked(r, true);
    ++checked;
  }
  if (unsure > 0) {
    ShowMessage(StringId::OwnersUnknown, std::to_string(unsure) + "件\n", MsgIcon::Information, MsgButtons::Ok, this);
  } else if (checked == 0) {
    ShowMessage(StringId::AllMaterialsOwned, {}, MsgIcon::Information, MsgButtons::Ok, this);
  }
}

void CDbDlg::SameImage() {
  if (currentRow_ < 0) return;
  const std::string hash = Cell(currentRow_, kColSha256);
  list_->clearSelection();
  int matches = 0;
  for (int r = 0; r < list_->rowCount(); ++r) {
    if (Cell(r, kColSha256) != hash) continue;
    list_->selectionModel()->select(list_->model()->index(r, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ++matches;
  }
  if (matches < 2) {
    ShowMessage(StringId::NoSameImage, {}, MsgIcon::Information, MsgButtons::Ok, this);
  } else {
    ShowMessage(StringId::SameImageFound, std::to_string(matches - 1) + "件\n", MsgIcon::Information,
                MsgButtons::Ok, this);
  }
}

void CDbDlg::EditRelatedText() {
  if (currentRow_ < 0) return;
  const auto root = store_.Root();
  if (!root) return;
  const std::string serial = Cell(currentRow_, kColSerial);
  const fs::path folder = *root / std::string(kTextType) / BucketOf(serial);
  CTextDlg dlg(folder, folder / (serial + ".TXT"), settings_, hooks_.textArea, this);
  dlg.exec();
}

void CDbDlg::ShowProperties() {
  if (currentRow_ < 0) return;
  DataProperties props;
  for (int c = kColType; c <= kColFrom; ++c) props.values[c - kColType] = Cell(currentRow_, c);
  InfoFile info(store_);
  const Serial serial = ParseSerial(Cell(currentRow_, kColSerial));
  for (int i = 1; i <= CPropertyData::kMaxOwners; ++i) {
    std::string owner = info.ReadInfoTag(serial, "FilePath", i);
    if (owner.empty()) break;
    props.owners.push_back(std::move(owner));
  }
  CPropertyData dlg(std::move(props), store_, settings_, pictures_, hooks_, this);
  dlg.exec();
}

void CDbDlg::OkClicked() {
  if (scanning_) return;
  if (mode_ == Mode::Browse) {
    accept();
    return;
  }
  std::vector<MaterialPick> picks;
  for (int r = 0; r < list_->rowCount(); ++r) {
    if (!IsChecked(r)) continue;
    picks.push_back(MaterialPick{Cell(r, kColType), ParseSerial(Cell(r, kColSerial)), Cell(r, kColTitle),
                                 static_cast<int>(UngroupedNumber(Cell(r, kColWidth))),
                                 static_cast<int>(UngroupedNumber(Cell(r, kColHeight)))});
  }
  if (picks.empty()) {
    if (ShowMessage(StringId::AbandonPasteAsk, {}, MsgIcon::Question, MsgButtons::YesNo, this) == MsgResult::Yes) {
      reject();
    }
    return;
  }
  const PickPasteResult result = hooks_.paste ? hooks_.paste(picks) : PickPasteResult{};
  if (result.created > 0 && !result.refused) accept();
}

}  // namespace plume::store
