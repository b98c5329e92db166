#pragma once
// The CLI's EngineObserver: a progress bar and status text on stderr when
// stderr is a terminal, fatal errors always on stderr, log lines dropped
// unless verbose.

#include <cstdint>
#include <string>

#include "engine/engine_observer.h"
#include "engine/log_file.h"

#include <memory>

namespace corvane::cli {

class TerminalObserver final : public EngineObserver {
 public:
  explicit TerminalObserver(bool verbose = false);
  ~TerminalObserver() override;
  void ProgressRange(std::uint64_t max) override;
  void StatusText(std::string_view text) override;
  void FatalError(std::string_view text) override;
  void ProgressPosition(std::uint64_t pos) override;
  void LogLine(std::string_view text) override;

  // Log lines also go to `log` from now on.
  void SetLogFile(std::unique_ptr<LogFile> log) { log_ = std::move(log); }
  LogFile* logFile() const { return log_.get(); }

  bool failed() const { return failed_; }
  const std::string& lastError() const { return lastError_; }

 private:
  void Draw();
  void ClearLine();
  bool tty_;
  bool verbose_;
  bool failed_ = false;
  bool drawn_ = false;
  std::string lastError_;
  std::unique_ptr<LogFile> log_;
  std::string status_;
  std::uint64_t max_ = 0;
  std::uint64_t pos_ = 0;
};

}  // namespace corvane::cli
