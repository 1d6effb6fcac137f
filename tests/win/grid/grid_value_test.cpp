// Cell values and the two cell properties, outside any grid.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "controls/check_property.h"
#include "controls/grid_notify.h"
#include "controls/text_property.h"
#include "grid_harness.h"

namespace quizmora::test {
namespace {

std::u16string textOf(const GridValue& value) {
  std::u16string text;
  return value.toText(text) ? text : u"(no text)";
}

TEST(GridValueTest, Kinds) {
  struct Case {
    const char* name;
    GridValue value;
    VARTYPE type;
    bool boolean;
    HRESULT error;
  };
  const Case cases[] = {
      {"empty", GridValue(), VT_EMPTY, false, S_OK},
      {"text", GridValue::fromText(u"answer"), VT_BSTR, false, S_OK},
      {"empty text", GridValue::fromText(u""), VT_BSTR, false, S_OK},
      {"true", GridValue::fromBool(true), VT_BOOL, true, S_OK},
      {"false", GridValue::fromBool(false), VT_BOOL, false, S_OK},
      {"error", GridValue::fromError(E_FAIL), VT_ERROR, false, E_FAIL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.value.type(), c.type);
    EXPECT_EQ(c.value.boolValue(), c.boolean);
    EXPECT_EQ(c.value.errorCode(), c.error);
    EXPECT_EQ(c.value.isEmpty(), c.type == VT_EMPTY);
  }
  // True is stored with all bits set.
  EXPECT_EQ(GridValue::fromBool(true).variant().boolVal, VARIANT_TRUE);
  EXPECT_EQ(GridValue::fromBool(true).variant().boolVal, -1);
  EXPECT_EQ(GridValue::fromBool(false).variant().boolVal, 0);
}

TEST(GridValueTest, TextConversions) {
  struct Case {
    const char* name;
    GridValue value;
    std::u16string text;
  };
  const Case cases[] = {
      {"empty", GridValue(), u""},
      {"text", GridValue::fromText(u"Paris"), u"Paris"},
      {"text beyond ASCII", GridValue::fromText(u"Z\u00fcrich \u4eac"), u"Z\u00fcrich \u4eac"},
      {"error", GridValue::fromError(E_FAIL), u"(no text)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(textOf(c.value), c.text);
  }
}

TEST(GridValueTest, CopiesAreIndependent) {
  GridValue original = GridValue::fromText(u"one");
  GridValue copy = original;
  EXPECT_NE(copy.variant().bstrVal, original.variant().bstrVal);
  original = GridValue::fromText(u"two");
  EXPECT_EQ(textOf(copy), u"one");
  copy = copy;
  EXPECT_EQ(textOf(copy), u"one");
  GridValue moved = std::move(copy);
  EXPECT_EQ(textOf(moved), u"one");
  EXPECT_TRUE(copy.isEmpty());  // NOLINT(bugprone-use-after-move): a move empties the source
}

TEST(GridValueTest, FailedCopyYieldsTheErrorKindWithItsCode) {
  VARIANT broken;
  VariantInit(&broken);
  broken.vt = 0x7FFF;  // no such type
  GridValue copy(broken);
  EXPECT_EQ(copy.type(), VT_ERROR);
  EXPECT_TRUE(FAILED(copy.errorCode()));
}

TEST(GridValueTest, FailedConversionLeavesTheValueUnchanged) {
  GridValue value = GridValue::fromBool(true);
  EXPECT_TRUE(FAILED(value.assignConverted(GridValue::fromText(u"not a boolean"), VT_BOOL)));
  EXPECT_EQ(value.type(), VT_BOOL);
  EXPECT_TRUE(value.boolValue());
  EXPECT_EQ(value.assignConverted(GridValue::fromText(u"0"), VT_BOOL), S_OK);
  EXPECT_FALSE(value.boolValue());
}

// Properties ---------------------------------------------------------------------------------

TEST(GridPropertyTest, CommonFields) {
  TextProperty text(u"name");
  CheckProperty check(u"", false);
  EXPECT_EQ(text.kind(), PropertyKind::kText);
  EXPECT_EQ(static_cast<int>(text.kind()), 3);
  EXPECT_EQ(static_cast<int>(check.kind()), 6);
  EXPECT_EQ(text.name(), u"name");
  EXPECT_EQ(check.name(), u"");

  struct Case {
    int flag;
    bool enabled;
  };
  const Case cases[] = {{1, true}, {0, false}, {2, false}, {-1, false}, {1, true}};
  EXPECT_TRUE(text.isEnabled());
  for (const Case& c : cases) {
    text.setEnabled(c.flag);
    EXPECT_EQ(text.isEnabled(), c.enabled) << c.flag;
  }
}

TEST(TextPropertyTest, TheFirstValueFixesTheKind) {
  struct Case {
    const char* name;
    std::vector<GridValue> values;
    std::vector<bool> accepted;
    VARTYPE type;
    std::u16string text;
  };
  const Case cases[] = {
      {"fresh", {}, {}, VT_EMPTY, u""},
      {"text", {GridValue::fromText(u"a")}, {true}, VT_BSTR, u"a"},
      {"text then text",
       {GridValue::fromText(u"a"), GridValue::fromText(u"b")},
       {true, true},
       VT_BSTR,
       u"b"},
      {"text then boolean",
       {GridValue::fromText(u"a"), GridValue::fromBool(false)},
       {true, true},
       VT_BSTR,
       textOf(GridValue::fromBool(false))},
      {"boolean then text that is no boolean",
       {GridValue::fromBool(true), GridValue::fromText(u"abc")},
       {true, false},
       VT_BOOL,
       textOf(GridValue::fromBool(true))},
      {"empty text",
       {GridValue::fromText(u"x"), GridValue::fromText(u"")},
       {true, true},
       VT_BSTR,
       u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextProperty property;
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      EXPECT_EQ(property.setValue(c.values[i]), c.accepted[i]) << i;
    }
    GridValue value;
    EXPECT_TRUE(property.getValue(value));
    EXPECT_EQ(value.type(), c.type);
    EXPECT_EQ(textOf(value), c.text);
    EXPECT_EQ(property.displayTextLength(), static_cast<int>(c.text.size()));
  }
}

TEST(TextPropertyTest, DisplayTextIsCutToTheCapacity) {
  TextProperty property;
  property.setValue(GridValue::fromText(u"abcdef"));
  struct Case {
    int capacity;
    bool ok;
    std::wstring text;
  };
  const Case cases[] = {
      {0, false, L"?"},     {1, true, L""},        {3, true, L"ab"},
      {7, true, L"abcdef"}, {20, true, L"abcdef"},
  };
  for (const Case& c : cases) {
    wchar_t buffer[32] = {L'?', 0};
    EXPECT_EQ(property.displayText(buffer, c.capacity), c.ok) << c.capacity;
    EXPECT_EQ(std::wstring(buffer), c.text) << c.capacity;
  }
}

TEST(TextPropertyTest, ValueFromAnEditorWindow) {
  TextProperty property;
  property.setValue(GridValue::fromText(u"old"));
  HWND edit = CreateWindowExW(0, L"EDIT", L"from the editor", WS_POPUP, 0, 0, 100, 20, nullptr,
                              nullptr, nullptr, nullptr);
  EXPECT_TRUE(property.setValueFromEditor(edit));
  EXPECT_EQ(valueOf(&property), u"from the editor");
  SetWindowTextW(edit, L"");
  EXPECT_TRUE(property.setValueFromEditor(edit));
  EXPECT_EQ(valueOf(&property), u"");
  DestroyWindow(edit);
  property.setValue(GridValue::fromText(u"kept"));
  EXPECT_FALSE(property.setValueFromEditor(edit));  // no such window any more
  EXPECT_EQ(valueOf(&property), u"kept");
}

// Records what a property asks of its grid.
class OwnerWindow {
 public:
  OwnerWindow() {
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerWindow::proc)));
  }
  ~OwnerWindow() { DestroyWindow(window_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;

  HWND window() const { return window_; }
  struct Request {
    std::u16string value;
    GridProperty* property;
    bool operator==(const Request&) const = default;
  };
  std::vector<Request> requests;

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kGridSetValue) {
      auto* value = reinterpret_cast<const GridValue*>(wParam);
      self->requests.push_back(
          {value->boolValue() ? u"ticked" : u"unticked", reinterpret_cast<GridProperty*>(lParam)});
      return 0;
    }
    return CallWindowProcW(self->previous_, window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
};

TEST(CheckPropertyTest, ActivationAsksTheOwnerAndChangesNothingItself) {
  struct Case {
    const char* name;
    bool ticked;
    bool enabled;
    int reason;
    std::vector<std::u16string> asked;
  };
  const Case cases[] = {
      {"click on an unticked box", false, true, kActivateClick, {u"ticked"}},
      {"click on a ticked box", true, true, kActivateClick, {u"unticked"}},
      {"edit key", false, true, kActivateEdit, {u"ticked"}},
      {"select", false, true, kActivateSelect, {}},
      {"disabled", false, false, kActivateClick, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OwnerWindow owner;
    CheckProperty property(u"", c.ticked);
    property.setOwner(owner.window(), 0);
    property.setEnabled(c.enabled ? 1 : 0);
    EXPECT_TRUE(property.activate(c.reason, 0));
    std::vector<OwnerWindow::Request> expected;
    for (const std::u16string& value : c.asked) expected.push_back({value, &property});
    EXPECT_EQ(owner.requests, expected);
    EXPECT_EQ(property.ticked(), c.ticked);
  }
}

TEST(CheckPropertyTest, OnlyBooleansAreAccepted) {
  struct Case {
    const char* name;
    GridValue value;
    bool accepted;
    bool ticked;
  };
  const Case cases[] = {
      {"true", GridValue::fromBool(true), true, true},
      {"false", GridValue::fromBool(false), true, false},
      {"text", GridValue::fromText(u"-1"), false, true},
      {"empty", GridValue(), false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CheckProperty property(u"", true);
    EXPECT_EQ(property.setValue(c.value), c.accepted);
    EXPECT_EQ(property.ticked(), c.ticked);
    GridValue value;
    EXPECT_TRUE(property.getValue(value));
    EXPECT_EQ(value.type(), VT_BOOL);
    EXPECT_EQ(value.variant().boolVal, c.ticked ? VARIANT_TRUE : VARIANT_FALSE);
  }
  CheckProperty property(u"", false);
  wchar_t buffer[4] = {};
  EXPECT_FALSE(property.displayText(buffer, 4));
  EXPECT_EQ(property.displayTextLength(), 0);
  EXPECT_EQ(property.createInplaceEditor(nullptr, RECT{}), nullptr);
}

}  // namespace
}  // namespace quizmora::test
