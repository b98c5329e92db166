#include "tools/mdfgen/system_tables.h"

namespace corvane::mdfgen {
namespace {

Column Sysname(std::string name) {
  Column c = NVarChar(std::move(name), 128);
  c.userTypeId = kSysnameUserType;
  return c;
}

// A system table column: NOT NULL unless made optional with Opt().
struct Col {
  Column column;
  Col(Column c) : column(std::move(c)) { column.NotNull(); }
};

Col Opt(Column c) {
  Col col(std::move(c));
  col.column.Null();
  return col;
}

using Cols = std::vector<Col>;

SystemTable Make(std::int32_t id, std::string name, const Cols& columns,
                 std::vector<std::string> key, std::uint16_t unitIndexId = 1) {
  SystemTable t;
  t.objectId = id;
  t.unitIndexId = unitIndexId;
  t.table.schema = "sys";
  t.table.name = std::move(name);
  for (const auto& c : columns) t.table.columns.push_back(c.column);
  t.table.primaryKey = std::move(key);
  return t;
}

}  // namespace

std::int64_t SystemUnitId(const SystemTable& table) {
  return LegacyUnitId(table.objectId, table.unitIndexId);
}

namespace {

std::vector<SystemTable> LegacySystemTables() {
  std::vector<SystemTable> out;
  // uid is 4 bytes here: real rows hold 00 00 01 00 between xtype and info.
  out.push_back(Make(kSysObjects, "sysobjects",
                     {Sysname("name"), Int("id"), Char("xtype", 2), Int("uid"), SmallInt("info"),
                      Int("status"), Int("base_schema_ver"), Int("replinfo"), Int("parent_obj"),
                      DateTime("crdate"), SmallInt("ftcatid")},
                     {"id"}));
  out.push_back(Make(kSysIndexes, "sysindexes",
                     {Int("id"),
                      Int("status"),
                      Binary("first", 6),
                      SmallInt("indid"),
                      Binary("root", 6),
                      SmallInt("minlen"),
                      SmallInt("keycnt"),
                      SmallInt("groupid"),
                      Int("dpages"),
                      Int("reserved"),
                      Int("used"),
                      BigInt("rowcnt"),
                      Int("rowmodctr"),
                      TinyInt("reserved3"),
                      TinyInt("reserved4"),
                      SmallInt("xmaxlen"),
                      SmallInt("maxirow"),
                      TinyInt("OrigFillFactor"),
                      TinyInt("StatVersion"),
                      Int("reserved2"),
                      Binary("FirstIAM", 6),
                      SmallInt("impid"),
                      SmallInt("lockflags"),
                      Int("pgmodctr"),
                      Opt(VarBinary("keys", 1088)),
                      Sysname("name"),
                      Opt(VarBinary("statblob", kMax))},
                     {"id", "indid"}));
  out.push_back(Make(kSysColumns, "syscolumns",
                     {Sysname("name"),
                      Int("id"),
                      TinyInt("xtype"),
                      TinyInt("typestat"),
                      SmallInt("xusertype"),
                      SmallInt("length"),
                      TinyInt("xprec"),
                      TinyInt("xscale"),
                      SmallInt("colid"),
                      SmallInt("xoffset"),
                      TinyInt("bitpos"),
                      TinyInt("reserved"),
                      SmallInt("colstat"),
                      Int("cdefault"),
                      Int("domain"),
                      SmallInt("number"),
                      SmallInt("colorder"),
                      Opt(VarBinary("autoval", 255)),
                      SmallInt("offset"),
                      Opt(Int("collationid")),
                      Opt(VarChar("printfmt", 255))},
                     {"id", "number", "colid"}));
  out.push_back(Make(kSysComments, "syscomments",
                     {Int("id"), SmallInt("number"), SmallInt("colid"), SmallInt("status"),
                      Opt(VarBinary("ctext", 8000))},
                     {"id", "number", "colid"}));
  out.push_back(
      Make(kSysFiles1, "sysfiles1",
           {Int("status"), SmallInt("fileid"), NChar("name", 128), NChar("filename", 260)}, {}, 0));
  return out;
}

}  // namespace

std::vector<SystemTable> SystemTables(int version) {
  if (version < 611) return LegacySystemTables();
  const bool v2005 = version < 655;
  const bool v2008 = version >= 655 && version < 706;
  std::vector<SystemTable> out;

  if (!v2005) {
    Cols c = {BigInt("rsid"),
              Int("rscolid"),
              Int("hbcolid"),
              BigInt("rcmodified"),
              Int("ti"),
              Int("cid"),
              SmallInt("ordkey"),
              SmallInt("maxinrowlen"),
              Int("status"),
              Int("offset"),
              Int("nullbit"),
              SmallInt("bitpos"),
              Opt(VarBinary("colguid", 16))};
    if (v2008) c.push_back(Int("dbfragid"));
    out.push_back(Make(kSysRsCols, "sysrscols", Cols(c), {"rsid", "hbcolid"}, 0));
  } else {
    out.push_back(Make(kSysRowsetColumns, "sysrowsetcolumns",
                       Cols({BigInt("rowsetid"), Int("rowsetcolid"), Int("hobtcolid"),
                             Int("status"), BigInt("rcmodified"), SmallInt("maxinrowlen")}),
                       {"rowsetid", "rowsetcolid"}, 0));
  }

  Cols rowsets = {BigInt("rowsetid"), TinyInt("ownertype"), Int("idmajor"),     Int("idminor"),
                  Int("numpart"),     Int("status"),        SmallInt("fgidfs"), BigInt("rcrows")};
  if (!v2005) {
    for (auto c : std::initializer_list<Col>{
             TinyInt("cmprlevel"), TinyInt("fillfact"), SmallInt("maxnullbit"), Int("maxleaf"),
             SmallInt("maxint"), SmallInt("minleaf"), SmallInt("minint"),
             Opt(VarBinary("rsguid", 16)), Opt(VarBinary("lockres", 8)), Int("dbfragid")}) {
      rowsets.push_back(c);
    }
  }
  out.push_back(Make(kSysRowsets, "sysrowsets", Cols(rowsets), {"rowsetid"}, 0));

  Cols units = {BigInt("auid"),      TinyInt("type"),         BigInt("ownerid"),
                Int("status"),       SmallInt("fgid"),        Binary("pgfirst", 6),
                Binary("pgroot", 6), Binary("pgfirstiam", 6), BigInt("pcused"),
                BigInt("pcdata"),    BigInt("pcreserved")};
  if (v2008) units.push_back(Int("dbfragid"));
  out.push_back(Make(kSysAllocUnits, "sysallocunits", Cols(units), {"auid"}, 0));

  out.push_back(
      Make(kSysFiles1, "sysfiles1",
           Cols({Int("status"), SmallInt("fileid"), NChar("name", 128), NChar("filename", 260)}),
           {}, 0));

  if (v2005) {
    out.push_back(Make(kSysHobtColumns, "syshobtcolumns",
                       Cols({BigInt("hobtid"), Int("hobtcolid"), Int("status"), SmallInt("ordkey"),
                             TinyInt("xtype"), SmallInt("length"), TinyInt("prec"),
                             TinyInt("scale"), Int("collationid"), SmallInt("offset"),
                             SmallInt("nonleafoffset"), SmallInt("nonleafnullbit"), Int("nullbit"),
                             Opt(VarBinary("colguid", 16)), Opt(VarBinary("maxinrowlen", 8))}),
                       {"hobtid", "hobtcolid"}, 0));
  }

  Cols objects = {Int("id"),      Sysname("name"),     Int("nsid"),         TinyInt("nsclass"),
                  Int("status"),  Char("type", 2),     Int("pid"),          TinyInt("pclass"),
                  Int("intprop"), DateTime("created"), DateTime("modified")};
  if (version >= 706) objects.push_back(Int("status2"));
  out.push_back(Make(kSysSchObjs, "sysschobjs", Cols(objects), {"id"}));

  out.push_back(
      Make(kSysColPars, "syscolpars",
           Cols({Int("id"), SmallInt("number"), Int("colid"), Opt(Sysname("name")),
                 TinyInt("xtype"), Int("utype"), SmallInt("length"), TinyInt("prec"),
                 TinyInt("scale"), Int("collationid"), Int("status"), SmallInt("maxinrow"),
                 Int("xmlns"), Int("dflt"), Int("chk"), Opt(VarBinary("idtval", 64))}),
           {"id", "number", "colid"}));

  out.push_back(
      Make(kSysScalarTypes, "sysscalartypes",
           Cols({Int("id"), Int("schid"), Sysname("name"), TinyInt("xtype"), SmallInt("length"),
                 TinyInt("prec"), TinyInt("scale"), Int("collationid"), Int("status"),
                 DateTime("created"), DateTime("modified"), Int("dflt"), Int("chk")}),
           {"id"}));

  out.push_back(Make(kSysIdxStats, "sysidxstats",
                     Cols({Int("id"), Int("indid"), Opt(Sysname("name")), Int("status"),
                           Int("intprop"), TinyInt("fillfact"), TinyInt("type"),
                           TinyInt("tinyprop"), Int("dataspace"), Int("lobds"), BigInt("rowset")}),
                     {"id", "indid"}));

  Cols iscols = {Int("idmajor"), Int("idminor"),      Int("subid"),        Int("status"),
                 Int("intprop"), TinyInt("tinyprop"), TinyInt("tinyprop2")};
  if (version >= 706) iscols.push_back(TinyInt("tinyprop3"));
  if (version >= 852) iscols.push_back(TinyInt("tinyprop4"));
  out.push_back(Make(kSysIsCols, "sysiscols", Cols(iscols), {"idmajor", "idminor", "subid"}));

  out.push_back(Make(kSysObjValues, "sysobjvalues",
                     Cols({TinyInt("valclass"), Int("objid"), Int("subobjid"), Int("valnum"),
                           Opt(SqlVariant("value")), Opt(VarBinary("imageval", kMax))}),
                     {"valclass", "objid", "subobjid", "valnum"}));

  out.push_back(
      Make(kSysClsObjs, "sysclsobjs",
           Cols({TinyInt("class"), Int("id"), Sysname("name"), Int("status"), Char("type", 2),
                 Int("intprop"), DateTime("created"), DateTime("modified")}),
           {"class", "id"}));

  out.push_back(Make(kSysSingleObjRefs, "syssingleobjrefs",
                     Cols({TinyInt("class"), Int("depid"), Int("depsubid"), Int("indepid"),
                           Int("indepsubid"), Int("status")}),
                     {"class", "depid", "depsubid"}));
  return out;
}

}  // namespace corvane::mdfgen
