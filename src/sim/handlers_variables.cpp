// The fall-back handler: variable writes ("Name=value", "Name 1 2=value"), reads with any
// query suffix ("Name+#", "Name_+# 1 2", "Name#+ *", "Name#"), and the bare-name selection
// that a following "!+" reads (",Kenn,!+").
#include "sim_device.h"

namespace trivex::sim {
namespace {

bool Variables(ElementContext& ctx, std::string_view element, std::string& out) {
  SimDevice& d = ctx.device;
  std::string key, value;
  if (ParseWriteElement(element, key, value)) {
    d.vars.Set(key, std::move(value));
    return true;
  }
  if (IsBareName(element)) {
    d.selected = std::string(element);
    return true;
  }
  ReadElement read;
  if (!ParseReadElement(element, read)) return false;
  if (read.name.empty()) read.name = d.selected;
  if (read.name.empty()) {
    ctx.Refuse("Nothing selected");
    return true;
  }
  auto v = d.vars.Read(read);
  if (!v) {
    ctx.Refuse("Unknown variable " + read.name);
    return true;
  }
  out += *v;
  return true;
}

}  // namespace
}  // namespace trivex::sim

TRIVEX_SIM_HANDLER("variables", 1000, trivex::sim::Variables);
