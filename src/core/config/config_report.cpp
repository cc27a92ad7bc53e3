#include "config/config_report.h"

#include "config/device_id.h"
#include "config/port_settings.h"
#include "config/variable_table.h"
#include "config/version_number.h"
#include "config/zyr_d_data.h"
#include "config/zyr_dm_data.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_cfgfile.h"

namespace trivex {

namespace {
std::string Esc(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

void Block(std::string& h, const BlockValues& b) {
  h += "<h2>" + Esc(b.desc().section) + "</h2><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">";
  for (size_t i = 0; i < b.size(); ++i) {
    const VarDesc& d = b.desc().vars[i];
    h += "<tr><td>" + Esc(d.name) + "</td><td>" + Esc(VarValueText(d, b[static_cast<int>(i)])) + "</td></tr>";
  }
  h += "</table>";
}
}  // namespace

std::string ConfigReportHtml(const TZyrData& c, DateTime printed) {
  std::string h = "<html><body>";
  h += "<h1>" + Esc(Format(lang::Tr(tx::cfgfile::ReportTitle), {c.CaptionText()})) + "</h1>";
  h += "<p>" + Esc(Format(lang::Tr(tx::cfgfile::ReportPrinted), {FormatDateTime("yyyy-mm-dd hh:nn", printed, '-', ':')})) + "</p>";
  h += "<h2>" + Esc(lang::Tr(tx::cfgfile::ReportGeneral)) + "</h2><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">";
  const std::pair<const char*, std::string> general[] = {
      {"SystemType", std::string(EnumName(c.system_type))},
      {"MasterId", DeviceIdText(c.master_id)},
      {"ZyrUearth", FormatG(c.ZyrUearth)},
      {"ZyrEMsgDelay", FormatG(c.ZyrEMsgDelay)},
      {"ZyrMsgBreak", FormatG(c.ZyrMsgBreak)},
      {"ZyrLogTime", std::to_string(c.ZyrLogTime)},
      {"LastReadVersion", c.last_read_version ? VersionText(c.last_read_version) : std::string()},
      {"LastSentVersion", c.last_sent_version ? VersionText(c.last_sent_version) : std::string()},
  };
  for (const auto& [k, v] : general) h += "<tr><td>" + Esc(k) + "</td><td>" + Esc(v) + "</td></tr>";
  h += "</table>";

  h += "<h2>" + Esc(lang::Tr(tx::cfgfile::ReportDevices)) + "</h2><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>";
  const char* heads = lang::Tr(tx::cfgfile::ReportDeviceHead);
  for (int i = 0; i < lang::ListCount(heads); ++i) h += "<th>" + Esc(std::string(lang::ListItem(heads, i))) + "</th>";
  h += "</tr>";
  for (int p = 0; p < c.DeviceCount(); ++p) {
    const TDeviceRecord& r = c.devices[static_cast<size_t>(p)];
    const std::string cells[] = {DeviceIdText(r.id),           r.name,
                                 ComSettingsText(r.com1),      ComSettingsText(r.com2),
                                 TynetSettingsText(r.tynet_l), TynetSettingsText(r.tynet_r),
                                 Format("%.8X", {c.config_ids[static_cast<size_t>(p)]})};
    h += "<tr>";
    for (const auto& cell : cells) h += "<td>" + Esc(cell) + "</td>";
    h += "</tr>";
  }
  h += "</table>";

  if (const auto* d = dynamic_cast<const TZyrDData*>(&c)) {
    for (const BlockValues* b : {&d->harmonics, &d->pulsing, &d->transients, &d->qui, &d->wattmetric}) Block(h, *b);
  } else if (const auto* m = dynamic_cast<const TZyrDmData*>(&c)) {
    for (const BlockValues* b : {&m->general, &m->wattmetric, &m->dif}) Block(h, *b);
  }

  h += "<h2>" + Esc(lang::Tr(tx::cfgfile::ReportNetList)) + "</h2><pre>";
  for (const auto& line : c.switches) h += Esc(line) + "\n";
  h += "</pre></body></html>";
  return h;
}

}  // namespace trivex
