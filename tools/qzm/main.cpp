// qzm: inspection and conversion of exam files from the command line.

#include <iostream>

#include "command_line.h"

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>
#include <vector>

#include "format/utf8_text.h"

// Windows hands the arguments over as UTF-16, whatever the console's code page; inside the
// tool they travel as UTF-8, as on every other system, so that any file name works.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) {
    arguments.push_back(quizmora::utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
  }
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  pointers.push_back(nullptr);

  // The JSON and the messages are UTF-8: the console shows them as such, and a redirected
  // output gets the same bytes as on other systems (no CR put before each LF).
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  return quizmora::runCommandLine(argc, pointers.data(), std::cout, std::cerr);
}

#else

int main(int argc, char** argv) {
  return quizmora::runCommandLine(argc, argv, std::cout, std::cerr);
}

#endif
