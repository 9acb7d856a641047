// The main window on the screen it opens on, as the program starts it: run
// also at QT_SCALE_FACTOR=2 (see CMakeLists.txt), where the available screen
// is half as large in the window's own pixels.
#include <gtest/gtest.h>

#include <QScreen>

#include "ShellUiFixture.h"
#include "platform/SettingsTable.h"

namespace plume::shell::testing {
namespace {

namespace settings = platform::settings;

class FirstWindowTest : public ShellUiTest {};

TEST_F(FirstWindowTest, TheWindowTakesAGoodShareOfTheScreenAndNeverMoreWhateverWasStored) {
  const struct {
    const char* what;
    int storedWidth, storedHeight;  ///< 0: nothing stored
  } cases[] = {{"first start", 0, 0}, {"stored larger than the screen", 4000, 3000}};
  for (const auto& c : cases) {
    if (c.storedWidth > 0) {
      settings::Set(store, settings::Last::SX, c.storedWidth);
      settings::Set(store, settings::Last::SY, c.storedHeight);
    }
    auto app = MakeApp();
    ASSERT_TRUE(app->Start(std::nullopt)) << c.what;
    const CMainFrame* frame = app->Frame();
    const QRect available = frame->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(frame->frameGeometry()))
        << c.what << ": " << frame->frameGeometry().width() << "x" << frame->frameGeometry().height() << " on "
        << available.width() << "x" << available.height();
    EXPECT_GE(frame->width() * 5, available.width() * 3) << c.what;
    EXPECT_GE(frame->height() * 5, available.height() * 3) << c.what;
  }
}

}  // namespace
}  // namespace plume::shell::testing
