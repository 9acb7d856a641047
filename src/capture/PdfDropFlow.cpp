#include "capture/PdfDropFlow.h"

#include "capture/HtmlAreaPort.h"
#include "capture/RegistrationHost.h"
#include "capture/RelatedText.h"
#include "store/index/CapturedCheck.h"

namespace plume::capture {

namespace fs = std::filesystem;

PdfDropFlow::PdfDropFlow(const RegistrationPorts& ports, RegistrationJob& job) : ports_(ports), job_(job) {}

PdfDropFlow::~PdfDropFlow() {
  // The window is going: a PDF that never got its information file leaves the store.
  if (pending_) pending_->registration.Abandon();
}

bool PdfDropFlow::Start(const fs::path& file, InsertionPoint at) {
  if (ports_.captured && !ports_.captured->ProceedWithFile(file)) return false;
  auto r = MaterialRegistration::Reserve(ports_);
  if (!r) return false;
  if (!r->Store("PDF", file)) return r->Fail();
  // The gate stays held until the PDF's text has arrived and it is registered.
  pending_ = Waiting{std::move(*r), file, ports_.host.DocumentPath(), at, {}, job_.Hand()};
  ports_.html.ShowFile(file);
  ports_.host.StartDropTimer(kTick);
  return true;
}

bool PdfDropFlow::Tick() {
  if (!pending_) {
    ports_.host.StopDropTimer();
    return false;
  }
  // The node belongs to the document the PDF was dropped on, never to another.
  if (ports_.host.DocumentPath() != pending_->document) {
    Cancel();
    return false;
  }
  if (!ports_.html.PdfTextTaken(pending_->file)) {
    pending_->waited += kTick;
    if (pending_->waited < kWait) return false;
  }
  return Finish();
}

void PdfDropFlow::Cancel() {
  if (!pending_) return;
  ports_.host.StopDropTimer();
  Waiting pending = std::move(*pending_);
  pending_.reset();
  pending.registration.Abandon();
  ports_.html.GoBack();
}

bool PdfDropFlow::Finish() {
  ports_.host.StopDropTimer();
  Waiting pending = std::move(*pending_);
  pending_.reset();
  bool done = false;
  const fs::path text = RelatedText(ports_).FromTextArea();
  if (text.empty() || pending.registration.Store(store::kTextType, text)) {
    MaterialRecord record(pending.at);
    pending.registration.Describe("PDF", pending.file, record);
    record.NameAfterFile(pending.file);
    done = pending.registration.Register(std::move(record));
  } else {
    pending.registration.Abandon();
  }
  ports_.html.GoBack();
  return done;
}

}  // namespace plume::capture
