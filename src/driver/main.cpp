// zek2rtf: converts a ZEK help source into RTF for the Windows Help compiler.
#include <cstdio>
#include <string>
#include <vector>

#include "driver/run.h"
#include "io/console.h"
#include "io/file_system.h"
#include "io/temporary_registry.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  // Ctrl-C and the like delete the temporaries of unfinished output files.
  zek::FileEnvironment env(&zek::install_interrupt_cleanup());
  zek::ConsoleStream standard_output(stdout);
  zek::ConsoleStream standard_error(stderr);
  return zek::run_converter(arguments, env, standard_output, standard_error,
                            zek::host_console_charset());
}
