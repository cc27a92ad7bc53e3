#pragma once
// Log files: a text file of CR LF lines, the header line first and then one line per record,
// oldest first.
#include <string>

#include "logbook/log_file_header.h"
#include "logbook/log_record_list.h"

namespace trivex {

// Clears header and records and, when the file exists, reads them from it. Stops at the
// first empty line (or the end of the file). A line that is not a record raises ConvertError;
// the records read before it stay in the list. Raises EStreamError when the file exists but
// cannot be read.
void LoadLogFile(const std::string& path, TLogFileHeader& header, TLogRecordList& records);

// Writes header and records to a new file beside `path` and puts it in place. With `backup`
// an existing file is kept as `path` + ".bak" (an older ".bak" is replaced). Creates missing
// directories. Raises EStreamError when the file cannot be written; the existing file then
// stays as it was.
void SaveLogFile(const std::string& path, const TLogFileHeader& header,
                 const TLogRecordList& records, bool backup);

}  // namespace trivex
