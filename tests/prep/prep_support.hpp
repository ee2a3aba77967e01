// Test support for structure preparation: scratch folders, whole files and small site tables.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "run/run_data.hpp"

namespace molframe::testing {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    /// Path of the file called name in this folder.
    std::string file(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

/// The whole content of a file ("" when it does not exist).
std::string readWholeFile(const std::string& path);
/// Replaces the file's content with text.
void writeWholeFile(const std::string& path, const std::string& text);

/// One atom-site row as the loop reader stores it.
struct SiteRow {
    std::string label;
    std::string typeSymbol;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

/// A run whose SiteTable holds the rows, in order, and siteCount their number.
std::unique_ptr<RunData> runWithSites(const std::vector<SiteRow>& rows);

/// A run after the listing of groups of the given sizes: groupCount, groupSize, atomCount,
/// flagCount (every group but the last). Nothing else is filled.
std::unique_ptr<RunData> runWithGroups(std::initializer_list<int32_t> sizes);
std::unique_ptr<RunData> runWithGroups(const std::vector<int32_t>& sizes);

}  // namespace molframe::testing
