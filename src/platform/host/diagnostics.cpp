// The host model's environment, debug output, clock and ids.
#include <unistd.h>

#include <atomic>

#include "base/text.h"
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {

void set_environment_variable(const std::string& name, const std::optional<std::string>& value) {
  const auto lock = host::lock_world();
  if (value) {
    world().environment[name] = *value;
  } else {
    world().environment.erase(name);
  }
}

std::vector<std::string> debug_output() {
  const auto lock = host::lock_world();
  return world().debug_output;
}

}  // namespace host

namespace platform {

std::size_t environment_variable(const char* name, char* buffer, std::size_t capacity) {
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.environment_reads;
  if (capacity != 0) buffer[0] = '\0';
  const auto it = w.environment.find(std::string(view_of(name)));
  if (it == w.environment.end()) return 0;
  if (it->second.size() < capacity) copy_text(buffer, capacity, it->second);
  return it->second.size();
}

void debug_output(const char* text) {
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.debug_outputs;
  w.debug_output.emplace_back(view_of(text));
}

// The model's clock: sleeps advance it.
std::uint64_t tick_ms() { return static_cast<std::uint64_t>(host::clock_ms()); }

std::uint32_t process_id() { return static_cast<std::uint32_t>(getpid()); }

// Small numbers, given to threads in the order they first ask.
std::uint32_t thread_id() {
  static std::atomic<std::uint32_t> next{1};
  thread_local const std::uint32_t id = next++;
  return id;
}

}  // namespace platform
}  // namespace dremoxa7
