#pragma once
// A cell value of the answer list: an OLE Automation VARIANT owned for its whole life.
// Kinds in use: empty, text (BSTR), boolean (true = VARIANT_TRUE, all bits set) and error
// (the result of a copy that failed, holding the failure code).

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <string>
#include <string_view>

namespace quizmora {

class GridValue {
 public:
  GridValue();  // empty
  // A copy of `source`; the error kind with the failure code when it cannot be copied.
  explicit GridValue(const VARIANT& source);
  ~GridValue();
  // A failed copy leaves the error kind carrying the failure code.
  GridValue(const GridValue& other);
  GridValue& operator=(const GridValue& other);
  GridValue(GridValue&& other) noexcept;
  GridValue& operator=(GridValue&& other) noexcept;

  static GridValue fromText(std::u16string_view text);
  static GridValue fromBool(bool value);
  static GridValue fromError(HRESULT code);

  VARTYPE type() const { return variant_.vt; }
  bool isEmpty() const { return variant_.vt == VT_EMPTY; }
  // The boolean of a VT_BOOL value; false for every other kind.
  bool boolValue() const;
  // The failure code of a VT_ERROR value; S_OK for every other kind.
  HRESULT errorCode() const;

  // The value converted to text (VariantChangeType, no flags); false when it has none.
  bool toText(std::u16string& text) const;
  // Converts `source` to `type` and takes the result; on failure this value is unchanged.
  HRESULT assignConverted(const GridValue& source, VARTYPE type);

  const VARIANT& variant() const { return variant_; }

 private:
  void copyFrom(const VARIANT& source);
  void clear();

  VARIANT variant_;
};

}  // namespace quizmora
