#pragma once
// `qzm serve`: the school's exam server from the command line.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace quizmora {

struct ServeArguments {
  std::string bind = "127.0.0.1";
  int port = 8080;
  std::string folder = "exams";
  std::string keyFile;
  std::string maxUpload = "64M";
  int threads = 64;
};

CLI::App* addServe(CLI::App& app, ServeArguments& arguments);

// Serves until Ctrl+C (or SIGTERM); one line per request on `err`.
int runServe(const ServeArguments& arguments, std::ostream& err);

// "1048576", "512K", "64M", "1G" (K, M, G are powers of 1024; case does not matter); nullopt
// for anything else, zero included.
std::optional<std::size_t> parseByteSize(std::string_view text);

}  // namespace quizmora
