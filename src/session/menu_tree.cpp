#include "session/menu_tree.h"

#include <string>

#include "catalogue/catalogue.h"
#include "session/clipboard_commands.h"
#include "session/diagnose_command.h"
#include "session/edit_commands.h"
#include "session/file_commands.h"
#include "session/view_settings.h"

namespace qor {
namespace {

enum class Kind {
  kItem,          // a fixed item, a separator, or a submenu when deeper rows follow
  kArray,         // the catalogue's items of the array
  kRunTimeArray,  // an array created at start (only marks its parent as a submenu here)
};

struct MenuRow {
  int depth;  // 0 for a top-level menu
  std::string_view name;
  const char16_t* caption = nullptr;
  int index = -1;
  bool checked = false;
  Kind kind = Kind::kItem;
};

constexpr const char16_t* kSeparator = u"-";

constexpr MenuRow ArrayRow(int depth, std::string_view name) {
  return {depth, name, nullptr, -1, false, Kind::kArray};
}
constexpr MenuRow CreatedArrayRow(int depth, std::string_view name) {
  return {depth, name, nullptr, -1, false, Kind::kRunTimeArray};
}

// Every item of the menu bar that is not a catalogue command, in menu order.
constexpr MenuRow kMenuRows[] = {
    {0, "mnuFiles", kFilesMenuCaption.data()},
    {1, "mnuClear", kClearCaption.data()},
    {1, "mnuOpen", kOpenCaption.data()},
    {1, "mnuBarF1", kSeparator},
    {1, "mnuSave", kSaveCaption.data()},
    {1, "mnuAttr", kPropertiesCaption.data()},
    {1, "mnuBarF2", kSeparator},
    {1, "mnuNewWin", kNewWindowCaption.data()},

    {0, "mnuEdits", kEditsMenuCaption.data()},
    {1, "mnuPasteOrig", kPasteOriginalCaption.data()},
    {1, "mnuBarE0", kSeparator},
    {1, "mnuASel", kSelectAllCaption.data()},
    {1, "mnuCopy", kCopyCaption.data()},
    {1, "mnuPaste", kPasteCaption.data()},
    {1, "mnuBarE1", kSeparator},
    ArrayRow(1, "mnuWnCase"),
    {1, "mnuBarE3", kSeparator},
    {1, "mnuMakes", u"编写“乱码” (&M)"},
    CreatedArrayRow(2, "mnuMake"),
    {1, "mnuSeekNew", u"键入查找 [Ctrl+F1] …"},
    {1, "mnuReplace", kReplaceCaption.data()},
    {1, "mnuSayCode", u"单字信息 [F4]"},
    {1, "mnuBarE4", kSeparator},
    {1, "mnuIns", kInsertCaptions[0].data(), 0},
    {1, "mnuIns", kInsertCaptions[1].data(), 1},
    {1, "mnuIns", kInsertCaptions[2].data(), 2},
    {1, "mnuIns", kInsertCaptions[3].data(), 3},
    {1, "mnuIns", kInsertCaptions[4].data(), 4},

    {0, "mnuJiedusA", u" 解读乱码 (&1)"},
    ArrayRow(1, "mnuNumU"),
    {1, "mnuBarA1", kSeparator},
    ArrayRow(1, "mnuReadQp"),
    {1, "mnuBarA3", kSeparator},
    ArrayRow(1, "mnuBase64"),
    {1, "mnuBarA4", kSeparator},
    ArrayRow(1, "mnuJieA"),

    {0, "mnuJiedusB", u" 解读乱码 (&2)"},
    ArrayRow(1, "mnuChgA2B"),

    {0, "mnuJiedusC", u" 解读乱码 (&3)"},
    ArrayRow(1, "mnuCutaByte"),
    {1, "mnuBarC1", kSeparator},
    ArrayRow(1, "mnu2022"),
    {1, "mnuBarC2", kSeparator},
    ArrayRow(1, "mnuAskA2B"),
    {1, "mnuBarC3", kSeparator},
    {1, "mnuDiagnose", kDiagnoseCaption.data()},

    {0, "mnuLooks", u" 查看 (&L)"},
    {1, "mnuHScr", u"自动换行"},
    {1, "mnuBarL1", kSeparator},
    {1, "mnuFonts", u"字体名称"},
    {2, "mnuFont0", kDefaultFontName.data(), -1, true},
    {2, "mnuBarL21", kSeparator},
    CreatedArrayRow(2, "mnuFont"),
    {1, "mnuSizes", u"字体尺寸"},
    {2, "mnuSize0", u"12", -1, true},
    {2, "mnuBarL22", kSeparator},
    CreatedArrayRow(2, "mnuSize"),
    {1, "mnuBarL3", kSeparator},
    {1, "mnuAbout", u"关于 本软件 …"},
};

constexpr const char16_t* kMenuFontNames[] = {u"Arial",           u"Courier New", u"Lucida Console",
                                              u"Times New Roman", u"宋体",        u"黑体",
                                              u"华文中宋",        u"MingLiU",     u"PMingLiU"};
constexpr int kMenuSizeCount = 8;

// The catalogue's items of an array; an index without a command is a separator.
std::vector<MenuNode> CatalogueArray(std::string_view array) {
  std::vector<MenuNode> items;
  for (const Family* family : Catalogue::Get().MenuFamilies(array)) {
    const MenuItem& item = *family->item;
    while (static_cast<int>(items.size()) < item.index) {
      items.push_back({array, static_cast<int>(items.size()), kSeparator});
    }
    items.push_back({array, item.index, item.caption, item.checked});
  }
  return items;
}

// Appends the rows from `row` on that are deeper than `depth` - 1, as nodes; returns the first
// row not taken.
std::size_t AddRows(std::size_t row, int depth, std::vector<MenuNode>& out) {
  constexpr std::size_t kCount = std::size(kMenuRows);
  while (row < kCount && kMenuRows[row].depth == depth) {
    const MenuRow& r = kMenuRows[row++];
    if (r.kind == Kind::kArray) {
      for (MenuNode& node : CatalogueArray(r.name)) out.push_back(std::move(node));
      continue;
    }
    if (r.kind == Kind::kRunTimeArray) continue;
    MenuNode node{r.name, r.index, r.caption, r.checked};
    node.submenu = row < kCount && kMenuRows[row].depth > depth;
    row = AddRows(row, depth + 1, node.items);
    out.push_back(std::move(node));
  }
  return row;
}

const MenuNode* Find(const std::vector<MenuNode>& nodes, std::string_view name, int index) {
  for (const MenuNode& node : nodes) {
    if (node.name == name && node.index == index) return &node;
    if (const MenuNode* found = Find(node.items, name, index)) return found;
  }
  return nullptr;
}

}  // namespace

std::vector<MenuNode> MenuBarTree() {
  std::vector<MenuNode> menus;
  AddRows(0, 0, menus);
  return menus;
}

std::vector<MenuNode> RunTimeArrayItems(std::string_view array) {
  std::vector<MenuNode> items;
  if (array == "mnuSize") {
    for (int i = 0; i < kMenuSizeCount; ++i) {
      items.push_back({array, i, DecimalText(MenuFontSize(i))});
    }
  } else if (array == "mnuFont") {
    for (int i = 0; i < static_cast<int>(std::size(kMenuFontNames)); ++i) {
      items.push_back({array, i, kMenuFontNames[i]});
    }
  } else if (array == "mnuMake") {
    items = CatalogueArray(array);
  }
  return items;
}

TextView MenuFontName(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kMenuFontNames))) return {};
  return kMenuFontNames[index];
}

double MenuFontSize(int index) { return 10 + 2 * index; }

Text MenuCaption(std::string_view name, int index) {
  static const std::vector<MenuNode> menus = [] {
    std::vector<MenuNode> all = MenuBarTree();
    std::vector<MenuNode> arrays;
    for (const RunTimeArray& array : kRunTimeArrays) {
      for (MenuNode& node : RunTimeArrayItems(array.array)) arrays.push_back(std::move(node));
    }
    all.push_back(MenuNode{.items = std::move(arrays)});
    return all;
  }();
  const MenuNode* node = Find(menus, name, index);
  return node ? node->caption : Text();
}

}  // namespace qor
