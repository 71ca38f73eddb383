// The INI reader under every settings file: any bytes, then the lookups and edits the program
// makes; a file it saved reads back as it was written.
#include "core/common/ini_file.h"
#include "fuzz_support.h"

namespace zvc::fuzz {

void fuzzOne(std::span<const std::uint8_t> input) {
  IniFile file =
      IniFile::fromBytes({reinterpret_cast<const char*>(input.data()), input.size()});
  for (const char* section : {"CURR_PAR", "FON_CONN_PAR", "PORTS", "Абоненты"}) {
    (void)file.hasSection(section);
    (void)file.getString(section, "Adr", "");
    (void)file.getInteger(section, "Kol", 0, 0, 200);
  }
  file.setString("CURR_PAR", "Name", "Контроллер");
  file.setInteger("FON_CONN_PAR", "Kol", 3);
  file.replaceSection("PORTS", {{"COM1", "/dev/ttyUSB0"}});
  file.removeSection("ETHERNET_CONN_PAR");
  const std::string saved = file.toBytes();
  check(IniFile::fromBytes(saved).toBytes() == saved, "a saved file reads back unchanged");
}

std::vector<Bytes> seeds() {
  const std::string samples[] = {
      "[CURR_PAR]\r\nTypeConn=0\r\nFormH=680\r\n; comment\r\n[PORTS]\r\nCOM40=/dev/pts/3\r\n",
      "\xEF\xBB\xBF[FON_CONN_PAR]\nAdr = \"5\"\nKol=+-5\n[fon_conn_par]\nAdr=6\n",
  };
  std::vector<Bytes> all;
  for (const std::string& sample : samples) all.emplace_back(sample.begin(), sample.end());
  return all;
}

}  // namespace zvc::fuzz
