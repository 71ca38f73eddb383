#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "core/archives/archive_records.h"
#include "core/common/calendar.h"
#include "core/common/ini_file.h"

namespace zvc::cli {

// Where the collection of one archive ended: the time of the last record saved and how many of
// the saved records carry that very time (a controller logs several events within one second,
// and more of them may follow after a reading).
struct CollectedUpTo {
  DateTime6 last;
  int recordsAtLast = 0;
  bool operator==(const CollectedUpTo&) const = default;
};

// The records of a reading that no earlier collection saved, and where the collection then ends.
// A reading that starts at the last saved time brings that time's saved records first; they and
// anything older are dropped. The end moves with sound records only: a garbled time must not
// make the next reading skip records.
struct NewRecords {
  ArchiveRecords records{1};
  std::optional<CollectedUpTo> upTo;
};
NewRecords newRecords(const ArchiveRecords& read, const std::optional<CollectedUpTo>& upTo);

// "YYYY-MM-DD HH:MM:SS N", as the state file keeps it; nullopt for anything else.
std::string upToText(const CollectedUpTo& upTo);
std::optional<CollectedUpTo> parseUpTo(std::string_view text);

// The state file of a collection folder: per subscriber folder and archive (its key, "meas-1"),
// where the last collection ended. A file is saved in two steps: the new end is noted beside the
// file's name before the file is written and made the end once it is; a run cut in between
// finds the note and keeps the end that matches what is on disk. Every change is written at once
// (atomically). Safe to use from several threads.
class CollectionState {
 public:
  explicit CollectionState(std::filesystem::path folder);

  // An archive never collected gives nothing; a damaged entry gives false.
  bool upTo(const std::string& subscriber, const std::string& key,
            std::optional<CollectedUpTo>& upTo);
  // Before the file `relativeFile` (inside the subscriber's folder) is written.
  bool beginSave(const std::string& subscriber, const std::string& key, const CollectedUpTo& next,
                 const std::filesystem::path& relativeFile);
  // After the file is written (saved) or after it failed (not saved).
  bool endSave(const std::string& subscriber, const std::string& key, bool saved);

  std::filesystem::path file() const;

 private:
  bool settlePending(const std::string& subscriber, const std::string& key);

  std::filesystem::path folder_;
  std::mutex mutex_;
  IniFile ini_;
};

}  // namespace zvc::cli
