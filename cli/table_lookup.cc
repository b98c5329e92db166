#include "cli/table_lookup.h"

#include <strings.h>

namespace corvane::cli {
namespace {

bool IsTable(const ObjectRow& o) { return o.type == "U " || o.type == "S "; }

std::string WithoutSchema(const std::string& name) {
  auto dot = name.find('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

}  // namespace

const ObjectRow* FindObjectByName(const Catalog& catalog, const std::string& name) {
  using Match = bool (*)(const ObjectRow&, const std::string&);
  const Match matches[] = {
      [](const ObjectRow& o, const std::string& n) { return o.name == n; },
      [](const ObjectRow& o, const std::string& n) { return WithoutSchema(o.name) == n; },
      [](const ObjectRow& o, const std::string& n) { return strcasecmp(o.name.c_str(), n.c_str()) == 0; },
      [](const ObjectRow& o, const std::string& n) {
        return strcasecmp(WithoutSchema(o.name).c_str(), n.c_str()) == 0;
      },
  };
  for (Match m : matches) {
    const ObjectRow* other = nullptr;
    for (const ObjectRow& o : catalog.objects) {
      if (!m(o, name)) continue;
      if (IsTable(o)) return &o;
      if (!other) other = &o;
    }
    if (other) return other;
  }
  return nullptr;
}

}  // namespace corvane::cli
