#pragma once
// HTML question text as the plain text an exam holds: tags removed, entities decoded,
// <br> and the ends of blocks (paragraphs, list items, headings, ...) as line breaks.
//
// A <br> that ends its block (or the text) shows nothing, as in a browser; so text that ends
// in a line break goes out as XHTML with one <br/> more.
//
// Whitespace: a run of spaces that holds a line break of the source is layout of the
// markup and becomes one space (none at the start or end of a line); any other run is kept
// as it stands, so plain text that went out as XHTML comes back unchanged. Inside <pre>
// the source's line breaks are line breaks.

#include <string>
#include <string_view>

namespace quizmora {

struct HtmlText {
  std::string text;  // UTF-8, line breaks as LF
  int images = 0;    // <img> and <object> elements dropped
};

// Builds the text from markup events, for callers that parsed the markup themselves (an XML
// tree) as well as for htmlToText below.
class HtmlTextBuilder {
 public:
  // Character data; with `decodeEntities`, "&name;" and "&#N;" forms are decoded (HTML
  // source), without, the text is taken as it is (already decoded by an XML parser).
  void text(std::string_view data, bool decodeEntities);
  void openTag(std::string_view name);  // name without any namespace prefix
  void closeTag(std::string_view name);
  HtmlText finish();

 private:
  void flushPending();
  void append(std::string_view data);
  void lineBreak();
  void blockBoundary();

  HtmlText out_;
  bool pendingSpace_ = false;
  bool pendingBreak_ = false;      // the end or start of a block
  bool pendingHardBreak_ = false;  // a <br>
  int skipDepth_ = 0;              // inside <script>, <style>, <head>
  int preDepth_ = 0;
};

HtmlText htmlToText(std::string_view html);

}  // namespace quizmora
