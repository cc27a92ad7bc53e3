#include "logbook/logbook_fetch.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "config/cp1252.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_fetch.h"
#include "link/kombi_communicator.h"
#include "logbook/log_file.h"
#include "logbook/logbook_fetch_exchange.h"
#include "logbook/logbook_fetch_ui.h"
#include "logbook/text_stream.h"

namespace trivex {
namespace {

bool RingValid(const TLogFileHeader& h) {
  return h.mod > 0 && h.mod <= static_cast<uint32_t>(std::numeric_limits<int>::max()) && h.fi >= 0 &&
         h.li >= 0 && static_cast<uint32_t>(h.fi) < h.mod && static_cast<uint32_t>(h.li) < h.mod;
}

// Moves every record of `from` to the end of `to`.
void MoveRecords(TLogRecordList& from, TLogRecordList& to) {
  for (int i = 0; i < from.Count(); ++i) to.Add(from.Replace(i, nullptr));
  from.Clear();
}

}  // namespace

std::string ProposedLogFileName(std::string_view type, std::string_view name, std::string_view id) {
  std::string out;
  out.reserve(type.size() + name.size() + id.size() + 2);
  out.append(type).append("_").append(name).append("_").append(id);
  for (char& c : out)
    if (c == '<' || c == '>' || c == '/' || c == '\\' || c == ':') c = '_';
  return out;
}

bool RingSlotInUse(int64_t slot, int64_t fi, int64_t li) {
  if (li >= fi) return fi <= slot && slot <= li;
  return slot >= fi || slot <= li;  // the ring has wrapped
}

std::string TLogbookFetch::HeaderCommand(std::string_view prefix) {
  return std::string(prefix) + "fread.+ log.h 0 *";
}

std::string TLogbookFetch::RecordCommand(std::string_view prefix, int slot) {
  return Format("%sfread.+ log %d", {prefix, slot});
}

TLogbookFetch::TLogbookFetch(TKombiCommunicator& link, AppUi& app, LogbookFetchUi& ui, TDeviceChooser& chooser)
    : link_(link), app_(app), ui_(ui), chooser_(chooser) {}

TLogbookFetch::ReadState TLogbookFetch::ReadSlot(const std::string& prefix, int slot,
                                                 std::unique_ptr<TLogRecord>& record, int& result) {
  std::string reply;
  if (!exchange_->Exchange(RecordCommand(prefix, slot), reply, &result)) return ReadState::kAbort;
  if (reply.size() <= 7 || reply[5] == 0) return ReadState::kEnd;
  record = std::make_unique<TLogRecord>(reinterpret_cast<const uint8_t*>(reply.data()), reply.size());
  return ReadState::kRecord;
}

bool TLogbookFetch::ReadDeviceHeader(const std::string& prefix, TLogFileHeader& header) {
  std::string reply;
  header.Clear();
  if (!exchange_->Exchange(HeaderCommand(prefix), reply)) return false;
  // Names come in the device's character set; the program keeps UTF-8.
  header.Parse(TrimBlanks(Cp1252ToUtf8(reply)));
  return true;
}

TLogFetchResult TLogbookFetch::ReadFromDevice(std::string& prefix, TLogFileHeader& header, TLogRecordList& records,
                                              TLogFetchOptions options) {
  TLogFetchResult res;
  chooser_.Select(prefix);
  chooser_.SetAllowedTypes(kAllowedTypes);
  chooser_.SetCaption({});
  if (!ui_.ChooseDevice(chooser_) || !chooser_.OkEnabled()) return res;
  const TChooserEntry device = chooser_.SelectedEntry();
  const std::string id = device.address.empty() ? std::string() : device.address.substr(0, device.address.size() - 1);
  std::string path;
  if (!ui_.ChooseLogFile(ProposedLogFileName(device.type, device.name, id), path)) return res;
  res.file_chosen = true;
  res.path = path;
  if (!options.full) {
    try {
      LoadLogFile(path, header, records);
    } catch (const std::runtime_error& e) {
      // Fetching into a file that was read only in part would drop the rest of it.
      ui_.ShowError(lang::Tr(tx::fetch::CaptionError), e.what());
      res.outcome = TLogFetchResult::kFailed;
      res.message = e.what();
      return res;
    }
    if (header.closed) {
      res.outcome = TLogFetchResult::kClosedFile;
      return res;
    }
  }
  prefix = device.address;
  TLogFetchResult fetched = Fetch(device, path, header, records, options);
  fetched.file_chosen = true;
  return fetched;
}

TLogFetchResult TLogbookFetch::Update(const std::string& prefix, const std::string& path, TLogFileHeader& header,
                                      TLogRecordList& records) {
  TLogFetchResult res;
  res.path = path;
  if (path.empty() || header.IsEmpty() || !header.IsValid() || header.closed) {
    res.outcome = TLogFetchResult::kClosedFile;
    return res;
  }
  // The list of the last scan; a device missing there (no scan since the program started)
  // is looked for on the bus once more.
  if (!chooser_.Select(prefix)) {
    chooser_.Scan(link_);
    if (!chooser_.Select(prefix)) {
      res.outcome = TLogFetchResult::kNoLink;
      res.message = Format(lang::Tr(tx::fetch::DeviceNotInList), {prefix});
      ui_.ShowError(lang::Tr(tx::fetch::CaptionError), res.message);
      return res;
    }
  }
  return Fetch(chooser_.SelectedEntry(), path, header, records);
}

TLogFetchResult TLogbookFetch::Fetch(const TChooserEntry& device, const std::string& path, TLogFileHeader& header,
                                     TLogRecordList& records, TLogFetchOptions options) {
  namespace fs = std::filesystem;
  TLogFetchResult res;
  res.path = path;
  res.file_chosen = true;
  const std::string& prefix = device.address;
  const std::string id = prefix.empty() ? std::string() : prefix.substr(0, prefix.size() - 1);

  TLogbookFetchExchange exchange(link_, app_, ui_);
  exchange_ = &exchange;
  struct Reset {
    TLogbookFetchExchange*& p;
    ~Reset() { p = nullptr; }
  } reset{exchange_};
  exchange.SetOperation(TLogbookFetchExchange::kReadLogfile);
  exchange.SetBinaryCheck(LogBinaryCheckMode(device.type, device.version));
  auto fail = [&](TLogFetchResult::Outcome outcome, const std::string& message, const lang::Text3* caption) {
    res.outcome = outcome;
    res.message = message;
    res.link_result = exchange.LastFailure();
    res.user_abort = UserAbort();
    exchange.Close();
    if (caption) ui_.ShowError(lang::Tr(*caption), message);
    return res;
  };
  if (!exchange.Open()) {
    res.outcome = TLogFetchResult::kNoLink;
    res.message = lang::Tr(tx::fetch::LinkNotOpen);
    return res;  // the link has told the user why
  }

  std::error_code ec;
  const bool file_exists = fs::is_regular_file(path, ec);
  const bool new_file = options.full || !file_exists || header.typ.empty();
  if (!new_file && (header.name != device.name || header.id != id || !EqualsNoCase(header.typ, device.type))) {
    if (!ui_.AskYesNo(lang::Tr(tx::fetch::CaptionConflict), lang::Tr(tx::fetch::Mismatch)))
      return fail(TLogFetchResult::kCancelled, {}, nullptr);
  }

  // What is read goes into `tail` first; the caller's header and records change only once the
  // file has been written.
  TLogFileHeader dev;
  TLogRecordList tail;
  std::vector<int> tail_slots;  // ring slot of each record of `tail`
  bool replace_last = false;    // tail[0] replaces the file's last record
  bool done = false, anything_read = false, first_record = true;
  int64_t i = 0, last = 0;
  try {
    if (!ReadDeviceHeader(prefix, dev)) return fail(TLogFetchResult::kAborted, {}, nullptr);
    if (dev.mod == 0 || dev.bis == 0) {
      return fail(exchange.LastFailure() != 0 ? TLogFetchResult::kAborted : TLogFetchResult::kNothing, {}, nullptr);
    }
    if (dev.typ.empty())
      return fail(TLogFetchResult::kNoLogbook, lang::Tr(tx::fetch::NoLogfile), &tx::fetch::CaptionAbort);
    // Slot numbers outside the ring would make the reading go round for ever.
    if (!RingValid(dev))
      return fail(TLogFetchResult::kBadRing, Format(lang::Tr(tx::fetch::BadRing), {dev.fi, dev.li, dev.mod}),
                  &tx::fetch::CaptionError);

    const TLogFileHeader dev_start = dev;
    i = dev.fi;
    last = dev.fi - 1;
    const int64_t mod = dev.mod;
    // The newest record may still grow while it is read. Once a later header shows that the
    // device has moved on to another slot, that record is complete and is read once more
    // (`reread`), so that nothing the device added to it in the meantime is lost.
    bool reread = false;
    bool zero_last = false;  // the last record of `tail` had its leading filler cleared
    if (!new_file && !records.Empty() && header.li >= 0 && header.li < mod && RingSlotInUse(header.li, dev.fi, dev.li)) {
      const int L = header.li;
      std::unique_ptr<TLogRecord> record;
      int result = 0;
      const ReadState state = ReadSlot(prefix, L, record, result);
      if (state == ReadState::kAbort) return fail(TLogFetchResult::kAborted, {}, nullptr);
      // A failed read must not start the ring over: the file already holds those records.
      if (state == ReadState::kEnd && result != kLinkOk) return fail(TLogFetchResult::kAborted, {}, nullptr);
      if (state == ReadState::kRecord && record->RecordTime() == records.Last().RecordTime()) {
        tail.Add(std::move(record));
        tail_slots.push_back(L);
        replace_last = true;
        anything_read = true;
        ++res.records_read;
        const bool was_newest = dev.li == L;
        TLogFileHeader again;
        if (!ReadDeviceHeader(prefix, again) || !RingValid(again) || again.mod != dev.mod)
          return fail(TLogFetchResult::kAborted, {}, nullptr);
        dev = again;
        done = dev.li == L;
        last = L;
        reread = was_newest && !done;
        i = reread ? L : L + 1;
        first_record = false;
      }
    }

    if (!done)
      exchange.SetExpected(static_cast<uint32_t>((dev.li + mod - i % mod) % mod) + exchange.Done());
    while (!done) {
      if (i >= mod) i = 0;
      std::unique_ptr<TLogRecord> record;
      int result = 0;
      if (ReadSlot(prefix, static_cast<int>(i), record, result) != ReadState::kRecord) break;
      anything_read = true;
      ++res.records_read;
      // A record read again replaces the earlier copy; if the slot holds another record by
      // now, the ring has come round meanwhile and this one follows after a gap.
      const bool replaces = reread && !tail.Empty() && record->RecordTime() == tail.Last().RecordTime();
      if (reread && !replaces) first_record = true;
      if (first_record || (replaces && zero_last)) {
        // The start of the first record continues an event whose beginning is not in the
        // file: it reads as filler. An offset beyond the data clears only the data.
        const int n = std::min(record->FirstEventOffset(), record->DataLength());
        std::memset(record->MutableData(), 0, static_cast<size_t>(n));
        zero_last = true;
        first_record = false;
      } else if (!replaces) {
        zero_last = false;
      }
      reread = false;
      if (replaces) {
        tail.Replace(tail.Count() - 1, std::move(record));
      } else {
        tail.Add(std::move(record));
        tail_slots.push_back(static_cast<int>(i));
      }
      last = i;
      if (i == dev.li) {
        TLogFileHeader again;
        if (!ReadDeviceHeader(prefix, again) || !RingValid(again) || again.mod != dev.mod) break;
        dev = again;
        done = dev.li == i;
        if (!done) {
          reread = true;  // the device has written more meanwhile: this record is complete now
          continue;
        }
      }
      ++i;
    }
    res.user_abort = UserAbort();
    res.link_result = exchange.LastFailure();

    if (!anything_read || (options.full && !done)) {
      res.outcome = res.user_abort || res.link_result != 0 ? TLogFetchResult::kAborted : TLogFetchResult::kInterrupted;
      exchange.Close();
      return res;
    }

    TLogFileHeader out = new_file ? dev_start : header;
    out.id = dev.id;
    out.name = dev.name;
    out.grp = dev.grp;
    out.typ = dev.typ;
    out.ver = dev.ver;
    out.mod = dev.mod;
    if (done) {
      out.li = static_cast<int>(last);
      out.bis = dev.bis;
    } else {
      // Only complete events are kept; "li" names the slot of the last record kept, so the
      // next update reads that slot again and neither repeats nor skips a record.
      tail.TrimTail();
      if (!tail.Empty()) {
        out.li = tail_slots[static_cast<size_t>(tail.Count() - 1)];
        out.bis = tail.Last().RecordTime();
      } else if (!new_file) {
        out.li = header.li;
        out.bis = records.Last().RecordTime();
      } else {
        out.li = static_cast<int>(last);
        out.bis = 0;
      }
    }

    if (new_file) {
      SaveLogFile(path, out, tail, file_exists);
      records.Clear();
      MoveRecords(tail, records);
    } else {
      // Append in place; put everything back when the file cannot be written.
      const int base = records.Count();
      std::unique_ptr<TLogRecord> old_last;
      int k = 0;
      if (replace_last && !tail.Empty()) old_last = records.Replace(base - 1, tail.Replace(k++, nullptr));
      for (; k < tail.Count(); ++k) records.Add(tail.Replace(k, nullptr));
      try {
        SaveLogFile(path, out, records, true);
      } catch (...) {
        while (records.Count() > base) records.Delete(records.Count() - 1);
        if (old_last) records.Replace(base - 1, std::move(old_last));
        throw;
      }
    }
    header = out;
    res.saved = true;
    res.outcome = done ? TLogFetchResult::kComplete : TLogFetchResult::kInterrupted;
  } catch (const EStreamError& e) {
    // The file cannot be written: it and the records stay as they were.
    return fail(TLogFetchResult::kFailed, e.what(), &tx::fetch::CaptionError);
  } catch (const std::runtime_error& e) {
    // Bad data from the device: nothing changes.
    return fail(TLogFetchResult::kFailed, Format(lang::Tr(tx::fetch::DataError), {e.what()}), &tx::fetch::CaptionError);
  }
  exchange.Close();
  return res;
}

}  // namespace trivex
