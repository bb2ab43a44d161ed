// Command-line tests of the full_brim reader.
#include "gtest/gtest.h"
#include "support/cli_harness.h"
