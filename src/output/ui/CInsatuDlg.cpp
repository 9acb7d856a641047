#include "output/ui/CInsatuDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "platform/UserOutput.h"
#include "platform/WorkFolder.h"
#include "platform/Messages.h"
#include "platform/PaperCodes.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtPaperSize.h"
#include "output/ui/PrintPreview.h"

namespace plume::output::ui {

namespace settings = platform::settings;
namespace Insatu = settings::Insatu;
using platform::ShowMessage;
using platform::StringId;

namespace {

int& MarginField(Margins& m, int index) {
  switch (index) {
    case 0: return m.left;
    case 1: return m.right;
    case 2: return m.top;
    default: return m.bottom;
  }
}

}  // namespace

CInsatuDlg::CInsatuDlg(QPrinter& printer, platform::SettingsStore& store, platform::Size page, PagePaint paint,
                       QWidget* parent)
    : QDialog(parent), printer_(printer), settings_(store), page_(page), paint_(std::move(paint)) {
  setWindowTitle(QStringLiteral("印刷"));
  setSizeGripEnabled(true);
  if (printer_.outputFormat() == QPrinter::NativeFormat) printerChoice_ = printer_.printerName();
  else presetPdf_ = printer_.outputFileName();
  orientation_ = printer_.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
  paperCode_ = platform::PaperCodeOf(printer_.pageLayout().pageSize());
  if (paperCode_ == 0) paperCode_ = settings::Get(settings_, Insatu::PaperSize);
  if (printer_.isValid()) min_ = MinimumMargins(MetricsOf(printer_));
  margins_ = {settings::Get(settings_, Insatu::MarginLmm), settings::Get(settings_, Insatu::MarginRmm),
              settings::Get(settings_, Insatu::MarginTmm), settings::Get(settings_, Insatu::MarginBmm)};
  for (int i = 0; i < 4; ++i) MarginField(margins_, i) = std::clamp(MarginField(margins_, i), MinFor(i), kMaxMarginMm);
  const PrintRange range = RangeFromHani(settings::Get(settings_, Insatu::Hani));
  allOne_ = range == PrintRange::FromTo && settings::Get(settings_, Insatu::AllOne) == 1;

  auto* left = new QVBoxLayout;
  left->addWidget(BuildPrinterGroup());
  left->addWidget(BuildRangeGroup());
  left->addWidget(BuildMarginGroup());
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("印刷実行(&S)"), this);
  auto* cancel = new QPushButton(QStringLiteral("中止(&C)"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &CInsatuDlg::Print);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  left->addLayout(buttons);
  left->addStretch(1);
  auto* main = new QHBoxLayout(this);
  main->setContentsMargins(6, 6, 2, 2);
  main->addLayout(left);
  main->addWidget(BuildPreviewGroup(), 1);

  (range == PrintRange::Current ? rangeCurrent_ : range == PrintRange::FromTo ? rangeFromTo_ : rangeAll_)
      ->setChecked(true);
  allOneBox_->setEnabled(range == PrintRange::FromTo);
  allOneBox_->setChecked(allOne_);
  const bool showMargins = settings::Get(settings_, Insatu::DspYohaku) == 1;
  preview_->SetShowMargins(showMargins);
  showMarginsBox_->setChecked(showMargins);
  first_->setText(QStringLiteral("1"));
  ShowPaperName();
  RestorePlacement();
  ready_ = true;
  Relayout();
}

CInsatuDlg::~CInsatuDlg() = default;

QWidget* CInsatuDlg::BuildPrinterGroup() {
  auto* box = new QGroupBox(QStringLiteral("1 プリンタ："), this);
  auto* grid = new QGridLayout(box);
  portrait_ = new QRadioButton(QStringLiteral("縦"), box);
  landscape_ = new QRadioButton(QStringLiteral("横"), box);
  (orientation_ == 1 ? portrait_ : landscape_)->setChecked(true);
  connect(portrait_, &QRadioButton::clicked, this, [this] { OrientationChosen(1); });
  connect(landscape_, &QRadioButton::clicked, this, [this] { OrientationChosen(2); });
  auto* setup = new QPushButton(QStringLiteral("設定(&P)"), box);
  connect(setup, &QPushButton::clicked, this, &CInsatuDlg::SetupPrinter);
  printerName_ = new QLabel(box);
  paperName_ = new QLabel(box);
  paperSize_ = new QLabel(box);
  grid->addWidget(printerName_, 0, 0, 1, 3);
  grid->addWidget(portrait_, 1, 0);
  grid->addWidget(landscape_, 1, 1);
  grid->addWidget(setup, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("用紙："), box), 2, 0);
  grid->addWidget(paperName_, 2, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("サイズ："), box), 3, 0);
  grid->addWidget(paperSize_, 3, 1, 1, 2);
  // A PDF file is always offered, so printing works without any printer.
  destination_ = new QComboBox(box);
  if (!printerChoice_.isEmpty()) destination_->addItem(printerChoice_);
  destination_->addItem(QStringLiteral("PDFファイル"));
  connect(destination_, &QComboBox::activated, this, [this](int index) {
    DestinationChosen(printerChoice_.isEmpty() ? 1 : index);
  });
  grid->addWidget(new QLabel(QStringLiteral("出力先："), box), 4, 0);
  grid->addWidget(destination_, 4, 1, 1, 2);
  return box;
}

QWidget* CInsatuDlg::BuildRangeGroup() {
  auto* box = new QGroupBox(QStringLiteral("2 印刷範囲："), this);
  auto* grid = new QGridLayout(box);
  rangeAll_ = new QRadioButton(QStringLiteral("すべてのページ(&A)"), box);
  rangeCurrent_ = new QRadioButton(QStringLiteral("現在のページ(&N)"), box);
  rangeFromTo_ = new QRadioButton(QStringLiteral("ページ指定(&R)"), box);
  connect(rangeAll_, &QRadioButton::clicked, this, [this] { RangeChosen(PrintRange::All); });
  connect(rangeCurrent_, &QRadioButton::clicked, this, [this] { RangeChosen(PrintRange::Current); });
  connect(rangeFromTo_, &QRadioButton::clicked, this, [this] { RangeChosen(PrintRange::FromTo); });
  first_ = new QLineEdit(box);
  last_ = new QLineEdit(box);
  for (QLineEdit* e : {first_, last_}) {
    e->setValidator(new QIntValidator(0, 9999, e));
    e->setMaximumWidth(50);
  }
  connect(first_, &QLineEdit::editingFinished, this, [this] {
    const int first = first_->text().isEmpty() ? 0 : first_->text().toInt();
    first_->setText(QString::number(ValidateFirstSheet(first, last_->text().toInt())));
  });
  connect(last_, &QLineEdit::editingFinished, this, [this] {
    const int last = last_->text().isEmpty() ? 0 : last_->text().toInt();
    last_->setText(QString::number(ValidateLastSheet(last, first_->text().toInt(), grid_.Count())));
  });
  allOneBox_ = new QCheckBox(QStringLiteral("全1ページ(&J)"), box);
  connect(allOneBox_, &QCheckBox::clicked, this, [this](bool on) {
    allOne_ = on;
    settings::Set(settings_, Insatu::AllOne, on ? 1 : 0);
    Relayout();
  });
  grid->addWidget(rangeAll_, 0, 0, 1, 4);
  grid->addWidget(rangeCurrent_, 1, 0, 1, 4);
  grid->addWidget(rangeFromTo_, 2, 0, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("開始："), box), 3, 0);
  grid->addWidget(first_, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("- 終了："), box), 3, 2);
  grid->addWidget(last_, 3, 3);
  grid->addWidget(allOneBox_, 4, 0, 1, 4);
  return box;
}

QWidget* CInsatuDlg::BuildMarginGroup() {
  auto* box = new QGroupBox(QStringLiteral("3 余白：(max : 50ﾐﾘ)"), this);
  auto* grid = new QGridLayout(box);
  // Order of marginSpin_: left, right, top, bottom; shown as 上 下 左 右.
  const struct {
    int index;
    const char* label;
    int row;
    int column;
  } fields[] = {{2, "上", 0, 0}, {3, "下", 0, 2}, {0, "左", 1, 0}, {1, "右", 1, 2}};
  for (const auto& f : fields) {
    auto* spin = new QSpinBox(box);
    // Typed values outside min..50 are accepted and then replaced by the nearest limit.
    spin->setRange(0, 999);
    spin->setValue(MarginField(margins_, f.index));
    connect(spin, &QSpinBox::valueChanged, this, [this, i = f.index](int v) { MarginEdited(i, v); });
    marginSpin_[f.index] = spin;
    grid->addWidget(new QLabel(QString::fromUtf8(f.label), box), f.row, f.column);
    grid->addWidget(spin, f.row, f.column + 1);
  }
  return box;
}

QWidget* CInsatuDlg::BuildPreviewGroup() {
  auto* box = new QGroupBox(QStringLiteral("4 プレビュー："), this);
  auto* column = new QVBoxLayout(box);
  auto* row = new QHBoxLayout;
  gridText_ = new QLabel(box);
  sheetSpin_ = new QSpinBox(box);
  sheetSpin_->setRange(1, 1);
  connect(sheetSpin_, &QSpinBox::valueChanged, this, &CInsatuDlg::SheetEdited);
  sheetCount_ = new QLabel(box);
  showMarginsBox_ = new QCheckBox(QStringLiteral("余白を表示(&M)"), box);
  row->addWidget(gridText_);
  row->addWidget(sheetSpin_);
  row->addWidget(sheetCount_);
  row->addStretch(1);
  row->addWidget(showMarginsBox_);
  column->addLayout(row);
  preview_ = new PrintPreview(box);
  preview_->resized = [this] { Relayout(); };
  // A margin line let go sets its field; an unchanged field still lays out again.
  preview_->marginDropped = [this](int index, int mm) {
    const int before = marginSpin_[index]->value();
    marginSpin_[index]->setValue(mm);
    if (marginSpin_[index]->value() == before) Relayout();
  };
  connect(showMarginsBox_, &QCheckBox::clicked, preview_, &PrintPreview::SetShowMargins);
  column->addWidget(preview_, 1);
  return box;
}

QRect CInsatuDlg::PaperRect() const { return preview_->PaperRect(); }
QRect CInsatuDlg::PrintableArea() const { return preview_->PrintableArea(); }
QWidget* CInsatuDlg::Preview() const { return preview_; }

void CInsatuDlg::ShowPaperName() {
  paperName_->setText(QString::fromUtf8(platform::PaperCodeName(paperCode_).data(),
                                        static_cast<int>(platform::PaperCodeName(paperCode_).size())));
  const QString name = printer_.outputFormat() == QPrinter::PdfFormat ? QStringLiteral("PDF") : printer_.printerName();
  printerName_->setText(name);
}

void CInsatuDlg::Relayout() {
  if (!ready_) return;
  const bool placed = Layout();
  preview_->SetSheet(grid_, previewSheet_, allOne_);
  if (placed) preview_->Render(page_, paint_);
  preview_->update();
}

bool CInsatuDlg::Layout() {
  if (!printer_.isValid()) {
    ShowMessage(StringId::PrinterDcFailed, "CreateDC At SetPaperSize\n", platform::MsgIcon::Error);
    return false;
  }
  const PrinterMetrics metrics = MetricsOf(printer_);
  min_ = MinimumMargins(metrics);
  paperW_ = PaperWidthMm(metrics);
  paperH_ = PaperHeightMm(metrics);
  paperSize_->setText(QString::asprintf("%.1f X %.1fmm", paperW_, paperH_));
  const int sX = preview_->logicalDpiX();
  const int sY = preview_->logicalDpiY();
  const int oldCount = grid_.Count();
  grid_ = ComputeSheetGrid(page_, sX, sY, paperW_, paperH_, margins_, allOne_);
  gridText_->setText(QStringLiteral("(横 %1 × 縦 %2 ページ)").arg(grid_.pagesX).arg(grid_.pagesY));
  sheetCount_->setText(QStringLiteral("/ %1 ページ").arg(grid_.Count()));
  last_->setText(QString::number(grid_.Count()));
  preview_->Place(paperW_, paperH_, margins_, min_);
  if (grid_.Count() != oldCount || !layoutOk_) {
    previewSheet_ = std::clamp(previewSheet_, 1, grid_.Count());
    const QSignalBlocker block(sheetSpin_);
    sheetSpin_->setRange(1, grid_.Count());
    sheetSpin_->setValue(previewSheet_);
  }
  layoutOk_ = true;
  return true;
}

void CInsatuDlg::MarginEdited(int index, int value) {
  if (!ready_) return;
  const int clamped = std::clamp(value, MinFor(index), kMaxMarginMm);
  if (clamped != value) {
    marginSpin_[index]->setValue(clamped);  // comes back here with the clamped value
    return;
  }
  MarginField(margins_, index) = clamped;
  Relayout();
}

void CInsatuDlg::SheetEdited(int value) {
  if (!ready_) return;
  previewSheet_ = std::clamp(value, 1, grid_.Count());
  Relayout();
}

void CInsatuDlg::RangeChosen(PrintRange range) {
  settings::Set(settings_, Insatu::Hani, static_cast<int>(range));
  if (range == PrintRange::FromTo) {
    allOneBox_->setEnabled(true);
    return;
  }
  allOne_ = false;
  settings::Set(settings_, Insatu::AllOne, 0);
  allOneBox_->setChecked(false);
  allOneBox_->setEnabled(false);
  Relayout();
}

void CInsatuDlg::OrientationChosen(int orientation) {
  if (orientation == orientation_) return;
  printer_.setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
  orientation_ = orientation;
  settings::Set(settings_, Insatu::Orientation, orientation);
  Relayout();
}

void CInsatuDlg::SetupPrinter() {
  QPageSetupDialog dialog(&printer_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const int code = platform::PaperCodeOf(printer_.pageLayout().pageSize());
  const int orientation = printer_.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
  if (code != paperCode_ || orientation != orientation_) {
    (orientation == 1 ? portrait_ : landscape_)->setChecked(true);
    paperCode_ = code;
    orientation_ = orientation;
    settings::Set(settings_, Insatu::PaperSize, code);
    settings::Set(settings_, Insatu::Orientation, orientation);
    Relayout();
  }
  ShowPaperName();
}

void CInsatuDlg::DestinationChosen(int index) {
  const bool toPdf = index == 1 || printerChoice_.isEmpty();
  if (toPdf == (printer_.outputFormat() == QPrinter::PdfFormat)) return;
  const int resolution = printer_.resolution();
  if (toPdf) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
  } else {
    printer_.setPrinterName(printerChoice_);
  }
  // The other engine starts from its own defaults: the dialog's choices go on.
  printer_.setResolution(resolution);
  printer_.setPageSize(platform::ToQPageSize(paperCode_));
  printer_.setPageOrientation(orientation_ == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
  ShowPaperName();
  Relayout();
}

QString CInsatuDlg::AskPdfFile() {
  QString file = QFileDialog::getSaveFileName(this, QStringLiteral("印刷するPDFファイルを指定"), {},
                                              QStringLiteral("PDF File (*.pdf *.PDF)"));
  if (!file.isEmpty() && !file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
  return file;
}

void CInsatuDlg::Print() {
  settings::Set(settings_, Insatu::MarginLmm, marginSpin_[0]->value());
  settings::Set(settings_, Insatu::MarginRmm, marginSpin_[1]->value());
  settings::Set(settings_, Insatu::MarginTmm, marginSpin_[2]->value());
  settings::Set(settings_, Insatu::MarginBmm, marginSpin_[3]->value());
  if (!printer_.isValid()) {
    ShowMessage(StringId::PrinterDcFailed, "CreateDC At SetPaperSize\n", platform::MsgIcon::Error);
    return;
  }
  const PrintRange range = rangeCurrent_->isChecked()   ? PrintRange::Current
                           : rangeFromTo_->isChecked() ? PrintRange::FromTo
                                                       : PrintRange::All;
  PrintRequest request;
  request.page = page_;
  request.screenDpi = preview_->logicalDpiX();
  request.margins = margins_;
  request.grid = grid_;
  request.allOne = allOne_;
  request.sheets = SheetsToPrint(range, allOne_, grid_.Count(), previewSheet_, first_->text().toInt(),
                                 last_->text().toInt());
  if (!request.sheets.empty()) {
    previewSheet_ = request.sheets.back();
    preview_->SetSheet(grid_, previewSheet_, allOne_);  // the preview's next paint shows it
  }
  printer_.setDocName(QStringLiteral("Plumeboard"));
  // A PDF file chosen now is printed in the scratch folder and put in place
  // whole, so a failed print leaves the file that was there.
  std::filesystem::path chosen;
  std::filesystem::path scratch;
  if (printer_.outputFormat() == QPrinter::PdfFormat && presetPdf_.isEmpty()) {
    const QString file = askPdfFile ? askPdfFile() : AskPdfFile();
    if (file.isEmpty() || !platform::ResolveOutputTarget(file.toStdString())) return;
    chosen = file.toStdString();
    const std::filesystem::path folder = platform::GetScratchFolder();
    if (folder.empty()) return;
    scratch = folder / "print.pdf";
    printer_.setOutputFileName(QString::fromStdString(scratch.string()));
  }
  printed_ = PrintSheets(printer_, request, paint_);
  if (!scratch.empty()) {
    printer_.setOutputFileName({});
    if (printed_ > 0 && !platform::PlaceUserFile(chosen, scratch)) printed_ = -1;
    std::error_code ignored;
    std::filesystem::remove(scratch, ignored);
  }
  accept();
}

void CInsatuDlg::RestorePlacement() {
  adjustSize();
  resize(size().expandedTo(QSize(640, 480)));
  setMinimumSize(size());
  const int px = settings::Get(settings_, Insatu::PX);
  const int py = settings::Get(settings_, Insatu::PY);
  const QRect desktop = screen() ? screen()->availableVirtualGeometry() : QRect();
  if (desktop.isNull() || (px < desktop.right() && py < desktop.bottom())) move(px, py);
  resize(QSize(settings::Get(settings_, Insatu::SX), settings::Get(settings_, Insatu::SY)).expandedTo(minimumSize()));
  if (settings::Get(settings_, Insatu::Zoomed) == 1) setWindowState(windowState() | Qt::WindowMaximized);
}

void CInsatuDlg::StoreOnClose() {
  settings::Set(settings_, Insatu::DspYohaku, preview_->ShowsMargins() ? 1 : 0);
  const bool maximised = isMaximized();
  const QRect box = maximised ? normalGeometry() : QRect(pos(), size());
  settings::Set(settings_, Insatu::Zoomed, maximised ? 1 : 0);
  settings::Set(settings_, Insatu::PX, std::max(0, box.x()));
  settings::Set(settings_, Insatu::PY, std::max(0, box.y()));
  settings::Set(settings_, Insatu::SX, box.width());
  settings::Set(settings_, Insatu::SY, box.height());
}

void CInsatuDlg::done(int result) {
  StoreOnClose();
  QDialog::done(result);
}

}  // namespace plume::output::ui
