#include "chartview/AlignCommands.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "commands/CommandTable.h"

#include "platform/Messages.h"

namespace plume::chartview {

namespace {

using document::Rect;

void ShiftX(Rect& r, int d) {
  r.left += d;
  r.right += d;
}

void ShiftY(Rect& r, int d) {
  r.top += d;
  r.bottom += d;
}

/// Start and size along one axis: left/width (horizontal) or top/height.
int Start(const Rect& r, bool horizontal) { return horizontal ? r.left : r.top; }
int Size(const Rect& r, bool horizontal) { return horizontal ? r.Width() : r.Height(); }

std::vector<RectChange> Spread(const std::vector<RectChange>& items, bool horizontal) {
  const int n = static_cast<int>(items.size());
  // Two items (or fewer) leave no middle item to place.
  if (n < 3) return {};
  long long minStart = Start(items[0].rect, horizontal);
  long long maxStart = minStart;
  long long sumSize = 0;
  for (const RectChange& item : items) {
    const int s = Start(item.rect, horizontal);
    if (s < minStart) minStart = s;
    if (s > maxStart) maxStart = s;
    sumSize += Size(item.rect, horizontal);
  }
  // Selection sort by start; among equal starts the lower index (earlier in
  // `items`, which is in index order) comes first.
  std::vector<int> order;
  order.reserve(n);
  std::vector<char> placed(n, 0);
  for (int k = 0; k < n; ++k) {
    int best = -1;
    for (int i = 0; i < n; ++i) {
      if (placed[i]) continue;
      if (best < 0 || Start(items[i].rect, horizontal) < Start(items[best].rect, horizontal)) best = i;
    }
    placed[best] = 1;
    order.push_back(best);
  }
  const Rect& last = items[order.back()].rect;
  const double free = static_cast<double>(maxStart + Size(last, horizontal) - minStart - sumSize);
  const int gap = static_cast<int>(std::trunc(free / static_cast<double>(n - 1)));

  std::vector<RectChange> out;
  Rect previous = items[order[0]].rect;
  for (int k = 1; k < n - 1; ++k) {
    Rect r = items[order[k]].rect;
    const int end = Start(previous, horizontal) + Size(previous, horizontal);
    const int d = end + gap - Start(r, horizontal);
    if (horizontal) {
      ShiftX(r, d);
    } else {
      ShiftY(r, d);
    }
    out.push_back({items[order[k]].index, r});
    previous = r;
  }
  return out;
}

}  // namespace

using commands::Id;
using enum commands::CommandId;

std::optional<AlignOp> AlignCommands::OpFor(int commandId) {
  switch (commandId) {
    case Id(ID_TO_LEFT): return AlignOp::Left;
    case Id(ID_TO_RIGHT): return AlignOp::Right;
    case Id(ID_TO_TOP): return AlignOp::Top;
    case Id(ID_TO_BOTTOM): return AlignOp::Bottom;
    case Id(ID_TO_V_CEN): return AlignOp::VCentre;
    case Id(ID_TO_H_CEN): return AlignOp::HCentre;
    case Id(ID_TO_V_KIN): return AlignOp::VSpread;
    case Id(ID_TO_H_KIN): return AlignOp::HSpread;
    case Id(ID_SAME_W): return AlignOp::SameW;
    case Id(ID_SAME_H): return AlignOp::SameH;
    case Id(ID_SAME_WH): return AlignOp::SameWH;
    default: return std::nullopt;
  }
}

const std::vector<int>& AlignCommands::CommandIds() {
  static const std::vector<int> ids{Id(ID_TO_LEFT),  Id(ID_TO_RIGHT), Id(ID_TO_TOP),  Id(ID_TO_BOTTOM),
                                    Id(ID_TO_V_CEN), Id(ID_TO_H_CEN),  Id(ID_TO_V_KIN), Id(ID_TO_H_KIN),
                                    Id(ID_SAME_W),   Id(ID_SAME_H),    Id(ID_SAME_WH)};
  return ids;
}

int AlignCommands::SelectedCount(ItemKind kind) const {
  int count = 0;
  if (kind == ItemKind::Nodes) {
    for (int i = 0; i < doc_.nodeCount; ++i) count += doc_.nodeStates[i].selected ? 1 : 0;
  } else {
    for (int i = 0; i < doc_.slipCount; ++i) count += doc_.slips[i].selected ? 1 : 0;
  }
  return count;
}

bool AlignCommands::Enabled(AlignOp op) const {
  int needed = 2;
  switch (op) {
    case AlignOp::VCentre:
    case AlignOp::HCentre: return true;
    case AlignOp::VSpread:
    case AlignOp::HSpread: needed = 3; break;
    default: break;
  }
  return SelectedCount(ItemKind::Nodes) >= needed || SelectedCount(ItemKind::Slips) >= needed;
}

std::vector<RectChange> AlignCommands::SelectedItems(ItemKind kind) const {
  std::vector<RectChange> items;
  if (kind == ItemKind::Nodes) {
    for (int i = 0; i < doc_.nodeCount; ++i) {
      if (doc_.nodeStates[i].selected) items.push_back({i, doc_.nodes[i].rect});
    }
  } else {
    for (int i = 0; i < doc_.slipCount; ++i) {
      if (doc_.slips[i].selected) items.push_back({i, doc_.slips[i].rect});
    }
  }
  return items;
}

std::vector<RectChange> AlignCommands::Compute(AlignOp op, const std::vector<RectChange>& items, int refIndex,
                                               const Rect& ref, int pageW, int pageH) {
  std::vector<RectChange> out;
  switch (op) {
    case AlignOp::Left:
    case AlignOp::Right:
    case AlignOp::Top:
    case AlignOp::Bottom:
      for (const RectChange& item : items) {
        if (item.index == refIndex) continue;
        Rect r = item.rect;
        if (op == AlignOp::Left) ShiftX(r, ref.left - r.left);
        if (op == AlignOp::Right) ShiftX(r, ref.right - r.right);
        if (op == AlignOp::Top) ShiftY(r, ref.top - r.top);
        if (op == AlignOp::Bottom) ShiftY(r, ref.bottom - r.bottom);
        out.push_back({item.index, r});
      }
      break;
    case AlignOp::VCentre:
    case AlignOp::HCentre: {
      if (items.empty()) break;
      const bool horizontal = op == AlignOp::HCentre;
      int a = Start(items[0].rect, horizontal);
      int b = a + Size(items[0].rect, horizontal);
      for (const RectChange& item : items) {
        a = std::min(a, Start(item.rect, horizontal));
        b = std::max(b, Start(item.rect, horizontal) + Size(item.rect, horizontal));
      }
      const int page = horizontal ? pageW : pageH;
      // The block [a, b] lands with its start at (page - (b - a)) / 2.
      const int d = (page + a - b) / 2 - a;
      for (const RectChange& item : items) {
        Rect r = item.rect;
        if (horizontal) {
          ShiftX(r, d);
        } else {
          ShiftY(r, d);
        }
        out.push_back({item.index, r});
      }
      break;
    }
    case AlignOp::VSpread: return Spread(items, false);
    case AlignOp::HSpread: return Spread(items, true);
    case AlignOp::SameW:
    case AlignOp::SameH:
    case AlignOp::SameWH:
      for (const RectChange& item : items) {
        if (item.index == refIndex) continue;
        Rect r = item.rect;
        if (op != AlignOp::SameH) r.right = r.left + ref.Width();
        if (op != AlignOp::SameW) r.bottom = r.top + ref.Height();
        out.push_back({item.index, r});
      }
      break;
  }
  return out;
}

void AlignCommands::Put(ItemKind kind, const std::vector<RectChange>& changes) {
  for (const RectChange& change : changes) doc_.ItemRect(kind, change.index) = change.rect;
  doc_.Changes().RequestRepaint();
}

void AlignCommands::Apply(ItemKind kind, const std::vector<RectChange>& changes) {
  Put(kind, changes);
  doc_.CommitEdit(document::EditStep::Align);
}

bool AlignCommands::RunKind(AlignOp op, ItemKind kind) {
  const int focus = doc_.FocusedItem(kind);
  if (focus < 0 || focus >= doc_.ItemCount(kind)) return false;
  const Rect ref = doc_.ItemRect(kind, focus);
  const document::PageRecord& page = doc_.CurrentPage();
  std::vector<RectChange> changes;
  try {
    changes = Compute(op, SelectedItems(kind), focus, ref, page.pageWidth, page.pageHeight);
  } catch (const std::bad_alloc&) {
    platform::ShowMessage(platform::StringId::MemoryAllocFailed);
    Put(kind, {});
    return true;
  }
  if (op == AlignOp::SameW || op == AlignOp::SameH || op == AlignOp::SameWH) {
    for (RectChange& change : changes) change.rect = doc_.FitIntoPage(change.rect);
  }
  Put(kind, changes);
  return true;
}

void AlignCommands::Run(AlignOp op) {
  const bool nodes = RunKind(op, ItemKind::Nodes);
  const bool slips = RunKind(op, ItemKind::Slips);
  if (nodes || slips) doc_.CommitEdit(document::EditStep::Align);
}

}  // namespace plume::chartview
