#include "session.h"

namespace dx7ctl {

const Dll& Session::dll() {
  if (!dll_) {
    const std::string path = dll_path.empty() ? program_directory() + "dremoxa7.dll" : dll_path;
    dll_ = std::make_unique<Dll>(path);
  }
  if (!dll_->loaded()) throw DllFailure(dll_->error());
  return *dll_;
}

std::shared_ptr<short> add_short(CLI::App& command, const std::string& name,
                                 const std::string& description) {
  auto value = std::make_shared<short>(0);
  command.add_option(name, *value, description)
      ->required()
      ->check(CLI::Range(-32768, 32767).description("a 16-bit number"));
  return value;
}

}  // namespace dx7ctl
