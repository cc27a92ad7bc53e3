#include "link/link_settings.h"

#include "app/x_registry.h"
#include "lang/format.h"

namespace trivex {

void ReadPortConfigs(SettingsStore& store, TCommunicator& serial) {
  for (int i = 1; i <= serial.PortCount(); ++i) {
    int number = serial.GetComIdx2Num(i);
    auto text = store.Read(kKeyTerminal, Format("Com%dSettings", {number}));
    if (!text) continue;
    if (auto config = PortConfigFromText(*text)) serial.SetCommConfigByIdx(i, *config);
  }
}

void ReadLinkSettings(SettingsStore& store, TKombiCommunicator& link, const std::string& port_path) {
  XRegistry reg(store, kKeyTerminal);
  TCommunicator& serial = link.Serial();
  link.Close();
  serial.SetExtraPorts(reg.ReadList("ExtraPort%d"));
  if (!port_path.empty()) serial.SetSessionPorts({port_path});
  serial.ScanPorts();
  int number = port_path.empty() ? reg.ReadInt("ComNum", 1) : serial.FindComNum(port_path);
  if (!serial.PortPath(number).empty()) serial.SetComNum(number);
  else if (serial.PortCount() > 0) serial.SetComIdx(1);
  ReadPortConfigs(store, serial);
  if (link.ServerInstalled()) link.SetUseServer(reg.ReadBool("UseKxoServer", false));
}

void WriteLinkSettings(SettingsStore& store, const TKombiCommunicator& link) {
  XRegistry reg(store, kKeyTerminal);
  const TCommunicator& serial = link.Serial();
  reg.WriteInt("ComNum", serial.ComNum());
  for (int i = 1; i <= serial.PortCount(); ++i)
    reg.WriteString(Format("Com%dSettings", {serial.GetComIdx2Num(i)}), PortConfigToText(serial.GetCommConfigByIdx(i)));
  reg.WriteList("ExtraPort%d", serial.ExtraPorts());
  if (link.ServerInstalled()) reg.WriteBool01("UseKxoServer", link.UseServer());
}

}  // namespace trivex
