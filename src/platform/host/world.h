// The state of the host platform model, shared by its parts.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/host/host_control.h"

namespace dremoxa7::host {

struct HostWindow {
  std::string title;
  bool alive = true;
  bool iconic = false;
  platform::Window owner = nullptr;
  platform::Window last_popup = nullptr;
};

struct World {
  // Handles are 1-based indexes into windows; closed windows stay as dead
  // entries so that a stale handle is recognised.
  std::vector<HostWindow> windows;
  std::vector<platform::Window> z_order;  // live windows, top first
  platform::Window foreground = nullptr;
  bool refuse_foreground = false;
  std::vector<WindowEvent> window_events;

  std::map<std::string, std::string> modules;  // lower-case name -> file name
  std::string executable = "C:\\Tool\\tool.exe";

  Counters counters;
};

World& world();

// The live window behind a handle, or null.
HostWindow* find_window(platform::Window window);

}  // namespace dremoxa7::host
