#include "cli/program_entry.h"

int main(int argc, char** argv) { return tamrel::cli::CommandLineMain(argc, argv); }
