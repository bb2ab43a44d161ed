// Command-line tests of the brim_catalog reader.
#include "gtest/gtest.h"
#include "support/cli_harness.h"
