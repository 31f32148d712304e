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
//                        "close TITLE", "message NAME TITLE"
//   --ready FILE         once every window exists, writes FILE with one line
//                        per window: its handle in hex, a blank, its title
//
// Options apply in command-line order. The tool ends when its last window is
// gone (WM_CLOSE destroys a window unless --ignore-close), or when killed.
#include <windows.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kClassName[] = "dremoxa7FixtureTool";

class UniqueFile {
 public:
  explicit UniqueFile(HANDLE handle) : handle_(handle) {}
  UniqueFile(const UniqueFile&) = delete;
  UniqueFile& operator=(const UniqueFile&) = delete;
  ~UniqueFile() {
    if (valid()) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class ClipboardSession {
 public:
  ClipboardSession() : open_(OpenClipboard(nullptr) != FALSE) {}
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_;
};

class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL block)
      : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() {
    if (data_ != nullptr) GlobalUnlock(block_);
  }
  const char* text() const { return static_cast<const char*>(data_); }
  std::size_t size() const { return data_ ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* data_;
};

struct ToolWindow {
  HWND handle = nullptr;
  std::string title;
  bool ignore_close = false;
};

struct Tool {
  std::vector<std::unique_ptr<ToolWindow>> windows;
  std::string log_path;
  std::string quit_message_name;
  UINT quit_message = 0;
  int open_windows = 0;
};

Tool tool;

bool write_file(const std::string& path, std::string_view text, DWORD disposition, DWORD access) {
  UniqueFile file(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

void log_line(std::string_view line) {
  if (tool.log_path.empty()) return;
  std::string text(line);
  text += "\r\n";
  write_file(tool.log_path, text, OPEN_ALWAYS, FILE_APPEND_DATA);
}

void log_clipboard() {
  const ClipboardSession session;
  if (!session.open()) return;
  const GlobalLockGuard lock(GetClipboardData(CF_TEXT));
  if (lock.text() == nullptr) return;
  const void* end = std::memchr(lock.text(), '\0', lock.size());
  const std::size_t n = end ? static_cast<const char*>(end) - lock.text() : lock.size();
  log_line("clipboard " + std::string(lock.text(), n));
}

LRESULT CALLBACK window_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* window = reinterpret_cast<ToolWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  if (window != nullptr) {
    if (message == WM_CLOSE) {
      log_line("close " + window->title);
      if (window->ignore_close) return 0;
    } else if (tool.quit_message != 0 && message == tool.quit_message) {
      log_line("message " + tool.quit_message_name + " " + window->title);
      DestroyWindow(handle);
      return 0;
    } else if (message == WM_DESTROY) {
      SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
      if (--tool.open_windows == 0) PostQuitMessage(0);
    }
  }
  return DefWindowProcA(handle, message, wparam, lparam);
}

ToolWindow* open_window(const std::string& title, HWND owner) {
  const DWORD style = owner ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
  HWND handle = CreateWindowExA(0, kClassName, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                320, 200, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
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

int fail(const char* what) {
  std::fprintf(stderr, "fixture_tool: %s\n", what);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kClassName;
  if (!RegisterClassA(&window_class)) return fail("cannot register the window class");

  std::string ready_path;
  ToolWindow* last = nullptr;
  HWND last_owner = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    const bool has_value = i + 1 < argc;
    if (option == "--window" && has_value) {
      last = open_window(argv[++i], nullptr);
      if (last == nullptr) return fail("cannot open a window");
      last_owner = last->handle;
    } else if (option == "--popup" && has_value) {
      if (last_owner == nullptr) return fail("--popup needs a --window before it");
      last = open_window(argv[++i], last_owner);
      if (last == nullptr) return fail("cannot open a pop-up");
    } else if (option == "--minimized" && last != nullptr) {
      ShowWindow(last->handle, SW_MINIMIZE);
    } else if (option == "--hidden" && last != nullptr) {
      ShowWindow(last->handle, SW_HIDE);
    } else if (option == "--ignore-close" && last != nullptr) {
      last->ignore_close = true;
    } else if (option == "--quit-message" && has_value) {
      tool.quit_message_name = argv[++i];
      tool.quit_message = RegisterWindowMessageA(tool.quit_message_name.c_str());
    } else if (option == "--log" && has_value) {
      tool.log_path = argv[++i];
      log_clipboard();
    } else if (option == "--ready" && has_value) {
      ready_path = argv[++i];
    } else {
      return fail("unknown option or missing value (see the top of fixture_tool.cpp)");
    }
  }
  if (tool.open_windows == 0) return fail("no --window given");
  if (!ready_path.empty() && !write_ready_file(ready_path)) return fail("cannot write --ready");

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
