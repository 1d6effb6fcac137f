#pragma once
// Answers the publishing commands' questions from a script and records what they showed,
// one line each: "icon [default button]: text", or "picker: title".

#include <optional>
#include <string>
#include <vector>

#include "publish/publish_prompts.h"
#include "support/test_support.h"

namespace quizmora::test {

class ScriptedPrompts : public PublishPrompts {
 public:
  bool answer = false;                   // Yes or No to any question
  std::optional<std::u16string> folder;  // what the picker returns; nullopt: Cancel
  std::vector<std::string> shown;

  void tell(MessageIcon icon, std::u16string_view text) override { record(icon, "OK", text); }
  bool ask(MessageIcon icon, std::u16string_view text, bool yesIsDefault) override {
    record(icon, yesIsDefault ? "Yes" : "No", text);
    return answer;
  }
  std::optional<std::u16string> chooseFolder(std::u16string_view title) override {
    shown.push_back("picker: " + printable(title));
    return folder;
  }

 private:
  void record(MessageIcon icon, const char* defaultButton, std::u16string_view text) {
    static const char* const kIcons[] = {"exclamation", "information", "question", "warning",
                                         "error"};
    shown.push_back(std::string(kIcons[static_cast<int>(icon)]) + " [" + defaultButton +
                    "]: " + printable(text));
  }
};

}  // namespace quizmora::test
