#pragma once
// The device variables of one simulated device: names with optional blank-separated indices
// ("ZyrWLog", "ZyrMRelFu 1 2", "ZyrWImin I1"), each holding the text that was last written.
// Names are compared without regard to case, as the device's command interpreter does.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trivex::sim {

// A read element: name, query suffix ("+#", "_+#", "#+", "#", "+.", "!+", ...) and the
// blank-separated index words after it ("*" means every element).
struct ReadElement {
  std::string name;
  std::string suffix;
  std::vector<std::string> indices;
};

// "ZyrMRelFu_+# 1 2" -> {ZyrMRelFu, _+#, {1, 2}}. False when the element is not a read.
bool ParseReadElement(std::string_view element, ReadElement& out);
// "ZyrMRelFu 1 2=3" -> key "ZyrMRelFu 1 2", value "3"; a value in double quotes loses them.
bool ParseWriteElement(std::string_view element, std::string& key, std::string& value);
// A bare name ("Kenn", "nf4m"): letters and digits only.
bool IsBareName(std::string_view element);

class VariableStore {
 public:
  void Set(std::string_view key, std::string value);
  std::optional<std::string> Get(std::string_view key) const;
  bool Has(std::string_view key) const { return Get(key).has_value(); }
  // Every element "name i ..." of an array, in ascending order of the indices (numbers
  // numerically), as values.
  std::vector<std::string> Elements(std::string_view name) const;
  // The value a read element asks for: one element, or all of them joined by blanks.
  std::optional<std::string> Read(const ReadElement& read) const;
  size_t size() const { return values_.size(); }

 private:
  static std::string Normalise(std::string_view key);
  std::map<std::string, std::string> values_;  // normalised key -> value
};

}  // namespace trivex::sim
