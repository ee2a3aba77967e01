#include "run/edit_descriptors.hpp"

#include <cctype>
#include <stdexcept>

namespace molframe {

namespace {

class DescriptorParser {
  public:
    explicit DescriptorParser(std::string_view format) : format_(format) {}

    std::vector<EditDescriptor> parse() {
        skipBlanks();
        expect('(');
        while (true) {
            skipBlanks();
            if (atEnd()) fault("missing closing parenthesis");
            const char c = format_[pos_];
            if (c == ')') break;
            if (c == ',') {
                ++pos_;
                continue;
            }
            parseOne();
        }
        return descriptors_;
    }

  private:
    bool atEnd() const { return pos_ >= format_.size(); }
    [[noreturn]] void fault(const char* what) const {
        throw std::invalid_argument(std::string("edit descriptors \"") + std::string(format_) +
                                    "\": " + what);
    }
    void skipBlanks() {
        while (!atEnd() && format_[pos_] == ' ') ++pos_;
    }
    void expect(char c) {
        if (atEnd() || format_[pos_] != c) fault("unexpected character");
        ++pos_;
    }
    bool digitNext() const {
        return !atEnd() && std::isdigit(static_cast<unsigned char>(format_[pos_]));
    }
    int32_t number() {
        int32_t value = 0;
        while (digitNext()) value = value * 10 + (format_[pos_++] - '0');
        return value;
    }
    char upperNext() {
        if (atEnd()) fault("descriptor missing");
        return static_cast<char>(std::toupper(static_cast<unsigned char>(format_[pos_++])));
    }

    void add(EditDescriptor d, int32_t repeat) {
        for (int32_t i = 0; i < repeat; ++i) descriptors_.push_back(d);
    }

    void parseQuoted() {
        const char quote = format_[pos_++];
        EditDescriptor d;
        while (true) {
            if (atEnd()) fault("unterminated text");
            const char c = format_[pos_++];
            if (c == quote) {
                if (!atEnd() && format_[pos_] == quote) {
                    d.literal += quote;  // a doubled quote stands for one
                    ++pos_;
                    continue;
                }
                break;
            }
            d.literal += c;
        }
        add(d, 1);
    }

    void parseOne() {
        const char c = format_[pos_];
        if (c == '\'' || c == '"') return parseQuoted();
        if (c == '/') {
            ++pos_;
            add(EditDescriptor{EditDescriptor::Kind::slash, 0, 0, {}}, 1);
            return;
        }
        const bool counted = digitNext();
        const int32_t count = counted ? number() : 1;
        const char letter = upperNext();
        EditDescriptor d;
        switch (letter) {
            case 'H':  // nH: the next n characters, blanks included
                if (!counted || pos_ + count > format_.size()) fault("bad H text");
                d.literal = std::string(format_.substr(pos_, count));
                pos_ += count;
                return add(d, 1);
            case 'X':
                d.kind = EditDescriptor::Kind::skip;
                d.width = count;
                return add(d, 1);
            case '/':
                d.kind = EditDescriptor::Kind::slash;
                return add(d, count);
            case 'A':
                d.kind = EditDescriptor::Kind::text;
                d.width = digitNext() ? number() : -1;
                return add(d, count);
            case 'I':
                d.kind = EditDescriptor::Kind::integer;
                if (!digitNext()) fault("I needs a width");
                d.width = number();
                return add(d, count);
            case 'F':
                d.kind = EditDescriptor::Kind::real;
                if (!digitNext()) fault("F needs a width");
                d.width = number();
                expect('.');
                if (!digitNext()) fault("F needs decimals");
                d.decimals = number();
                return add(d, count);
            default:
                fault("unknown descriptor");
        }
    }

    std::string_view format_;
    std::size_t pos_ = 0;
    std::vector<EditDescriptor> descriptors_;
};

}  // namespace

std::vector<EditDescriptor> parseEditDescriptors(std::string_view format) {
    return DescriptorParser(format).parse();
}

}  // namespace molframe
