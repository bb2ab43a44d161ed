// The selection criteria: one switch and one bound pair per test, filled by
// the option handlers before any input is read and consulted by the readers.
#ifndef CATSIEVE_CRITERIA_H
#define CATSIEVE_CRITERIA_H

#include <string>

namespace catsieve {

extern int negate;

// Whether any test of the fields other than time, position, area and event
// type is switched on; the record cycle sets it as an input starts, so that
// records skip those tests at once when none is.
extern bool field_tests;
bool any_field_test();

extern int do_otime;
extern double otmin, otmax;
extern int do_lat;
extern double latmin, latmax;
extern int do_lon;
extern double lonmin, lonmax;
extern int wraplon;
extern int do_depth;
extern double zmin, zmax;
extern int do_mag;
extern double magmin, magmax;
extern int do_nomag;
extern int do_close;
extern double clomin, clomax;
extern int do_nsta;
extern int nstmin, nstmax;
extern int do_rms;
extern double rmsmin, rmsmax;
extern int do_gap;
extern double gapmin, gapmax;
extern int do_qual;
extern std::string quals;
extern int do_etype;
extern std::string etypes;
extern int do_mag_obs;
extern int nmagmin, nmagmax;
extern int do_m0;
extern double m0min, m0max;
extern int do_m0_obs;
extern int nm0min, nm0max;
extern int do_oterr;
extern double otemin, otemax;
extern int do_laterr;
extern double laemin, laemax;
extern int do_lonerr;
extern double loemin, loemax;
extern int do_horerr;
extern double herrmin, herrmax;
extern int do_deperr;
extern double zerrmin, zerrmax;
extern int do_felt;
extern char felt;

// Every criterion back to its start value: all tests off but the event-type
// test, which accepts type E.
void reset_criteria();

// Range checks of the handlers: "minimum <name> value greater than maximum".
void dcheck(double min, double max, const char* name);
void icheck(int min, int max, const char* name);
double fmin2(double a, double b);
double fmax2(double a, double b);

// A double truncated toward zero into an int, saturating at the int range
// (0 for not-a-number), so that absurd counts cannot overflow.
int trunc_int(double v);

// Option handlers.
void qneg();
void qtime();
void qlat();
void qlon();
void qdepth();
void qmag();
void qclose();
void qnsta();
void qrms();
void qgap();
void qqual();
void qetype();
void qnmagobs();
void qm0();
void qnm0obs();
void qoterr();
void qlaterr();
void qlonerr();
void qherr();
void qzerr();
void qfelt();
void qno_mag();

}  // namespace catsieve

#endif
