// Where a search's messages go as it runs: the -verbose progress, and
// what --strict reports of an input before the run goes on.
#ifndef OUTPUTS_MESSAGES_H
#define OUTPUTS_MESSAGES_H

#include <string>

namespace catsieve {

class MessageSink {
 public:
  virtual ~MessageSink();
  // A message of the run; named: the program's name and ": " go before it.
  virtual void say(bool named, const std::string& text) = 0;
};

// Messages kept as text, named ones after the given program name.
class StringMessages : public MessageSink {
 public:
  explicit StringMessages(std::string progname) : progname_(std::move(progname)) {}
  void say(bool named, const std::string& text) override;
  const std::string& text() const { return text_; }

 private:
  std::string progname_;
  std::string text_;
};

}  // namespace catsieve

#endif
