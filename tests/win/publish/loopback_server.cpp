#include "publish/loopback_server.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>

namespace quizmora::test {
namespace {

constexpr DWORD kReceiveTimeoutMs = 5000;

sockaddr_in loopbackAddress(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

std::uint16_t boundPort(SOCKET socket) {
  sockaddr_in address{};
  int length = sizeof(address);
  getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

struct WinsockSession {
  WinsockSession() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockSession() { WSACleanup(); }
};

}  // namespace

std::string ReceivedRequest::header(const std::string& name) const {
  const std::string prefix = lowered(name) + ":";
  std::string value = "<none>";
  for (const std::string& line : headerLines) {
    if (lowered(line.substr(0, prefix.size())) != prefix) continue;
    if (value != "<none>") return "<twice>";
    value = line.substr(prefix.size());
    value.erase(0, std::min(value.find_first_not_of(' '), value.size()));
  }
  return value;
}

LoopbackServer::LoopbackServer(int status) : status_(status) {
  static WinsockSession winsock;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = loopbackAddress(0);
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  listen(listener_, 4);
  port_ = boundPort(listener_);
  thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  thread_.join();
  closesocket(listener_);
}

std::wstring LoopbackServer::url() const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/olvan/quizmora/uploadqz.php";
}

std::vector<ReceivedRequest> LoopbackServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::uint16_t LoopbackServer::closedPort() {
  static WinsockSession winsock;
  SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = loopbackAddress(0);
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  const std::uint16_t port = boundPort(probe);
  closesocket(probe);
  return port;
}

void LoopbackServer::serve() {
  while (!stopping_) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener_, &ready);
    timeval wait{0, 50 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    ++connections_;
    handle(client);
    closesocket(client);
  }
}

void LoopbackServer::handle(SOCKET client) {
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&kReceiveTimeoutMs),
             sizeof(kReceiveTimeoutMs));
  std::string data;
  char buffer[64 * 1024];
  auto receiveMore = [&] {
    int got = recv(client, buffer, sizeof(buffer), 0);
    if (got <= 0) return false;
    data.append(buffer, static_cast<std::size_t>(got));
    return true;
  };
  std::size_t headEnd;
  while ((headEnd = data.find("\r\n\r\n")) == std::string::npos) {
    if (!receiveMore()) return;
  }
  ReceivedRequest request;
  std::size_t lineStart = 0;
  while (lineStart < headEnd) {
    std::size_t lineEnd = data.find("\r\n", lineStart);
    std::string line = data.substr(lineStart, lineEnd - lineStart);
    if (request.requestLine.empty()) {
      request.requestLine = line;
    } else {
      request.headerLines.push_back(line);
    }
    lineStart = lineEnd + 2;
  }
  const std::string declared = request.header("Content-Length");
  const std::size_t length =
      declared == "<none>" || declared == "<twice>" ? 0 : std::stoul(declared);
  // Reads what the client declared, or what it sent before going quiet.
  while (data.size() - (headEnd + 4) < length && receiveMore()) {
  }
  request.body = data.substr(headEnd + 4);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(std::move(request));
  }
  const std::string reply = "HTTP/1.0 " + std::to_string(status_) +
                            " Test\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  send(client, reply.data(), static_cast<int>(reply.size()), 0);
  shutdown(client, SD_SEND);
}

}  // namespace quizmora::test
