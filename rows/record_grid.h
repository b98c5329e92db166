#pragma once
// What record retrieval needs of the grid that shows the records and of its
// paging control. The desktop app implements it with its grid model; the CLI
// with a printer or a counter. Called from the thread that runs the
// retrieval; an implementation that lives on another thread queues the calls.

#include <string>
#include <string_view>

namespace corvane {

class RecordGrid {
 public:
  virtual ~RecordGrid() = default;
  // Inserts a row at `index` whose first cell is `text`.
  virtual void InsertRow(int index, std::string_view text) = 0;
  // Sets cell `column` (1 = second cell) of row `row`.
  virtual void SetCell(int row, int column, std::string_view text) = 0;
  virtual void RemoveRow(int index) = 0;
  virtual void Clear() = 0;
  // The paging control: its label and its two buttons.
  virtual void SetPageLabel(std::string_view /*text*/) {}
  virtual void SetNextEnabled(bool /*enabled*/) {}
  virtual void SetPreviousEnabled(bool /*enabled*/) {}
};

}  // namespace corvane
