// The print dialog driven through its widgets, printing into PDF files that
// are counted with pdfinfo and rasterised with pdftoppm. Set PLUME_SHOT_DIR
// to also write screenshots of the preview.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

#include "document/ChartBuilder.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtPaperSize.h"
#include "store/ui/CInsatuDlg.h"
#include "store/ui/ChartPagePaint.h"

namespace plume::store::ui {
namespace {

namespace settings = platform::settings;
namespace Insatu = settings::Insatu;

void Shoot(QWidget& widget, const char* name) {
  const char* dir = std::getenv("PLUME_SHOT_DIR");
  if (dir) widget.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name));
}

template <typename T>
T* Find(QWidget& parent, const QString& text) {
  for (T* w : parent.findChildren<T*>())
    if (w->text() == text) return w;
  return nullptr;
}

int PdfPages(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {pdf});
  p.waitForFinished();
  for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
}

/// The first page of `pdf` at 20 dpi.
QImage Rasterise(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                                       QStringLiteral("-singlefile"), pdf, pdf + QStringLiteral("-r")});
  p.waitForFinished();
  return QImage(pdf + QStringLiteral("-r.png"));
}

bool HasColour(const QImage& image, QRgb colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (std::abs(qRed(c) - qRed(colour)) < 40 && std::abs(qGreen(c) - qGreen(colour)) < 40 &&
          std::abs(qBlue(c) - qBlue(colour)) < 40)
        return true;
    }
  return false;
}

class PrintDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    guard_ = std::make_unique<platform::ScopedMessageSink>(&sink_);
    ASSERT_TRUE(dir_.isValid());
    doc_ = document::ChartDocument::Create();
    doc_->NewDocument();
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setResolution(300);
    printer_.setPageSize(platform::ToQPageSize(9));
    printer_.setPageMargins(QMarginsF(0, 0, 0, 0));
    Output("out.pdf");
  }

  QString Output(const char* name) {
    const QString path = dir_.filePath(QString::fromLatin1(name));
    printer_.setOutputFileName(path);
    return path;
  }

  void SetPage(int w, int h) {
    doc_->pages[0].pageWidth = w;
    doc_->pages[0].pageHeight = h;
  }

  /// A filled node in each quarter of a 1200 x 1800 page: sheets 1..4 of A4 with 25/10/25/10.
  void QuarterNodes() {
    SetPage(1200, 1800);
    const struct {
      int x, y;
      document::ColorRef fill;
    } nodes[] = {{100, 100, 0x0000FF}, {800, 100, 0x00FF00}, {100, 1200, 0xFF0000}, {800, 1200, 0x00FFFF}};
    for (const auto& n : nodes) {
      document::AddTextNode(*doc_, "TXT", 0, "", {n.x, n.y, n.x + 300, n.y + 300});
      doc_->nodes[doc_->nodeCount - 1].style.refMen = n.fill;
    }
  }

  std::unique_ptr<CInsatuDlg> Open() {
    auto d = std::make_unique<CInsatuDlg>(printer_, store_, platform::Size{doc_->pages[0].pageWidth, doc_->pages[0].pageHeight},
                                          ChartPagePaint(*doc_, 0, store_, nullptr));
    d->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    return d;
  }

  platform::ScriptedMessageSink sink_;
  std::unique_ptr<platform::ScopedMessageSink> guard_;
  QTemporaryDir dir_;
  platform::MemorySettingsStore store_;
  std::unique_ptr<document::ChartDocument> doc_;
  QPrinter printer_{QPrinter::HighResolution};
};

TEST_F(PrintDialogTest, PageOf1000OnA4PortraitIsTwoByTwo) {
  SetPage(1000, 1000);
  auto d = Open();
  EXPECT_EQ(d->Grid(), (SheetGrid{2, 2}));
  EXPECT_TRUE(Find<QLabel>(*d, QStringLiteral("(横 2 × 縦 2 ページ)")));
  EXPECT_TRUE(Find<QLabel>(*d, QStringLiteral("/ 4 ページ")));
  EXPECT_TRUE(Find<QLabel>(*d, QStringLiteral("A4Sheet, 210x297mm")));
}

TEST_F(PrintDialogTest, TypedMarginsAreClampedToPrinterMinimumAnd50) {
  printer_.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
  SetPage(1000, 1000);
  auto d = Open();
  ASSERT_EQ(d->Minimum().x, 5);
  auto* left = d->findChildren<QSpinBox*>()[2];  // top, bottom, left, right in the dialog's order
  left->selectAll();
  QTest::keyClicks(left, QStringLiteral("60"));
  EXPECT_EQ(d->CurrentMargins().left, 50);
  left->selectAll();
  QTest::keyClicks(left, QStringLiteral("0"));
  EXPECT_EQ(d->CurrentMargins().left, 5);
}

TEST_F(PrintDialogTest, CurrentSheetRangeTurnsOneSheetOffAndStoresIt) {
  settings::Set(store_, Insatu::Hani, 3);
  settings::Set(store_, Insatu::AllOne, 1);
  SetPage(1000, 1000);
  auto d = Open();
  QCheckBox* allOne = Find<QCheckBox>(*d, QStringLiteral("全1ページ(&J)"));
  ASSERT_TRUE(allOne);
  EXPECT_TRUE(allOne->isEnabled());
  EXPECT_TRUE(allOne->isChecked());
  EXPECT_EQ(d->Grid().Count(), 1);
  QTest::mouseClick(Find<QRadioButton>(*d, QStringLiteral("現在のページ(&N)")), Qt::LeftButton);
  EXPECT_FALSE(allOne->isEnabled());
  EXPECT_FALSE(allOne->isChecked());
  EXPECT_EQ(settings::Get(store_, Insatu::AllOne), 0);
  EXPECT_EQ(settings::Get(store_, Insatu::Hani), 2);
  EXPECT_EQ(d->Grid().Count(), 4);
}

TEST_F(PrintDialogTest, OneSheetPrintsOnePageEvenForRangeThreeToFive) {
  settings::Set(store_, Insatu::Hani, 3);
  settings::Set(store_, Insatu::AllOne, 1);
  QuarterNodes();
  const QString pdf = Output("one.pdf");
  auto d = Open();
  d->findChildren<QLineEdit*>()[0]->setText(QStringLiteral("3"));
  d->findChildren<QLineEdit*>()[1]->setText(QStringLiteral("5"));
  Shoot(*d, "print-preview-one-sheet.png");
  QTest::mouseClick(Find<QPushButton>(*d, QStringLiteral("印刷実行(&S)")), Qt::LeftButton);
  EXPECT_EQ(d->SheetsPrinted(), 1);
  EXPECT_EQ(PdfPages(pdf), 1);
  const QImage page = Rasterise(pdf);
  for (QRgb c : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)}) EXPECT_TRUE(HasColour(page, c));
}

TEST_F(PrintDialogTest, SheetThreeOfTwoByTwoIsTheLowerLeftQuarter) {
  settings::Set(store_, Insatu::Hani, 3);
  settings::Set(store_, Insatu::DspYohaku, 1);
  QuarterNodes();
  const QString pdf = Output("sheet3.pdf");
  auto d = Open();
  ASSERT_EQ(d->Grid(), (SheetGrid{2, 2}));
  d->findChildren<QSpinBox*>()[4]->setValue(3);  // the sheet shown
  EXPECT_EQ(d->PreviewSheet(), 3);
  Shoot(*d, "print-preview-tiled-sheet3.png");
  d->findChildren<QLineEdit*>()[0]->setText(QStringLiteral("3"));
  d->findChildren<QLineEdit*>()[1]->setText(QStringLiteral("3"));
  QTest::mouseClick(Find<QPushButton>(*d, QStringLiteral("印刷実行(&S)")), Qt::LeftButton);
  ASSERT_EQ(PdfPages(pdf), 1);
  const QImage page = Rasterise(pdf);
  EXPECT_TRUE(HasColour(page, qRgb(0, 0, 255)));  // the lower-left node (0xFF0000 is blue)
  for (QRgb other : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0)}) EXPECT_FALSE(HasColour(page, other));
  // Margins are stored when printing.
  EXPECT_EQ(settings::Get(store_, Insatu::MarginLmm), 25);
}

TEST_F(PrintDialogTest, AllSheetsTogetherPrintEveryQuarterOnce) {
  QuarterNodes();
  const QString pdf = Output("all.pdf");
  auto d = Open();
  QTest::mouseClick(Find<QPushButton>(*d, QStringLiteral("印刷実行(&S)")), Qt::LeftButton);
  ASSERT_EQ(PdfPages(pdf), 4);
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
  for (int sheet = 1; sheet <= 4; ++sheet) {
    QProcess p;
    const QString out = dir_.filePath(QStringLiteral("s%1").arg(sheet));
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                                         QStringLiteral("-f"), QString::number(sheet), QStringLiteral("-l"),
                                         QString::number(sheet), QStringLiteral("-singlefile"), pdf, out});
    p.waitForFinished();
    const QImage image(out + QStringLiteral(".png"));
    for (int c = 0; c < 4; ++c) EXPECT_EQ(HasColour(image, colours[c]), c == sheet - 1) << sheet << " " << c;
  }
}

TEST_F(PrintDialogTest, DraggingTheRightLineToThePaperEdgeStopsAtTheMinimum) {
  printer_.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
  settings::Set(store_, Insatu::DspYohaku, 1);
  SetPage(1000, 1000);
  auto d = Open();
  QWidget* preview = d->Preview();
  const QRect printable = d->PrintableArea();
  const QPoint onLine(printable.right() + 1, printable.center().y());  // the right edge (exclusive)
  QTest::mouseMove(preview, onLine);
  QTest::mousePress(preview, Qt::LeftButton, {}, onLine);
  QTest::mouseMove(preview, QPoint(d->PaperRect().right() + 20, onLine.y()));
  QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(d->PaperRect().right() + 20, onLine.y()));
  EXPECT_EQ(d->CurrentMargins().right, d->Minimum().x);
}

TEST_F(PrintDialogTest, APdfPrinterWithoutFileAsksForOneAndPutsEverySheetThere) {
  printer_.setOutputFileName({});
  SetPage(1000, 1000);
  auto d = Open();
  QPushButton* print = Find<QPushButton>(*d, QStringLiteral("印刷実行(&S)"));
  // No answer: nothing printed, the dialog stays.
  d->askPdfFile = [] { return QString(); };
  QTest::mouseClick(print, Qt::LeftButton);
  EXPECT_EQ(d->SheetsPrinted(), -1);
  EXPECT_TRUE(d->isVisible());
  const QString pdf = dir_.filePath(QStringLiteral("選んだ.pdf"));
  d->askPdfFile = [pdf] { return pdf; };
  QTest::mouseClick(print, Qt::LeftButton);
  EXPECT_EQ(d->SheetsPrinted(), d->Grid().Count());
  EXPECT_EQ(PdfPages(pdf), d->Grid().Count());
  // The next print asks again instead of overwriting this file.
  EXPECT_TRUE(printer_.outputFileName().isEmpty());
}

}  // namespace
}  // namespace plume::store::ui
