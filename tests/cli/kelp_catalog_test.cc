// Command-line tests of the kelp_catalog reader.
#include "gtest/gtest.h"
#include "support/cli_harness.h"
