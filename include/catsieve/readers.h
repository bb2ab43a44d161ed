// The catalog readers, one per format and layout, and their magnitude
// functions.  A reader reads an open stream to its end under the query and
// puts what it selects into the sink; only the tarn readers use the first
// line that the layout detector has already read.
#ifndef CATSIEVE_READERS_H
#define CATSIEVE_READERS_H

#include "catsieve/magtypes.h"
#include "catsieve/query.h"
#include "catsieve/sink.h"
#include "catsieve/stream.h"

namespace catsieve {

using Reader = void (*)(Stream& s, const Line* first, Query& q, Sink& out);

void search_tarn_catalog_auto(Stream& s, const Line* first, Query& q, Sink& out);
void search_tarn_mech_auto(Stream& s, const Line* first, Query& q, Sink& out);

void search_tarn_catalog(Stream& s, const Line* first, Query& q, Sink& out);
void search_tarn_catalog2k(Stream& s, const Line* first, Query& q, Sink& out);
void search_tarn_mech(Stream& s, const Line* first, Query& q, Sink& out);
void search_tarn_mech2k(Stream& s, const Line* first, Query& q, Sink& out);
void search_orv_catalog(Stream& s, const Line* first, Query& q, Sink& out);
void search_brim_catalog(Stream& s, const Line* first, Query& q, Sink& out);
void search_kelp_catalog(Stream& s, const Line* first, Query& q, Sink& out);
void search_full_brim_catalog(Stream& s, const Line* first, Query& q, Sink& out);

// The magnitude that the preference list picks for a record.
ChosenMag match_tarn_catalog_mag(const MagPrefList& mags, const Line& record);
ChosenMag match_tarn_catalog2k_mag(const MagPrefList& mags, const Line& record);
ChosenMag match_tarn_mech_mag(const MagPrefList& mags, const Line& record);
ChosenMag match_tarn_mech2k_mag(const MagPrefList& mags, const Line& record);
ChosenMag match_orv_catalog_mag(const MagPrefList& mags, const Line& record);

// Month and day of a day of the year, as the kelp catalog dates its events.
void dy_to_mdy(int doy, int year, int* month, int* day);

}  // namespace catsieve

#endif
