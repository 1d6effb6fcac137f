#include "controls/grid_value.h"

#include <utility>

namespace quizmora {

GridValue::GridValue() { VariantInit(&variant_); }

GridValue::GridValue(const VARIANT& source) {
  VariantInit(&variant_);
  copyFrom(source);
}

GridValue::~GridValue() { clear(); }

GridValue::GridValue(const GridValue& other) {
  VariantInit(&variant_);
  copyFrom(other.variant_);
}

GridValue& GridValue::operator=(const GridValue& other) {
  if (this != &other) copyFrom(other.variant_);
  return *this;
}

GridValue::GridValue(GridValue&& other) noexcept {
  // A VARIANT is plain data: moving hands over its resources and empties the source.
  variant_ = other.variant_;
  VariantInit(&other.variant_);
}

GridValue& GridValue::operator=(GridValue&& other) noexcept {
  if (this != &other) {
    clear();
    variant_ = other.variant_;
    VariantInit(&other.variant_);
  }
  return *this;
}

GridValue GridValue::fromText(std::u16string_view text) {
  GridValue value;
  BSTR string = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                  static_cast<UINT>(text.size()));
  if (!string) return fromError(E_OUTOFMEMORY);
  value.variant_.vt = VT_BSTR;
  value.variant_.bstrVal = string;
  return value;
}

GridValue GridValue::fromBool(bool flag) {
  GridValue value;
  value.variant_.vt = VT_BOOL;
  value.variant_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
  return value;
}

GridValue GridValue::fromError(HRESULT code) {
  GridValue value;
  value.variant_.vt = VT_ERROR;
  value.variant_.scode = code;
  return value;
}

bool GridValue::boolValue() const { return variant_.vt == VT_BOOL && variant_.boolVal != 0; }

HRESULT GridValue::errorCode() const { return variant_.vt == VT_ERROR ? variant_.scode : S_OK; }

bool GridValue::toText(std::u16string& text) const {
  GridValue converted;
  if (FAILED(converted.assignConverted(*this, VT_BSTR))) return false;
  BSTR string = converted.variant_.bstrVal;
  text.assign(reinterpret_cast<const char16_t*>(string ? string : L""),
              string ? SysStringLen(string) : 0);
  return true;
}

HRESULT GridValue::assignConverted(const GridValue& source, VARTYPE type) {
  // Converted into a fresh variant, so that a failure cannot touch this value.
  VARIANT result;
  VariantInit(&result);
  HRESULT status = VariantChangeType(&result, const_cast<VARIANT*>(&source.variant_), 0, type);
  if (FAILED(status)) {
    VariantClear(&result);
    return status;
  }
  clear();
  variant_ = result;
  return S_OK;
}

void GridValue::copyFrom(const VARIANT& source) {
  VARIANT copy;
  VariantInit(&copy);
  HRESULT status = VariantCopy(&copy, const_cast<VARIANT*>(&source));
  clear();
  if (FAILED(status)) {
    VariantClear(&copy);
    variant_.vt = VT_ERROR;
    variant_.scode = status;
    return;
  }
  variant_ = copy;
}

void GridValue::clear() {
  VariantClear(&variant_);
  VariantInit(&variant_);
}

}  // namespace quizmora
