#pragma once
// The folder of uploaded exams: NAME.qzm as uploaded beside NAME.json, a record of the form
// fields, the upload time and what the listing shows. The listing is kept in memory, read
// from the records once when the folder is opened and updated by every upload.

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "model/exam_document.h"

namespace quizmora {

// The text fields of the program's form, UTF-8 as sent.
struct UploadFields {
  std::string fileName;  // the "filename" of the file part: the teacher's full path
  std::string title;
  std::string author;
  std::string mail;
  std::string web;
  std::string description;

  // Whether two uploads come from the same exam's Settings (the file name aside).
  bool sameExamAs(const UploadFields& other) const;
};

// One line of the listing.
struct ExamSummary {
  std::string name;  // as in /exam/<name>
  std::string title;
  std::string author;
  int questionCount = 0;
  std::string uploaded;  // UTC, "2026-05-01T08:30:00.123Z": sorts as it reads
};

// The current time in UTC as the records hold it: "2026-05-01T08:30:00.123Z".
std::string utcTimestamp();

class ExamStore {
 public:
  explicit ExamStore(std::filesystem::path folder);

  // Creates the folder when missing and reads the records in it; records without their exam
  // file, or unreadable, are left out. False with `error` set when the folder is unusable.
  bool open(std::string& error);

  // Keeps `fileBytes` (already read as `exam`) under a name made from the file name: the name
  // of an earlier upload with the same fields is replaced, any other exam keeps its own and
  // the new one is numbered ("name-2", ...). The exam file and its record are each written
  // whole beside their place and renamed into it; the listing changes only when both are.
  // Returns the name, or nullopt when writing failed.
  std::optional<std::string> store(const UploadFields& fields, std::string_view fileBytes,
                                   const ExamDocument& exam);

  std::vector<ExamSummary> newestFirst() const;

  // The exam file of a listed exam; nullopt for any other name.
  std::optional<std::filesystem::path> examFile(const std::string& name) const;

 private:
  struct Entry {
    UploadFields fields;
    ExamSummary summary;
  };

  std::optional<std::string> chooseName(const std::string& base, const UploadFields& fields) const;
  std::optional<Entry> readRecord(const std::filesystem::path& record) const;

  std::filesystem::path folder_;
  std::mutex storing_;  // one upload chooses a name and writes at a time
  mutable std::shared_mutex listing_;
  std::map<std::string, Entry> entries_;
};

}  // namespace quizmora
