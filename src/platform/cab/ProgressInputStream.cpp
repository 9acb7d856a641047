#include "platform/cab/ProgressInputStream.h"

#include <gio/gio.h>

namespace plume::platform {
namespace {

struct CountingStream {
  GInputStream parent;
  GInputStream* base;  // owned; a seekable file stream
  ProgressReport report;
  void* data;
};

struct CountingStreamClass {
  GInputStreamClass parent;
};

gpointer countingParentClass = nullptr;

CountingStream* AsCounting(gpointer object) { return static_cast<CountingStream*>(object); }

gssize CountingRead(GInputStream* stream, void* buffer, gsize count, GCancellable* cancellable,
                    GError** error) {
  CountingStream* self = AsCounting(stream);
  const gssize got = g_input_stream_read(self->base, buffer, count, cancellable, error);
  if (got > 0 && self->report != nullptr) {
    if (!self->report(self->data, static_cast<std::uint64_t>(g_seekable_tell(G_SEEKABLE(self->base))))) {
      g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_CANCELLED, "cancelled");
      return -1;
    }
  }
  return got;
}

gboolean CountingClose(GInputStream* stream, GCancellable* cancellable, GError** error) {
  return g_input_stream_close(AsCounting(stream)->base, cancellable, error);
}

void CountingFinalize(GObject* object) {
  g_clear_object(&AsCounting(object)->base);
  G_OBJECT_CLASS(countingParentClass)->finalize(object);
}

void CountingClassInit(gpointer klass, gpointer) {
  countingParentClass = g_type_class_peek_parent(klass);
  G_OBJECT_CLASS(klass)->finalize = CountingFinalize;
  G_INPUT_STREAM_CLASS(klass)->read_fn = CountingRead;
  G_INPUT_STREAM_CLASS(klass)->close_fn = CountingClose;
}

void CountingSeekableInit(gpointer iface, gpointer) {
  auto* seekable = static_cast<GSeekableIface*>(iface);
  seekable->tell = [](GSeekable* self) {
    return g_seekable_tell(G_SEEKABLE(AsCounting(self)->base));
  };
  seekable->can_seek = [](GSeekable*) -> gboolean { return TRUE; };
  seekable->seek = [](GSeekable* self, goffset offset, GSeekType type, GCancellable* cancellable,
                      GError** error) {
    return g_seekable_seek(G_SEEKABLE(AsCounting(self)->base), offset, type, cancellable, error);
  };
  seekable->can_truncate = [](GSeekable*) -> gboolean { return FALSE; };
  seekable->truncate_fn = [](GSeekable*, goffset, GCancellable*, GError** error) -> gboolean {
    g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED, "read-only stream");
    return FALSE;
  };
}

GType CountingStreamType() {
  static const GType type = [] {
    const GType registered = g_type_register_static_simple(
        G_TYPE_INPUT_STREAM, "PlumeCabinetCountingStream", sizeof(CountingStreamClass),
        CountingClassInit, sizeof(CountingStream), nullptr, GTypeFlags{});
    static const GInterfaceInfo seekableInfo = {CountingSeekableInit, nullptr, nullptr};
    g_type_add_interface_static(registered, G_TYPE_SEEKABLE, &seekableInfo);
    return registered;
  }();
  return type;
}

}  // namespace

GInputStream* MakeProgressStream(GInputStream* base, ProgressReport report, void* data) {
  auto* stream = AsCounting(g_object_new(CountingStreamType(), nullptr));
  stream->base = base;
  stream->report = report;
  stream->data = data;
  return G_INPUT_STREAM(stream);
}

}  // namespace plume::platform
