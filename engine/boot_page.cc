#include "engine/boot_page.h"

#include "engine/collation_table.h"
#include "engine/utf16.h"

namespace corvane {
namespace {

constexpr std::size_t kNameOffset = 148;
constexpr std::size_t kNameUnits = 128;

}  // namespace

std::string VersionText(int version) {
  switch (version) {
    case 957: return " SQL Server 2022";
    case 904: return " SQL Server 2019";
    case 869: return " SQL Server 2017";
    case 852: return " SQL Server 2016";
    case 782: return " SQL Server 2014";
    case 706: return " SQL Server 2012";
    case 684: return " SQL Server 2012 CTP1";
    case 660:
    case 661: return " SQL Server 2008 R2";
    case 655: return " SQL Server 2008";
    case 612: return " SQL Server 2005 SP2+ with VarDecimal enabled";
    case 611: return " SQL Server 2005";
    case 539: return " SQL Server 2000";
    case 515: return " SQL Server 7.0";
    case 408: return " SQL Server 6.5";
    default: return "Unknown SQL Version";
  }
}

CBootPage::CBootPage(PageBuffer buffer, const DatabaseContext* context)
    : CPage(std::move(buffer), context) {
  const std::uint8_t* p = data_.data();
  version_ = LoadLE<std::uint16_t>(p + 100);
  createVersion_ = LoadLE<std::uint16_t>(p + 102);
  compatibilityLevel_ = LoadLE<std::int16_t>(p + 410);
  collationId_ = LoadLE<std::int32_t>(p + 488);
  // Only the padding at the end goes: NUL, blank and U+2020 (0x20 0x20
  // bytes, which is how real files pad the field). Blanks inside the name
  // stay ("Sales Archive").
  std::size_t units = kNameUnits;
  while (units > 0) {
    const auto u = LoadLE<std::uint16_t>(p + kNameOffset + 2 * (units - 1));
    if (u != 0 && u != 0x0020 && u != 0x2020) break;
    --units;
  }
  name_ = Utf16LeToUtf8(p + kNameOffset, units * 2);
}

void CBootPage::Publish(AppState& app) const {
  app.versionText = VersionText(version_);
  std::optional<std::int64_t> key;
  if (app.autoDetectCollation) {
    key = FindCollationKey(app.collationTable, collationId_);
  } else if (app.collationTable.count(app.manualCollationId)) {
    key = app.manualCollationId;
  }
  if (key) {
    app.collationFound = true;
    app.collationKey = *key;
    app.collationName = app.collationTable.at(*key).name;
  }
}

}  // namespace corvane
