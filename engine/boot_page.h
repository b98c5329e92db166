#pragma once
// The boot page (page 9 of the primary file): one record describing the
// database. Fields read, as offsets from the start of the page (the record's
// fields begin at 100, after the page header and a 4-byte record header):
//
//  Offset  Width              Field
//  ------  -----------------  -------------------------------------------
//   100    uint16             version   (on-disk format version)
//   102    uint16             createVersion
//   148    128 UTF-16 units   name      (padded with U+2020 or blanks)
//   408    int16              databaseId
//   410    int16              compatibilityLevel
//   488    int32              collationId
//
// Databases attached by path carry the whole path as their name.

#include <cstdint>
#include <string>

#include "engine/app_state.h"
#include "engine/record_page.h"

namespace corvane {

inline constexpr int kBootPageNumber = 9;

class CBootPage : public CPage {
 public:
  CBootPage(PageBuffer buffer, const DatabaseContext* context);

  std::uint16_t version() const { return version_; }
  std::uint16_t createVersion() const { return createVersion_; }
  const std::string& name() const { return name_; }
  std::int32_t collationId() const { return collationId_; }
  std::int16_t compatibilityLevel() const { return compatibilityLevel_; }

  // Stores the version text and, when the collation is found, the collation
  // values in the application state (they persist until a later boot page).
  void Publish(AppState& app) const;

 private:
  std::uint16_t version_ = 0;
  std::uint16_t createVersion_ = 0;
  std::string name_;
  std::int32_t collationId_ = 0;
  std::int16_t compatibilityLevel_ = 0;
};

// " SQL Server 2008 R2" for 661, ...; "Unknown SQL Version" when not known.
std::string VersionText(int version);

}  // namespace corvane
