#pragma once
// TLogbookFetch: copies a device's logbook ring into its log file and keeps the file up to
// date. The first fetch copies every record the device holds; later fetches read the newest
// local record again, replace it when the device has added to it, and append only what is
// new; when the device ring has overwritten records the file does not have yet, reading
// continues at the device's oldest record after a gap.
//
// Device side: prefix + "fread.+ log.h 0 *" gives the ring header in the log file's header
// text form (fi = oldest slot, li = newest slot, mod = number of slots); prefix + "fread.+ log
// N" gives the record in slot N as raw bytes (a reply of 7 bytes or fewer, or one without
// data words, means there is nothing more to read).
//
// The log file is never left worse than it was: nothing is written until the fetch ends; an
// interrupted fetch (Stop, Abort, a device that stops answering) appends only complete
// events; a failure (bad data from the device, a file that cannot be written) leaves the file
// and the records in memory as they were. A complete fetch (`full`) is built aside and
// replaces the file only when it reached the device's newest record.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "logbook/device_chooser.h"
#include "logbook/log_file_header.h"
#include "logbook/log_record_list.h"

namespace trivex {

class AppUi;
class LogbookFetchUi;
class TKombiCommunicator;
class TLogbookFetchExchange;

// The file name a fetch proposes: type + "_" + name + "_" + id, with '<', '>', '/', '\' and
// ':' replaced by '_' ("ZYR-D_Sub_Nord_1_A1").
std::string ProposedLogFileName(std::string_view type, std::string_view name, std::string_view id);

// Whether slot `slot` holds a record of a ring whose oldest slot is fi and newest li.
bool RingSlotInUse(int64_t slot, int64_t fi, int64_t li);

struct TLogFetchOptions {
  bool full = false;  // start a new file instead of extending the chosen one
};

struct TLogFetchResult {
  enum Outcome {
    kCancelled,    // a dialog was cancelled or the mismatch question answered No
    kClosedFile,   // the chosen file is closed: nothing to do
    kNoLink,       // the link could not be opened, or the device is not on the bus
    kNothing,      // the device's ring is empty
    kNoLogbook,    // the device keeps no logbook
    kBadRing,      // the device reports slot numbers outside its ring
    kAborted,      // stopped (Stop, Abort, a failed exchange) with the file unchanged
    kComplete,     // read up to the device's newest record and saved
    kInterrupted,  // ended early; what was read (complete events only) is saved, except
                   // for a complete fetch (`full`), which then leaves the file as it was
    kFailed,       // bad data or a file error; file and records are unchanged
  };
  Outcome outcome = kCancelled;
  bool file_chosen = false;   // `path` names the chosen file (it has been loaded)
  std::string path;
  bool saved = false;
  bool user_abort = false;    // Stop or Abort ended the reading
  int link_result = 0;        // the last failed exchange (0: none failed)
  int records_read = 0;       // records read from the device (a replaced one included)
  std::string message;        // what went wrong, already shown to the user
};

class TLogbookFetch {
 public:
  // Ring and record commands.
  static std::string HeaderCommand(std::string_view prefix);           // prefix + "fread.+ log.h 0 *"
  static std::string RecordCommand(std::string_view prefix, int slot);  // prefix + "fread.+ log %d"
  static constexpr const char* kAllowedTypes = "ZYR-D;VAD-AZ;ZYR-DM;ZED-UDE";

  // The chooser keeps its device list between fetches, which "Update" relies on.
  TLogbookFetch(TKombiCommunicator& link, AppUi& app, LogbookFetchUi& ui, TDeviceChooser& chooser);

  // "Read Logfile from Device...": the chooser (the device of `prefix` preselected), the log
  // file dialog with the proposed name, then the chosen file is loaded into header and
  // records and fetched into. `prefix` becomes the chosen device's address text.
  TLogFetchResult ReadFromDevice(std::string& prefix, TLogFileHeader& header, TLogRecordList& records,
                                 TLogFetchOptions options = {});
  // "Update current Logfile": fetches into the loaded file without dialogs, from the device
  // of `prefix` in the list of the last scan (scanned again when it is not there).
  TLogFetchResult Update(const std::string& prefix, const std::string& path, TLogFileHeader& header,
                         TLogRecordList& records);
  // The fetch itself for a chosen device into a loaded file.
  TLogFetchResult Fetch(const TChooserEntry& device, const std::string& path, TLogFileHeader& header,
                        TLogRecordList& records, TLogFetchOptions options = {});

 private:
  enum class ReadState { kRecord, kEnd, kAbort };
  // Reads the record in `slot`: kEnd when the device has none there or the exchange failed
  // (`result` tells which), kAbort when the user-abort flag is set.
  ReadState ReadSlot(const std::string& prefix, int slot, std::unique_ptr<TLogRecord>& record, int& result);
  // Reads the device header; false when the exchange was aborted. A reply that is no valid
  // header leaves `header` empty.
  bool ReadDeviceHeader(const std::string& prefix, TLogFileHeader& header);

  TKombiCommunicator& link_;
  AppUi& app_;
  LogbookFetchUi& ui_;
  TDeviceChooser& chooser_;
  TLogbookFetchExchange* exchange_ = nullptr;  // while a fetch runs
};

}  // namespace trivex
