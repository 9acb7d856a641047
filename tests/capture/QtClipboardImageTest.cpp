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

  // A see-through image keeps its alpha as a PNG and is laid over white as a JPEG or BMP.
  QImage seeThrough(4, 4, QImage::Format_ARGB32);
  seeThrough.fill(qRgba(255, 0, 0, 128));
  QGuiApplication::clipboard()->setImage(seeThrough);
  EXPECT_TRUE(clipboard.ImageHasAlpha());
  ASSERT_EQ(clipboard.SaveClipboardImage(file, "PNG"), ClipboardSave::Saved);
  EXPECT_EQ(qAlpha(QImage(QString::fromStdString(file.string()), "PNG").pixel(1, 1)), 128);
  ASSERT_EQ(clipboard.SaveClipboardImage(file, "BMP"), ClipboardSave::Saved);
  const QRgb flat = QImage(QString::fromStdString(file.string()), "BMP").pixel(1, 1);
  EXPECT_EQ(qRed(flat), 255);
  EXPECT_NEAR(qGreen(flat), 127, 1);  // white showing through, not black
  fs::remove(file);
  QGuiApplication::clipboard()->setImage(image);
  EXPECT_FALSE(clipboard.ImageHasAlpha());  // an alpha channel that is opaque everywhere

  QGuiApplication::clipboard()->setText("no picture");
  EXPECT_EQ(clipboard.SaveClipboardImage(file, "PNG"), ClipboardSave::NoBitmap);
  EXPECT_FALSE(fs::exists(file));
}

}  // namespace
}  // namespace plume::capture::ui
