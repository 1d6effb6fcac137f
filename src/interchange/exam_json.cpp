#include "interchange/exam_json.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "format/utf8_text.h"

namespace quizmora {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

OrderedJson answerToJson(const AnswerRecord& answer) {
  OrderedJson json = OrderedJson::object();
  json["text"] = utf16ToUtf8(answer.text);
  json["isCorrect"] = answer.isCorrect;
  return json;
}

OrderedJson questionToJson(const QuestionRecord& question) {
  OrderedJson answers = OrderedJson::array();
  std::transform(question.answers.begin(), question.answers.end(), std::back_inserter(answers),
                 answerToJson);
  OrderedJson json = OrderedJson::object();
  json["type"] = static_cast<std::int32_t>(question.type);
  json["text"] = utf16ToUtf8(question.text);
  json["answers"] = std::move(answers);
  return json;
}

// Walks a parsed JSON value into the model, remembering the first problem and where it is.
class JsonExamReader {
 public:
  bool readExam(const Json& json, ExamDocument& document) {
    if (!json.is_object()) return fail("the top level", "an object");
    std::int32_t mode = 0;
    if (!readText(json, "title", "", document.header.title) ||
        !readText(json, "author", "", document.header.author) ||
        !readNumber(json, "mode", "", mode)) {
      return false;
    }
    document.header.mode = static_cast<ExamMode>(mode);
    const Json* questions = nullptr;
    if (!findArray(json, "questions", "", questions)) return false;
    if (!questions) return true;
    document.questions.reserve(questions->size());
    for (std::size_t i = 0; i < questions->size(); ++i) {
      QuestionRecord question;
      if (!readQuestion((*questions)[i], "questions[" + std::to_string(i) + "]", question)) {
        return false;
      }
      document.questions.push_back(std::move(question));
    }
    return true;
  }

  const std::string& error() const { return error_; }

 private:
  bool readQuestion(const Json& json, const std::string& where, QuestionRecord& question) {
    if (!json.is_object()) return fail(where, "an object");
    std::int32_t type = 0;
    if (!readNumber(json, "type", where, type) || !readText(json, "text", where, question.text)) {
      return false;
    }
    question.type = static_cast<QuestionType>(type);
    const Json* answers = nullptr;
    if (!findArray(json, "answers", where, answers)) return false;
    if (!answers) return true;
    question.answers.reserve(answers->size());
    for (std::size_t j = 0; j < answers->size(); ++j) {
      const std::string answerWhere = where + ".answers[" + std::to_string(j) + "]";
      const Json& answerJson = (*answers)[j];
      if (!answerJson.is_object()) return fail(answerWhere, "an object");
      AnswerRecord answer;
      if (!readText(answerJson, "text", answerWhere, answer.text) ||
          !readNumber(answerJson, "isCorrect", answerWhere, answer.isCorrect)) {
        return false;
      }
      question.answers.push_back(std::move(answer));
    }
    return true;
  }

  // A missing key leaves `out` as it is.
  bool readText(const Json& object, const char* key, const std::string& where,
                std::u16string& out) {
    const auto it = object.find(key);
    if (it == object.end()) return true;
    if (!it->is_string()) return fail(path(where, key), "a string");
    std::optional<std::u16string> text = utf8ToUtf16(it->get_ref<const std::string&>());
    if (!text) return fail(path(where, key), "valid UTF-8");
    if (text->find(u'\0') != std::u16string::npos) {
      error_ = path(where, key) + " holds U+0000, which no exam text can hold";
      return false;
    }
    out = std::move(*text);
    return true;
  }

  bool readNumber(const Json& object, const char* key, const std::string& where,
                  std::int32_t& out) {
    const auto it = object.find(key);
    if (it == object.end()) return true;
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const char* expected = "a whole number from -2147483648 to 2147483647";
    if (it->is_number_unsigned()) {
      const auto value = it->get<std::uint64_t>();
      if (value > static_cast<std::uint64_t>(kMax)) return fail(path(where, key), expected);
      out = static_cast<std::int32_t>(value);
      return true;
    }
    if (!it->is_number_integer()) return fail(path(where, key), expected);
    const auto value = it->get<std::int64_t>();
    if (value < kMin || value > kMax) return fail(path(where, key), expected);
    out = static_cast<std::int32_t>(value);
    return true;
  }

  // `out` stays null when the key is missing.
  bool findArray(const Json& object, const char* key, const std::string& where, const Json*& out) {
    const auto it = object.find(key);
    if (it == object.end()) return true;
    if (!it->is_array()) return fail(path(where, key), "an array");
    out = &*it;
    return true;
  }

  static std::string path(const std::string& where, const char* key) {
    return where.empty() ? std::string(key) : where + "." + key;
  }

  bool fail(const std::string& what, const char* expected) {
    error_ = what + " must be " + expected;
    return false;
  }

  std::string error_;
};

// nlohmann's messages start with a tag like "[json.exception.parse_error.101] " and may end
// with the bytes last read, invalid UTF-8 among them; what remains says what and where.
std::string parseErrorText(const std::string& message) {
  std::string text = message;
  const std::size_t lastRead = text.find("; last read:");
  if (lastRead != std::string::npos) text.erase(lastRead);
  if (!text.empty() && text.front() == '[') {
    const std::size_t end = text.find("] ");
    if (end != std::string::npos) text.erase(0, end + 2);
  }
  return text;
}

}  // namespace

nlohmann::ordered_json examToJson(const ExamDocument& document) {
  OrderedJson questions = OrderedJson::array();
  std::transform(document.questions.begin(), document.questions.end(),
                 std::back_inserter(questions), questionToJson);
  OrderedJson json = OrderedJson::object();
  json["title"] = utf16ToUtf8(document.header.title);
  json["author"] = utf16ToUtf8(document.header.author);
  json["mode"] = static_cast<std::int32_t>(document.header.mode);
  json["questions"] = std::move(questions);
  return json;
}

JsonExamResult examFromJson(std::string_view bytes) {
  JsonExamResult result;
  Json json;
  try {
    json = Json::parse(bytes.begin(), bytes.end());
  } catch (const Json::exception& e) {
    result.error = "not valid JSON: " + parseErrorText(e.what());
    return result;
  }
  JsonExamReader reader;
  if (!reader.readExam(json, result.document)) {
    result.document = ExamDocument{};
    result.error = reader.error();
  }
  return result;
}

}  // namespace quizmora
