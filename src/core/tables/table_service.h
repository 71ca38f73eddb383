#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "core/tables/table_catalogue.h"

namespace zvc {

class kpsbox;
class ConfigImage;
class Frontend;
struct ConnectionState;
struct LinkSettings;

// Address of a table read or write, and the header the controller echoes in its answer.
struct TableRange {
  std::uint8_t table = 0;
  std::uint8_t first = 0;
  std::uint8_t count = 0;
  bool operator==(const TableRange&) const = default;
};

// Which tables are configuration tables, which the controller reports destroyed, and which are to
// be written; one flag per table number.
struct TableStateBlock {
  using Flags = std::array<std::uint8_t, TableCatalogue::kTableCount>;
  Flags configuration{};
  Flags destroyed{};
  Flags writeRequest{};
};
static_assert(sizeof(TableStateBlock) == 141);

// Configuration flags from the catalogue, destroyed flags from table 7 of the image, no write
// requests.
TableStateBlock tableStateBlock(const ConfigImage& image);

// Fields of a table one request can carry: an answer holds at most 245 data bytes, a write 229.
int maxReadFields(int table);
int maxWriteFields(int table);

// Status bar panels the service writes.
inline constexpr int kControllerNamePanel = 1;
inline constexpr int kResultPanel = 2;

// Every exchange of table contents with the controller. Ranges longer than one request are sent
// as consecutive requests in ascending field order, stopping at the first failure. Failures are
// reported through the frontend with the choice to retry.
class TableService {
 public:
  static constexpr int kNameFields = 3;

  TableService(ConnectionState& connection, ConfigImage& image, LinkSettings& linkSettings,
               Frontend& frontend);

  // Called after the engine's address or speed changed, to redraw the link text.
  std::function<void()> refreshLinkStatus;
  // How long a full progress bar stays in view at the end of a long reading or write;
  // nobody watches it in tests and harnesses.
  int finalPauseMs = 500;
  // The progress bar at `maximum`, kept in view for finalPauseMs so the user sees it full.
  void showFullProgress(int maximum);

  // Reads the range into the image. A silent read (verbose false, the periodic refreshes) shows
  // no progress text and no failed exchange; a wrong echo is reported in both forms.
  bool readTableRange(TableRange range, bool verbose = true);
  // Sends the fields of the range as the image holds them.
  bool writeTableRange(TableRange range);
  // Sends what differs between oldCopy (the range before the edit) and the image, in as few
  // bytes on the line as the merge rule gives; nothing when nothing changed.
  bool writeChangedFields(TableRange range, std::span<const std::uint8_t> oldCopy);
  // Names of table 5 read into the image, turned into Windows-1251 where they travel in CP866.
  bool readNames(int first = 0, int count = kNameFields);
  // The names that differ from oldCopy (table 5 as read) written in the code page they travel
  // in; the image keeps Windows-1251. On success the controller's name shows in panel 1.
  bool writeChangedNames(std::span<const std::uint8_t> oldCopy);
  // The engine and the saved settings of the link in use follow the address of table 3 in the
  // image, and on a direct line its speed, as after the controller took them.
  void followAddressTable();
  // Every configuration table but the write-only passwords of table 13, under the progress window.
  bool readConfiguration();
  // The flagged tables in the controller's order, under the progress window; clears the flag of
  // every table written. A failure leaves the flags of the tables not yet written.
  bool writeFlaggedTables(TableStateBlock& block);
  // Asks, then resets the controller's non-volatile data (function 25). On success the controller
  // answers at address 1, 9600 bit/s, and the engine and the settings of the link in use follow.
  bool resetNonVolatileData();

  kpsbox& engine() const;
  ConfigImage& image() const { return image_; }
  Frontend& frontend() const { return frontend_; }

 private:
  enum class Direction { kRead, kWrite };

  bool transferRange(Direction direction, TableRange range, bool verbose);
  bool transferRequest(Direction direction, TableRange chunk, bool verbose);
  bool answerMatches(TableRange chunk, int dataBytes) const;
  bool askRetry(std::string_view line1, std::string_view line2, bool verbose);
  void setResult(std::string_view text);
  bool writeFlaggedTable(TableStateBlock& block, int table, int count, int& written);
  bool writeFirstFields(int table, int count);
  bool namesInCp866() const;
  void convertNames(void (*convert)(std::uint8_t*, std::size_t), int first = 0,
                    int count = kNameFields);
  void showControllerName();
  void switchLink(std::uint8_t address, int rateCode);

  ConnectionState& connection_;
  ConfigImage& image_;
  LinkSettings& linkSettings_;
  Frontend& frontend_;
};

}  // namespace zvc
