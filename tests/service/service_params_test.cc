// The parameters of the event service: what each sets, and the 400 message of each way to get
// one wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "query/fdsn_names.h"
#include "service/error_document.h"
#include "service/service_params.h"
#include "service/wadl.h"

namespace catsieve {
namespace {

constexpr long long kCap = 1000;

ServiceQuery read(const std::vector<Param>& params) {
  ServiceQuery q;
  std::string why;
  EXPECT_TRUE(read_service_query(params, kCap, &q, &why)) << why;
  return q;
}

TEST(ServiceParams, DefaultsAreThoseOfTheFdsnServices) {
  ServiceQuery q = read({});
  EXPECT_STREQ(q.form->name, "quakeml");
  EXPECT_EQ(q.order.by, OrderBy::kTime);
  EXPECT_EQ(q.order.max_events, kCap);
  EXPECT_EQ(q.order.limit, 0);
  EXPECT_EQ(q.order.offset, 1);
  EXPECT_FALSE(q.query.etype_on);  // every event type
  EXPECT_EQ(q.nodata, 204);
  EXPECT_FALSE(q.query.otime.on || q.query.fdsn.describes());
}

TEST(ServiceParams, EachSetsItsField) {
  ServiceQuery q = read({{"start", "2001-02-03T04:05:06+01:00"}, {"endtime", "2002-01-01"},
                         {"minlat", "30"}, {"maxlongitude", "-120"}, {"minmag", "3"},
                         {"maxdepth", "10"}, {"format", "text"}, {"limit", "5"},
                         {"offset", "3"}, {"orderby", "magnitude-asc"}, {"nodata", "404"},
                         {"catalog", "north"}, {"contributor", "local"},
                         {"includeallorigins", "true"}, {"eventtype", "earthquake"},
                         {"latitude", "38"}, {"longitude", "-122"}, {"maxradius", "2"}});
  EXPECT_TRUE(q.query.otime.on);
  // From 03:05:06 UTC on 3 February to the new year.
  EXPECT_DOUBLE_EQ(q.query.otime.max - q.query.otime.min, 332 * 86400.0 - (3 * 3600 + 5 * 60 + 6));
  EXPECT_TRUE(q.query.fdsn.lat.min_on && !q.query.fdsn.lat.max_on);
  EXPECT_TRUE(q.query.fdsn.lon.max_on && q.query.fdsn.mag.min_on && q.query.fdsn.depth.max_on);
  EXPECT_TRUE(q.query.fdsn.ring.on);
  EXPECT_STREQ(q.form->name, "text");
  EXPECT_EQ(q.order.limit, 5);
  EXPECT_EQ(q.order.offset, 3);
  EXPECT_EQ(q.order.by, OrderBy::kMagnitudeAsc);
  EXPECT_EQ(q.nodata, 404);
  EXPECT_EQ(q.catalog, "north");
  EXPECT_EQ(q.contributor, "local");
  EXPECT_EQ(q.query.fdsn.types, std::vector<std::string>{"earthquake"});
}

TEST(ServiceParams, BadRequestsSayWhatWasWrong) {
  const std::pair<std::vector<Param>, std::string> cases[] = {
      {{{"minmagnitud", "3"}}, "unknown parameter: minmagnitud"},
      {{{"minmag", "3"}, {"minmagnitude", "4"}}, "parameter given more than once: minmagnitude"},
      {{{"format", "kml"}}, "format: \"kml\" is not a format: xml, text, csv or geojson"},
      {{{"limit", "0"}}, "limit: \"0\" is not a whole number of 1 or more, e.g. 10"},
      {{{"orderby", "depth"}},
       "orderby: \"depth\" is not an order: time, time-asc, magnitude or magnitude-asc"},
      {{{"nodata", "200"}}, "nodata: \"200\" is neither 204 nor 404"},
      {{{"includearrivals", "true"}},
       "\"true\" is not supported: these catalogs hold no arrivals; give false"},
      {{{"includeallorigins", "yes"}}, "\"yes\" is neither true nor false"},
      {{{"updatedafter", "2020-01-01"}},
       "updatedafter is not supported: these catalogs carry no update times"},
      {{{"minlat", "45"}, {"maxlat", "40"}}, "minlatitude is greater than maxlatitude"},
      {{{"maxdepth", "deep"}}, "maxdepth: \"deep\" is not a number"},
      {{{"start", "2001-02-03T04:05:06 01:00"}},
       "start: \"2001-02-03T04:05:06 01:00\": the sign of a time's offset from UTC came as a "
       "blank; write \"+\" as %2B, e.g. 2001-02-03T04:05:06%2B01:00"},
      {{{"catalog", ""}}, "catalog: give the name of a catalog (see the catalogs method)"},
  };
  for (const auto& [params, message] : cases) {
    ServiceQuery q;
    std::string why;
    EXPECT_FALSE(read_service_query(params, kCap, &q, &why)) << message;
    EXPECT_EQ(why, message);
  }
}

TEST(ServiceParams, TheDescriptionListsWhatIsTaken) {
  std::string wadl = service_wadl("http://127.0.0.1:8080/fdsnws/event/1/");
  for (int i = 0; i < kFdsnNameCount; ++i)
    EXPECT_NE(wadl.find(std::string("name=\"") + kFdsnNames[i].name + "\""), std::string::npos);
  for (const char* name : {"catalog", "contributor", "format", "limit", "offset", "orderby",
                           "nodata", "includeallorigins", "includearrivals", "minlat", "start"})
    EXPECT_NE(wadl.find(std::string("name=\"") + name + "\""), std::string::npos) << name;
  EXPECT_EQ(wadl.find("updatedafter"), std::string::npos);
}

TEST(ServiceParams, TheErrorDocument) {
  std::string doc = error_document({400, "unknown parameter: x", "http://h/fdsnws/event/1/",
                                    "http://h/fdsnws/event/1/query?x=1", 0, "1.2.0"});
  EXPECT_EQ(doc,
            "Error 400: Bad Request\n\nunknown parameter: x\n\n"
            "Usage details are available from http://h/fdsnws/event/1/\n\n"
            "Request:\nhttp://h/fdsnws/event/1/query?x=1\n\n"
            "Request Submitted:\n1970-01-01T00:00:00Z\n\nService version:\n1.2.0\n");
}

}  // namespace
}  // namespace catsieve
