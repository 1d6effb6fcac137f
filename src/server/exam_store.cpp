#include "server/exam_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <system_error>

#include <nlohmann/json.hpp>

#include "format/file_bytes.h"
#include "format/utf8_text.h"
#include "server/exam_name.h"

namespace quizmora {
namespace {

constexpr int kMaxNumber = 9999;

}  // namespace

std::string utcTimestamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<int>(millis));
  return text;
}

namespace {

nlohmann::json recordOf(const UploadFields& fields, const ExamSummary& summary) {
  return {{"name", summary.name},
          {"fileName", fields.fileName},
          {"form",
           {{"Title", fields.title},
            {"Author", fields.author},
            {"Mail", fields.mail},
            {"Web", fields.web},
            {"Description", fields.description}}},
          {"uploaded", summary.uploaded},
          {"exam",
           {{"title", summary.title},
            {"author", summary.author},
            {"questions", summary.questionCount}}}};
}

// Form fields are whatever bytes a client sent; the record keeps valid UTF-8 only.
std::string validUtf8(const std::string& text) {
  if (utf8ToUtf16(text)) return text;
  std::u16string units(text.begin(), text.end());
  for (char16_t& unit : units) unit = static_cast<unsigned char>(unit);
  return utf16ToUtf8(units);  // read as ISO 8859-1, as the old files are
}

UploadFields validFields(const UploadFields& fields) {
  return {validUtf8(fields.fileName), validUtf8(fields.title), validUtf8(fields.author),
          validUtf8(fields.mail),     validUtf8(fields.web),   validUtf8(fields.description)};
}

}  // namespace

bool UploadFields::sameExamAs(const UploadFields& other) const {
  return title == other.title && author == other.author && mail == other.mail && web == other.web &&
         description == other.description;
}

ExamStore::ExamStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

bool ExamStore::open(std::string& error) {
  std::error_code failure;
  std::filesystem::create_directories(folder_, failure);
  if (failure || !std::filesystem::is_directory(folder_, failure)) {
    error = "cannot use the folder " + folder_.string();
    return false;
  }
  std::unique_lock lock(listing_);
  entries_.clear();
  for (const auto& item : std::filesystem::directory_iterator(folder_, failure)) {
    if (item.path().extension() != ".json") continue;
    if (std::optional<Entry> entry = readRecord(item.path())) {
      entries_.emplace(entry->summary.name, std::move(*entry));
    }
  }
  if (failure) {
    error = "cannot read the folder " + folder_.string();
    return false;
  }
  return true;
}

std::optional<ExamStore::Entry> ExamStore::readRecord(const std::filesystem::path& record) const {
  const std::string name = record.stem().string();
  std::error_code failure;
  if (!isExamName(name) || !std::filesystem::is_regular_file(folder_ / (name + ".qzm"), failure)) {
    return std::nullopt;
  }
  std::optional<std::string> text = readFileBytes(record);
  if (!text) return std::nullopt;
  const nlohmann::json json = nlohmann::json::parse(*text, nullptr, false);
  if (!json.is_object() || json.value("name", "") != name) return std::nullopt;
  try {
    const nlohmann::json& form = json.at("form");
    const nlohmann::json& exam = json.at("exam");
    Entry entry;
    entry.fields = {json.at("fileName"), form.at("Title"), form.at("Author"),
                    form.at("Mail"),     form.at("Web"),   form.at("Description")};
    entry.summary = {name, exam.at("title"), exam.at("author"), exam.at("questions"),
                     json.at("uploaded")};
    return entry;
  } catch (const nlohmann::json::exception&) {
    return std::nullopt;  // a record written by hand or by something else
  }
}

std::optional<std::string> ExamStore::chooseName(const std::string& base,
                                                 const UploadFields& fields) const {
  std::shared_lock lock(listing_);
  for (int number = 1; number <= kMaxNumber; ++number) {
    const std::string name = number == 1 ? base : base + "-" + std::to_string(number);
    const auto found = entries_.find(name);
    if (found != entries_.end()) {
      if (found->second.fields.sameExamAs(fields)) return name;
      continue;
    }
    std::error_code failure;
    // A file the listing does not know (left by hand, or a record that could not be read)
    // is not ours to replace.
    if (!std::filesystem::exists(folder_ / (name + ".qzm"), failure) && !failure &&
        !std::filesystem::exists(folder_ / (name + ".json"), failure) && !failure) {
      return name;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ExamStore::store(const UploadFields& sent, std::string_view fileBytes,
                                            const ExamDocument& exam) {
  const UploadFields fields = validFields(sent);
  std::lock_guard storing(storing_);
  const std::optional<std::string> name = chooseName(safeExamName(fields.fileName), fields);
  if (!name) return std::nullopt;
  // The listing names the exam as the students will see it, else as the form did.
  const std::string title = utf16ToUtf8(exam.header.title);
  const std::string author = utf16ToUtf8(exam.header.author);
  Entry entry{fields,
              {*name, title.empty() ? fields.title : title, author.empty() ? fields.author : author,
               exam.questionCount(), utcTimestamp()}};
  const std::filesystem::path examPath = folder_ / (*name + ".qzm");
  const std::filesystem::path recordPath = folder_ / (*name + ".json");
  const bool replacing = [&] {
    std::shared_lock lock(listing_);
    return entries_.count(*name) != 0;
  }();
  if (!writeFileReplacing(examPath, fileBytes)) return std::nullopt;
  if (!writeFileReplacing(recordPath, recordOf(entry.fields, entry.summary).dump(2) + "\n")) {
    std::error_code ignored;
    if (!replacing) std::filesystem::remove(examPath, ignored);
    return std::nullopt;
  }
  std::unique_lock lock(listing_);
  entries_[*name] = std::move(entry);
  return name;
}

std::vector<ExamSummary> ExamStore::newestFirst() const {
  std::vector<ExamSummary> list;
  {
    std::shared_lock lock(listing_);
    list.reserve(entries_.size());
    for (const auto& [name, entry] : entries_) list.push_back(entry.summary);
  }
  std::stable_sort(list.begin(), list.end(), [](const ExamSummary& a, const ExamSummary& b) {
    return a.uploaded > b.uploaded;
  });
  return list;
}

std::optional<std::filesystem::path> ExamStore::examFile(const std::string& name) const {
  std::shared_lock lock(listing_);
  if (entries_.count(name) == 0) return std::nullopt;
  return folder_ / (name + ".qzm");
}

}  // namespace quizmora
