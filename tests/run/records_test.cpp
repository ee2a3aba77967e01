// Edit-descriptor lists written and read, list-directed reads and record files.
#include "run/records.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "run/failure.hpp"
#include "support/scratch.hpp"

namespace molframe {
namespace {

using Records = std::vector<std::string>;

Records format(std::string_view list, std::vector<WriteItem> items) {
    return formatRecords(list, items);
}

std::vector<WriteItem> integers(int32_t count) {
    std::vector<WriteItem> items;
    for (int32_t i = 1; i <= count; ++i) items.emplace_back(i % 10);
    return items;
}

TEST(FormatRecords, DescriptorsAndText) {
    EXPECT_EQ(
        format("(I4,X,3F10.5,4X,A4,X,A4)", {int32_t{3}, 0.5f, -0.25f, 0.0f,
                                            std::string_view("C1  "), std::string_view("C   ")}),
        Records{"   3    0.50000  -0.25000   0.00000    C1   C   "});
    EXPECT_EQ(format("(//,' TRANSFER MATRIX',/,3X,3F10.5,/,13X,2F10.5,/,23X,F10.5)",
                     {10.0f, 0.0f, 0.0f, 12.0f, 0.0f, 14.0f}),
              (Records{"", "", " TRANSFER MATRIX", "     10.00000   0.00000   0.00000",
                       "               12.00000   0.00000", "                         14.00000"}));
    // Text: doubled quotes, the other quote inside, nH with blanks, and a blank outside quotes.
    EXPECT_EQ(format("(1H0,'it''s',\"VL//\",2H a,  'x' )", {}), Records{"0it'sVL// ax"});
    EXPECT_EQ(format("(1H ,'RETURN')", {}), Records{" RETURN"});
    // A without width writes the whole text; Aw right-aligns a shorter one.
    EXPECT_EQ(format("(A,A6,A2)",
                     {std::string_view("ab"), std::string_view("cd"), std::string_view("xyz")}),
              Records{"ab    cdxy"});
    // nX only moves the position: nothing is written behind the last field.
    EXPECT_EQ(format("(I2,4X)", {int32_t{5}}), Records{" 5"});
}

TEST(FormatRecords, ReversionAndSlashes) {
    const Records twelve = format("(/,10I5)", integers(12));
    EXPECT_EQ(twelve, (Records{"", "    1    2    3    4    5    6    7    8    9    0", "",
                               "    1    2"}));

    const Records hundred = format("(80I1)", integers(100));
    ASSERT_EQ(hundred.size(), 2u);
    EXPECT_EQ(hundred[0].size(), 80u);
    EXPECT_EQ(hundred[1], "12345678901234567890");

    EXPECT_EQ(format("(I3,/)", {int32_t{4}}), (Records{"  4", ""}));
    EXPECT_EQ(format("(I3,/)", {int32_t{0}}), (Records{"  0", ""}));
    EXPECT_EQ(format("(10I5)", {}), Records{""});
    EXPECT_EQ(format("(/,' CENTER OF GRAVITY= (',3F10.5,'  )')", {0.0f, 0.0f, 0.0f}),
              (Records{"", " CENTER OF GRAVITY= (   0.00000   0.00000   0.00000  )"}));
}

TEST(FormatRecords, EigensolverDiagnosticLayout) {
    const Records lines = format(
        "(1H0,'(SUBR. EIGRS) NV=',I5,', NE=',I5,', N=',I5,', N1=',I5,1H,/1H ,'NV, NE, N, N1 SHOULD "
        "SATISFY THE FOLLOWING INEQUALITIES, !NV! <= !NE! <= N <= N1.' /1H ,'RETURN WITH NO "
        "CALCULATION.' )",
        {int32_t{4}, int32_t{-10000}, int32_t{3}, int32_t{3}});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "0(SUBR. EIGRS) NV=    4, NE=*****, N=    3, N1=    3,");
    EXPECT_EQ(lines[1].size(), 82u);
    EXPECT_EQ(lines[2], " RETURN WITH NO CALCULATION.");
}

/// A record file in a scratch folder.
struct FileCase {
    test::Scratch scratch;
    RecordFile file;
    explicit FileCase(const std::string& content) : file(scratch.file("data.txt")) {
        scratch.write("data.txt", content);
        file.open();
    }
};

TEST(FormattedRead, FieldsPaddingAndReversion) {
    FileCase c("_cell_length_a  10.1234\r\nab\n1 0 1\n");
    FixedText<16> tag = blankText<16>();
    EXPECT_EQ(c.file.read(Exits::none, "(A16,5X,A16)", tag), ReadStatus::ok);
    EXPECT_EQ(asView(tag), "_cell_length_a  ");
    FixedText<4> shortText = blankText<4>();
    EXPECT_EQ(c.file.read(Exits::none, "(A16)", shortText), ReadStatus::ok);
    EXPECT_EQ(asView(shortText), "    ");  // A16 into four characters keeps the rightmost four
    std::array<int32_t, 6> flags{9, 9, 9, 9, 9, 9};
    EXPECT_EQ(c.file.read(Exits::none, "(80I1)", std::span<int32_t>(flags)), ReadStatus::ok);
    EXPECT_EQ(flags, (std::array<int32_t, 6>{1, 0, 0, 0, 1, 0}));  // blanks and past-the-end read 0
    EXPECT_EQ(c.file.recordsRead(), 3);
}

TEST(FormattedRead, ReversionTakesTheNextRecord) {
    std::string first(80, '1');
    FileCase c(first + "\n" + "2\n");
    std::array<int32_t, 81> flags{};
    EXPECT_EQ(c.file.read(Exits::none, "(80I1)", std::span<int32_t>(flags)), ReadStatus::ok);
    EXPECT_EQ(flags[79], 1);
    EXPECT_EQ(flags[80], 2);
    EXPECT_EQ(c.file.recordsRead(), 2);
}

TEST(FormattedRead, EndOfFileAndBadIntegerExits) {
    FileCase c("1-1\n");
    std::array<int32_t, 3> flags{};
    EXPECT_EQ(c.file.read(Exits::endOfFileAndError, "(80I1)", std::span<int32_t>(flags)),
              ReadStatus::error);
    try {
        c.file.rewind();
        c.file.read(Exits::none, "(80I1)", std::span<int32_t>(flags));
        FAIL() << "a bad integer without an exit must end the run";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.message,
                  c.scratch.file("data.txt") + ", record 1: bad integer \"-\" in column 2");
    }
    FixedText<4> text{};
    EXPECT_EQ(c.file.read(Exits::endOfFile, "(A4)", text), ReadStatus::endOfFile);
    try {
        c.file.read(Exits::none, "(A4)", text);
        FAIL() << "end of file without an exit must end the run";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.message, c.scratch.file("data.txt") + ", record 2: end of file");
    }
}

TEST(ListRead, ItemsOverRecordsSkippingBlankOnes) {
    FileCase c("\n   \n_cell_length_b\n\n 9.8765(3) rest\nnext 1\n");
    ValueText tag = blankText<16>();
    ValueText value = blankText<16>();
    EXPECT_EQ(c.file.readList(Exits::none, tag, value), ReadStatus::ok);
    EXPECT_EQ(asView(tag), "_cell_length_b  ");
    EXPECT_EQ(asView(value), "9.8765(3)       ");
    Label label = blankText<4>();
    int32_t number = 0;
    EXPECT_EQ(c.file.readList(Exits::none, label, number),
              ReadStatus::ok);  // "rest" was passed over
    EXPECT_EQ(asView(label), "next");
    EXPECT_EQ(number, 1);
}

struct ListRow {
    const char* record;
    std::array<const char*, 3> texts;
};

TEST(ListRead, SeparatorsQuotesSlashAndNulls) {
    const ListRow rows[] = {
        {"a,b\tc", {"a     ", "b     ", "c     "}},
        {"a , b ,c", {"a     ", "b     ", "c     "}},
        {"'a dog's life' x y", {"a dog'", "x     ", "y     "}},
        {"'x''y' \"q r\" z", {"x''y  ", "q r   ", "z     "}},
        {"'unclosed text", {"unclos", "=     ", "=     "}},
        {"'' b c", {"      ", "b     ", "c     "}},
        {"a / b c", {"a     ", "=     ", "=     "}},
        {"a,,c", {"a     ", "=     ", "c     "}},
        {",b,c", {"=     ", "b     ", "c     "}},
        {"long_text_item b c", {"long_t", "b     ", "c     "}},
        {"a/b c d", {"a     ", "=     ", "=     "}},
    };
    for (const ListRow& row : rows) {
        FileCase c(std::string(row.record) + "\n");
        std::array<FixedText<6>, 3> texts;
        texts.fill(toFixedText<6>("="));
        // The quoted item never spans records: the read would go on into the next record,
        // which here does not exist, so one item-short rows end with an end-of-file status.
        const ReadStatus status = c.file.readList(Exits::endOfFile, texts[0], texts[1], texts[2]);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(asView(texts[i]), row.texts[i]) << row.record << " item " << i;
        }
        EXPECT_EQ(status == ReadStatus::ok, std::string(row.record) != "'unclosed text")
            << row.record;
    }
}

TEST(ListRead, IntegersAndTheirErrors) {
    FileCase c("5 /\n-3,+7\n5 x\n");
    int32_t first = 0;
    int32_t last = 0;
    EXPECT_EQ(c.file.readList(Exits::none, first, last), ReadStatus::ok);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(last, 0);  // left unchanged by the slash
    EXPECT_EQ(c.file.readList(Exits::none, first, last), ReadStatus::ok);
    EXPECT_EQ(first, -3);
    EXPECT_EQ(last, 7);
    EXPECT_EQ(c.file.readList(Exits::endOfFileAndError, first, last), ReadStatus::error);
    EXPECT_EQ(first, 5);
    try {
        c.file.readList(Exits::none, first, last);
        FAIL() << "end of file without an exit must end the run";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.message, c.scratch.file("data.txt") + ", record 4: end of file");
    }
}

TEST(ListRead, BadIntegerWithoutExitEndsTheRun) {
    FileCase c("  1 2.5\n");
    int32_t first = 0;
    int32_t last = 0;
    try {
        c.file.readList(Exits::none, first, last);
        FAIL() << "a bad integer must end the run";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.message,
                  c.scratch.file("data.txt") + ", record 1: bad integer \"2.5\" in column 5");
    }
}

TEST(ListRead, RewindStartsAgainAtTheFirstRecord) {
    FileCase c("one\ntwo\n");
    Label text{};
    c.file.readList(Exits::none, text);
    c.file.readList(Exits::none, text);
    c.file.rewind();
    c.file.readList(Exits::none, text);
    EXPECT_EQ(asView(text), "one ");
}

TEST(RecordFile, OpenCreatesAndTheFirstWriteReplaces) {
    test::Scratch scratch;
    {
        RecordFile created(scratch.file("new.dat"));
        created.open();
    }
    EXPECT_TRUE(scratch.exists("new.dat"));
    EXPECT_EQ(scratch.read("new.dat"), "");

    scratch.write("old.dat", "a much longer old content\nwith two records\n");
    {
        RecordFile kept(scratch.file("old.dat"));
        kept.open();  // opened and never written: the content stays
    }
    EXPECT_EQ(scratch.read("old.dat"), "a much longer old content\nwith two records\n");
    {
        RecordFile replaced(scratch.file("old.dat"));
        replaced.open();
        replaced.write("(I3)", int32_t{7});
        replaced.write("(A)", "x");
    }
    EXPECT_EQ(scratch.read("old.dat"), "  7\nx\n");
}

TEST(RecordFile, OpenInAFolderThatMayNotBeWrittenEndsTheRun) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    test::Scratch scratch;
    std::filesystem::permissions(
        scratch.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    RecordFile file(scratch.file("at.cif"));
    EXPECT_THROW(file.open(), RunFailure);
}

TEST(RecordFile, OpenOfAFolderEndsTheRunNamingTheFile) {
    test::Scratch scratch;
    std::filesystem::create_directory(scratch.path() / "at.dat");
    RecordFile file(scratch.file("at.dat"));
    try {
        file.open();
        FAIL() << "a folder cannot be opened as a record file";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.message, scratch.file("at.dat") + ": cannot open: Is a directory");
    }
}

}  // namespace
}  // namespace molframe
