#pragma once

// The checks every record of a metafile passes before the player may see it: only the records and
// parameters it knows, and an object table and saved states that hold up record by record.

#include "picture/picture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// Follows the object table and the saved states through the records, as the player will.
class RecordChecker {
  public:
    explicit RecordChecker(std::uint16_t slots) : used_(slots, false) {}

    // What is wrong with the next record, or nothing.
    std::optional<std::string> Check(const MetafileRecord &record);

  private:
    std::vector<bool> used_;
    int saved_ = 0;

    static std::optional<std::string> Allowed(bool ok, const char *what, int value);
    std::optional<std::string> CheckParams(const MetafileRecord &record);
    std::optional<std::string> Restore(int which);
    std::optional<std::string> Create();
    [[nodiscard]] std::optional<std::string> Existing(std::uint16_t index) const;
};

} // namespace velmora
