#pragma once

#include <string>

namespace zvc {

// A refused dialog input: the two lines of the message of kind 2 ("Ошибка ввода параметров").
struct InputError {
  std::string line1;
  std::string line2;
  bool operator==(const InputError&) const = default;
};

// The refusals several dialogs share.
inline InputError missingInput() {
  return {"Введены не все параметры", ""};
}
inline InputError ipPartOutOfRange() {
  return {"Поле IP-адреса вне допустимого диапазона", "(0...255)"};
}
inline InputError tcpPortOutOfRange() {
  return {"Параметр вне допустимого диапазона", "(0...65535)"};
}

}  // namespace zvc
