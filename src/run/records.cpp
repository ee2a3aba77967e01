#include "run/records.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "run/edit_descriptors.hpp"
#include "run/failure.hpp"
#include "run/fields.hpp"

namespace molframe {

namespace {

using Kind = EditDescriptor::Kind;

bool anyTakesItem(const std::vector<EditDescriptor>& list) {
    for (const EditDescriptor& d : list) {
        if (d.takesItem()) return true;
    }
    return false;
}

float asReal(const WriteItem& item) {
    if (const float* value = std::get_if<float>(&item)) return *value;
    if (const int32_t* value = std::get_if<int32_t>(&item)) return static_cast<float>(*value);
    return 0.0f;
}

int32_t asInteger(const WriteItem& item) {
    if (const int32_t* value = std::get_if<int32_t>(&item)) return *value;
    return 0;
}

/// Aw of a text: the text right-aligned in w columns, or its first w characters.
std::string formatText(const WriteItem& item, int32_t w) {
    const std::string_view* text = std::get_if<std::string_view>(&item);
    const std::string_view value = text != nullptr ? *text : std::string_view();
    if (w < 0) return std::string(value);
    const auto width = static_cast<std::size_t>(w);
    if (value.size() >= width) return std::string(value.substr(0, width));
    return std::string(width - value.size(), ' ') + std::string(value);
}

/// One record being built: nX only moves the position, so blanks appear only in front of
/// something written after them.
struct RecordBuilder {
    std::string text;
    std::size_t pendingBlanks = 0;

    void append(const std::string& field) {
        text.append(pendingBlanks, ' ');
        pendingBlanks = 0;
        text += field;
    }
    std::string take() {
        pendingBlanks = 0;
        return std::exchange(text, std::string());
    }
};

bool isBlankRecord(const std::string& record) {
    return record.find_first_not_of(" \t") == std::string::npos;
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

/// A target slot of a read: one text, or one integer of a run of integers.
struct Slot {
    std::span<char> text;
    int32_t* integer = nullptr;
};

std::vector<Slot> slotsOf(std::span<const ReadItem> items) {
    std::vector<Slot> slots;
    for (const ReadItem& item : items) {
        if (const auto* text = std::get_if<std::span<char>>(&item)) {
            slots.push_back(Slot{*text, nullptr});
        } else {
            for (int32_t& value : std::get<std::span<int32_t>>(item))
                slots.push_back(Slot{{}, &value});
        }
    }
    return slots;
}

/// A list-directed text value: cut or blank-padded to the variable's width.
void storeListText(std::span<char> target, std::string_view value) {
    for (std::size_t i = 0; i < target.size(); ++i) target[i] = i < value.size() ? value[i] : ' ';
}

/// Aw into a variable of length L: the rightmost L characters when w >= L, else the field
/// followed by blanks.
void storeFormattedText(std::span<char> target, std::string_view field) {
    const std::size_t length = target.size();
    if (field.size() >= length) {
        const std::string_view tail = field.substr(field.size() - length);
        for (std::size_t i = 0; i < length; ++i) target[i] = tail[i];
        return;
    }
    storeListText(target, field);
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

std::vector<std::string> formatRecords(std::string_view format, std::span<const WriteItem> items) {
    const std::vector<EditDescriptor> list = parseEditDescriptors(format);
    const bool hasData = anyTakesItem(list);
    std::vector<std::string> records;
    RecordBuilder record;
    std::size_t next = 0;
    while (true) {
        for (const EditDescriptor& d : list) {
            if (d.takesItem() && next == items.size()) {
                records.push_back(record.take());
                return records;
            }
            switch (d.kind) {
                case Kind::text:
                    record.append(formatText(items[next++], d.width));
                    break;
                case Kind::integer:
                    record.append(formatInteger(asInteger(items[next++]), d.width));
                    break;
                case Kind::real:
                    record.append(formatFixed(asReal(items[next++]), d.width, d.decimals));
                    break;
                case Kind::skip:
                    record.pendingBlanks += static_cast<std::size_t>(d.width);
                    break;
                case Kind::textLiteral:
                    record.append(d.literal);
                    break;
                case Kind::slash:
                    records.push_back(record.take());
                    break;
            }
        }
        // End of the list: done when the items are, else the list starts again on a new record.
        records.push_back(record.take());
        if (next == items.size() || !hasData) return records;
    }
}

void writeRecords(std::FILE* stream, std::string_view format, std::span<const WriteItem> items) {
    for (const std::string& record : formatRecords(format, items)) {
        std::fwrite(record.data(), 1, record.size(), stream);
        std::fputc('\n', stream);
    }
    std::fflush(stream);
}

RecordFile::RecordFile(std::string name) : name_(std::move(name)) {}

RecordFile::~RecordFile() {
    if (stream_ != nullptr) std::fclose(stream_);
}

void RecordFile::open() {
    int fd = ::open(name_.c_str(), O_RDWR | O_CREAT, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        fd = ::open(name_.c_str(), O_RDONLY);  // an existing file that may only be read
        if (fd < 0) errno = EACCES;
    }
    if (fd < 0) endRun(name_ + ": cannot open: " + std::strerror(errno));
    stream_ = ::fdopen(fd, (::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY ? "r" : "r+");
    if (stream_ == nullptr) {
        ::close(fd);
        endRun(name_ + ": cannot open: " + std::strerror(errno));
    }
}

void RecordFile::rewind() {
    next_ = 0;
}

void RecordFile::flush() {
    if (stream_ != nullptr) std::fflush(stream_);
}

void RecordFile::writeItems(std::string_view format, std::span<const WriteItem> items) {
    if (stream_ == nullptr) endRun(name_ + ": not open");
    if (!written_) {
        // The first record written replaces the file from the top.
        std::fflush(stream_);
        if (::ftruncate(::fileno(stream_), 0) != 0) {
            endRun(name_ + ": cannot write: " + std::strerror(errno));
        }
        std::rewind(stream_);
        written_ = true;
    }
    for (const std::string& record : formatRecords(format, items)) {
        std::fwrite(record.data(), 1, record.size(), stream_);
        std::fputc('\n', stream_);
    }
    if (std::ferror(stream_)) endRun(name_ + ": cannot write: " + std::strerror(errno));
}

void RecordFile::loadRecords() {
    if (loaded_) return;
    loaded_ = true;
    if (stream_ == nullptr) endRun(name_ + ": not open");
    std::string content;
    char buffer[65536];
    std::rewind(stream_);
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream_)) > 0) content.append(buffer, got);
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool lineEnd = end != std::string::npos;
        if (!lineEnd) end = content.size();
        std::size_t stop = end;
        if (lineEnd && stop > start && content[stop - 1] == '\r') --stop;  // CR LF ends a line too
        records_.push_back(content.substr(start, stop - start));
        start = end + 1;
    }
}

const std::string* RecordFile::nextRecord() {
    loadRecords();
    if (next_ >= static_cast<int32_t>(records_.size())) return nullptr;
    return &records_[static_cast<std::size_t>(next_++)];
}

ReadStatus RecordFile::fail(Exits exits, ReadStatus status, int32_t record,
                            const std::string& cause) {
    const bool handled =
        status == ReadStatus::endOfFile ? exits != Exits::none : exits == Exits::endOfFileAndError;
    if (!handled) endRun(name_ + ", record " + std::to_string(record) + ": " + cause);
    return status;
}

ReadStatus RecordFile::readItems(Exits exits, std::string_view format,
                                 std::span<const ReadItem> items) {
    const std::vector<EditDescriptor> list = parseEditDescriptors(format);
    const std::vector<Slot> slots = slotsOf(items);
    const std::string* record = nextRecord();
    if (record == nullptr) return fail(exits, ReadStatus::endOfFile, next_ + 1, "end of file");
    std::size_t column = 0;
    std::size_t next = 0;
    const auto field = [&](std::size_t width) {
        std::string text = column < record->size() ? record->substr(column, width) : std::string();
        text.resize(width, ' ');  // a record shorter than the list reads as blanks
        column += width;
        return text;
    };
    while (true) {
        for (const EditDescriptor& d : list) {
            if (d.takesItem() && next == slots.size()) return ReadStatus::ok;
            switch (d.kind) {
                case Kind::text: {
                    const Slot& slot = slots[next++];
                    const std::size_t width =
                        d.width < 0 ? slot.text.size() : static_cast<std::size_t>(d.width);
                    storeFormattedText(slot.text, field(width));
                    break;
                }
                case Kind::integer: {
                    const std::size_t start = column + 1;
                    std::string text = field(static_cast<std::size_t>(d.width));
                    std::string digits;
                    for (char c : text) {
                        if (c != ' ') digits += c;  // blanks in a numeric field are ignored
                    }
                    const std::optional<int32_t> value = digits.empty() ? 0 : parseInteger(digits);
                    if (!value) {
                        return fail(exits, ReadStatus::error, next_,
                                    "bad integer " + quoted(digits) + " in column " +
                                        std::to_string(start));
                    }
                    *slots[next++].integer = *value;
                    break;
                }
                case Kind::real:
                    throw std::invalid_argument("formatted reads of reals go through readReal");
                case Kind::skip:
                    column += static_cast<std::size_t>(d.width);
                    break;
                case Kind::textLiteral:
                    column += d.literal.size();
                    break;
                case Kind::slash:
                    record = nextRecord();
                    if (record == nullptr)
                        return fail(exits, ReadStatus::endOfFile, next_ + 1, "end of file");
                    column = 0;
                    break;
            }
        }
        if (next == slots.size() || !anyTakesItem(list)) return ReadStatus::ok;
        // More items than the list holds: the list starts again on the next record.
        record = nextRecord();
        if (record == nullptr) return fail(exits, ReadStatus::endOfFile, next_ + 1, "end of file");
        column = 0;
    }
}

ReadStatus RecordFile::readListItems(Exits exits, std::span<const ReadItem> items) {
    const std::vector<Slot> slots = slotsOf(items);
    std::size_t next = 0;
    bool started = false;
    bool afterValue = false;  // a value was taken and its comma not yet seen
    while (next < slots.size()) {
        const std::string* record = nextRecord();
        if (record == nullptr) return fail(exits, ReadStatus::endOfFile, next_ + 1, "end of file");
        if (!started && isBlankRecord(*record)) continue;  // blank records before the first item
        started = true;
        const std::string& text = *record;
        std::size_t pos = 0;
        while (next < slots.size()) {
            while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
            if (pos == text.size()) break;
            const char c = text[pos];
            if (c == ',') {
                ++pos;
                if (!afterValue) ++next;  // two commas in a row: a null value, item unchanged
                afterValue = false;
                continue;
            }
            if (c == '/') return ReadStatus::ok;  // a slash ends the read
            const std::size_t column = pos + 1;
            std::string_view value;
            bool quotedValue = false;
            if (c == '\'' || c == '"') {
                // Ends at the next same quote followed by a blank, tab, comma, slash or the end
                // of the record; else at the end of the record. Never spans records.
                quotedValue = true;
                std::size_t close = pos + 1;
                while (close < text.size()) {
                    const bool last = close + 1 == text.size();
                    if (text[close] == c &&
                        (last || isSeparator(text[close + 1]) || text[close + 1] == '/'))
                        break;
                    ++close;
                }
                value = std::string_view(text).substr(pos + 1, close - pos - 1);
                pos = close < text.size() ? close + 1 : close;
            } else {
                std::size_t end = pos;
                while (end < text.size() && !isSeparator(text[end]) && text[end] != '/') ++end;
                value = std::string_view(text).substr(pos, end - pos);
                pos = end;
            }
            const Slot& slot = slots[next];
            if (slot.integer == nullptr) {
                storeListText(slot.text, value);
            } else {
                const std::optional<int32_t> number =
                    quotedValue ? std::nullopt : parseInteger(value);
                if (!number) {
                    return fail(
                        exits, ReadStatus::error, next_,
                        "bad integer " + quoted(value) + " in column " + std::to_string(column));
                }
                *slot.integer = *number;
            }
            ++next;
            afterValue = true;
        }
    }
    return ReadStatus::ok;
}

}  // namespace molframe
