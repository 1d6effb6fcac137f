#include "editor/win32_recovery.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <string>

namespace quizmora {
namespace {

std::uint64_t startTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

struct TaskMemFree {
  void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

}  // namespace

std::filesystem::path recoveryFolder() {
  if (const DWORD length = GetEnvironmentVariableW(L"QUIZMORA_RECOVERY_DIR", nullptr, 0)) {
    std::wstring folder(length, L'\0');
    folder.resize(GetEnvironmentVariableW(L"QUIZMORA_RECOVERY_DIR", folder.data(), length));
    if (!folder.empty()) return folder;
  }
  wchar_t* raw = nullptr;
  const HRESULT found = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &raw);
  std::unique_ptr<wchar_t, TaskMemFree> local(raw);
  if (FAILED(found) || !local) return {};
  return std::filesystem::path(local.get()) / L"Quizmora Builder" / L"Recovery";
}

ProcessIdentity currentProcessIdentity() {
  return {GetCurrentProcessId(), startTime(GetCurrentProcess())};
}

bool processIsRunning(const ProcessIdentity& owner) {
  std::unique_ptr<void, HandleCloser> process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner.id));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  if (GetExitCodeProcess(process.get(), &code) && code != STILL_ACTIVE) return false;
  const std::uint64_t started = startTime(process.get());
  return started == 0 || started == owner.started;
}

}  // namespace quizmora
