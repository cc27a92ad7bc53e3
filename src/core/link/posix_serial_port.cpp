// The serial port on POSIX systems: termios settings, poll() waits, exclusive use through
// TIOCEXCL and an advisory lock.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <linux/serial.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <set>

#include "link/serial_port.h"

namespace trivex {
namespace {

speed_t SpeedOf(uint32_t baud) {
  switch (baud) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    case 1152000: return B1152000;
    case 1500000: return B1500000;
    case 2000000: return B2000000;
    case 2500000: return B2500000;
    case 3000000: return B3000000;
    case 3500000: return B3500000;
    case 4000000: return B4000000;
    default: return 0;
  }
}

int PollTimeoutMs(std::chrono::nanoseconds wait) {
  if (wait <= std::chrono::nanoseconds::zero()) return 0;
  // Round up so that a wait of a fraction of a millisecond still waits.
  auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() { wake_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC); }
  ~PosixSerialPort() override {
    Close();
    if (wake_ >= 0) close(wake_);
  }

  int Open(const std::string& path) override {
    Close();
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    // Exclusive use: the advisory lock keeps out every program that asks for it (root
    // included), TIOCEXCL every further open of the terminal by ordinary users.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      int e = errno;
      close(fd);
      return e == EWOULDBLOCK ? EBUSY : e;
    }
    ioctl(fd, TIOCEXCL);
    fd_ = fd;
    return 0;
  }

  int Configure(const TPortConfig& c) override {
    if (fd_ < 0) return EBADF;
    termios t{};
    if (tcgetattr(fd_, &t) != 0) return errno;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CMSPAR);
    switch (c.data_bits) {
      case 5: t.c_cflag |= CS5; break;
      case 6: t.c_cflag |= CS6; break;
      case 7: t.c_cflag |= CS7; break;
      default: t.c_cflag |= CS8; break;
    }
    switch (c.parity) {
      case 1: t.c_cflag |= PARENB | PARODD; break;
      case 2: t.c_cflag |= PARENB; break;
      case 3: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
      case 4: t.c_cflag |= PARENB | CMSPAR; break;
      default: break;
    }
    t.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF | IXANY);
    if (c.parity_check && c.parity != 0) t.c_iflag |= INPCK;
    // One and a half stop bits do not exist here: such a port runs with two.
    if (c.stop_bits != 0) t.c_cflag |= CSTOPB;
    if (c.cts_flow || c.rts_control == kRtsHandshake) t.c_cflag |= CRTSCTS;
    if (c.xon_xoff_out) t.c_iflag |= IXON;
    if (c.xon_xoff_in) t.c_iflag |= IXOFF;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    speed_t speed = SpeedOf(c.baud);
    int result = 0;
    if (speed == 0) result = EINVAL;
    else if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) result = errno;
    if (tcsetattr(fd_, TCSANOW, &t) != 0 && result == 0) result = errno;

    // Modem control lines. A pseudo-terminal refuses these requests; that is no error.
    int dtr = TIOCM_DTR;
    ioctl(fd_, TIOCMBIS, &dtr);
    soft_toggle_ = false;
    if (c.rts_control == kRtsToggle) {
      serial_rs485 rs{};
      rs.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
      if (ioctl(fd_, TIOCSRS485, &rs) != 0) soft_toggle_ = true;  // the driver has no RS485 mode
      SetRts(false);
    } else if (c.rts_control != kRtsHandshake) {
      SetRts(c.rts_control == kRtsOn);
    }
    return result;
  }

  void Close() override {
    if (fd_ < 0) return;
    ioctl(fd_, TIOCNXCL);  // a terminal that stays open elsewhere must not stay exclusive
    flock(fd_, LOCK_UN);
    close(fd_);
    fd_ = -1;
  }

  bool IsOpen() const override { return fd_ >= 0; }

  long Read(uint8_t* data, size_t size, std::chrono::nanoseconds wait) override {
    if (fd_ < 0) return -1;
    ssize_t n = read(fd_, data, size);
    if (n > 0) return n;
    if (n < 0 && errno != EAGAIN && errno != EINTR) return -1;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
    int r = poll(fds, 2, PollTimeoutMs(wait));
    if (r <= 0) return r < 0 && errno != EINTR ? -1 : 0;
    if (fds[1].revents & POLLIN) {
      uint64_t v;
      ssize_t d = read(wake_, &v, sizeof v);
      (void)d;
    }
    if (fds[0].revents & (POLLERR | POLLNVAL)) return -1;
    if (!(fds[0].revents & (POLLIN | POLLHUP))) return 0;
    n = read(fd_, data, size);
    if (n > 0) return n;
    if (n < 0 && errno != EAGAIN && errno != EINTR) return -1;
    // The other end hung up (an unplugged adapter, a simulator that ended): no more input.
    if (fds[0].revents & POLLHUP) return -1;
    return 0;
  }

  long Write(const uint8_t* data, size_t size, std::chrono::nanoseconds wait) override {
    if (fd_ < 0) return -1;
    if (soft_toggle_) SetRts(true);
    auto deadline = std::chrono::steady_clock::now() + wait;
    size_t done = 0;
    while (done < size) {
      ssize_t n = write(fd_, data + done, size - done);
      if (n > 0) {
        done += static_cast<size_t>(n);
        continue;
      }
      if (n < 0 && errno != EAGAIN && errno != EINTR) break;
      auto left = deadline - std::chrono::steady_clock::now();
      if (left <= std::chrono::nanoseconds::zero()) break;
      pollfd p{fd_, POLLOUT, 0};
      if (poll(&p, 1, PollTimeoutMs(left)) < 0 && errno != EINTR) break;
    }
    if (soft_toggle_) {
      tcdrain(fd_);  // the last bit has left the line: release the bus
      SetRts(false);
    }
    return done == size ? static_cast<long>(done) : -1;
  }

  void Purge(bool input, bool output) override {
    if (fd_ < 0 || (!input && !output)) return;
    tcflush(fd_, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH);
  }

  void Wake() override {
    uint64_t one = 1;
    ssize_t r = write(wake_, &one, sizeof one);
    (void)r;
  }

 private:
  void SetRts(bool on) {
    int bit = TIOCM_RTS;
    ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
  }

  int fd_ = -1;
  int wake_ = -1;
  bool soft_toggle_ = false;
};

// Trailing number of a device name ("ttyUSB12" -> 12) for a natural order.
long TrailingNumber(const std::string& name) {
  size_t i = name.size();
  while (i > 0 && name[i - 1] >= '0' && name[i - 1] <= '9') --i;
  return i == name.size() ? -1 : std::strtol(name.c_str() + i, nullptr, 10);
}

std::vector<std::string> DevicesWithPrefix(const std::string& prefix) {
  std::vector<std::string> names;
  if (DIR* d = opendir("/dev")) {
    while (dirent* e = readdir(d)) {
      std::string n = e->d_name;
      if (n.rfind(prefix, 0) == 0 && n.size() > prefix.size()) names.push_back(n);
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return TrailingNumber(a) < TrailingNumber(b);
  });
  return names;
}

// A /dev/ttyS* node exists for every possible 8250 port; only those whose UART type is
// known are real ports.
bool HasRealUart(const std::string& name) {
  std::ifstream type("/sys/class/tty/" + name + "/type");
  int t = 0;
  if (type >> t) return t != 0;
  struct stat st {};
  return stat(("/sys/class/tty/" + name + "/device/driver").c_str(), &st) == 0;
}

std::string RealPath(const std::string& path) {
  char buf[PATH_MAX];
  return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

}  // namespace

std::unique_ptr<SerialPort> CreatePosixSerialPort() { return std::make_unique<PosixSerialPort>(); }

std::vector<std::string> ListSystemPorts() {
  std::vector<std::string> out;
  std::set<std::string> seen;
  auto add = [&](const std::string& path) {
    if (seen.insert(RealPath(path)).second) out.push_back(path);
  };
  for (const auto& n : DevicesWithPrefix("ttyS"))
    if (HasRealUart(n)) add("/dev/" + n);
  // USB adapters: shown under their stable by-id name when there is one.
  std::vector<std::pair<std::string, std::string>> by_id;  // real path, link
  if (DIR* d = opendir("/dev/serial/by-id")) {
    while (dirent* e = readdir(d)) {
      if (e->d_name[0] == '.') continue;
      std::string link = std::string("/dev/serial/by-id/") + e->d_name;
      by_id.emplace_back(RealPath(link), link);
    }
    closedir(d);
    std::sort(by_id.begin(), by_id.end());
  }
  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    for (const auto& n : DevicesWithPrefix(prefix)) {
      std::string dev = "/dev/" + n;
      auto it = std::find_if(by_id.begin(), by_id.end(), [&](const auto& p) { return p.first == dev; });
      add(it != by_id.end() ? it->second : dev);
    }
  }
  for (const auto& [real, link] : by_id) add(link);
  return out;
}

std::string CanonicalPortPath(const std::string& path) { return RealPath(path); }

bool IsMissingDeviceError(int error) { return error == ENOENT || error == ENODEV || error == ENXIO; }
bool IsPortBusyError(int error) { return error == EBUSY || error == EWOULDBLOCK; }
bool IsPermissionError(int error) { return error == EACCES || error == EPERM; }

}  // namespace trivex
