#include "serve_command.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <limits>
#include <mutex>
#include <ostream>
#include <thread>

#include <CLI/CLI.hpp>

#include "commands.h"
#include "format/file_bytes.h"
#include "server/exam_server.h"

namespace quizmora {
namespace {

int fail(std::ostream& err, const std::string& message, int code) {
  err << "qzm: " << message << '\n';
  return code;
}

std::string withoutSurroundingSpace(std::string text) {
  const char* space = " \t\r\n";
  const std::size_t first = text.find_first_not_of(space);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(space) - first + 1);
}

// Ctrl+C and SIGTERM are taken by one thread that waits for them, not by a handler that
// would have to stop the server from inside a signal: every other thread, the server's
// included, has them blocked.
class StopSignals {
 public:
  StopSignals() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
  }
  ~StopSignals() {
    finished_ = true;
    if (waiter_.joinable()) waiter_.join();
    // A signal that came while the server was stopping for another reason is dropped.
    const timespec none{0, 0};
    while (sigtimedwait(&signals_, nullptr, &none) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  template <typename OnSignal>
  void watch(OnSignal onSignal) {
    waiter_ = std::thread([this, onSignal] {
      const timespec poll{0, 200 * 1000 * 1000};
      while (!finished_) {
        if (sigtimedwait(&signals_, nullptr, &poll) > 0) {
          onSignal();
          return;
        }
      }
    });
  }

 private:
  sigset_t signals_{};
  sigset_t previous_{};
  std::atomic<bool> finished_{false};
  std::thread waiter_;
};

}  // namespace

CLI::App* addServe(CLI::App& app, ServeArguments& arguments) {
  CLI::App* command = app.add_subcommand(
      "serve", "Receive the program's uploads and serve each exam as a page to take on a phone");
  command->add_option("--bind", arguments.bind, "Address to listen on")->capture_default_str();
  command->add_option("--port", arguments.port, "Port to listen on (0: any free port)")
      ->check(CLI::Range(0, 65535))
      ->capture_default_str();
  command->add_option("--dir", arguments.folder, "Folder the exams are kept in")
      ->capture_default_str();
  command->add_option("--upload-key-file", arguments.keyFile,
                      "File holding the key an upload must carry as ?key=...");
  command
      ->add_option("--max-upload", arguments.maxUpload,
                   "Largest upload taken, in bytes or with K, M or G")
      ->capture_default_str();
  command->add_option("--threads", arguments.threads, "Requests served at once")
      ->check(CLI::Range(1, 1024))
      ->capture_default_str();
  return command;
}

std::optional<std::size_t> parseByteSize(std::string_view text) {
  std::size_t unit = 1;
  if (!text.empty()) {
    switch (text.back()) {
      case 'k':
      case 'K':
        unit = std::size_t{1} << 10;
        break;
      case 'm':
      case 'M':
        unit = std::size_t{1} << 20;
        break;
      case 'g':
      case 'G':
        unit = std::size_t{1} << 30;
        break;
      default:
        break;
    }
    if (unit != 1) text.remove_suffix(1);
  }
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::size_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  if (value == 0 || value > std::numeric_limits<std::size_t>::max() / unit) return std::nullopt;
  return value * unit;
}

int runServe(const ServeArguments& arguments, std::ostream& err) {
  ServerOptions options;
  options.bind = arguments.bind;
  options.port = arguments.port;
  options.folder =
      std::filesystem::path(std::u8string(arguments.folder.begin(), arguments.folder.end()));
  options.threads = arguments.threads;
  const std::optional<std::size_t> maxUpload = parseByteSize(arguments.maxUpload);
  if (!maxUpload) return fail(err, "--max-upload: not a size: " + arguments.maxUpload, kExitUsage);
  options.maxUpload = *maxUpload;
  if (!arguments.keyFile.empty()) {
    std::optional<std::string> key = readFileBytes(
        std::filesystem::path(std::u8string(arguments.keyFile.begin(), arguments.keyFile.end())));
    if (!key) return fail(err, "cannot open " + arguments.keyFile, kExitUnreadableInput);
    options.uploadKey = withoutSurroundingSpace(std::move(*key));
    if (options.uploadKey.empty()) {
      return fail(err, "the upload key file " + arguments.keyFile + " is empty", kExitUsage);
    }
  }

  // A client that goes away while its answer is being written must not end the server.
  std::signal(SIGPIPE, SIG_IGN);
  std::mutex logLock;
  const ServerLog log = [&](const std::string& line) {
    std::lock_guard lock(logLock);
    err << line << '\n' << std::flush;
  };
  StopSignals signals;
  ExamServer server(options, log);
  std::string error;
  if (!server.start(error)) return fail(err, error, kExitUnwritableOutput);
  log("qzm: serving the exams in " + options.folder.string() + " at http://" + options.bind + ":" +
      std::to_string(server.port()) + "/ (Ctrl+C stops)");
  signals.watch([&] {
    log("qzm: stopping");
    server.stop();
  });
  if (!server.run()) return fail(err, "the server stopped listening", kExitUnwritableOutput);
  log("qzm: stopped");
  return kExitSuccess;
}

}  // namespace quizmora
