// Test support: a record file in a fresh temporary directory, read back as one text.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "run/records.hpp"

namespace molframe::testing {

/// An opened RecordFile of the given name in its own temporary directory, removed at the end.
class CapturedRecords {
  public:
    explicit CapturedRecords(std::string_view name = "at.dat");
    ~CapturedRecords();
    CapturedRecords(const CapturedRecords&) = delete;
    CapturedRecords& operator=(const CapturedRecords&) = delete;

    RecordFile& file() { return *file_; }
    /// Everything written so far, each record followed by its line end.
    std::string text();

  private:
    std::filesystem::path directory_;
    std::unique_ptr<RecordFile> file_;
};

}  // namespace molframe::testing
