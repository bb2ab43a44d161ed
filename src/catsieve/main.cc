#include "catsieve/driver.h"

int main(int argc, char** argv) { catsieve::run(argc, argv); }
