// corvane page FILE [FILEID:]PAGENO [--json]: one page as a person
// investigating a damaged file wants it: header fields, slot array, and each
// record's parts as the engine's own parser sees them.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/commands.h"
#include "cli/hex_text.h"
#include "cli/json_writer.h"
#include "cli/terminal_observer.h"
#include "engine/allocation_map.h"
#include "engine/database_context.h"
#include "engine/record_page.h"

namespace corvane::cli {
namespace {

std::optional<PageId> ParsePageId(const std::string& text) {
  PageId id;
  std::string number = text;
  if (auto colon = text.find(':'); colon != std::string::npos) {
    char* end = nullptr;
    long f = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() + colon || f < 0 || f > 0xFFFF) return std::nullopt;
    id.fileId = static_cast<std::uint16_t>(f);
    number = text.substr(colon + 1);
  }
  char* end = nullptr;
  long long n = std::strtoll(number.c_str(), &end, 10);
  if (number.empty() || *end != '\0' || n < 0 || n > INT32_MAX) return std::nullopt;
  id.pageNumber = static_cast<std::int32_t>(n);
  return id;
}

const char* RecordTypeName(int type) {
  static const char* kNames[] = {"primary",  "forwarded",  "forwarding stub", "index",
                                 "blob fragment", "ghost index", "ghost data", "ghost version"};
  return type >= 0 && type < 8 ? kNames[type] : "?";
}

void WriteHeader(JsonWriter& w, const CPage_Header& h) {
  w.Key("header").BeginObject()
      .Field("headerVersion", static_cast<int>(h.headerVersion))
      .Field("type", h.type)
      .Field("typeFlagBits", static_cast<int>(h.typeFlagBits))
      .Field("level", static_cast<int>(h.level))
      .Field("flagBits", static_cast<int>(h.flagBits))
      .Field("indexId", static_cast<int>(h.indexId))
      .Field("prevPage", std::to_string(h.prevPage.fileId) + ":" + std::to_string(h.prevPage.pageNumber))
      .Field("pminlen", static_cast<int>(h.pminlen))
      .Field("nextPage", std::to_string(h.nextPage.fileId) + ":" + std::to_string(h.nextPage.pageNumber))
      .Field("slotCount", static_cast<int>(h.slotCount))
      .Field("objectId", static_cast<std::int64_t>(h.objectId))
      .Field("freeCount", static_cast<int>(h.freeCount))
      .Field("freeData", static_cast<int>(h.freeData))
      .Field("pageNumber", static_cast<std::int64_t>(h.pageNumber))
      .Field("fileId", static_cast<int>(h.fileId))
      .Field("lsn", std::to_string(h.lsnFile) + ":" + std::to_string(h.lsnBlock) + ":" +
                        std::to_string(h.lsnSlot))
      .Field("ghostRecordCount", static_cast<int>(h.ghostRecordCount))
      .Field("tornBits", static_cast<std::uint64_t>(h.tornBits))
      .EndObject();
}

void WriteRecord(JsonWriter& w, const CPrimaryRecord& r, std::uint16_t offset) {
  w.BeginObject().Field("offset", static_cast<int>(offset));
  w.Field("statusA", static_cast<int>(r.statusA))
      .Field("type", r.recordType)
      .Field("typeName", RecordTypeName(r.recordType))
      .Field("invalid", r.invalid)
      .Field("compressed", r.compressed)
      .Field("length", static_cast<std::int64_t>(r.length));
  if (r.fixedData) w.Field("fixed", HexText(*r.fixedData));
  w.Field("columnCount", static_cast<int>(r.columnCount));
  if (r.nullBitmap) w.Field("nullBitmap", HexText(*r.nullBitmap));
  w.Key("variable").BeginArray();
  for (const auto& v : r.varValues) {
    w.BeginObject().Field("complex", v.complex);
    if (v.hasData) w.Field("hex", HexText(v.data));
    else w.Key("hex").Null();
    w.EndObject();
  }
  w.EndArray();
  if (r.forwardedFromPage)
    w.Field("forwardedTo", std::to_string(r.forwardedFileId) + ":" + std::to_string(*r.forwardedFromPage) +
                               ":" + std::to_string(r.forwardedSlot));
  if (r.sparseVector) {
    w.Key("sparse").BeginArray();
    for (const auto& v : r.sparseVector->values) {
      w.BeginObject().Field("columnId", v.columnId);
      if (v.hasData) w.Field("hex", HexText(v.data));
      w.EndObject();
    }
    w.EndArray();
  }
  w.EndObject();
}

void WriteIam(JsonWriter& w, const IamPage& iam) {
  auto id = [](PageId p) { return std::to_string(p.fileId) + ":" + std::to_string(p.pageNumber); };
  w.Key("iam").BeginObject().Field("sequence", static_cast<std::uint64_t>(iam.sequence()))
      .Field("startPage", id(iam.startPage()));
  w.Key("singlePages").BeginArray();
  for (int k = 0; k < 8; ++k) w.String(id(iam.singlePages()[k]));
  w.EndArray();
  w.Key("extents").BeginArray();
  for (const auto& e : iam.AllocatedExtents()) w.String(id(e.first) + "-" + id(e.last));
  w.EndArray().EndObject();
}

// The text form is the JSON document laid out one field per line, indented,
// so that both forms always show the same fields.
void PrintAsText(const std::string& json) {
  std::string out;
  int depth = 0;
  bool inString = false;
  auto newline = [&] {
    out += '\n';
    out.append(static_cast<std::size_t>(2 * depth), ' ');
  };
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (c == '\\' && i + 1 < json.size()) out += json[++i];
      else if (c == '"') inString = false;
      else out += c;
      continue;
    }
    switch (c) {
      case '"': inString = true; break;
      case '{': case '[': ++depth; newline(); break;
      case '}': case ']': --depth; break;
      case ',': newline(); break;
      case ':': out += ": "; break;
      default: out += c;
    }
  }
  std::printf("%s\n", out.c_str() + (out.empty() || out[0] != '\n' ? 0 : 1));
}

}  // namespace

int RunPage(const CliArgs& args, AppState& app) {
  if (args.positional.size() != 2) return UsageError("page", "expects FILE and [FILEID:]PAGENO");
  auto id = ParsePageId(args.positional[1]);
  if (!id) return UsageError("page", "bad page address '" + args.positional[1] + "'");
  TerminalObserver observer;
  auto ctx = DatabaseContext::Open(args.positional[0], app, observer, app.recoveryMode == 2);
  if (!ctx->valid()) return 2;
  if (id->fileId != kPrimaryFileId) {
    std::vector<SecondaryFile> files;
    ctx->AttachSecondaryFiles(files);
  }
  auto bytes = ctx->ReadPage(*id, 0);
  if (!bytes) {
    std::fprintf(stderr, "corvane page: page %u:%d is not in the file\n", id->fileId, id->pageNumber);
    return 2;
  }
  // Show every record the page holds, deleted ones included.
  RecordParseOptions options = OptionsOf(ctx.get());
  options.showDeleted = true;
  const bool isIam = (*bytes)[1] == kPageTypeIam;
  std::unique_ptr<PrimaryRecordPage> page;
  if (isIam) page = std::make_unique<IamPage>(std::move(*bytes), ctx.get());
  else page = std::make_unique<PrimaryRecordPage>(std::move(*bytes), ctx.get(), options);

  JsonWriter w;
  w.BeginObject().Field("page", std::to_string(id->fileId) + ":" + std::to_string(id->pageNumber));
  WriteHeader(w, page->header());
  w.Key("slots").BeginArray();
  for (auto s : page->slots()) w.Int(s);
  w.EndArray();
  w.Key("records").BeginArray();
  for (std::size_t i = 0; i < page->recordCount(); ++i) {
    const CPrimaryRecord* r = page->record(i);
    if (r) WriteRecord(w, *r, page->slots()[i]);
    else w.Null();
  }
  w.EndArray();
  if (isIam) WriteIam(w, static_cast<const IamPage&>(*page));
  w.EndObject();
  if (args.Has("--json")) std::printf("%s\n", w.str().c_str());
  else PrintAsText(w.str());
  return 0;
}

}  // namespace corvane::cli
