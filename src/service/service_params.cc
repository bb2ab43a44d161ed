// Reading the parameters of the event service.
#include "service/service_params.h"

#include <cctype>
#include <cstring>

#include "query/fdsn_names.h"

namespace catsieve {

namespace {

bool set_catalog(ServiceQuery& q, const std::string& v, std::string* why) {
  if (v.empty()) {
    *why = "catalog: give the name of a catalog (see the catalogs method)";
    return false;
  }
  q.catalog = v;
  return true;
}

bool set_contributor(ServiceQuery& q, const std::string& v, std::string*) {
  q.contributor = v;
  return true;
}

const struct {
  const char* word;
  const char* form;
} kFormats[] = {{"xml", "quakeml"}, {"text", "text"}, {"csv", "csv"}, {"geojson", "geojson"}};

bool set_format(ServiceQuery& q, const std::string& v, std::string* why) {
  for (const auto& f : kFormats)
    if (v == f.word) {
      q.form = find_form(f.form);
      return true;
    }
  *why = "format: \"" + v + "\" is not a format: xml, text, csv or geojson";
  return false;
}

bool count(const char* name, const std::string& v, long long* n, std::string* why) {
  if (count_named(v.c_str(), n)) return true;
  *why = std::string(name) + ": \"" + v + "\" is not a whole number of 1 or more, e.g. 10";
  return false;
}

bool set_limit(ServiceQuery& q, const std::string& v, std::string* why) {
  return count("limit", v, &q.order.limit, why);
}

bool set_offset(ServiceQuery& q, const std::string& v, std::string* why) {
  return count("offset", v, &q.order.offset, why);
}

bool set_orderby(ServiceQuery& q, const std::string& v, std::string* why) {
  if (order_named(v.c_str(), &q.order.by)) return true;
  *why = "orderby: \"" + v + "\" is not an order: " + kOrderWords;
  return false;
}

bool set_nodata(ServiceQuery& q, const std::string& v, std::string* why) {
  if (v == "204" || v == "404") {
    q.nodata = v == "204" ? 204 : 404;
    return true;
  }
  *why = "nodata: \"" + v + "\" is neither 204 nor 404";
  return false;
}

// A switch of the answer's content: the event's one origin and magnitude
// are all there are, so true and false give the same answer.
template <bool kTrueOk>
bool include(ServiceQuery&, const std::string& v, std::string* why) {
  if (v == "false" || (kTrueOk && v == "true")) return true;
  *why = kTrueOk ? "\"" + v + "\" is neither true nor false"
                 : "\"" + v + "\" is not supported: these catalogs hold no arrivals; give false";
  return false;
}

bool refuse_updated(ServiceQuery&, const std::string&, std::string* why) {
  *why = "updatedafter is not supported: these catalogs carry no update times";
  return false;
}

// A time whose offset from UTC came as a blank: a "+" of a URL decodes to
// one.
bool blank_offset(const std::string& v) {
  size_t blank = v.rfind(' ');
  if (blank == std::string::npos || blank < 11 || v.find('T') == std::string::npos) return false;
  std::string zone = v.substr(blank + 1);
  size_t digits = 0;
  for (char c : zone) digits += std::isdigit(static_cast<unsigned char>(c)) ? 1 : 0;
  return digits == 4 && (zone.size() == 4 || (zone.size() == 5 && zone[2] == ':'));
}

}  // namespace

const ServiceParam kServiceParams[] = {
    {"catalog", nullptr, "xs:string", nullptr, set_catalog,
     "one catalog of the catalogs method; all of them when absent"},
    {"contributor", nullptr, "xs:string", nullptr, set_contributor,
     "the authority; any other selects nothing"},
    {"format", nullptr, "xs:string", "xml", set_format, "xml (QuakeML), text, csv or geojson"},
    {"limit", nullptr, "xs:int", nullptr, set_limit, "at most this many events"},
    {"offset", nullptr, "xs:int", "1", set_offset, "the first event to give, counted from 1"},
    {"orderby", nullptr, "xs:string", "time", set_orderby,
     "time (newest first), time-asc, magnitude (largest first) or magnitude-asc"},
    {"nodata", nullptr, "xs:int", "204", set_nodata, "the status of an answer without events"},
    {"includeallorigins", nullptr, "xs:boolean", "false", include<true>,
     "every origin of an event: each has one"},
    {"includeallmagnitudes", nullptr, "xs:boolean", "false", include<true>,
     "every magnitude of an event: each has one"},
    {"includearrivals", nullptr, "xs:boolean", "false", include<false>,
     "arrivals: none are held, so only false"},
    {"updatedafter", nullptr, nullptr, nullptr, refuse_updated, nullptr},
};
const int kServiceParamCount = sizeof kServiceParams / sizeof kServiceParams[0];

bool read_service_query(const std::vector<Param>& params, long long max_events, ServiceQuery* q,
                        std::string* why) {
  *q = ServiceQuery{};
  q->form = find_form("quakeml");
  q->order.by = OrderBy::kTime;  // newest first, as the FDSN services answer
  q->order.max_events = max_events;
  q->query.etype_on = false;  // every event type without eventtype
  std::vector<std::string> seen;
  for (const auto& [name, value] : params) {
    const FdsnName* fdsn = fdsn_name(name);
    const ServiceParam* own = nullptr;
    for (const ServiceParam& p : kServiceParams)
      if (name == p.name) own = &p;
    if (!fdsn && !own) {
      *why = "unknown parameter: " + name;
      return false;
    }
    std::string canonical = fdsn ? fdsn->name : own->name;
    for (const std::string& s : seen)
      if (s == canonical) {
        *why = "parameter given more than once: " + canonical;
        return false;
      }
    seen.push_back(canonical);
    std::string reason;
    bool ok = fdsn ? fdsn->set(q->query, value, &reason) : own->set(*q, value, &reason);
    if (ok) continue;
    if (fdsn && fdsn->type == std::string("xs:dateTime") && blank_offset(value))
      *why = name + ": \"" + value +
             "\": the sign of a time's offset from UTC came as a blank; "
             "write \"+\" as %2B, e.g. 2001-02-03T04:05:06%2B01:00";
    else
      *why = fdsn ? name + ": " + reason : reason;
    return false;
  }
  return finish_fdsn(q->query, why);
}

}  // namespace catsieve
