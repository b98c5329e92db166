#include "engine/boot_page.h"

#include <gtest/gtest.h>

#include "engine/collation_table.h"
#include "tests/support/page_bytes.h"

namespace corvane {
namespace {

using testing::Put;

std::vector<std::uint8_t> BootBytes(std::uint16_t version, const std::u16string& name,
                                    std::int32_t collation, std::uint16_t pad = 0x2020) {
  auto page = testing::MakePage(9, 99, 13);
  Put<std::uint16_t>(page, 100, version);
  for (std::size_t i = 0; i < 128; ++i)
    Put<std::uint16_t>(page, 148 + 2 * i, i < name.size() ? name[i] : pad);
  Put<std::int32_t>(page, 488, collation);
  return page;
}

TEST(BootPage, VersionTexts) {
  struct Case {
    int version;
    const char* text;
  } cases[] = {{661, " SQL Server 2008 R2"}, {660, " SQL Server 2008 R2"}, {539, " SQL Server 2000"},
               {852, " SQL Server 2016"},   {869, " SQL Server 2017"},   {904, " SQL Server 2019"},
               {957, " SQL Server 2022"},   {700, "Unknown SQL Version"}};
  for (const auto& c : cases) EXPECT_EQ(VersionText(c.version), c.text) << c.version;
}

TEST(BootPage, NameKeepsInnerBlanksAndDropsPadding) {
  struct Case {
    std::u16string stored;
    std::uint16_t pad;
    std::string name;
  } cases[] = {
      {u"Sales Archive", 0x2020, "Sales Archive"},
      {u"Payroll", 0x0020, "Payroll"},
      {u"Payroll", 0x0000, "Payroll"},
      {u"D:\\PROJECTS\\WEBSHOP\\APP_DATA\\ASPNETDB.MDF", 0x2020,
       "D:\\PROJECTS\\WEBSHOP\\APP_DATA\\ASPNETDB.MDF"},
      {u"Zahlen\u00fcbersicht \u5fae\u4fe1", 0x2020, "Zahlen\xc3\xbc" "bersicht \xe5\xbe\xae\xe4\xbf\xa1"},
  };
  for (const auto& c : cases) {
    CBootPage page(BootBytes(661, c.stored, 0, c.pad), nullptr);
    EXPECT_EQ(page.name(), c.name);
  }
}

TEST(BootPage, CollationFoundByIdThenByLowSixteenBits) {
  AppState app;
  app.collationTable[872468488] = {"SQL_Latin1_General_CP1_CI_AS", 1252};
  app.collationTable[53256] = {"Latin1_General_CI_AS", 1252};
  CBootPage sql(BootBytes(661, u"a", 872468488), nullptr);
  sql.Publish(app);
  EXPECT_EQ(app.collationKey, 872468488);
  EXPECT_EQ(app.collationName, "SQL_Latin1_General_CP1_CI_AS");
  // 0x0001D008: flag bits above bit 15 that the table does not list.
  CBootPage flagged(BootBytes(661, u"a", 0x0001D008), nullptr);
  flagged.Publish(app);
  EXPECT_EQ(app.collationKey, 53256);
  EXPECT_EQ(app.versionText, " SQL Server 2008 R2");
}

TEST(BootPage, UnknownCollationKeepsEarlierValues) {
  AppState app;
  app.collationTable[53256] = {"Latin1_General_CI_AS", 1252};
  CBootPage(BootBytes(661, u"a", 53256), nullptr).Publish(app);
  CBootPage(BootBytes(539, u"b", 12345), nullptr).Publish(app);
  EXPECT_EQ(app.collationName, "Latin1_General_CI_AS");
  EXPECT_EQ(app.versionText, " SQL Server 2000");
}

TEST(BootPage, ManualCollationWins) {
  AppState app;
  app.collationTable[53256] = {"Latin1_General_CI_AS", 1252};
  app.collationTable[53284] = {"Chinese_PRC_CI_AS", 936};
  app.autoDetectCollation = false;
  app.manualCollationId = 53284;
  CBootPage(BootBytes(661, u"a", 53256), nullptr).Publish(app);
  EXPECT_EQ(app.collationName, "Chinese_PRC_CI_AS");
}

TEST(CollationTable, LineRules) {
  testing::TempDir dir;
  std::string text = "Seven\t7\t1252\n\nNoTab\nOneTab\t5\nNeg\t-5\t1252\r\nDup\t7\t936\n";
  auto path = dir.Write("collation.txt", std::vector<std::uint8_t>(text.begin(), text.end()));
  CollationTable table;
  ASSERT_TRUE(LoadCollationTable(path, table));
  EXPECT_EQ(table.size(), 2u);
  EXPECT_EQ(table.at(7).name, "Dup");
  EXPECT_EQ(table.at(7).codePage, 936);
  EXPECT_EQ(table.at(-5).name, "Neg");
  EXPECT_FALSE(LoadCollationTable(dir.File("missing.txt"), table));
}

}  // namespace
}  // namespace corvane
