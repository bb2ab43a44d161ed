// FDSN-named options.
#include "cli/fdsn_options.h"

#include <cerrno>
#include <cstring>

#include "cli/options.h"
#include "query/fdsn_names.h"
#include "readers/formats.h"

namespace catsieve {

namespace {

// A message of these options; no system call failed.
bool option_fail(const ArgCursor& c, util::Status* err, const std::string& text) {
  errno = 0;
  return fail(c, err, "%s", text.c_str());
}

}  // namespace

bool qfdsn(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* option = c.row->name;
  const FdsnName* name = fdsn_name(option + 2);
  if (name->set == nullptr) return false;
  if (std::strcmp(name->name, "magnitudetype") == 0 && c.mtype_given)
    return option_fail(c, err, "--magnitudetype is another name for -mtype: give one of them");
  if (std::strcmp(name->name, "eventtype") == 0 && c.etype_given)
    return option_fail(c, err, "--eventtype cannot be combined with -etype: give one of them");
  if (!peek_word(c)) return option_fail(c, err, std::string(option) + " needs a value");
  const char* word;
  next_word(c, err, &word);
  std::string why;
  if (!name->set(cfg.query, word, &why))
    return option_fail(c, err, std::string(option) + ": " + why);
  return true;
}

bool finish_options(const ArgCursor& c, RunConfig& cfg, util::Status* err) {
  std::string why;
  if (!finish_fdsn(cfg.query, &why)) return option_fail(c, err, why);
  if (cfg.query.fdsn.magtype) {
    why = magtypes_missing(format_row(cfg.request.format), cfg.query.mags);
    if (!why.empty()) return option_fail(c, err, "--magnitudetype: " + why);
  }
  return true;
}

}  // namespace catsieve
