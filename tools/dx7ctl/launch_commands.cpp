// jump, pac-jump, help: activating or starting tools, and the help file.
#include <map>

#include "session.h"

namespace dx7ctl {
namespace {

// A text argument that may be left out: the export then gets null.
const char* text_or_null(const CLI::Option* option, const std::string& text) {
  return option->count() != 0 ? text.c_str() : nullptr;
}

void add_jump(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "jump",
      "Activates a tool by function number, or starts it with TEXT on the clipboard "
      "(ZorFuncJump)");
  auto text = std::make_shared<std::string>();
  auto variant = std::make_shared<std::string>("plain");
  const auto series = add_short(*command, "SERIES", "series code");
  const auto function = add_short(*command, "FUNCTION", "function number");
  const CLI::Option* text_option =
      command->add_option("TEXT", *text, "hand-off text for a started tool");
  command
      ->add_option("--variant", *variant,
                   "plain (ZorFuncJump), q (QZorFuncJump) or a (AZorFuncJump)")
      ->check(CLI::IsMember({"plain", "q", "a"}));
  command->callback([&session, series, function, text, variant, text_option] {
    const Exports& dll = session.exports();
    struct Jump {
      const char* name;
      decltype(dll.ZorFuncJump) call;
    };
    const std::map<std::string, Jump> jumps = {{"plain", {"ZorFuncJump", dll.ZorFuncJump}},
                                               {"q", {"QZorFuncJump", dll.QZorFuncJump}},
                                               {"a", {"AZorFuncJump", dll.AZorFuncJump}}};
    const Jump& jump = jumps.at(*variant);
    session.report =
        Report(jump.name, jump.call(*series, *function, text_or_null(text_option, *text)));
  });
}

void add_pac_jump(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "pac-jump",
      "Activates the window whose title begins with TITLE, or starts DIR\\EXE.exe "
      "(ZorPacJump)");
  auto directory = std::make_shared<std::string>();
  auto exe = std::make_shared<std::string>();
  auto title = std::make_shared<std::string>();
  command->add_option("DIR", *directory, "directory, ending in a backslash")->required();
  command->add_option("EXE", *exe, "executable base name, without .exe")->required();
  const CLI::Option* title_option =
      command->add_option("TITLE", *title, "start of the tool's window title");
  command->callback([&session, directory, exe, title, title_option] {
    session.report =
        Report("ZorPacJump", session.exports().ZorPacJump(directory->c_str(), exe->c_str(),
                                                          text_or_null(title_option, *title)));
  });
}

void add_ladder_jump(CLI::App& app, Session& session) {
  auto* command =
      app.add_subcommand("ladder-jump",
                         "Activates the ladder editor, or starts DIR\\EXE.exe with its switches "
                         "(ZorLadderpJump)");
  auto directory = std::make_shared<std::string>();
  auto exe = std::make_shared<std::string>();
  auto title = std::make_shared<std::string>();
  const auto series = add_short(*command, "SERIES", "series code (0..15)");
  command->add_option("DIR", *directory, "directory, ending in a backslash")->required();
  command->add_option("EXE", *exe, "executable base name, without .exe")->required();
  command->add_option("TITLE", *title, "first half of the editor's window title")->required();
  command->callback([&session, series, directory, exe, title] {
    session.report =
        Report("ZorLadderpJump", session.exports().ZorLadderpJump(*series, directory->c_str(),
                                                                  exe->c_str(), title->c_str()));
  });
}

void add_help(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "help",
      "Opens FILE for the active window: mode 0 the contents, mode 1 the topic of "
      "KEYWORD (OpenZorHelp)");
  auto file = std::make_shared<std::string>();
  auto keyword = std::make_shared<std::string>();
  const auto mode = add_short(*command, "MODE", "0 contents, 1 keyword");
  command->add_option("FILE", *file, "help file")->required();
  const CLI::Option* keyword_option = command->add_option("KEYWORD", *keyword, "topic keyword");
  command->callback([&session, mode, file, keyword, keyword_option] {
    session.report =
        Report("OpenZorHelp", session.exports().OpenZorHelp(
                                  *mode, file->c_str(), text_or_null(keyword_option, *keyword)));
  });
}

}  // namespace

void add_launch_commands(CLI::App& app, Session& session) {
  add_jump(app, session);
  add_pac_jump(app, session);
  add_ladder_jump(app, session);
  add_help(app, session);
}

}  // namespace dx7ctl
