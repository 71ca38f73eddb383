// Saved message files (".ala", ".aud"): opening one and showing every cell of its view.
#include "core/archives/message_files.h"
#include "core/archives/message_view.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

void show(const SavedMessages& saved, MessageFileKind kind) {
  MessageViewRows view(kind, saved.header, saved.rows);
  for (int row = 0; row < view.rowCount(); ++row) {
    for (int column = 0; column < 8; ++column) (void)view.text(row, column);
  }
  (void)view.caption();
  (void)view.textRows();
}

}  // namespace

// The same bytes are offered as each kind; one of them refuses them by their signature at least.
void fuzzOne(std::span<const std::uint8_t> input) {
  const auto file = scratchFile("messages", input);
  SilentFrontend frontend;
  for (const MessageFileKind kind : kMessageFileKinds) {
    if (const auto saved = openMessageFile(kind, file, frontend)) show(*saved, kind);
  }
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (const MessageFileKind kind : kMessageFileKinds) {
    const int archiveKind = kind == MessageFileKind::kDiagnostic ? 0 : 1;
    const MessageArchiveReading reading = simulatorReading(archiveKind, 12);
    MessageViewRows view(kind, reading.header, reading.records, simulatorImage(), kViewByIndex,
                         reading.firstIndex);
    all.push_back(writtenBytes("saved", [&](const std::filesystem::path& file) {
      SilentFrontend frontend;
      writeMessageFile(file, reading.header, view.textRows(), frontend);
    }));
  }
  return all;
}

}  // namespace zvc::fuzz
