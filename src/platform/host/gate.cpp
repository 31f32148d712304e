// The host model's session-wide gates. Another program's hold is a state
// the tests set; threads of this process wait for each other for real.
#include <chrono>
#include <thread>

#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {
namespace {

GateState& gate(const std::string& name) { return world().gates[name]; }

}  // namespace

void hold_gate(const std::string& name) {
  const auto lock = lock_world();
  gate(name) = {GateState::other_program, 0, 0, 0};
}
void abandon_gate(const std::string& name) {
  const auto lock = lock_world();
  gate(name) = {GateState::abandoned, 0, 0, 0};
}
void release_gate(const std::string& name) {
  const auto lock = lock_world();
  gate(name) = {};
}
bool gate_held_here(const std::string& name) {
  const auto lock = lock_world();
  return gate(name).holder == GateState::ours;
}
int gate_waiters(const std::string& name) {
  const auto lock = lock_world();
  return gate(name).waiting;
}

}  // namespace host

namespace platform {

GateId enter_gate(const char* name, unsigned timeout_ms, GateEntry& entry) {
  const std::uint32_t me = thread_id();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  bool waited = false;
  // The thread counts as waiting from its first failed try to its entry.
  const auto stop_waiting = [&](host::GateState& state) {
    if (waited) --state.waiting;
  };
  for (;;) {
    {
      const auto lock = host::lock_world();
      host::World& w = host::world();
      host::GateState& state = w.gates[name];
      const bool free = state.holder == host::GateState::free;
      const bool abandoned = state.holder == host::GateState::abandoned;
      if (free || abandoned || (state.holder == host::GateState::ours && state.thread == me)) {
        entry = abandoned ? GateEntry::abandoned : GateEntry::taken;
        stop_waiting(state);
        if (state.holder != host::GateState::ours) {
          state.holder = host::GateState::ours;
          state.thread = me;
          state.depth = 0;
        }
        ++state.depth;
        return reinterpret_cast<GateId>(&w.gates.find(name)->first);
      }
      if (state.holder == host::GateState::other_program) {
        // A program that never lets go: the whole bound passes.
        ++w.counters.gate_waits;
        stop_waiting(state);
        w.clock += timeout_ms;
        entry = GateEntry::timed_out;
        return kNoGate;
      }
      if (!waited) {
        ++w.counters.gate_waits;
        ++state.waiting;
        waited = true;
      }
      if (std::chrono::steady_clock::now() >= deadline) {
        stop_waiting(state);
        entry = GateEntry::timed_out;
        return kNoGate;
      }
    }
    std::this_thread::yield();
  }
}

void leave_gate(GateId gate) {
  const auto lock = host::lock_world();
  const auto& name = *reinterpret_cast<const std::string*>(gate);
  host::GateState& state = host::world().gates[name];
  if (state.holder == host::GateState::ours && --state.depth == 0) {
    state.holder = host::GateState::free;
    state.thread = 0;
  }
}

}  // namespace platform
}  // namespace dremoxa7
