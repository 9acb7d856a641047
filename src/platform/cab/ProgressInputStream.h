#pragma once
// A seekable GInputStream over a seekable file stream that reports, after each
// read, how far the file has been read; a report of false cancels the read
// (G_IO_ERROR_CANCELLED). The cabinet reader shows its progress through it.

#include <gio/gio.h>

#include <cstdint>

namespace plume::platform {

/// Called after each read with the position reached; false cancels. Must not throw.
using ProgressReport = bool (*)(void* data, std::uint64_t position);

/// A new stream (one reference, the caller's) that takes `base` over.
GInputStream* MakeProgressStream(GInputStream* base, ProgressReport report, void* data);

}  // namespace plume::platform
