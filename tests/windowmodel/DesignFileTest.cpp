// The 40-line design file: writing, decoding, reading back as Open does, hostile files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TestCatalogue.h"
#include "windowmodel/DesignFile.h"

namespace coilsmith::test {

using Lines = std::vector<std::string>;
using ReadResult = std::variant<DesignFileLines, DesignFileError>;

static Lines linesOf(const std::string& text) {
    return std::get<DesignFileLines>(parseDesignFile(text, "t.txt")).lines;
}

static std::string joinLines(const Lines& lines, const std::string& end) {
    std::string out;
    for (const auto& line : lines) {
        out += line + end;
    }
    return out;
}

// A read design as "first line|last line", a refused one as its message.
static std::string outcome(const ReadResult& result) {
    const auto* error = std::get_if<DesignFileError>(&result);
    const auto* read = std::get_if<DesignFileLines>(&result);
    return error                      ? error->message
           : read->lines.size() != 40 ? "not 40 lines"
                                      : read->lines.front() + "|" + read->lines.back();
}

// Lines `first`, x2 .. x39 and "last", each ended by `end`.
static std::string fortyLines(const std::string& first, const std::string& end) {
    std::string out = first + end;
    for (int i = 2; i < 40; ++i) {
        out += "x" + std::to_string(i) + end;
    }
    return out + "last" + end;
}

class DesignFileTest : public WorkedTablesTest {
  protected:
    // A second window that opens `bytes` as Open does.
    ChokeModel& opened(const std::string& bytes) {
        otherPrompter.clear();
        other.emplace(ChokeModel::Options{"/opt/coilsmith", catalogue->path(), {}}, otherPrompter);
        const ReadResult result = parseDesignFile(bytes, "test.txt");
        EXPECT_EQ(outcome(result).find(" is not a "), std::string::npos) << outcome(result);
        loadDesignFile(*other, std::get<DesignFileLines>(result));
        return *other;
    }

    FakePrompter otherPrompter;
    std::optional<ChokeModel> other;
};

TEST_F(DesignFileTest, DesignsWithoutCoreTypeAndCompletedRoundTrip) {
    m().setListText("Lunit", "mH");  // its handler runs on Open: 25 mH is sized again
    m().calculateAreaProduct();
    const std::string text = writeDesignFile(m());
    const Lines lines = linesOf(text);
    EXPECT_EQ(joinLines(lines, "\r\n"), text);  // forty lines in control order, ended by CR LF
    EXPECT_EQ(lines[0] + "|" + lines[1] + "|" + lines[2] + "|" + lines[5] + "|" + lines[28] + "|" +
                  lines[29] + "|" + lines[38] + "|" + lines[39],
              "False|False|||T|0.5|25|mH");
    const ChokeModel& bare = opened(text);  // no core type: no core handler runs
    EXPECT_FALSE(bare.control("ECore").value || bare.control("Toroid").value);
    EXPECT_TRUE(bare.control("Core").items.empty() && bare.control("Core").enabled);
    EXPECT_EQ(bare.text("APR"), "2363.281");
    EXPECT_EQ(writeDesignFile(bare), text);

    recreate();
    runWorkedExample();
    const std::string first = writeDesignFile(m());
    const Lines designed = linesOf(first);
    EXPECT_EQ(designed[0] + " " + designed[2] + " " + designed[5] + " " + designed[17],
              "True ED M60 37");
    ChokeModel& o = opened(first);
    EXPECT_EQ(writeDesignFile(o), first);
    EXPECT_TRUE(o.selectedPage() == kSpecPage && o.pageAvailable(kResultsPage));
    o.runDesign();  // the file's core and material were chosen: the same 37 turns
    EXPECT_EQ(writeDesignFile(o), first);
}

// A core or material of the file that cannot be chosen is said once, as is a refused input;
// odd or huge lines are read as they are.
TEST_F(DesignFileTest, CoreOrMaterialThatCannotBeChosenIsSaidAfterTheOthers) {
    runWorkedExample();
    const Lines good = linesOf(writeDesignFile(m()));
    const std::tuple<std::size_t, const char*, const char*> rows[] = {
        {2, "E999", "The core E999 of this design is not in the catalogue"},
        {5, "-99", "The material -99 of this design is not listed for the core ED"},
        {5, "M01", "The material M01 of this design is not listed for the core ED"},
        {38, "abc", "Re-Enter Inductance Value"},
        {0, "False", ""},  // no core type: the core page shows none chosen
        {5, "", ""},
        {38, "1e308", ""},  // the area product overflows: the sizing step is skipped
        {32, "GHz", ""}};   // not an item of the frequency units
    for (const auto& [line, text, message] : rows) {
        Lines lines = good;
        lines[line] = text;
        EXPECT_EQ(opened(joinLines(lines, "\r\n")).text("Funit"), "kHz");
        EXPECT_EQ(otherPrompter.messages, *message ? Lines{message} : Lines{}) << text;
    }
}

TEST(DesignFileDecoding, DecodesLinesOrRefusesTooFew) {
    const std::string lf = fortyLines("a", "\n");
    const std::string tooFew = " is not a complete design file: it has ";
    const std::pair<std::string, std::string> rows[] = {
        {fortyLines("a", "\r\n"), "a|last"},
        {lf, "a|last"},
        {lf.substr(0, lf.size() - 1), "a|last"},                            // no final line end
        {"\xEF\xBB\xBF" + fortyLines("E50", "\r\n"), "E50|last"},           // byte-order mark
        {fortyLines("\xC2\xB5H", "\r\n"), "\xC2\xB5H|last"},                // UTF-8 kept
        {fortyLines("\xB5H \x80", "\r\n"), "\xC2\xB5H \xE2\x82\xAC|last"},  // Windows-1252
        {lf + "41\n42\n", "a|last"},                                        // extra lines ignored
        {"", "h.txt" + tooFew + "0 of 40 lines."},
        {"\r\n", "h.txt" + tooFew + "1 of 40 lines."},
        {joinLines(Lines(39, "1"), "\n"), "h.txt" + tooFew + "39 of 40 lines."}};
    for (const auto& [bytes, expected] : rows) {
        EXPECT_EQ(outcome(parseDesignFile(bytes, "h.txt")), expected);
    }
}

// Files and paths that are no design file, read as Open reads them. The bounds: 64 KiB =
// 65,536 bytes, no NUL, lines of 4,096 characters (one UTF-8 "µ" is two bytes, one character).
TEST(DesignFileRead, ForeignInputsAreRefusedNamingThePath) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("coilsmith-foreign-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto file = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    };
    const auto withFirstLine = [](const std::string& line) {
        return fortyLines("a", "\r\n").replace(0, 1, line);
    };
    const auto ofSize = [](std::size_t size) {  // a design followed by ignored empty lines
        const std::string design = fortyLines("a", "\r\n");
        return design + std::string(size - design.size(), '\n');
    };
    std::string micros;  // 4,096 characters
    while (micros.size() < 2 * 4096)
        micros += "\xC2\xB5";
    const std::string no = " is not a Coilsmith design file";
    const std::pair<std::string, std::string> rows[] = {
        // path, its refusal ("" for none)
        {file("64k", ofSize(65536)), ""},
        {file("64k+1", ofSize(65537)), no},
        {file("nul", withFirstLine(std::string{'2', '\0', '5'})), no},
        {file("4096", withFirstLine(micros)), ""},
        {file("4097", withFirstLine(std::string(4097, '9'))), no},
        {folder.string(), " is a folder"},
        {"/dev/zero", no}};
    for (const auto& [path, refused] : rows) {
        const ReadResult result = readDesignFile(path);
        EXPECT_EQ(result.index() == 0 ? "" : outcome(result),
                  refused.empty() ? "" : path + refused);
    }
    EXPECT_EQ(outcome(readDesignFile("/nonexistent/design.txt")),
              "Cannot read the design file /nonexistent/design.txt");
    std::filesystem::remove_all(folder);
}

}  // namespace coilsmith::test
