#pragma once
// A private temporary folder (TMPDIR points into it, so the work folder is
// private too), a document with its document object over the real cabinet
// service, a scripted message sink and recording fakes of the view and the
// file chooser.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "document/CTesselDoc.h"
#include "document/ChartFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/cab/GcabCabinet.h"
#include "support/FakePicture.h"

namespace plume::document::test {

namespace fs = std::filesystem;

struct RecordingView : DocumentViewHooks {
  std::optional<ScrollPosition> scroll;
  std::vector<fs::path> recent;
  std::optional<ScrollPosition> CurrentScroll() override { return scroll; }
  void AddRecentFile(const fs::path& path) override { recent.push_back(path); }
};

struct ScriptedDialogs : platform::FileDialogs {
  std::deque<std::optional<fs::path>> answers;
  std::vector<platform::SaveFileRequest> asked;
  std::optional<fs::path> AskSaveFile(const platform::SaveFileRequest& request) override {
    asked.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteAll(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// The chart data file of `doc`, the form in which two documents are compared.
inline std::string ChartBytes(const ChartDocument& doc) {
  std::ostringstream out;
  EXPECT_TRUE(WriteChart(doc, out));
  return out.str();
}

/// Fills `doc` with a small chart whose content depends on `variant`.
inline void MakeChart(ChartDocument& doc, int variant) {
  doc.NewDocument();
  NodeRequest node;
  node.dataType = "PDF";
  node.serial = 100 + variant;
  node.title = "node " + std::to_string(variant);
  node.x = 10 * variant;
  node.y = 20;
  doc.AddNode(std::move(node));
  NodeRequest picture;
  picture.dataType = "JPEG";
  picture.serial = 7;
  picture.hasImage = true;
  picture.picture = testing::FakePictureCodec{}.Decode(testing::FakeImageBytes(3 + variant, 4, 100));
  picture.pictureWidth = 30;
  picture.pictureHeight = 40;
  doc.AddNode(std::move(picture));
  doc.AddSlip("slip " + std::to_string(variant), 5, 5);
}

/// Equal chart bytes, reported by size and first difference rather than dumped.
inline ::testing::AssertionResult SameChart(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << "charts differ: " << actual.size() << " vs " << expected.size()
                                       << " bytes, first difference at " << at;
}

class DocIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/plume-docio-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    if (const char* old = getenv("TMPDIR")) savedTmp = old;
    tmp = root / "tmp";
    fs::create_directories(tmp);
    setenv("TMPDIR", tmp.c_str(), 1);
    if (const char* old = getenv("XDG_RUNTIME_DIR")) savedRuntime = old;
    unsetenv("XDG_RUNTIME_DIR");
    docs = root / "docs";
    fs::create_directories(docs);
    work = tmp / ("Plumeboard-" + std::to_string(geteuid()));
    scratch = work / std::to_string(getpid());
    doc = ChartDocument::Create();
    doc->NewDocument();
    tessel = std::make_unique<CTesselDoc>(*doc, settings, cabinet, codec,
                                          CTesselDoc::Services{&dialogs, nullptr, &view});
  }
  void TearDown() override {
    savedTmp.empty() ? unsetenv("TMPDIR") : setenv("TMPDIR", savedTmp.c_str(), 1);
    if (!savedRuntime.empty()) setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
  }

  /// Opens `path` into a fresh document and returns its chart bytes ("" when it fails).
  std::string OpenedBytes(const fs::path& path) {
    auto other = ChartDocument::Create();
    platform::ScriptedMessageSink quiet;
    platform::ScopedMessageSink guard(&quiet);
    platform::MemorySettingsStore store;
    CTesselDoc reader(*other, store, cabinet, codec);
    return reader.OpenDocument(path) ? ChartBytes(*other) : std::string();
  }

  /// Names in `folder` starting with "." (the temporary files of a save).
  std::vector<std::string> HiddenFiles(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder))
      if (item.path().filename().string().starts_with(".")) names.push_back(item.path().filename());
    return names;
  }

  fs::path root, tmp, docs, work, scratch;  ///< work: the user's work folder; scratch: this process's
  std::string savedTmp, savedRuntime;
  platform::ScriptedMessageSink sink;
  platform::ScopedMessageSink guard{&sink};
  platform::MemorySettingsStore settings;
  platform::GcabCabinet cabinet;
  testing::FakePictureCodec codec;
  RecordingView view;
  ScriptedDialogs dialogs;
  std::unique_ptr<ChartDocument> doc;
  std::unique_ptr<CTesselDoc> tessel;
};

}  // namespace plume::document::test
