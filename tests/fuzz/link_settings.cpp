// "zvc.ini": the link settings as read at start-up, set into the engine and shown in the
// link-parameter dialog for every link kind.
#include "core/link/link_settings.h"
#include "fuzz_support.h"

namespace zvc::fuzz {

void fuzzOne(std::span<const std::uint8_t> input) {
  const LinkSettings settings = readLinkSettings(scratchFile("zvc.ini", input), {1280, 1024});
  kpsbox engine;
  configureEngine(engine, settings);
  for (const std::uint8_t kind : {kDirectLink, kPhoneLink, kEthernetLink}) {
    (void)linkParamsInput(settings, kind);
  }
}

std::vector<Bytes> seeds() {
  return {writtenBytes("zvc.ini", [](const std::filesystem::path& file) {
    LinkSettingsStore store({file, scratchFolder() / "phones.ini", scratchFolder() / "hosts.ini"});
    store.load({1280, 1024});
    store.settings.general.linkKind = kPhoneLink;
    store.settings.phone.modemCommand = "AT&F";
    store.settings.ethernet.params.address = 7;
    store.save();
  })};
}

}  // namespace zvc::fuzz
