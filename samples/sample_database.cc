// The bundled sample database (build/<dir>/samples/sample.mdf): a small shop
// with customers, orders and an event log, written by `mdfgen sample`.

#include "tools/mdfgen/sample_database.h"

namespace corvane::mdfgen {

Database SampleDatabase(int version) {
  Database db;
  db.name = "CorvaneSample";
  db.version = version;
  // Types a version lacks are declared as their nearest older kin: datetime
  // before 2008 (format 655), nvarchar(4000) for nvarchar(max) before 2005.
  const bool dates = version >= 655;
  auto when = [dates](std::string name, SqlType type, int scale) {
    if (!dates) return DateTime(std::move(name));
    if (type == SqlType::kDate) return Date(std::move(name));
    if (type == SqlType::kTime) return Time(std::move(name), scale);
    if (type == SqlType::kDateTimeOffset) return DateTimeOffset(std::move(name), scale);
    return DateTime2(std::move(name), scale);
  };

  Table& customers = db.AddTable("Customers");
  customers.columns = {
      Int("CustomerId").Identity(1, 1),
      NVarChar("Name", 60).NotNull(),
      VarChar("Email", 100),
      Char("Country", 2),
      when("CreatedAt", SqlType::kDateTime2, 3),
      Bit("IsActive").NotNull().Default("((1))"),
      TinyInt("Rating"),
      NVarChar("Notes", version >= 611 ? kMax : 4000),
  };
  customers.primaryKey = {"CustomerId"};
  customers.uniqueKeys = {{"UQ_Customers_Email", {"Email"}}};
  customers.rows = {
      {1, "Ann Lindqvist", "ann@example.se", "SE", "2021-03-04 09:15:00.123", 1, 5, nullptr},
      {2, "Борис Петров", "boris@example.ru", "RU", "2021-05-17 14:02:33.500", 1, 4,
       "Предпочитает доставку утром"},
      {3, "李明", "li.ming@example.cn", "CN", "2022-01-09 08:00:00", 1, 3, nullptr},
      {4, "Ζωή Παπαδοπούλου", "zoe@example.gr", "GR", "2022-07-21 19:45:10.010", 0, nullptr,
       "Inactive since 2023"},
      {5, "José Ñúñez", "jose@example.es", "ES", "2023-02-28 23:59:59.999", 1, 5, nullptr},
      {6, "佐藤 花子", "hanako@example.jp", "JP", "2023-11-11 11:11:11.111", 1, 2, "VIP"},
      {7, "Zoë O'Brien", nullptr, "IE", nullptr, 1, nullptr, nullptr},
  };

  Table& orders = db.AddTable("Orders");
  orders.columns = {
      Int("OrderId").Identity(1000, 1),
      Int("CustomerId").NotNull(),
      DateTime("OrderDate").NotNull(),
      Money("Total").NotNull(),
      Decimal("Discount", 5, 2),
      Real("Weight"),
      when("ShippedOn", SqlType::kDate, 0),
      SmallInt("Status").NotNull(),
  };
  orders.primaryKey = {"OrderId"};
  orders.foreignKeys = {{"FK_Orders_Customers", {"CustomerId"}, "Customers", {"CustomerId"}}};
  orders.checks = {{"CK_Orders_Total", "([Total]>=(0))"}};
  orders.rows = {
      {1000, 1, "2023-01-05 10:30:00", "149.90", "5.00", 1.25, "2023-01-06", 3},
      {1001, 2, "2023-01-07 16:45:12.347", "12.50", nullptr, 0.2, "2023-01-09", 3},
      Ghost({1002, 2, "2023-02-01 08:00:00", "999.99", "0.00", 12.0, nullptr, 9}),
      {1003, 3, "2023-02-14 12:00:00", "0.0001", "100.00", nullptr, nullptr, 1},
      {1004, 5, "2023-03-01 00:00:00", "2500000.75", "12.34", 80.5, "2023-03-15", 2},
      Ghost({1005, 6, "2023-03-02 09:09:09", "42.00", nullptr, 1.0, nullptr, 9}),
      {1006, 6, "2024-02-29 23:59:59.997", "77.70", "7.70", 3.5, "2024-03-01", 3},
  };

  Table& events = db.AddTable("Events");
  events.columns = {
      UniqueIdentifier("EventId").NotNull(),
      VarBinary("Payload", 200),
      Bit("Flag1"),
      Bit("Flag2"),
      Bit("Flag3"),
      when("Happened", SqlType::kDateTimeOffset, 7),
      when("Duration", SqlType::kTime, 7),
      Binary("Code", 4),
      SmallMoney("Fee"),
      BigInt("Sequence"),
      Float("Ratio"),
      SmallDateTime("Logged"),
      VarChar("Source", 50),
      NChar("Kind", 5),
      Numeric("Score", 18, 6),
      SqlVariant("Extra"),
  };
  events.rows = {
      {"6F9619FF-8B86-D011-B42D-00C04FC964FF", Bin({0xDE, 0xAD, 0xBE, 0xEF}), 1, 0, 1,
       "2023-06-01 10:15:00.1234567 +05:30", "01:02:03.0000050", Bin({1, 2, 3, 4}), "1.5000",
       9007199254740993LL, 0.1, "2023-06-01 10:15:00", "sensor", "temp", "-123456.789012",
       Variant(SqlType::kInt, 42)},
      {"00112233-4455-6677-8899-AABBCCDDEEFF", Bin({}), 0, 0, 0,
       "2000-01-01 00:00:00.0000000 +00:00", "23:59:59.9999999", Bin({0xFF}), "-214748.3648", -1,
       -2.5e-10, "1900-01-01 00:00:00", "", "x", "0.000001",
       Variant(SqlType::kNVarChar, "grüße", 20)},
      Deleted({"A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11", Bin({0x01}), 1, 1, 1, nullptr, nullptr,
               nullptr, nullptr, 7, nullptr, nullptr, "deleted row", nullptr, nullptr, nullptr}),
      Forwarded({"B1FFCD88-AD1C-4F09-9C7E-7CCA0E491B22", Bin({0x10, 0x20, 0x30}), 1, nullptr, 0,
                 "2024-12-31 23:00:00.5 -08:00", "12:00:00", Bin({0, 0, 0, 1}), "0.0100",
                 1234567890123LL, 3.141592653589793, "2079-06-06 23:59:00", "moved to a later page",
                 "fwd", "1.5", Variant(SqlType::kDateTime, "2010-10-10 10:10:10.100")}),
      {"C2AADE77-BE2D-4A1A-8D8F-8DDB1F5A2C33", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      Ghost({"D3BBEF66-CF3E-4B2B-9E9F-9EEC2F6B3D44", Bin({0x99}), 0, 1, 0, nullptr, nullptr,
             nullptr, "9.9900", 99, 9.9, nullptr, "ghost", "g", "9",
             Variant(SqlType::kDecimal, "12.345", 0, 10, 3)}),
  };

  // Fixed columns of exactly 128 bytes: the fixed part of every record ends
  // at 132, the mark the deleted-record scan looks for after 0x30 or 0x3C.
  Table& audit = db.AddTable("AuditLog");
  audit.columns = {Int("Id").NotNull(), DateTime("Stamp"), NChar("UserName", 50),
                   Money("Amount"),     Char("Action", 8), NVarChar("Comment", 100)};
  audit.rows = {
      {1, "2024-01-01 08:00:00", "ann", "10.00", "INSERT", "first entry"},
      Deleted({2, "2024-01-01 08:05:00", "boris", "-10.00", "DELETE", "removed by cleanup"}),
      {3, "2024-01-02 09:30:00", "li", "0.50", "UPDATE", nullptr},
      Deleted({4, "2024-01-03 10:00:00", "zoe", "99.99", "DELETE", "also gone"}),
      {5, "2024-01-04 11:11:11", "佐藤", nullptr, "INSERT", "最後"},
  };

  // Products lost its LegacyCode column after the rows were written: the
  // bytes stay in every record, the catalog no longer lists the column.
  Table& products = db.AddTable("Products");
  products.columns = {Int("ProductId").NotNull(), NVarChar("Title", 80).NotNull(),
                      Char("LegacyCode", 4), Decimal("Price", 9, 2), Bit("Discontinued").NotNull()};
  products.primaryKey = {"ProductId"};
  products.droppedColumn = 3;
  products.rows = {
      {1, "Tea, green", "T001", "4.20", 0},
      {2, "Coffee beans", "C002", "11.90", 0},
      {3, "Cocoa", nullptr, "6.75", 1},
  };

  // Large values: text, ntext and image go to text-mix pages; the rows keep
  // 16-byte text pointers. Short values sit in a small root record, long ones
  // in data records under a large root.
  Table& documents = db.AddTable("Documents");
  documents.columns = {Int("DocumentId").NotNull(), NVarChar("Title", 100).NotNull(),
                       NText("Body"), Text("Summary"), Image("Scan")};
  documents.primaryKey = {"DocumentId"};
  std::string longBody;
  for (int i = 1; i <= 400; ++i) longBody += "Zeile " + std::to_string(i) + ": Größe übermäßig. ";
  ByteString scan(10000);
  for (std::size_t i = 0; i < scan.size(); ++i) scan[i] = static_cast<std::uint8_t>(i * 7);
  documents.rows = {
      {1, "Short note", "Kurz.", "short", Bin({0x89, 0x50, 0x4E, 0x47})},
      {2, "Long report", longBody, "A summary in code page 1252: café", Value(scan)},
      {3, "Empty", nullptr, nullptr, nullptr},
  };

  if (version >= 655) {
    // Sparse columns live in the record's sparse vector.
    Table& settings = db.AddTable("Settings");
    settings.columns = {Int("Id").NotNull(), NVarChar("Name", 40).NotNull(),
                        Int("IntValue").Null().Sparse(), NVarChar("TextValue", 100).Null().Sparse(),
                        Date("Until").Null().Sparse()};
    settings.primaryKey = {"Id"};
    settings.rows = {
        {1, "timeout", 30, nullptr, nullptr},
        {2, "greeting", nullptr, "Grüß Gott", nullptr},
        {3, "promo", 5, "SPRING", "2025-05-31"},
        {4, "empty", nullptr, nullptr, nullptr},
    };
  }

  db.modules = {
      {"dbo", "vCustomerOrders", ModuleKind::kView,
       "CREATE VIEW dbo.vCustomerOrders AS\nSELECT c.Name, o.OrderId, o.OrderDate, o.Total\n"
       "FROM dbo.Customers AS c JOIN dbo.Orders AS o ON o.CustomerId = c.CustomerId\n",
       ""},
      {"dbo", "usp_OrdersByCustomer", ModuleKind::kProcedure,
       "CREATE PROCEDURE dbo.usp_OrdersByCustomer @CustomerId int AS\n"
       "SELECT OrderId, OrderDate, Total FROM dbo.Orders WHERE CustomerId = @CustomerId ORDER BY "
       "OrderDate\n",
       ""},
      {"dbo", "fn_OrderTotal", ModuleKind::kScalarFunction,
       "CREATE FUNCTION dbo.fn_OrderTotal(@OrderId int) RETURNS money AS\n"
       "BEGIN RETURN (SELECT Total - ISNULL(Discount, 0) FROM dbo.Orders WHERE OrderId = @OrderId) "
       "END\n",
       ""},
      {"dbo", "trOrdersAudit", ModuleKind::kTrigger,
       "CREATE TRIGGER dbo.trOrdersAudit ON dbo.Orders AFTER INSERT AS\n"
       "-- Заказы проверяются вручную\nSET NOCOUNT ON\n",
       "Orders"},
  };
  return db;
}

}  // namespace corvane::mdfgen
