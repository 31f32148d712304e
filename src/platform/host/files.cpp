// The host model's files: real files below mapped drive folders, with the
// Windows sharing rules enforced between everyone who opens them.
#include <cctype>
#include <filesystem>

#include "base/text.h"
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {
namespace {

// An open with this access and sharing may join the existing opens of the
// same file only if each side allows what the other does.
bool may_share(const std::string& path, const Access& wanted) {
  for (const auto& [id, open] : world().open_files) {
    if (open.path != path) continue;
    const Access& held = open.access;
    if ((held.read && !wanted.share_read) || (held.write && !wanted.share_write)) return false;
    if ((wanted.read && !held.share_read) || (wanted.write && !held.share_write)) return false;
  }
  return true;
}

// The library's own open of an existing target (world locked): refused
// when the sharing rules or the file itself refuse it.
platform::FileId open_as(const std::string& target, const Access& access, const char* mode) {
  if (!may_share(target, access)) return platform::kNoFile;
  UniqueStream stream(std::fopen(target.c_str(), mode));
  if (!stream) return platform::kNoFile;
  World& w = world();
  const platform::FileId id = w.next_file++;
  w.open_files[id] = OpenFile{target, access, std::move(stream)};
  return id;
}

}  // namespace

void map_drive(char letter, const std::string& host_directory) {
  const auto lock = host::lock_world();
  world().drives[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] =
      host_directory;
}

void set_current_directory(const std::string& host_directory) {
  const auto lock = host::lock_world();
  world().current_directory = host_directory;
}

std::string host_path(const std::string& path) {
  const auto lock = host::lock_world();
  std::string rest = path;
  std::string base = world().current_directory;
  if (rest.size() >= 2 && rest[1] == ':') {
    const auto drive =
        world().drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0]))));
    // An unmapped drive leads nowhere.
    base = drive != world().drives.end() ? drive->second : "/nonexistent-drive";
    rest.erase(0, 2);
  }
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  if (!rest.empty() && rest.front() == '/') return base + rest;
  return base + "/" + rest;
}

int hold_file(const std::string& path, Access access) {
  const auto lock = host::lock_world();
  const std::string target = host_path(path);
  if (!may_share(target, access)) return -1;
  const std::intptr_t id = world().next_file++;
  world().open_files[id] = OpenFile{target, access, {}};
  return static_cast<int>(id);
}

void release_file(int token) {
  const auto lock = host::lock_world();
  world().open_files.erase(token);
}

int open_file_count() {
  const auto lock = host::lock_world();
  int count = 0;
  for (const auto& [id, open] : world().open_files)
    count += open.stream && open.access.read ? 1 : 0;
  return count;
}

}  // namespace host

namespace platform {

bool path_exists(const char* path) {
  const auto lock = host::lock_world();
  ++host::world().counters.existence_tests;
  std::error_code error;
  // As the attribute query the Windows backend makes: a name holding search
  // wildcards names no entry, where a file search would match others.
  const std::string_view name = view_of(path);
  if (name.empty() || name.find_first_of("*?") != std::string_view::npos) return false;
  return std::filesystem::exists(host::host_path(std::string(name)), error);
}

bool delete_file(const char* path) {
  const auto lock = host::lock_world();
  ++host::world().counters.file_deletes;
  const std::string target = host::host_path(std::string(view_of(path)));
  std::error_code error;
  if (!std::filesystem::is_regular_file(target, error)) return false;
  // Nobody here opens a file sharing its deletion: an open file stays.
  for (const auto& [id, open] : host::world().open_files) {
    if (open.path == target) return false;
  }
  return std::filesystem::remove(target, error);
}

FileId open_file(const char* path, Sharing sharing) {
  host::run_hook(host::Call::file_open);
  const auto lock = host::lock_world();
  ++host::world().counters.file_opens;
  const std::string target = host::host_path(std::string(view_of(path)));
  std::error_code error;
  if (!std::filesystem::is_regular_file(target, error)) return kNoFile;
  const bool share = sharing == Sharing::read_write;
  return host::open_as(target, {true, false, share, share}, "rb");
}

long seek_file(FileId file, long offset) {
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.file_seeks;
  const auto it = w.open_files.find(file);
  if (it == w.open_files.end() || offset < 0) return -1;
  if (std::fseek(it->second.stream.get(), offset, SEEK_SET) != 0) return -1;
  return std::ftell(it->second.stream.get());
}

long read_file(FileId file, void* buffer, std::size_t size) {
  host::run_hook(host::Call::file_read);
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.file_reads;
  const auto it = w.open_files.find(file);
  if (it == w.open_files.end()) return -1;
  const std::size_t got = std::fread(buffer, 1, size, it->second.stream.get());
  if (got < size && std::ferror(it->second.stream.get())) return -1;
  return static_cast<long>(got);
}

FileId open_shared_append(const char* path) {
  const auto lock = host::lock_world();
  ++host::world().counters.file_opens;
  const std::string target = host::host_path(std::string(view_of(path)));
  std::error_code error;
  if (std::filesystem::is_directory(target, error)) return kNoFile;
  return host::open_as(target, {false, true, true, true}, "ab");
}

bool append_to_file(FileId file, std::string_view bytes) {
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.appends;
  const auto it = w.open_files.find(file);
  if (it == w.open_files.end() || !it->second.access.write) return false;
  std::FILE* stream = it->second.stream.get();
  return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() &&
         std::fflush(stream) == 0;
}

void close_file(FileId file) {
  const auto lock = host::lock_world();
  host::World& w = host::world();
  ++w.counters.file_closes;
  w.open_files.erase(file);
}

}  // namespace platform
}  // namespace dremoxa7
