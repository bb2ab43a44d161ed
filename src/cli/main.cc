// catsieve: selects earthquakes from catalogs.
#include "cli/command.h"

int main(int argc, char** argv) { return catsieve::run_command(argc, argv); }
