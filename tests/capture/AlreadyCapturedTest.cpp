// The "already captured" question in the registration flows: the same file
// dropped twice and the same page captured twice are found through the
// material index, and each answer does what it says.

#include <gtest/gtest.h>

#include "capture/RegistrationFlows.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/SettingsTable.h"
#include "store/MaterialStore.h"
#include "store/index/CapturedCheck.h"
#include "store/index/IndexService.h"
#include "tests/capture/RegistrationFakes.h"

namespace plume::capture::test {
namespace {

namespace settings = platform::settings;
using platform::MsgResult;
using platform::StringId;

class AlreadyCapturedTest : public ::testing::Test {
 protected:
  AlreadyCapturedTest() : guard_(&sink_) {
    fs::create_directories(dir_ / "work");
    settings::Set(settings_, settings::KanSet::StorePath, (dir_ / "Data").string());
    downloads_.work = dir_ / "work";
    index_.CatchUp();
    index_.Keeper()->WaitIdle();
  }
  ~AlreadyCapturedTest() override { fs::remove_all(dir_); }

  fs::path Source(const std::string& name, std::string_view bytes) {
    WriteAll(dir_ / name, bytes);
    return dir_ / name;
  }
  int Materials() {
    int n = 0;
    for (store::Serial s = 0; s < 5; ++s) n += fs::exists(store::MaterialStore::InfoFileIn(dir_ / "Data" / "PLUMEDATA", store::FormatSerial(s)));
    return n;
  }
  int Questions() const {
    int n = 0;
    for (const auto& m : sink_.Messages()) n += m.id == static_cast<int>(StringId::AlreadyCapturedAsk);
    return n;
  }

  fs::path dir_ = fs::temp_directory_path() / ("plume-captured-" + std::to_string(::getpid()));
  platform::MemorySettingsStore settings_;
  platform::ScriptedMessageSink sink_;
  platform::ScopedMessageSink guard_;
  store::MaterialStore store_{settings_};
  store::index::IndexService index_{store_, settings_, nullptr, dir_ / "cache" / "index.sqlite"};
  std::vector<store::Serial> shown_;
  store::index::CapturedCheck check_{index_, [this](store::Serial s, const store::MaterialInfo&) { shown_.push_back(s); }};
  FakeHost host_;
  FakeHtml html_;
  FakeText text_;
  FakeCapture capture_;
  FakePdf pdf_;
  FakePictures pictures_;
  FakeDownloads downloads_;
  FakeClipboard clipboard_;
  RegistrationFlows flows_{RegistrationPorts{host_, store_, settings_, html_, text_, capture_, pdf_, pictures_,
                                             downloads_, clipboard_, [this] { return dir_ / "work"; }, &check_}};
};

TEST_F(AlreadyCapturedTest, TheSameFileOrPageAgainAsksAndEachAnswerDoesWhatItSays) {
  struct Case {
    const char* name;
    std::function<bool()> registerIt;
    MsgResult answer;
    int materialsAfter;  ///< the first registration and, on Yes, the second
    bool shown;
  };
  const fs::path photo = Source("photo.png", "the same picture bytes");
  auto drop = [&] { return flows_.DropFiles({photo}, {0, 0}); };
  auto capture = [&] { return flows_.RunCommand(RegistrationFlows::kCmdWholePage, {0, 0}); };
  for (const Case& c : {Case{"drop, cancel", drop, MsgResult::Cancel, 1, false},
                        Case{"drop, show it", drop, MsgResult::No, 1, true},
                        Case{"drop, again", drop, MsgResult::Yes, 2, false},
                        Case{"page, cancel", capture, MsgResult::Cancel, 1, false},
                        Case{"page, again", capture, MsgResult::Yes, 2, false}}) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_ / "Data");
    settings::Set(settings_, settings::Sys::No, std::string("00000000"));
    index_.CatchUp();
    index_.Keeper()->WaitIdle();
    sink_.Reset();
    shown_.clear();
    ASSERT_TRUE(c.registerIt());
    EXPECT_EQ(Questions(), 0);  // the first time nothing is asked
    sink_.Answer(c.answer);
    EXPECT_EQ(c.registerIt(), c.answer == MsgResult::Yes);
    EXPECT_EQ(Questions(), 1);
    EXPECT_NE(sink_.Last().prefix.find("00000000"), std::string::npos);  // names the material that is there
    EXPECT_EQ(Materials(), c.materialsAfter);
    EXPECT_EQ(shown_, c.shown ? std::vector<store::Serial>{0} : std::vector<store::Serial>{});
  }
  // Another file is no question.
  sink_.Reset();
  EXPECT_TRUE(flows_.DropFiles({Source("other.png", "other bytes")}, {0, 0}));
  EXPECT_EQ(Questions(), 0);
}

}  // namespace
}  // namespace plume::capture::test
