#pragma once
// Writing exam files: the whole file is composed in memory as UTF-16 units, then written
// as little-endian byte pairs. The layout (rows, tabs, CR LF, reverse order of questions and
// answers) is what the handheld reads and must not change.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "model/exam_document.h"

namespace quizmora {

// Question and answer texts: tab, LF, CR, quotation mark, ampersand, apostrophe, "<" and
// ">" become "&#9;", "&#a;", "&#d;", "&quot;", "&amp;", "&apos;", "&lt;", "&gt;".
std::u16string escapeMarkupText(std::u16string_view text);

// Author and title: only "<", ">", "&", quotation mark and apostrophe are escaped, with the
// five named references the reader decodes; everything else (line breaks too) as held.
std::u16string escapeHeaderText(std::u16string_view text);

// The complete file content. Never empty.
std::u16string composeExamText(const ExamDocument& document);

// Writes the units as little-endian byte pairs to a temporary file beside `path`, and
// replaces `path` with it only after every byte was written and the file closed. Returns
// false on any failure, with the reason in `*error` when given (see file_bytes.h); an
// existing file at `path` is then left as it was.
bool writeExamFile(const std::filesystem::path& path, std::u16string_view text,
                   std::error_code* error = nullptr);

}  // namespace quizmora
