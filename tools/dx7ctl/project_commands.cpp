// cpu-name, axes: what the library reads from a controller project.
#include <cstdio>

#include "session.h"
#include "system_text.h"

namespace dx7ctl {
namespace {

void add_cpu_name(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "cpu-name", "Shows the status-bar CPU text of CPU record INDEX (StaBarCpuName)");
  const auto index = add_short(*command, "INDEX", "CPU index (0..17)");
  command->callback([&session, index] {
    char text[DREMOXA7_CPU_TEXT_CAPACITY] = {};
    const short result = session.exports().StaBarCpuName(*index, text);
    Report report("StaBarCpuName", result);
    report.set("text", utf8_from_system(text));
    if (result == DREMOXA7_OK) report.line("\"" + std::string(text) + "\"");
    session.report = report;
  });
}

const char* source_name(unsigned char source) {
  switch (source) {
    case 0:
      return "-";
    case 1:
      return "slot";
    case 2:
      return "axis";
    case 3:
      return "converted";
    default:
      return "?";
  }
}

const char* mark_name(unsigned char mark) {
  switch (mark) {
    case 0:
      return "-";
    case 1:
      return "listed";
    case 2:
      return "flagged";
    default:
      return "?";
  }
}

std::string hex_byte(unsigned char value) {
  char text[5];
  std::snprintf(text, sizeof text, "0x%02x", value);
  return text;
}

void add_axes(CLI::App& app, Session& session) {
  auto* command = app.add_subcommand(
      "axes", "Shows which servo axes a project uses, one row per axis (UseAxis)");
  auto directory = std::make_shared<std::string>();
  auto qualifier = std::make_shared<int>(0);
  auto second = std::make_shared<bool>(false);
  auto beside = std::make_shared<bool>(false);
  command->add_option("DIR", *directory, "project directory, ending in a backslash")->required();
  const auto cpu_type = add_short(*command, "CPU-TYPE", "CPU type for the CPU library");
  command->add_option("QUALIFIER", *qualifier, "CPU qualifier for the CPU library")->required();
  command->add_flag("--second", *second, "the second controller series (QUseAxis)");
  command->add_flag("--beside", *beside,
                    "the system file directly in DIR, not in DIR\\Temp (UseAxisP)");
  command->callback([&session, directory, cpu_type, qualifier, second, beside] {
    const Exports& dll = session.exports();
    const auto query =
        *second ? (*beside ? dll.QUseAxisP : dll.QUseAxis) : (*beside ? dll.UseAxisP : dll.UseAxis);
    const char* name =
        *second ? (*beside ? "QUseAxisP" : "QUseAxis") : (*beside ? "UseAxisP" : "UseAxis");
    unsigned char table[DREMOXA7_AXIS_TABLE_SIZE] = {};
    const short result = query(directory->c_str(), *cpu_type, *qualifier, table);
    Report report(name, result);
    nlohmann::ordered_json axes = nlohmann::ordered_json::array();
    if (result == DREMOXA7_OK) {
      report.line("axis  in use  assigned by  type  detail  listed     extra");
      for (int axis = 1; axis <= DREMOXA7_AXIS_TABLE_SIZE / 8; ++axis) {
        const unsigned char* entry = table + (axis - 1) * 8;
        axes.push_back({{"axis", axis},
                        {"in_use", entry[0] != 0},
                        {"assigned_by", source_name(entry[1])},
                        {"type_code", entry[2]},
                        {"detail_code", entry[3]},
                        {"listed", mark_name(entry[4])},
                        {"extra_code", entry[5]}});
        char row[96];
        std::snprintf(row, sizeof row, "%4d  %-6s  %-11s  %-4s  %-6s  %-9s  %s", axis,
                      entry[0] != 0 ? "yes" : "no", source_name(entry[1]),
                      hex_byte(entry[2]).c_str(), hex_byte(entry[3]).c_str(), mark_name(entry[4]),
                      hex_byte(entry[5]).c_str());
        report.line(row);
      }
    }
    report.set("axes", axes);
    session.report = report;
  });
}

}  // namespace

void add_project_commands(CLI::App& app, Session& session) {
  add_cpu_name(app, session);
  add_axes(app, session);
}

}  // namespace dx7ctl
