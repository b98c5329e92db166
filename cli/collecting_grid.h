#pragma once
// A RecordGrid that keeps the rows of the grid page shown, for printing; or,
// with keepCells false, only counts them.

#include <string>
#include <vector>

#include "rows/record_grid.h"

namespace corvane::cli {

class CollectingGrid final : public RecordGrid {
 public:
  explicit CollectingGrid(bool keepCells = true) : keepCells_(keepCells) {}

  void InsertRow(int index, std::string_view text) override {
    ++count_;
    if (!keepCells_) return;
    rows_.insert(rows_.begin() + index, std::vector<std::string>{std::string(text)});
  }
  void SetCell(int row, int column, std::string_view text) override {
    if (!keepCells_) return;
    auto& r = rows_[static_cast<std::size_t>(row)];
    if (r.size() <= static_cast<std::size_t>(column)) r.resize(static_cast<std::size_t>(column) + 1);
    r[static_cast<std::size_t>(column)] = text;
  }
  void RemoveRow(int index) override {
    --count_;
    if (keepCells_) rows_.erase(rows_.begin() + index);
  }
  void Clear() override {
    rows_.clear();
    count_ = 0;
  }
  void SetPageLabel(std::string_view text) override { label_ = text; }

  const std::vector<std::vector<std::string>>& rows() const { return rows_; }
  int count() const { return count_; }
  const std::string& label() const { return label_; }

 private:
  bool keepCells_;
  int count_ = 0;
  std::vector<std::vector<std::string>> rows_;
  std::string label_;
};

}  // namespace corvane::cli
