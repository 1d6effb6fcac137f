#include "publish/wininet_client.h"

#include <string>

namespace quizmora {
namespace {

// WinINet takes terminated strings.
std::wstring terminated(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

bool WinInetClient::open(std::u16string_view agent) {
  root_.reset(
      InternetOpenW(terminated(agent).c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  return root_ != nullptr;
}

void WinInetClient::connect(std::u16string_view host, std::uint16_t port) {
  if (!root_) return;
  connection_.reset(InternetConnectW(root_.get(), terminated(host).c_str(), port, nullptr, nullptr,
                                     INTERNET_SERVICE_HTTP, 0, 0));
}

bool WinInetClient::openRequest(std::u16string_view verb, std::u16string_view object,
                                std::u16string_view version) {
  if (!connection_) return false;
  request_.reset(HttpOpenRequestW(connection_.get(), terminated(verb).c_str(),
                                  terminated(object).c_str(), terminated(version).c_str(), nullptr,
                                  nullptr, INTERNET_FLAG_KEEP_CONNECTION, 0));
  return request_ != nullptr;
}

bool WinInetClient::addHeader(std::u16string_view line, bool add) {
  return request_ && HttpAddRequestHeadersW(request_.get(), terminated(line).c_str(),
                                            static_cast<DWORD>(-1), add ? HTTP_ADDREQ_FLAG_ADD : 0);
}

bool WinInetClient::sendRequest(std::uint32_t bodyLength) {
  if (!request_) return false;
  INTERNET_BUFFERSW buffers{};
  buffers.dwStructSize = sizeof(buffers);
  buffers.dwBufferTotal = bodyLength;
  return HttpSendRequestExW(request_.get(), &buffers, nullptr, HSR_INITIATE, 0);
}

bool WinInetClient::write(const void* data, std::uint32_t size) {
  // One call normally takes everything; a short write goes on from where it stopped.
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    DWORD written = 0;
    if (!InternetWriteFile(request_.get(), bytes, size, &written) || written == 0) return false;
    bytes += written;
    size -= written > size ? size : written;
  }
  return true;
}

bool WinInetClient::endRequest() {
  return request_ && HttpEndRequestW(request_.get(), nullptr, HSR_INITIATE, 0);
}

unsigned WinInetClient::statusCode() {
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!request_ || !HttpQueryInfoW(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                                   &status, &size, nullptr)) {
    return 0;
  }
  return status;
}

void WinInetClient::close() {
  request_.reset();
  connection_.reset();
  root_.reset();
}

}  // namespace quizmora
