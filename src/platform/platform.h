// The operating-system services the library uses, and nothing more.
//
// One backend is linked per build: win32/ (the shipping DLL) or host/ (an
// in-process model for the Linux tests). The calls mirror the Win32 ones
// they stand for, with their bounds spelled out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "base/code_page.h"

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

// Reads the title into buffer in the system code page: at most
// capacity - 1 bytes of whole characters (and never more than 511
// characters) and the terminator, as GetWindowTextA would, but as the
// system keeps it: the call never waits for the window's thread, even for
// a window of this program. Returns the bytes stored.
int window_title(Window window, char* buffer, int capacity);

// The window's last active pop-up, or the window itself.
Window last_active_popup(Window window);

// False when the platform refuses the foreground change.
bool set_foreground(Window window);

bool is_iconic(Window window);

// The program a window belongs to: its process and the thread that made
// it (GetWindowThreadProcessId), numbered as process_id and thread_id
// number the caller's. Both 0 once the window is gone.
struct WindowOwner {
  std::uint32_t process = 0;
  std::uint32_t thread = 0;
};
WindowOwner window_owner(Window window);

// Asks the window to show itself normally (command 1), restoring it when
// minimised (ShowWindowAsync). The call never waits for the window's
// thread: a tool that does not answer is restored once it answers again.
void restore_without_waiting(Window window);

// --- Code page -------------------------------------------------------------

// The system code page of 8-bit texts (GetACP): which bytes lead a
// two-byte character. The system fixes it for the process's lifetime.
const CodePage& system_code_page();

// --- Module and resources --------------------------------------------------

// Full file name of the loaded module of that name, or of the process's
// executable when no such module is loaded (GetModuleHandleA, then
// GetModuleFileNameA). At most capacity - 1 characters and the terminator;
// returns the characters stored.
std::size_t module_file_name(const char* module_name, char* buffer, std::size_t capacity);

// Full file name of the library's own module, under whatever name it was
// loaded. Bounded and returned like module_file_name.
std::size_t own_file_name(char* buffer, std::size_t capacity);

// The library's resource string id, cut to capacity - 1 characters and
// terminated (LoadStringA). Returns the characters stored; 0 if none.
std::size_t load_string(unsigned id, char* buffer, std::size_t capacity);

// --- Clipboard -------------------------------------------------------------

// OpenClipboard without an owner window; false when another program holds
// the clipboard.
bool open_clipboard();
void close_clipboard();
bool empty_clipboard();

// Hands the open clipboard a movable, zero-filled block of block_size bytes
// (GlobalAlloc flags 0x42) that holds text, cut to at most block_size - 1
// bytes of whole characters, as plain text (format 1). False when no block could be had or
// the clipboard refused it; the block is then freed.
bool set_clipboard_text(std::string_view text, std::size_t block_size);

// The clipboard, open for the lifetime of the session if opening succeeded.
class ClipboardSession {
 public:
  ClipboardSession() : open_(open_clipboard()) {}
  ~ClipboardSession() {
    if (open_) close_clipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

// --- Processes, help and time ----------------------------------------------

// WinExec with the normal-show command (1). The command line is started as
// it is: whoever builds it quotes a path that holds a blank. Returns
// WinExec's answer: above 31 when the program started, else why not (2: no
// such file). No export reports it; the trace does.
unsigned start_program(const char* command_line);

// The calling thread's active window, or null.
Window active_window();

// WinHelpA(owner, help_file, command, data); the outcome is not reported.
// A running help engine that does not answer at once is left alone: the
// request is dropped rather than the caller held until the engine answers.
void open_help(Window owner, const char* help_file, unsigned command, std::uintptr_t data);

void sleep_ms(unsigned milliseconds);

// Sleeps like sleep_ms, but still answers the messages that other threads
// send (SendMessage and the like) to the calling thread's windows, taking
// no posted message from its queue: a program that sends to the caller
// while the caller waits for it to go is not stuck on that wait.
void sleep_answering_sent(unsigned milliseconds);

// --- Session-wide gate ------------------------------------------------------

// How taking a gate went. A holder that ended without letting go leaves the
// gate abandoned: it is taken all the same.
enum class GateEntry { taken, abandoned, timed_out };

// Takes the gate of that name shared by every program of the desktop
// session (a named mutex in the session's namespace), waiting at most
// timeout_ms for its holder. The calling thread holds it until
// leave_gate. A gate that cannot be had at all counts as timed out.
using GateId = std::intptr_t;
inline constexpr GateId kNoGate = 0;
GateId enter_gate(const char* name, unsigned timeout_ms, GateEntry& entry);
void leave_gate(GateId gate);

// The gate, held for the lifetime of the object if it was taken.
class SessionGate {
 public:
  SessionGate(const char* name, unsigned timeout_ms) : id_(enter_gate(name, timeout_ms, entry_)) {}
  ~SessionGate() {
    if (id_ != kNoGate) leave_gate(id_);
  }
  SessionGate(const SessionGate&) = delete;
  SessionGate& operator=(const SessionGate&) = delete;
  GateEntry entry() const { return entry_; }

 private:
  GateEntry entry_ = GateEntry::timed_out;
  GateId id_;
};

// --- Files -----------------------------------------------------------------

// True when any directory entry (a file or a directory) has exactly that
// path.
bool path_exists(const char* path);

// DeleteFileA: false when the file could not be deleted (missing, a
// directory, or held open by someone who does not share deletion).
bool delete_file(const char* path);

// Who else may open a file while we hold it open for reading.
enum class Sharing { read_write, none };

using FileId = std::intptr_t;
inline constexpr FileId kNoFile = -1;

// An existing file opened for reading (CreateFileA with GENERIC_READ and
// OPEN_EXISTING); kNoFile when it cannot be opened: missing, a directory,
// no right to read, or held by another opener that does not share it.
FileId open_file(const char* path, Sharing sharing);
// The position reached from the start of the file, or -1 on failure.
long seek_file(FileId file, long offset);
// The bytes read (0 at the end of the file), or -1 on failure.
long read_file(FileId file, void* buffer, std::size_t size);
void close_file(FileId file);

// An open file, closed when it goes out of scope.
class File {
 public:
  File(const char* path, Sharing sharing) : id_(open_file(path, sharing)) {}
  ~File() {
    if (id_ != kNoFile) close_file(id_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  explicit operator bool() const { return id_ != kNoFile; }
  long seek(long offset) { return seek_file(id_, offset); }
  long read(void* buffer, std::size_t size) { return read_file(id_, buffer, size); }

 private:
  FileId id_;
};

// --- Messages --------------------------------------------------------------

// The close message every window understands (WM_CLOSE).
inline constexpr unsigned kCloseMessage = 16;

// The message registered under name (RegisterWindowMessageA): the same
// number for the same name in every program of the desktop; 0 on failure.
unsigned register_message(const char* name);

// PostMessageA with both parameters 0: queued for the window's thread,
// never waiting for it. False when the window is gone.
bool post_message(Window window, unsigned message);

// MessageBoxA with OK and the exclamation icon, no owner window; blocks
// until the user closes it.
void show_message(const char* text, const char* caption);

// --- Environment and diagnostics -------------------------------------------

// The value of the process's environment variable name
// (GetEnvironmentVariableA): its length, 0 when it is unset or empty. It is
// stored, terminated, only when it fits in capacity; the length of a longer
// value is still returned, so that it is told from one that fits.
std::size_t environment_variable(const char* name, char* buffer, std::size_t capacity);

// OutputDebugStringA: for a debugger or a debug-output viewer.
void debug_output(const char* text);

// A file opened for appending (FILE_APPEND_DATA, without FILE_WRITE_DATA),
// created when missing, shared for reading, writing and deletion with every
// other opener, so that several processes may append to it at once.
// kNoFile when it cannot be opened. Close it with close_file.
FileId open_shared_append(const char* path);

// Appends the bytes at the file's end in one write: what other threads and
// processes append this way lands before or after them, never in between.
// False on failure.
bool append_to_file(FileId file, std::string_view bytes);

// Milliseconds since some fixed moment (GetTickCount64).
std::uint64_t tick_ms();
std::uint32_t process_id();
std::uint32_t thread_id();

}  // namespace dremoxa7::platform
