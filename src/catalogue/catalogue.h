#pragma once
// The transform catalogue: the one table of every text-rewriting command. Menus are built from
// it, qor-cli resolves labels through it, diagnosis iterates it.

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "catalogue/step.h"
#include "platform/text.h"

namespace qor {

// Where a menu shows a command: a control array (or single item) and its caption.
struct MenuItem {
  std::string_view menu;  // "mnuChgA2B"
  int index = -1;         // index in the control array; -1 for a single item
  Text caption;           // exactly as shown, with "&" access keys
  bool checked = false;   // a check mark shown from the start
};

// A family of commands sharing one label grammar. A fixed menu item is a family with a single
// label; "LCID: (A)--(B)" and the named pairs are families whose labels carry parameters.
struct Family {
  Text grammar;                  // the label, or its pattern for a family with parameters
  Text note;                     // what the parameters may be, for a family with parameters
  std::optional<MenuItem> item;  // the menu item that runs it, if any
  // The step for a label of this family; nullopt when the label is not one of its labels.
  std::function<std::optional<Step>(TextView label)> parse;
  // The steps that diagnosis may try: every whole-text repair of the family, each the step its
  // label names.
  std::function<std::vector<Step>()> repairs;

  // The step its menu item runs without asking anything; nullopt when it must ask.
  std::optional<Step> MenuStep() const { return parse ? parse(grammar) : std::nullopt; }
};

class Catalogue {
 public:
  static const Catalogue& Get();

  const std::vector<Family>& families() const { return families_; }
  // The step named by a history label (exact, case-sensitive); nullopt for an unknown label.
  std::optional<Step> Find(TextView label) const;
  // The families shown in a control array, in index order.
  std::vector<const Family*> MenuFamilies(std::string_view menu) const;
  // The family of one menu item; nullptr when there is none.
  const Family* FindItem(std::string_view menu, int index) const;
  // Every known label and pattern, for suggestions.
  std::vector<Text> Grammars() const;

  // Building blocks for the files that add families.
  explicit Catalogue(std::vector<Family> families) : families_(std::move(families)) {}

 private:
  std::vector<Family> families_;
};

// A family of one fixed menu item and one label. Without a transform (a command that asks the
// user first, or one not offered yet) the label names no step.
Family FixedFamily(MenuItem item, Text label, Transform transform, Frame frame = {},
                   Cut cut = Cut::kNowhere);
// A family of one fixed menu item and its step. A step that does not work on the selection
// alone is a repair that diagnosis tries, in chains of two too.
Family FixedFamily(MenuItem item, Step step);

// Each file of families appends its own; Catalogue::Get() calls them in menu order.
void AddEscapeFamilies(std::vector<Family>& families);       // first decoding menu
void AddReinterpretFamilies(std::vector<Family>& families);  // second decoding menu, pairs
void AddThirdMenuFamilies(std::vector<Family>& families);    // half-character cut, ISO-2022
void AddWriterFamilies(std::vector<Family>& families);       // the write-garbled encoders
void AddMappingFamilies(std::vector<Family>& families);      // width and script mapping

}  // namespace qor
