#include "platform/qt/JapaneseTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace plume::platform {

bool InstallJapaneseTranslations(QCoreApplication& app) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  // The desktop's file chooser speaks the user's language, not the program's.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  auto* translator = new QTranslator(&app);
  if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace plume::platform
