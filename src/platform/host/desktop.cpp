// The host model's desktop: top-level windows in Z-order.
#include <algorithm>

#include "base/text.h"
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {
namespace {

platform::Window new_window(const std::string& title, bool iconic, platform::WindowOwner program) {
  World& w = world();
  HostWindow entry;
  entry.title = title;
  entry.iconic = iconic;
  entry.program = program;
  w.windows.push_back(entry);
  return reinterpret_cast<platform::Window>(static_cast<std::uintptr_t>(w.windows.size()));
}

// Another program: its process and its one thread.
platform::WindowOwner new_program() {
  const std::uint32_t id = world().next_program++;
  return {id, id};
}

void raise(platform::Window window) {
  auto& order = world().z_order;
  order.erase(std::remove(order.begin(), order.end(), window), order.end());
  order.insert(order.begin(), window);
}

}  // namespace

const std::vector<PostedMessage>& posted_messages() {
  const auto lock = lock_world();
  return world().posted;
}

unsigned registered_message(const std::string& name) {
  const auto lock = lock_world();
  // Registered numbers lie in 0xC000..0xFFFF, one per name.
  auto& registered = world().registered;
  const auto it = registered.try_emplace(name, 0xC000u + static_cast<unsigned>(registered.size()));
  return it.first->second;
}

void perform_pending_restore(platform::Window window, HostWindow& entry) {
  if (!entry.restore_pending) return;
  entry.restore_pending = false;
  entry.iconic = false;
  world().window_events.push_back({WindowEvent::restored, window});
}

void close_when_posted(platform::Window window, unsigned message, int sleeps) {
  const auto lock = lock_world();
  world().close_reactions[window] = {message, sleeps};
}

void close_due_windows() {
  auto& closing = world().closing;
  for (auto it = closing.begin(); it != closing.end();) {
    const HostWindow* entry = find_window(it->first);
    if (entry != nullptr && (it->second > 0 || !entry->answering)) {
      ++it;
      continue;
    }
    if (entry != nullptr) close_window(it->first);
    it = closing.erase(it);
  }
}

void count_sleep_for_closing() {
  for (auto& [window, sleeps] : world().closing) {
    const HostWindow* entry = find_window(window);
    if (entry != nullptr && entry->answering && sleeps > 0) --sleeps;
  }
  close_due_windows();
}

void stop_answering(platform::Window window) {
  const auto lock = lock_world();
  if (HostWindow* entry = find_window(window)) entry->answering = false;
}

void answer_again(platform::Window window) {
  const auto lock = lock_world();
  HostWindow* entry = find_window(window);
  if (entry == nullptr) return;
  entry->answering = true;
  perform_pending_restore(window, *entry);
  close_due_windows();
}

platform::Window add_window(const std::string& title, bool iconic) {
  const auto lock = host::lock_world();
  const platform::Window window = new_window(title, iconic, new_program());
  world().z_order.push_back(window);
  return window;
}

platform::Window add_own_window(const std::string& title) {
  const auto lock = host::lock_world();
  const platform::Window window =
      new_window(title, false, {platform::process_id(), platform::thread_id()});
  world().z_order.push_back(window);
  return window;
}

platform::Window add_popup(platform::Window owner, const std::string& title) {
  const auto lock = host::lock_world();
  const HostWindow* owner_entry = find_window(owner);
  const platform::Window popup =
      new_window(title, false, owner_entry ? owner_entry->program : new_program());
  world().windows.back().owner = owner;
  world().z_order.insert(world().z_order.begin(), popup);
  if (HostWindow* entry = find_window(owner)) entry->last_popup = popup;
  return popup;
}

void prompt_when_posted(platform::Window window, unsigned message, const std::string& prompt_title,
                        int answer_sleeps) {
  const auto lock = lock_world();
  world().prompt_reactions[window] = {message, prompt_title, answer_sleeps};
}

void count_sleep_for_prompts() {
  auto& prompts = world().prompts;
  for (auto it = prompts.begin(); it != prompts.end();) {
    if (find_window(it->first) == nullptr) {
      it = prompts.erase(it);
      continue;
    }
    if (--it->second.sleeps > 0) {
      ++it;
      continue;
    }
    // The user answers: the prompt goes, and the tool closes.
    const platform::Window tool = it->second.tool;
    close_window(it->first);
    close_window(tool);
    it = prompts.erase(it);
  }
}

void close_window(platform::Window window) {
  const auto lock = host::lock_world();
  HostWindow* entry = find_window(window);
  if (entry == nullptr) return;
  entry->alive = false;
  auto& order = world().z_order;
  order.erase(std::remove(order.begin(), order.end(), window), order.end());
  if (world().foreground == window) world().foreground = nullptr;
}

void set_title(platform::Window window, const std::string& title) {
  const auto lock = host::lock_world();
  if (HostWindow* entry = find_window(window)) entry->title = title;
}

bool window_iconic(platform::Window window) {
  const auto lock = host::lock_world();
  const HostWindow* entry = find_window(window);
  return entry != nullptr && entry->iconic;
}

std::vector<platform::Window> z_order() {
  const auto lock = host::lock_world();
  return world().z_order;
}
const std::vector<WindowEvent>& window_events() {
  const auto lock = host::lock_world();
  return world().window_events;
}
platform::Window foreground_window() {
  const auto lock = host::lock_world();
  return world().foreground;
}
void refuse_foreground(bool refuse) {
  const auto lock = host::lock_world();
  world().refuse_foreground = refuse;
}
void refuse_foreground_to(platform::Window window) {
  const auto lock = host::lock_world();
  world().refused_window = window;
}

}  // namespace host

namespace platform {

void enumerate_windows(WindowVisitor visit, void* context) {
  // Like EnumWindows, the walk goes over the windows as they stood when it
  // began, and other threads may change the desktop while it visits.
  std::vector<Window> snapshot;
  {
    const auto lock = host::lock_world();
    ++host::world().counters.enumerations;
    snapshot = host::world().z_order;
  }
  for (Window window : snapshot) {
    if (!visit(window, context)) return;
  }
}

int window_title(Window window, char* buffer, int capacity) {
  host::run_hook(host::Call::title_read);
  const auto lock = host::lock_world();
  ++host::world().counters.title_reads;
  if (capacity <= 0) return 0;
  const host::HostWindow* entry = host::find_window(window);
  const std::string_view title = entry ? std::string_view(entry->title) : std::string_view();
  const std::size_t room = static_cast<std::size_t>(capacity) - 1;
  return static_cast<int>(copy_text(buffer, static_cast<std::size_t>(capacity),
                                    host::world().code_page.cut(title, room)));
}

Window last_active_popup(Window window) {
  const auto lock = host::lock_world();
  const host::HostWindow* entry = host::find_window(window);
  if (entry == nullptr) return nullptr;
  return host::find_window(entry->last_popup) ? entry->last_popup : window;
}

bool set_foreground(Window window) {
  host::run_hook(host::Call::foreground);
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.foreground_requests;
  if (w.refuse_foreground || window == w.refused_window || host::find_window(window) == nullptr) {
    return false;
  }
  w.foreground = window;
  w.window_events.push_back({host::WindowEvent::foreground, window});
  host::raise(window);
  return true;
}

WindowOwner window_owner(Window window) {
  const auto lock = host::lock_world();
  const host::HostWindow* entry = host::find_window(window);
  return entry ? entry->program : WindowOwner{};
}

bool is_iconic(Window window) {
  const auto lock = host::lock_world();
  return host::window_iconic(window);
}

void restore_without_waiting(Window window) {
  const auto lock = host::lock_world();
  ++host::world().counters.restore_requests;
  host::HostWindow* entry = host::find_window(window);
  if (entry == nullptr) return;
  host::world().window_events.push_back({host::WindowEvent::restore_request, window});
  entry->restore_pending = true;
  if (entry->answering) host::perform_pending_restore(window, *entry);
}

unsigned register_message(const char* name) {
  if (name == nullptr || name[0] == '\0') return 0;
  return host::registered_message(name);
}

bool post_message(Window window, unsigned message) {
  const auto lock = host::lock_world();
  ++host::world().counters.posts;
  if (host::find_window(window) == nullptr) return false;
  host::World& w = host::world();
  w.posted.push_back({window, message});
  const auto reaction = w.close_reactions.find(window);
  if (reaction != w.close_reactions.end() && reaction->second.message == message) {
    w.closing.try_emplace(window, reaction->second.sleeps);
    host::close_due_windows();
  }
  if (const auto prompt = w.prompts.find(window);
      prompt != w.prompts.end() && message == kCloseMessage) {
    // Closing a prompt cancels it: the tool stays open.
    w.prompts.erase(prompt);
    host::close_window(window);
    return true;
  }
  const auto asks = w.prompt_reactions.find(window);
  if (asks != w.prompt_reactions.end() && asks->second.message == message) {
    bool open = false;
    for (const auto& [prompt, state] : w.prompts) open = open || state.tool == window;
    if (!open) {
      const Window prompt = host::add_popup(window, asks->second.title);
      w.prompts[prompt] = {window, asks->second.answer_sleeps};
    }
  }
  return true;
}

}  // namespace platform
}  // namespace dremoxa7
