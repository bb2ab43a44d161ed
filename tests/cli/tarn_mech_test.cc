// Command-line tests of the tarn_mech reader.
#include "gtest/gtest.h"
#include "support/cli_harness.h"
