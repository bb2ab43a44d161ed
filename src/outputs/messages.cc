// Messages of a run kept in memory.
#include "outputs/messages.h"

namespace catsieve {

MessageSink::~MessageSink() = default;

void StringMessages::say(bool named, const std::string& text) {
  if (named) text_ += progname_ + ": ";
  text_ += text;
}

}  // namespace catsieve
