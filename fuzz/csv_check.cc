// CSV read as RFC 4180 has it: records of fields split by commas, each
// record ended by a newline (the form writes LF alone); a field either
// plain, without quote, CR or LF, or quoted, with its quotes doubled
// inside.  Every record is as wide as the header.
#include "document_check.h"

namespace {

std::string record_fault(size_t record, const std::string& what) {
  return "record " + std::to_string(record) + ": " + what;
}

}  // namespace

std::string csv_fault(const std::string& text) {
  const size_t n = text.size();
  size_t i = 0, record = 1, width = 0;
  for (; i < n; ++record) {
    size_t fields = 0;
    for (;;) {
      ++fields;
      if (i < n && text[i] == '"') {
        for (++i;; ++i) {
          if (i >= n) return record_fault(record, "a quoted field is not closed");
          if (text[i] != '"') continue;
          if (i + 1 < n && text[i + 1] == '"') {
            ++i;
            continue;
          }
          ++i;
          break;
        }
      } else {
        for (; i < n && text[i] != ',' && text[i] != '\n'; ++i)
          if (text[i] == '"' || text[i] == '\r')
            return record_fault(record, "a quote or CR in a plain field");
      }
      if (i >= n) return record_fault(record, "no newline at the end");
      if (text[i] == '\n') break;
      if (text[i] != ',') return record_fault(record, "text after a quoted field");
      ++i;
    }
    ++i;  // the newline
    if (record == 1) width = fields;
    if (fields != width)
      return record_fault(
          record, std::to_string(fields) + " fields, the header has " + std::to_string(width));
  }
  if (record == 1) return "no header line";
  return "";
}
