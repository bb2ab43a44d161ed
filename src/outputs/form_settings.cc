// Checking what a run asks of its output form.
#include "outputs/form_settings.h"

#include <cstring>

#include "outputs/event_columns.h"

namespace catsieve {

namespace {

constexpr size_t kMinAuthority = 3;

bool word_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

bool valid_authority(const std::string& name) {
  if (name.size() < kMinAuthority || !word_char(name[0])) return false;
  for (char c : name)
    if (!word_char(c) && !std::strchr("-.*()~'", c)) return false;
  return true;
}

bool valid_missing(const std::string& text) {
  return text.find_first_of(",|\"\r\n") == std::string::npos;
}

bool choose_columns(const std::string& list, std::vector<int>* columns, std::string* bad) {
  columns->clear();
  size_t from = 0;
  for (;;) {
    size_t comma = list.find(',', from);
    std::string name = list.substr(from, comma == std::string::npos ? comma : comma - from);
    int found = -1;
    for (int i = 0; i < nevent_columns; ++i)
      if (name == event_columns[i].name) found = i;
    if (found < 0) {
      *bad = name;
      return false;
    }
    columns->push_back(found);
    if (comma == std::string::npos) return true;
    from = comma + 1;
  }
}

}  // namespace catsieve
