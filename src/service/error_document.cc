// The FDSN error document.
#include "service/error_document.h"

namespace catsieve {

namespace {

constexpr size_t kTimeText = 32;

std::string iso_utc(std::time_t t) {
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[kTimeText];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

}  // namespace

const char* status_reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Error";
  }
}

std::string error_document(const ErrorReport& r) {
  return "Error " + std::to_string(r.status) + ": " + status_reason(r.status) + "\n\n" + r.details +
         "\n\n" + "Usage details are available from " + r.usage_url + "\n\n" + "Request:\n" +
         r.request + "\n\n" + "Request Submitted:\n" + iso_utc(r.submitted) + "\n\n" +
         "Service version:\n" + r.version + "\n";
}

}  // namespace catsieve
