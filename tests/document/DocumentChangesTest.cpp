#include "document/DocumentChanges.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace plume::document {
namespace {

TEST(DocumentChanges, FlagAnnouncesOnlyRealChangesAndEditsAlways) {
  DocumentChanges changes;
  std::vector<Change> heard;
  auto sub = changes.Subscribe([&](Change c) { heard.push_back(c); });
  changes.SetModified(false);  // no change: silent
  changes.MarkModified();
  changes.MarkModified();  // every edit is heard, even on a modified document
  changes.SetModified(true);
  changes.SetModified(false);
  changes.RequestRepaint(true);
  EXPECT_EQ(heard, (std::vector<Change>{Change::Modified, Change::Modified, Change::Unmodified, Change::RepaintErased}));
  EXPECT_FALSE(changes.IsModified());
}

TEST(DocumentChanges, ListenersMayLeaveWhileHearingAndOutliveTheAnnouncer) {
  auto changes = std::make_unique<DocumentChanges>();
  int first = 0, second = 0;
  DocumentChanges::Subscription a, b;
  a = changes->Subscribe([&](Change) {
    ++first;
    b.Reset();  // the second listener leaves before it is called
  });
  b = changes->Subscribe([&](Change) { ++second; });
  changes->RequestRepaint();
  changes->RequestRepaint();
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 0);
  DocumentChanges::Subscription moved = std::move(a);
  changes->RequestRepaint();
  EXPECT_EQ(first, 3);
  changes.reset();  // subscriptions still held: dropping them later is harmless
  moved.Reset();
}

}  // namespace
}  // namespace plume::document
