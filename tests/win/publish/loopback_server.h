#pragma once
// A small HTTP server on 127.0.0.1, on a port of its own, running on a thread of the test:
// it takes whole requests (head and Content-Length bytes of body), keeps them, and answers
// each with a status chosen by the test. It stops, with its thread, when it goes.

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quizmora::test {

struct ReceivedRequest {
  std::string requestLine;
  std::vector<std::string> headerLines;  // as sent, without CR LF
  std::string body;

  // The value of the one header line named `name` (any case), or "<none>" / "<twice>".
  std::string header(const std::string& name) const;
};

class LoopbackServer {
 public:
  explicit LoopbackServer(int status = 200);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::uint16_t port() const { return port_; }
  // The upload page on this server.
  std::wstring url() const;
  int connections() const { return connections_; }
  std::vector<ReceivedRequest> requests() const;

  // A loopback port that nothing listens on: connections to it are refused.
  static std::uint16_t closedPort();

 private:
  void serve();
  void handle(SOCKET client);

  int status_;
  SOCKET listener_ = INVALID_SOCKET;
  std::uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::vector<ReceivedRequest> requests_;
  std::thread thread_;
};

}  // namespace quizmora::test
