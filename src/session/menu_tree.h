#pragma once
// The main window's menu bar as data: the fixed items in one table, the decoding and edit arrays
// from the transform catalogue, and the arrays created at start.

#include <string_view>
#include <vector>

#include "platform/text.h"

namespace qor {

// A top-level menu, a submenu, an item or a separator.
struct MenuNode {
  std::string_view name = {};  // control name: "mnuFiles", "mnuBarF1", "mnuChgA2B"
  int index = -1;              // index in a control array; -1 for a single control
  Text caption = {};           // as shown: "&" marks the access key, "&&" shows "&"; "-" separates
  bool checked = false;        // a check mark shown from the start
  bool submenu = false;
  std::vector<MenuNode> items = {};  // a submenu's entries

  bool separator() const { return caption == u"-"; }
};

// The six top-level menus with every fixed item and the catalogue's arrays (gaps in an array's
// indices are separators). The arrays created at start are not in it: see RunTimeArrayItems.
[[nodiscard]] std::vector<MenuNode> MenuBarTree();

// The control arrays created at start, and the submenu each one fills (after its fixed items).
struct RunTimeArray {
  std::string_view submenu;
  std::string_view array;
};
inline constexpr RunTimeArray kRunTimeArrays[] = {
    {"mnuSizes", "mnuSize"}, {"mnuFonts", "mnuFont"}, {"mnuMakes", "mnuMake"}};

// The items of a run-time array in index order: mnuSize (10, 12 … 24), mnuFont (nine font
// names), mnuMake (the write-garbled encoders, with separators at 2, 5 and 8).
[[nodiscard]] std::vector<MenuNode> RunTimeArrayItems(std::string_view array);

// The font name of mnuFont (index), empty out of range; the size of mnuSize (index) in points.
[[nodiscard]] TextView MenuFontName(int index);
[[nodiscard]] double MenuFontSize(int index);

// The caption of an item anywhere in the menus; empty when there is no such item.
[[nodiscard]] Text MenuCaption(std::string_view name, int index = -1);

}  // namespace qor
