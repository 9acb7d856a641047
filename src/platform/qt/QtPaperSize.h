#pragma once
// Paper codes (1..41) as Qt page sizes and back.

#include <QPageSize>

namespace plume::platform {

/// The Qt page size of paper code `code`; A4 for an unknown code.
QPageSize ToQPageSize(int code);
/// The first paper code whose page size equals `size`; 0 when none does.
int PaperCodeOf(const QPageSize& size);

}  // namespace plume::platform
