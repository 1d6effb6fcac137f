#include "publish/mapped_file.h"

#include "app/win_text.h"

namespace quizmora {

bool MappedFile::open(const std::u16string& path) {
  release();
  file_ = CreateFileW(wideText(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file_, &information) || information.nFileSizeHigh != 0) {
    return false;
  }
  size_ = information.nFileSizeLow;
  mapping_ = CreateFileMappingW(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!mapping_) return false;
  view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
  return view_ != nullptr;
}

void MappedFile::release() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  mapping_ = nullptr;
  view_ = nullptr;
  size_ = 0;
}

}  // namespace quizmora
