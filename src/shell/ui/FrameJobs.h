#pragma once
// The window and the one job gate: while a capture, a registration, the wait
// for a dropped PDF's text, a save or an open runs, the wait cursor shows and
// the commands that would start another job or replace, save or cut the
// document are disabled. Closing the window stops the running job first. The
// window builds it with what it needs.

class QWidget;

namespace plume::document {
class JobGate;
}

namespace plume::shell {

class CommandRouter;
class FrameRegistration;

class FrameJobs {
 public:
  struct Parts {
    CommandRouter& router;
    document::JobGate& jobs;
    FrameRegistration* registration;  ///< the chart view's registrations; null: none
    QWidget& window;                  ///< closed once the job it waited for has ended
  };

  /// Listens to `parts.jobs` and refuses the commands a running job must not meet.
  explicit FrameJobs(Parts parts);
  /// The gate no longer calls the window.
  ~FrameJobs();
  FrameJobs(const FrameJobs&) = delete;
  FrameJobs& operator=(const FrameJobs&) = delete;

  /// Whether the close may go on now; otherwise the running job was asked to
  /// stop and the window closes once it has.
  bool CloseAfterJobs();

 private:
  Parts parts_;
  bool closeWhenIdle_ = false;
};

}  // namespace plume::shell
