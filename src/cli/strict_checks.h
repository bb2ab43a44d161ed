// --strict: the mode in which every mistake that the classic rules pass
// over in silence is reported.  These are its checks of the command line,
// made as each word is read: a bad argument ends the run at once, before
// any input is read.
#ifndef CLI_STRICT_CHECKS_H
#define CLI_STRICT_CHECKS_H

#include "cli/args.h"

namespace catsieve {

// The two-dash word that turns the mode on.
extern const char* const kStrictWord;

// A numeric argument must be one whole finite number: "1e" and "+-e" pass
// the classic character test but are no number.
bool strict_check_number(const ArgCursor& c, const char* word, util::Status* err);
// An angle d[:m[:s]] with an optional sign, minutes and seconds below 60,
// and a latitude within 90 or a longitude within 180 degrees.  Which of the
// two a word is follows from the option and the word's place after it.
bool strict_check_angle(ArgCursor& c, const char* word, util::Status* err);
// Calendar fields of a date word in their ranges, and nothing after the
// offset.  Called after the classic checks have passed.
bool strict_check_time(const ArgCursor& c, const char* word, util::Status* err);
// The vertex words after -polygon: pairs, and at most kMaxVertices of them.
bool strict_check_polygon(const ArgCursor& c, util::Status* err);
// The keywords of a -mtype word, when listed types are already in the list.
bool strict_check_mtype(const ArgCursor& c, const char* text, int listed, util::Status* err);
// Notes the option being read: a second one of the same name would
// silently replace the first.
bool strict_note_option(ArgCursor& c, util::Status* err);
// After the options: every option given must matter to the format, with
// the options it needs.
bool strict_check_options(const ArgCursor& c, const RunConfig& cfg, util::Status* err);

}  // namespace catsieve

#endif
