#include "interchange/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <cstring>

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
    const char* name = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (name) names.emplace_back(name);
  }
  return names;
}

bool ZipReader::contains(const std::string& name) const {
  return zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_ENC_RAW) >= 0;
}

ZipReader::Status ZipReader::read(const std::string& name, std::string& out,
                                  std::size_t limit) const {
  const zip_int64_t index = zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_ENC_RAW);
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

// The archive being written: libzip writes, seeks back to fill in headers, and commits.
struct ZipWriter::Sink {
  std::string committed;
  std::string pending;
  zip_uint64_t position = 0;  // of writing into `pending`
  zip_uint64_t readPosition = 0;
  std::size_t expected = 0;
  zip_error_t error;
  zip_source_t* source = nullptr;
};

// One entry: its content is made when libzip first asks for it and let go once it has been
// written, so only one is held at a time.
struct ZipWriter::Entry {
  std::function<std::string()> make;
  std::string content;
  bool made = false;  // `content` holds what make() gave
  std::size_t size = 0;
  bool sized = false;
  std::size_t offset = 0;
  zip_error_t error;
};

namespace {

// Gives the memory back: assigning an empty string would keep the old buffer.
void release(std::string& text) { std::string().swap(text); }

zip_int64_t sinkCommand(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto& sink = *static_cast<ZipWriter::Sink*>(state);
  try {
    switch (command) {
      case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
      case ZIP_SOURCE_OPEN:
        sink.readPosition = 0;
        return 0;
      case ZIP_SOURCE_READ: {
        // A seek never goes past the end, so the position and the count fit in a size_t.
        const zip_uint64_t left = sink.committed.size() - sink.readPosition;
        const auto count = static_cast<std::size_t>(std::min(left, length));
        std::memcpy(data, sink.committed.data() + sink.readPosition, count);
        sink.readPosition += count;
        return static_cast<zip_int64_t>(count);
      }
      case ZIP_SOURCE_CLOSE:
        return 0;
      case ZIP_SOURCE_STAT: {
        zip_stat_t* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &sink.error);
        if (!stat) return -1;
        zip_stat_init(stat);
        stat->size = sink.committed.size();
        stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&sink.error, data, length);
      case ZIP_SOURCE_FREE:
        return 0;
      case ZIP_SOURCE_SEEK:
      case ZIP_SOURCE_SEEK_WRITE: {
        std::string& buffer = command == ZIP_SOURCE_SEEK ? sink.committed : sink.pending;
        zip_uint64_t& at = command == ZIP_SOURCE_SEEK ? sink.readPosition : sink.position;
        const zip_int64_t to =
            zip_source_seek_compute_offset(at, buffer.size(), data, length, &sink.error);
        if (to < 0) return -1;
        at = static_cast<zip_uint64_t>(to);
        return 0;
      }
      case ZIP_SOURCE_TELL:
        return static_cast<zip_int64_t>(sink.readPosition);
      case ZIP_SOURCE_TELL_WRITE:
        return static_cast<zip_int64_t>(sink.position);
      case ZIP_SOURCE_BEGIN_WRITE:
        sink.pending.clear();
        sink.pending.reserve(sink.expected);
        sink.position = 0;
        return 0;
      case ZIP_SOURCE_WRITE: {
        // The package is built in memory: on 32-bit Windows it must fit in the address space.
        const zip_uint64_t end = sink.position + length;
        if (end < length || end > sink.pending.max_size()) {
          zip_error_set(&sink.error, ZIP_ER_MEMORY, 0);
          return -1;
        }
        const auto at = static_cast<std::size_t>(sink.position);
        const auto size = static_cast<std::size_t>(end);
        if (sink.pending.size() < size) {
          if (sink.pending.capacity() < size) {
            sink.pending.reserve(std::max(size, sink.pending.capacity() / 2 * 3));
          }
          sink.pending.resize(size);
        }
        std::memcpy(sink.pending.data() + at, data, static_cast<std::size_t>(length));
        sink.position += length;
        return static_cast<zip_int64_t>(length);
      }
      case ZIP_SOURCE_COMMIT_WRITE:
        sink.committed = std::move(sink.pending);
        release(sink.pending);
        return 0;
      case ZIP_SOURCE_ROLLBACK_WRITE:
        release(sink.pending);
        return 0;
      case ZIP_SOURCE_REMOVE:
        release(sink.committed);
        return 0;
      default:
        zip_error_set(&sink.error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
  } catch (...) {  // no exception may cross into libzip
    zip_error_set(&sink.error, ZIP_ER_MEMORY, 0);
    return -1;
  }
}

void make(ZipWriter::Entry& entry) {
  entry.content = entry.make();
  entry.made = true;
  entry.size = entry.content.size();
  entry.sized = true;
}

zip_int64_t entryCommand(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto& entry = *static_cast<ZipWriter::Entry*>(state);
  try {
    switch (command) {
      case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_READABLE;
      case ZIP_SOURCE_OPEN:
        entry.offset = 0;
        if (!entry.made) make(entry);
        return 0;
      case ZIP_SOURCE_READ: {
        if (!entry.made) return 0;
        const std::size_t count = std::min<std::size_t>(entry.content.size() - entry.offset,
                                                        static_cast<std::size_t>(length));
        std::memcpy(data, entry.content.data() + entry.offset, count);
        entry.offset += count;
        if (entry.offset == entry.content.size()) {  // libzip closes entries only at the end
          release(entry.content);
          entry.made = false;
        }
        return static_cast<zip_int64_t>(count);
      }
      case ZIP_SOURCE_CLOSE:
        release(entry.content);
        entry.made = false;
        return 0;
      case ZIP_SOURCE_STAT: {
        zip_stat_t* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &entry.error);
        if (!stat) return -1;
        // The size goes into the entry's header (left unknown, libzip would mark every entry
        // as zip64). libzip asks for it just before it opens the entry, so what is made here
        // is kept for the reading; asked again after the entry was written, the size is
        // remembered.
        if (!entry.sized) make(entry);
        zip_stat_init(stat);
        stat->size = entry.size;
        stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&entry.error, data, length);
      case ZIP_SOURCE_FREE:
        return 0;
      default:
        zip_error_set(&entry.error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
  } catch (...) {
    zip_error_set(&entry.error, ZIP_ER_MEMORY, 0);
    return -1;
  }
}

}  // namespace

ZipWriter::ZipWriter() : sink_(std::make_unique<Sink>()) {
  zip_error_init(&sink_->error);
  zip_error_t failure;
  zip_error_init(&failure);
  sink_->source = zip_source_function_create(sinkCommand, sink_.get(), &failure);
  if (sink_->source) {
    archive_ = zip_open_from_source(sink_->source, ZIP_TRUNCATE, &failure);
    if (archive_) {
      zip_source_keep(sink_->source);  // the archive lets go of it when closed
    } else {
      zip_source_free(sink_->source);
      sink_->source = nullptr;
    }
  }
  zip_error_fini(&failure);
}

ZipWriter::~ZipWriter() {
  if (archive_) zip_discard(archive_);
  if (sink_->source) zip_source_free(sink_->source);
  for (Entry& entry : entries_) zip_error_fini(&entry.error);
  zip_error_fini(&sink_->error);
}

bool ZipWriter::add(const std::string& name, std::string content) {
  return add(name, [kept = std::move(content)] { return kept; });
}

bool ZipWriter::add(const std::string& name, std::function<std::string()> makeContent) {
  if (!archive_) return false;
  Entry& entry = entries_.emplace_back();
  entry.make = std::move(makeContent);
  zip_error_init(&entry.error);
  zip_source_t* source = zip_source_function(archive_, entryCommand, &entry);
  if (!source) return false;
  const zip_int64_t index =
      zip_file_add(archive_, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
  if (index < 0) {
    zip_source_free(source);
    return false;
  }
  // Stored: deflating a hundred thousand small files costs several times what writing and
  // reading the whole package does, for half the size.
  return zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) == 0;
}

void ZipWriter::reserve(std::size_t bytes) { sink_->expected = bytes; }

std::optional<std::string> ZipWriter::finish() {
  if (!archive_ || zip_close(archive_) != 0) return std::nullopt;
  archive_ = nullptr;
  for (Entry& entry : entries_) zip_error_fini(&entry.error);
  entries_.clear();
  return std::move(sink_->committed);
}

}  // namespace quizmora
