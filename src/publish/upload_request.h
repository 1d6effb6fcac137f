#pragma once
// Everything about the web upload's request that needs no network: where it goes, its header
// lines, the multipart body around the exam file, and the texts of its error boxes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/exam_document.h"

namespace quizmora {

inline constexpr std::u16string_view kUploadAgent = u"QuizmoraBuilder";
inline constexpr std::u16string_view kUploadVerb = u"POST";
inline constexpr std::u16string_view kUploadVersion = u"HTTP/1.0";
inline constexpr std::u16string_view kSupportAddress = u"support@quizmora.example";
// Replaces host, port and path of the upload page, for self-hosted servers and tests.
inline constexpr std::u16string_view kUploadUrlVariable = u"QUIZMORA_UPLOAD_URL";
// The boundary is this prefix followed by a fresh UUID in its 36-character text form.
inline constexpr std::u16string_view kBoundaryPrefix = u"--------------------------------";
inline constexpr std::u16string_view kUploadConfirmText =
    u"Do you really want to upload this file to Quizmora's web-site?";

struct UploadTarget {
  std::u16string host;
  std::uint16_t port = 80;
  std::u16string path;  // starts with "/"

  friend bool operator==(const UploadTarget&, const UploadTarget&) = default;
};

// The product's upload page.
UploadTarget defaultUploadTarget();

// "http://host[:port][/path]" (scheme case-insensitive, path "/" when missing); nullopt for
// any other scheme, an empty host, a host with characters a host name cannot hold, or a port
// outside 1-65535.
std::optional<UploadTarget> parseUploadUrl(std::u16string_view url);

// The header lines the program adds to the request, each ending in CR LF: first the
// Content-Type naming `boundary` (the one whose failure stops the upload), then Accept,
// Referer (the upload page's absolute address), Accept-Encoding and Accept-Language.
std::array<std::u16string, 5> uploadHeaderLines(const UploadTarget& target,
                                                std::u16string_view boundary);

// The body's text around the exam file: piece 0 goes before the file's bytes, pieces 1 to 6
// after it. Header fields and path are sent as UTF-8 and inserted as they are.
struct UploadBody {
  std::array<std::string, 7> pieces;

  // The length the request declares: every byte of the pieces plus the file's.
  std::uint64_t totalLength(std::uint64_t fileSize) const;
};

UploadBody buildUploadBody(const ExamHeader& header, std::u16string_view filePath,
                           std::u16string_view boundary);

// Error boxes: 1, 3 and 4 when the web-site cannot be reached at all; 5 when the exam file
// cannot be read; 6 when the request cannot be sent or finished; 7 when the server refuses.
std::u16string connectErrorText(int number);
std::u16string readErrorText(std::u16string_view filePath);
std::u16string sendErrorText();
std::u16string refusedErrorText(unsigned status);

}  // namespace quizmora
