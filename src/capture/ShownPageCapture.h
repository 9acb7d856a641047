#pragma once
// The capture of the page on show for a registration: the checks before it
// draws, and the drawing into the work folder's files (W/tmp.jpg, and on to
// W/tmp4.pdf with the text area's text as pages behind the image page).

#include <optional>
#include <string_view>

#include "capture/CaptureState.h"
#include "capture/MaterialRegistration.h"
#include "capture/RegistrationJob.h"
#include "capture/RegistrationPorts.h"

namespace plume::capture {

class ShownPageCapture {
 public:
  /// The files it writes are recorded in `state`.
  ShownPageCapture(const RegistrationPorts& ports, RegistrationJob& job, CaptureState& state);

  /// The page-type gate of the visible-part and image commands: "HTML" or empty.
  static bool IsCapturablePage(std::string_view pageType);
  /// What a capture of the page on show does before it draws: the page is one
  /// it can capture, before and after the save question (30037 when it moved
  /// on meanwhile and `sayWhenMoved`), the area is on screen when `needsArea`,
  /// the "already captured" question, the job gate; then a number reserved.
  std::optional<MaterialRegistration> Begin(bool needsArea, bool sayWhenMoved);
  /// The capture into W/tmp.jpg and on to W/tmp4.pdf (with the text area's
  /// text as pages behind the image page); fills the capture state.
  bool BuildPdf(bool whole);
  /// The capture into W/tmp.jpg with the text area's text in W/tmp.txt.
  bool BuildImage(bool whole);
  /// The files the last build wrote.
  const CaptureState& State() const { return state_; }

 private:
  const RegistrationPorts& ports_;
  RegistrationJob& job_;
  CaptureState& state_;
};

}  // namespace plume::capture
