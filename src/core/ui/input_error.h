#pragma once

#include <string>

namespace zvc {

// A refused dialog input: the two lines of the message of kind 2 ("Ошибка ввода параметров").
struct InputError {
  std::string line1;
  std::string line2;
  bool operator==(const InputError&) const = default;
};

}  // namespace zvc
