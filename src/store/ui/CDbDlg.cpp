#include "store/ui/CDbDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>

#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/BalloonTip.h"
#include "platform/qt/QtConvert.h"
#include "store/MaterialScan.h"
#include "store/RelatedTextFile.h"
#include "store/StoredText.h"
#include "store/index/IndexService.h"
#include "store/ui/DbListCommands.h"
#include "store/ui/DbScanObserver.h"
#include "store/ui/DialogPlacement.h"
#include "store/ui/MaterialList.h"
#include "store/ui/MaterialPreview.h"
#include "store/ui/SearchConditionsForm.h"

namespace plume::store {

namespace fs = std::filesystem;
namespace placement = platform::settings::DbDlg;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::ShowMessage;
using platform::StringId;
using platform::settings::Get;

namespace {

constexpr const char* kRelatedTip =
    "データに関連したテキストを表示しています\n内容を変更したいときは、データ行を右クリックして\n"
    "メニューの「このデータの関連テキストを編集」を選択してください";

}  // namespace

CDbDlg::CDbDlg(Mode mode, MaterialStore& store, platform::SettingsStore& settings,
               const platform::PictureCodec& pictures, DbDlgHooks hooks, QWidget* parent)
    : QDialog(parent), mode_(mode), store_(store), settings_(settings), pictures_(pictures), hooks_(std::move(hooks)) {
  setWindowTitle(QStringLiteral("データベース"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  const bool paste = mode_ == Mode::Paste;
  BuildControls(platform::UiText(paste ? StringId::PasteSearchGuide : StringId::BrowseSearchGuide),
                paste ? QStringLiteral("選択決定(&O)") : QStringLiteral("閲覧終了(&X)"));
  commands_ = std::make_unique<DbListCommands>(*list_, store_, settings_, pictures_, hooks_, *this);
  if (Get(settings_, platform::settings::KanSet::Fukugen) == 1) conditions_->Restore(settings_);
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

CDbDlg::~CDbDlg() = default;

void CDbDlg::ShowIndexState() {
  const index::KeeperStatus status = hooks_.index->Status();
  indexState_->setVisible(status.walking);
  if (status.walking) {
    indexState_->setText(platform::UiText(StringId::IndexUpdating) + QStringLiteral(" %1 / %2")
                                                            .arg(QLocale(QLocale::C).toString(status.walked))
                                                            .arg(QLocale(QLocale::C).toString(status.total)));
  }
}

void CDbDlg::BuildControls(const QString& prompt, const QString& okCaption) {
  prompt_ = new QLabel(prompt, this);
  prompt_->setObjectName(QStringLiteral("prompt"));
  conditions_ = std::make_unique<SearchConditionsForm>(*this,
                                                       hooks_.index != nullptr && hooks_.index->FullTextEnabled());
  indexState_ = new QLabel(this);
  indexState_->setObjectName(QStringLiteral("indexState"));
  indexState_->hide();
  search_ = new QPushButton(QStringLiteral("検索(&S)"), this);
  search_->setObjectName(QStringLiteral("search"));
  search_->setToolTip(platform::UiText(StringId::SearchButtonTip));
  search_->setDefault(true);
  ok_ = new QPushButton(okCaption, this);
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setToolTip(platform::UiText(StringId::DbOkButtonTip));
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

  list_ = new MaterialList(this);

  // The tips: after 100 ms, for 3 seconds, at most 512 pixels wide.
  auto& tip = platform::BalloonTip::For(*this);
  conditions_->WatchTips(tip);
  for (QWidget* tipped : std::initializer_list<QWidget*>{ok_, search_, related_}) tip.Watch(*tipped);
  connect(search_, &QPushButton::clicked, this, &CDbDlg::Search);
  connect(ok_, &QPushButton::clicked, this, &CDbDlg::OkClicked);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CDbDlg::HeaderClicked);
  connect(list_, &QTableWidget::itemSelectionChanged, this, &CDbDlg::RowSelected);
  connect(list_, &QWidget::customContextMenuRequested, this, &CDbDlg::ShowContextMenu);
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { RunCommand(kCmdProperties); });

  auto* conditions = new QGridLayout;
  conditions_->AddTo(*conditions);
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

QTableWidget* CDbDlg::List() const { return list_; }
std::string CDbDlg::Cell(int row, int column) const { return list_->Cell(row, column); }
bool CDbDlg::IsChecked(int row) const { return list_->IsChecked(row); }
void CDbDlg::SetChecked(int row, bool checked) { list_->SetChecked(row, checked); }

void CDbDlg::Search() {
  if (scanning_) return;
  ok_->setEnabled(true);
  const SearchConditions c = conditions_->Take(settings_);
  if (Get(settings_, platform::settings::KanSet::Kakunin) == 1 &&
      ShowMessage(StringId::StartSearchAsk, ConfirmationPrefix(c), MsgIcon::Question, MsgButtons::YesNo, this) !=
          MsgResult::Yes) {
    return;
  }
  list_->setRowCount(0);
  preview_->SetPicture(nullptr);
  related_->clear();
  scanning_ = true;
  stopScan_ = false;
  search_->setEnabled(false);
  DbScanObserver observer(*list_, *progress_, stopScan_);
  ScanResult result;
  if (hooks_.index == nullptr) {
    result = ScanMaterials(store_, settings_, c, observer, this);
  } else if (const auto root = store_.Root()) {
    result = hooks_.index->Search(*root, store_.SerialWalkEnd(*root), Get(settings_, platform::settings::KanSet::HitMax),
                                  c, observer, this);
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
  list_->AppendRow(*row);
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
  list_->SortBy(column, sortAscending_[column]);
  sortAscending_[column] = !sortAscending_[column];
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

int CDbDlg::FirstSelectedRow() const {
  int first = -1;
  for (const auto& range : list_->selectedRanges()) {
    if (first < 0 || range.topRow() < first) first = range.topRow();
  }
  return first;
}

void CDbDlg::ShowContextMenu(const QPoint& pos) {
  if (list_->itemAt(pos) == nullptr) return;
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
  const int row = FirstSelectedRow();
  switch (command) {
    case kCmdCheckSelected:
    case kCmdUncheckSelected:
      for (int r = 0; r < list_->rowCount(); ++r) {
        if (list_->item(r, kColNo)->isSelected()) SetChecked(r, command == kCmdCheckSelected);
      }
      break;
    case kCmdShowSource:
      if (row >= 0 && hooks_.navigate) hooks_.navigate(Cell(row, kColFrom));
      break;
    case kCmdDeleteChecked:
      commands_->DeleteChecked();
      break;
    case kCmdCheckOwnerless:
      commands_->CheckOwnerless();
      break;
    case kCmdSameImage:
      if (row >= 0) commands_->SameImage(row);
      break;
    case kCmdEditText:
      if (row >= 0) commands_->EditRelatedText(row);
      break;
    case kCmdProperties:
      if (row >= 0) commands_->ShowProperties(row);
      break;
    default:
      break;
  }
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
