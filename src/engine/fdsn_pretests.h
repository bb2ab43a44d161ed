// Classic tests that go before the FDSN-named ones.  An FDSN test reads
// the event as the output forms describe it, which costs a description of
// every record; a classic test of the same bound, a hair wider, reads the
// record's fields alone and turns away nearly every record that the FDSN
// test would.  The selection stays as the FDSN tests make it.
#ifndef ENGINE_FDSN_PRETESTS_H
#define ENGINE_FDSN_PRETESTS_H

#include "query/query.h"
#include "readers/formats.h"

namespace catsieve {

// Puts the classic tests before the FDSN ones where they serve: not under
// --strict, whose count of records hidden by a carried time bound asks the
// classic tests alone.
void add_fdsn_pretests(const FormatRow& format, bool strict, Query* q);

}  // namespace catsieve

#endif
