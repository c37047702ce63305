#pragma once
// An in-memory platform for driving the pages as a user would: type into edits, click buttons
// and radio buttons, choose drop-down entries, and read the result list's cells.

#include <gtest/gtest.h>

#include <algorithm>
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
  struct item {
    std::array<std::string, 3> cells;
    int data;
  };
  struct combo {
    std::vector<std::string> entries;
    int selection = -1;
  };

  std::string text(int id) const override { return texts.contains(id) ? texts.at(id) : ""; }
  void set_text(int id, std::string_view text) override { texts[id] = text; }
  void enable(int id, bool on) override { enabled[id] = on; }
  void focus(int id) override { focused = id; }
  void set_checked(int id, bool on) override { checked[id] = on; }
  bool is_checked(int id) const override { return checked.contains(id) && checked.at(id); }

  void combo_clear(int id) override { combos[id] = combo{}; }
  void combo_add(int id, std::string_view text) override { combos[id].entries.emplace_back(text); }
  int combo_count(int id) const override { return static_cast<int>(combos.at(id).entries.size()); }
  int combo_selection(int id) const override { return combos.at(id).selection; }
  void combo_select(int id, int index) override {
    combos[id].selection = index >= 0 && index < combo_count(id) ? index : -1;
  }

  void warning(std::string_view text) override { warnings.emplace_back(text); }
  void close_window() override { closed = true; }

  void list_insert_column(int, int column, std::string_view, column_align, int width) override {
    widths.insert(widths.begin() + column, width);
  }
  void list_insert_item(int, int position, std::string_view text, int data) override {
    items.insert(items.begin() + position, item{{std::string(text), "", ""}, data});
  }
  void list_set_subitem(int, int index, int subitem, std::string_view text) override {
    items.at(index).cells.at(subitem) = text;
  }
  int list_item_data(int, int index) const override { return items.at(index).data; }
  // Seven pixels per character; UTF-8 continuation bytes take no room.
  int list_text_width(int, std::string_view text) const override {
    int characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return 7 * characters;
  }
  void list_set_column_width(int, int column, int width) override { widths.at(column) = width; }
  void list_full_row_selection(int, bool) override {}

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

  bool is_enabled(int id) const { return !enabled.contains(id) || enabled.at(id); }

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
  // The number a value cell shows; a word there throws, which fails the test.
  double number(std::string_view name) const { return std::stod(value(name)); }

  std::map<int, std::string> texts;
  std::map<int, bool> enabled;
  std::map<int, bool> checked;
  std::map<int, combo> combos;
  int focused = 0;
  std::vector<std::string> warnings;
  bool closed = false;
  std::vector<int> widths;
  std::vector<item> items;
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
  // Auto radio buttons check themselves and clear the others of their group; a click on a
  // disabled control does not reach the page.
  void click(int id) {
    if (!platform_.is_enabled(id)) return;
    for (const auto& group : radio_groups) {
      if (std::find(group.begin(), group.end(), id) == group.end()) continue;
      for (const int other : group) platform_.set_checked(other, other == id);
    }
    page_.Clicked(id);
  }
  void choose(int combo, int index) {
    platform_.combo_select(combo, index);
    page_.SelectionChanged(combo);
  }

 private:
  static constexpr std::array<std::array<int, 3>, 3> radio_groups{{
      {control::metric, control::english, control::english},
      {control::temperature, control::pressure, control::pressure},
      {control::vapor, control::liquid, control::two_phase},
  }};

  memory_platform& platform_;
  CResultPage& page_;
};

}  // namespace Vantrel::testing_support
