// Formatted records: edit-descriptor lists, record files, list-directed reads; the internal
// read of one real (readReal) comes with the fields.
//
// Every record layout of the system is quoted as its edit-descriptor list, e.g.
//   report.write("(I4,X,3F10.5,4X,A4,X,A4)", group, x, y, z, label, type);
// Supported: Aw, A, Iw, Fw.d, nX, X, /, quoted and nH text, repeat counts, and format
// reversion to a new record when the items outlast the list.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "run/fields.hpp"
#include "run/fixed_text.hpp"

namespace molframe {

/// One item of a formatted write.
using WriteItem = std::variant<int32_t, float, std::string_view>;

/// One target of a read: a text of its own width, or a run of integers.
using ReadItem = std::variant<std::span<char>, std::span<int32_t>>;

/// What a read met.
enum class ReadStatus { ok, endOfFile, error };

/// The exits a read names. A condition without an exit ends the run with a diagnostic.
enum class Exits { none, endOfFile, endOfFileAndError };

inline WriteItem toWriteItem(int32_t value) {
    return value;
}
inline WriteItem toWriteItem(float value) {
    return value;
}
inline WriteItem toWriteItem(std::string_view text) {
    return text;
}
inline WriteItem toWriteItem(const char* text) {
    return std::string_view(text);
}
template <std::size_t W>
WriteItem toWriteItem(const FixedText<W>& text) {
    return asView(text);
}

inline ReadItem toReadItem(int32_t& value) {
    return std::span<int32_t>(&value, 1);
}
inline ReadItem toReadItem(std::span<int32_t> values) {
    return values;
}
template <std::size_t W>
ReadItem toReadItem(FixedText<W>& text) {
    return std::span<char>(text.data(), W);
}

/// The records (without line ends) that one formatted write of the items gives.
std::vector<std::string> formatRecords(std::string_view format, std::span<const WriteItem> items);

/// One formatted write to a console stream (standard output for the eigensolver's diagnostics).
void writeRecords(std::FILE* stream, std::string_view format, std::span<const WriteItem> items);

template <class... T>
void writeConsole(std::string_view format, const T&... items) {
    const WriteItem list[] = {toWriteItem(items)..., WriteItem(int32_t{0})};
    writeRecords(stdout, format, std::span<const WriteItem>(list, sizeof...(T)));
}

/// A text file of records, opened by name in the working directory.
/// Reading: records split at LF, a CR before the LF belongs to the line end.
/// Writing: the first record written replaces the file from the top; records end with LF.
class RecordFile {
  public:
    explicit RecordFile(std::string name);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    /// Opens the file, creating it empty when missing; ends the run when that fails.
    void open();
    /// The next read starts at the first record.
    void rewind();
    /// Writes everything written so far to the file.
    void flush();

    const std::string& name() const { return name_; }
    /// Number of records read so far (the last record touched by a read).
    int32_t recordsRead() const { return next_; }

    /// One formatted write; each write starts a new record.
    void writeItems(std::string_view format, std::span<const WriteItem> items);
    template <class... T>
    void write(std::string_view format, const T&... items) {
        const WriteItem list[] = {toWriteItem(items)..., WriteItem(int32_t{0})};
        writeItems(format, std::span<const WriteItem>(list, sizeof...(T)));
    }

    /// One formatted read with Aw, Iw, nX and /; a record shorter than the list reads as blanks.
    ReadStatus readItems(Exits exits, std::string_view format, std::span<const ReadItem> items);
    template <class... T>
    ReadStatus read(Exits exits, std::string_view format, T&&... targets) {
        const ReadItem list[] = {toReadItem(targets)..., ReadItem(std::span<int32_t>())};
        return readItems(exits, format, std::span<const ReadItem>(list, sizeof...(T)));
    }

    /// One list-directed read: starts at the next record, skips blank records, takes items
    /// from as many records as needed and passes over the rest of the last one.
    ReadStatus readListItems(Exits exits, std::span<const ReadItem> items);
    template <class... T>
    ReadStatus readList(Exits exits, T&&... targets) {
        const ReadItem list[] = {toReadItem(targets)..., ReadItem(std::span<int32_t>())};
        return readListItems(exits, std::span<const ReadItem>(list, sizeof...(T)));
    }

  private:
    void loadRecords();
    const std::string* nextRecord();
    ReadStatus fail(Exits exits, ReadStatus status, int32_t record, const std::string& cause);

    std::string name_;
    std::FILE* stream_ = nullptr;
    bool written_ = false;
    bool loaded_ = false;
    std::vector<std::string> records_;
    int32_t next_ = 0;
};

}  // namespace molframe
