#pragma once

namespace plume::document {

/// The two kinds of items a page holds, each in its own table.
enum class ItemKind { Nodes, Slips };

}  // namespace plume::document
