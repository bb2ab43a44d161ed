// The QuakeML form read by libxml2 as well-formed XML, the GeoJSON form by
// the JSON library as strict JSON; each also has its form's outermost
// object.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>

#include "document_check.h"

namespace {

const char kQuakemlRoot[] = "quakeml";
const char kGeojsonType[] = "FeatureCollection";

struct ContextFree {
  void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};
struct DocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

}  // namespace

std::string quakeml_fault(const std::string& text) {
  std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlNewParserCtxt());
  if (!context) return "no XML parser";
  std::unique_ptr<xmlDoc, DocFree> doc(
      xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()), "output.xml",
                        nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc || !context->wellFormed) {
    const xmlError* e = xmlCtxtGetLastError(context.get());
    return "not well-formed XML: " + std::string(e && e->message ? e->message : "?\n");
  }
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (!root || std::strcmp(reinterpret_cast<const char*>(root->name), kQuakemlRoot) != 0)
    return "the root element is not " + std::string(kQuakemlRoot);
  return "";
}

std::string geojson_fault(const std::string& text) {
  try {
    nlohmann::json doc = nlohmann::json::parse(text);
    const auto type = doc.find("type"), features = doc.find("features");
    if (!doc.is_object() || type == doc.end() || *type != kGeojsonType || features == doc.end() ||
        !features->is_array())
      return "not a " + std::string(kGeojsonType) + " with an array of features";
  } catch (const nlohmann::json::exception& e) {
    return std::string("not strict JSON: ") + e.what();
  }
  return "";
}
