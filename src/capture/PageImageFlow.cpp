#include "capture/PageImageFlow.h"

namespace plume::capture {

bool PageImageFlow::Run(bool whole, InsertionPoint at) {
  auto r = capture_.Begin(!whole, false);
  if (!r) return false;
  const CaptureState& state = capture_.State();
  MaterialRecord record(at);
  if (!capture_.BuildImage(whole) || state.imagePath.empty() || !r->StoreMaterial("JPEG", state.imagePath, record)) {
    return r->Fail();
  }
  if (!state.textPath.empty()) r->Store(store::kTextType, state.textPath);
  return r->Register(std::move(record));
}

}  // namespace plume::capture
