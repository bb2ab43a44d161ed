// The grouped help of --help and the --version line.
#include "catsieve/help.h"

#include <cerrno>
#include <cstring>

#include "util/qerror.h"
#include "util/quit.h"

#ifndef CATSIEVE_VERSION
#error "the build passes CATSIEVE_VERSION"
#endif

namespace catsieve {

const char* const kVersion = CATSIEVE_VERSION;

namespace {

// Format names in brackets say which formats test an option; an option
// without them is tested by every format.
const char kHelp[] =
    "\n"
    "Writes every catalog record that passes all the tests, unchanged, to standard\n"
    "output, or describes it in one of the output forms below.  Inputs: the named\n"
    "files (\".Z\" files through uncompress; gzip, bzip2 and xz data, whatever the\n"
    "name, decompressed as it is read), else standard input; -catalog reads the\n"
    "installed catalog first.  Options come before the files and may be shortened\n"
    "to any unique prefix (-mag for -magnitude).  All ranges include both bounds.\n"
    "[Formats] name the only formats that test an option; the others pass every\n"
    "record on it.\n"
    "\n"
    "Input:\n"
    "  -format type         catalog format: tarn (or vesper; the default), mech, orv,\n"
    "                       brim, f_brim (full brim), kelp; tarn and mech inputs in\n"
    "                       the old or the Y2K layout, told by the first line\n"
    "  -catalog             also read the installed catalog of the format: the\n"
    "                       directory in LODECATDIR (tarn), LODEMECHDIR (mech),\n"
    "                       ORVCATDIR, BRIMCATDIR, FULLBRIMCATDIR (f_brim) or\n"
    "                       KELPCATDIR, or in a LOCATIONS file; only the files of\n"
    "                       the -time period\n"
    "  -verbose             each input and its counts on standard error\n"
    "\n"
    "Time and place (all formats):\n"
    "  -time min max        origin time yyyymmddhhmmss[.s][+-offset], offset in\n"
    "                       d h m s, e.g. 19950101000000+1d12h\n"
    "  -latitude min max    degrees d[:m[:s]], south negative\n"
    "  -longitude min max   degrees d[:m[:s]], west negative\n"
    "  -delta lat lon min max\n"
    "                       epicentral distance from the point lat lon, km\n"
    "  -polygon lat lon...  inside the polygon of 3 to 50 vertices, degrees\n"
    "\n"
    "Size and solution:\n"
    "  -depth min max       focal depth, km\n"
    "  -magnitude min max   magnitude; tarn, mech and orv take the first type of the\n"
    "                       -mtype list that the record has\n"
    "  -mtype type,...      magnitude types in order of preference  [tarn, mech, orv]\n"
    "  -no_mag              with -magnitude, also records without a magnitude\n"
    "                       [tarn, mech, orv, brim, f_brim]\n"
    "  -nstations min max   number of stations\n"
    "  -rms min max         r.m.s. travel-time residual, s\n"
    "  -gap min max         azimuthal gap, degrees  [tarn, mech, orv, brim, f_brim]\n"
    "  -closest min max     distance to the closest station, km\n"
    "                       [tarn, mech, orv, brim, f_brim]\n"
    "  -nmag min max        number of magnitude observations\n"
    "                       [orv with -magnitude, brim, f_brim, kelp]\n"
    "  -m0 min max          scalar moment  [orv]\n"
    "  -nm0 min max         number of scalar-moment observations  [orv]\n"
    "  -errtime min max     origin-time error, s  [orv, brim, f_brim]\n"
    "  -errlat min max      latitude error, km  [orv, brim, f_brim]\n"
    "  -errlon min max      longitude error, km  [orv, brim, f_brim]\n"
    "  -errhoriz min max    horizontal location error, km  [tarn, mech]\n"
    "  -errdepth min max    focal-depth error, km  [tarn, mech, orv, brim, f_brim]\n"
    "\n"
    "Letters and marks:\n"
    "  -quality letters     quality letters, either case  [orv, kelp]\n"
    "  -etype letters       event types, either case; default E; A takes all\n"
    "                       [tarn: B E F N Q R; brim, f_brim: B E H N Q R]\n"
    "  -felt                felt events only  [tarn, orv, brim, f_brim]\n"
    "  -negate              write the records that fail the tests instead\n"
    "\n"
    "Magnitude types of -mtype: pref, ml (or mlt), mln, mlm (or mml), mlb (or bm),\n"
    "md (or coda), mx (or amp), avg, mw.  Lists of several -mtype options add up.\n"
    "Default lists: tarn pref,mw,mlm,ml,md,mx; mech avg; orv mw,mln,ml,mlb.\n"
    "brim, f_brim and kelp records carry one magnitude and use no list.\n"
    "\n"
    "Output (at most one of these; the default writes the records unchanged):\n"
    "  --csv                CSV with a header line of USGS ComCat column names\n"
    "  --geojson            a GeoJSON FeatureCollection\n"
    "  --quakeml            a QuakeML 1.2 document\n"
    "  --count              the number of selected records\n"
    "\n"
    "Time window (ISO 8601 times, e.g. 1995-01-01T00:00:00):\n"
    "  --since T            origin time from T on\n"
    "  --until T            origin time up to T; also an offset such as +30d,\n"
    "                       counted from --since\n"
    "\n"
    "Checks and information:\n"
    "  --strict             report every argument or input that the classic rules\n"
    "                       pass over in silence, and exit with status 1\n"
    "  --help               this help, on standard output\n"
    "  --version            the version, on standard output\n"
    "  -help [opt...]       the classic option table, on standard error\n"
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

[[noreturn]] void finish_stdout() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s: write error on standard output: %s\n",
                 util::progname ? util::progname : "catsieve", std::strerror(errno));
    util::quit(1);
  }
  util::quit(0);
}

}  // namespace

void write_help(std::FILE* out, const char* progname) {
  std::fprintf(out, "Usage: %s [options] [file...]\n", progname);
  std::fputs(kHelp, out);
}

void qlong_help() {
  write_help(stdout, util::progname ? util::progname : "catsieve");
  finish_stdout();
}

void qversion() {
  std::printf("catsieve %s\n", kVersion);
  finish_stdout();
}

}  // namespace catsieve
