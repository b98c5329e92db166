// mdfgen: writes SQL Server data files whose contents are known exactly.
//
//   mdfgen sample [--version N] OUT.mdf        the bundled sample database
//   mdfgen bench --size-mb N [--version N] OUT.mdf
//   mdfgen --help

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/mdfgen/file_builder.h"
#include "tools/mdfgen/sample_database.h"

namespace {

constexpr const char* kUsage =
    "usage: mdfgen sample [--version N] OUT.mdf\n"
    "       mdfgen bench --size-mb N [--version N] OUT.mdf\n"
    "\n"
    "Writes a primary data file laid out as SQL Server writes one.\n"
    "  sample     the bundled sample: customers with non-Latin names, orders,\n"
    "             an event heap, keys, constraints, a view, a procedure, a\n"
    "             function, a trigger, ghost, deleted and forwarded rows\n"
    "  bench      about N MB of generated rows in a heap and two clustered tables\n"
    "  --version  boot page format version (539 for the SQL Server 2000 layout, 611,\n"
    "             655, 661, 706, 782, 852; default 661)\n";

struct Args {
  std::string command;
  std::string output;
  std::uint64_t sizeMb = 0;
  int version = 661;
  bool ok = true;
};

bool ParseNumber(const char* text, std::uint64_t& value) {
  char* end = nullptr;
  value = std::strtoull(text, &end, 10);
  return end && *end == '\0' && end != text;
}

Args Parse(int argc, char** argv) {
  Args a;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::uint64_t n = 0;
    if ((arg == "--size-mb" || arg == "--version") && i + 1 < argc && ParseNumber(argv[i + 1], n)) {
      if (arg == "--size-mb")
        a.sizeMb = n;
      else
        a.version = static_cast<int>(n);
      ++i;
    } else if (arg.starts_with("--")) {
      a.ok = false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) a.ok = false;
  if (a.ok) {
    a.command = positional[0];
    a.output = positional[1];
  }
  if (a.command == "bench" && a.sizeMb == 0) a.ok = false;
  if (a.command != "sample" && a.command != "bench") a.ok = false;
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace corvane::mdfgen;
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const Args args = Parse(argc, argv);
  if (!args.ok) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const Database db = args.command == "sample" ? SampleDatabase(args.version)
                                               : BenchDatabase(args.sizeMb, args.version);
  const auto start = std::chrono::steady_clock::now();
  std::string error;
  BuildResult result;
  if (!WriteDatabaseFile(db, args.output, error, &result)) {
    std::fprintf(stderr, "mdfgen: %s\n", error.c_str());
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double mb = static_cast<double>(result.pageCount) * 8192 / (1024.0 * 1024.0);
  if (args.command == "bench") {
    std::fprintf(stderr, "mdfgen: %s: %lld pages, %.1f MB in %.2f s (%.0f MB/s)\n",
                 args.output.c_str(), static_cast<long long>(result.pageCount), mb, seconds,
                 seconds > 0 ? mb / seconds : 0.0);
  }
  return 0;
}
