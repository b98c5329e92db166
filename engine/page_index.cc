#include "engine/page_index.h"

namespace corvane {

const PageList& PageIndex::Lookup(const PageMap& map, std::int32_t id) {
  static const PageList kEmpty;
  auto it = map.find(id);
  return it == map.end() ? kEmpty : it->second;
}

std::size_t PageIndex::SystemPageCount() const {
  std::size_t n = 0;
  for (const auto& [id, list] : systemPages) n += list.size();
  return n;
}

}  // namespace corvane
