// Opens arbitrary bytes as a document file through the whole open flow
// (unpack into the work folder, read, clean up) and checks the promises of a
// failed open (a new empty document without a path) and that nothing is
// written outside the work folder. A document that opens is previewed as the
// file managers' thumbnailer previews it: page 1 planned into a square and
// painted with its pictures kept as bytes.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "chartview/PageThumbnail.h"
#include "document/CTesselDoc.h"
#include "platform/RecordingCanvas.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedMessageSink.h"
#include "platform/cab/GcabCabinet.h"

namespace {

namespace fs = std::filesystem;

// Pictures are not decoded: the flow, not the image codecs, is under test.
struct NoPictures : plume::platform::PictureCodec {
  std::unique_ptr<plume::platform::Picture> Decode(std::span<const std::uint8_t>) const override { return nullptr; }
};

struct World {
  fs::path root;
  std::unique_ptr<plume::document::ChartDocument> doc = plume::document::ChartDocument::Create();
  plume::platform::MemorySettingsStore settings;
  plume::platform::GcabCabinet cabinet;
  NoPictures codec;
  plume::platform::ScriptedMessageSink sink;
  World() {
    char pattern[] = "/tmp/plume-openfuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    root = pattern;
    fs::create_directories(root / "tmp");
    fs::create_directories(root / "docs");
    setenv("TMPDIR", (root / "tmp").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root / "tmp").c_str(), 1);  // the work folder lands in tmp/Plumeboard
    plume::platform::SetMessageSink(&sink);
  }
  ~World() {
    plume::platform::SetMessageSink(nullptr);
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World world;
  const fs::path path = world.root / "docs" / "plan.pbd";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  plume::document::CTesselDoc tessel(*world.doc, world.settings, world.cabinet, world.codec);
  const int nodesBefore = world.doc->nodeCount;
  const int pagesBefore = world.doc->header.pageCount;
  const bool opened = tessel.OpenDocument(path);
  world.sink.Reset();
  if (opened) {
    const plume::chartview::ThumbnailPlan plan = plume::chartview::PlanThumbnail(*world.doc, 0, 1 + size % 512);
    if (plan.size.cx < 1 || plan.size.cy < 1 || plan.size.cx > 512 || plan.size.cy > 512) {
      std::fprintf(stderr, "preview of %d x %d\n", plan.size.cx, plan.size.cy);
      std::abort();
    }
    (void)plume::chartview::UndecodedPictureNodes(*world.doc, 0);
    plume::platform::RecordingCanvas canvas;
    plume::chartview::PaintThumbnail(*world.doc, canvas, plan, nullptr);
    world.sink.Reset();
  }
  // A failed open keeps the document that was open, untouched.
  if (!opened && (world.doc->nodeCount != nodesBefore || world.doc->header.pageCount != pagesBefore ||
                  !tessel.Path().empty())) {
    std::fprintf(stderr, "a failed open changed the open document\n");
    std::abort();
  }
  // Nothing is ever written beside the document or into the temporary folder
  // outside the work folder, whatever names the cabinet stores.
  for (const fs::path& folder : {world.root / "docs", world.root / "tmp", world.root})
    for (const auto& item : fs::directory_iterator(folder)) {
      const fs::path name = item.path().filename();
      if (name != "plan.pbd" && name != "Plumeboard" && name != "docs" && name != "tmp") {
        std::fprintf(stderr, "stray file %s\n", item.path().c_str());
        std::abort();
      }
    }
  const fs::path work = world.root / "tmp" / "Plumeboard";
  std::error_code ignored;
  for (const auto& item : fs::directory_iterator(work, ignored)) fs::remove_all(item.path(), ignored);
  return 0;
}
