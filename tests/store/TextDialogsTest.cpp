// The text area and its dialogs driven through their widgets, with messages
// answered by a scripted sink. Set PLUME_SHOT_DIR to also write screenshots.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/MemorySettingsStore.h"
#include "platform/Messages.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "store/StoreFixture.h"
#include "store/ui/CEditDlg.h"
#include "store/ui/CSearchDlg.h"
#include "store/ui/CTView.h"
#include "store/ui/CTextDlg.h"

namespace plume::store {
namespace {

namespace fs = std::filesystem;
namespace settings = platform::settings;
using platform::MsgResult;

void Shoot(QWidget& widget, const char* name) {
  const char* dir = std::getenv("PLUME_SHOT_DIR");
  if (!dir) return;
  widget.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name));
}

class TextDialogsTest : public ::testing::Test {
 protected:
  platform::MemorySettingsStore settings_;
  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink scoped_{&sink_};
};

QTextCursor Selection(QTextEdit& edit, int start, int end) {
  QTextCursor cursor(edit.document());
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  return cursor;
}

TEST_F(TextDialogsTest, ContextMenuListsItsCommandsInOrderAndRoutesThem) {
  CTView view;
  view.setPlainText(QStringLiteral("some text"));
  std::unique_ptr<QMenu> menu(view.BuildContextMenu(nullptr));
  menu->setParent(nullptr);
  QStringList captions;
  for (QAction* action : menu->actions()) captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
  EXPECT_EQ(captions, (QStringList{QStringLiteral("コピー(&C)\tCtrl+C"), QStringLiteral("貼り付け(&P)\tCtrl+V"),
                                   QStringLiteral("-"), QStringLiteral("すべて選択(&A)\tCtrl+A"), QStringLiteral("-"),
                                   QStringLiteral("文字列検索(&S)")}));
  // Without a selection there is nothing to copy; the text can be selected.
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
  EXPECT_TRUE(menu->actions()[3]->isEnabled());
  menu->actions()[3]->trigger();
  EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("some text"));
  menu.reset(view.BuildContextMenu(nullptr));
  menu->setParent(nullptr);
  EXPECT_TRUE(menu->actions()[0]->isEnabled());
  menu->adjustSize();
  Shoot(*menu, "context-menu.png");

  // With the frame's hooks, entries go through them.
  std::vector<int> ran;
  view.runCommand = [&](int id) { ran.push_back(id); };
  view.commandEnabled = [](int id) { return id == text_area_command::kSearch; };
  menu.reset(view.BuildContextMenu(nullptr));
  menu->setParent(nullptr);
  EXPECT_FALSE(menu->actions()[3]->isEnabled());
  menu->actions()[5]->trigger();
  EXPECT_EQ(ran, std::vector<int>{text_area_command::kSearch});
}

TEST_F(TextDialogsTest, TidyRewritesTheTextAreaAndPutsTheCaretAtTheStart) {
  CTView view;
  view.setPlainText(QStringLiteral("short\n\n　　\nanother\n") + QString(45, QLatin1Char('x')) + QStringLiteral("\nend"));
  view.moveCursor(QTextCursor::End);
  view.TidyPageText();
  EXPECT_EQ(view.toPlainText(), QStringLiteral("short  another  ") + QString(45, QLatin1Char('x')) +
                                    QStringLiteral("\nend  "));
  EXPECT_EQ(view.textCursor().position(), 0);
}

TEST_F(TextDialogsTest, SearchDialogFindsWrapsAndReportsAMissingString) {
  settings::Set(settings_, settings::Last::SearchText, "abc");
  QTextEdit area;
  area.setPlainText(QStringLiteral("ABC first\nthen xyz"));
  area.setTextCursor(Selection(area, 12, 12));
  CSearchDlg dialog(settings_, area);
  dialog.show();
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("searchText"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QStringLiteral("abc"));

  // Match case off: "abc" finds "ABC" before the caret by wrapping.
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("next")), Qt::LeftButton);
  EXPECT_EQ(area.textCursor().selectionStart(), 0);
  EXPECT_EQ(area.textCursor().selectionEnd(), 3);
  EXPECT_TRUE(sink_.Messages().empty());
  EXPECT_TRUE(dialog.isVisible());

  // Match case on (stored at once): not found, one message, selection kept.
  QTest::mouseClick(dialog.findChild<QCheckBox*>(QStringLiteral("matchCase")), Qt::LeftButton);
  EXPECT_EQ(settings::Get(settings_, settings::Last::SearchKubetu), 1);
  EXPECT_FALSE(dialog.SearchPrevious());
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30088});
  EXPECT_EQ(sink_.Last().prefix, "『abc』\n");
  EXPECT_EQ(area.textCursor().selectionEnd(), 3);

  // A new string is kept in the settings; the backward search wraps to the end.
  edit->setText(QStringLiteral("xyz"));
  EXPECT_TRUE(dialog.SearchPrevious());
  EXPECT_EQ(area.textCursor().selectedText(), QStringLiteral("xyz"));
  EXPECT_EQ(settings::Get(settings_, settings::Last::SearchText), "xyz");
  Shoot(dialog, "search-dialog.png");
}

TEST_F(TextDialogsTest, SearchDialogOpensWithTheStoredOptions) {
  settings::Set(settings_, settings::Last::SearchKubetu, 1);
  settings::Set(settings_, settings::Last::SearchTango, 1);
  QTextEdit area;
  CSearchDlg dialog(settings_, area);
  EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("matchCase"))->isChecked());
  auto* word = dialog.findChild<QCheckBox*>(QStringLiteral("wholeWord"));
  EXPECT_TRUE(word->isChecked());
  word->click();
  EXPECT_EQ(settings::Get(settings_, settings::Last::SearchTango), 0);
}

class TextDlgTest : public TextDialogsTest {
 protected:
  void SetUp() override {
    root_ = test::MakeTempFolder("textdlg");
    folder_ = root_ / "PLUMEDATA" / "TXT" / "34";
    file_ = folder_ / "00001234.TXT";
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_, folder_, file_;
};

TEST_F(TextDlgTest, LoadsTakesOverAndSavesTheRelatedText) {
  test::WriteBytes(file_, "\x8A\xD6\x98\x41\r\nline 2");  // 関連 CR LF "line 2"
  QTextEdit area;
  area.setPlainText(QStringLiteral("from the area\nsecond"));
  CTextDlg dialog(folder_, file_, settings_, &area);
  dialog.open();
  EXPECT_EQ(dialog.Pane()->toPlainText(), QStringLiteral("関連\nline 2"));
  Shoot(dialog, "text-dialog.png");

  // Taking over a non-empty pane asks first; No keeps it.
  sink_.Answer(MsgResult::No);
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("takeOver")), Qt::LeftButton);
  EXPECT_EQ(dialog.Pane()->toPlainText(), QStringLiteral("関連\nline 2"));
  sink_.Answer(MsgResult::Yes);
  dialog.TakeOverTextArea();
  EXPECT_EQ(dialog.Pane()->toPlainText(), area.toPlainText());
  EXPECT_EQ(sink_.Ids(), (std::vector<int>{30089, 30089}));

  // Declining the save keeps the dialog open and the file as it was.
  sink_.Answer(MsgResult::No);
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("save")), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(test::ReadBytes(file_), "\x8A\xD6\x98\x41\r\nline 2");

  sink_.Answer(MsgResult::Yes);
  dialog.SaveAndClose();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(test::ReadBytes(file_), "from the area\r\nsecond");
}

TEST_F(TextDlgTest, EmptiedPaneSavesAnEmptyFileAndAnEmptyPaneIsNotAsked) {
  test::WriteBytes(file_, "old");
  QTextEdit area;
  area.setPlainText(QStringLiteral("new"));
  CTextDlg dialog(folder_, file_, settings_, &area);
  dialog.open();
  dialog.findChild<QPushButton*>(QStringLiteral("clear"))->click();
  EXPECT_TRUE(dialog.Pane()->toPlainText().isEmpty());
  dialog.TakeOverTextArea();  // empty pane: no question
  EXPECT_TRUE(sink_.Messages().empty());
  dialog.ClearPane();
  sink_.Answer(MsgResult::Yes);
  dialog.SaveAndClose();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(fs::file_size(file_), 0u);
}

TEST_F(TextDlgTest, MissingFileGivesAnEmptyPaneAndCancelWritesNothing) {
  CTextDlg dialog(folder_, file_, settings_, nullptr);
  dialog.open();
  EXPECT_TRUE(dialog.Pane()->toPlainText().isEmpty());
  EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("takeOver"))->isEnabled());
  dialog.Pane()->setPlainText(QStringLiteral("typed"));
  dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(fs::exists(root_ / "PLUMEDATA"));
  EXPECT_TRUE(sink_.Messages().empty());
}

TEST_F(TextDlgTest, PlacementComesFromAndGoesBackToTheTextDlgSection) {
  settings::Set(settings_, settings::TextDlg::PX, 30);
  settings::Set(settings_, settings::TextDlg::PY, 40);
  settings::Set(settings_, settings::TextDlg::SX, 700);
  settings::Set(settings_, settings::TextDlg::SY, 500);
  {
    CTextDlg dialog(folder_, file_, settings_, nullptr);
    EXPECT_EQ(dialog.size(), QSize(700, 500));
    dialog.open();
    dialog.resize(720, 510);
    dialog.move(-20, 50);
    dialog.reject();
  }
  EXPECT_EQ(settings::Get(settings_, settings::TextDlg::PX), 0);
  EXPECT_EQ(settings::Get(settings_, settings::TextDlg::PY), 50);
  EXPECT_EQ(settings::Get(settings_, settings::TextDlg::SX), 720);
  EXPECT_EQ(settings::Get(settings_, settings::TextDlg::SY), 510);
  EXPECT_EQ(settings::Get(settings_, settings::TextDlg::Zoomed), 0);
  // A stored width below the designed one opens at the designed width.
  settings::Set(settings_, settings::TextDlg::SX, 10);
  CTextDlg narrow(folder_, file_, settings_, nullptr);
  EXPECT_EQ(narrow.width(), narrow.minimumWidth());
  EXPECT_EQ(narrow.height(), 510);
}

TEST_F(TextDialogsTest, EditDialogCountsBytesAndRefusesTooLongTitles) {
  std::string buffer = "\x82\xA0\x82\xA2";  // あい
  CEditDlg dialog(EditMode::Title, buffer);
  dialog.open();
  EXPECT_EQ(dialog.Edit()->toPlainText(), QStringLiteral("あい"));
  EXPECT_EQ(dialog.CounterText(), QStringLiteral("[4 / 100]"));
  Shoot(dialog, "edit-dialog.png");

  // 51 Japanese characters are 102 bytes: refused, the buffer kept.
  dialog.Edit()->setPlainText(QString(51, QChar(0x3042)));
  EXPECT_EQ(dialog.CounterText(), QStringLiteral("[102 / 100]"));
  dialog.findChild<QPushButton*>(QStringLiteral("save"))->click();
  EXPECT_EQ(sink_.Ids(), std::vector<int>{30008});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(buffer, "\x82\xA0\x82\xA2");

  // 50 are 100 bytes: accepted into the buffer.
  dialog.Edit()->setPlainText(QString(50, QChar(0x3042)));
  dialog.SaveAndClose();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(buffer.size(), 100u);
}

TEST_F(TextDialogsTest, EditDialogForSlipsKeepsLineBreaksAndCancelChangesNothing) {
  std::string buffer = "one\r\ntwo";
  {
    CEditDlg dialog(EditMode::Slip, buffer);
    dialog.open();
    EXPECT_EQ(dialog.CounterText(), QStringLiteral("[8 / 1,000]"));
    QTest::keyClicks(dialog.Edit(), QStringLiteral("x"));
    EXPECT_EQ(dialog.CounterText(), QStringLiteral("[9 / 1,000]"));
    dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    EXPECT_EQ(buffer, "one\r\ntwo");
  }
  CEditDlg dialog(EditMode::Slip, buffer);
  dialog.open();
  dialog.Edit()->setPlainText(QStringLiteral("a\nb"));
  dialog.SaveAndClose();
  EXPECT_EQ(buffer, "a\r\nb");
}

}  // namespace
}  // namespace plume::store
