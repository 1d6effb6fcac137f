#include "publish/web_uploader.h"

#include <windows.h>

#include <rpc.h>

#include <limits>
#include <vector>

#include "app/win_text.h"
#include "publish/mapped_file.h"

namespace quizmora {
namespace {

// A registry key opened for reading, closed when it goes.
class RegistryKey {
 public:
  RegistryKey(HKEY root, const wchar_t* path, REGSAM view) {
    if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE | view, &key_) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // The text of a string value; empty when there is none.
  std::u16string text(const wchar_t* name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (!key_ || RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
      return {};
    }
    std::vector<wchar_t> value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS) {
      return {};
    }
    return fromWide(value.data());  // stored with or without its terminator
  }

 private:
  HKEY key_ = nullptr;
};

// The address an administrator set for every user of the computer (the package's UPLOADURL).
// The 64-bit view is read first, where a 64-bit package writes it, then the 32-bit one.
std::u16string machineUploadUrl() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    std::u16string url = RegistryKey(HKEY_LOCAL_MACHINE, kUploadUrlKey, view).text(kUploadUrlValue);
    if (!url.empty()) return url;
  }
  return {};
}

}  // namespace

std::u16string makeBoundary() {
  std::u16string boundary(kBoundaryPrefix);
  UUID uuid{};
  UuidCreate(&uuid);
  RPC_WSTR text = nullptr;
  if (UuidToStringW(&uuid, &text) == RPC_S_OK && text) {
    boundary += fromWide(reinterpret_cast<const wchar_t*>(text));
    RpcStringFreeW(&text);
  }
  return boundary;
}

std::optional<UploadTarget> uploadTargetFromEnvironment() {
  const std::wstring name(kUploadUrlVariable.begin(), kUploadUrlVariable.end());
  DWORD length = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (length <= 1) {  // not set, or set to nothing: the computer's setting, if any
    const std::u16string machine = machineUploadUrl();
    return machine.empty() ? defaultUploadTarget() : parseUploadUrl(machine);
  }
  std::vector<wchar_t> value(length);
  length = GetEnvironmentVariableW(name.c_str(), value.data(), length);
  return parseUploadUrl(fromWide(value.data(), length));
}

void WebUploader::upload(const ExamDocument& document, const std::optional<UploadTarget>& target) {
  if (document.filePath.empty()) {
    prompts_.tell(MessageIcon::Information, kSaveFirstText);
    return;
  }
  if (!prompts_.ask(MessageIcon::Question, kUploadConfirmText, true)) return;
  const std::u16string error = target ? send(document, *target) : connectErrorText(1);
  // Every handle is given back before the author is told anything.
  http_.close();
  if (!error.empty()) prompts_.tell(MessageIcon::Error, error);
}

std::u16string WebUploader::send(const ExamDocument& document, const UploadTarget& target) {
  if (!http_.open(kUploadAgent)) return connectErrorText(1);
  http_.connect(target.host, target.port);
  if (!http_.openRequest(kUploadVerb, target.path, kUploadVersion)) return connectErrorText(3);

  const std::u16string boundary = makeBoundary();
  const auto headerLines = uploadHeaderLines(target, boundary);
  if (!http_.addHeader(headerLines[0], false)) return connectErrorText(4);
  for (std::size_t i = 1; i < headerLines.size(); ++i) http_.addHeader(headerLines[i], true);

  // Built whole before the request starts, so that its length is known up front.
  const UploadBody body = buildUploadBody(document.header, document.filePath, boundary);
  MappedFile file;
  if (!file.open(document.filePath)) return readErrorText(document.filePath);
  const std::uint64_t total = body.totalLength(file.size());
  if (total > std::numeric_limits<std::uint32_t>::max()) return readErrorText(document.filePath);
  if (!http_.sendRequest(static_cast<std::uint32_t>(total))) return sendErrorText();

  auto writePiece = [this](const std::string& piece) {
    return http_.write(piece.data(), static_cast<std::uint32_t>(piece.size()));
  };
  bool written = writePiece(body.pieces[0]) && http_.write(file.view(), file.size());
  for (std::size_t i = 1; written && i < body.pieces.size(); ++i) {
    written = writePiece(body.pieces[i]);
  }
  if (!written || !http_.endRequest()) return sendErrorText();

  const unsigned status = http_.statusCode();
  return status >= 400 ? refusedErrorText(status) : std::u16string();
}

}  // namespace quizmora
