#pragma once
// One serial port as the operating system offers it. The link keeps its timeout model and
// framing above this; the port only opens, configures, waits, reads and writes.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/port_config.h"

namespace trivex {

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens the device for exclusive use: 0, or the system's error number (EBUSY when another
  // program holds the port).
  virtual int Open(const std::string& path) = 0;
  // Applies the line settings: 0, or the system's error number (the port stays open).
  virtual int Configure(const TPortConfig& config) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Waits up to `wait` for input, then reads what has arrived, at most `size` bytes.
  // Returns the count (0 when nothing came or Wake() was called), -1 on a failure.
  virtual long Read(uint8_t* data, size_t size, std::chrono::nanoseconds wait) = 0;
  // Writes all bytes, waiting at most `wait` for room: the count written, -1 on a failure.
  virtual long Write(const uint8_t* data, size_t size, std::chrono::nanoseconds wait) = 0;
  // Discards pending input and/or output.
  virtual void Purge(bool input = true, bool output = true) = 0;
  // Makes a Read that waits (now or next) return at once; callable from any thread.
  virtual void Wake() = 0;
};

// The port of this platform (termios).
std::unique_ptr<SerialPort> CreatePosixSerialPort();

// The serial devices of this computer in the order the port table numbers them: ports with
// a real UART (/dev/ttyS*), USB adapters (/dev/ttyUSB*, /dev/ttyACM*) and the remaining
// /dev/serial/by-id links; each device once.
std::vector<std::string> ListSystemPorts();

// The device a path names, with links resolved (the path itself when it does not resolve).
std::string CanonicalPortPath(const std::string& path);

// True when the open error means that the device is gone (unplugged, never there).
bool IsMissingDeviceError(int error);
// True when the open error means that another program holds the port.
bool IsPortBusyError(int error);
// True when the user lacks the permission to open the device.
bool IsPermissionError(int error);

}  // namespace trivex
