#pragma once
// An edit command host that keeps a real undo record and counts repaints and
// modified marks.

#include "chartview/EditCommandHost.h"
#include "../support/ChartViewNulls.h"
#include "document/ChartDocument.h"

namespace plume::chartview::testing {

struct FakeEditHost : EditCommandHost {
  explicit FakeEditHost(document::ChartDocument& d) : doc(d), changes(d, &modified, &repaints) {}
  void TakeSnapshot(UndoRecord::Kind kind) override { undo.TakeSnapshot(doc, kind); }
  float Zoom() const override { return zoom; }

  document::ChartDocument& doc;
  UndoRecord undo;
  int repaints = 0;
  int modified = 0;
  float zoom = 1.0f;
  plume::testing::ChangeCounter changes;
};

}  // namespace plume::chartview::testing
