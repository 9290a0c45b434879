#include "catalogue/catalogue.h"

#include <algorithm>

namespace qor {

const Catalogue& Catalogue::Get() {
  static const Catalogue catalogue = [] {
    std::vector<Family> families;
    AddEscapeFamilies(families);
    AddReinterpretFamilies(families);
    AddThirdMenuFamilies(families);
    AddWriterFamilies(families);
    AddMappingFamilies(families);
    return Catalogue(std::move(families));
  }();
  return catalogue;
}

std::optional<Step> Catalogue::Find(TextView label) const {
  for (const Family& family : families_) {
    if (!family.parse) continue;
    if (std::optional<Step> step = family.parse(label)) return step;
  }
  return std::nullopt;
}

std::vector<const Family*> Catalogue::MenuFamilies(std::string_view menu) const {
  std::vector<const Family*> out;
  for (const Family& family : families_) {
    if (family.item && family.item->menu == menu) out.push_back(&family);
  }
  std::stable_sort(out.begin(), out.end(), [](const Family* a, const Family* b) {
    return a->item->index < b->item->index;
  });
  return out;
}

const Family* Catalogue::FindItem(std::string_view menu, int index) const {
  for (const Family& family : families_) {
    if (family.item && family.item->menu == menu && family.item->index == index) return &family;
  }
  return nullptr;
}

std::vector<Text> Catalogue::Grammars() const {
  std::vector<Text> out;
  for (const Family& family : families_) out.push_back(family.grammar);
  return out;
}

Family FixedFamily(MenuItem item, Text label, Transform transform, Frame frame, Cut cut) {
  if (!transform) {
    Family family;
    family.grammar = std::move(label);
    family.item = std::move(item);
    return family;
  }
  Step step{std::move(label), std::move(transform), frame};
  step.cut = cut;
  return FixedFamily(std::move(item), std::move(step));
}

Family FixedFamily(MenuItem item, Step step) {
  Family family;
  step.chainable = step.frame.source != Source::kSelection;
  family.grammar = step.label;
  family.item = std::move(item);
  family.parse = [step](TextView wanted) -> std::optional<Step> {
    if (wanted != step.label) return std::nullopt;
    return step;
  };
  if (step.chainable) family.repairs = [step] { return std::vector<Step>{step}; };
  return family;
}

}  // namespace qor
