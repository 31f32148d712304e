// The state of the host platform model, shared by its parts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/unique_resource.h"
#include "platform/host/host_control.h"

namespace dremoxa7::host {

struct HostWindow {
  std::string title;
  bool alive = true;
  bool iconic = false;
  platform::Window owner = nullptr;
  platform::Window last_popup = nullptr;
  bool answering = true;
  bool restore_pending = false;
  platform::WindowOwner program;
};

// A tool's prompt ("save changes?"), open above it until the user answers
// it or a close request cancels it.
struct OpenPrompt {
  platform::Window tool;
  int sleeps;  // until the user answers
};

// A session-wide gate: free, or held by a thread of this process (depth
// counts the entries of that thread) or by another program.
struct GateState {
  enum Holder { free, ours, other_program, abandoned } holder = free;
  std::uint32_t thread = 0;
  int depth = 0;
  int waiting = 0;  // threads of this process waiting for it
};

inline void close_stream(std::FILE* stream) noexcept { std::fclose(stream); }
using UniqueStream = UniqueResource<NullIsNone<std::FILE*, close_stream>>;

struct OpenFile {
  std::string path;  // the host path
  Access access;
  UniqueStream stream;  // none for another program's hold
};

struct World {
  // Handles are 1-based indexes into windows; closed windows stay as dead
  // entries so that a stale handle is recognised.
  std::vector<HostWindow> windows;
  std::vector<platform::Window> z_order;  // live windows, top first
  platform::Window foreground = nullptr;
  bool refuse_foreground = false;
  platform::Window refused_window = nullptr;
  std::vector<WindowEvent> window_events;
  std::vector<PostedMessage> posted;
  struct CloseReaction {
    unsigned message;
    int sleeps;
  };
  std::map<platform::Window, CloseReaction> close_reactions;
  std::map<platform::Window, int> closing;  // window -> sleeps still to pass
  struct PromptReaction {
    unsigned message;
    std::string title;
    int answer_sleeps;
  };
  std::map<platform::Window, PromptReaction> prompt_reactions;  // tool -> its prompt
  std::map<platform::Window, OpenPrompt> prompts;               // open prompt -> state
  // Other programs lie above any process id of this system (and any
  // thread id of this process), so that none is taken for ours.
  std::uint32_t next_program = 0x40000000;
  std::map<std::string, GateState> gates;
  std::map<std::string, unsigned> registered;  // name -> message number

  std::map<std::string, std::string> modules;  // lower-case name -> file name
  std::string library = "C:\\Suite\\Bin\\dremoxa7.dll";
  std::string executable = "C:\\Tool\\tool.exe";

  struct {
    int held_attempts = 0;
    bool refuse_data = false;
    bool open = false;
    std::optional<std::string> block;
  } clipboard;

  std::vector<StartedProgram> started;
  std::function<void(const std::string&)> start_hook;
  platform::Window active_window = nullptr;
  std::vector<HelpRequest> help;
  long clock = 0;
  std::function<void(long)> sleep_hook;

  std::map<char, std::string> drives;  // upper-case letter -> host directory
  std::string current_directory = ".";
  std::map<std::intptr_t, OpenFile> open_files;  // ours and other programs'
  std::intptr_t next_file = 1;

  std::vector<Message> messages;

  std::map<std::string, std::string> environment;
  std::vector<std::string> debug_output;
  CodePage code_page;  // single-byte, as 1252

  std::map<Call, std::function<void()>> hooks;

  Counters counters;
};

World& world();

// The model serves several threads at once, as the system does: every call
// into it holds this lock while it touches the world. It is recursive
// because a start hook may open windows while the start is recorded.
[[nodiscard]] std::unique_lock<std::recursive_mutex> lock_world();

// The live window behind a handle, or null.
HostWindow* find_window(platform::Window window);

// The window's thread handles the restore it was asked for (world locked).
void perform_pending_restore(platform::Window window, HostWindow& entry);

// A sleep has passed for the windows that are closing (world locked): each
// that answers counts it, and those that are due and answer close.
void count_sleep_for_closing();
void close_due_windows();

// A sleep has passed for the open prompts (world locked): a prompt whose
// user has answered closes, and its tool with it.
void count_sleep_for_prompts();

// Runs the hook set for call, if any, with the world unlocked.
void run_hook(Call call);

}  // namespace dremoxa7::host
