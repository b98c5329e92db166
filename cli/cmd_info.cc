// corvane info FILE [--json]: file geometry and the page index of a scan.

#include <cstdio>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/terminal_observer.h"
#include "engine/database_context.h"

namespace corvane::cli {

int RunInfo(const CliArgs& args, AppState& app) {
  if (args.positional.size() != 1) return UsageError("info", "expects one FILE");
  TerminalObserver observer;
  auto ctx = DatabaseContext::Open(args.positional[0], app, observer, app.recoveryMode == 2);
  if (!ctx->valid()) return 2;
  ctx->ReadBootPage();
  const std::string collationName = app.collationFound ? app.collationName : "Unknown Collation";

  const PageIndex& index = ctx->pageIndex();
  if (args.Has("--json")) {
    JsonWriter w;
    w.BeginObject()
        .Field("file", args.positional[0])
        .Field("fileSize", ctx->fileSize())
        .Field("baseOffset", ctx->baseOffset())
        .Field("pageCount", ctx->pageCount())
        .Field("systemPageCount", static_cast<std::uint64_t>(index.SystemPageCount()))
        .Field("systemPagesKeys", static_cast<std::uint64_t>(index.systemPages.size()))
        .Field("dataPagesKeys", static_cast<std::uint64_t>(index.dataPages.size()))
        .Field("iamPagesKeys", static_cast<std::uint64_t>(index.iamPages.size()))
        .Field("name", ctx->databaseName())
        .Field("version", ctx->bootVersion())
        .Field("versionText", app.versionText)
        .Field("collationId", static_cast<std::int64_t>(ctx->bootCollationId()))
        .Field("collation", collationName)
        .EndObject();
    std::printf("%s\n", w.str().c_str());
  } else {
    std::printf("File:              %s\n", args.positional[0].c_str());
    std::printf("File size:         %llu\n", static_cast<unsigned long long>(ctx->fileSize()));
    std::printf("Base offset:       %llu\n", static_cast<unsigned long long>(ctx->baseOffset()));
    std::printf("Pages:             %llu\n", static_cast<unsigned long long>(ctx->pageCount()));
    std::printf("System pages:      %zu\n", index.SystemPageCount());
    std::printf("Database name:     %s\n", ctx->databaseName().c_str());
    std::printf("Database version:  %d (%s)\n", ctx->bootVersion(),
                app.versionText.empty() ? "Unknown SQL Version" : app.versionText.c_str() + (app.versionText[0] == ' '));
    std::printf("Collation:         %d (%s)\n", ctx->bootCollationId(), collationName.c_str());
    std::printf("Index keys:        system %zu, data %zu, IAM %zu\n", index.systemPages.size(),
                index.dataPages.size(), index.iamPages.size());
  }
  return 0;
}

}  // namespace corvane::cli
