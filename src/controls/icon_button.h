#pragma once
// A flat push button that shows a small icon instead of a caption: borderless until the
// pointer is over it, a thin raised frame while it is, a thin sunken frame while pressed,
// a greyed icon when disabled, and its own tooltip. Clicks reach the parent as ordinary
// BN_CLICKED commands. The parent reflects WM_DRAWITEM and WM_CTLCOLORBTN back to the
// button (message number + 0x2000).

#include <windows.h>

#include <memory>
#include <type_traits>

#include "controls/subclassed_control.h"

namespace quizmora {

// Messages a parent reflects back to the control that raised them.
inline constexpr UINT kReflectedMessageBase = 0x2000;
inline constexpr UINT kReflectedDrawItem = kReflectedMessageBase + WM_DRAWITEM;        // 0x202B
inline constexpr UINT kReflectedCtlColorBtn = kReflectedMessageBase + WM_CTLCOLORBTN;  // 0x2135

class IconButton : public SubclassedControl {
 public:
  // Where the icon sits relative to a caption; without a caption it is centred anyway.
  enum IconAlignment { kIconLeft = 0, kIconAbove = 1, kIconRight = 2 };

  IconButton();
  ~IconButton() override;  // frees the icons and the tooltip

  // Takes over a button of a dialog: makes it owner-drawn, remembers whether it was a check
  // box or the default push button, and subclasses it. False when it cannot be taken over.
  bool attach(HWND button);
  // Loads the icon shown normally and the optional one shown while the button is neither
  // hot nor pressed (0: none) from `module`, each at the size that fits the button at its
  // DPI. 0 on success, 1 when an icon is unusable, in which case the button has no icons.
  int setIcons(int inIconId, int outIconId, HINSTANCE module);
  // The button is now shown at `dpi` (its window has been resized already): icons from
  // setIcons are loaded again at the size that fits, and the tooltip's width follows.
  void setDpi(UINT dpi);
  UINT dpi() const { return dpi_; }
  // As setIcons, with icons made elsewhere; the button owns and destroys them either way.
  int adoptIcons(HICON inIcon, HICON outIcon);
  // Sets the tooltip's text (creating the tooltip on first use) and turns it on or off.
  // Does nothing when `text` is null.
  void setTooltipText(const wchar_t* text, bool activate);
  // Stores kIconLeft, kIconAbove or kIconRight and repaints; other values are ignored.
  void setIconAlignment(int alignment);

  bool hot() const { return state_.hot; }
  bool flat() const { return state_.flat; }
  HWND tooltip() const { return tooltip_.get(); }
  int iconAlignment() const { return iconAlignment_; }
  HICON inIcon() const { return inIcon_.icon.get(); }
  HICON outIcon() const { return outIcon_.icon.get(); }
  SIZE inIconSize() const { return inIcon_.size; }
  bool wasCheckBox() const { return options_.checkBox; }
  bool wasDefaultButton() const { return options_.defaultButton; }

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onFinalMessage(HWND window) override;

 private:
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
  struct WindowDeleter {
    void operator()(HWND window) const;
  };
  using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

  struct Icon {
    IconHandle icon;
    SIZE size{0, 0};
  };
  struct State {
    bool hot = false;  // pointer over the button, which holds the mouse capture
    bool pressed = false;
    bool focused = false;
    bool disabled = false;
    bool drawBorder = true;
    bool flat = true;
  };
  struct Options {
    bool checkBox = false;
    bool defaultButton = false;
  };
  struct Colours {
    COLORREF activeBack;
    COLORREF activeFore;
    COLORREF normalBack;
    COLORREF normalFore;
  };

  static bool measureIcon(Icon& icon);
  void freeIcons();
  void createTooltip();
  void relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
  void trackHover(WPARAM keys);
  void leaveHotState();
  void onCaptureChanged(HWND newCapture);
  void repaint();    // when the window next paints
  void redrawNow();  // at once
  void paint(const DRAWITEMSTRUCT& item);
  void drawFrame(HDC dc, const RECT& rect) const;
  void drawIcon(HDC dc, const RECT& rect) const;

  int iconAlignment_ = kIconLeft;
  UINT dpi_ = 96;  // the window's DPI, read when attached
  // Where setIcons found its icons, to load them again at another size.
  HINSTANCE iconModule_ = nullptr;
  int inIconId_ = 0;
  int outIconId_ = 0;
  State state_;
  Options options_;
  Colours colours_;
  Icon inIcon_;
  Icon outIcon_;
  WindowHandle tooltip_;
};

}  // namespace quizmora
