// Test support shared by every test folder: a record file in a fresh scratch folder, read back as
// one text.
#pragma once

#include <string>

#include "run/records.hpp"
#include "support/scratch.hpp"

namespace molframe::test {

/// An opened RecordFile of the given name in its own scratch folder.
class CapturedRecords {
  public:
    explicit CapturedRecords(const std::string& name = "at.dat")
        : name_(name), file_(dir_.file(name)) {
        file_.open();
    }

    RecordFile& file() { return file_; }
    /// Everything written so far, each record followed by its line end.
    std::string text() {
        file_.flush();
        return dir_.read(name_);
    }

  private:
    Scratch dir_;
    std::string name_;
    RecordFile file_;
};

}  // namespace molframe::test
