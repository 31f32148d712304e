// The operating-system services the library uses, and nothing more.
//
// One backend is linked per build: win32/ (the shipping DLL) or host/ (an
// in-process model for the Linux tests). The calls mirror the Win32 ones
// they stand for, with their bounds spelled out.
#pragma once

#include <cstddef>
#include <type_traits>

namespace dremoxa7::platform {

// An opaque top-level window handle; null = none.
using Window = void*;

// --- Windows ---------------------------------------------------------------

// Calls visit for each top-level window, top of the Z-order first, until it
// returns false. Hidden and minimised windows take part.
using WindowVisitor = bool (*)(Window window, void* context) noexcept;
void enumerate_windows(WindowVisitor visit, void* context);

// Passes each top-level window to f (returning bool: go on) without letting
// anything cross the platform's callback.
template <class F>
void for_each_window(F&& f) {
  enumerate_windows(
      [](Window window, void* context) noexcept -> bool {
        return (*static_cast<std::remove_reference_t<F>*>(context))(window);
      },
      &f);
}

// Reads the title into buffer: at most capacity - 1 characters and the
// terminator (GetWindowTextA). Returns the characters stored.
int window_title(Window window, char* buffer, int capacity);

// The window's last active pop-up, or the window itself.
Window last_active_popup(Window window);

// False when the platform refuses the foreground change.
bool set_foreground(Window window);

bool is_iconic(Window window);

// ShowWindow with the normal-show command (1).
void show_normal(Window window);

// --- Module and resources --------------------------------------------------

// Full file name of the loaded module of that name, or of the process's
// executable when no such module is loaded (GetModuleHandleA, then
// GetModuleFileNameA). At most capacity - 1 characters and the terminator;
// returns the characters stored.
std::size_t module_file_name(const char* module_name, char* buffer, std::size_t capacity);

// The library's resource string id, cut to capacity - 1 characters and
// terminated (LoadStringA). Returns the characters stored; 0 if none.
std::size_t load_string(unsigned id, char* buffer, std::size_t capacity);

}  // namespace dremoxa7::platform
