#pragma once
// TDeviceChooser: what the device selection dialog knows. It scans the link for the devices
// on the bus ("aa:dir+", then "device.+" and "ver.+" of each), keeps them in directory order
// with their names, types and firmware versions, offers only the allowed types and remembers
// the selection between scans. The logbook fetch, the fault record and recorder fetches and
// the configuration transfers show it, each under its own caption.
#include <string>
#include <string_view>
#include <vector>

namespace trivex {

class TKombiCommunicator;

struct TChooserEntry {
  std::string address;  // directory line, used unchanged as the request prefix ("A1:")
  std::string name;     // "device.+"
  std::string type;     // "ver.+" before the ';'
  int version = 0;      // "ver.+" after the ';': 1.1.03 -> 1103; 0 when unknown
};

class TDeviceChooser {
 public:
  static constexpr unsigned kScanTimeoutMs = 5000;

  // Scans the link: closes it, opens it again in framed mode with its own open hook, asks the
  // devices, then closes it and puts the link's hooks and state back as they were. The
  // selection is kept by address text; when the device at the port has the name of another
  // entry than the first, that entry is selected. False when the link could not be opened
  // (the list is then empty).
  bool Scan(TKombiCommunicator& link);
  // The link result of the directory request of the last scan (0 success).
  int ScanResult() const { return scan_result_; }
  // Replaces the list (what a scan found; also for tests). `port_name` is the name of the
  // device at the port.
  void SetEntries(std::vector<TChooserEntry> entries, const std::string& port_name);

  int Count() const { return static_cast<int>(entries_.size()); }
  // Empty or 0 for an index outside the list.
  const TChooserEntry& Entry(int index) const;
  std::string Address(int index) const { return Entry(index).address; }
  std::string Name(int index) const { return Entry(index).name; }
  std::string Type(int index) const { return Entry(index).type; }
  int Version(int index) const { return Entry(index).version; }

  // Selects the entry with this address text (case-insensitive); without one the selection
  // stays as it is and false is returned.
  bool Select(std::string_view address);
  void SelectIndex(int index);  // -1: none
  int Selected() const { return selected_; }
  // The selected entry; an empty entry when none is selected.
  const TChooserEntry& SelectedEntry() const { return Entry(selected_); }

  // Allowed type names separated by ';' (empty: every type), compared without case.
  void SetAllowedTypes(std::string types) { allowed_ = std::move(types); }
  const std::string& AllowedTypes() const { return allowed_; }
  bool IsAllowed(int index) const;
  // OK may be pressed: an entry is selected and its type is allowed.
  bool OkEnabled() const { return selected_ >= 0 && IsAllowed(selected_); }

  // The caption; empty means the logbook's "Read Logfile From".
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  std::string CaptionText() const;

  // Column widths in characters: the widest address text and the widest quoted name.
  int AddressWidth() const;
  int NameWidth() const;
  // An entry as three columns: address, the name in double quotes, the type in parentheses.
  std::string EntryText(int index) const;

 private:
  std::vector<TChooserEntry> entries_;
  int selected_ = -1;
  std::string allowed_;
  std::string caption_;
  int scan_result_ = 0;
};

}  // namespace trivex
