// The options every tool answers the same way: --help prints the usage text
// on stdout and exits 0, --version prints the program's name and version.
// Depends on stdio; parses no other argument.
#pragma once

// When argv[1] is --help or --version (and alone), answers it and returns the
// exit status (0); otherwise returns -1 and the tool reads its arguments.
int answer_help_or_version(int argc, char** argv, const char* program, const char* usage);
