#include "capture/VisiblePdfFlow.h"

namespace plume::capture {

bool VisiblePdfFlow::Run(InsertionPoint at) {
  auto r = capture_.Begin(true, true);
  if (!r) return false;
  const CaptureState& state = capture_.State();
  MaterialRecord record(at);
  // A related text that cannot be stored stops the registration.
  if (!capture_.BuildPdf(false) || (!state.textPath.empty() && !r->Store(store::kTextType, state.textPath)) ||
      !r->StoreMaterial("PDF", state.pdfPath, record)) {
    return r->Fail();
  }
  return r->Register(std::move(record));
}

}  // namespace plume::capture
