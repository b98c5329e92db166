#pragma once
// How the engine reports progress, status and failures to whoever runs it.
//
// The desktop app implements this with queued calls into its window; the CLI
// prints to stderr. The engine calls it from the thread it runs on. The
// numbers are the window messages under which the desktop shell dispatches
// each report.

#include <cstdint>
#include <string_view>

namespace corvane {

inline constexpr int kMsgProgressRange = 1028;
inline constexpr int kMsgStatusText = 1029;
inline constexpr int kMsgFatalError = 1030;
inline constexpr int kMsgProgressPosition = 1180;
inline constexpr int kMsgLogLine = 1207;

class EngineObserver {
 public:
  virtual ~EngineObserver() = default;
  virtual void ProgressRange(std::uint64_t /*max*/) {}       // 1028
  virtual void StatusText(std::string_view /*text*/) {}      // 1029
  virtual void FatalError(std::string_view /*text*/) {}      // 1030
  virtual void ProgressPosition(std::uint64_t /*pos*/) {}    // 1180
  virtual void LogLine(std::string_view /*text*/) {}         // 1207
};

// An observer that drops every report.
class NullObserver final : public EngineObserver {};

}  // namespace corvane
