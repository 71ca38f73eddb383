#include "core/link/kpsbox.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "core/common/calendar.h"
#include "core/common/crc16.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kMinFrameLength = 6;
constexpr int kMaxFrameLength = 255;
constexpr int kPayload = 4;  // payload byte k is frame byte 4 + k
constexpr int kClosePauseMs = 150;
constexpr int kOpenPauseMs = 100;
constexpr int kOpenRetryMs = 10;
constexpr int kQueueSize = 1000;
constexpr auto kRtsLeadTime = milliseconds(2);
constexpr std::uint8_t kDestroyedTableCode = 60;

// Where the caller's bytes go in each request. Payload order: credentials, extra, data.
struct RequestLayout {
  std::uint8_t function;
  bool credentials;
  bool extra;
  int dataCount;  // -1: the caller's length
};

constexpr RequestLayout kLayouts[] = {
    {kpsbox::kReadTable, false, true, 3},
    {kpsbox::kWriteTable, true, true, -1},
    {kpsbox::kReadArchiveByIndex, false, false, 7},
    {kpsbox::kReadArchiveByPeriod, false, false, 15},
    {kpsbox::kCorrectClock, true, false, 2},
    {kpsbox::kReadHourArchive, false, false, 11},
    {kpsbox::kReadDayArchive, false, false, 9},
    {kpsbox::kResetController, true, false, 0},
};

const RequestLayout* findLayout(std::uint8_t function) {
  for (const auto& layout : kLayouts) {
    if (layout.function == function) return &layout;
  }
  return nullptr;
}

constexpr const char* kControllerTexts[kpsbox::kControllerTextCount] = {
    "",
    "Неизвестный код команды",
    "Неправильная длина запроса",
    "Неправильный пароль на запись",
    "Неправильные параметры в запросе",
    "Попытка записи в неиспользуемое поле",
    "Ввод даты и времени не допускается",
    "Нарушена очередность записи параметров при конфигурации",
    "Функция останова ГРС не активна",
    "Нет такой таблицы",
    "Неподходящий момент для коррекции времени",
    "Чтение таблицы невозможно",
    "Запись в таблицу не допускается",
    "Нет такого поля в таблице",
    "Попытка записи в несуществующее поле",
    "Нет доступа к крану",
    "Неправильный пароль доступа к крану",
    "Слишком большое время для коррекции",
    "Нет записей с такими индексами",
    "Недостоверны индексы ведения архива",
    "Нарушена последовательность запросов в серии",
    "Другой диапазон времени в серии запросов",
    "Неправильный диапазон времени",
    "Таблица требует полной перезаписи",
    "Управление агрегатом невозможно",
    "Попытка записи более одного поля",
    "Недостаточный уровень доступа",
    "Пустое имя пользователя",
    "Пустой код идентификации пользователя",
    "Производитель/наладчик уже зарегистрирован",
    "Удаление производителя/наладчика не допускается",
    "Удаление последнего администратора не допускается",
    "Пользователь не может быть зарегистрирован",
    "Пользователь с таким именем уже есть ",
    "Пользователь не зарегистрирован или неправильный пароль",
    "Запись допускается только через специальный канал связи",
    "Индекс начального поля не соответствует ограничениям",
    "Кол. записываемых полей не соответствует ограничениям",
    "Переход в режим работы \"Автомат\" невозможен",
    "Указанного канала связи не существует",
    "К указанному каналу связи не подключены контроллеры",
    "Не получен ответ на ретранслированный запрос",
    "Идет таймаут временной записи",
    "Закончился таймаут для подачи команды постоянной записи",
    "Не совпадают данные в командах временной и постоянной записи",
    "Недопустимый код команды",
    "Неизвестный код сообщения",
    "Неизвестный код устройства",
    "Неправильная длина данных в сообщении",
    "Несовпадение КС поля данных",
    "Переполнение памяти контроллера",
    "Превышение лимита одновременно выполняемых команд",
    "Контроллер рестартовал",
    "Изменение параметров с удаленной ПЭВМ запрещено",
    "Невозможный режим работы",
    "Дата и время в норме",
    "Изменение параметров возможно только в режиме \"Настройка\"",
    "Программа опроса подключенных устройств в норме",
    "Не прошла запись в EEPROM",
    "Не прошла запись в FRAM",
    "Разрушена таблица",
    "Нарушены правила записи полей большой разрушенной таблицы",
    "Неподходящий момент для выполнения команды",
    "Не прошла запись в FLASH PROM",
    "Программа разрушена или установлена перемычка",
};

// Waits until fd is readable or `until`, at most 1 ms; fd -1 only sleeps.
void waitReadable(int fd, Clock::time_point until) {
  const auto left =
      std::clamp<Clock::duration>(until - Clock::now(), Clock::duration::zero(), milliseconds(1));
  const timespec slice{0, static_cast<long>(std::chrono::nanoseconds(left).count())};
  pollfd descriptor{fd, POLLIN, 0};
  const int ready = ppoll(&descriptor, 1, &slice, nullptr);
  // A hung-up line stays "ready" without data; sleep instead of spinning on it.
  if (ready > 0 && (descriptor.revents & POLLIN) == 0) nanosleep(&slice, nullptr);
}

// Drops whatever the socket holds: an answer that came twice, or after its wait had ended, would
// otherwise be taken for the answer to the next request.
void discardWaitingBytes(int socket) {
  std::uint8_t stale[256];
  while (recv(socket, stale, sizeof stale, MSG_DONTWAIT) > 0) {
  }
}

// 1 = a byte, 0 = none waiting, -1 = the receive failed or the peer has closed.
int readSocketByte(int socket, std::uint8_t& byte) {
  int pending = 0;
  if (ioctl(socket, FIONREAD, &pending) != 0) return -1;
  if (pending > 0) return recv(socket, &byte, 1, 0) == 1 ? 1 : -1;
  // Nothing waiting: a closed peer shows as end of stream.
  return recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0 ? -1 : 0;
}

}  // namespace

kpsbox::kpsbox(std::uint8_t address) : address(address) {
  writePassword.fill(' ');
  userCode.fill(' ');
  engineTexts.fill(nullptr);
  engineTexts[kSuccess] = "Команда выполнена";
  engineTexts[kBadFunction] = "Неверно задан код функции";
  engineTexts[kWriteFailed] = "Сбой при выполнении операции записи";
  engineTexts[kInterByteTimeout] = "Ответ получен не полностью (превышено время между байтами)";
  engineTexts[kPortUnavailable] = portErrorText_;
  engineTexts[kBadChecksum] = "Несовпадение КС ответа контроллера";
  engineTexts[kControllerError] = controllerErrorText_;
  engineTexts[kNoAnswer] = "Устройство не отвечает";
  engineTexts[kSendFailed] = "Ithernet. Не выполнена команда send (посылка запроса)";
  engineTexts[kReceiveFailed] = "Ithernet. Не выполнена команда recv (чтение ответа на запрос)";
  std::copy(std::begin(kControllerTexts), std::end(kControllerTexts), controllerTexts.begin());
}

kpsbox::~kpsbox() {
  ClosePort();
}

bool kpsbox::Command(std::uint8_t function, const std::uint8_t* data, int length,
                     std::uint8_t extra) {
  resultCode = kSuccess;
  lastFunction = function;
  request.fill(0);
  const int frameLength = buildRequest(function, data, length, extra);
  if (frameLength == 0) {
    resultCode = kBadFunction;
    return false;
  }
  if (openPortPerExchange && !OpenPort()) return false;
  if (statusPanel) statusPanel->setStatus(kExchangeStatusPanel, "Обмен...");
  // At least one attempt, or a command with no tries would report success unsent.
  for (int attempt = 0; attempt < std::max<int>(tries, 1); ++attempt) {
    if (Exchange(frameLength)) break;
  }
  lastExchangeTime = dayCountFromDateTime(localNow());
  if (statusPanel) statusPanel->setStatus(kExchangeStatusPanel, "");
  if (openPortPerExchange) {
    ClosePort();
    pause(kClosePauseMs);
  }
  return resultCode == kSuccess;
}

// Frames the request into `request`; returns its length, or 0 when it cannot be framed
// (unknown function, fewer data bytes than its layout takes, or more than a frame holds).
int kpsbox::buildRequest(std::uint8_t function, const std::uint8_t* data, int length,
                         std::uint8_t extra) {
  const RequestLayout* layout = findLayout(function);
  if (!layout) return 0;
  const int dataCount = layout->dataCount >= 0 ? layout->dataCount : length;
  const int frameLength =
      kMinFrameLength + (layout->credentials ? 16 : 0) + (layout->extra ? 1 : 0) + dataCount;
  if (dataCount < 0 || length < dataCount || frameLength > kMaxFrameLength ||
      (dataCount > 0 && !data)) {
    return 0;
  }
  int at = kPayload;
  if (layout->credentials) {
    at = std::copy(writePassword.begin(), writePassword.end(), request.begin() + at) -
         request.begin();
    at = std::copy(userCode.begin(), userCode.end(), request.begin() + at) - request.begin();
  }
  if (layout->extra) request[at++] = extra;
  if (dataCount > 0) std::copy_n(data, dataCount, request.begin() + at);
  request[0] = kRequestStart;
  request[1] = address;
  request[2] = static_cast<std::uint8_t>(frameLength);
  request[3] = function;
  appendCrc16(request.data(), frameLength - 2);
  return frameLength;
}

bool kpsbox::Exchange(int frameLength) {
  // Each attempt starts clean; a failed earlier attempt must not end this one at once.
  resultCode = kSuccess;
  if (frameLength < kMinFrameLength || frameLength > kMaxFrameLength) {
    resultCode = kBadFunction;
    return false;
  }
  processEvents();
  const int count = preambleCount + frameLength;
  std::fill_n(transmit_.begin(), preambleCount, 0xFF);
  std::copy_n(request.begin(), frameLength, transmit_.begin() + preambleCount);
  if (send(count)) {
    receive();
    if (resultCode == kSuccess) checkResponse();
  }
  if (portHandle != kNoPort) PurgeComPort(portHandle);
  return resultCode == kSuccess;
}

bool kpsbox::send(int count) {
  if (linkType == kTcp) {
    pause(tcpSendPauseMs);
    discardWaitingBytes(tcpSocket);
    if (::send(tcpSocket, transmit_.data(), static_cast<size_t>(count), MSG_NOSIGNAL) != count) {
      resultCode = kSendFailed;
      return false;
    }
    return true;
  }
  SetComBaud(portHandle, baudRate);
  PurgeComPort(portHandle);
  // On a direct line RTS keys the RS-485 driver for exactly the frame, unless the kernel does it.
  const bool driveRts = linkType == kDirectLine && !ComKernelDrivesRts(portHandle);
  if (driveRts) {
    SetComRts(portHandle, true);
    std::this_thread::sleep_for(kRtsLeadTime);
  }
  const auto start = Clock::now();
  const std::chrono::duration<double> transmitTime((count + 1) * 10.0 / clampComSpeed(baudRate));
  if (!WriteComBytes(portHandle, transmit_.data(), count)) {
    ClearComErrors(portHandle);
    if (driveRts) SetComRts(portHandle, false);  // never leave the bus driven
    resultCode = kWriteFailed;
    return false;
  }
  if (driveRts) {
    std::this_thread::sleep_until(start +
                                  std::chrono::duration_cast<Clock::duration>(transmitTime));
    SetComRts(portHandle, false);
  }
  return true;
}

int kpsbox::readByte(std::uint8_t& byte) {
  if (linkType == kTcp) return readSocketByte(tcpSocket, byte);
  const int got = ReadComByte(portHandle, byte);
  if (got >= 0) return got;
  ClearComErrors(portHandle);
  return 0;
}

void kpsbox::receive() {
  response.fill(0);
  const auto deadline = Clock::now() + milliseconds(responseTimeoutMs);
  const auto gap = milliseconds(interByteTimeoutMs);
  const int descriptor = linkType == kTcp ? tcpSocket : portHandle;
  auto lastByte = Clock::now();
  int q = 0;
  for (;;) {
    processEvents();
    std::uint8_t byte = 0;
    const int got = readByte(byte);
    if (got < 0) {
      resultCode = kReceiveFailed;
      return;
    }
    if (got > 0) {
      q = acceptByte(q, byte);
      if (q >= 3 && q >= response[2]) return;
      lastByte = Clock::now();
    }
    const auto now = Clock::now();
    if (q < 2 && now > deadline) {
      resultCode = kNoAnswer;
      return;
    }
    if (q >= 2 && now > lastByte + gap) {
      resultCode = kInterByteTimeout;
      return;
    }
    if (got == 0) waitReadable(descriptor, q < 2 ? deadline : lastByte + gap);
  }
}

// Stores byte at response[q] and returns how many bytes are accepted now.
int kpsbox::acceptByte(int q, std::uint8_t byte) {
  response[q] = byte;
  switch (q) {
    case 0:
      return byte == kResponseStart ? 1 : 0;
    case 1:
      if (byte == address) return 2;
      if (request[1] == kAnyAddress) {
        address = byte;  // later commands go to the controller that answered
        return 2;
      }
      // Writing the controller's new address: it may answer from there; other bytes are noise.
      if (isAddressChange()) return byte == request[kPayload + 20] ? 2 : 1;
      return 0;
    case 2:
      return byte < kMinFrameLength ? 0 : 3;
    default:
      return q + 1;
  }
}

bool kpsbox::isAddressChange() const {
  return request[3] == kWriteTable && request[kPayload + 17] == 3 && request[kPayload + 18] == 0;
}

void kpsbox::checkResponse() {
  if (Crc16(response.data(), response[2]) != 0) {
    resultCode = kBadChecksum;
    return;
  }
  if (response[3] != (request[3] | 0x80)) {
    resultCode = kControllerError;
    SetControllerErrorText(response[kPayload]);
  }
}

bool kpsbox::OpenPort() {
  ClosePort();
  const auto giveUp = Clock::now() + std::chrono::seconds(portOpenWaitSeconds);
  for (;;) {
    portHandle = OpenComPort(comPort, comPortOverrides, baudRate, 8, 0, 0, kQueueSize, kQueueSize,
                             true, false);
    if (portHandle != kNoPort || Clock::now() >= giveUp) break;
    pause(kOpenRetryMs);
  }
  if (portHandle == kNoPort) {
    std::snprintf(portErrorText_, sizeof portErrorText_, "Коммуникационный порт COM%d недоступен",
                  comPort);
    resultCode = kPortUnavailable;
    return false;
  }
  SetComReadTimeouts(portHandle);
  SetComKernelRs485(portHandle, linkType == kDirectLine);
  SetComDtr(portHandle, true);
  pause(kOpenPauseMs);
  return true;
}

void kpsbox::ClosePort() {
  CloseComPort(portHandle);
  portHandle = kNoPort;
}

void kpsbox::SetControllerErrorText(int code) {
  if (code >= 1 && code < kControllerTextCount) {
    engineTexts[kControllerError] = controllerTexts[code];
    return;
  }
  std::snprintf(controllerErrorText_, sizeof controllerErrorText_, "Код ошибки = %d", code);
  engineTexts[kControllerError] = controllerErrorText_;
}

std::string_view kpsbox::ErrorText() {
  const bool known = resultCode >= 0 && resultCode < kResultCodeCount && engineTexts[resultCode];
  std::snprintf(textBuffer, sizeof textBuffer, "Команда %d.  %s", lastFunction,
                known ? engineTexts[resultCode] : "");
  // Only a controller's refusal carries the number of its destroyed table.
  if (resultCode == kControllerError && response[kPayload] == kDestroyedTableCode) {
    const std::size_t used = std::strlen(textBuffer);
    std::snprintf(textBuffer + used, sizeof textBuffer - used, " %d", response[kPayload + 2]);
  }
  return std::string_view(textBuffer, std::strlen(textBuffer));
}

void kpsbox::processEvents() {
  if (statusPanel) statusPanel->processEvents();
}

// Waits ms milliseconds, letting the user interface run.
void kpsbox::pause(int ms) {
  const auto until = Clock::now() + milliseconds(ms);
  while (Clock::now() < until) {
    waitReadable(-1, until);
    processEvents();
  }
}

}  // namespace zvc
