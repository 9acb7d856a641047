// The demo chart painted by `plumeboard-tool render` compared with reference
// pictures that were looked at by eye. Set PLUME_UPDATE_GOLDENS=1 to write
// new references (and look at them before keeping them).

#include <gtest/gtest.h>

#include <QImage>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kGoldens = fs::path(PLUME_TEST_DATA_DIR) / "golden" / "chartview";

int RunShell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); }

class GoldenPageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = fs::temp_directory_path() / ("plume_golden_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ASSERT_EQ(RunShell(std::string(PLUME_TOOL) + " demo " + (dir / "demo.chart").string()), 0);
  }
  static void TearDownTestSuite() { fs::remove_all(dir); }

  // Renders with `options` and compares with golden `name`: a pixel differs
  // when a channel is off by more than 48; at most 0.5 % may differ.
  void Check(const std::string& name, const std::string& options) {
    const fs::path out = dir / name;
    ASSERT_EQ(RunShell(std::string(PLUME_TOOL) + " render " + (dir / "demo.chart").string() + " " + options + " " +
                  out.string()),
              0);
    const fs::path golden = kGoldens / name;
    if (std::getenv("PLUME_UPDATE_GOLDENS")) fs::copy_file(out, golden, fs::copy_options::overwrite_existing);
    const QImage got(QString::fromStdString(out.string()));
    const QImage want(QString::fromStdString(golden.string()));
    ASSERT_FALSE(want.isNull()) << golden;
    ASSERT_EQ(got.size(), want.size());
    long differing = 0;
    for (int y = 0; y < got.height(); ++y)
      for (int x = 0; x < got.width(); ++x) {
        const QColor a = got.pixelColor(x, y), b = want.pixelColor(x, y);
        if (std::abs(a.red() - b.red()) > 48 || std::abs(a.green() - b.green()) > 48 ||
            std::abs(a.blue() - b.blue()) > 48)
          ++differing;
      }
    EXPECT_LE(differing, static_cast<long>(got.width()) * got.height() / 200) << name;
  }

  static inline fs::path dir;
};

TEST_F(GoldenPageTest, WholePageAtHalfZoomWithSelectionAndDial) { Check("page1_50.png", "--zoom 50 --select all"); }

TEST_F(GoldenPageTest, ViewAt100WithTitlesSlipAndTransparentPicture) {
  Check("page1_100.png", "--zoom 100 --select all --viewport 800x420+0+0");
}

TEST_F(GoldenPageTest, ViewAt250AroundThePicture) {
  Check("page1_250.png", "--zoom 250 --select all --viewport 700x500+350+600");
}

TEST_F(GoldenPageTest, CrossPageArcsOnSecondPage) { Check("page2_100.png", "--page 2 --zoom 100 --viewport 600x500+0+0"); }

TEST_F(GoldenPageTest, RenderRefusesBadPageAndCabinetForNow) {
  EXPECT_NE(RunShell(std::string(PLUME_TOOL) + " render " + (dir / "demo.chart").string() + " --page 9 " +
                (dir / "x.png").string()),
            0);
  EXPECT_NE(RunShell(std::string(PLUME_TOOL) + " render " + (dir / "doc.pbd").string() + " " + (dir / "x.png").string()),
            0);
}

}  // namespace
