#pragma once
// A cell holding a check box. It never changes itself on a click or key: it asks its grid
// (kGridSetValue), whose parent may refuse.

#include "controls/grid_property.h"

namespace quizmora {

class CheckProperty : public GridProperty {
 public:
  CheckProperty(std::u16string_view name, bool ticked);

  PropertyKind kind() const override { return PropertyKind::kCheck; }
  void drawValue(const GridDrawInfo& info) override;
  // kActivateClick and kActivateEdit ask the grid to store the opposite tick.
  bool activate(int reason, DWORD position) override;
  bool getValue(GridValue& value) const override;
  // Only booleans are accepted.
  bool setValue(const GridValue& value) override;

  bool ticked() const { return ticked_; }

 private:
  bool ticked_;
};

}  // namespace quizmora
