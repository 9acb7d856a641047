#include "document/JobGate.h"

#include <utility>

namespace plume::document {

struct JobGate::Ticket::State {
  bool alive = true;  ///< false once the gate has gone
  bool held = false;
  std::string running;
  Listener listener;
};

JobGate::Ticket& JobGate::Ticket::operator=(Ticket&& other) noexcept {
  if (this != &other) {
    Release();
    state_ = std::move(other.state_);
  }
  return *this;
}

void JobGate::Ticket::Release() {
  if (!state_) return;
  const std::shared_ptr<State> state = std::move(state_);
  state_.reset();
  if (!state->alive) return;
  state->held = false;
  state->running.clear();
  if (state->listener) state->listener(false);
}

JobGate::JobGate() : state_(std::make_shared<Ticket::State>()) {}

JobGate::~JobGate() { state_->alive = false; }

JobGate::Ticket JobGate::TryBegin(std::string what) {
  Ticket ticket;
  if (state_->held) return ticket;
  state_->held = true;
  state_->running = std::move(what);
  ticket.state_ = state_;
  if (state_->listener) state_->listener(true);
  return ticket;
}

bool JobGate::Busy() const { return state_->held; }

std::string JobGate::Running() const { return state_->running; }

void JobGate::SetListener(Listener listener) { state_->listener = std::move(listener); }

}  // namespace plume::document
