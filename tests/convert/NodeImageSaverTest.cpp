#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "convert/NodeImageSaver.h"
#include "convert/PictureFrame.h"
#include "platform/ScriptedMessageSink.h"
#include "tests/support/FakePicture.h"

namespace plume::convert {
namespace {

namespace fs = std::filesystem;
using platform::MsgResult;

struct Dialogs : platform::FileDialogs {
  std::optional<fs::path> answer;
  platform::SaveFileRequest asked;
  std::optional<fs::path> AskSaveFile(const platform::SaveFileRequest& r) override {
    asked = r;
    return answer;
  }
};
struct Encoder : BitmapEncoder {
  std::string saved;
  bool SaveBitmapToFile(const BitmapView& b, int w, int h, const fs::path&, std::string_view type) override {
    saved = std::string(type) + " " + std::to_string(w) + "x" + std::to_string(h) + " " + std::to_string(b.width);
    return type != "xyz";
  }
};
struct Codec : platform::PixelCodec {
  std::optional<platform::PixelImage> Decode(std::span<const std::uint8_t>) const override { return std::nullopt; }
  std::unique_ptr<platform::Picture> DecodePicture(std::span<const std::uint8_t>) const override { return nullptr; }
  std::unique_ptr<platform::Picture> MakePicture(const platform::PixelImage&) const override { return nullptr; }
  std::optional<platform::PixelImage> PicturePixels(const platform::Picture& p) const override {
    return platform::PixelImage(p.Width(), p.Height());
  }
  platform::Bytes EncodeJpeg(const platform::PixelImage&, int) const override { return {}; }
  int ScreenBitsPerPixel() const override { return 32; }
};
struct Folders : platform::FolderOpener {
  std::vector<fs::path> opened;
  bool OpenFolder(const fs::path& f) override {
    opened.push_back(f);
    return true;
  }
};

class SaveNodeImage : public ::testing::Test {
 protected:
  void SetUp() override {
    doc->nodeCount = 1;
    doc->nodes[0].hasImage = 1;
    doc->nodes[0].transColor = document::kNoColor;
    doc->nodes[0].image = doc->pictures.Add(std::make_unique<testing::FakePicture>(40, 30, platform::Bytes{}));
    doc->focusedNode = 0;
  }
  std::unique_ptr<document::ChartDocument> doc = document::ChartDocument::Create();
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  Dialogs dialogs;
  Encoder encoder;
  Codec codec;
  Folders folders;
  NodeImageSaver saver{*doc, dialogs, encoder, codec, &folders};
};

TEST_F(SaveNodeImage, WritesAtThePicturesSizeInTheTypeOfTheExtensionAndOffersTheFolder) {
  dialogs.answer = fs::temp_directory_path() / "plume_nis_none" / "node.PNG";
  sink.Answer(MsgResult::Yes);
  EXPECT_TRUE(saver.Run());
  EXPECT_EQ(encoder.saved, "png 40x30 40");
  EXPECT_EQ(dialogs.asked.defaultExtension, "jpeg");
  EXPECT_EQ(dialogs.asked.initialName, "無題");
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30083}));
  EXPECT_EQ(folders.opened, (std::vector<fs::path>{dialogs.answer->parent_path()}));
}

TEST_F(SaveNodeImage, GifEntryReadsTransparentOnlyForANodeWithAKey) {
  dialogs.answer.reset();
  EXPECT_FALSE(saver.Run());
  EXPECT_EQ(dialogs.asked.filter.find("透過"), std::string::npos);
  doc->nodes[0].transColor = 0x00FFFFFF;
  saver.Run();
  EXPECT_NE(dialogs.asked.filter.find("|透過GIFファイル(*.gif)|*.gif|"), std::string::npos);
  EXPECT_TRUE(encoder.saved.empty()) << "Cancel writes nothing";
}

TEST_F(SaveNodeImage, AsksBeforeReplacingAndAFailedSaveSaysNothing) {
  const fs::path existing = fs::temp_directory_path() / "plume_nis_existing.bmp";
  std::ofstream(existing) << "x";
  dialogs.answer = existing;
  sink.Answer(MsgResult::No);
  EXPECT_FALSE(saver.Run());
  EXPECT_TRUE(encoder.saved.empty());
  EXPECT_EQ(sink.Ids(), (std::vector<int>{30084}));
  dialogs.answer = fs::temp_directory_path() / "plume_nis.xyz";
  EXPECT_FALSE(saver.Run());
  EXPECT_EQ(sink.Ids().size(), 1u);
  doc->focusedNode = -1;
  encoder.saved.clear();
  EXPECT_FALSE(saver.Run());
  EXPECT_TRUE(encoder.saved.empty());
  fs::remove(existing);
}

TEST(PictureFrame, SmallPicturesAreCentredLargeOnesShrunkByTheSmallerRatio) {
  const platform::IntRect frame{10, 20, 210, 120};  // 200 x 100
  EXPECT_EQ(PictureRectInFrame(50, 40, frame), (platform::IntRect{85, 50, 135, 90}));
  EXPECT_EQ(PictureRectInFrame(400, 100, frame), (platform::IntRect{10, 45, 210, 95}));
  EXPECT_EQ(PictureRectInFrame(100, 300, frame), (platform::IntRect{93, 20, 126, 120}));
  EXPECT_EQ(PictureRectInFrame(200, 50, frame), (platform::IntRect{10, 45, 210, 95})) << "as wide as the frame";
  EXPECT_TRUE(PictureRectInFrame(0, 10, frame).IsEmpty());
}

}  // namespace
}  // namespace plume::convert
