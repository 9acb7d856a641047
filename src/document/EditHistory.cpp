#include "document/EditHistory.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "document/ChartDocument.h"

namespace plume::document {
namespace {

// Records per chunk: small enough that a move of one item costs a few
// kilobytes, large enough that a state's chunk lists stay short.
constexpr int kPageChunk = 8;
constexpr int kArcChunk = 256;
constexpr int kNodeChunk = 32;
constexpr int kSlipChunk = 8;

template <typename R>
using Chunk = std::shared_ptr<const std::vector<R>>;

struct NodeChunk {
  std::vector<NodeRecord> nodes;
  std::vector<std::int32_t> selected;
  std::vector<PictureTable::Held> pictures;  ///< the picture of each node, null for none
};

template <typename R>
bool SameBytes(const R* a, const R* b, std::size_t n) {
  return std::memcmp(a, b, n * sizeof(R)) == 0;
}

/// Cuts `count` records into chunks, reusing the chunk of `before` at the
/// same place when its bytes are equal.
template <typename R>
std::vector<Chunk<R>> TakeTable(const std::vector<R>& table, int count, int size, const std::vector<Chunk<R>>* before) {
  std::vector<Chunk<R>> out;
  out.reserve(static_cast<std::size_t>((count + size - 1) / size));
  for (int at = 0, k = 0; at < count; at += size, ++k) {
    const auto n = static_cast<std::size_t>(std::min(size, count - at));
    const R* first = table.data() + at;
    if (before && static_cast<std::size_t>(k) < before->size()) {
      const Chunk<R>& old = (*before)[static_cast<std::size_t>(k)];
      if (old->size() == n && SameBytes(old->data(), first, n)) {
        out.push_back(old);
        continue;
      }
    }
    out.push_back(std::make_shared<const std::vector<R>>(first, first + n));
  }
  return out;
}

template <typename R>
std::size_t ChunkBytes(const std::vector<R>& v) {
  return sizeof v + v.capacity() * sizeof(R);
}

// What a user sees as the chart: records without the scroll of a page or
// the selected flag of a slip, which only say where the view was.
PageRecord WithoutScroll(PageRecord page) {
  page.scrollX = 0;
  page.scrollY = 0;
  return page;
}

SlipRecord WithoutSelection(SlipRecord slip) {
  slip.selected = 0;
  return slip;
}

template <typename R, typename Strip>
bool SameContents(const std::vector<Chunk<R>>& a, const std::vector<Chunk<R>>& b, Strip strip) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] == b[k]) continue;
    if (a[k]->size() != b[k]->size()) return false;
    for (std::size_t i = 0; i < a[k]->size(); ++i) {
      const R x = strip((*a[k])[i]);
      const R y = strip((*b[k])[i]);
      if (!SameBytes(&x, &y, 1)) return false;
    }
  }
  return true;
}

}  // namespace

struct EditHistory::State {
  DocHeader header{};
  std::int32_t nodeCount = 0;
  std::int32_t arcCount = 0;
  std::int32_t slipCount = 0;
  int focusedNode = -1;
  int focusedSlip = -1;
  std::vector<Chunk<PageRecord>> pages;
  std::vector<Chunk<ArcRecord>> arcs;
  std::vector<std::shared_ptr<const NodeChunk>> nodes;
  std::vector<Chunk<SlipRecord>> slips;

  static std::shared_ptr<const State> Take(const ChartDocument& doc, const State* before);
  bool SameContentsAs(const State& other) const;
};

std::shared_ptr<const EditHistory::State> EditHistory::State::Take(const ChartDocument& doc, const State* before) {
  auto s = std::make_shared<State>();
  s->header = doc.header;
  s->nodeCount = doc.nodeCount;
  s->arcCount = doc.arcCount;
  s->slipCount = doc.slipCount;
  s->focusedNode = doc.focusedNode;
  s->focusedSlip = doc.focusedSlip;
  s->pages = TakeTable(doc.pages, doc.header.pageCount, kPageChunk, before ? &before->pages : nullptr);
  s->arcs = TakeTable(doc.arcs, doc.arcCount, kArcChunk, before ? &before->arcs : nullptr);
  s->slips = TakeTable(doc.slips, doc.slipCount, kSlipChunk, before ? &before->slips : nullptr);
  s->nodes.reserve(static_cast<std::size_t>((doc.nodeCount + kNodeChunk - 1) / kNodeChunk));
  for (int at = 0, k = 0; at < doc.nodeCount; at += kNodeChunk, ++k) {
    const int n = std::min(kNodeChunk, doc.nodeCount - at);
    const NodeRecord* first = doc.nodes.data() + at;
    std::vector<std::int32_t> selected(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) selected[static_cast<std::size_t>(i)] = doc.nodeStates[at + i].selected;
    if (before && static_cast<std::size_t>(k) < before->nodes.size()) {
      const auto& old = before->nodes[static_cast<std::size_t>(k)];
      if (old->nodes.size() == static_cast<std::size_t>(n) && SameBytes(old->nodes.data(), first, old->nodes.size()) &&
          old->selected == selected) {
        s->nodes.push_back(old);
        continue;
      }
    }
    auto chunk = std::make_shared<NodeChunk>();
    chunk->nodes.assign(first, first + n);
    chunk->selected = std::move(selected);
    chunk->pictures.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      if (first[i].image != PictureTable::kNone) chunk->pictures[static_cast<std::size_t>(i)] = doc.pictures.Hold(first[i].image);
    }
    s->nodes.push_back(std::move(chunk));
  }
  return s;
}

bool EditHistory::State::SameContentsAs(const State& o) const {
  if (header.pageCount != o.header.pageCount || header.dialRadius != o.header.dialRadius ||
      header.reserved != o.header.reserved || nodeCount != o.nodeCount || arcCount != o.arcCount ||
      slipCount != o.slipCount) {
    return false;
  }
  if (!SameContents(pages, o.pages, WithoutScroll)) return false;
  if (!SameContents(slips, o.slips, WithoutSelection)) return false;
  if (arcs != o.arcs) return false;  // chunks are shared exactly when their bytes are equal
  if (nodes.size() != o.nodes.size()) return false;
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    const NodeChunk& a = *nodes[k];
    const NodeChunk& b = *o.nodes[k];
    if (&a == &b) continue;
    if (a.nodes.size() != b.nodes.size() || !SameBytes(a.nodes.data(), b.nodes.data(), a.nodes.size())) return false;
  }
  return true;
}

EditHistory::EditHistory() = default;
EditHistory::~EditHistory() = default;

void EditHistory::Reset(const ChartDocument& doc) {
  steps_.clear();
  cursor_ = 0;
  saved_ = doc.Changes().IsModified() ? -1 : 0;
  current_.reset();
  try {
    current_ = State::Take(doc, nullptr);
  } catch (const std::bad_alloc&) {
    // Without a state to start from nothing is recorded until the next edit.
  }
}

void EditHistory::Refresh(const ChartDocument& doc) {
  if (!current_) return;
  try {
    auto now = State::Take(doc, current_.get());
    if (now->SameContentsAs(*current_)) current_ = std::move(now);
  } catch (const std::bad_alloc&) {
  }
}

bool EditHistory::Record(const ChartDocument& doc, EditStep step, std::uint16_t pageId) {
  std::shared_ptr<const State> now;
  try {
    now = State::Take(doc, current_.get());
    if (!current_ || now->SameContentsAs(*current_)) {
      current_ = std::move(now);
      return false;
    }
    if (CanRedo()) {
      steps_.erase(steps_.begin() + cursor_, steps_.end());
      if (saved_ > cursor_) saved_ = -1;
    }
    steps_.push_back({step, pageId, current_, now});
  } catch (const std::bad_alloc&) {
    // The edit stands; the history that cannot grow is given up.
    steps_.clear();
    cursor_ = 0;
    saved_ = -1;
    current_.reset();
    return false;
  }
  ++cursor_;
  current_ = std::move(now);
  while (steps_.size() > static_cast<std::size_t>(kMaxSteps)) {
    steps_.pop_front();
    --cursor_;
    if (saved_ >= 0) --saved_;
  }
  return true;
}

std::optional<EditStep> EditHistory::NextUndo() const {
  if (!CanUndo()) return std::nullopt;
  return steps_[static_cast<std::size_t>(cursor_ - 1)].kind;
}

std::optional<EditStep> EditHistory::NextRedo() const {
  if (!CanRedo()) return std::nullopt;
  return steps_[static_cast<std::size_t>(cursor_)].kind;
}

bool EditHistory::Undo(ChartDocument& doc) {
  if (!CanUndo()) return false;
  const Step step = steps_[static_cast<std::size_t>(cursor_ - 1)];
  Restore(doc, *step.before, step.pageId);
  --cursor_;
  current_ = step.before;
  doc.Changes().SetModified(!AtSavedState());
  doc.Changes().FocusChanged();
  doc.Changes().RequestRepaint(true);
  return true;
}

bool EditHistory::Redo(ChartDocument& doc) {
  if (!CanRedo()) return false;
  const Step step = steps_[static_cast<std::size_t>(cursor_)];
  Restore(doc, *step.after, step.pageId);
  ++cursor_;
  current_ = step.after;
  doc.Changes().SetModified(!AtSavedState());
  doc.Changes().FocusChanged();
  doc.Changes().RequestRepaint(true);
  return true;
}

void EditHistory::Restore(ChartDocument& doc, const State& state, std::uint16_t pageId) {
  // The scroll of each page is the view's: it stays as it is.
  std::unordered_map<std::uint16_t, std::pair<std::int32_t, std::int32_t>> scroll;
  for (int i = 0; i < doc.header.pageCount; ++i) scroll[doc.pages[i].pageId] = {doc.pages[i].scrollX, doc.pages[i].scrollY};

  doc.header = state.header;
  int at = 0;
  for (const auto& chunk : state.pages) {
    for (const PageRecord& page : *chunk) {
      PageRecord& out = doc.pages[at++];
      out = page;
      if (auto it = scroll.find(page.pageId); it != scroll.end()) std::tie(out.scrollX, out.scrollY) = it->second;
    }
  }
  const int shown = doc.PageIndexOf(pageId);
  if (shown >= 0) {
    doc.header.currentPage = static_cast<std::uint16_t>(shown);
  } else if (doc.header.pageCount > 0 && doc.header.currentPage >= doc.header.pageCount) {
    doc.header.currentPage = static_cast<std::uint16_t>(doc.header.pageCount - 1);
  }

  at = 0;
  for (const auto& chunk : state.arcs) {
    std::copy(chunk->begin(), chunk->end(), doc.arcs.begin() + at);
    at += static_cast<int>(chunk->size());
  }
  doc.arcCount = state.arcCount;

  std::unordered_set<PictureTable::Handle> shown_pictures;
  const int oldNodeCount = doc.nodeCount;
  at = 0;
  for (const auto& chunk : state.nodes) {
    for (std::size_t i = 0; i < chunk->nodes.size(); ++i, ++at) {
      doc.nodes[at] = chunk->nodes[i];
      doc.nodeStates[at] = NodeViewState{};
      doc.nodeStates[at].selected = chunk->selected[i];
      const PictureTable::Handle handle = chunk->nodes[i].image;
      if (handle == PictureTable::kNone) continue;
      doc.pictures.Put(handle, chunk->pictures[i]);
      shown_pictures.insert(handle);
    }
  }
  doc.nodeCount = state.nodeCount;
  for (int i = doc.nodeCount; i < oldNodeCount; ++i) {
    doc.nodes[i].image = PictureTable::kNone;
    doc.nodeStates[i] = NodeViewState{};
  }
  // A picture only the undone or redone step showed goes; the history keeps its share.
  doc.pictures.KeepOnly(shown_pictures);

  at = 0;
  for (const auto& chunk : state.slips) {
    std::copy(chunk->begin(), chunk->end(), doc.slips.begin() + at);
    at += static_cast<int>(chunk->size());
  }
  doc.slipCount = state.slipCount;
  doc.focusedNode = state.focusedNode;
  doc.focusedSlip = state.focusedSlip;
}

std::size_t EditHistory::MemoryBytes() const {
  std::unordered_set<const void*> counted;
  std::size_t bytes = 0;
  auto countState = [&](const std::shared_ptr<const State>& s) {
    if (!s || !counted.insert(s.get()).second) return;
    bytes += sizeof(State) + (s->pages.capacity() + s->arcs.capacity() + s->slips.capacity()) * sizeof(Chunk<PageRecord>) +
             s->nodes.capacity() * sizeof(std::shared_ptr<const NodeChunk>);
    for (const auto& c : s->pages)
      if (counted.insert(c.get()).second) bytes += ChunkBytes(*c);
    for (const auto& c : s->arcs)
      if (counted.insert(c.get()).second) bytes += ChunkBytes(*c);
    for (const auto& c : s->slips)
      if (counted.insert(c.get()).second) bytes += ChunkBytes(*c);
    for (const auto& c : s->nodes)
      if (counted.insert(c.get()).second)
        bytes += sizeof(NodeChunk) + ChunkBytes(c->nodes) - sizeof c->nodes + ChunkBytes(c->selected) -
                 sizeof c->selected + ChunkBytes(c->pictures) - sizeof c->pictures;
  };
  for (const Step& step : steps_) {
    countState(step.before);
    countState(step.after);
  }
  countState(current_);
  return bytes + steps_.size() * sizeof(Step);
}

}  // namespace plume::document
