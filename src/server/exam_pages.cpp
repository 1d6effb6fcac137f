#include "server/exam_pages.h"

#include <cstdio>

#include "format/utf8_text.h"
#include "interchange/interchange_text.h"

namespace quizmora {

extern const std::string_view kExamPageStyle;
extern const std::string_view kExamPageScript;

namespace {

// Roughly how much of the page one piece holds.
constexpr std::size_t kPieceBytes = 64 * 1024;

std::string pageHead(std::string_view title) {
  std::string head =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
      "<title>";
  head += escapeHtml(title);
  head += "</title><style>";
  head += kExamPageStyle;
  head += "</style></head><body>";
  return head;
}

// "2026-05-01T08:30:00.123Z" as "2026-05-01 08:30 UTC".
std::string shownTime(const std::string& uploaded) {
  if (uploaded.size() < 16) return uploaded;
  return uploaded.substr(0, 10) + " " + uploaded.substr(11, 5) + " UTC";
}

int typeNumber(QuestionType type) { return static_cast<int>(type); }

void appendQuestion(std::string& out, const QuestionRecord& question) {
  out += "{\"type\":";
  out += std::to_string(typeNumber(question.type));
  out += ",\"text\":";
  out += jsonString(question.text);
  out += ",\"answers\":[";
  for (std::size_t i = 0; i < question.answers.size(); ++i) {
    if (i > 0) out += ',';
    out += "{\"text\":";
    out += jsonString(question.answers[i].text);
    out += question.answers[i].correct() ? ",\"correct\":true}" : ",\"correct\":false}";
  }
  out += "]}";
}

}  // namespace

std::string jsonString(std::u16string_view text) {
  std::string out = "\"";
  for (char c : utf16ToUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  // U+2028 and U+2029 end a line in older script engines; as escapes they are just text.
  for (std::size_t at = out.find("\xe2\x80"); at != std::string::npos;
       at = out.find("\xe2\x80", at)) {
    if (at + 2 < out.size() && (out[at + 2] == '\xa8' || out[at + 2] == '\xa9')) {
      out.replace(at, 3, out[at + 2] == '\xa8' ? "\\u2028" : "\\u2029");
    } else {
      at += 2;
    }
  }
  return out + "\"";
}

std::string listingPage(const std::vector<ExamSummary>& exams) {
  std::string page = pageHead("Exams");
  page += "<main><h1>Exams</h1>";
  if (exams.empty()) page += "<p class=\"note\">No exam has been uploaded yet.</p>";
  page += "<ul class=\"exams\">";
  for (const ExamSummary& exam : exams) {
    const std::string title = exam.title.empty() ? exam.name : exam.title;
    page += "<li><a class=\"exam\" href=\"/exam/" + exam.name + "\"><span class=\"title\">" +
            escapeHtml(title) + "</span><span class=\"meta\">";
    if (!exam.author.empty()) page += escapeHtml(exam.author) + " &middot; ";
    page += std::to_string(exam.questionCount) +
            (exam.questionCount == 1 ? " question" : " questions") + " &middot; " +
            escapeHtml(shownTime(exam.uploaded)) + "</span></a><a class=\"file\" href=\"/exam/" +
            exam.name + ".qzm\" download>file</a></li>";
  }
  page += "</ul></main></body></html>\n";
  return page;
}

ExamPageWriter::ExamPageWriter(ExamDocument exam, std::string name)
    : exam_(std::move(exam)), name_(std::move(name)) {}

bool ExamPageWriter::nextPiece(std::string& out) {
  if (finished_) return false;
  if (!started_) {
    started_ = true;
    const std::string title = utf16ToUtf8(exam_.header.title);
    out += pageHead(title.empty() ? name_ : title);
    out +=
        "<main id=\"app\"><noscript>This exam needs JavaScript in the browser.</noscript>"
        "</main><script id=\"exam-data\" type=\"application/json\">{\"name\":";
    out += jsonString(std::u16string(name_.begin(), name_.end()));
    out += ",\"title\":" + jsonString(exam_.header.title);
    out += ",\"author\":" + jsonString(exam_.header.author);
    out += ",\"mode\":" + std::to_string(static_cast<int>(exam_.header.mode));
    out += ",\"questions\":[";
    return true;
  }
  const std::size_t start = out.size();
  while (next_ < exam_.questions.size() && out.size() - start < kPieceBytes) {
    if (next_ > 0) out += ',';
    appendQuestion(out, exam_.questions[next_]);
    // What has been written is not needed again.
    exam_.questions[next_] = QuestionRecord();
    ++next_;
  }
  if (next_ < exam_.questions.size()) return true;
  out += "]}</script><script>";
  out += kExamPageScript;
  out += "</script></body></html>\n";
  finished_ = true;
  return true;
}

}  // namespace quizmora
