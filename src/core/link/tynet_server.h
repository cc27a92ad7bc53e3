#pragma once
// The Tynet bus server: an outside component that reaches devices through named connections
// of the field bus. The combined link uses its communication object and its connection
// chooser through these interfaces. On this platform no such server exists: the installed
// test is false and the link never routes through it; tests supply a fake.
#include <cstdint>
#include <memory>
#include <string>

namespace trivex {

// The server's communication object.
class TTynetComm {
 public:
  virtual ~TTynetComm() = default;
  // Obtains the communication object (a running instance or a new one); false on failure.
  virtual bool Connect() = 0;
  virtual void Disconnect() = 0;
  // 0 = last exchange fine; 10012 timeout, 10014 rejected (NAK), 10015 reply checksum wrong.
  virtual uint32_t LastError(uint16_t id) = 0;
  // Mode 1 online, 2 framed; an empty name is the server's default. Non-zero id = usable.
  virtual uint16_t OpenConnection(uint16_t mode, const std::string& name) = 0;
  virtual void CloseConnection(uint16_t id) = 0;
  virtual void Write(uint16_t id, const std::string& text) = 0;
  virtual std::string Read(uint16_t id) = 0;
  // 0 = no exchange running.
  virtual uint16_t Status(uint16_t id) = 0;
  virtual void ConnectionOption(uint16_t id, uint16_t value) = 0;
  // Non-zero: the server asks its clients to end.
  virtual uint16_t EndRequested() = 0;
};

// The server's connection chooser.
class TTConnectionDialog {
 public:
  virtual ~TTConnectionDialog() = default;
  // The chosen connection's name; empty when cancelled.
  virtual std::string ChooseConnection() = 0;
  // Non-zero when the settings were changed.
  virtual uint16_t ConnectionSettings() = 0;
};

inline constexpr uint32_t kTynetErrorTimeout = 10012;
inline constexpr uint32_t kTynetErrorRejected = 10014;
inline constexpr uint32_t kTynetErrorChecksum = 10015;

class TBusServer {
 public:
  virtual ~TBusServer() = default;
  virtual bool Installed() const = 0;
  virtual TTynetComm& Comm() = 0;
  virtual TTConnectionDialog& Dialog() = 0;
};

// The bus server of this computer: not installed here.
std::unique_ptr<TBusServer> CreatePlatformBusServer();
bool ServerInstalled();

}  // namespace trivex
