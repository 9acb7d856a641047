#pragma once
// The program speaks Japanese: Qt's own translations of its standard dialogs
// (file, colour, font, print) are loaded at start-up, and Qt's own dialogs are
// used instead of the desktop's, whose language follows the user's locale.

class QCoreApplication;

namespace plume::platform {

/// Installs Qt's Japanese translations ("qtbase_ja.qm" from the folder Qt
/// keeps its translations in) on `app`, sets the Japanese locale as default
/// and asks for Qt's own dialogs. Call before any window exists. False when
/// the translations are not installed (the dialogs then stay in English).
bool InstallJapaneseTranslations(QCoreApplication& app);

}  // namespace plume::platform
