// The material search dialog and the store property dialogs driven through
// their widgets on a generated store with pictures; messages answered by a
// scripted sink. Set PLUME_SHOT_DIR to also write screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <cstdlib>

#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/qt/BalloonTip.h"
#include "store/InfoFile.h"
#include "store/StoreFixture.h"
#include "store/ui/CDbDlg.h"
#include "store/ui/CDbPropDlg.h"
#include "store/ui/CPropertyData.h"
#include "store/ui/CPropertyNode.h"
#include "document/ChartDocument.h"
#include "platform/qt/QtPictureCodec.h"
#include "store/ui/MaterialPreview.h"

namespace plume::store::test {
namespace {

namespace settings = platform::settings;
using platform::MsgResult;

void Shoot(QWidget& widget, const char* name) {
  const char* dir = std::getenv("PLUME_SHOT_DIR");
  if (!dir) return;
  widget.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name));
}

class MaterialDialogsTest : public StoreFixture {
 protected:
  MaterialDialogsTest() {
    settings::Set(settings_, settings::KanSet::Kakunin, 0);
    settings::Set(settings_, settings::KanSet::Fukugen, 0);
  }
  /// Material n: a picture of the given colour (PDF: a few bytes), owned by `owner`.
  void Add(Serial n, const char* type, QColor colour = Qt::red, const std::string& owner = "/nowhere/a.pbd") {
    const std::string serial = FormatSerial(n);
    const fs::path data = MaterialStore::DataFileIn(Root(), type, serial);
    fs::create_directories(data.parent_path());
    if (std::string_view(type) == "PDF") {
      WriteBytes(data, "%PDF-1.4\n");
    } else {
      QImage image(64, 48, QImage::Format_RGB32);
      image.fill(colour);
      ASSERT_TRUE(image.save(QString::fromStdString(data.string()), type));
    }
    const MaterialInfo info{type, "64", "48", std::to_string(fs::file_size(data)), "",
                            platform::Utf8ToCp932("資料 ") + serial, "https://example.org/" + serial,
                            "2024.05.01 10:00"};
    const fs::path infoFile = MaterialStore::InfoFileIn(Root(), serial);
    fs::create_directories(infoFile.parent_path());
    ASSERT_TRUE(InfoFile::WriteInfoAt(infoFile, info, owner));
    settings::Set(settings_, settings::Sys::No, FormatSerial(n + 1));
  }
  std::unique_ptr<CDbDlg> Open(CDbDlg::Mode mode = CDbDlg::Mode::Browse, DbDlgHooks hooks = {}) {
    auto dlg = std::make_unique<CDbDlg>(mode, store_, settings_, pictures_, std::move(hooks));
    dlg->show();
    return dlg;
  }
  std::vector<std::string> Column(const CDbDlg& dlg, int column) {
    std::vector<std::string> out;
    for (int r = 0; r < dlg.List()->rowCount(); ++r) out.push_back(dlg.Cell(r, column));
    return out;
  }

  const platform::QtPictureCodec pictures_;
};

TEST_F(MaterialDialogsTest, SearchListsAGeneratedStoreAndKeepsTheWindowAlive) {
  const char* types[] = {"JPEG", "PNG", "BMP", "PDF", "JPEG", "TIFF"};  // Qt writes no GIF
  for (Serial n = 0; n < 300; ++n) Add(n, types[n % 6], QColor::fromHsv(static_cast<int>(n % 360), 200, 220));
  auto dlg = Open();
  EXPECT_FALSE(dlg->OkButton()->isEnabled());
  // A timer firing during the scan proves events are handled while it runs.
  int rowsSeenDuringScan = -1;
  QTimer::singleShot(0, dlg.get(), [&] {
    if (dlg->Scanning()) rowsSeenDuringScan = dlg->List()->rowCount();
  });
  dlg->Search();
  EXPECT_EQ(dlg->List()->rowCount(), 300);
  EXPECT_GE(rowsSeenDuringScan, 1);
  EXPECT_TRUE(dlg->OkButton()->isEnabled());
  EXPECT_EQ(dlg->Cell(0, kColSha256).size(), 64u);  // backfilled
  EXPECT_EQ(dlg->Cell(3, kColSha256), "");           // PDF
  dlg->List()->selectRow(1);
  EXPECT_NE(dlg->findChild<MaterialPreview*>("preview")->Picture(), nullptr);
  Shoot(*dlg, "dbdlg-browse.png");
}

TEST_F(MaterialDialogsTest, PointerOnAControlShowsItsTipInTheDialogsBalloon) {
  auto dlg = Open();
  auto* text = dlg->findChild<QLineEdit*>(QStringLiteral("text"));
  const QPoint at = text->mapToGlobal(text->rect().center());
  QEnterEvent enter(text->rect().center(), text->rect().center(), at);
  QApplication::sendEvent(text, &enter);
  QLabel* tip = platform::BalloonTip::For(*dlg).Window();
  ASSERT_TRUE(QTest::qWaitFor([&] { return tip->isVisible(); }, 5000));
  const std::string_view expected = platform::StringText(platform::StringId::SearchTextTip);
  EXPECT_EQ(tip->text().toStdString(), expected);
  EXPECT_LE(tip->width(), 512);
  if (std::getenv("PLUME_SHOT_DIR")) {
    // The dialog with its tip drawn where it shows.
    QImage shot = dlg->grab().toImage();
    QPainter painter(&shot);
    painter.drawPixmap(tip->pos() - dlg->mapToGlobal(QPoint(0, 0)), tip->grab());
    painter.end();
    shot.save(QString::fromUtf8(std::getenv("PLUME_SHOT_DIR")) + QStringLiteral("/dbdlg-tip.png"));
  }
}

TEST_F(MaterialDialogsTest, SecondHeaderClickSortsDescendingAndTheThirdAscending) {
  for (Serial n = 0; n < 4; ++n) Add(n, "PDF");
  auto dlg = Open();
  dlg->Search();
  dlg->List()->horizontalHeader()->sectionClicked(kColSerial);
  EXPECT_EQ(dlg->Cell(0, kColSerial), "00000000");
  dlg->List()->horizontalHeader()->sectionClicked(kColSerial);
  EXPECT_EQ(Column(*dlg, kColSerial), (std::vector<std::string>{"00000003", "00000002", "00000001", "00000000"}));
  EXPECT_EQ(Column(*dlg, kColNo), (std::vector<std::string>{"1", "2", "3", "4"}));
  dlg->List()->horizontalHeader()->sectionClicked(kColSerial);
  EXPECT_EQ(dlg->Cell(0, kColSerial), "00000000");
}

TEST_F(MaterialDialogsTest, DeletesCheckedMaterialsAndRenumbers) {
  for (Serial n = 0; n < 6; ++n) Add(n, "JPEG");
  auto dlg = Open();
  dlg->Search();
  dlg->List()->selectRow(0);
  dlg->RunCommand(CDbDlg::kCmdDeleteChecked);
  EXPECT_EQ(sink_.Last().id, 30090);
  dlg->SetChecked(1, true);
  dlg->SetChecked(4, true);
  sink_.Answer(MsgResult::Yes);
  dlg->RunCommand(CDbDlg::kCmdDeleteChecked);
  EXPECT_EQ(Column(*dlg, kColSerial), (std::vector<std::string>{"00000000", "00000002", "00000003", "00000005"}));
  EXPECT_EQ(Column(*dlg, kColNo), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_FALSE(fs::exists(MaterialStore::InfoFileIn(Root(), "00000004")));
  EXPECT_FALSE(fs::exists(MaterialStore::DataFileIn(Root(), "JPEG", "00000001")));
}

TEST_F(MaterialDialogsTest, SameImageSelectsRowsWithTheSameHash) {
  Add(0, "PNG", Qt::red);
  Add(1, "PNG", Qt::blue);
  Add(2, "PNG", Qt::red);
  Add(3, "PNG", Qt::red);
  auto dlg = Open();
  dlg->Search();
  dlg->List()->selectRow(2);
  dlg->RunCommand(CDbDlg::kCmdSameImage);
  EXPECT_EQ(sink_.Last().id, 30091);
  EXPECT_EQ(sink_.Last().prefix, "2件\n");
  EXPECT_EQ(dlg->List()->selectionModel()->selectedRows().size(), 3);
  dlg->List()->selectRow(1);
  dlg->RunCommand(CDbDlg::kCmdSameImage);
  EXPECT_EQ(sink_.Last().id, 30092);
}

TEST_F(MaterialDialogsTest, ChecksMaterialsWhoseOwnersAreAllGone) {
  const fs::path present = dir_ / "present.pbd";
  WriteBytes(present, "x");
  Add(0, "PDF", Qt::red, present.string());
  Add(1, "PDF", Qt::red, (dir_ / "gone.pbd").string());
  Add(2, "PDF", Qt::red, (dir_ / "gone.pbd").string());
  InfoFile(store_).AddOwner("00000002", present);
  const fs::path lossy = dir_ / "é😀.pbd";  // written as "?.pbd"
  WriteBytes(lossy, "x");
  Add(3, "PDF", Qt::red, lossy.string());
  auto dlg = Open();
  dlg->Search();
  dlg->RunCommand(CDbDlg::kCmdCheckOwnerless);
  EXPECT_FALSE(dlg->IsChecked(0));
  EXPECT_TRUE(dlg->IsChecked(1));
  EXPECT_FALSE(dlg->IsChecked(2));
  EXPECT_FALSE(dlg->IsChecked(3));
  dlg->SetChecked(1, false);
  fs::remove(MaterialStore::InfoFileIn(Root(), "00000001"));
  WriteBytes(dir_ / "gone.pbd", "x");
  dlg->RunCommand(CDbDlg::kCmdCheckOwnerless);
  EXPECT_EQ(sink_.Last().id, 30071);
}

TEST_F(MaterialDialogsTest, EverySearchListHeadingIsShownWhole) {
  auto dlg = Open();
  dlg->show();
  QHeaderView* header = dlg->List()->horizontalHeader();
  for (int c = 0; c < dlg->List()->columnCount(); ++c) {
    const QString text = dlg->List()->horizontalHeaderItem(c)->text();
    EXPECT_GE(dlg->List()->columnWidth(c), header->fontMetrics().horizontalAdvance(text)) << text.toStdString();
  }
}

TEST_F(MaterialDialogsTest, PasteModeHandsOverCheckedRowsInListOrder) {
  for (Serial n = 0; n < 5; ++n) Add(n, n % 2 ? "PDF" : "JPEG");
  std::vector<MaterialPick> got;
  DbDlgHooks hooks;
  hooks.paste = [&](const std::vector<MaterialPick>& picks) {
    got = picks;
    return PickPasteResult{static_cast<int>(picks.size()), false};
  };
  auto dlg = Open(CDbDlg::Mode::Paste, hooks);
  EXPECT_EQ(dlg->OkButton()->text(), QStringLiteral("選択決定(&O)"));
  dlg->Search();
  sink_.Answer(MsgResult::No);
  dlg->OkClicked();
  EXPECT_EQ(sink_.Last().id, 30053);
  EXPECT_TRUE(dlg->isVisible());
  for (int r : {0, 2, 3}) dlg->SetChecked(r, true);
  Shoot(*dlg, "dbdlg-paste.png");
  dlg->OkClicked();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[1].serial, 2);
  EXPECT_EQ(got[2].typeWord, "PDF");
  EXPECT_EQ(got[0].width, 64);
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(MaterialDialogsTest, RestoresTheLastConditionsAndIgnoresDamagedDates) {
  settings::Set(settings_, settings::KanSet::Fukugen, 1);
  settings::Set(settings_, settings::Kensaku::Type, 5);
  settings::Set(settings_, settings::Kensaku::Date1, std::string("2012.11.14"));
  settings::Set(settings_, settings::Kensaku::Date2, std::string("2012.13.40"));
  auto dlg = Open();
  EXPECT_EQ(dlg->findChild<QComboBox*>("types")->currentIndex(), 5);
  EXPECT_TRUE(dlg->findChild<QCheckBox*>("date1On")->isChecked());
  EXPECT_FALSE(dlg->findChild<QCheckBox*>("date2On")->isChecked());
  settings::Set(settings_, settings::KanSet::Kakunin, 1);
  sink_.Answer(MsgResult::No);
  dlg->Search();
  EXPECT_EQ(sink_.Last().prefix, "1 種別：\t\tＰＮＧ\n2 取得日時：\t2012.11.14～\n3 テキスト：\t絞りなし\n\n");
}

TEST_F(MaterialDialogsTest, PropertyDataShowsAtMostHundredOwners) {
  Add(0, "JPEG");
  for (int i = 0; i < 119; ++i) InfoFile(store_).AddOwner("00000000", "/charts/c" + std::to_string(i) + ".pbd");
  auto dlg = Open();
  dlg->Search();
  dlg->List()->selectRow(0);
  DataProperties props;
  props.values = {"JPEG", "00000000", "t", "1", "64", "48", "2024.05.01 10:00", "https://example.org/"};
  for (int i = 1; i <= 120; ++i) props.owners.push_back(InfoFile(store_).ReadInfoTag(0, "FilePath", i));
  CPropertyData data(props, store_, settings_, pictures_, {});
  EXPECT_EQ(data.Owners()->rowCount(), 100);
  EXPECT_NE(data.Preview()->Picture(), nullptr);
  data.show();
  Shoot(data, "property-data.png");
  props.values[0] = "PDF";
  CPropertyData pdf(props, store_, settings_, pictures_, {});
  EXPECT_EQ(pdf.Preview()->Picture(), nullptr);
}

TEST_F(MaterialDialogsTest, ContentCheckCountsByUpperCaseEndingAndChecksTheLastSerial) {
  Add(0, "JPEG");
  Add(41, "JPEG");
  WriteBytes(MaterialStore::DataFileIn(Root(), "JPEG", "00001234").replace_extension(".JPG"), "x");
  WriteBytes(MaterialStore::DataFileIn(Root(), "JPEG", "00001235").replace_extension(".jpeg"), "x");
  settings::Set(settings_, settings::Sys::No, std::string("00000042"));
  CDbPropDlg dlg(store_, settings_);
  EXPECT_EQ(dlg.CountLabel(2)->text(), QStringLiteral("3"));
  EXPECT_EQ(dlg.NextLabel()->text(), QStringLiteral("00000042"));
  dlg.CheckLastSerial();
  EXPECT_EQ(sink_.Last().id, 30079);
  EXPECT_EQ(sink_.Last().prefix, "最終シリアル№\t00000041\n全登録件数\t2\n\n");
  settings::Set(settings_, settings::Sys::No, std::string("00000050"));
  CDbPropDlg wrong(store_, settings_);
  sink_.Answer(MsgResult::Yes);
  wrong.CheckLastSerial();
  EXPECT_EQ(sink_.Last().id, 30078);
  EXPECT_EQ(settings::Get(settings_, settings::Sys::No), "00000042");
  EXPECT_EQ(wrong.NextLabel()->text(), QStringLiteral("00000042"));
  wrong.show();
  Shoot(wrong, "dbprop.png");
}

TEST_F(MaterialDialogsTest, NodePropertiesWithoutMasterFileDisableResizingAndWithoutPictureShrink) {
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  QImage image(600, 100, QImage::Format_RGB32);
  image.fill(Qt::green);
  document::NodeRequest request;
  request.dataType = "JPEG";
  request.serial = 12;
  request.title = "pic";
  request.hasImage = true;
  request.picture = std::make_unique<platform::QtPicture>(image, platform::EncodeImage(image, "JPEG"));
  request.pictureWidth = 600;
  request.pictureHeight = 100;
  ASSERT_TRUE(doc->AddNode(std::move(request)));
  doc->nodes[0].rect = {0, 0, 300, 50};
  doc->nodeStates[0].selected = 1;
  CPropertyNode missing(*doc, 0, store_, settings_, {}, {});
  EXPECT_TRUE(missing.Field(1020)->text().endsWith(QStringLiteral(" ≪ファイルなし≫")));
  EXPECT_EQ(missing.Field(1019)->text(), QStringLiteral("50 %"));
  EXPECT_FALSE(missing.findChild<QPushButton*>("b1001")->isEnabled());
  missing.SetTitlePos(1);
  EXPECT_EQ(doc->nodes[0].titlePos, 1);
  missing.show();
  Shoot(missing, "property-node.png");
  const int fullHeight = missing.height();
  ASSERT_TRUE(doc->AddSlip("x", 0, 0));
  document::NodeRequest text;
  text.dataType = "PDF";
  text.serial = 3;
  text.title = "text";
  ASSERT_TRUE(doc->AddNode(std::move(text)));
  CPropertyNode plain(*doc, 1, store_, settings_, {}, {});
  plain.show();
  EXPECT_LT(plain.height(), fullHeight);
  Shoot(plain, "property-node-plain.png");
}

// A reload that fails after a size change puts the old size back and marks
// nothing; one that succeeds keeps the new size and marks the chart. Without
// a store folder the dialog asks for one once.
TEST_F(MaterialDialogsTest, NodePropertiesKeepTheDocumentConsistentAndAskForTheStoreOnce) {
  Add(12, "JPEG");
  auto doc = document::ChartDocument::Create();
  doc->NewDocument();
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(Qt::green);
  document::NodeRequest request;
  request.dataType = "JPEG";
  request.serial = 12;
  request.hasImage = true;
  request.picture = std::make_unique<platform::QtPicture>(image, platform::EncodeImage(image, "JPEG"));
  request.pictureWidth = 32;
  request.pictureHeight = 24;
  ASSERT_TRUE(doc->AddNode(std::move(request)));
  const document::Rect before = doc->nodes[0].rect;
  for (const bool reloads : {false, true}) {
    SCOPED_TRACE(reloads ? "reloaded" : "reload failed");
    doc->nodes[0].rect = before;
    int changed = 0;
    NodeDialogHooks chart{[&](int) { return reloads; }, [&] { ++changed; }};
    CPropertyNode dlg(*doc, 0, store_, settings_, {}, chart);
    dlg.findChild<QPushButton*>("b1004")->click();  // the master's own size, 64 x 48
    EXPECT_EQ(doc->nodes[0].rect.Width(), reloads ? 64 : before.Width());
    EXPECT_EQ(changed, reloads ? 1 : 0);
  }
  settings::Set(settings_, settings::KanSet::StorePath, std::string());
  sink_.Reset();
  sink_.Answer(MsgResult::No);
  CPropertyNode noStore(*doc, 0, store_, settings_, {}, {});
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30016});
}

}  // namespace
}  // namespace plume::store::test
