#include "interchange/zip_archive.h"

#include <zip.h>

#include <cstdio>

namespace quizmora {

void ZipReader::Close::operator()(zip* archive) const { zip_discard(archive); }

std::optional<ZipReader> ZipReader::open(std::string_view bytes, std::string& error) {
  if (bytes.empty()) {  // libzip takes no bytes at all for an archive without entries
    error = "the file is empty";
    return std::nullopt;
  }
  zip_error_t failure;
  zip_error_init(&failure);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &failure);
  zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &failure) : nullptr;
  if (!archive) {
    error = zip_error_strerror(&failure);
    if (source) zip_source_free(source);
    zip_error_fini(&failure);
    return std::nullopt;
  }
  zip_error_fini(&failure);
  return ZipReader(archive);
}

std::vector<std::string> ZipReader::names() const {
  std::vector<std::string> names;
  const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    if (name) names.emplace_back(name);
  }
  return names;
}

ZipReader::Status ZipReader::read(const std::string& name, std::string& out,
                                  std::size_t limit) const {
  const zip_int64_t index = zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_ENC_GUESS);
  if (index < 0) return Status::Missing;
  zip_file_t* file = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
  if (!file) return Status::Broken;
  out.clear();
  zip_stat_t stat;
  if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
      (stat.valid & ZIP_STAT_SIZE) && stat.size <= limit) {
    out.reserve(static_cast<std::size_t>(stat.size));
  }
  Status status = Status::Ok;
  char chunk[65536];
  for (;;) {
    const zip_int64_t got = zip_fread(file, chunk, sizeof chunk);
    if (got < 0) {
      status = Status::Broken;
      break;
    }
    if (got == 0) break;
    if (out.size() + static_cast<std::size_t>(got) > limit) {
      status = Status::TooLarge;
      break;
    }
    out.append(chunk, static_cast<std::size_t>(got));
  }
  // A checksum that does not match shows at the close.
  if (zip_fclose(file) != 0 && status == Status::Ok) status = Status::Broken;
  return status;
}

ZipWriter::ZipWriter() {
  zip_error_t failure;
  zip_error_init(&failure);
  buffer_ = zip_source_buffer_create(nullptr, 0, 0, &failure);
  if (buffer_) {
    archive_ = zip_open_from_source(buffer_, ZIP_TRUNCATE, &failure);
    if (archive_) {
      zip_source_keep(buffer_);  // the bytes are taken from it after the archive closed
    } else {
      zip_source_free(buffer_);
      buffer_ = nullptr;
    }
  }
  zip_error_fini(&failure);
}

ZipWriter::~ZipWriter() {
  if (archive_) zip_discard(archive_);
  if (buffer_) zip_source_free(buffer_);
}

bool ZipWriter::add(const std::string& name, std::string content) {
  if (!archive_) return false;
  const std::string& kept = contents_.emplace_back(std::move(content));
  zip_source_t* source = zip_source_buffer(archive_, kept.data(), kept.size(), 0);
  if (!source) return false;
  const zip_int64_t index =
      zip_file_add(archive_, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
  if (index < 0) {
    zip_source_free(source);
    return false;
  }
  return true;
}

std::optional<std::string> ZipWriter::finish() {
  if (!archive_) return std::nullopt;
  const int closed = zip_close(archive_);
  if (closed != 0) return std::nullopt;
  archive_ = nullptr;
  contents_.clear();
  std::optional<std::string> bytes;
  if (zip_source_open(buffer_) == 0) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer_, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
      std::string data(static_cast<std::size_t>(stat.size), '\0');
      if (zip_source_read(buffer_, data.data(), stat.size) == static_cast<zip_int64_t>(stat.size)) {
        bytes = std::move(data);
      }
    }
    zip_source_close(buffer_);
  }
  return bytes;
}

}  // namespace quizmora
