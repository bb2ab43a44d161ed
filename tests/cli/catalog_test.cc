#include "gtest/gtest.h"
#include "support/cli_harness.h"
