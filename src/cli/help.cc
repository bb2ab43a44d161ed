// The help texts, made from the option table.
#include "cli/help.h"

#include <cstdio>
#include <cstring>

#include "cli/options.h"
#include "readers/formats.h"

#ifndef CATSIEVE_VERSION
#error "the build passes CATSIEVE_VERSION"
#endif

namespace catsieve {

const char* const kVersion = CATSIEVE_VERSION;

namespace {

// Columns of the grouped help: the option and its arguments, then its text.
constexpr size_t kIndent = 2;
constexpr size_t kTextColumn = 23;
constexpr size_t kWidth = 80;

// Format names in brackets say which formats test an option; an option
// without them is tested by every format.
const char kIntro[] =
    "\n"
    "Writes every catalog record that passes all the tests, unchanged, to standard\n"
    "output, or describes it in one of the output forms below.  Inputs: the named\n"
    "files (\".Z\" files through uncompress; gzip, bzip2 and xz data, whatever the\n"
    "name, decompressed as it is read), else standard input; -catalog reads the\n"
    "installed catalog first.  Options come before the files and may be shortened\n"
    "to any unique prefix (-mag for -magnitude).  All ranges include both bounds.\n"
    "[Formats] name the only formats that test an option; the others pass every\n"
    "record on it.\n";

struct Group {
  HelpGroup id;
  const char* title;
  const char* after;  // a paragraph after the group's options, or null
};

const Group kGroups[] = {
    {HelpGroup::kInput, "Input:", nullptr},
    {HelpGroup::kPlace, "Time and place (all formats):", nullptr},
    {HelpGroup::kSize, "Size and solution:", nullptr},
    {HelpGroup::kLetters, "Letters and marks:",
     "\n"
     "Magnitude types of -mtype: pref, ml (or mlt), mln, mlm (or mml), mlb (or bm),\n"
     "md (or coda), mx (or amp), avg, mw.  Lists of several -mtype options add up.\n"
     "Default lists: tarn pref,mw,mlm,ml,md,mx; mech avg; orv mw,mln,ml,mlb.\n"
     "brim, f_brim and kelp records carry one magnitude and use no list.\n"},
    {HelpGroup::kOutput,
     "Output (at most one form of --csv to --count; the default writes the records\n"
     "unchanged):",
     nullptr},
    {HelpGroup::kOrder, "Order and limits:",
     "\n"
     "Without --orderby, or with time-asc, records go out in catalog order as they\n"
     "are read, and --limit stops the reading once N are out.  The other orders\n"
     "write when the reading ends; --count counts without sorting.\n"},
    {HelpGroup::kWindow, "Time window (ISO 8601 times, e.g. 1995-01-01T00:00:00):", nullptr},
    {HelpGroup::kFdsn, "Names of the FDSN event service (each an AND with the tests above):",
     "\n"
     "A value that the output forms leave empty (a missing-value marker, a magnitude\n"
     "that is not available, no position) fails every bound of these options.  Each\n"
     "side may be given alone; --opt=value is --opt value for every two-dash option.\n"},
    {HelpGroup::kChecks, "Checks and information:", nullptr},
};

const char kOutro[] =
    "\n"
    "Examples:\n"
    "  catsieve -time 19950101000000 19960101000000 -magnitude 3 9 -catalog\n"
    "  catsieve -format orv -delta 37:52 -122:16 0 50 -quality ab orv.cat\n"
    "  catsieve --strict -format brim -polygon 36 -121 37 -121 37 -122 brim.cat\n"
    "\n"
    "Exit status: 0 after the last input, --help and --version; 1 after an error,\n"
    "-help, a damaged gzip, bzip2 or xz input, or under --strict a bad argument or\n"
    "input; 255 when -catalog finds no catalog directory.\n"
    "\n"
    "Manual: man catsieve (docs/catsieve.1 in the source tree).\n";

// "[tarn, mech]": the formats that test an option, when not all do.
std::string formats_note(const OptionRow& row) {
  if (row.where) return row.where;
  if (!row.formats) return "";
  std::string note;
  for (int i = 0; i < kFormatCount; ++i)
    if (row.formats & kFormats[i].bit)
      note += (note.empty() ? "[" : ", ") + std::string(kFormats[i].keyword);
  return note + "]";
}

// An option's lines: its name and arguments, its text on the same line when
// they leave room (else on the next), and the formats' note after the text
// when it fits on the line.
void option_lines(const OptionRow& row, std::string& out) {
  std::string name = row.name;
  name.erase(name.find_last_not_of(' ') + 1);
  std::string synopsis = *row.args ? name + " " + row.args : name;
  std::string line(kIndent, ' ');
  line += synopsis;
  if (line.size() + 1 >= kTextColumn) {
    out += line + "\n";
    line.assign(kTextColumn, ' ');
  } else {
    line.resize(kTextColumn, ' ');
  }
  for (const char* p = row.help;;) {
    const char* nl = std::strchr(p, '\n');
    if (!nl) {
      line += p;
      break;
    }
    line.append(p, nl);
    out += line + "\n";
    line.assign(kTextColumn, ' ');
    p = nl + 1;
  }
  std::string note = formats_note(row);
  if (!note.empty()) {
    if (line.size() + 2 + note.size() <= kWidth) {
      line += "  " + note;
    } else {
      out += line + "\n";
      line.assign(kTextColumn, ' ');
      line += note;
    }
  }
  out += line + "\n";
}

std::string classic_line(const OptionRow& row) {
  char line[512];
  std::snprintf(line, sizeof line, "%-12s %-15s %s\n", row.name, row.args, row.remark);
  return line;
}

const char kHeader[] = "Option       Args            Remarks...\n\n";

}  // namespace

std::string grouped_help(const std::string& progname) {
  std::string out = "Usage: " + progname + " [options] [file...]\n" + kIntro;
  for (const Group& g : kGroups) {
    out += std::string("\n") + g.title + "\n";
    for (int rank = 1; rank <= kOptionCount; ++rank)
      for (int i = 0; i < kOptionCount; ++i)
        if (kOptions[i].group == g.id && kOptions[i].rank == rank) option_lines(kOptions[i], out);
    if (g.after) out += g.after;
  }
  return out + kOutro;
}

// With no other word, -help lists the whole table; otherwise it lists the
// options the words after it name.  Either way the run ends with status 1.
bool help_handler(ArgCursor& c, RunConfig&, util::Status* err) {
  std::string text;
  if (c.argc < 3) {
    text = "Usage:  " + c.progname + " [options] [file...]\n" + kHeader;
    for (const OptionRow& row : classic_rows()) text += classic_line(row);
    *err = util::Status{1, false, text};
    return false;
  }
  text = kHeader;
  for (++c.i; c.i < c.argc; ++c.i) {
    const OptionRow* row;
    if (!find_option(c, c.argv[c.i], &row, err)) {
      err->text = text + err->text;
      return false;
    }
    text += classic_line(*row);
  }
  *err = util::Status{1, false, text};
  return false;
}

bool long_help_handler(ArgCursor& c, RunConfig&, util::Status* err) {
  c.out = grouped_help(c.progname);
  *err = util::Status{};
  return false;
}

bool version_handler(ArgCursor& c, RunConfig&, util::Status* err) {
  c.out = std::string("catsieve ") + kVersion + "\n";
  *err = util::Status{};
  return false;
}

}  // namespace catsieve
