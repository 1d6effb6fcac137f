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

namespace {

// The console shows UTF-8 while the tool runs; the code page the user had comes back after,
// so that the console window goes on as before.
class Utf8Console {
 public:
  Utf8Console() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
  ~Utf8Console() {
    if (previous_ != 0) SetConsoleOutputCP(previous_);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT previous_;
};

}  // namespace

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
  Utf8Console console;
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const int code = quizmora::runCommandLine(argc, pointers.data(), std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  return code;
}

#else

int main(int argc, char** argv) {
  return quizmora::runCommandLine(argc, argv, std::cout, std::cerr);
}

#endif
