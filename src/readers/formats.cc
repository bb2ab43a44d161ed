// The table of catalog formats.
#include "readers/formats.h"

#include <strings.h>

#include "readers/brim_catalog.h"
#include "readers/detect.h"
#include "readers/full_brim.h"
#include "readers/kelp_catalog.h"
#include "readers/orv_catalog.h"
#include "readers/tarn_catalog.h"

namespace catsieve {

namespace {

template <void (*reader)(Stream&, RunState&)>
util::Status read_all(Stream& s, RunState& st) {
  reader(s, st);
  return util::Status{};
}

constexpr unsigned kTarnMags = kMagPref | kMagMw | kMagMlm | kMagMl | kMagMd | kMagMx | kMagAvg;
constexpr unsigned kOrvMags = kMagMw | kMagMln | kMagMl | kMagMlb;

}  // namespace

const FormatRow kFormats[] = {
    {"tarn", kTarnBit, kTarnUnknown, search_tarn_catalog_auto, "LODECATDIR",
     {6, {kMagPref, kMagMw, kMagMlm, kMagMl, kMagMd, kMagMx}}, kTarnTypes, kTarnMags},
    {"mech", kMechBit, kMechUnknown, search_tarn_mech_auto, "LODEMECHDIR", {1, {kMagAvg}}, nullptr,
     kMagAvg},
    {"orv", kOrvBit, kOrv, read_all<search_orv_catalog>, "ORVCATDIR",
     {4, {kMagMw, kMagMln, kMagMl, kMagMlb}}, nullptr, kOrvMags},
    {"brim", kBrimBit, kBrim, read_all<search_brim_catalog>, "BRIMCATDIR", {0, {}}, kBrimTypes, 0},
    {"f_brim", kFullBrimBit, kFullBrim, read_all<search_full_brim_catalog>, "FULLBRIMCATDIR",
     {0, {}}, kFullBrimTypes, 0},
    {"kelp", kKelpBit, kKelp, read_all<search_kelp_catalog>, "KELPCATDIR", {0, {}}, nullptr, 0},
};
const int kFormatCount = sizeof kFormats / sizeof kFormats[0];

const FormatRow& format_row(int code) {
  switch (code) {
    case kTarnUnknown: case kTarnY2k: case kTarnOld: return kFormats[0];
    case kMechUnknown: case kMechY2k: case kMechOld: return kFormats[1];
    case kOrv: return kFormats[2];
    case kBrim: return kFormats[3];
    case kKelp: return kFormats[5];
    default: return kFormats[4];
  }
}

std::string magtypes_missing(const FormatRow& f, const MagPrefList& mags) {
  std::string name = f.keyword;
  if (!f.magtypes) return "the " + name + " format's magnitudes carry no type";
  for (int i = 0; i < mags.count; ++i)
    if (!(f.magtypes & static_cast<unsigned>(mags.list[i]))) {
      const MagType* t = magtypes;
      while (t->keyword && t->bit != mags.list[i]) ++t;
      return "the " + name + " format has no " + (t->keyword ? t->keyword : "such") + " magnitude";
    }
  return "";
}

const FormatRow* format_named(const char* word) {
  if (strcasecmp(word, "vesper") == 0) return &kFormats[0];
  for (const FormatRow& f : kFormats)
    if (strcasecmp(word, f.keyword) == 0) return &f;
  return nullptr;
}

}  // namespace catsieve
