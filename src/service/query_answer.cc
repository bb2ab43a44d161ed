// Each chosen catalog is read as the command reads an installed catalog:
// one search of its files, the time test's lower bound carried from one
// file to the next.  The searches of several catalogs write one answer
// (search_stream.h); a count is the sum of their counts.
#include "service/query_answer.h"

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <utility>
#include <vector>

#include "inputs/catalog_tree.h"
#include "service/service_params.h"

namespace catsieve {

namespace {

constexpr char kOverloaded[] = "the service is busy; try again in a few seconds";

MHD_Result keep_param(void* cls, MHD_ValueKind, const char* key, const char* value) {
  static_cast<std::vector<Param>*>(cls)->emplace_back(key ? key : "", value ? value : "");
  return MHD_YES;
}

// Whether the client of the connection has not hung up: a request waiting
// for a search slot sees no more of its connection.
bool client_there(void* ctx) {
  const MHD_ConnectionInfo* info =
      MHD_get_connection_info(static_cast<MHD_Connection*>(ctx), MHD_CONNECTION_INFO_CONNECTION_FD);
  if (!info) return true;
  pollfd p{info->connect_fd, POLLRDHUP, 0};
  return poll(&p, 1, 0) <= 0 || !(p.revents & (POLLRDHUP | POLLHUP | POLLERR));
}

// The catalogs a request reads, or the message of its 400.
bool choose_catalogs(const ServerState& s, const ServiceQuery& q,
                     std::vector<const ServedCatalog*>* chosen, std::string* why) {
  const std::vector<ServedCatalog>& all = s.settings.catalogs;
  if (!q.catalog.empty()) {
    const ServedCatalog* c = find_catalog_named(all, q.catalog);
    if (!c) {
      *why = "catalog: no catalog is named \"" + q.catalog + "\" (see the catalogs method)";
      return false;
    }
    std::string missing = q.query.mags.count ? magtypes_missing(*c->format, q.query.mags) : "";
    if (!missing.empty()) {
      *why = "magnitudetype: " + missing;
      return false;
    }
    chosen->push_back(c);
  } else {
    for (const ServedCatalog& c : all)
      if (!q.query.mags.count || magtypes_missing(*c.format, q.query.mags).empty())
        chosen->push_back(&c);
  }
  if (!q.contributor.empty() && q.contributor != s.settings.authority) chosen->clear();
  return true;
}

// What the walk of a tree passed over, for the access log.
void note_skipped(void* ctx, const char* path, const char* what) {
  *static_cast<std::string*>(ctx) += std::string("  ") + path + " " + what + "\n";
}

// The inputs of a catalog: its file, or the files of its tree in the
// query's periods, each once; false with the reason when the tree cannot
// be read.
bool catalog_inputs(ServerState& s, const ServedCatalog& c, const Query& q,
                    std::vector<Input>* inputs, std::string* why) {
  if (!c.tree) {
    inputs->push_back(Input::file(c.path));
    return true;
  }
  std::string skipped;
  std::vector<std::string> files;
  util::Status status =
      find_catalog_files(c.path.c_str(), search_window(q), SkipNotice{note_skipped, &skipped},
                         &files, true, c.listings.get());
  if (!skipped.empty()) s.write_log("catalog " + c.name + ":\n" + skipped);
  if (!status.ok()) {
    *why = status.text;
    return false;
  }
  for (std::string& f : files) inputs->push_back(Input::file(std::move(f)));
  return true;
}

// The search of each catalog that has inputs; false with the name of a
// catalog that cannot be read.
bool catalog_parts(ServerState& s, const ServiceQuery& q, const Request& common,
                   const std::vector<const ServedCatalog*>& chosen,
                   std::vector<SearchStream::Part>* parts, std::string* failed) {
  for (const ServedCatalog* c : chosen) {
    SearchStream::Part part{c->name, common};
    part.request.format = c->format->code;
    std::string why;
    if (!catalog_inputs(s, *c, q.query, &part.request.inputs, &why)) {
      s.write_log("catalog " + c->name + ": " + why);
      *failed = c->name;
      return false;
    }
    // A tree without a file of the window gives nothing (and a search
    // without inputs would read standard input).
    if (!part.request.inputs.empty()) parts->push_back(std::move(part));
  }
  return true;
}

// The answer without events: a count of 0, or the nodata status.
MHD_Result answer_nothing(const ServerState& s, const Reply& r, const ServiceQuery& q, bool count,
                          const std::string& empty) {
  if (count) return answer(r, 200, "text/plain", empty);
  if (q.nodata == 404) return answer_error(s, r, 404, "no events match the request");
  return answer(r, 204, nullptr, "");
}

MHD_Result could_not_search(const ServerState& s, const Reply& r, const std::string& name) {
  if (name.empty()) return answer_error(s, r, 500, "the catalogs could not be searched");
  return answer_error(s, r, 500, "the catalog " + name + " could not be searched");
}

// The events of each catalog, summed; false with the name of the catalog
// whose search failed.
bool count_events(ServerState& s, const Query& q, std::vector<SearchStream::Part>& parts,
                  long long* total, std::string* failed) {
  for (SearchStream::Part& part : parts) {
    part.request.order = OrderSettings{};
    MemorySink out;
    StringMessages messages("catsieve-fdsnws");
    util::Status status = search(q, part.request, out, messages);
    out.flush();
    if (!messages.text().empty()) s.write_log("catalog " + part.name + ":\n" + messages.text());
    if (!status.ok()) {
      s.write_log("catalog " + part.name + ": " + status.text);
      *failed = part.name;
      return false;
    }
    *total += std::strtoll(out.bytes().c_str(), nullptr, 10);
  }
  return true;
}

// The count: each catalog's events, counted by a worker of the pool, then
// the offset and limit over their sum.
MHD_Result answer_count(ServerState& s, const Reply& r, const ServiceQuery& q,
                        std::vector<SearchStream::Part>& parts) {
  if (!admit(s, 0, client_there, r.c)) return answer_error(s, r, 503, kOverloaded, true);
  long long total = 0;
  std::string failed;
  std::packaged_task<bool()> task([&] { return count_events(s, q.query, parts, &total, &failed); });
  std::future<bool> counted = task.get_future();
  s.pool->run([&task] { task(); });
  bool ok = counted.get();
  release(s, 0);
  if (!ok) return could_not_search(s, r, failed);
  long long n = std::max(0LL, total - (q.order.offset - 1));
  if (q.order.limit > 0) n = std::min(n, q.order.limit);
  return answer(r, 200, "text/plain", std::to_string(n) + "\n");
}

// The events a sorting request may hold at once.
long long sort_reserve(const ServiceQuery& q, long long max_events) {
  if (!sorts(q.order)) return 0;
  if (q.order.limit == 0) return max_events;
  return std::min(q.order.offset + q.order.limit - 1, max_events);
}

}  // namespace

MHD_Result answer_query(ServerState& s, const Reply& r, bool count) {
  std::vector<Param> params;
  MHD_get_connection_values(r.c, MHD_GET_ARGUMENT_KIND, keep_param, &params);
  ServiceQuery q;
  std::string why;
  if (!read_service_query(params, s.settings.max_events, &q, &why))
    return answer_error(s, r, 400, why);
  if (count) q.form = find_form("count");
  std::vector<const ServedCatalog*> chosen;
  if (!choose_catalogs(s, q, &chosen, &why)) return answer_error(s, r, 400, why);
  const long long cap = s.settings.max_events;
  if (!count && sorts(q.order) && q.order.limit > 0 && q.order.offset + q.order.limit - 1 > cap)
    return answer_error(s, r, 413,
                        "offset + limit - 1 passes the " + std::to_string(cap) +
                            " events a sorted answer may hold: give a smaller offset or limit");
  Request common;
  common.form = q.form;
  common.settings.authority = s.settings.authority;
  common.order = q.order;
  common.helper_threads = false;
  std::string empty = empty_document(*q.form, common.settings);
  std::vector<SearchStream::Part> parts;
  std::string failed;
  if (!catalog_parts(s, q, common, chosen, &parts, &failed))
    return answer_error(s, r, 500, "the catalog " + failed + " could not be read");
  if (parts.empty()) return answer_nothing(s, r, q, count, empty);
  if (count) return answer_count(s, r, q, parts);
  long long reserve = sort_reserve(q, cap);
  if (!admit(s, reserve, client_there, r.c)) return answer_error(s, r, 503, kOverloaded, true);
  ServerState* state = &s;
  auto finished = [state, reserve](const util::Status& status, const std::string& messages,
                                   const std::string& name) {
    if (!messages.empty()) state->write_log(messages);
    if (!status.ok() && !name.empty()) state->write_log("catalog " + name + ": " + status.text);
    release(*state, reserve);
  };
  std::unique_ptr<SearchStream> stream(
      new SearchStream(q.query, std::move(parts), finished, *s.pool));
  std::string all;
  util::Status status;
  if (!stream->wait_start(&all, &status))
    return answer_stream(s, r, content_type(*q.form), std::move(stream));
  if (status.ok()) {
    if (all == empty) return answer_nothing(s, r, q, count, empty);
    return answer(r, 200, content_type(*q.form), all);
  }
  if (status.text.find("events to sort") != std::string::npos)
    return answer_error(s, r, 413,
                        "more than " + std::to_string(cap) +
                            " events to sort: give limit, or a smaller time window or area");
  return could_not_search(s, r, stream->failed());
}

}  // namespace catsieve
