#pragma once
// Turns a static text control into a web link: underlined, coloured as the browser colours
// links (another colour once opened), a pointing hand and a tooltip with the address over the
// text, a focus rectangle when it has the keyboard focus, and a click, Enter or Space opens
// the address with the shell.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "controls/scoped_gdi_object.h"
#include "controls/subclassed_control.h"

namespace quizmora {

class HyperLinkLabel : public SubclassedControl {
 public:
  // Opens `url`; true when it was opened. The link's own opener asks the shell.
  using Opener = std::function<bool(const std::u16string& url)>;

  static constexpr COLORREF kDefaultLinkColor = RGB(0, 0, 255);
  static constexpr COLORREF kDefaultVisitedColor = RGB(128, 0, 128);

  HyperLinkLabel();
  ~HyperLinkLabel() override;  // frees the texts, the font, the cursor and the tooltip

  // The address opened on activation. Without a label the text shown is the address.
  void setUrl(const std::u16string& url);
  // The text shown in place of the control's own.
  void setLabel(const std::u16string& label);
  // Replaces the shell call, for tests; an empty opener restores the shell.
  void setOpener(Opener opener);

  // Takes over an existing static control and sets the link up. False when the control is
  // missing or already taken over.
  bool attach(HWND control);
  // Opens the address; on success the link is drawn in the visited colour from now on.
  bool navigate();

  const std::optional<std::u16string>& url() const { return url_; }
  const std::optional<std::u16string>& label() const { return label_; }
  RECT linkRect() const { return linkRect_; }  // where the text is, in client coordinates
  bool paintsLabel() const { return paintLabel_; }
  bool visited() const { return visited_; }
  COLORREF linkColor() const { return linkColor_; }
  COLORREF visitedColor() const { return visitedColor_; }
  HCURSOR cursor() const { return cursor_.get(); }
  HFONT underlineFont() const { return underlineFont_.get(); }
  HWND tooltip() const { return tooltip_.get(); }

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onFinalMessage(HWND window) override;

 private:
  struct CursorDeleter {
    void operator()(HCURSOR cursor) const;
  };
  using CursorHandle = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDeleter>;
  struct WindowDeleter {
    void operator()(HWND window) const;
  };
  using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

  void initialize();
  void adoptStaticStyle();
  void createUnderlineFont();
  void createTooltip();
  void readColorsFromRegistry();
  void recomputeLinkRect();
  void updateTooltipTool();

  const std::u16string* shownText() const;  // the label, else the url, else null
  UINT alignmentFlags() const;
  bool insideLink(POINT clientPoint) const;
  bool pointerInsideLink() const;
  void relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
  void eraseBackground(HDC dc);
  void paint(HDC dc);
  void onPaintMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void repaint();

  std::optional<std::u16string> label_;
  std::optional<std::u16string> url_;
  CursorHandle cursor_;
  ScopedGdiObject<HFONT> underlineFont_;
  RECT linkRect_{0, 0, 0, 0};
  bool paintLabel_ = true;
  WindowHandle tooltip_;
  bool visited_ = false;
  COLORREF linkColor_ = kDefaultLinkColor;
  COLORREF visitedColor_ = kDefaultVisitedColor;
  DWORD alignmentStyle_ = SS_LEFT;  // SS_LEFT, SS_CENTER or SS_RIGHT, from the static
  Opener opener_;
};

}  // namespace quizmora
