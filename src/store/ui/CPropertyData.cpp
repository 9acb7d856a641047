#include "store/ui/CPropertyData.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/Cp932.h"
#include "platform/qt/QtConvert.h"
#include "platform/Messages.h"
#include "store/ui/CTextDlg.h"
#include "store/ui/MaterialPreview.h"

namespace plume::store {

namespace fs = std::filesystem;

namespace {
}  // namespace

CPropertyData::CPropertyData(DataProperties props, MaterialStore& store, platform::SettingsStore& settings,
                             const platform::PictureCodec& pictures, DbDlgHooks hooks, QWidget* parent)
    : QDialog(parent), props_(std::move(props)), store_(store), settings_(settings), hooks_(std::move(hooks)) {
  setWindowTitle(QStringLiteral("データのプロパティ"));
  const char* captions[8] = {"種別", "シリアルNo", "タイトル", "サイズ (KB)", "幅 (Pixel)", "高さ (Pixel)",
                             "取得日時", "取得先"};
  const int ids[8] = {3300, 3301, 3302, 3303, 3304, 3305, 3306, 3307};
  auto* values = new QGridLayout;
  for (int i = 0; i < 8; ++i) {
    values->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), i, 0);
    QWidget* field = nullptr;
    if (i == 2 || i == 7) {
      auto* edit = new QLineEdit(platform::FromCp932(props_.values[i]), this);
      edit->setReadOnly(true);
      edit->setCursorPosition(0);
      field = edit;
    } else {
      auto* label = new QLabel(platform::FromCp932(props_.values[i]), this);
      label->setFrameShape(QFrame::StyledPanel);
      label->setTextInteractionFlags(Qt::TextSelectableByMouse);
      field = label;
    }
    field->setObjectName(QStringLiteral("v%1").arg(ids[i]));
    values->addWidget(field, i, 1);
  }

  owners_ = new QTableWidget(0, 2, this);
  owners_->setObjectName(QStringLiteral("owners"));
  owners_->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("オーナー")});
  owners_->horizontalHeaderItem(0)->setTextAlignment(Qt::AlignCenter);
  owners_->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  owners_->setColumnWidth(0, 30);
  owners_->setColumnWidth(1, 340);
  owners_->verticalHeader()->hide();
  owners_->verticalHeader()->setDefaultSectionSize(20);
  owners_->setSelectionBehavior(QAbstractItemView::SelectRows);
  owners_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  owners_->setShowGrid(true);
  for (std::size_t i = 0; i < props_.owners.size() && i < kMaxOwners && !props_.owners[i].empty(); ++i) {
    const int r = owners_->rowCount();
    owners_->insertRow(r);
    auto* number = new QTableWidgetItem(QString::number(r + 1));
    number->setTextAlignment(Qt::AlignCenter);
    owners_->setItem(r, 0, number);
    owners_->setItem(r, 1, new QTableWidgetItem(platform::FromCp932(props_.owners[i])));
  }

  preview_ = new MaterialPreview(this);
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setFixedSize(240, 180);
  if (props_.values[0] != "PDF") {
    std::int32_t transparent = -1;
    preview_->SetPicture(store_.LoadMaterialImage(props_.values[0], props_.values[1], pictures, transparent),
                         transparent);
  } else {
    preview_->SetNoImageText(false);
  }

  auto* source = new QPushButton(QStringLiteral("取得先をＨＴＭＬエリアに表示(&H)"), this);
  source->setObjectName(QStringLiteral("b1024"));
  auto* folder = new QPushButton(QStringLiteral("原本の保存場所を開く(&F)"), this);
  folder->setObjectName(QStringLiteral("b1002"));
  auto* text = new QPushButton(QStringLiteral("関連テキスト表示(&T)"), this);
  text->setObjectName(QStringLiteral("b1005"));
  auto* back = new QPushButton(QStringLiteral("戻る(&B)"), this);
  back->setObjectName(QStringLiteral("ok"));
  back->setDefault(true);
  connect(source, &QPushButton::clicked, this, &CPropertyData::ShowSource);
  connect(folder, &QPushButton::clicked, this, &CPropertyData::OpenStorageFolder);
  connect(text, &QPushButton::clicked, this, &CPropertyData::ShowRelatedText);
  connect(back, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->addLayout(values, 1);
  top->addWidget(preview_, 0, Qt::AlignTop);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(source);
  buttons->addWidget(folder);
  buttons->addWidget(text);
  buttons->addStretch(1);
  buttons->addWidget(back);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(owners_, 1);
  column->addLayout(buttons);
  resize(680, 520);
}

void CPropertyData::ShowSource() {
  if (!props_.values[7].empty() && hooks_.navigate) hooks_.navigate(props_.values[7]);
}

void CPropertyData::OpenStorageFolder() {
  const auto root = store_.Root();
  if (!root) return;
  const fs::path folder = *root / props_.values[0] / BucketOf(props_.values[1]);
  std::error_code ec;
  if (fs::is_directory(folder, ec)) {
    store_.OpenFolderInBrowser(folder / "");
  } else {
    platform::ShowMessage(platform::StringId::MaterialFolderMissing, folder.string() + "\n",
                          platform::MsgIcon::Information, platform::MsgButtons::Ok, this);
  }
}

void CPropertyData::ShowRelatedText() {
  const auto root = store_.Root();
  if (!root) return;
  const fs::path folder = *root / std::string(kTextType) / BucketOf(props_.values[1]);
  CTextDlg dlg(folder, folder / (props_.values[1] + ".TXT"), settings_, hooks_.textArea, this);
  dlg.exec();
}

}  // namespace plume::store
