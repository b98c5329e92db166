#include "cli/cli_args.h"

namespace corvane::cli {

std::optional<std::string> CliArgs::Value(const std::string& name) const {
  auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

bool OptionTakesValue(const std::string& name) {
  return name == "--page" || name == "--format" || name == "--collation" ||
         name == "--log-dir" || name == "--limit";
}

std::optional<CliArgs> ParseArgs(int argc, char** argv, std::string& error) {
  CliArgs args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.size() > 2 && a.rfind("--", 0) == 0) {
      std::string value;
      auto eq = a.find('=');
      if (eq != std::string::npos) {
        value = a.substr(eq + 1);
        a = a.substr(0, eq);
      } else if (OptionTakesValue(a)) {
        if (i + 1 >= argc) {
          error = "option " + a + " needs a value";
          return std::nullopt;
        }
        value = argv[++i];
      }
      args.options[a] = value;
    } else if (a == "-h") {
      args.options["--help"] = "";
    } else if (args.command.empty()) {
      args.command = a;
    } else {
      args.positional.push_back(a);
    }
  }
  return args;
}

}  // namespace corvane::cli
