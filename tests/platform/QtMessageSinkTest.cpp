#include "platform/qt/QtMessageSink.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace plume::platform {
namespace {

MessageRequest Request(MsgIcon icon, MsgButtons buttons) {
  MessageRequest r;
  r.caption = "Plumeboard";
  r.prefix = "10001 > 10000\n";
  r.text = "ノードの最大セット件数を超えました";
  r.icon = icon;
  r.buttons = buttons;
  return r;
}

TEST(QtMessageSink, BoxShowsCaptionPrefixTextIconAndButtons) {
  auto box = QtMessageSink::BuildBox(Request(MsgIcon::Error, MsgButtons::Ok));
  EXPECT_EQ(box->windowTitle(), "Plumeboard");
  EXPECT_EQ(box->text(), QString::fromUtf8("10001 > 10000\nノードの最大セット件数を超えました"));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);

  auto question = QtMessageSink::BuildBox(Request(MsgIcon::Question, MsgButtons::YesNoCancel));
  EXPECT_EQ(question->icon(), QMessageBox::Question);
  EXPECT_EQ(question->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

TEST(QtMessageSink, EveryButtonCarriesItsJapaneseCaption) {
  auto question = QtMessageSink::BuildBox(Request(MsgIcon::Question, MsgButtons::YesNoCancel));
  EXPECT_EQ(question->button(QMessageBox::Yes)->text(), QStringLiteral("はい"));
  EXPECT_EQ(question->button(QMessageBox::No)->text(), QStringLiteral("いいえ"));
  EXPECT_EQ(question->button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
  EXPECT_EQ(QtMessageSink::BuildBox(Request(MsgIcon::Error, MsgButtons::Ok))->button(QMessageBox::Ok)->text(),
            QStringLiteral("OK"));
}

TEST(QtMessageSink, ReturnsTheButtonPressedAndNeverYesOnEscape) {
  QtMessageSink sink;
  auto press = [](QMessageBox::StandardButton which) {
    QTimer::singleShot(0, [which] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->button(which)->click();
    });
  };
  press(QMessageBox::No);
  EXPECT_EQ(sink.Show(Request(MsgIcon::Question, MsgButtons::YesNoCancel)), MsgResult::No);
  press(QMessageBox::Cancel);
  EXPECT_EQ(sink.Show(Request(MsgIcon::Question, MsgButtons::YesNoCancel)), MsgResult::Cancel);
  QTimer::singleShot(0, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->reject();
  });
  EXPECT_EQ(sink.Show(Request(MsgIcon::Question, MsgButtons::YesNo)), MsgResult::No);
}

}  // namespace
}  // namespace plume::platform
