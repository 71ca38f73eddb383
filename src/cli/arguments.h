#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

// What the commands of zvc-cli share to declare their options on the command line and to read
// what was given. Only the shape is checked here (numbers and dates written as numbers and
// dates); what the values must be for the controller and the files is checked by the commands
// with the program's own rules.
namespace zvc::cli {

// Why a command line is refused; thrown by the checks, shown as "zvc-cli: <text>".
struct Refusal {
  std::string text;
};

// The options of one command as its help lists them, in the group of the last group() call.
class OptionDeclarations {
 public:
  explicit OptionDeclarations(CLI::App& app) : app_(app) {}

  // The heading of the options declared next ("Options" at first).
  void group(std::string heading) { group_ = std::move(heading); }
  // An option with `count` values, named in the help by `values` ("N", "BEGIN END").
  void value(const std::string& name, const std::string& values, const std::string& description,
             int count = 1);
  // An option with one value that may be given again, each value kept.
  void repeatable(const std::string& name, const std::string& values,
                  const std::string& description);
  void flag(const std::string& name, const std::string& description);
  // Known to the command, left out of its help: it only serves a refusal that names it.
  void unlisted(const std::string& name, int count = 0);
  // Leaves a declared option out of the help.
  void hide(const std::string& name);

 private:
  CLI::App& app_;
  std::string group_ = "Options";
};

// What the command line gave one command: its options by name and the words that are no options.
class GivenArguments {
 public:
  explicit GivenArguments(const CLI::App& app) : app_(app) {}

  bool declares(std::string_view name) const;
  bool has(std::string_view name) const;
  // The (first) value of an option; nullptr when it is not given.
  const std::string* single(std::string_view name) const;
  // Every value of an option in the order given.
  std::vector<std::string> values(std::string_view name) const;
  std::vector<std::string> words() const;

 private:
  const CLI::App& app_;
};

// The group of the options left out of the help (CLI11 names no option of an unnamed group in
// its refusals).
inline constexpr char kUnlistedGroup[] = "unlisted";

// The name under which a command's words are declared.
inline constexpr char kWordsName[] = "words";

// "YYYY-MM-DD HH:MM:SS" taken apart; the parts are not checked against the calendar.
struct DateTimeArgument {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const DateTimeArgument&) const = default;
};

bool allDigits(std::string_view text);

// Digits only, not above max.
template <typename Number>
std::optional<Number> digitsNumber(std::string_view text, Number max) {
  Number value{};
  if (!allDigits(text)) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

// A number of digits; refused as "WHAT: a number expected" otherwise.
int number(std::string_view what, std::string_view text);
// The option's number when it is given.
std::optional<int> numberOption(const GivenArguments& given, std::string_view name);

// Whether text has the shape: 'd' a digit, ' ' a blank or "T", anything else itself.
bool fitsShape(const std::string& text, std::string_view shape);

// "YYYY-MM-DD HH:MM:SS" (a "T" may stand for the blank); with `shortForms` also "YYYY-MM-DD HH"
// and "YYYY-MM-DD", the rest zero. Refused as a --period value otherwise.
DateTimeArgument readDateTime(const std::string& text, bool shortForms = false);

// --save FILE, where given.
std::optional<std::string> readSaveFile(const GivenArguments& given);

// The chromatograph's run of "--run 1|2", as 0 or 1.
int readRun(const GivenArguments& given);

// The words of a command, refused when there are fewer than min or more than max.
std::vector<std::string> expectWords(const GivenArguments& given, std::size_t min, std::size_t max,
                                     std::string_view command);

// Latin letters in lower case, for names and extensions given in any case.
std::string lowerAscii(std::string text);

}  // namespace zvc::cli
