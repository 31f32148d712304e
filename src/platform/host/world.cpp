#include "platform/host/world.h"

namespace dremoxa7::host {

World& world() {
  static World instance;
  return instance;
}

HostWindow* find_window(platform::Window window) {
  const auto index = reinterpret_cast<std::uintptr_t>(window);
  World& w = world();
  if (index == 0 || index > w.windows.size()) return nullptr;
  HostWindow& entry = w.windows[index - 1];
  return entry.alive ? &entry : nullptr;
}

const Counters& counters() { return world().counters; }
void reset_counters() { world().counters = Counters{}; }
void reset() {
  for (auto& [id, file] : world().open_files) {
    if (file.stream != nullptr) std::fclose(file.stream);
  }
  world() = World{};
}

}  // namespace dremoxa7::host
