#include "frame/record_capture.hpp"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace molframe::testing {

CapturedRecords::CapturedRecords(std::string_view name) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "molframe-frame-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary directory");
    directory_ = pattern;
    file_ = std::make_unique<RecordFile>((directory_ / name).string());
    file_->open();
}

CapturedRecords::~CapturedRecords() {
    file_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::string CapturedRecords::text() {
    file_->flush();
    std::ifstream in(file_->name(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace molframe::testing
