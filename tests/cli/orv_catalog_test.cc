// Command-line tests of the orv_catalog reader.
#include "gtest/gtest.h"
#include "support/cli_harness.h"
