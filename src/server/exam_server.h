#pragma once
// `qzm serve`: the other end of the program's "Upload file to the Web" for a school, and the
// pages its students take the exams on. One process, a pool of threads, plain HTTP.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace quizmora {

struct ServerOptions {
  std::string bind = "127.0.0.1";
  int port = 8080;  // 0: any free port (see ExamServer::port)
  std::filesystem::path folder = "exams";
  std::string uploadKey;  // empty: uploads need no key
  std::size_t maxUpload = 64 * 1024 * 1024;
  int threads = 64;
  int timeoutSeconds = 10;  // for a client that stops sending or reading
};

// Receives one line per request, from any of the server's threads (one call at a time is
// not promised: the receiver keeps its lines whole).
using ServerLog = std::function<void(const std::string& line)>;

class ExamServer {
 public:
  ExamServer(ServerOptions options, ServerLog log);
  ~ExamServer();
  ExamServer(const ExamServer&) = delete;
  ExamServer& operator=(const ExamServer&) = delete;

  // Opens the folder and binds the address; false with `error` set when either fails.
  bool start(std::string& error);
  int port() const;
  // Serves until stop(); false when listening failed.
  bool run();
  // From any thread, also before run().
  void stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quizmora
