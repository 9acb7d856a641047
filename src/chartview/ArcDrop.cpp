#include "chartview/ArcDrop.h"

#include "platform/Messages.h"

namespace plume::chartview {

int ArcDrop::RemoveJoining(document::ChartDocument& doc, std::int32_t a, std::int32_t b) {
  int kept = 0;
  for (int i = 0; i < doc.arcCount; ++i) {
    const document::ArcRecord arc = doc.arcs[i];
    const bool joins = (arc.fromNode == a && arc.toNode == b) || (arc.fromNode == b && arc.toNode == a);
    if (!joins) doc.arcs[kept++] = arc;
  }
  const int removed = doc.arcCount - kept;
  doc.arcCount = kept;
  return removed;
}

ArcDrop::Result ArcDrop::Apply(document::ChartDocument& doc, int target) {
  Result result;
  if (target < 0 || target >= doc.nodeCount) return result;
  const std::int32_t t = doc.nodes[target].nodeId;
  for (int i = 0; i < doc.nodeCount; ++i) {
    if (!doc.nodeStates[i].selected || i == target) continue;
    const std::int32_t s = doc.nodes[i].nodeId;
    const int removed = RemoveJoining(doc, t, s);
    if (removed > 0) {
      result.removed += removed;
      continue;
    }
    if (doc.arcCount >= document::ChartDocument::kMaxArcs) {
      if (result.refused++ == 0)
        platform::ShowMessage(platform::StringId::ArcTableFullOnDrop,
                              platform::CountOverLimitLine(doc.arcCount + 1, document::ChartDocument::kMaxArcs),
                              platform::MsgIcon::Information);
      continue;
    }
    doc.arcs[doc.arcCount++] = {t, s};
    ++result.added;
  }
  return result;
}

}  // namespace plume::chartview
