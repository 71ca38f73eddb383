// A written workbook read back with openpyxl (python3-openpyxl of the distribution).
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace zvc::test {

// Runs a Python snippet over the workbook `wb` (sheet `ws`) and returns what it prints.
inline std::string inspect(const std::filesystem::path& file, const std::string& code) {
  const std::string command =
      "PYTHONIOENCODING=utf-8 /usr/bin/python3 -c \"import openpyxl; wb = "
      "openpyxl.load_workbook('" +
      file.string() + "'); ws = wb.active\n" + code + "\"";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  std::array<char, 256> buffer{};
  while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) out += buffer.data();
  return out;
}

}  // namespace zvc::test
