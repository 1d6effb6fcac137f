#pragma once
// The HTTP calls the web upload makes, one method each, in the order it makes them.
// WinInetClient is the program's; tests stand in for it to fail any one step.

#include <cstdint>
#include <string_view>

namespace quizmora {

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // The root handle, with the system's proxy settings.
  virtual bool open(std::u16string_view agent) = 0;
  // The connection handle; its failure shows when the request is opened on it.
  virtual void connect(std::u16string_view host, std::uint16_t port) = 0;
  virtual bool openRequest(std::u16string_view verb, std::u16string_view object,
                           std::u16string_view version) = 0;
  // One header line ending in CR LF; `add` adds it beside any line of the same name.
  virtual bool addHeader(std::u16string_view line, bool add) = 0;
  // Starts the request, declaring the body's length.
  virtual bool sendRequest(std::uint32_t bodyLength) = 0;
  // True once every byte was written.
  virtual bool write(const void* data, std::uint32_t size) = 0;
  virtual bool endRequest() = 0;
  // The reply's status code, 0 when there is none.
  virtual unsigned statusCode() = 0;
  // Releases the request, connection and root handles, in that order, those that are open.
  virtual void close() = 0;
};

}  // namespace quizmora
