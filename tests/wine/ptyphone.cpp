#include "tests/wine/ptyphone.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <QtGlobal>

TPtyPhone::TPtyPhone(bool answers, int size, bool echoes)
    : answers_(answers), size_(size), echoes_(echoes) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
    qFatal("no pseudo-terminal for the test");
  device_ = QString::fromLocal8Bit(ptsname(master_));
  slave_ = ::open(ptsname(master_), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  if (slave_ < 0 || tcgetattr(slave_, &raw) != 0)
    qFatal("cannot open %s", qPrintable(device_));
  // Bytes as they are, no echo: a serial line.
  cfmakeraw(&raw);
  tcsetattr(slave_, TCSANOW, &raw);
  thread_ = std::thread([this] { Serve(); });
}

TPtyPhone::~TPtyPhone() {
  stop_ = true;
  thread_.join();
  ::close(slave_);
  ::close(master_);
}

QByteArray TPtyPhone::Received() const {
  const std::lock_guard<std::mutex> guard(lock_);
  return received_;
}

void TPtyPhone::Serve() {
  while (!stop_) {
    pollfd wait{master_, POLLIN, 0};
    if (::poll(&wait, 1, 20) <= 0 || !(wait.revents & POLLIN))
      continue;
    char bytes[256];
    const ssize_t got = ::read(master_, bytes, sizeof bytes);
    if (got <= 0)
      continue;
    {
      const std::lock_guard<std::mutex> guard(lock_);
      received_.append(bytes, int(got));
    }
    pending_.append(bytes, int(got));
    for (int end = pending_.indexOf('\r'); end >= 0; end = pending_.indexOf('\r')) {
      Answer(pending_.left(end));
      pending_.remove(0, end + 1);
    }
  }
}

void TPtyPhone::Answer(const QByteArray& line) {
  if (!answers_)
    return;
  const QByteArray answer = (echoes_ ? line + "\r\r\n" : QByteArray()) +
                            (line == "AT"               ? QByteArray("OK\r\n")
                             : line.startsWith("SIZE ") ? QByteArray::number(size_) + "\r\n"
                                                        : QByteArray("ERROR\r\n"));
  if (::write(master_, answer.constData(), size_t(answer.size())) != answer.size())
    qWarning("the pseudo-terminal took only part of an answer");
}
