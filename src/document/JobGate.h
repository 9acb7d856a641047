#pragma once
// One long job at a time. A capture, a registration, the wait for a dropped
// PDF's text, a save or an open holds the gate while it runs; commands that
// would start another job or change or replace the document ask the gate
// first and are refused (or disabled) while it is held. The job itself goes
// on calling what it needs: only entry points (commands, drops, timers) ask.

#include <functional>
#include <memory>
#include <string>

namespace plume::document {

class JobGate {
 public:
  /// Hears every start and end of a job: `busy` is whether one runs now.
  using Listener = std::function<void(bool busy)>;

  /// Holds the gate while it lives; moving it moves the hold. Safe to drop
  /// after the gate has gone.
  class Ticket {
   public:
    Ticket() = default;
    Ticket(Ticket&& other) noexcept = default;
    Ticket& operator=(Ticket&& other) noexcept;
    Ticket(const Ticket&) = delete;
    Ticket& operator=(const Ticket&) = delete;
    ~Ticket() { Release(); }
    /// Whether this ticket holds the gate.
    explicit operator bool() const { return state_ != nullptr; }
    void Release();

   private:
    friend class JobGate;
    struct State;
    std::shared_ptr<State> state_;
  };

  JobGate();
  JobGate(const JobGate&) = delete;
  JobGate& operator=(const JobGate&) = delete;
  ~JobGate();

  /// A held ticket when no job runs; an empty one while another job runs.
  /// `what` names the job (for a refusal's message and for tests).
  [[nodiscard]] Ticket TryBegin(std::string what);
  bool Busy() const;
  /// The running job's name; empty when none runs.
  std::string Running() const;
  /// Every start and end is announced to `listener` (one listener per
  /// owner: the window's cursor and command states). Replaces the last one.
  void SetListener(Listener listener);

 private:
  std::shared_ptr<Ticket::State> state_;
};

}  // namespace plume::document
