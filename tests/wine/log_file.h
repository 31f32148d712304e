// Reading what a fixture tool logged (--log), while it may still write.
#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace e2e {

// The lines of the log file at path so far, without their line ends; none
// while there is no file.
inline std::vector<std::string> log_file_lines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace e2e
