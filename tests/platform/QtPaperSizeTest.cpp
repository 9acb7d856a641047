// Every paper code's page size matches the dimensions its name states.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSizeF>

#include <algorithm>

#include "platform/PaperCodes.h"
#include "platform/qt/QtPaperSize.h"

namespace plume::platform {
namespace {

// "81/2" is 8 1/2, "147/8" is 14 7/8, "297" is 297.
double Dimension(const QString& s) {
  const qsizetype slash = s.indexOf('/');
  if (slash < 0) return s.toDouble();
  return s.left(slash - 1).toDouble() + s.mid(slash - 1, 1).toDouble() / s.mid(slash + 1).toDouble();
}

TEST(PaperCodes, EveryCodeMapsToThePaperItsNameStates) {
  const QRegularExpression dims(QStringLiteral("(\\d+(?:/\\d)?)x(\\d+(?:/\\d)?)(mm|inch)"));
  for (int code = kFirstPaperCode; code <= kLastPaperCode; ++code) {
    const QString name = QString::fromUtf8(PaperCodeName(code).data(), static_cast<qsizetype>(PaperCodeName(code).size()));
    const QRegularExpressionMatch m = dims.match(name);
    ASSERT_TRUE(m.hasMatch()) << name.toStdString();
    const double unit = m.captured(3) == QStringLiteral("inch") ? 25.4 : 1.0;
    double a = Dimension(m.captured(1)) * unit;
    double b = Dimension(m.captured(2)) * unit;
    const QSizeF mm = ToQPageSize(code).size(QPageSize::Millimeter);
    double w = mm.width();
    double h = mm.height();
    if (a > b) std::swap(a, b);
    if (w > h) std::swap(w, h);
    EXPECT_NEAR(w, a, 1.5) << code << " " << name.toStdString();
    EXPECT_NEAR(h, b, 1.5) << code << " " << name.toStdString();
  }
}

TEST(PaperCodes, UnknownCodesShowEtcAndPrintOnA4) {
  for (int code : {0, 42, -1, 256}) {
    EXPECT_EQ(PaperCodeName(code), "etc.");
    EXPECT_FALSE(PaperCodePageSize(code).has_value());
    EXPECT_EQ(ToQPageSize(code).id(), QPageSize::A4);
  }
  EXPECT_EQ(PaperCodeOf(QPageSize(QPageSize::A4)), kA4PaperCode);
  EXPECT_EQ(PaperCodeOf(QPageSize(QPageSize::A0)), 0);
}

}  // namespace
}  // namespace plume::platform
