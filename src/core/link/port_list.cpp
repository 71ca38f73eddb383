#include "core/link/port_list.h"

#include <algorithm>
#include <map>
#include <set>
#include <system_error>

#include "core/common/format.h"
#include "core/link/link_settings.h"

namespace zvc {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDevPrefix = "/dev/";
constexpr std::string_view kByIdFolder = "serial/by-id";

// Where a device path of the running system lies in the tree below devRoot.
fs::path inTree(const std::string& device, const fs::path& devRoot) {
  if (!device.starts_with(kDevPrefix)) return device;
  return devRoot / device.substr(kDevPrefix.size());
}

// The device path as the running system names it, from its place in the tree.
std::string outOfTree(const fs::path& place, const fs::path& devRoot) {
  std::error_code error;
  const fs::path root = fs::weakly_canonical(devRoot, error);
  const fs::path relative = place.lexically_relative(root);
  if (relative.empty() || *relative.begin() == "..") return place.string();
  return std::string(kDevPrefix) + relative.string();
}

fs::path resolved(const fs::path& place) {
  std::error_code error;
  const fs::path real = fs::weakly_canonical(place, error);
  return error ? place : real;
}

// Resolved device -> its by-id name.
std::map<fs::path, std::string> stableNames(const fs::path& devRoot) {
  std::map<fs::path, std::string> names;
  std::error_code error;
  for (const fs::directory_entry& link : fs::directory_iterator(devRoot / kByIdFolder, error)) {
    names.emplace(resolved(link.path()), link.path().filename().string());
  }
  return names;
}

}  // namespace

std::vector<SerialPortEntry> serialPortList(const PortOverrides& overrides,
                                            const std::vector<int>& alsoShown,
                                            const fs::path& devRoot) {
  std::set<int> wanted(alsoShown.begin(), alsoShown.end());
  for (const auto& [port, path] : overrides) wanted.insert(port);
  const std::map<fs::path, std::string> names = stableNames(devRoot);
  std::vector<SerialPortEntry> list;
  for (int port = kComPortRange.min; port <= kComPortRange.max; ++port) {
    const std::string device = comPortPath(port, overrides);
    if (device.empty()) continue;
    const fs::path place = inTree(device, devRoot);
    const bool present = deviceExists(place.string());
    if (!present && !wanted.contains(port)) continue;
    SerialPortEntry entry{.port = port, .device = device, .stableName = {}, .present = present};
    const fs::path real = resolved(place);
    if (const auto name = names.find(real); name != names.end()) {
      entry.stableName = name->second;
      entry.device = outOfTree(real, devRoot);  // a by-id path of "PORTS": the device behind it
    }
    list.push_back(std::move(entry));
  }
  return list;
}

std::string serialPortText(const SerialPortEntry& entry) {
  std::string text = format("COM%d  %s", entry.port, entry.device.c_str());
  if (!entry.stableName.empty()) text += "  " + entry.stableName;
  if (!entry.present) text += "  (нет устройства)";
  return text;
}

}  // namespace zvc
