// Control of the host platform model, for tests only.
//
// The model keeps real state and enforces the Windows rules the library
// relies on: a desktop of top-level windows in Z-order (top first) with
// titles, minimised state, owned pop-ups and a foreground window; loaded
// modules and the executable's file name. It counts the calls it serves.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace dremoxa7::host {

// Foreground changes, restore requests and restores, in the order they
// happened. A window whose thread answers is restored as soon as it is
// asked; one that does not answer keeps the request until it answers again.
struct WindowEvent {
  enum Kind { foreground, restore_request, restored } kind;
  platform::Window window;
  bool operator==(const WindowEvent&) const = default;
};

struct Counters {
  long enumerations = 0;
  long title_reads = 0;
  long foreground_requests = 0;
  long restore_requests = 0;
  long clipboard_opens = 0;  // attempts, granted or not
  long existence_tests = 0;
  long file_opens = 0;  // attempts, granted or not
  long file_seeks = 0;
  long file_reads = 0;
  long file_closes = 0;
  long file_deletes = 0;  // attempts
  long posts = 0;
  long sleeps = 0;
  long gate_waits = 0;  // entries that found the gate held by someone else
  long environment_reads = 0;
  long debug_outputs = 0;
  long appends = 0;  // attempts, to any file
};

const Counters& counters();
void reset_counters();

// A fresh model: empty desktop, clipboard and launcher, no modules, no
// mapped drives, an empty environment, the clock at zero, counters at zero.
// File handles from before name no file afterwards.
void reset();

// --- Desktop ---------------------------------------------------------------

// Opens a top-level window at the bottom of the Z-order, the main window of
// a program of its own (a process and a thread that nothing else shares).
platform::Window add_window(const std::string& title, bool iconic = false);

// Opens a pop-up owned by owner, at the top of the Z-order, and makes it
// the owner's last active pop-up. It belongs to the owner's program.
platform::Window add_popup(platform::Window owner, const std::string& title);

// Opens a top-level window at the bottom of the Z-order that belongs to the
// calling thread of this process, as the caller's own windows do.
platform::Window add_own_window(const std::string& title);

void close_window(platform::Window window);

// The window's thread stops answering (a long computation, a stuck modal
// loop, a debugger) and later answers again: a restore asked for in
// between is performed only then.
void stop_answering(platform::Window window);
void answer_again(platform::Window window);
bool window_iconic(platform::Window window);

// Top of the Z-order first.
std::vector<platform::Window> z_order();

// Every granted foreground change and every restore, oldest first.
const std::vector<WindowEvent>& window_events();

platform::Window foreground_window();

// Messages posted to windows, oldest first.
struct PostedMessage {
  platform::Window window;
  unsigned message;
  bool operator==(const PostedMessage&) const = default;
};
const std::vector<PostedMessage>& posted_messages();

// The number register_message gave (or will give) that name.
unsigned registered_message(const std::string& name);

// How the tool behind window answers a message posted to it: it closes the
// window once `sleeps` further sleeps have passed (0: before the poster's
// next step). Its own thread does the closing, so while the window does not
// answer no sleep counts, and a due close waits until it answers again.
// Without this, a window ignores whatever is posted to it and stays open.
void close_when_posted(platform::Window window, unsigned message, int sleeps);

// How a tool that asks before it closes answers a message posted to it: it
// opens a prompt titled prompt_title above its window (a pop-up of its own,
// as a "save changes?" box is). A close request posted to the prompt
// cancels it: the prompt goes and the tool stays open, and asks again when
// it is asked again. The user answers the prompt once answer_sleeps sleeps
// have passed since it opened: the prompt and the tool then close.
void prompt_when_posted(platform::Window window, unsigned message, const std::string& prompt_title,
                        int answer_sleeps);

// While set, every foreground change is refused, as Windows refuses one
// to a process that may not take the foreground.
void refuse_foreground(bool refuse);

// Only a foreground change to this window is refused.
void refuse_foreground_to(platform::Window window);

// The window's program gives it another title.
void set_title(platform::Window window, const std::string& title);

// --- Other programs between two calls --------------------------------------

// Calls of the library into the model between which another program may
// act.
enum class Call { title_read, foreground, clipboard_set, file_open, file_read };

// Runs hook each time just before the model serves a call of that kind, as
// another program acting between two calls of the library would (an empty
// hook: none). The hook may change the model.
void before(Call call, std::function<void()> hook);

// --- Session-wide gates ------------------------------------------------------

// Another program holds the gate of that name until release_gate.
void hold_gate(const std::string& name);
// The program holding the gate ends without letting it go.
void abandon_gate(const std::string& name);
void release_gate(const std::string& name);
// True while a thread of this process holds the gate.
bool gate_held_here(const std::string& name);
// Threads of this process waiting for the gate now.
int gate_waiters(const std::string& name);

// --- Code page ---------------------------------------------------------------

// The system code page: 932, 936, 949 and 950 are double-byte (932: lead
// bytes 0x81..0x9F and 0xE0..0xFC; the others 0x81..0xFE), any other
// number single-byte. After reset it is 1252. Set it before the library
// starts (module_app().init_instance()), which fixes it for the library.
void set_code_page(unsigned code_page);

// --- Modules ---------------------------------------------------------------

// Loads the library from file_name: it becomes a loaded module under the
// name part of file_name (module names compare without case).
void load_library(const std::string& file_name);
void set_executable(const std::string& file_name);

// --- Clipboard -------------------------------------------------------------

// Another program holds the clipboard open for the next attempts tries to
// open it (-1: until told otherwise, 0: releases it).
void hold_clipboard(int attempts);

// The clipboard refuses the blocks it is handed.
void refuse_clipboard_data(bool refuse);

// Puts a text on the clipboard as another program would.
void put_clipboard_text(const std::string& text);

// Another program opens the clipboard, puts text on it and closes it, while
// the library holds it open without an owner window (Wine lets a second
// opener share such an open): the library's open is gone with it.
void take_clipboard(const std::string& text);

// The whole plain-text block on the clipboard (all its bytes), if any.
std::optional<std::string> clipboard_block();

// The plain-text block's text, up to its first zero byte; empty if none.
std::string clipboard_text();

bool clipboard_is_open();

// --- Launcher, active window, help, clock ------------------------------------

struct StartedProgram {
  std::string command_line;
  std::optional<std::string> clipboard;  // the clipboard's text when it started
};

const std::vector<StartedProgram>& started_programs();

// Runs after each recorded start, e.g. to open the started tool's window.
void on_start(std::function<void(const std::string& command_line)> hook);

void set_active_window(platform::Window window);

struct HelpRequest {
  platform::Window owner;
  std::string file;
  unsigned command;
  std::uintptr_t data;
  std::string keyword;  // the text data points to, for the keyword command
};

const std::vector<HelpRequest>& help_requests();

// The virtual clock: sleeps advance it at once.
long clock_ms();

// Runs after each sleep, with the clock as it then stands, e.g. to change
// the desktop or the suite's answers while a call waits.
void on_sleep(std::function<void(long clock_ms)> hook);

// --- Files -----------------------------------------------------------------

// Paths on a drive letter are looked up below host_directory, with '\'
// read as '/'; paths without a drive below the current directory.
void map_drive(char letter, const std::string& host_directory);
void set_current_directory(const std::string& host_directory);
std::string host_path(const std::string& path);

// Another program opens the file with this access and sharing, until the
// returned token is released. -1 when the sharing rules refuse it.
struct Access {
  bool read = true;
  bool write = false;
  bool share_read = false;
  bool share_write = false;
};
int hold_file(const std::string& path, Access access);
void release_file(int token);

// Files the library holds open for reading now (not the trace file it
// appends to).
int open_file_count();

// --- Messages ----------------------------------------------------------------

struct Message {
  std::string text;
  std::string caption;
  int files_open;  // files the library held open when it was shown
};

const std::vector<Message>& messages();

// --- Environment and debug output --------------------------------------------

// Sets the process's environment variable, as it stands when the library
// loads (module_app().init_instance()); nullopt removes it.
void set_environment_variable(const std::string& name, const std::optional<std::string>& value);

// Every text handed to debug output, oldest first.
std::vector<std::string> debug_output();

}  // namespace dremoxa7::host
