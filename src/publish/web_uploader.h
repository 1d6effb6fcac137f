#pragma once
// Upload file to the Web: one multipart form POST carrying the exam file as last saved and
// five header fields of the exam, sent synchronously; the author hears of every failure after
// the confirmation, and nothing on success.

#include <optional>
#include <string>

#include "model/exam_document.h"
#include "publish/http_client.h"
#include "publish/publish_prompts.h"
#include "publish/upload_request.h"

namespace quizmora {

// The multipart boundary: the 32-hyphen prefix and a fresh UUID, 68 characters in all.
std::u16string makeBoundary();

// Where a school's administrator sets the upload page for every user of a computer (the
// package's UPLOADURL property writes it).
inline constexpr wchar_t kUploadUrlKey[] = L"Software\\Quizmora\\Builder";
inline constexpr wchar_t kUploadUrlValue[] = L"UploadUrl";

// The upload page: the one QUIZMORA_UPLOAD_URL names, else the one in the computer's
// HKLM\Software\Quizmora\Builder\UploadUrl, else the product's. nullopt when the address
// used is not an http address, so that a mistyped test or self-hosted setting never sends an
// exam elsewhere.
std::optional<UploadTarget> uploadTargetFromEnvironment();

class WebUploader {
 public:
  // Both must outlive the uploader.
  WebUploader(HttpClient& http, PublishPrompts& prompts) : http_(http), prompts_(prompts) {}

  // The whole command for `document`'s file at `target`; nullopt target: the address is
  // unusable and the upload fails as one that cannot connect.
  void upload(const ExamDocument& document, const std::optional<UploadTarget>& target);

 private:
  // Sends the request; the text of the error box to show, or empty after success.
  std::u16string send(const ExamDocument& document, const UploadTarget& target);

  HttpClient& http_;
  PublishPrompts& prompts_;
};

}  // namespace quizmora
