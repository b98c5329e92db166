#pragma once
// Command-line arguments of `corvane`: the command, its positional arguments
// and its options, with the global scan options shared by every command.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

struct CliArgs {
  std::string command;
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--json" -> "" ; "--page" -> "3"

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

// Options that take a value; every other option is a switch.
bool OptionTakesValue(const std::string& name);

// Parses argv; on a malformed line returns nullopt and sets `error`.
std::optional<CliArgs> ParseArgs(int argc, char** argv, std::string& error);

}  // namespace corvane::cli
