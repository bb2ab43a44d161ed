// The service description.
#include "service/wadl.h"

#include "query/fdsn_names.h"
#include "service/service_params.h"

namespace catsieve {

namespace {

std::string param(const char* name, const char* type, const char* fallback, const char* help) {
  std::string p =
      std::string("      <param name=\"") + name + "\" style=\"query\" type=\"" + type + "\"";
  if (fallback) p += std::string(" default=\"") + fallback + "\"";
  return p + ">\n        <doc>" + help + "</doc>\n      </param>\n";
}

// The parameters of the query and count methods.
std::string params() {
  std::string text;
  for (int i = 0; i < kFdsnNameCount; ++i) {
    const FdsnName& n = kFdsnNames[i];
    text += param(n.name, n.type, nullptr, n.help);
    if (n.alias) text += param(n.alias, n.type, nullptr, n.help);
  }
  for (int i = 0; i < kServiceParamCount; ++i) {
    const ServiceParam& p = kServiceParams[i];
    if (p.type) text += param(p.name, p.type, p.fallback, p.help);
  }
  return text;
}

std::string method(const char* path, const char* media, const std::string& inside) {
  return std::string("    <resource path=\"") + path + "\">\n      <method name=\"GET\">\n" +
         (inside.empty() ? "" : "        <request>\n" + inside + "        </request>\n") +
         "        <response status=\"200\"><representation mediaType=\"" + media +
         "\"/></response>\n      </method>\n    </resource>\n";
}

}  // namespace

std::string service_wadl(const std::string& base) {
  std::string query = params();
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<application xmlns=\"http://wadl.dev.java.net/2009/02\" "
         "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n"
         "  <resources base=\"" +
         base + "\">\n" + method("query", "application/xml", query) +
         method("count", "text/plain", query) + method("version", "text/plain", "") +
         method("application.wadl", "application/xml", "") +
         method("catalogs", "application/xml", "") + method("contributors", "application/xml", "") +
         "  </resources>\n</application>\n";
}

}  // namespace catsieve
