#include "platform/qt/JapaneseTranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>

namespace plume::platform {
namespace {

TEST(JapaneseTranslations, StandardDialogsSpeakJapaneseAndAreQtsOwn) {
  ASSERT_TRUE(InstallJapaneseTranslations(*QCoreApplication::instance()));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
  EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
  EXPECT_EQ(QLocale().language(), QLocale::Japanese);
}

}  // namespace
}  // namespace plume::platform
