#include "store/ui/CPropertyNode.h"

#include <QBuffer>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

#include "chartview/NodePropertyRules.h"
#include "platform/Cp932.h"
#include "platform/qt/QtConvert.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "platform/qt/QtPictureCodec.h"
#include "store/InfoFile.h"
#include "store/ui/CTextDlg.h"
#include "store/ui/MaterialPreview.h"

namespace plume::store {

namespace fs = std::filesystem;

namespace {

QString SizeText(int w, int h) { return QStringLiteral("%1 X %2px").arg(w).arg(h); }

QString KbText(long long bytes) { return QStringLiteral("%1 KB").arg(bytes / 1024); }

long long PictureDataBytes(const platform::Picture& picture) {
  const platform::Bytes encoded = picture.EncodedBytes();
  return static_cast<long long>(encoded.empty() ? picture.BitmapFileCopy().size() : encoded.size());
}

}  // namespace

CPropertyNode::CPropertyNode(document::ChartDocument& doc, int index, MaterialStore& store,
                             platform::SettingsStore& settings, DbDlgHooks hooks, NodeDialogHooks chart,
                             QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      index_(index),
      store_(store),
      settings_(settings),
      hooks_(std::move(hooks)),
      chart_(std::move(chart)) {
  const document::NodeRecord& node = doc_.nodes[index_];
  setWindowTitle(QStringLiteral("ノードのプロパティ") + QStringLiteral(" - ") + platform::FromCp932(platform::FieldText(node.title)));
  auto field = [this](int id) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("f%1").arg(id));
    label->setFrameShape(QFrame::StyledPanel);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
  };
  auto* top = new QGridLayout;
  auto row = [&](int r, const char* caption, QWidget* w) {
    top->addWidget(new QLabel(QString::fromUtf8(caption), this), r, 0);
    top->addWidget(w, r, 1);
  };
  QLabel* name = field(1020);
  auto* folder = new QLineEdit(this);
  folder->setObjectName(QStringLiteral("f1007"));
  folder->setReadOnly(true);
  row(0, "保存原本の名前", name);
  row(1, "原本の保存場所", folder);
  row(2, "取得先", field(1009));
  row(3, "作成日時", field(1023));
  row(4, "現在のノードの大きさ", field(1016));

  const std::string type(platform::FieldText(node.dataType));
  // The store folder is asked for once (30016 when none is set), not per value shown.
  root_ = store_.Root();
  if (root_) {
    const std::string serialText = FormatSerial(node.serial);
    master_ = MaterialStore::DataFileIn(*root_, type, serialText);
    folder_ = master_.parent_path();
    masterExists_ = platform::IsRegularFile(master_);
    name->setText(QString::fromStdString(master_.filename().string()) +
                  (masterExists_ ? QString() : QStringLiteral(" ≪ファイルなし≫")));
    folder->setText(QString::fromStdString(folder_.string()));
    const fs::path infoFile = MaterialStore::InfoFileIn(*root_, serialText);
    Field(1009)->setText(platform::FromCp932(InfoFile::ReadInfoTagAt(infoFile, "GetFrom", 1)));
    Field(1023)->setText(platform::FromCp932(InfoFile::ReadInfoTagAt(infoFile, "CreateDate", 1)));
  }
  Field(1016)->setText(SizeText(node.rect.Width(), node.rect.Height()));

  // The picture section below the separator line.
  pictureSection_ = new QWidget(this);
  auto* pic = new QGridLayout(pictureSection_);
  pic->setContentsMargins(0, 0, 0, 0);
  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("c387"));
  line->setFrameShape(QFrame::HLine);
  pic->addWidget(line, 0, 0, 1, 3);
  pic->addWidget(new QLabel(QStringLiteral("ノードにセットされて\nいるイメージの大きさ"), this), 1, 0);
  pic->addWidget(field(1017), 1, 1);
  pic->addWidget(field(1021), 1, 2);
  pic->addWidget(new QLabel(QStringLiteral("原本イメージの大きさ"), this), 2, 0);
  pic->addWidget(field(1018), 2, 1);
  pic->addWidget(field(1022), 2, 2);
  pic->addWidget(new QLabel(QStringLiteral("拡縮率"), this), 3, 0);
  pic->addWidget(field(1019), 3, 1);
  preview_ = new MaterialPreview(this);
  preview_->setObjectName(QStringLiteral("c1008"));
  preview_->setFixedSize(240, 180);
  pic->addWidget(preview_, 4, 0, 1, 2);
  auto* side = new QVBoxLayout;
  titlePos_ = new QComboBox(this);
  titlePos_->setObjectName(QStringLiteral("c1006"));
  titlePos_->addItems({QStringLiteral("表示しない"), QStringLiteral("ノードの上"), QStringLiteral("ノードの下")});
  colourButton_ = new QPushButton(QStringLiteral("透過色"), this);
  colourButton_->setObjectName(QStringLiteral("c1049"));
  QLabel* colourLabel = field(386);
  side->addWidget(new QLabel(QStringLiteral("タイトルの位置"), this));
  side->addWidget(titlePos_);
  side->addWidget(colourButton_);
  side->addWidget(colourLabel);
  side->addStretch(1);
  pic->addLayout(side, 4, 2);
  const char* resizeCaptions[3] = {"現在のノードの大きさが100%になるように、原本を読み直す(&R)",
                                   "現在のノードの幅と高さの比率を原本と同じにする(&W)",
                                   "ノードを原本と同じ大きさで100%になるように読み直す(&G)"};
  const int resizeIds[3] = {1001, 1003, 1004};
  for (int i = 0; i < 3; ++i) {
    resize_[i] = new QPushButton(QString::fromUtf8(resizeCaptions[i]), this);
    resize_[i]->setObjectName(QStringLiteral("b%1").arg(resizeIds[i]));
    resize_[i]->setEnabled(masterExists_);
    pic->addWidget(resize_[i], 5 + i, 0, 1, 3);
  }
  connect(resize_[0], &QPushButton::clicked, this, &CPropertyNode::ReloadAtCurrentSize);
  connect(resize_[1], &QPushButton::clicked, this, &CPropertyNode::MatchMasterRatio);
  connect(resize_[2], &QPushButton::clicked, this, &CPropertyNode::MatchMasterSize);
  connect(colourButton_, &QPushButton::clicked, this, [this] {
    const document::ColorRef current = doc_.nodes[index_].transColor;
    const QColor chosen = QColorDialog::getColor(current == document::kNoColor ? Qt::white : platform::ToQColor(current),
                                                 this, QStringLiteral("透過色"));
    if (chosen.isValid()) SetTransColor(platform::FromQColor(chosen));
  });

  auto* folderButton = new QPushButton(QStringLiteral("原本の保存場所を開く(&F)"), this);
  folderButton->setObjectName(QStringLiteral("b1002"));
  auto* textButton = new QPushButton(QStringLiteral("関連テキスト表示(&T)"), this);
  textButton->setObjectName(QStringLiteral("b1005"));
  auto* sourceButton = new QPushButton(QStringLiteral("取得先をＨＴＭＬエリアに表示(&H)"), this);
  sourceButton->setObjectName(QStringLiteral("b1024"));
  auto* back = new QPushButton(QStringLiteral("戻る(&B)"), this);
  back->setObjectName(QStringLiteral("ok"));
  back->setDefault(true);
  connect(folderButton, &QPushButton::clicked, this, [this] {
    std::error_code ec;
    if (!folder_.empty() && fs::is_directory(folder_, ec)) {
      store_.OpenFolderInBrowser(folder_ / "");
    } else {
      platform::ShowMessage(platform::StringId::MaterialFolderMissing, folder_.string() + "\n",
                            platform::MsgIcon::Information, platform::MsgButtons::Ok, this);
    }
  });
  connect(textButton, &QPushButton::clicked, this, [this] {
    const auto root = root_ ? root_ : store_.Root();
    if (!root) return;
    const std::string serial = FormatSerial(doc_.nodes[index_].serial);
    const fs::path dir = *root / std::string(kTextType) / BucketOf(serial);
    CTextDlg dlg(dir, dir / (serial + ".TXT"), settings_, hooks_.textArea, this);
    dlg.exec();
  });
  connect(sourceButton, &QPushButton::clicked, this, [this] {
    if (!root_) return;
    const std::string from =
        InfoFile::ReadInfoTagAt(MaterialStore::InfoFileIn(*root_, FormatSerial(doc_.nodes[index_].serial)), "GetFrom", 1);
    if (!from.empty() && hooks_.navigate) hooks_.navigate(from);
  });
  connect(back, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(folderButton);
  buttons->addWidget(textButton);
  buttons->addWidget(sourceButton);
  buttons->addStretch(1);
  buttons->addWidget(back);

  auto* noImage = new QLabel(QStringLiteral("No Image."), this);
  noImage->setObjectName(QStringLiteral("c1034"));
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(noImage);
  column->addWidget(pictureSection_);
  column->addLayout(buttons);

  platform::Picture* picture = doc_.NodePicture(index_);
  if (node.hasImage && picture != nullptr) {
    noImage->hide();
    ShowPictureSizes();
    const QSize master = MasterSize();
    if (masterExists_) {
      std::error_code ec;
      Field(1018)->setText(SizeText(master.width(), master.height()));
      Field(1022)->setText(KbText(static_cast<long long>(fs::file_size(master_, ec))));
    }
    titlePos_->setCurrentIndex(std::min<int>(node.titlePos, 2));
    ShowTransColor();
    RefreshPreview();
    connect(titlePos_, &QComboBox::currentIndexChanged, this, &CPropertyNode::SetTitlePos);
  } else {
    // Without a picture only the part above the separator is shown.
    pictureSection_->hide();
  }
  adjustSize();
}

QLabel* CPropertyNode::Field(int id) const { return findChild<QLabel*>(QStringLiteral("f%1").arg(id)); }

QSize CPropertyNode::MasterSize() const {
  if (!masterExists_) return {};
  QImageReader reader(QString::fromStdString(master_.string()));
  return reader.size();
}

void CPropertyNode::ShowPictureSizes() {
  const document::NodeRecord& node = doc_.nodes[index_];
  platform::Picture* picture = doc_.NodePicture(index_);
  if (picture == nullptr) return;
  Field(1017)->setText(SizeText(picture->Width(), picture->Height()));
  Field(1021)->setText(KbText(PictureDataBytes(*picture)));
  Field(1019)->setText(QStringLiteral("%1 %").arg(chartview::PictureScalePercent(node.rect.Width(), picture->Width())));
}

void CPropertyNode::ShowTransColor() {
  const document::ColorRef c = doc_.nodes[index_].transColor;
  if (c == document::kNoColor) {
    Field(386)->setText(QStringLiteral("透過色なし"));
    return;
  }
  Field(386)->setText(QStringLiteral("RGB(%1, %2, %3)").arg(c & 0xFF).arg((c >> 8) & 0xFF).arg((c >> 16) & 0xFF));
}

void CPropertyNode::RefreshPreview() {
  const document::NodeRecord& node = doc_.nodes[index_];
  const auto* qt = dynamic_cast<const platform::QtPicture*>(doc_.NodePicture(index_));
  preview_->SetPicture(qt ? std::make_unique<platform::QtPicture>(qt->Image()) : nullptr, node.transColor);
  const auto& s = node.style;
  QFont font(platform::FromCp932(platform::FieldText(s.FontName)).isEmpty() ? QStringLiteral("Meiryo UI")
                                                           : platform::FromCp932(platform::FieldText(s.FontName)));
  font.setPointSize(std::max<int>(1, s.FontSize));
  font.setBold(s.FontBold != 0);
  const Qt::Alignment align = s.AlineH == 1 ? Qt::AlignHCenter : s.AlineH == 2 ? Qt::AlignRight : Qt::AlignLeft;
  const QColor border = s.Futosa > 0 && s.refWaku != document::kNoColor ? platform::ToQColor(s.refWaku) : QColor(0, 0, 0, 0);
  preview_->SetNodeLook(border, platform::FromCp932(platform::FieldText(node.title)), font, platform::ToQColor(s.refText), align,
                        node.titlePos);
}

void CPropertyNode::ResizeTo(const document::Rect& rect) {
  // A picture that cannot be read again leaves the node as it was: the old
  // size with the picture it has, nothing marked.
  const document::Rect old = doc_.nodes[index_].rect;
  doc_.nodes[index_].rect = rect;
  if (!chart_.reloadPicture || !chart_.reloadPicture(index_)) {
    doc_.nodes[index_].rect = old;
    return;
  }
  Field(1016)->setText(SizeText(rect.Width(), rect.Height()));
  ShowPictureSizes();
  Field(1019)->setText(QStringLiteral("100 %"));
  if (chart_.chartChanged) chart_.chartChanged();
  RefreshPreview();
}

void CPropertyNode::ReloadAtCurrentSize() {
  if (!masterExists_) return;
  ResizeTo(doc_.nodes[index_].rect);
}

void CPropertyNode::MatchMasterRatio() {
  const QSize m = MasterSize();
  if (m.isEmpty()) return;
  ResizeTo(chartview::RectWithMasterRatio(doc_, doc_.nodes[index_].rect, m.width(), m.height()));
}

void CPropertyNode::MatchMasterSize() {
  const QSize m = MasterSize();
  if (m.isEmpty()) return;
  ResizeTo(chartview::RectOfMasterSize(doc_, doc_.nodes[index_].rect, m.width(), m.height()));
}

void CPropertyNode::SetTitlePos(int pos) {
  if (pos < 0 || pos > 2) return;
  if (titlePos_->currentIndex() != pos) {
    const QSignalBlocker quiet(titlePos_);
    titlePos_->setCurrentIndex(pos);
  }
  chartview::SetTitlePosOfSelected(doc_, static_cast<std::uint16_t>(pos));
  // The node shown here follows even when it is not selected.
  doc_.nodes[index_].titlePos = static_cast<std::uint16_t>(pos);
  if (chart_.chartChanged) chart_.chartChanged();
  RefreshPreview();
}

void CPropertyNode::SetTransColor(document::ColorRef colour) {
  if (colour == doc_.nodes[index_].transColor) return;
  doc_.nodes[index_].transColor = colour;
  if (chart_.chartChanged) chart_.chartChanged();
  ShowTransColor();
  RefreshPreview();
}

}  // namespace plume::store
