#pragma once
// TConfigMsgs: the report of a transfer or a check, parameter by parameter — which
// parameters an older firmware cannot take (send), which parameters of a read system are
// inconsistent (consistency) and which differ between the saved and the read configuration
// (verification) — and the configuration ids of the relays. The result window shows it.
#include <cstdint>
#include <string>
#include <vector>

namespace trivex {

class TConfigMsgs {
 public:
  enum Mode { kNone = 0, kSend = 1, kConsistency = 2, kVerify = 3 };
  enum Result { kOk = 1, kDiscard = 2 };

  void Start(Mode mode, int firmware_version = 0);
  // Rows for another mode than the started one are ignored.
  void AddRow(Mode mode, const std::string& label, int min_version, const std::string& name,
              const std::string& value3, const std::string& value4);
  void AddIdRow(const std::string& id_text, uint32_t saved, uint32_t read);

  Mode mode() const { return mode_; }
  int firmware_version() const { return version_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int IdRowCount() const { return static_cast<int>(id_rows_.size()); }
  // Cells of the difference table without the header row (five per row).
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  const std::vector<std::vector<std::string>>& IdRows() const { return id_rows_; }

  // Texts in the current language.
  std::string Title() const;
  std::string Label() const;  // with the version ending and the colon
  std::vector<std::string> ColumnHeads() const;
  static std::vector<std::string> IdColumnHeads();
  // The clipboard text: header and rows joined by TAB and CR LF, a blank line, the id table.
  std::string ClipboardText() const;

  // The caller's note that the transfer reported errors (Discard becomes the default).
  bool transfer_errors = false;

 private:
  Mode mode_ = kNone;
  int version_ = 0;
  std::vector<std::vector<std::string>> rows_;
  std::vector<std::vector<std::string>> id_rows_;
};

}  // namespace trivex
