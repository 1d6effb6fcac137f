#pragma once
// The web upload's HTTP calls over WinINet, blocking, with the platform's time-outs.

#include <windows.h>

#include <wininet.h>

#include <memory>
#include <type_traits>

#include "publish/http_client.h"

namespace quizmora {

class WinInetClient : public HttpClient {
 public:
  WinInetClient() = default;
  WinInetClient(const WinInetClient&) = delete;
  WinInetClient& operator=(const WinInetClient&) = delete;
  ~WinInetClient() override { close(); }

  bool open(std::u16string_view agent) override;
  void connect(std::u16string_view host, std::uint16_t port) override;
  bool openRequest(std::u16string_view verb, std::u16string_view object,
                   std::u16string_view version) override;
  bool addHeader(std::u16string_view line, bool add) override;
  bool sendRequest(std::uint32_t bodyLength) override;
  bool write(const void* data, std::uint32_t size) override;
  bool endRequest() override;
  unsigned statusCode() override;
  void close() override;

 private:
  struct HandleCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
  };
  using Handle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, HandleCloser>;

  Handle root_;
  Handle connection_;  // may stay null: the request then fails to open
  Handle request_;
};

}  // namespace quizmora
