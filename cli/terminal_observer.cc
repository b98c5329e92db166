#include "cli/terminal_observer.h"

#include <unistd.h>

#include <cstdio>

namespace corvane::cli {

TerminalObserver::TerminalObserver(bool verbose) : tty_(::isatty(2) == 1), verbose_(verbose) {}

TerminalObserver::~TerminalObserver() { ClearLine(); }

void TerminalObserver::ClearLine() {
  if (tty_ && drawn_) {
    std::fputs("\r\033[K", stderr);
    drawn_ = false;
  }
}

void TerminalObserver::Draw() {
  if (!tty_) return;
  constexpr int kWidth = 30;
  const int filled = max_ ? static_cast<int>(kWidth * std::min(pos_, max_) / max_) : 0;
  std::string bar(filled, '#');
  bar.resize(kWidth, '.');
  std::fprintf(stderr, "\r\033[K[%s] %3d%% %s", bar.c_str(),
               max_ ? static_cast<int>(100 * std::min(pos_, max_) / max_) : 0, status_.c_str());
  std::fflush(stderr);
  drawn_ = true;
}

void TerminalObserver::ProgressRange(std::uint64_t max) {
  max_ = max;
  pos_ = 0;
  Draw();
}
void TerminalObserver::ProgressPosition(std::uint64_t pos) {
  pos_ = pos;
  Draw();
}
void TerminalObserver::StatusText(std::string_view text) {
  status_ = std::string(text);
  Draw();
}
void TerminalObserver::FatalError(std::string_view text) {
  ClearLine();
  failed_ = true;
  lastError_ = std::string(text);
  std::fprintf(stderr, "%s\n", lastError_.c_str());
}
void TerminalObserver::LogLine(std::string_view text) {
  if (log_) log_->Append(text);
  if (!verbose_) return;
  ClearLine();
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace corvane::cli
