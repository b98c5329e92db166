#pragma once
// SQL Server's names of its system data types, for columns whose type row is
// missing: a SQL Server 2000 database has no sysscalartypes, and a damaged
// one may have lost it.

#include <cstdint>
#include <string_view>

namespace corvane {

// The standard name of system type id `systemTypeId` ("int", "nvarchar",
// ...). For CLR types (240) the user type id tells hierarchyid (128),
// geometry (129) and geography (130) apart. Empty for an unknown id.
std::string_view SystemTypeName(std::int32_t systemTypeId, std::int32_t userTypeId = 0);

}  // namespace corvane
