#pragma once
// Zip archives in memory over libzip: reading the entries of a package that arrived as bytes,
// and building one to hand back as bytes.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_source;

namespace quizmora {

class ZipReader {
 public:
  // nullopt with `error` set when the bytes are not a zip archive. The bytes must outlive
  // the reader.
  static std::optional<ZipReader> open(std::string_view bytes, std::string& error);

  std::vector<std::string> names() const;

  enum class Status { Ok, Missing, TooLarge, Broken };
  // The whole entry; TooLarge when it unpacks to more than `limit` bytes (a zip bomb does not
  // get to fill the memory), Broken when it cannot be unpacked.
  Status read(const std::string& name, std::string& out, std::size_t limit) const;

 private:
  struct Close {
    void operator()(zip* archive) const;
  };
  explicit ZipReader(zip* archive) : archive_(archive) {}
  std::unique_ptr<zip, Close> archive_;
};

class ZipWriter {
 public:
  ZipWriter();
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Adds an entry, in order; false when libzip refuses it.
  bool add(const std::string& name, std::string content);

  // The archive's bytes; nullopt when it could not be built. The writer is spent after.
  std::optional<std::string> finish();

 private:
  zip_source* buffer_ = nullptr;  // owned: the archive writes into it
  zip* archive_ = nullptr;
  std::deque<std::string> contents_;  // libzip reads them when the archive is closed
};

}  // namespace quizmora
