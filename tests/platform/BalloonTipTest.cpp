#include "platform/qt/BalloonTip.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QWidget>

namespace plume::platform {
namespace {

constexpr int kPatience = 5000;  // waiting only; never a measure of speed

TEST(BalloonTip, KeepsWithinItsWidthAndWrapsLongerText) {
  struct Case {
    QString text;
    int maxWidth;
    bool wraps;
  };
  const Case cases[] = {
      {QStringLiteral("Width=800\nmin:500  max:5000"), 512, false},
      {QStringLiteral("検索する文字列を入力します。").repeated(8), 512, true},
      {QStringLiteral("a long page name made of many words ").repeated(6), 300, true},
  };
  QWidget owner;
  for (const Case& c : cases) {
    BalloonTipStyle style;
    style.maxWidth = c.maxWidth;
    BalloonTip tip(owner, style, {0, 0, 0});
    tip.ShowText(c.text, QPoint(10, 10));
    const QLabel* window = tip.Window();
    ASSERT_TRUE(window->isVisible()) << c.text.toStdString();
    EXPECT_LE(window->width(), c.maxWidth) << c.text.toStdString();
    EXPECT_EQ(window->wordWrap(), c.wraps) << c.text.toStdString();
    const int lines = c.text.count(QLatin1Char('\n')) + 1;
    const int lineHeight = window->fontMetrics().height();
    // Wrapped text takes more lines than it has; unwrapped text exactly its own.
    const int shownLines = window->height() / lineHeight;
    EXPECT_EQ(shownLines > lines, c.wraps) << c.text.toStdString();
  }
}

TEST(BalloonTip, AppearsAfterTheWakeDelayHidesAfterItsTimeAndReshowsAtOnceWithinTheReshowDelay) {
  struct Case {
    int reshowMs;
    bool secondAtOnce;
  };
  const Case cases[] = {{600000, true}, {0, false}};
  QWidget owner;
  for (const Case& c : cases) {
    BalloonTip tip(owner, {}, {50, 200, c.reshowMs});
    tip.ShowText(QStringLiteral("Height=900"), QPoint(20, 20));
    EXPECT_FALSE(tip.Window()->isVisible());
    EXPECT_TRUE(tip.Pending());
    EXPECT_TRUE(QTest::qWaitFor([&] { return tip.Window()->isVisible(); }, kPatience));
    EXPECT_EQ(tip.Window()->text(), QStringLiteral("Height=900"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tip.Window()->isVisible(); }, kPatience));

    tip.ShowText(QStringLiteral("Width=700"), QPoint(20, 20));
    EXPECT_EQ(tip.Window()->isVisible(), c.secondAtOnce) << c.reshowMs;
    EXPECT_TRUE(QTest::qWaitFor([&] { return tip.Window()->isVisible(); }, kPatience));
    tip.ShowText(QString(), QPoint());
    EXPECT_FALSE(tip.Window()->isVisible());
    EXPECT_FALSE(tip.Pending());
  }
}

}  // namespace
}  // namespace plume::platform
