#include "cli/collect_command.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/collection_state.h"
#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "cli/interruption.h"
#include "cli/link_options.h"
#include "cli/scratch_folder.h"
#include "core/app/connection_step.h"
#include "core/archives/calibration_archives.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/archives/chrom_files.h"
#include "core/archives/message_archive_reader.h"
#include "core/archives/message_view.h"
#include "core/archives/moisture_files.h"
#include "core/archives/short_date_dialog.h"
#include "core/common/format.h"

namespace zvc::cli {
namespace {

constexpr const char* kLockFile = ".collect.lock";
constexpr int kDefaultDepthDays = 7;
// Table 6 field 8: a moisture meter is connected.
constexpr int kCommunicationTable = 6;
constexpr int kMoistureMeterField = 8;

constexpr const char* kOk = "ok";

enum class Source {
  kDiagnostic,
  kIntervention,
  kChromMeasurement,
  kChromHourly,
  kChromDaily,
  kMoistureMeasurement,
  kMoistureHourly,
  kMoistureDaily,
  kCalibration,
  kVerification,
};

struct KindSource {
  std::string_view kind;
  Source source;
  bool perRun;
};

constexpr KindSource kKindSources[] = {
    {"diag", Source::kDiagnostic, false},
    {"interv", Source::kIntervention, false},
    {"meas", Source::kChromMeasurement, true},
    {"hour", Source::kChromHourly, true},
    {"day", Source::kChromDaily, true},
    {"moist-meas", Source::kMoistureMeasurement, false},
    {"moist-hour", Source::kMoistureHourly, false},
    {"moist-day", Source::kMoistureDaily, false},
    {"calib", Source::kCalibration, false},
    {"verif", Source::kVerification, false},
};

// One archive of a subscriber: a kind, for the chromatograph's kinds of one run.
struct ArchiveJob {
  std::string kind;  // its folder
  std::string key;   // its summary and state name: "meas-1", "diag"
  Source source;
  int run = 0;
};

std::vector<ArchiveJob> archiveJobs(const std::vector<std::string>& kinds) {
  std::vector<ArchiveJob> jobs;
  for (const KindSource& entry : kKindSources) {
    const bool wanted =
        kinds.empty() || std::find(kinds.begin(), kinds.end(), entry.kind) != kinds.end();
    if (!wanted) continue;
    const std::string kind(entry.kind);
    if (!entry.perRun) {
      jobs.push_back({kind, kind, entry.source, 0});
      continue;
    }
    for (int run = 0; run < 2; ++run) {
      jobs.push_back({kind, kind + "-" + std::to_string(run + 1), entry.source, run});
    }
  }
  return jobs;
}

bool isHourly(Source source) {
  return source == Source::kChromHourly || source == Source::kMoistureHourly;
}
bool isDaily(Source source) {
  return source == Source::kChromDaily || source == Source::kMoistureDaily;
}
bool isMoisture(Source source) {
  return source == Source::kMoistureMeasurement || source == Source::kMoistureHourly ||
         source == Source::kMoistureDaily;
}

MessageFileKind messageKindOf(Source source) {
  return source == Source::kDiagnostic ? MessageFileKind::kDiagnostic
                                       : MessageFileKind::kIntervention;
}

struct SummaryRow {
  std::string subscriber;
  std::string kind;
  std::size_t records = 0;
  std::string result;
};

// A subscriber with its folder's name: the name made safe as one folder.
struct Station {
  Subscriber subscriber;
  std::string folder;
};

std::string folderNameOf(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string folder;
  for (const char c : name) {
    const bool unsafe =
        c == '/' || c == '\\' || c == '[' || c == ']' || static_cast<unsigned char>(c) < 0x20;
    folder.push_back(unsafe ? '_' : c);
  }
  if (folder.empty() || folder == "." || folder == "..") folder = "_" + folder;
  return folder;
}

// The name itself, or with "_2", "_3" … before the extension: an earlier collection of the same
// day keeps its file.
std::filesystem::path unusedName(const std::filesystem::path& wanted) {
  std::error_code error;
  if (!std::filesystem::exists(wanted, error)) return wanted;
  for (int n = 2;; ++n) {
    const std::filesystem::path candidate =
        wanted.parent_path() /
        (wanted.stem().string() + "_" + std::to_string(n) + wanted.extension().string());
    if (!std::filesystem::exists(candidate, error)) return candidate;
  }
}

DateTime6 hourStart(DateTime6 value) {
  value.minute = 0;
  value.second = 0;
  return value;
}

DateTime6 dayStart(DateTime6 value) {
  value.hour = 0;
  return hourStart(value);
}

struct Period {
  DateTime6 start;
  DateTime6 end;
};

// What one subscriber's collection works with.
class SubscriberCollection {
 public:
  SubscriberCollection(CommandContext& context, const Station& station, CollectionState& state,
                       const DateTime6& since)
      : context_(context), station_(station), state_(state), since_(since) {}

  std::vector<SummaryRow> run(const std::vector<ArchiveJob>& jobs);

 private:
  SummaryRow collect(const ArchiveJob& job);
  std::optional<Period> periodOf(const ArchiveJob& job, const std::optional<CollectedUpTo>& upTo,
                                 std::string& result);
  std::optional<ChromReading> read(const ArchiveJob& job, const Period& period);
  std::string save(const ArchiveJob& job, const ChromReading& reading, const NewRecords& fresh);
  std::filesystem::path proposedName(const ArchiveJob& job, const ArchiveFileHeader& header);
  SummaryRow row(const std::string& kind, std::size_t records, std::string result) const {
    return {nameOf(station_.subscriber), kind, records, std::move(result)};
  }

  CommandContext& context_;
  const Station& station_;
  CollectionState& state_;
  DateTime6 since_;
  ControllerSession* session_ = nullptr;
  std::filesystem::path scratch_;
  DateTime6 controllerNow_;
};

std::vector<SummaryRow> SubscriberCollection::run(const std::vector<ArchiveJob>& jobs) {
  std::vector<SummaryRow> rows;
  if (interrupted()) return {row("-", 0, "interrupted")};
  const ScratchFolder scratch;
  if (scratch.path().empty()) return {row("-", 0, "no temporary folder for the work files")};
  scratch_ = scratch.path();
  ControllerSession session(context_.folder, context_.frontend, context_.errors);
  session_ = &session;
  const int status = session.openForTables(context_.options.link, station_.subscriber);
  if (status == kExitNotServed) return {row("-", 0, "controller not served")};
  if (status != kExitSuccess || !readWorkingTables(session.tables())) {
    return {row("-", 0, "no link")};
  }
  ChromArchiveReader clockReader(session.connection(), session.tables(), scratch_);
  if (!clockReader.readClock()) return {row("-", 0, "no link")};
  controllerNow_ = clockReader.controllerClock();
  bool linkLost = false;
  for (const ArchiveJob& job : jobs) {
    if (linkLost || interrupted()) {
      rows.push_back(row(job.key, 0, interrupted() ? "interrupted" : "not read: link lost"));
      continue;
    }
    context_.frontend.clearFailure();
    rows.push_back(collect(job));
    linkLost = context_.frontend.exchangeFailed();
  }
  return rows;
}

SummaryRow SubscriberCollection::collect(const ArchiveJob& job) {
  const bool moistureMeter =
      session_->image().field(kCommunicationTable, kMoistureMeterField)[0] != 0;
  if (isMoisture(job.source) && !moistureMeter) return row(job.key, 0, "no moisture meter");
  std::optional<CollectedUpTo> upTo;
  if (!state_.upTo(station_.folder, job.key, upTo)) {
    return row(job.key, 0, "damaged entry in " + state_.file().filename().string());
  }
  std::string result = kOk;
  const std::optional<Period> period = periodOf(job, upTo, result);
  if (!period) return row(job.key, 0, result);
  const std::optional<ChromReading> reading = read(job, *period);
  if (reading && reading->cutShort) result = "cut short: nothing new from the controller";
  if (context_.frontend.exchangeFailed()) result = "cut short: link failed";
  if (interrupted()) result = "interrupted";
  if (!reading) return row(job.key, 0, result);
  const NewRecords fresh = newRecords(reading->records, upTo);
  if (fresh.records.empty()) return row(job.key, 0, result);
  const std::string saved = save(job, *reading, fresh);
  return row(job.key, fresh.records.count(), saved.empty() ? result : saved);
}

// From where the last collection ended (the first: from --since) up to the controller's clock;
// the hourly and daily archives up to their last complete interval. Nothing when no record can be
// new, `result` then says why when that is a failure.
std::optional<Period> SubscriberCollection::periodOf(const ArchiveJob& job,
                                                     const std::optional<CollectedUpTo>& upTo,
                                                     std::string& result) {
  const bool hourly = isHourly(job.source);
  const bool daily = isDaily(job.source);
  if (!hourly && !daily) {
    const DateTime6 start = upTo ? upTo->last : since_;
    if (controllerNow_ < start) return std::nullopt;
    return Period{start, controllerNow_};
  }
  ChromArchiveReader reader(session_->connection(), session_->tables(), scratch_);
  const std::optional<ArchiveRange> range = reader.queryRange(daily);
  if (!range) {
    if (context_.frontend.exchangeFailed()) result = "no link";
    return std::nullopt;
  }
  DateTime6 start = daily ? dayStart(since_) : hourStart(since_);
  if (upTo) start = daily ? addDays(dayStart(upTo->last), 1) : addHours(hourStart(upTo->last), 1);
  start = std::max(start, range->first);
  if (range->last < start) return std::nullopt;
  const ShortDateCheck check = checkShortPeriod(daily, start, range->last, *range);
  if (check.error) return std::nullopt;
  return Period{check.start, check.end};
}

std::optional<ChromReading> SubscriberCollection::read(const ArchiveJob& job,
                                                       const Period& period) {
  ConnectionState& connection = session_->connection();
  TableService& tables = session_->tables();
  const auto fromMessages = [](std::optional<MessageArchiveReading> reading) {
    return reading ? std::optional(ChromReading{reading->header, reading->records}) : std::nullopt;
  };
  const auto fromChecks = [](std::optional<CheckReading> reading) {
    return reading ? std::optional(ChromReading{reading->header, reading->records}) : std::nullopt;
  };
  MessageArchiveReader messages(connection, tables, scratch_);
  ChromArchiveReader chrom(connection, tables, scratch_);
  CheckArchiveReader checks(connection, tables, scratch_);
  switch (job.source) {
    case Source::kDiagnostic:
      return fromMessages(
          messages.readMessagesByPeriod(kDiagnosticArchive, period.start, period.end));
    case Source::kIntervention:
      return fromMessages(
          messages.readMessagesByPeriod(kInterventionArchive, period.start, period.end));
    case Source::kChromMeasurement:
      return chrom.readMeasurements(job.run, period.start, period.end);
    case Source::kChromHourly:
    case Source::kChromDaily:
      return chrom.readHourDay(isDaily(job.source), job.run, period.start, period.end);
    case Source::kMoistureMeasurement:
      return chrom.readMoistureMeasurements(period.start, period.end);
    case Source::kMoistureHourly:
    case Source::kMoistureDaily:
      return chrom.readMoistureHourDay(isDaily(job.source), period.start, period.end);
    case Source::kCalibration:
      return fromChecks(checks.read(CheckArchive::kCalibration, period.start, period.end));
    case Source::kVerification:
      return fromChecks(checks.read(CheckArchive::kVerification, period.start, period.end));
  }
  return std::nullopt;
}

std::filesystem::path SubscriberCollection::proposedName(const ArchiveJob& job,
                                                         const ArchiveFileHeader& header) {
  const DateTime6 today = localNow();
  switch (job.source) {
    case Source::kDiagnostic:
    case Source::kIntervention:
      return proposedMessageFileName(messageKindOf(job.source), context_.folder, header.address(),
                                     today);
    case Source::kChromMeasurement:
      return proposedChromFileName(ChromArchive::kMeasurement, context_.folder, header, today);
    case Source::kChromHourly:
      return proposedChromFileName(ChromArchive::kHourly, context_.folder, header, today);
    case Source::kChromDaily:
      return proposedChromFileName(ChromArchive::kDaily, context_.folder, header, today);
    case Source::kMoistureMeasurement:
      return proposedMoistureFileName(MoistureArchive::kMeasurement, context_.folder, header,
                                      today);
    case Source::kMoistureHourly:
      return proposedMoistureFileName(MoistureArchive::kHourly, context_.folder, header, today);
    case Source::kMoistureDaily:
      return proposedMoistureFileName(MoistureArchive::kDaily, context_.folder, header, today);
    case Source::kCalibration:
      return proposedCheckFileName(CheckArchive::kCalibration, context_.folder, header, today);
    case Source::kVerification:
      return proposedCheckFileName(CheckArchive::kVerification, context_.folder, header, today);
  }
  return {};
}

// The new records in a file of their own; the state moves on only once the file is whole. An
// empty text when saved, else what went wrong.
std::string SubscriberCollection::save(const ArchiveJob& job, const ChromReading& reading,
                                       const NewRecords& fresh) {
  const std::filesystem::path folder = state_.file().parent_path() / station_.folder / job.kind;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return "not saved: cannot make " + folder.string();
  const std::filesystem::path file =
      unusedName(folder / proposedName(job, reading.header).filename());
  const std::filesystem::path relative = std::filesystem::path(job.kind) / file.filename();
  if (fresh.upTo && !state_.beginSave(station_.folder, job.key, *fresh.upTo, relative)) {
    return "not saved: cannot write " + state_.file().string();
  }
  bool saved = false;
  if (job.source == Source::kDiagnostic || job.source == Source::kIntervention) {
    const MessageViewRows view(messageKindOf(job.source), reading.header, fresh.records,
                               session_->image(), kViewByPeriod, 0);
    saved = writeMessageFile(file, reading.header, view.textRows(), context_.frontend);
  } else {
    saved = writeMessageFile(file, reading.header, fresh.records, context_.frontend);
  }
  if (fresh.upTo && !state_.endSave(station_.folder, job.key, saved)) {
    return "saved, but " + state_.file().string() + " not written";
  }
  return saved ? "" : "not saved: cannot write " + file.string();
}

// The stations of the chosen lists and names, in list order (telephone first).
std::optional<std::vector<Station>> chosenStations(CommandContext& context,
                                                   const CollectRequest& request,
                                                   const LinkSettings& settings) {
  std::vector<Subscriber> all;
  if (request.lists != SubscriberLists::kEthernet) {
    const auto& list = settings.phone.subscribers;
    all.insert(all.end(), list.entries.begin(), list.entries.begin() + list.count);
  }
  if (request.lists != SubscriberLists::kPhone) {
    const auto& list = settings.ethernet.subscribers;
    all.insert(all.end(), list.entries.begin(), list.entries.begin() + list.count);
  }
  for (const std::string& name : request.only) {
    const bool known =
        std::any_of(all.begin(), all.end(), [&](const Subscriber& s) { return nameOf(s) == name; });
    if (!known) {
      refuse(context, "--only: no subscriber \"" + name + "\" in the chosen lists");
      return std::nullopt;
    }
  }
  std::vector<Station> stations;
  for (const Subscriber& subscriber : all) {
    const std::string& name = nameOf(subscriber);
    if (!request.only.empty() &&
        std::find(request.only.begin(), request.only.end(), name) == request.only.end()) {
      continue;
    }
    stations.push_back({subscriber, folderNameOf(name)});
  }
  return stations;
}

// The lines a job writes, kept in UTF-8 until the job ends and then passed on each after its
// subscriber's name, so that parallel jobs stay readable.
class BufferedErrors {
 public:
  BufferedErrors()
      : stream_(open_memstream(&buffer_, &size_)), output_(stream_, OutputEncoding::kUtf8) {}
  ~BufferedErrors() {
    if (stream_ != nullptr) std::fclose(stream_);
    std::free(buffer_);
  }
  BufferedErrors(const BufferedErrors&) = delete;
  BufferedErrors& operator=(const BufferedErrors&) = delete;

  bool usable() const { return stream_ != nullptr; }
  TextOutput& output() { return output_; }
  void copyTo(TextOutput& target, const std::string& prefix) {
    std::fflush(stream_);
    std::string_view text(buffer_ == nullptr ? "" : buffer_, size_);
    while (!text.empty()) {
      const std::size_t end = std::min(text.find('\n'), text.size());
      target.line(prefix + ": " + std::string(text.substr(0, end)));
      text.remove_prefix(std::min(end + 1, text.size()));
    }
  }

 private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
  TextOutput output_;
};

}  // namespace

namespace {

// Holds the collection folder for one run: two collections writing one state would lose marks.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder)
      : descriptor_(::open((folder / kLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
    held_ = descriptor_ >= 0 && flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
  }
  ~FolderLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool held() const { return held_; }

 private:
  int descriptor_;
  bool held_ = false;
};

// The subscribers to take in turn: with --jobs 1 all of them in one turn; otherwise each TCP
// subscriber on its own and the telephone ones together, one after the other on their port.
std::vector<std::vector<std::size_t>> turnsOf(const std::vector<Station>& stations, int jobs) {
  std::vector<std::vector<std::size_t>> turns;
  std::vector<std::size_t> phone;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    if (jobs == 1 || std::holds_alternative<PhoneSubscriber>(stations[i].subscriber)) {
      phone.push_back(i);
    } else {
      turns.push_back({i});
    }
  }
  if (!phone.empty()) turns.insert(turns.begin(), phone);
  return turns;
}

std::optional<DateTime6> sinceOf(CommandContext& context,
                                 const std::optional<DateTimeArgument>& since) {
  if (!since) return addDays(localNow(), -kDefaultDepthDays);
  const DateTime6 value{static_cast<std::uint8_t>(since->year - 2000),
                        static_cast<std::uint8_t>(since->month),
                        static_cast<std::uint8_t>(since->day),
                        0,
                        0,
                        0};
  if (since->year < 2000 || since->year > 2255 || !isValidDateTime(value)) {
    refuse(context, "--since: no such date, or one before 2000");
    return std::nullopt;
  }
  return value;
}

void printSummary(TextOutput& out, const std::vector<std::vector<SummaryRow>>& rows) {
  out.line("subscriber\tkind\trecords\tresult");
  for (const auto& station : rows) {
    for (const SummaryRow& row : station) {
      out.line(row.subscriber + "\t" + row.kind + "\t" + std::to_string(row.records) + "\t" +
               row.result);
    }
  }
}

bool succeeded(const std::vector<std::vector<SummaryRow>>& rows) {
  for (const auto& station : rows) {
    for (const SummaryRow& row : station) {
      if (row.result != kOk && row.result != "no moisture meter") return false;
    }
  }
  return true;
}

}  // namespace

int CollectCommand::run(CommandContext& context) {
  const CollectRequest& request = request_;
  const std::optional<DateTime6> since = sinceOf(context, request.since);
  if (!since) return kExitBadInput;
  const std::filesystem::path out = request.outFolder;
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error) return refuse(context, "--out: cannot make the folder " + out.string());
  const FolderLock lock(out);
  if (!lock.held()) return refuse(context, "another collect is writing to " + out.string());

  LinkSettingsStore store(context.folder.linkSettingsFiles());
  store.load({});
  const std::optional<std::vector<Station>> stations =
      chosenStations(context, request, store.settings);
  if (!stations) return kExitBadInput;
  const std::vector<ArchiveJob> jobs = archiveJobs(request.kinds);
  CollectionState state(out);
  std::vector<std::vector<SummaryRow>> rows(stations->size());
  const auto turns = turnsOf(*stations, request.jobs);
  std::atomic<std::size_t> nextTurn = 0;
  std::mutex errorsMutex;
  std::mutex foldersMutex;
  std::vector<std::string> foldersInUse;

  const auto collectStation = [&](std::size_t index) {
    const Station& station = (*stations)[index];
    {
      const std::lock_guard guard(foldersMutex);
      if (std::find(foldersInUse.begin(), foldersInUse.end(), station.folder) !=
          foldersInUse.end()) {
        rows[index] = {{nameOf(station.subscriber), "-", 0,
                        "skipped: another subscriber has the folder " + station.folder}};
        return;
      }
      foldersInUse.push_back(station.folder);
    }
    BufferedErrors errors;
    if (!errors.usable()) {
      rows[index] = {{nameOf(station.subscriber), "-", 0, "no memory for its messages"}};
      return;
    }
    CliFrontend frontend(errors.output(), context.options.answerYes);
    CommandContext own{context.options,  context.folder, context.out,
                       errors.output(), frontend,       context.programFolder};
    rows[index] = SubscriberCollection(own, station, state, *since).run(jobs);
    const std::lock_guard guard(errorsMutex);
    errors.copyTo(context.errors, nameOf(station.subscriber));
  };
  const auto worker = [&] {
    for (std::size_t turn; (turn = nextTurn++) < turns.size();) {
      for (const std::size_t index : turns[turn]) collectStation(index);
    }
  };
  std::vector<std::thread> workers;
  const std::size_t threads = std::min<std::size_t>(request.jobs, turns.size());
  for (std::size_t n = 1; n < threads; ++n) workers.emplace_back(worker);
  worker();
  for (std::thread& thread : workers) thread.join();

  printSummary(context.out, rows);
  return succeeded(rows) ? kExitSuccess : kExitLinkFailed;
}

namespace {

// The link of each station comes from its address book.
constexpr const char* kBookLinkOptions[] = {"--tcp", "--serial", "--phone", "--subscriber",
                                            "--address"};

SubscriberLists readLists(const GivenArguments& given) {
  const std::string* lists = given.single("--list");
  if (lists == nullptr || *lists == "both") return SubscriberLists::kBoth;
  if (*lists == "phone") return SubscriberLists::kPhone;
  if (*lists == "ethernet") return SubscriberLists::kEthernet;
  throw Refusal{"--list: phone, ethernet or both expected, got \"" + *lists + "\""};
}

std::vector<std::string> readKinds(const GivenArguments& given) {
  std::vector<std::string> kinds;
  const std::string* text = given.single("--kinds");
  if (text == nullptr) return kinds;
  std::string_view rest = *text;
  while (!rest.empty() || kinds.empty()) {
    const std::size_t comma = std::min(rest.find(','), rest.size());
    const std::string kind(rest.substr(0, comma));
    if (std::find(std::begin(kCollectKinds), std::end(kCollectKinds), kind) ==
        std::end(kCollectKinds)) {
      throw Refusal{"--kinds: unknown kind \"" + kind + "\" (diag, interv, meas, hour, day, " +
                    "moist-meas, moist-hour, moist-day, calib, verif)"};
    }
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return kinds;
}

}  // namespace

CommandHelp CollectCommand::help() const {
  return {"collect", "what is new at every station of the address books",
          "collect --out DIR [--list phone|ethernet|both] [--only NAME]... [--kinds KIND,...]\n"
          "collect --out DIR [--since YYYY-MM-DD] [--jobs N]",
          "Every subscriber of the address books (--only: the named ones) and each archive\n"
          "kind (diag, interv, meas, hour, day, moist-meas, moist-hour, moist-day, calib,\n"
          "verif; meas, hour and day of both runs) read from where its last collection\n"
          "ended up to the controller's clock (hour, day: to the last complete hour or gas\n"
          "day), saved in DIR/<subscriber>/<kind>/ under the name the program proposes\n"
          "(\"_2\", \"_3\" … before the extension when it is taken). Where each one ended is\n"
          "kept in DIR/collect-state.ini, written after every file, so a run cut short\n"
          "resumes without losing or repeating a record. The summary\n"
          "\"subscriber<TAB>kind<TAB>records<TAB>result\" on stdout; exit 0 only when every\n"
          "subscriber succeeded, 1 otherwise."};
}

void CollectCommand::declare(OptionDeclarations& options) const {
  options.value("--out", "DIR", "the folder of the collected files");
  options.value("--list", "phone|ethernet|both",
                "the address books to collect from (default both)");
  options.repeatable("--only", "NAME", "only this subscriber; repeatable");
  options.value("--kinds", "KIND,...", "only these archive kinds");
  options.value("--since", "YYYY-MM-DD", "where a first collection starts (default: 7 days back)");
  options.value("--jobs", "N",
                "TCP subscribers N at a time (1..64), the modem ones one after the other");
  declareLinkOptions(options);
  for (const char* name : kBookLinkOptions) options.hide(name);
}

void CollectCommand::accept(const GivenArguments& given) {
  for (const char* name : kBookLinkOptions) {
    if (given.has(name)) {
      throw Refusal{std::string(name) + " is not for collect: it reads the address books"};
    }
  }
  expectWords(given, 0, 0, "collect");
  constexpr int kMaxJobs = 64;
  CollectRequest request;
  const std::string* out = given.single("--out");
  if (out == nullptr || out->empty()) throw Refusal{"collect needs --out DIR"};
  request.outFolder = *out;
  request.lists = readLists(given);
  for (const std::string& name : given.values("--only")) {
    if (name.empty()) throw Refusal{"--only: a subscriber's name expected"};
    request.only.push_back(name);
  }
  request.kinds = readKinds(given);
  if (const std::string* since = given.single("--since")) {
    if (!fitsShape(*since, "dddd-dd-dd")) {
      throw Refusal{"--since: \"YYYY-MM-DD\" expected, got \"" + *since + "\""};
    }
    request.since = readDateTime(*since, true);
  }
  if (const std::string* jobs = given.single("--jobs")) {
    const auto count = digitsNumber<int>(*jobs, kMaxJobs);
    if (!count || *count == 0) throw Refusal{"--jobs: 1..64 expected"};
    request.jobs = *count;
  }
  request_ = request;
}

}  // namespace zvc::cli
