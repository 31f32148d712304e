// fixture_tool.exe: a stand-in tool program that owns real top-level windows
// for the end-to-end tests and the demo.
//
//   --window TITLE       opens a top-level window, shown normally (on top)
//   --popup TITLE        opens a pop-up owned by the last --window and
//                        activates it, so it is the owner's last active pop-up
//   --minimized          minimises the window opened just before
//   --hidden             hides the window opened just before
//   --ignore-close       the window opened just before stays open on WM_CLOSE
//   --quit-message NAME  the registered message NAME destroys the window that
//                        receives it
//   --log FILE           appends what the tool receives, one line each:
//                        "clipboard TEXT" (the clipboard's text when the
//                        option is read: give it first),
//                        "close TITLE", "message NAME TITLE", "copydata TITLE"
//                        (a WM_COPYDATA, as a help request)
//   --ready FILE         once every window exists, writes FILE with one line
//                        per window: its handle in hex, a blank, its title
//   --hold-clipboard     opens the clipboard for the window opened just before
//                        and keeps it open until the end (Wine lets a second
//                        opener without a window share a windowless open)
//   --hold-file FILE     opens FILE for reading and writing without sharing
//                        and keeps it open until the end
//   --log-command-line   appends "command-line TEXT" to the --log file: the
//                        whole command line the tool was started with
//   --stamp              from here on every log line begins with its time
//                        stamp (time_stamp.h) and a blank, and a window that
//                        goes logs "gone TITLE"
//   --close-delay MS     the window opened just before goes MS milliseconds
//                        after WM_CLOSE instead of at once
//   --send-on-close TITLE  on WM_CLOSE the window opened just before first
//                        sends WM_NULL to the top-level window titled TITLE
//                        and waits for the answer (SendMessageA), then logs
//                        "sent TITLE"
//   --stop-answering MS  once its windows are ready, the tool answers no
//                        message for MS milliseconds (its thread sleeps),
//                        then logs "answers again"
//   --stop-answering-until NAME  the same, until the manual-reset event NAME
//                        (opened when the option is read) is set, or a
//                        minute has passed, whichever comes first: a test
//                        lets the tool answer again once it has seen what
//                        it wanted to see while the tool hung
//   --window-class NAME  the windows opened after it are of the window class
//                        NAME (e.g. the one the help engine's window has)
//   --own-clipboard TEXT puts TEXT on the clipboard with the window opened
//                        just before as the clipboard's owner
//   --sleep MS           sleeps MS milliseconds when the option is read: a
//                        tool slow to start
//   --prompt-on-close MS on WM_CLOSE the window opened just before asks
//                        first, as a tool with unsaved changes does: it opens
//                        an owned pop-up titled "TITLE: save changes?" and logs
//                        "prompt TITLE". WM_CLOSE to the prompt cancels it
//                        ("cancelled TITLE"; the window stays and asks again
//                        when asked again); MS milliseconds after it opened
//                        the user answers it ("answered TITLE"): the prompt
//                        and the window go
//   --start-check FUNCTION  loads the dremoxa7.dll beside the tool and,
//                        once the named event given by --at-event (if any)
//                        is set, calls its ZorStartCheck(0, FUNCTION) and
//                        logs "start-check RESULT QUIT MS" (MS: how long the
//                        call took); a tool with no window then ends. With
//                        an event it first logs "waiting", once the library
//                        is loaded and it is about to wait
//   --at-event NAME      the manual-reset event --start-check waits for (at
//                        most a minute)
//
// A tool started without arguments (as a jump starts it) takes its options
// from the file beside it named like it with ".args" for ".exe", one
// option or value per line. So does a tool started with arguments that are
// not options (a program started with the rest of a path that the system
// split at a blank, or the ladder editor started with its switches): it
// logs them as "arguments TEXT" once its options are read.
//
// Options apply in command-line order. The tool ends when its last window is
// gone (WM_CLOSE destroys a window unless --ignore-close), or when killed.
#include <windows.h>

#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/win32_owners.h"
#include "time_stamp.h"
#include "win32_clipboard.h"

namespace {

using dremoxa7::UniqueFile;

constexpr char kClassName[] = "dremoxa7FixtureTool";

struct ToolWindow {
  HWND handle = nullptr;
  std::string title;
  bool ignore_close = false;
  UINT close_delay_ms = 0;
  std::string send_on_close;
  UINT prompt_answer_ms = 0;  // --prompt-on-close
  HWND prompt = nullptr;      // its open prompt
  HWND prompting = nullptr;   // for a prompt: the window it asks for
};

// The timer that ends a window's --close-delay, and the one by which the
// user answers a prompt.
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT_PTR kAnswerTimer = 2;

// How long the tool waits for an event a test sets: a test that never sets
// it (a faulty library kept it from getting there) only takes longer.
constexpr DWORD kLongestWaitMs = 60000;

ToolWindow* open_window(const std::string& title, HWND owner);

struct Tool {
  std::vector<std::unique_ptr<ToolWindow>> windows;
  std::string window_class = kClassName;
  std::string log_path;
  std::string quit_message_name;
  UINT quit_message = 0;
  int open_windows = 0;
  bool stamp = false;
};

Tool tool;

bool write_file(const std::string& path, std::string_view text, DWORD disposition, DWORD access) {
  UniqueFile file(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

void log_line(std::string_view line) {
  if (tool.log_path.empty()) return;
  std::string text;
  if (tool.stamp) text = std::to_string(e2e::time_stamp_us()) + " ";
  text += line;
  text += "\r\n";
  write_file(tool.log_path, text, OPEN_ALWAYS, FILE_APPEND_DATA);
}

void log_clipboard() {
  const dremoxa7::win32_test::ClipboardText read =
      dremoxa7::win32_test::read_clipboard_text(nullptr);
  if (!read.opened) {
    log_line("clipboard unavailable");
  } else if (!read.text) {
    log_line("clipboard without text");
  } else {
    log_line("clipboard " + *read.text);
  }
}

LRESULT CALLBACK window_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* window = reinterpret_cast<ToolWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  if (window != nullptr) {
    if (message == WM_CLOSE && window->prompting != nullptr) {
      log_line("cancelled " + window->title);
      DestroyWindow(handle);
      return 0;
    }
    if (message == WM_TIMER && wparam == kAnswerTimer) {
      log_line("answered " + window->title);
      const HWND asked_for = window->prompting;
      DestroyWindow(handle);
      DestroyWindow(asked_for);
      return 0;
    }
    if (message == WM_CLOSE) {
      log_line("close " + window->title);
      if (window->ignore_close) return 0;
      if (window->prompt_answer_ms != 0) {
        if (!IsWindow(window->prompt)) {
          const ToolWindow* prompt = open_window(window->title + ": save changes?", handle);
          if (prompt == nullptr) return 0;
          log_line("prompt " + prompt->title);
          window->prompt = prompt->handle;
          reinterpret_cast<ToolWindow*>(GetWindowLongPtrA(prompt->handle, GWLP_USERDATA))
              ->prompting = handle;
          SetTimer(prompt->handle, kAnswerTimer, window->prompt_answer_ms, nullptr);
        }
        return 0;
      }
      if (!window->send_on_close.empty()) {
        SendMessageA(FindWindowA(nullptr, window->send_on_close.c_str()), WM_NULL, 0, 0);
        log_line("sent " + window->send_on_close);
      }
      if (window->close_delay_ms != 0) {
        SetTimer(handle, kCloseTimer, window->close_delay_ms, nullptr);
        return 0;
      }
    } else if (message == WM_TIMER && wparam == kCloseTimer) {
      KillTimer(handle, kCloseTimer);
      DestroyWindow(handle);
      return 0;
    } else if (tool.quit_message != 0 && message == tool.quit_message) {
      log_line("message " + tool.quit_message_name + " " + window->title);
      DestroyWindow(handle);
      return 0;
    } else if (message == WM_COPYDATA) {
      log_line("copydata " + window->title);
    } else if (message == WM_DESTROY) {
      if (tool.stamp) log_line("gone " + window->title);
      SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
      if (--tool.open_windows == 0) PostQuitMessage(0);
    }
  }
  return DefWindowProcA(handle, message, wparam, lparam);
}

ToolWindow* open_window(const std::string& title, HWND owner) {
  const DWORD style = owner ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
  HWND handle =
      CreateWindowExA(0, tool.window_class.c_str(), title.c_str(), style, CW_USEDEFAULT,
                      CW_USEDEFAULT, 320, 200, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (handle == nullptr) return nullptr;
  auto window = std::make_unique<ToolWindow>();
  window->handle = handle;
  window->title = title;
  SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window.get()));
  ++tool.open_windows;
  ShowWindow(handle, SW_SHOWNORMAL);
  UpdateWindow(handle);
  if (owner != nullptr) {
    SetActiveWindow(handle);
    SetForegroundWindow(handle);
  }
  tool.windows.push_back(std::move(window));
  return tool.windows.back().get();
}

bool write_ready_file(const std::string& path) {
  std::string text;
  for (const auto& window : tool.windows) {
    char handle[32] = {};
    const auto value = static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window->handle));
    const auto result = std::to_chars(handle, handle + sizeof handle, value, 16);
    text.append(handle, result.ptr);
    text += ' ';
    text += window->title;
    text += "\r\n";
  }
  // Written whole under another name first, so a reader never sees a part.
  const std::string partial = path + ".partial";
  return write_file(partial, text, CREATE_ALWAYS, GENERIC_WRITE) &&
         MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// The options of a tool started without arguments: the lines of the file
// beside the executable named like it with ".args".
std::vector<std::string> options_file_lines() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, n < MAX_PATH ? n : 0);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  std::vector<std::string> lines;
  UniqueFile file(CreateFileA((name + ".args").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lines;
  std::string text(64 * 1024, '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) {
    return lines;
  }
  text.resize(got);
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    begin = end + 1;
  }
  return lines;
}

bool register_window_class(const char* name) {
  WNDCLASSA window_class = {};
  if (GetClassInfoA(GetModuleHandleA(nullptr), name, &window_class)) return true;
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = name;
  return RegisterClassA(&window_class) != 0;
}

// A whole decimal number (milliseconds, a function number).
template <class Number>
bool read_whole_number(std::string_view text, Number& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// --start-check: the call a tool makes at its start, from this tool's own
// process, at the moment the event is set. The library is loaded first, so
// that tools started together call it as close together as the event
// releases them.
bool start_check(const std::string& event_name, short function) {
  const dremoxa7::UniqueModule library(LoadLibraryA("dremoxa7.dll"));
  if (!library) return false;
  using StartCheck = short(WINAPI*)(short, short, short*);
  const auto check = reinterpret_cast<StartCheck>(
      reinterpret_cast<void*>(GetProcAddress(library.get(), "ZorStartCheck")));
  if (check == nullptr) return false;
  if (!event_name.empty()) {
    const dremoxa7::UniqueHandle event(OpenEventA(SYNCHRONIZE, FALSE, event_name.c_str()));
    if (!event) return false;
    log_line("waiting");
    if (WaitForSingleObject(event.get(), kLongestWaitMs) != WAIT_OBJECT_0) return false;
  }
  short quit = 77;
  const ULONGLONG begun = GetTickCount64();
  const short result = check(0, function, &quit);
  log_line("start-check " + std::to_string(result) + " " + std::to_string(quit) + " " +
           std::to_string(GetTickCount64() - begun));
  return true;
}

// --stop-answering, --stop-answering-until: the tool's thread answers no
// message until the event is set (if any) or ms have passed.
void stop_answering(HANDLE until, DWORD ms) {
  if (until != nullptr) {
    WaitForSingleObject(until, ms);
  } else {
    Sleep(ms);
  }
  log_line("answers again");
}

int fail(const char* what) {
  std::fprintf(stderr, "fixture_tool: %s\n", what);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (!register_window_class(kClassName)) return fail("cannot register the window class");

  std::vector<std::string> args(argv + 1, argv + argc);
  std::string foreign_arguments;
  if (!args.empty() && args[0].rfind("--", 0) != 0) {
    for (const std::string& argument : args) {
      if (!foreign_arguments.empty()) foreign_arguments += ' ';
      foreign_arguments += argument;
    }
    args.clear();
  }
  if (args.empty()) args = options_file_lines();
  const int count = static_cast<int>(args.size());

  std::string ready_path;
  std::string event_name;
  bool checked = false;
  DWORD stop_answering_ms = 0;
  dremoxa7::UniqueHandle answer_again;  // --stop-answering-until
  ToolWindow* last = nullptr;
  HWND last_owner = nullptr;
  std::unique_ptr<dremoxa7::ClipboardOpen> held_clipboard;
  std::vector<UniqueFile> held_files;
  for (int i = 0; i < count; ++i) {
    const std::string_view option = args[i];
    const bool has_value = i + 1 < count;
    if (option == "--window" && has_value) {
      last = open_window(args[++i], nullptr);
      if (last == nullptr) return fail("cannot open a window");
      last_owner = last->handle;
    } else if (option == "--popup" && has_value) {
      if (last_owner == nullptr) return fail("--popup needs a --window before it");
      last = open_window(args[++i], last_owner);
      if (last == nullptr) return fail("cannot open a pop-up");
    } else if (option == "--minimized" && last != nullptr) {
      ShowWindow(last->handle, SW_MINIMIZE);
    } else if (option == "--hidden" && last != nullptr) {
      ShowWindow(last->handle, SW_HIDE);
    } else if (option == "--ignore-close" && last != nullptr) {
      last->ignore_close = true;
    } else if (option == "--quit-message" && has_value) {
      tool.quit_message_name = args[++i];
      tool.quit_message = RegisterWindowMessageA(tool.quit_message_name.c_str());
    } else if (option == "--log" && has_value) {
      tool.log_path = args[++i];
      log_clipboard();
    } else if (option == "--ready" && has_value) {
      ready_path = args[++i];
    } else if (option == "--hold-clipboard" && last != nullptr) {
      held_clipboard = dremoxa7::win32_test::open_clipboard(last->handle);
      if (!held_clipboard) return fail("cannot open the clipboard");
    } else if (option == "--hold-file" && has_value) {
      held_files.emplace_back(CreateFileA(args[++i].c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!held_files.back()) return fail("cannot open --hold-file");
    } else if (option == "--log-command-line") {
      log_line(std::string("command-line ") + GetCommandLineA());
    } else if (option == "--stamp") {
      tool.stamp = true;
    } else if (option == "--close-delay" && has_value && last != nullptr) {
      if (!read_whole_number(args[++i], last->close_delay_ms)) return fail("bad --close-delay");
    } else if (option == "--send-on-close" && has_value && last != nullptr) {
      last->send_on_close = args[++i];
    } else if (option == "--stop-answering" && has_value) {
      if (!read_whole_number(args[++i], stop_answering_ms)) return fail("bad --stop-answering");
    } else if (option == "--stop-answering-until" && has_value) {
      answer_again.reset(OpenEventA(SYNCHRONIZE, FALSE, args[++i].c_str()));
      if (!answer_again) return fail("cannot open the event of --stop-answering-until");
      stop_answering_ms = kLongestWaitMs;
    } else if (option == "--window-class" && has_value) {
      tool.window_class = args[++i];
      if (!register_window_class(tool.window_class.c_str())) {
        return fail("cannot register --window-class");
      }
    } else if (option == "--own-clipboard" && has_value && last != nullptr) {
      if (!dremoxa7::win32_test::put_clipboard_text(args[++i], last->handle)) {
        return fail("cannot own the clipboard");
      }
    } else if (option == "--prompt-on-close" && has_value && last != nullptr) {
      if (!read_whole_number(args[++i], last->prompt_answer_ms) || last->prompt_answer_ms == 0) {
        return fail("bad --prompt-on-close");
      }
    } else if (option == "--at-event" && has_value) {
      event_name = args[++i];
    } else if (option == "--start-check" && has_value) {
      short function = 0;
      if (!read_whole_number(args[++i], function)) return fail("bad --start-check");
      if (!start_check(event_name, function)) return fail("cannot make the start check");
      checked = true;
    } else if (option == "--sleep" && has_value) {
      DWORD ms = 0;
      if (!read_whole_number(args[++i], ms)) return fail("bad --sleep");
      Sleep(ms);
    } else {
      return fail("unknown option or missing value (see the top of fixture_tool.cpp)");
    }
  }
  if (!foreign_arguments.empty()) log_line("arguments " + foreign_arguments);
  if (tool.open_windows == 0) return checked ? 0 : fail("no --window given");
  if (!ready_path.empty() && !write_ready_file(ready_path)) return fail("cannot write --ready");
  if (stop_answering_ms != 0) stop_answering(answer_again.get(), stop_answering_ms);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
