#include "cif/cif_support.hpp"

#include <filesystem>

#include "run/fixed_text.hpp"

namespace molframe::testing {

RecordFile& CifFiles::structure(const std::string& text) {
    scratch_.write("at.cif", text);
    return openStructure();
}

RecordFile& CifFiles::corpusStructure(const std::string& name) {
    std::filesystem::copy_file(test::sourcePath("tests/data/corpus/" + name),
                               scratch_.file("at.cif"));
    return openStructure();
}

RecordFile& CifFiles::openStructure() {
    structure_ = std::make_unique<RecordFile>(scratch_.file("at.cif"));
    structure_->open();
    return *structure_;
}

RecordFile& CifFiles::report() {
    if (!report_) {
        report_ = std::make_unique<RecordFile>(scratch_.file("at.dat"));
        report_->open();
    }
    return *report_;
}

std::string CifFiles::reportText() {
    if (report_) report_->flush();
    return scratch_.read("at.dat");
}

std::string CifFiles::shortened(const std::string& message) const {
    const std::string path = scratch_.file("at.cif");
    if (message.rfind(path, 0) != 0) return message;
    return "at.cif" + message.substr(path.size());
}

std::string nextItem(RecordFile& structure) {
    FixedText<40> item = blankText<40>();
    if (structure.readList(Exits::endOfFile, item) != ReadStatus::ok) return "<end of file>";
    const std::string_view text = asView(item);
    return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

}  // namespace molframe::testing
