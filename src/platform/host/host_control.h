// Control of the host platform model, for tests only.
//
// The model keeps real state and enforces the Windows rules the library
// relies on: a desktop of top-level windows in Z-order (top first) with
// titles, minimised state, owned pop-ups and a foreground window; loaded
// modules and the executable's file name. It counts the calls it serves.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace dremoxa7::host {

// Foreground changes and restores, in the order they happened.
struct WindowEvent {
  enum Kind { foreground, show_normal } kind;
  platform::Window window;
  bool operator==(const WindowEvent&) const = default;
};

struct Counters {
  long enumerations = 0;
  long title_reads = 0;
  long foreground_requests = 0;
  long show_requests = 0;
};

const Counters& counters();
void reset_counters();

// A fresh model: empty desktop, no modules, counters at zero.
void reset();

// --- Desktop ---------------------------------------------------------------

// Opens a top-level window at the bottom of the Z-order.
platform::Window add_window(const std::string& title, bool iconic = false);

// Opens a pop-up owned by owner, at the top of the Z-order, and makes it
// the owner's last active pop-up.
platform::Window add_popup(platform::Window owner, const std::string& title);

void set_title(platform::Window window, const std::string& title);
void close_window(platform::Window window);
bool window_exists(platform::Window window);
bool window_iconic(platform::Window window);

// Top of the Z-order first.
std::vector<platform::Window> z_order();

// Every granted foreground change and every restore, oldest first.
const std::vector<WindowEvent>& window_events();

platform::Window foreground_window();

// While set, every foreground change is refused, as Windows refuses one
// to a process that may not take the foreground.
void refuse_foreground(bool refuse);

// --- Modules ---------------------------------------------------------------

// Loads a module of that name from file_name (names compare without case).
void load_module(const std::string& name, const std::string& file_name);
void set_executable(const std::string& file_name);

}  // namespace dremoxa7::host
