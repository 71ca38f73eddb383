#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/ui/input_error.h"

namespace zvc {

inline constexpr int kMaxSubscribers = 200;
inline constexpr int kMaxObjects = 50;
// Text limits in Windows-1251 characters: the fixed fields keep a terminating zero.
inline constexpr std::size_t kSubscriberNameChars = 49;
inline constexpr std::size_t kPhoneNumberChars = 29;
inline constexpr std::size_t kObjectNameChars = 50;
inline constexpr std::size_t kIpPartDigits = 3;

struct PhoneSubscriber {
  std::string name;
  std::uint8_t address = 0;        // controller address 1..255
  std::uint8_t modbusAddress = 0;  // kept and written back, not used
  std::string phone;
  bool operator==(const PhoneSubscriber&) const = default;
};

struct EthernetSubscriber {
  std::string name;
  std::uint8_t address = 0;  // controller address 1..255
  std::uint32_t ip = 0;      // the first part of the dotted form is the top byte
  std::int32_t port = 0;
  bool operator==(const EthernetSubscriber&) const = default;
};

enum SubscriberSortOrder : std::uint8_t { kSortByName = 0, kSortByNumber = 1 };

// A telephone or Ethernet address book: entries 0..count-1 are used; a freed slot is cleared.
template <typename Entry>
struct SubscriberList {
  std::uint8_t count = 0;
  std::uint8_t selected = 0;
  std::uint8_t sortOrder = kSortByName;  // by name, or by phone number / IP address
  std::array<Entry, kMaxSubscribers> entries{};
  bool operator==(const SubscriberList&) const = default;
};
using PhoneSubscriberList = SubscriberList<PhoneSubscriber>;
using EthernetSubscriberList = SubscriberList<EthernetSubscriber>;

struct ObjectList {
  std::uint8_t count = 0;
  std::uint8_t selected = 0;
  std::array<std::string, kMaxObjects> names{};
  bool operator==(const ObjectList&) const = default;
};

// The text cut to at most maxChars characters of its Windows-1251 form.
std::string cutToField(std::string_view utf8, std::size_t maxChars);

// Stable sort of the used entries by the list's order; names and phone numbers compare
// upper-cased in Windows-1251, IP addresses as unsigned numbers. The selection follows the
// (last) entry whose name equals that of the selected one.
void SortSubscribers(PhoneSubscriberList& list);
void SortSubscribers(EthernetSubscriberList& list);
// By name, as the subscribers; the selection follows its object.
void SortObjects(ObjectList& list);

// Address book files. Missing files give empty lists; hand-edited values are fitted into the
// fields (texts cut, numbers brought into range, counts to the slots). Each subscriber list is
// sorted once after reading. Writing keeps whatever else the file holds.
PhoneSubscriberList readPhoneSubscribers(const std::filesystem::path& file);
bool writePhoneSubscribers(const std::filesystem::path& file, const PhoneSubscriberList& list);
EthernetSubscriberList readEthernetSubscribers(const std::filesystem::path& file);
bool writeEthernetSubscribers(const std::filesystem::path& file,
                              const EthernetSubscriberList& list);
ObjectList readObjects(const std::filesystem::path& file);
bool writeObjects(const std::filesystem::path& file, const ObjectList& list);

// List dialog operations.
template <typename Entry>
bool canAddSubscriber(const SubscriberList<Entry>& list) {
  return list.count < kMaxSubscribers;
}
// The new entry takes the first free slot and becomes the selection; the list is then sorted.
// Does nothing on a full list.
void addSubscriber(PhoneSubscriberList& list, const PhoneSubscriber& entry);
void addSubscriber(EthernetSubscriberList& list, const EthernetSubscriber& entry);
// Later entries move up, the freed last slot is cleared, the selection moves up unless it is 0.
void removeSelectedSubscriber(PhoneSubscriberList& list);
void removeSelectedSubscriber(EthernetSubscriberList& list);

inline bool canAddObject(const ObjectList& list) {
  return list.count < kMaxObjects;
}
inline bool canChangeObject(const ObjectList& list) {
  return list.count > 0;
}
inline bool canRemoveObject(const ObjectList& list) {
  return list.count > 1;
}
void addObject(ObjectList& list, std::string_view name);
void removeSelectedObject(ObjectList& list);

// Parts of the dotted form, first part first.
std::array<int, 4> ipParts(std::uint32_t ip);
// "%d.%d.%d.%d:%d", as the list shows it.
std::string ipPortText(const EthernetSubscriber& entry);

// What the subscriber and object dialogs hold when "Принять" is pressed.
struct PhoneSubscriberInput {
  std::string name;
  std::string address;
  std::string phone;
};
struct EthernetSubscriberInput {
  std::string name;
  std::string address;
  std::array<std::string, 4> ipParts;  // first part first
  std::string port;
};

// An edit field with nothing but blanks counts as empty.
bool isBlankField(std::string_view text);
// The message for an empty field or a list without a choice.
InputError missingInput();
// The controller address of a dialog: empty is missing input, anything but 1..255 is out of range.
std::optional<InputError> checkAddress(std::string_view text, std::uint8_t& address);

// The dialog checks in their order; on success the entry is updated, on failure left untouched.
std::optional<InputError> acceptPhoneSubscriber(const PhoneSubscriberInput& input,
                                                PhoneSubscriber& entry);
std::optional<InputError> acceptEthernetSubscriber(const EthernetSubscriberInput& input,
                                                   EthernetSubscriber& entry);
std::optional<InputError> acceptObjectName(std::string_view name, std::string& stored);

}  // namespace zvc
