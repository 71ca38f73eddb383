#include "core/link/subscribers.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "core/common/format.h"
#include "core/common/ini_file.h"
#include "core/common/text_codec.h"

namespace zvc {
namespace {

constexpr const char* kPhoneHeader = "FON_CONN_PAR";
constexpr const char* kPhoneEntry = "FON_ABONENT_%d";
constexpr const char* kEthernetHeader = "ETHERNET_CONN_PAR";
constexpr const char* kEthernetEntry = "ETHERNET_ABONENT_%d";
constexpr const char* kObjectHeader = "OBJECT_LIST";
constexpr const char* kObjectEntry = "OBJECT_%d";
constexpr int kMaxTcpPort = 65535;

std::string entrySection(const char* pattern, int index) {
  return format(pattern, index + 1);
}

// Names and phone numbers sort as Windows compares them: upper-cased Windows-1251 bytes.
std::string textKey(std::string_view utf8) {
  return upperCp1251(utf8ToCp1251(utf8));
}

std::string sortKey(const PhoneSubscriber& entry, std::uint8_t order) {
  return textKey(order == kSortByNumber ? entry.phone : entry.name);
}

std::string sortKey(const EthernetSubscriber& entry, std::uint8_t order) {
  if (order != kSortByNumber) return textKey(entry.name);
  // Big-endian bytes compare as the unsigned number does.
  const std::uint32_t ip = entry.ip;
  return {static_cast<char>(ip >> 24), static_cast<char>(ip >> 16), static_cast<char>(ip >> 8),
          static_cast<char>(ip)};
}

const std::string& nameOf(const PhoneSubscriber& entry) {
  return entry.name;
}
const std::string& nameOf(const EthernetSubscriber& entry) {
  return entry.name;
}
const std::string& nameOf(const std::string& objectName) {
  return objectName;
}

template <typename Entry, typename KeyOf>
void sortKeepingSelection(std::span<Entry> used, std::uint8_t& selected, KeyOf keyOf) {
  if (used.size() < 2) return;
  std::optional<std::string> remembered;
  if (selected < used.size()) remembered = nameOf(used[selected]);
  std::vector<std::pair<std::string, Entry>> keyed;
  keyed.reserve(used.size());
  for (Entry& entry : used) keyed.emplace_back(keyOf(entry), std::move(entry));
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < used.size(); ++i) {
    used[i] = std::move(keyed[i].second);
    if (remembered && nameOf(used[i]) == *remembered) selected = static_cast<std::uint8_t>(i);
  }
}

template <typename Entry>
std::span<Entry> usedEntries(SubscriberList<Entry>& list) {
  return std::span<Entry>(list.entries.data(), list.count);
}

template <typename T>
T clampedInteger(const IniFile& file, std::string_view section, std::string_view key,
                 long long fallback, long long min, long long max) {
  return static_cast<T>(std::clamp(file.getInteger(section, key, fallback), min, max));
}

// Hand-edited headers: counts to the slots, the selection to a used slot, unknown orders by name.
template <typename Entry>
void readListHeader(const IniFile& file, const char* section, SubscriberList<Entry>& list) {
  list.count = clampedInteger<std::uint8_t>(file, section, "users_num", 0, 0, kMaxSubscribers);
  list.selected =
      clampedInteger<std::uint8_t>(file, section, "user_index", 0, 0, std::max(list.count - 1, 0));
  list.sortOrder = file.getInteger(section, "sort_prz", kSortByName) == kSortByNumber
                       ? kSortByNumber
                       : kSortByName;
}

template <typename Entry>
void writeListHeader(IniFile& file, const char* section, const SubscriberList<Entry>& list) {
  file.setInteger(section, "users_num", list.count);
  file.setInteger(section, "user_index", list.selected);
  file.setInteger(section, "sort_prz", list.sortOrder);
}

std::uint8_t readControllerAddress(const IniFile& file, std::string_view section) {
  return clampedInteger<std::uint8_t>(file, section, "contr_adr", 1, 1, 255);
}

// Sections numbered above the used entries would only confuse a reader of the file.
void removeUnusedSections(IniFile& file, const char* pattern, int count, int slots) {
  for (int i = count; i < slots; ++i) file.removeSection(entrySection(pattern, i));
}

template <typename Slots>
void removeSlot(Slots& slots, std::uint8_t& count, std::uint8_t& selected) {
  if (selected >= count) return;
  std::move(slots.begin() + selected + 1, slots.begin() + count, slots.begin() + selected);
  slots[count - 1] = {};
  if (selected > 0) --selected;
  --count;
}

template <typename Entry>
void addEntry(SubscriberList<Entry>& list, const Entry& entry) {
  if (!canAddSubscriber(list)) return;
  list.entries[list.count] = entry;
  list.selected = list.count;
  ++list.count;
  SortSubscribers(list);
}

}  // namespace

std::string cutToField(std::string_view utf8, std::size_t maxChars) {
  // A fixed field ends at its first zero byte.
  const std::string bytes = utf8ToCp1251(utf8);
  return cp1251ToUtf8(std::string_view(bytes).substr(0, std::min(maxChars, bytes.find('\0'))));
}

void SortSubscribers(PhoneSubscriberList& list) {
  const std::uint8_t order = list.sortOrder;
  sortKeepingSelection(usedEntries(list), list.selected,
                       [order](const PhoneSubscriber& e) { return sortKey(e, order); });
}

void SortSubscribers(EthernetSubscriberList& list) {
  const std::uint8_t order = list.sortOrder;
  sortKeepingSelection(usedEntries(list), list.selected,
                       [order](const EthernetSubscriber& e) { return sortKey(e, order); });
}

void SortObjects(ObjectList& list) {
  sortKeepingSelection(std::span<std::string>(list.names.data(), list.count), list.selected,
                       [](const std::string& name) { return textKey(name); });
}

PhoneSubscriberList readPhoneSubscribers(const std::filesystem::path& path) {
  const IniFile file = IniFile::load(path);
  PhoneSubscriberList list;
  readListHeader(file, kPhoneHeader, list);
  for (int i = 0; i < kMaxSubscribers; ++i) {
    const std::string section = entrySection(kPhoneEntry, i);
    PhoneSubscriber& entry = list.entries[i];
    entry.name = cutToField(file.getString(section, "user_name", ""), kSubscriberNameChars);
    entry.address = readControllerAddress(file, section);
    entry.modbusAddress = clampedInteger<std::uint8_t>(file, section, "adr_modbus", 1, 0, 255);
    entry.phone = cutToField(file.getString(section, "phone_code", ""), kPhoneNumberChars);
  }
  SortSubscribers(list);
  return list;
}

bool writePhoneSubscribers(const std::filesystem::path& path, const PhoneSubscriberList& list) {
  IniFile file = IniFile::load(path);
  writeListHeader(file, kPhoneHeader, list);
  for (int i = 0; i < kMaxSubscribers; ++i) {
    const PhoneSubscriber& entry = list.entries[i];
    file.replaceSection(entrySection(kPhoneEntry, i),
                        {{"user_name", entry.name},
                         {"contr_adr", std::to_string(entry.address)},
                         {"adr_modbus", std::to_string(entry.modbusAddress)},
                         {"phone_code", entry.phone}});
  }
  return file.save(path);
}

EthernetSubscriberList readEthernetSubscribers(const std::filesystem::path& path) {
  const IniFile file = IniFile::load(path);
  EthernetSubscriberList list;
  readListHeader(file, kEthernetHeader, list);
  for (int i = 0; i < list.count; ++i) {
    const std::string section = entrySection(kEthernetEntry, i);
    EthernetSubscriber& entry = list.entries[i];
    entry.name = cutToField(file.getString(section, "user_name", ""), kSubscriberNameChars);
    entry.address = readControllerAddress(file, section);
    // Written signed; a hand-written unsigned form of the same number is read as well.
    entry.ip = static_cast<std::uint32_t>(
        file.getInteger(section, "ip_adr", 0, INT32_MIN, static_cast<long long>(UINT32_MAX)));
    entry.port = clampedInteger<std::int32_t>(file, section, "port", 0, 0, kMaxTcpPort);
  }
  SortSubscribers(list);
  return list;
}

bool writeEthernetSubscribers(const std::filesystem::path& path,
                              const EthernetSubscriberList& list) {
  IniFile file = IniFile::load(path);
  writeListHeader(file, kEthernetHeader, list);
  for (int i = 0; i < list.count; ++i) {
    const EthernetSubscriber& entry = list.entries[i];
    file.replaceSection(entrySection(kEthernetEntry, i),
                        {{"user_name", entry.name},
                         {"contr_adr", std::to_string(entry.address)},
                         {"ip_adr", std::to_string(static_cast<std::int32_t>(entry.ip))},
                         {"port", std::to_string(entry.port)}});
  }
  removeUnusedSections(file, kEthernetEntry, list.count, kMaxSubscribers);
  return file.save(path);
}

ObjectList readObjects(const std::filesystem::path& path) {
  const IniFile file = IniFile::load(path);
  ObjectList list;
  list.count = clampedInteger<std::uint8_t>(file, kObjectHeader, "obj_num", 0, 0, kMaxObjects);
  list.selected = clampedInteger<std::uint8_t>(file, kObjectHeader, "obj_index", 0, 0,
                                               std::max(list.count - 1, 0));
  for (int i = 0; i < list.count; ++i) {
    list.names[i] =
        cutToField(file.getString(entrySection(kObjectEntry, i), "obj_name", ""), kObjectNameChars);
  }
  return list;
}

bool writeObjects(const std::filesystem::path& path, const ObjectList& list) {
  IniFile file = IniFile::load(path);
  file.setInteger(kObjectHeader, "obj_num", list.count);
  file.setInteger(kObjectHeader, "obj_index", list.selected);
  for (int i = 0; i < list.count; ++i) {
    file.replaceSection(entrySection(kObjectEntry, i), {{"obj_name", list.names[i]}});
  }
  removeUnusedSections(file, kObjectEntry, list.count, kMaxObjects);
  return file.save(path);
}

void addSubscriber(PhoneSubscriberList& list, const PhoneSubscriber& entry) {
  addEntry(list, entry);
}

void addSubscriber(EthernetSubscriberList& list, const EthernetSubscriber& entry) {
  addEntry(list, entry);
}

void removeSelectedSubscriber(PhoneSubscriberList& list) {
  removeSlot(list.entries, list.count, list.selected);
}

void removeSelectedSubscriber(EthernetSubscriberList& list) {
  removeSlot(list.entries, list.count, list.selected);
}

void addObject(ObjectList& list, std::string_view name) {
  if (!canAddObject(list)) return;
  list.names[list.count] = cutToField(name, kObjectNameChars);
  list.selected = list.count;
  ++list.count;
  SortObjects(list);
}

void removeSelectedObject(ObjectList& list) {
  removeSlot(list.names, list.count, list.selected);
}

std::array<int, 4> ipParts(std::uint32_t ip) {
  return {static_cast<int>(ip >> 24), static_cast<int>((ip >> 16) & 0xFF),
          static_cast<int>((ip >> 8) & 0xFF), static_cast<int>(ip & 0xFF)};
}

std::string ipPortText(const EthernetSubscriber& entry) {
  const std::array<int, 4> parts = ipParts(entry.ip);
  return format("%d.%d.%d.%d:%d", parts[0], parts[1], parts[2], parts[3], entry.port);
}

bool isBlankField(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::optional<InputError> checkAddress(std::string_view text, std::uint8_t& address) {
  if (isBlankField(text)) return missingInput();
  const std::optional<long long> value = parseInteger(text);
  if (!value || *value < 1 || *value > 255) {
    return InputError{"Адрес вне допустимого диапазона", "(1...255)"};
  }
  address = static_cast<std::uint8_t>(*value);
  return std::nullopt;
}

std::optional<InputError> acceptPhoneSubscriber(const PhoneSubscriberInput& input,
                                                PhoneSubscriber& entry) {
  if (isBlankField(input.name) || isBlankField(input.address)) return missingInput();
  std::uint8_t address = 0;
  if (std::optional<InputError> error = checkAddress(input.address, address)) return error;
  if (isBlankField(input.phone)) return missingInput();
  entry.name = cutToField(input.name, kSubscriberNameChars);
  entry.address = address;
  entry.phone = cutToField(input.phone, kPhoneNumberChars);
  return std::nullopt;
}

std::optional<InputError> acceptEthernetSubscriber(const EthernetSubscriberInput& input,
                                                   EthernetSubscriber& entry) {
  if (isBlankField(input.name) || isBlankField(input.address)) return missingInput();
  std::uint8_t address = 0;
  if (std::optional<InputError> error = checkAddress(input.address, address)) return error;
  if (isBlankField(input.port)) return missingInput();
  std::uint32_t ip = 0;
  for (const std::string& part : input.ipParts) {
    if (isBlankField(part)) return missingInput();
    const std::optional<long long> value = parseInteger(part);
    if (!value || *value < 0 || *value > 255) {
      return ipPartOutOfRange();
    }
    ip = (ip << 8) | static_cast<std::uint32_t>(*value);
  }
  // A TCP port has 16 bits; a larger number would silently reach another port.
  const std::optional<long long> port = parseInteger(input.port);
  if (!port || *port < 0 || *port > kMaxTcpPort) {
    return tcpPortOutOfRange();
  }
  entry.address = address;
  entry.ip = ip;
  entry.port = static_cast<std::int32_t>(*port);
  entry.name = cutToField(input.name, kSubscriberNameChars);
  return std::nullopt;
}

std::optional<InputError> acceptObjectName(std::string_view name, std::string& stored) {
  if (isBlankField(name)) return InputError{"Не введено наименование", ""};
  stored = cutToField(name, kObjectNameChars);
  return std::nullopt;
}

}  // namespace zvc
