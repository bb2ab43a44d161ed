// The catsieve command: the command line read, the search run, its output
// and messages written, and the exit status given back to main.
#ifndef CLI_COMMAND_H
#define CLI_COMMAND_H

namespace catsieve {

// The whole run of the command on standard input, output and error; the
// exit status.
int run_command(int argc, char** argv);

}  // namespace catsieve

#endif
