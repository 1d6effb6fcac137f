// Reading QTI 2.1 packages.
#include <algorithm>
#include <cstddef>
#include <pugixml.hpp>
#include <vector>

#include "interchange/html_text.h"
#include "interchange/qti_package.h"
#include "interchange/xml_read.h"
#include "interchange/xml_text.h"
#include "interchange/zip_archive.h"

namespace quizmora {

namespace {

// No file of a package unpacks to more; a zip bomb stops here.
constexpr std::size_t kLargestFile = std::size_t{256} << 20;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view trimmed(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

// Children and descendants by local name, whatever prefix the file gives its namespace.
pugi::xml_node child(pugi::xml_node parent, std::string_view name) {
  for (pugi::xml_node node : parent.children()) {
    if (node.type() == pugi::node_element && localName(node) == name) return node;
  }
  return {};
}

std::vector<pugi::xml_node> children(pugi::xml_node parent, std::string_view name) {
  std::vector<pugi::xml_node> found;
  for (pugi::xml_node node : parent.children()) {
    if (node.type() == pugi::node_element && localName(node) == name) found.push_back(node);
  }
  return found;
}

void descendants(pugi::xml_node parent, std::string_view name, std::vector<pugi::xml_node>& found) {
  for (pugi::xml_node node : parent.children()) {
    if (node.type() != pugi::node_element) continue;
    if (localName(node) == name) found.push_back(node);
    descendants(node, name, found);
  }
}

// A path inside the package: `href` (percent-encoded, relative to `folder`) resolved;
// "" when it leaves the package.
std::string resolved(std::string_view folder, std::string_view href) {
  std::string decoded;
  for (std::size_t i = 0; i < href.size(); ++i) {
    const auto hex = [](char c) {
      return c >= '0' && c <= '9'                     ? c - '0'
             : (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                      : -1;
    };
    if (href[i] == '%' && i + 2 < href.size() && hex(href[i + 1]) >= 0 && hex(href[i + 2]) >= 0) {
      decoded.push_back(static_cast<char>(hex(href[i + 1]) * 16 + hex(href[i + 2])));
      i += 2;
    } else {
      decoded.push_back(href[i]);
    }
  }
  std::string joined =
      !decoded.empty() && decoded[0] == '/' ? decoded.substr(1) : std::string(folder) + decoded;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    const std::string part = joined.substr(start, end - start);
    if (part == "..") {
      if (parts.empty()) return {};
      parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string path;
  for (const std::string& part : parts) path.append(path.empty() ? "" : "/").append(part);
  return path;
}

std::string folderOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string vcardUnescaped(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      const char next = value[++i];
      out.push_back(next == 'n' || next == 'N' ? '\n' : next);
    } else {
      out.push_back(value[i]);
    }
  }
  return out;
}

// The formatted name (FN) of a vCard. A pretty-printed manifest may indent the whole card:
// the indentation of its first line is taken off every line before folded lines are joined.
std::string vcardName(std::string_view card) {
  std::vector<std::string> lines;
  std::size_t indent = std::string::npos;
  std::size_t start = 0;
  while (start <= card.size()) {
    std::size_t end = card.find('\n', start);
    if (end == std::string_view::npos) end = card.size();
    std::string_view line = card.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    const std::size_t text = line.find_first_not_of(" \t");
    if (indent == std::string::npos) {
      if (text == std::string_view::npos) continue;  // blank lines before the card
      indent = text;
    }
    line.remove_prefix(std::min(indent, text == std::string_view::npos ? line.size() : text));
    if (!lines.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
      lines.back().append(line.substr(1));
    } else {
      lines.emplace_back(line);
    }
  }
  for (const std::string& line : lines) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string_view property = std::string_view(line).substr(0, colon);
    property = property.substr(0, property.find(';'));  // FN;CHARSET=UTF-8:...
    if (equalsIgnoringCase(property, "FN")) return vcardUnescaped(line.substr(colon + 1));
  }
  return {};
}

class PackageReader {
 public:
  PackageReader(const ZipReader& zip, InterchangeReport& report) : zip_(zip), report_(report) {}

  std::optional<ExamDocument> read(const std::string& manifestPath) {
    pugi::xml_document manifest;
    if (!load(manifestPath, manifest, true)) return std::nullopt;
    const std::string folder = folderOf(manifestPath);
    const pugi::xml_node root = manifest.document_element();
    if (localName(root) != "manifest") {
      report_.fail(0, 0, manifestPath + ": not a content package manifest");
      return std::nullopt;
    }
    ExamDocument exam;
    readMetadata(child(root, "metadata"), exam.header);

    std::vector<std::string> itemPaths;
    std::string testPath;
    for (pugi::xml_node resource : children(child(root, "resources"), "resource")) {
      const std::string_view type = resource.attribute("type").value();
      const std::string base = folder + resource.attribute("xml:base").value();
      const std::string path = resolved(base, resource.attribute("href").value());
      if (type.starts_with("imsqti_test") && testPath.empty()) testPath = path;
      if (type.starts_with("imsqti_item")) itemPaths.push_back(path);
    }
    if (!testPath.empty()) {
      pugi::xml_document test;
      if (!load(testPath, test, false)) return std::nullopt;
      if (test.document_element()) {
        const pugi::xml_attribute title = test.document_element().attribute("title");
        if (title) {
          if (!setText(exam.header.title, title.value(), testPath)) return std::nullopt;
        }
        std::vector<pugi::xml_node> refs;
        descendants(test.document_element(), "assessmentItemRef", refs);
        itemPaths.clear();
        for (pugi::xml_node ref : refs) {
          itemPaths.push_back(resolved(folderOf(testPath), ref.attribute("href").value()));
        }
      }
    }
    for (const std::string& path : itemPaths) {
      if (!readItem(path, exam)) return std::nullopt;
    }
    return exam;
  }

 private:
  // Loads one XML file of the package; a file that is missing is an error only when it is
  // the manifest (`required`), otherwise it yields an empty document and a warning.
  bool load(const std::string& path, pugi::xml_document& document, bool required) {
    std::string bytes;
    switch (zip_.read(path, bytes, kLargestFile)) {
      case ZipReader::Status::Ok:
        break;
      case ZipReader::Status::Missing:
        if (required) {
          report_.fail(0, 0, path + " is missing");
          return false;
        }
        report_.warn(0, 0, path + " is missing from the package; left out");
        return true;
      case ZipReader::Status::TooLarge:
        report_.fail(0, 0, path + " unpacks to more than 256 MB");
        return false;
      case ZipReader::Status::Broken:
        report_.fail(0, 0, path + " cannot be unpacked");
        return false;
    }
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(),
                             pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_auto);
    if (!parsed) {
      LineCounter lines(bytes);
      report_.fail(0, 0,
                   path + ", line " + std::to_string(lines.lineAt(parsed.offset)) +
                       ": not well-formed XML: " + parsed.description());
      return false;
    }
    return true;
  }

  bool setText(std::u16string& field, std::string_view utf8, const std::string& path) {
    std::optional<std::u16string> text = modelText(utf8);
    if (!text) {
      report_.fail(0, 0, path + ": a text that is not valid UTF-8");
      return false;
    }
    field = std::move(*text);
    return true;
  }

  void readMetadata(pugi::xml_node metadata, ExamHeader& header) {
    const pugi::xml_node lom = child(metadata, "lom");
    if (!lom) return;
    const std::string title =
        elementText(child(child(child(lom, "general"), "title"), "langstring"));
    header.title = modelText(title).value_or(u"");
    for (pugi::xml_node contribute : children(child(lom, "lifecycle"), "contribute")) {
      const pugi::xml_node role = child(contribute, "role");
      const std::string value = elementText(child(child(role, "value"), "langstring"));
      if (!equalsIgnoringCase(trimmed(value), "author")) continue;
      const std::string card = elementText(child(child(contribute, "centity"), "vcard"));
      header.author = modelText(vcardName(card)).value_or(u"");
      return;
    }
  }

  // Plain text of XHTML content; feedback shown after answering is no part of the question.
  void walk(pugi::xml_node parent, HtmlTextBuilder& builder, pugi::xml_node interaction) {
    for (pugi::xml_node node : parent.children()) {
      if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        builder.text(node.value(), false);
        continue;
      }
      if (node.type() != pugi::node_element) continue;
      const std::string_view name = localName(node);
      if (name.starts_with("feedback")) continue;
      if (node == interaction) {
        if (pugi::xml_node prompt = child(node, "prompt")) {
          builder.openTag("div");
          walk(prompt, builder, interaction);
          builder.closeTag("div");
        }
        continue;
      }
      builder.openTag(name);
      walk(node, builder, interaction);
      builder.closeTag(name);
    }
  }

  std::optional<std::u16string> xhtmlText(pugi::xml_node parent, pugi::xml_node interaction,
                                          int& images) {
    HtmlTextBuilder builder;
    walk(parent, builder, interaction);
    HtmlText text = builder.finish();
    images += text.images;
    return modelText(text.text);
  }

  std::vector<std::string> correctValues(pugi::xml_node item, std::string_view response) {
    std::vector<std::string> values;
    for (pugi::xml_node declaration : children(item, "responseDeclaration")) {
      if (response != declaration.attribute("identifier").value()) continue;
      for (pugi::xml_node value : children(child(declaration, "correctResponse"), "value")) {
        values.push_back(elementText(value));
      }
      if (values.empty()) {
        // A text entry scored by a mapping: its best-scored key is the answer.
        pugi::xml_node best;
        for (pugi::xml_node entry : children(child(declaration, "mapping"), "mapEntry")) {
          if (!best || entry.attribute("mappedValue").as_double() >
                           best.attribute("mappedValue").as_double()) {
            best = entry;
          }
        }
        if (best) values.emplace_back(best.attribute("mapKey").value());
      }
    }
    return values;
  }

  bool readItem(const std::string& path, ExamDocument& exam) {
    pugi::xml_document document;
    if (!load(path, document, false)) return false;
    const pugi::xml_node item = document.document_element();
    if (!item) return true;  // missing, already said
    if (localName(item) != "assessmentItem") {
      report_.warn(0, 0, path + ": not an assessmentItem; left out");
      return true;
    }
    const pugi::xml_node body = child(item, "itemBody");
    std::vector<pugi::xml_node> interactions;
    collectInteractions(body, interactions);
    if (interactions.size() != 1) {
      report_.warn(
          0, 0,
          path + (interactions.empty() ? std::string(": an item without an interaction; left out")
                                       : ": an item of " + std::to_string(interactions.size()) +
                                             " interactions; left out"));
      return true;
    }
    const pugi::xml_node interaction = interactions[0];
    const std::string_view kind = localName(interaction);
    if (kind != "choiceInteraction" && kind != "textEntryInteraction" &&
        kind != "extendedTextInteraction") {
      report_.warn(0, 0, path + ": " + std::string(kind) + " item left out (no such kind here)");
      return true;
    }
    const int number = exam.questionCount() + 1;
    int images = 0;
    QuestionRecord question;
    std::optional<std::u16string> text = xhtmlText(body, interaction, images);
    if (!text) return fail(path);
    question.text = std::move(*text);
    const std::vector<std::string> correct =
        correctValues(item, interaction.attribute("responseIdentifier").value());

    if (kind == "choiceInteraction") {
      const pugi::xml_attribute maxChoices = interaction.attribute("maxChoices");
      question.type = maxChoices && maxChoices.as_int() != 1 ? QuestionType::MultipleChoice
                                                             : QuestionType::OneChoice;
      for (pugi::xml_node choice : children(interaction, "simpleChoice")) {
        std::optional<std::u16string> answer = xhtmlText(choice, {}, images);
        if (!answer) return fail(path);
        const std::string_view id = trimmed(choice.attribute("identifier").value());
        bool isCorrect = false;
        for (const std::string& value : correct) isCorrect = isCorrect || trimmed(value) == id;
        question.answers.push_back({std::move(*answer), isCorrect ? 1 : 0});
      }
    } else {
      question.type = QuestionType::FlashCard;
      std::u16string back;
      if (kind == "textEntryInteraction" && !correct.empty() && !setText(back, correct[0], path)) {
        return false;
      }
      question.answers.push_back({std::move(back), 1});
    }
    if (images > 0) {
      report_.warn(number, 0,
                   path + (images == 1 ? std::string(": image left out")
                                       : ": " + std::to_string(images) + " images left out"));
    }
    exam.questions.push_back(std::move(question));
    return true;
  }

  void collectInteractions(pugi::xml_node parent, std::vector<pugi::xml_node>& found) {
    for (pugi::xml_node node : parent.children()) {
      if (node.type() != pugi::node_element) continue;
      if (localName(node).ends_with("Interaction")) {
        found.push_back(node);
        continue;
      }
      collectInteractions(node, found);
    }
  }

  bool fail(const std::string& path) {
    report_.fail(0, 0, path + ": a text that is not valid UTF-8");
    return false;
  }

  const ZipReader& zip_;
  InterchangeReport& report_;
};

// imsmanifest.xml at the top of the zip, or in the one folder a packer wrapped it in.
std::string manifestPath(const ZipReader& zip) {
  if (zip.contains("imsmanifest.xml")) return "imsmanifest.xml";
  std::string nested;
  int nestedCount = 0;
  for (const std::string& name : zip.names()) {
    if (name == "imsmanifest.xml") return name;
    const std::size_t slash = name.find('/');
    if (slash != std::string::npos && name.substr(slash + 1) == "imsmanifest.xml") {
      nested = name;
      ++nestedCount;
    }
  }
  return nestedCount == 1 ? nested : std::string();
}

}  // namespace

std::optional<ExamDocument> readQtiPackage(std::string_view zipBytes, InterchangeReport& report) {
  std::string error;
  std::optional<ZipReader> zip = ZipReader::open(zipBytes, error);
  if (!zip) {
    report.fail(0, 0, "not a zip archive: " + error);
    return std::nullopt;
  }
  const std::string manifest = manifestPath(*zip);
  if (manifest.empty()) {
    report.fail(0, 0, "not a content package: the zip holds no imsmanifest.xml");
    return std::nullopt;
  }
  return PackageReader(*zip, report).read(manifest);
}

}  // namespace quizmora
