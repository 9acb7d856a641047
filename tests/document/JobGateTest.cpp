#include "document/JobGate.h"

#include <gtest/gtest.h>

#include <vector>

namespace plume::document {
namespace {

TEST(JobGate, OneJobAtATimeAndTheHoldEndsWithItsTicket) {
  JobGate gate;
  std::vector<bool> heard;
  gate.SetListener([&](bool busy) { heard.push_back(busy); });

  JobGate::Ticket first = gate.TryBegin("capture");
  ASSERT_TRUE(first);
  EXPECT_EQ(gate.Running(), "capture");
  EXPECT_FALSE(gate.TryBegin("save")) << "a second job is refused while the first runs";

  JobGate::Ticket moved = std::move(first);
  first.Release();  // the moved-from ticket holds nothing
  EXPECT_TRUE(gate.Busy());
  moved = JobGate::Ticket();
  EXPECT_FALSE(gate.Busy());
  EXPECT_TRUE(gate.TryBegin("save")) << "free again once the ticket went";
  EXPECT_EQ(heard, (std::vector<bool>{true, false, true, false}));
}

TEST(JobGate, ATicketMayOutliveItsGate) {
  int heard = 0;
  JobGate::Ticket ticket;
  {
    JobGate gate;
    gate.SetListener([&](bool) { ++heard; });
    ticket = gate.TryBegin("open");
    ASSERT_TRUE(ticket);
  }
  ticket.Release();
  EXPECT_FALSE(ticket);
  EXPECT_EQ(heard, 1) << "the end of a job is not announced once the gate has gone";
}

}  // namespace
}  // namespace plume::document
