#include "platform/host/world.h"

namespace dremoxa7::host {

World& world() {
  static World instance;
  return instance;
}

std::unique_lock<std::recursive_mutex> lock_world() {
  static std::recursive_mutex mutex;
  return std::unique_lock(mutex);
}

HostWindow* find_window(platform::Window window) {
  const auto index = reinterpret_cast<std::uintptr_t>(window);
  World& w = world();
  if (index == 0 || index > w.windows.size()) return nullptr;
  HostWindow& entry = w.windows[index - 1];
  return entry.alive ? &entry : nullptr;
}

void before(Call call, std::function<void()> hook) {
  const auto lock = lock_world();
  world().hooks[call] = std::move(hook);
}

void run_hook(Call call) {
  std::function<void()> hook;
  {
    const auto lock = lock_world();
    const auto it = world().hooks.find(call);
    if (it == world().hooks.end()) return;
    hook = it->second;
  }
  if (hook) hook();
}

const Counters& counters() { return world().counters; }
void reset_counters() {
  const auto lock = lock_world();
  world().counters = Counters{};
}
void reset() {
  const auto lock = lock_world();
  // Handles keep counting, so that a handle held across the reset (the
  // trace file of the library's previous load) closes nothing of the new
  // world.
  const std::intptr_t next_file = world().next_file;
  world() = World{};
  world().next_file = next_file;
}

}  // namespace dremoxa7::host
