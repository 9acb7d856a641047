#pragma once
// An edit command host with a zoom that counts repaints and modified marks.

#include "chartview/EditCommandHost.h"
#include "../support/ChartViewNulls.h"
#include "document/ChartDocument.h"

namespace plume::chartview::testing {

struct FakeEditHost : EditCommandHost {
  explicit FakeEditHost(document::ChartDocument& d) : doc(d), changes(d, &modified, &repaints) {}
  float Zoom() const override { return zoom; }

  document::ChartDocument& doc;
  int repaints = 0;
  int modified = 0;
  float zoom = 1.0f;
  plume::testing::ChangeCounter changes;
};

}  // namespace plume::chartview::testing
