#pragma once
// An EngineObserver that records every report, for tests.

#include <string>
#include <vector>

#include "engine/app_state.h"
#include "engine/engine_observer.h"

namespace corvane::testing {

class RecordingObserver : public EngineObserver {
 public:
  void ProgressRange(std::uint64_t max) override { ranges.push_back(max); }
  void StatusText(std::string_view text) override { statuses.emplace_back(text); }
  void FatalError(std::string_view text) override { errors.emplace_back(text); }
  void ProgressPosition(std::uint64_t pos) override {
    positions.push_back(pos);
    if (stopAfterPositions && positions.size() >= stopAfterPositions && app)
      app->stopRequested = true;
  }
  void LogLine(std::string_view text) override { logs.emplace_back(text); }

  std::vector<std::uint64_t> ranges, positions;
  std::vector<std::string> statuses, errors, logs;
  std::size_t stopAfterPositions = 0;
  AppState* app = nullptr;
};

}  // namespace corvane::testing
