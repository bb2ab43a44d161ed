// The catsieve command: the command line read, the search run, its output
// and messages written, and the exit status given back to main.
#ifndef CLI_COMMAND_H
#define CLI_COMMAND_H

namespace catsieve {

// The whole run of the command on standard input, output and error; the
// exit status.
int run_command(int argc, char** argv);

struct Input;
class MessageSink;
class Sink;
// The same run with its output, messages and standard input handed in.
int run_command(int argc, char** argv, Sink& out, MessageSink& messages,
                const Input& standard_input);

}  // namespace catsieve

#endif
