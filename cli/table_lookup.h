#pragma once
// Finding a table of the catalog by the name a user types.

#include <optional>
#include <string>

#include "catalog/catalog.h"

namespace corvane::cli {

// The object named `name`: the schema-qualified name exactly, else the name
// without its schema or with any case. Tables ("U ", "S ") are preferred
// over other objects of the same name.
const ObjectRow* FindObjectByName(const Catalog& catalog, const std::string& name);

}  // namespace corvane::cli
