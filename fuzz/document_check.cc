// The line forms checked here, the others in files of their own; and which
// check a form takes.
#include "document_check.h"

#include <algorithm>
#include <cctype>

namespace {

// The FDSN event text form: the header and every event line hold this
// many fields, split by this separator.
constexpr int kTextFields = 14;
constexpr char kTextSeparator = '|';
const char kTextHeaderStart[] = "#EventID";

std::string line_fault(size_t line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

std::string event_text_fault(const std::string& text) {
  if (text.compare(0, sizeof kTextHeaderStart - 1, kTextHeaderStart) != 0)
    return "no header line starting " + std::string(kTextHeaderStart);
  if (text.back() != '\n') return "the last line has no newline";
  size_t line = 1;
  for (size_t start = 0; start < text.size(); ++line) {
    size_t end = text.find('\n', start);
    auto separators = std::count(text.begin() + static_cast<long>(start),
                                 text.begin() + static_cast<long>(end), kTextSeparator);
    const long wanted = kTextFields - 1;
    if (separators != wanted)
      return line_fault(line,
                        std::to_string(separators) + " separators, not " + std::to_string(wanted));
    start = end + 1;
  }
  return "";
}

std::string count_fault(const std::string& text) {
  size_t digits = 0;
  while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
  if (digits == 0 || text.size() != digits + 1 || text.back() != '\n')
    return "not a number and a newline";
  return "";
}

std::string document_fault(const std::string& form, const std::string& text) {
  if (form == "csv") return csv_fault(text);
  if (form == "geojson") return geojson_fault(text);
  if (form == "quakeml") return quakeml_fault(text);
  if (form == "text") return event_text_fault(text);
  if (form == "count") return count_fault(text);
  return "";
}
