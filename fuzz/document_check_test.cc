// The document checks of the fuzz targets on whole documents and on broken
// ones: each good one passes, each broken one is caught.  Exits 1 after
// naming every case judged wrongly.
#include "document_check.h"

#include <cstdio>
#include <string>

namespace {

struct Case {
  const char* form;
  std::string text;
  bool whole;
};

const char kQuakemlHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<q:quakeml xmlns:q=\"http://quakeml.org/xmlns/quakeml/1.2\" "
    "xmlns=\"http://quakeml.org/xmlns/bed/1.2\">\n"
    "<eventParameters publicID=\"smi:local/catsieve\">\n";
const char kQuakemlTail[] = "</eventParameters>\n</q:quakeml>\n";
const char kTextHeader[] =
    "#EventID|Time|Latitude|Longitude|Depth/km|Author|Catalog|Contributor|ContributorID|"
    "MagType|Magnitude|MagAuthor|EventLocationName|EventType\n";
const char kTextLine[] =
    "e1|1994-03-08T18:58:02.26|38.245|-120.5|13.21|local|tarn|local|e1|"
    "Mw|3.63|local||earthquake\n";
const char kGeojsonEmpty[] = "{\"type\":\"FeatureCollection\",\"features\":[\n\n]}\n";

const Case kCases[] = {
    {"csv", "a,b\n", true},
    {"csv", "a,b\n1,2\n,\n", true},
    {"csv", "a,b\n\"x,y\",2\n", true},
    {"csv", "a,b\n\"say \"\"hi\"\"\",\"two\nlines\"\n", true},
    {"csv", "a\n\n", true},
    {"csv", "", false},
    {"csv", "a,b\n1,2,3\n", false},
    {"csv", "a,b\n1\n", false},
    {"csv", "a,b\n1,2", false},
    {"csv", "a,b\n\"1,2\n", false},
    {"csv", "a,b\n1\"x,2\n", false},
    {"csv", "a,b\n\"1\"x,2\n", false},
    {"csv", "a,b\n1,2\r\n", false},
    {"geojson", kGeojsonEmpty, true},
    {"geojson",
     "{\"type\":\"FeatureCollection\",\"features\":[\n{\"type\":\"Feature\",\"properties\":"
     "{\"mag\":3.1,\"place\":\"\\u00e9\"},\"geometry\":null}\n]}\n",
     true},
    {"geojson", "{\"type\":\"FeatureCollection\",\"features\":[\n", false},
    {"geojson", "{\"type\":\"FeatureCollection\",\"features\":[{\"mag\":NaN}]}\n", false},
    {"geojson", "{\"type\":\"FeatureCollection\",\"features\":[{},]}\n", false},
    {"geojson", "{\"type\":\"FeatureCollection\",\"features\":[\"\xff\"]}\n", false},
    {"geojson", "{\"type\":\"Feature\",\"features\":[]}\n", false},
    {"geojson", "{\"type\":7,\"features\":{}}\n", false},
    {"geojson", "[]\n", false},
    {"quakeml", std::string(kQuakemlHead) + kQuakemlTail, true},
    {"quakeml",
     std::string(kQuakemlHead) + "<event publicID=\"a&amp;b\">é</event>\n" + kQuakemlTail, true},
    {"quakeml", kQuakemlHead, false},
    {"quakeml", std::string(kQuakemlHead) + "<event publicID=\"a&b\"/>\n" + kQuakemlTail, false},
    {"quakeml", std::string(kQuakemlHead) + "<text>\xff</text>\n" + kQuakemlTail, false},
    {"quakeml", std::string(kQuakemlHead) + kQuakemlTail + "<more/>", false},
    {"quakeml", "<?xml version=\"1.0\"?>\n<other/>\n", false},
    {"text", kTextHeader, true},
    {"text", std::string(kTextHeader) + kTextLine + kTextLine, true},
    {"text", "", false},
    {"text", kTextLine, false},
    {"text", std::string(kTextHeader) + "e1|x|y\n", false},
    {"text", std::string(kTextHeader) + "a|b|" + kTextLine, false},
    {"text", std::string(kTextHeader) + kTextLine + "\n", false},
    {"text", std::string(kTextHeader).substr(0, sizeof kTextHeader - 2), false},
    {"count", "0\n", true},
    {"count", "1234\n", true},
    {"count", "", false},
    {"count", "12", false},
    {"count", "12\n\n", false},
    {"count", "-1\n", false},
    {"count", "1 \n", false},
    {"records", "anything at all", true},
};

}  // namespace

int main() {
  int wrong = 0, n = 0;
  for (const Case& c : kCases) {
    ++n;
    std::string fault = document_fault(c.form, c.text);
    if (fault.empty() == c.whole) continue;
    ++wrong;
    std::printf("case %d (%s): %s\n", n, c.form,
                c.whole ? ("a whole document judged broken: " + fault).c_str()
                        : "a broken document judged whole");
  }
  std::printf("%d passed, %d failed\n", n - wrong, wrong);
  return wrong ? 1 : 0;
}
