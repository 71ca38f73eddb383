// The address books ("fon_abonents.ini", "ethr_abonents.ini") and the object list
// ("objects.ini"), as read at start-up and shown in their lists.
#include "core/link/subscribers.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

enum Book : std::uint8_t { kPhones, kHosts, kObjects, kBookCount };

}  // namespace

// Input: which book, then the file.
void fuzzOne(std::span<const std::uint8_t> input) {
  if (input.empty()) return;
  const auto file = scratchFile("book.ini", input.subspan(1));
  switch (input[0] % kBookCount) {
    case kPhones:
      (void)readPhoneSubscribers(file);
      break;
    case kHosts:
      for (const EthernetSubscriber& entry : readEthernetSubscribers(file).entries) {
        (void)ipPortText(entry);
      }
      break;
    case kObjects:
      (void)readObjects(file);
      break;
  }
}

std::vector<Bytes> seeds() {
  auto withBook = [](Book book, Bytes file) {
    file.insert(file.begin(), book);
    return file;
  };
  PhoneSubscriberList phones;
  addSubscriber(phones, {"Станция Северная", 3, 0, "+380441234567"});
  addSubscriber(phones, {"ГРС-2", 12, 1, "0 44 765 43 21"});
  EthernetSubscriberList hosts;
  addSubscriber(hosts, {"ГРС Южная", 5, 0xC0A80001, 4001});
  ObjectList objects;
  addObject(objects, "Узел учёта 1");
  return {
      withBook(kPhones, writtenBytes("seed.ini",
                                     [&](const auto& file) { writePhoneSubscribers(file, phones); })),
      withBook(kHosts, writtenBytes("seed.ini",
                                    [&](const auto& file) { writeEthernetSubscribers(file, hosts); })),
      withBook(kObjects,
               writtenBytes("seed.ini", [&](const auto& file) { writeObjects(file, objects); })),
  };
}

}  // namespace zvc::fuzz
