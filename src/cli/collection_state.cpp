#include "cli/collection_state.h"

#include <charconv>

#include "core/common/format.h"

namespace zvc::cli {
namespace {

constexpr const char* kStateFile = "collect-state.ini";
constexpr const char* kPendingSuffix = ".saving";
constexpr char kFileSeparator = '\t';

DateTime6 timeOf(std::span<const std::uint8_t> record) {
  return DateTime6::fromBytes(record.data());
}

std::optional<int> numberIn(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

NewRecords newRecords(const ArchiveRecords& read, const std::optional<CollectedUpTo>& upTo) {
  std::vector<std::uint8_t> kept;
  std::optional<CollectedUpTo> end = upTo;
  int savedAtLast = upTo ? upTo->recordsAtLast : 0;
  for (std::size_t i = 0; i < read.count(); ++i) {
    const auto record = read[i];
    const DateTime6 time = timeOf(record);
    if (upTo && time < upTo->last) continue;
    if (upTo && time == upTo->last && savedAtLast > 0) {
      --savedAtLast;
      continue;
    }
    kept.insert(kept.end(), record.begin(), record.end());
    if (!recordIsSound(record)) continue;
    if (end && time == end->last) {
      ++end->recordsAtLast;
    } else if (!end || end->last < time) {
      end = CollectedUpTo{time, 1};
    }
  }
  return {ArchiveRecords(read.recordSize(), std::move(kept)), end};
}

std::string upToText(const CollectedUpTo& upTo) {
  const DateTime6& t = upTo.last;
  return format("%04d-%02d-%02d %02d:%02d:%02d %d", t.fullYear(), t.month, t.day, t.hour, t.minute,
                t.second, upTo.recordsAtLast);
}

std::optional<CollectedUpTo> parseUpTo(std::string_view text) {
  // "YYYY-MM-DD HH:MM:SS N"
  constexpr std::size_t kCountAt = 20;
  if (text.size() <= kCountAt || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
      text[13] != ':' || text[16] != ':' || text[19] != ' ') {
    return std::nullopt;
  }
  const std::optional<int> parts[] = {numberIn(text.substr(0, 4)),    numberIn(text.substr(5, 2)),
                                      numberIn(text.substr(8, 2)),    numberIn(text.substr(11, 2)),
                                      numberIn(text.substr(14, 2)),   numberIn(text.substr(17, 2)),
                                      numberIn(text.substr(kCountAt))};
  for (const auto& part : parts) {
    if (!part || *part < 0) return std::nullopt;
  }
  if (*parts[0] < 2000 || *parts[0] > 2255) return std::nullopt;
  CollectedUpTo upTo{
      {static_cast<std::uint8_t>(*parts[0] - 2000), static_cast<std::uint8_t>(*parts[1]),
       static_cast<std::uint8_t>(*parts[2]), static_cast<std::uint8_t>(*parts[3]),
       static_cast<std::uint8_t>(*parts[4]), static_cast<std::uint8_t>(*parts[5])},
      *parts[6]};
  if (!isValidDateTime(upTo.last)) return std::nullopt;
  return upTo;
}

CollectionState::CollectionState(std::filesystem::path folder)
    : folder_(std::move(folder)), ini_(IniFile::load(folder_ / kStateFile)) {}

std::filesystem::path CollectionState::file() const {
  return folder_ / kStateFile;
}

// A note left by a run cut while saving: the file on disk decides whether its end holds.
bool CollectionState::settlePending(const std::string& subscriber, const std::string& key) {
  const std::string pendingKey = key + kPendingSuffix;
  const std::string pending = ini_.getString(subscriber, pendingKey, "");
  if (pending.empty()) return true;
  const std::size_t separator = pending.find(kFileSeparator);
  if (separator == std::string::npos) return false;
  std::error_code error;
  const std::filesystem::path saved = folder_ / subscriber / pending.substr(separator + 1);
  if (std::filesystem::exists(saved, error)) {
    ini_.setString(subscriber, key, pending.substr(0, separator));
  }
  ini_.setString(subscriber, pendingKey, "");
  return ini_.save(file());
}

bool CollectionState::upTo(const std::string& subscriber, const std::string& key,
                           std::optional<CollectedUpTo>& upTo) {
  const std::lock_guard lock(mutex_);
  upTo.reset();
  if (!settlePending(subscriber, key)) return false;
  const std::string text = ini_.getString(subscriber, key, "");
  if (text.empty()) return true;
  upTo = parseUpTo(text);
  return upTo.has_value();
}

bool CollectionState::beginSave(const std::string& subscriber, const std::string& key,
                                const CollectedUpTo& next,
                                const std::filesystem::path& relativeFile) {
  const std::lock_guard lock(mutex_);
  ini_.setString(subscriber, key + kPendingSuffix,
                 upToText(next) + kFileSeparator + relativeFile.generic_string());
  return ini_.save(file());
}

bool CollectionState::endSave(const std::string& subscriber, const std::string& key, bool saved) {
  const std::lock_guard lock(mutex_);
  const std::string pendingKey = key + kPendingSuffix;
  const std::string pending = ini_.getString(subscriber, pendingKey, "");
  const std::size_t separator = pending.find(kFileSeparator);
  if (saved && separator != std::string::npos) {
    ini_.setString(subscriber, key, pending.substr(0, separator));
  }
  ini_.setString(subscriber, pendingKey, "");
  return ini_.save(file());
}

}  // namespace zvc::cli
