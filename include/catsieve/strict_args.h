// Strict checks of option arguments, made as each word is read.  Without
// --strict none of them is called, or each returns at once.
#ifndef CATSIEVE_STRICT_ARGS_H
#define CATSIEVE_STRICT_ARGS_H

namespace catsieve {

// A numeric argument must be one whole finite number: "1e" and "+-e" pass
// the classic character test but are no number.
void strict_check_number(const char* word);
// An angle d[:m[:s]] with an optional sign, minutes and seconds below 60,
// and a latitude within 90 or a longitude within 180 degrees.  Which of the
// two a word is follows from the option and the word's place after it.
void strict_check_angle(const char* word);
// Calendar fields of a date word in their ranges, and nothing after the
// offset.  Called after the classic checks have passed.
void strict_check_time(const char* word);
// The vertex words after -polygon: pairs, and at most kMaxVertices of them.
void strict_check_polygon();
// The keywords of a -mtype word, when listed types are already in the list.
void strict_check_mtype(const char* text, int listed);

// Notes an option of the command line; a second one of the same name
// would silently replace the first.
void strict_note_option(const char* name);
void strict_forget_options();
// Whether an option of that name was noted.
bool strict_option_given(const char* name);

}  // namespace catsieve

#endif
