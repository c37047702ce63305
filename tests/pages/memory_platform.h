#pragma once
// An in-memory platform for driving the pages as a user would: type into edits, click buttons
// and radio buttons, choose drop-down entries, and read the result list's cells.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pages/platform.h"
#include "pages/result_page.h"

namespace Vantrel::testing_support {

class memory_platform final : public page_platform {
 public:
  struct column {
    std::string header;
    column_align align;
    int width;
  };
  struct item {
    std::array<std::string, 3> cells;
    int data;
  };
  struct combo {
    std::vector<std::string> entries;
    int selection = -1;
  };

  std::string text(int id) const override {
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
  }
  void set_text(int id, std::string_view text) override { texts[id] = text; }
  void enable(int id, bool on) override { enabled[id] = on; }
  void focus(int id) override { focused = id; }
  void set_checked(int id, bool on) override { checked[id] = on; }
  bool is_checked(int id) const override {
    const auto found = checked.find(id);
    return found != checked.end() && found->second;
  }

  void combo_clear(int id) override { combos[id] = combo{}; }
  void combo_add(int id, std::string_view text) override { combos[id].entries.emplace_back(text); }
  int combo_count(int id) const override {
    const auto found = combos.find(id);
    return found == combos.end() ? 0 : static_cast<int>(found->second.entries.size());
  }
  int combo_selection(int id) const override {
    const auto found = combos.find(id);
    return found == combos.end() ? -1 : found->second.selection;
  }
  void combo_select(int id, int index) override {
    auto& box = combos[id];
    box.selection = index >= 0 && index < static_cast<int>(box.entries.size()) ? index : -1;
  }

  void warning(std::string_view text) override { warnings.emplace_back(text); }
  void close_window() override { closed = true; }

  void list_insert_column(int list, int column_index, std::string_view header, column_align align,
                          int width) override {
    EXPECT_EQ(list, control::result_list);
    columns.insert(columns.begin() + column_index, column{std::string(header), align, width});
  }
  void list_insert_item(int list, int position, std::string_view text, int data) override {
    EXPECT_EQ(list, control::result_list);
    items.insert(items.begin() + position, item{{std::string(text), "", ""}, data});
  }
  void list_set_subitem(int list, int index, int subitem, std::string_view text) override {
    EXPECT_EQ(list, control::result_list);
    items.at(index).cells.at(subitem) = text;
  }
  int list_item_data(int list, int index) const override {
    EXPECT_EQ(list, control::result_list);
    return items.at(index).data;
  }
  // Seven pixels per character; UTF-8 continuation bytes take no room.
  int list_text_width(int, std::string_view text) const override {
    int characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return 7 * characters;
  }
  void list_set_column_width(int, int column_index, int width) override {
    columns.at(column_index).width = width;
  }
  void list_full_row_selection(int, bool on) override { full_row = on; }

  std::optional<int> read_setting(std::string_view section, std::string_view entry) const override {
    const auto found = settings.find({std::string(section), std::string(entry)});
    return found == settings.end() ? std::nullopt : found->second;
  }
  void write_setting(std::string_view section, std::string_view entry, int value) override {
    settings[{std::string(section), std::string(entry)}] = value;
  }

  // The stored "Units" setting; an entry holding nullopt is one that cannot be read.
  std::optional<int> units() const { return read_setting("Settings", "Units"); }
  void store_units(std::optional<int> value) { settings[{"Settings", "Units"}] = value; }

  bool is_enabled(int id) const {
    const auto found = enabled.find(id);
    return found == enabled.end() || found->second;
  }

  // The value and unit cells of the row named `name`.
  const item& row(std::string_view name) const {
    for (const auto& it : items) {
      if (it.cells[0] == name) return it;
    }
    ADD_FAILURE() << "no row " << name;
    static const item none{};
    return none;
  }
  std::string value(std::string_view name) const { return row(name).cells[1]; }
  std::string unit(std::string_view name) const { return row(name).cells[2]; }

  std::map<int, std::string> texts;
  std::map<int, bool> enabled;
  std::map<int, bool> checked;
  std::map<int, combo> combos;
  int focused = 0;
  std::vector<std::string> warnings;
  bool closed = false;
  std::vector<column> columns;
  std::vector<item> items;
  bool full_row = false;
  std::map<std::pair<std::string, std::string>, std::optional<int>> settings;
};

// The user at the keyboard and mouse of one page.
class user {
 public:
  user(memory_platform& platform, CResultPage& page) : platform_(platform), page_(page) {}

  void type(int edit, std::string_view text) {
    EXPECT_TRUE(platform_.is_enabled(edit)) << "typing into disabled edit " << edit;
    platform_.set_text(edit, text);
    page_.TextChanged(edit);
  }
  // A click on a disabled control does not reach the page.
  void click(int id) {
    if (!platform_.is_enabled(id)) return;
    for (const auto& group : radio_groups) {
      for (const int member : group) {
        if (member != id) continue;
        for (const int other : group) platform_.set_checked(other, other == id);
      }
    }
    page_.Clicked(id);
  }
  void choose(int combo, int index) {
    platform_.combo_select(combo, index);
    page_.SelectionChanged(combo);
  }

 private:
  // Auto radio buttons check themselves and clear the others of their group.
  static constexpr std::array<std::array<int, 3>, 3> radio_groups{{
      {control::metric, control::english, control::english},
      {control::temperature, control::pressure, control::pressure},
      {control::vapor, control::liquid, control::two_phase},
  }};

  memory_platform& platform_;
  CResultPage& page_;
};

}  // namespace Vantrel::testing_support
