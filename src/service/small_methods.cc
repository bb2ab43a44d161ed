// The small methods' documents.
#include "service/small_methods.h"

#include "service/service_params.h"

namespace catsieve {

namespace {

constexpr char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string xml_escaped(const std::string& text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += ch;
    }
  }
  return out;
}

}  // namespace

std::string usage_page(const ServerState& s) {
  std::string page = "catsieve-fdsnws " + s.settings.version +
                     ": the FDSN event service (fdsnws-event 1.2)\n\nMethods under " + s.base +
                     ":\n  query             the events, as QuakeML (format=xml), text, csv or "
                     "geojson\n  count             how many events query would give\n"
                     "  version           the service's version\n"
                     "  application.wadl  the service description\n"
                     "  catalogs          the catalogs served\n"
                     "  contributors      the contributors\n\nParameters of query and count, "
                     "besides the FDSN selection ones:\n";
  for (int i = 0; i < kServiceParamCount; ++i)
    if (kServiceParams[i].help)
      page += "  " + std::string(kServiceParams[i].name) + ": " + kServiceParams[i].help + "\n";
  return page;
}

std::string catalogs_document(const ServerState& s) {
  std::string xml = std::string(kXmlHead) + "<Catalogs>";
  for (const ServedCatalog& c : s.settings.catalogs)
    xml += "<Catalog>" + xml_escaped(c.name) + "</Catalog>";
  return xml + "</Catalogs>\n";
}

std::string contributors_document(const ServerState& s) {
  return std::string(kXmlHead) + "<Contributors><Contributor>" + xml_escaped(s.settings.authority) +
         "</Contributor></Contributors>\n";
}

}  // namespace catsieve
