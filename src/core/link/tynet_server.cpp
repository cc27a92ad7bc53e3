#include "link/tynet_server.h"

namespace trivex {
namespace {

class AbsentComm : public TTynetComm {
 public:
  bool Connect() override { return false; }
  void Disconnect() override {}
  uint32_t LastError(uint16_t) override { return 0; }
  uint16_t OpenConnection(uint16_t, const std::string&) override { return 0; }
  void CloseConnection(uint16_t) override {}
  void Write(uint16_t, const std::string&) override {}
  std::string Read(uint16_t) override { return {}; }
  uint16_t Status(uint16_t) override { return 0; }
  void ConnectionOption(uint16_t, uint16_t) override {}
  uint16_t EndRequested() override { return 0; }
};

class AbsentDialog : public TTConnectionDialog {
 public:
  std::string ChooseConnection() override { return {}; }
  uint16_t ConnectionSettings() override { return 0; }
};

class AbsentServer : public TBusServer {
 public:
  bool Installed() const override { return false; }
  TTynetComm& Comm() override { return comm_; }
  TTConnectionDialog& Dialog() override { return dialog_; }

 private:
  AbsentComm comm_;
  AbsentDialog dialog_;
};

}  // namespace

std::unique_ptr<TBusServer> CreatePlatformBusServer() { return std::make_unique<AbsentServer>(); }
bool ServerInstalled() { return false; }

}  // namespace trivex
