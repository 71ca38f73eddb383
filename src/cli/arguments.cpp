#include "cli/arguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <climits>

namespace zvc::cli {
namespace {

const CLI::Option* optionNamed(const CLI::App& app, std::string_view name) {
  return app.get_option_no_throw(std::string(name));
}

}  // namespace

void OptionDeclarations::value(const std::string& name, const std::string& values,
                               const std::string& description, int count) {
  app_.add_option(name, description)->expected(count)->option_text(values)->group(group_);
}

void OptionDeclarations::repeatable(const std::string& name, const std::string& values,
                                    const std::string& description) {
  app_.add_option(name, description)->take_all()->option_text(values)->group(group_);
}

void OptionDeclarations::flag(const std::string& name, const std::string& description) {
  // Given twice is refused as for the options with values.
  app_.add_flag(name)
      ->description(description)
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
      ->group(group_);
}

void OptionDeclarations::unlisted(const std::string& name, int count) {
  if (count == 0) {
    app_.add_flag(name)->multi_option_policy(CLI::MultiOptionPolicy::Throw)->group(kUnlistedGroup);
  } else {
    app_.add_option(name)->expected(count)->group(kUnlistedGroup);
  }
}

void OptionDeclarations::hide(const std::string& name) {
  app_.get_option(name)->group(kUnlistedGroup);
}

bool GivenArguments::declares(std::string_view name) const {
  return optionNamed(app_, name) != nullptr;
}

bool GivenArguments::has(std::string_view name) const {
  const CLI::Option* option = optionNamed(app_, name);
  return option != nullptr && option->count() > 0;
}

const std::string* GivenArguments::single(std::string_view name) const {
  const CLI::Option* option = optionNamed(app_, name);
  if (option == nullptr || option->results().empty()) return nullptr;
  return &option->results().front();
}

std::vector<std::string> GivenArguments::values(std::string_view name) const {
  const CLI::Option* option = optionNamed(app_, name);
  return option == nullptr ? std::vector<std::string>{} : option->results();
}

std::vector<std::string> GivenArguments::words() const {
  return values(kWordsName);
}

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view what, std::string_view text) {
  const auto value = digitsNumber<int>(text, INT_MAX);
  if (!value) {
    throw Refusal{std::string(what) + ": a number expected, got \"" + std::string(text) + "\""};
  }
  return *value;
}

std::optional<int> numberOption(const GivenArguments& given, std::string_view name) {
  const std::string* text = given.single(name);
  if (text == nullptr) return std::nullopt;
  return number(name, *text);
}

bool fitsShape(const std::string& text, std::string_view shape) {
  bool fits = text.size() == shape.size();
  for (std::size_t at = 0; fits && at < shape.size(); ++at) {
    const char want = shape[at];
    const char got = text[at];
    fits = want == 'd'   ? got >= '0' && got <= '9'
           : want == ' ' ? got == ' ' || got == 'T'
                         : got == want;
  }
  return fits;
}

DateTimeArgument readDateTime(const std::string& text, bool shortForms) {
  constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
  const bool fits =
      fitsShape(text, kShape) || (shortForms && (fitsShape(text, kShape.substr(0, 13)) ||
                                                 fitsShape(text, kShape.substr(0, 10))));
  if (!fits) {
    throw Refusal{std::string("--period: \"YYYY-MM-DD HH:MM:SS\"") +
                  (shortForms ? ", \"YYYY-MM-DD HH\" or \"YYYY-MM-DD\"" : "") +
                  " expected, got \"" + text + "\""};
  }
  const auto part = [&](std::size_t at, std::size_t size) {
    if (at + size > text.size()) return 0;
    return *digitsNumber<int>(std::string_view(text).substr(at, size), INT_MAX);
  };
  return {part(0, 4), part(5, 2), part(8, 2), part(11, 2), part(14, 2), part(17, 2)};
}

std::optional<std::string> readSaveFile(const GivenArguments& given) {
  const std::string* save = given.single("--save");
  if (save == nullptr) return std::nullopt;
  if (save->empty()) throw Refusal{"--save: a file name expected"};
  return *save;
}

int readRun(const GivenArguments& given) {
  const std::string* run = given.single("--run");
  if (run == nullptr || (*run != "1" && *run != "2")) throw Refusal{"--run 1 or --run 2 expected"};
  return *run == "1" ? 0 : 1;
}

std::vector<std::string> expectWords(const GivenArguments& given, std::size_t min, std::size_t max,
                                     std::string_view command) {
  std::vector<std::string> words = given.words();
  if (words.size() < min || words.size() > max) {
    throw Refusal{"wrong number of arguments for " + std::string(command)};
  }
  return words;
}

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace zvc::cli
