// The clipboard's image saved as the pasted image file.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <filesystem>

#include "capture/ui/QtClipboardImage.h"
#include "platform/MemorySettingsStore.h"

namespace plume::capture::ui {
namespace {

TEST(QtClipboardImage, SavesTheImageInTheAskedTypeAndNothingWithoutOne) {
  namespace fs = std::filesystem;
  platform::MemorySettingsStore settings;
  QtClipboardImage clipboard(settings);
  const fs::path file = fs::temp_directory_path() / ("plume-clip-" + std::to_string(::getpid()) + ".PNG");
  QImage image(30, 20, QImage::Format_ARGB32);
  image.fill(qRgba(10, 200, 30, 255));
  QGuiApplication::clipboard()->setImage(image);
  ASSERT_EQ(clipboard.SaveClipboardImage(file, "PNG"), ClipboardSave::Saved);
  const QImage saved(QString::fromStdString(file.string()), "PNG");
  EXPECT_EQ(saved.size(), QSize(30, 20));
  EXPECT_EQ(saved.pixel(5, 5), qRgb(10, 200, 30));
  fs::remove(file);

  QGuiApplication::clipboard()->setText("no picture");
  EXPECT_EQ(clipboard.SaveClipboardImage(file, "PNG"), ClipboardSave::NoBitmap);
  EXPECT_FALSE(fs::exists(file));
}

}  // namespace
}  // namespace plume::capture::ui
