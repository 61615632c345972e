// The 40-line design file: writing, decoding, reading back as Open does, hostile files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>

#include "TestCatalogue.h"
#include "design/DesignFile.h"

namespace coilsmith::test {
namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& end) {
    std::string out;
    for (const auto& line : lines) {
        out += line + end;
    }
    return out;
}

DesignFileLines parsed(std::string_view bytes) {
    auto result = parseDesignFile(bytes, "test.txt");
    if (auto* error = std::get_if<DesignFileError>(&result)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<DesignFileLines>(result);
}

class DesignFileTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { catalogue = std::make_unique<TempCatalogue>(workedTables()); }
    static void TearDownTestSuite() { catalogue.reset(); }
    void SetUp() override { f.create(catalogue->path()); }
    ChokeModel& m() { return *f.model; }

    // A completed design on the worked E-core.
    void completeDesign(ChokeModel& model) {
        model.editText("Ldes", "100");
        model.editText("DCC", "5");
        model.editText("ACC", "1");
        model.CAP_Click();
        model.setOption("ECore", true);
        model.setListText("Core", "ED");
        model.setListText("CoreMat", "M60");
        model.Design_Results();
    }

    static std::unique_ptr<TempCatalogue> catalogue;
    ModelFixture f;
};
std::unique_ptr<TempCatalogue> DesignFileTest::catalogue;

TEST_F(DesignFileTest, NewWindowWritesFortyLinesInControlOrder) {
    const std::string text = writeDesignFile(m());
    const auto lines = splitCrLf(text);
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[0], "False");
    EXPECT_EQ(lines[1], "False");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[28], "T");
    EXPECT_EQ(lines[29], "0.5");
    EXPECT_EQ(lines[38], "25");
    EXPECT_EQ(lines[39], "uH");
    EXPECT_TRUE(text.ends_with("uH\r\n"));
}

TEST_F(DesignFileTest, CompletedDesignRoundTrips) {
    completeDesign(m());
    ASSERT_TRUE(f.prompter.messages.empty());
    const std::string first = writeDesignFile(m());
    const auto lines = splitCrLf(first);
    EXPECT_EQ(lines[0], "True");
    EXPECT_EQ(lines[2], "ED");
    EXPECT_EQ(lines[5], "M60");
    EXPECT_EQ(lines[17], "37");

    ModelFixture other;
    other.create(catalogue->path());
    loadDesignFile(*other.model, parsed(first));
    EXPECT_TRUE(other.prompter.messages.empty());
    EXPECT_EQ(writeDesignFile(*other.model), first);
    EXPECT_EQ(other.model->selectedPage(), kSpecPage);
    EXPECT_TRUE(other.model->pageAvailable(kResultsPage));
    EXPECT_EQ(other.model->state().MatNo, "M60");
    EXPECT_DOUBLE_EQ(other.model->state().Lreq, 100e-6);

    other.model->Design_Results();
    EXPECT_EQ(writeDesignFile(*other.model), first);
}

TEST_F(DesignFileTest, DesignWithoutCoreTypeRunsNoCoreHandler) {
    m().CAP_Click();
    const std::string text = writeDesignFile(m());
    ModelFixture other;
    other.create(catalogue->path());
    loadDesignFile(*other.model, parsed(text));
    const ChokeModel& o = *other.model;
    EXPECT_FALSE(o.control("ECore").value);
    EXPECT_FALSE(o.control("Toroid").value);
    EXPECT_TRUE(o.control("Core").items.empty());
    EXPECT_TRUE(o.control("Core").enabled);
    EXPECT_EQ(o.text("APR"), "2.363");
    EXPECT_EQ(writeDesignFile(o), text);
}

TEST_F(DesignFileTest, UnitsReadFromTheFileRunTheirHandlers) {
    auto lines = splitCrLf(writeDesignFile(m()));
    lines[39] = "mH";   // Lunit
    lines[31] = "800";  // CurD
    lines[30] = "0.7";  // WU
    lines[28] = "mT";   // Bunit
    lines[32] = "GHz";  // Funit: not an item, stays kHz
    loadDesignFile(m(), parsed(joinLines(lines, "\n")));
    EXPECT_EQ(m().state().Lfac, 1e-3);
    EXPECT_EQ(m().state().Jdes, 8e6);
    EXPECT_EQ(m().state().Ku, 0.7f);
    EXPECT_EQ(m().state().Bfac, 1e-3);
    EXPECT_EQ(m().text("Funit"), "kHz");
}

TEST_F(DesignFileTest, TruncatedFileIsRejectedAndChangesNothing) {
    completeDesign(m());
    auto lines = splitCrLf(writeDesignFile(m()));
    lines.resize(39);
    auto result = parseDesignFile(joinLines(lines, "\r\n"), "/tmp/short.txt");
    ASSERT_TRUE(std::holds_alternative<DesignFileError>(result));
    const std::string message = std::get<DesignFileError>(result).message;
    EXPECT_NE(message.find("/tmp/short.txt"), std::string::npos);
    EXPECT_NE(message.find("not a complete design file"), std::string::npos);

    const std::string before = writeDesignFile(m());
    loadDesignFile(m(), DesignFileLines{lines});  // a short list is refused here too
    EXPECT_EQ(writeDesignFile(m()), before);
}

TEST(DesignFileRead, UnreadableFileIsAnErrorNamingIt) {
    const auto result = readDesignFile("/nonexistent/design.txt");
    ASSERT_TRUE(std::holds_alternative<DesignFileError>(result));
    EXPECT_NE(std::get<DesignFileError>(result).message.find("/nonexistent/design.txt"),
              std::string::npos);
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string firstLine;
    std::string lastLine;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

class DesignFileDecoding : public ::testing::TestWithParam<DecodeCase> {};

std::string fortyLines(const std::string& first, const std::string& end) {
    std::string out = first + end;
    for (int i = 2; i < 40; ++i) {
        out += "x" + std::to_string(i) + end;
    }
    return out + "last" + end;
}

TEST_P(DesignFileDecoding, DecodesLines) {
    const DesignFileLines lines = parsed(GetParam().bytes);
    ASSERT_EQ(lines.lines.size(), 40u);
    EXPECT_EQ(lines.lines.front(), GetParam().firstLine);
    EXPECT_EQ(lines.lines.back(), GetParam().lastLine);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DesignFileDecoding,
    ::testing::Values(
        DecodeCase{"CrLf", fortyLines("a", "\r\n"), "a", "last"},
        DecodeCase{"Lf", fortyLines("a", "\n"), "a", "last"},
        DecodeCase{"NoFinalLineEnd",
                   fortyLines("a", "\n").substr(0, fortyLines("a", "\n").size() - 1), "a", "last"},
        DecodeCase{"ByteOrderMark", "\xEF\xBB\xBF" + fortyLines("E50", "\r\n"), "E50", "last"},
        DecodeCase{"Utf8Kept", fortyLines("\xC2\xB5H", "\r\n"), "\xC2\xB5H", "last"},
        DecodeCase{"Windows1252", fortyLines("\xB5H \x80", "\r\n"), "\xC2\xB5H \xE2\x82\xAC",
                   "last"},
        DecodeCase{"ExtraLinesIgnored", fortyLines("a", "\n") + "41\n42\n", "a", "last"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FlagCase {
    const char* line;
    bool value;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
    *os << "\"" << c.line << "\"";
}

class DesignFileFlags : public ::testing::TestWithParam<FlagCase> {};

TEST_P(DesignFileFlags, ConvertsLikeABoolean) {
    EXPECT_EQ(designFileFlag(GetParam().line), GetParam().value) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Flags, DesignFileFlags,
                         ::testing::Values(FlagCase{"True", true}, FlagCase{"tRuE", true},
                                           FlagCase{"TRUE", true}, FlagCase{" True ", true},
                                           FlagCase{"False", false}, FlagCase{"-1", true},
                                           FlagCase{"1e308", true}, FlagCase{"0", false},
                                           FlagCase{"0.0", false}, FlagCase{"yes", false},
                                           FlagCase{"", false}, FlagCase{"1e999", false}));

// Files nobody should write, read as the command-line tool and the window read them: each
// is either rejected with a message or loaded without a crash.
class HostileFiles : public DesignFileTest {
  protected:
    void readAndLoad(const std::string& bytes) {
        auto result = parseDesignFile(bytes, "hostile.txt");
        if (auto* lines = std::get_if<DesignFileLines>(&result)) {
            loadDesignFile(m(), *lines);
            m().Design_Results();
            EXPECT_EQ(splitCrLf(writeDesignFile(m())).size(), 40u);
        } else {
            EXPECT_FALSE(std::get<DesignFileError>(result).message.empty());
        }
    }
};

TEST_F(HostileFiles, EmptyAndShortFilesAreRejected) {
    for (const std::string& bytes :
         {std::string(), std::string("\r\n"), joinLines(std::vector<std::string>(39, "1"), "\n")}) {
        EXPECT_TRUE(std::holds_alternative<DesignFileError>(parseDesignFile(bytes, "h.txt")));
    }
}

TEST_F(HostileFiles, BinaryGarbage) {
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(4096, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xFF);
        }
        readAndLoad(bytes);
    }
}

TEST_F(HostileFiles, OddFlagsAndHugeNumbers) {
    auto lines = splitCrLf(writeDesignFile(m()));
    lines[0] = "tRUE";
    lines[2] = "EW";
    lines[5] = "M60";
    lines[38] = "1e308";  // Ldes: AP overflows, the sizing step is skipped
    lines[29] = "1e-308";
    readAndLoad(joinLines(lines, "\r\n"));
    EXPECT_TRUE(m().control("ECore").value);
    EXPECT_EQ(m().text("ACORE"), "0.4");
}

// Files and paths that are no design file, read as Open reads them. The bounds: at most
// 64 KiB = 65,536 bytes, no NUL, lines of at most 4,096 characters (one UTF-8 "µ" is two
// bytes but one character). An empty `refusal` means the file is read as a design.
struct ForeignInput {
    const char* name;
    std::function<std::string(const std::filesystem::path& folder)> make;  // gives the path
    const char* refusal;
};

void PrintTo(const ForeignInput& c, std::ostream* os) {
    *os << c.name;
}

std::string fileHolding(const std::filesystem::path& folder, const std::string& bytes) {
    const auto path = folder / "input.txt";
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

// A valid design followed by ignored lines, `size` bytes in all.
std::string designOfSize(std::size_t size) {
    std::string bytes = fortyLines("a", "\r\n");
    while (size - bytes.size() > 4001) {
        bytes += std::string(4000, 'x') + "\n";
    }
    return bytes + std::string(size - bytes.size() - 1, 'x') + "\n";
}

std::string designWithFirstLine(const std::string& line) {
    return fortyLines("a", "\r\n").replace(0, 1, line);
}

std::string randomBytes(std::size_t size) {
    std::mt19937 random(99);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

class ForeignInputs : public ::testing::TestWithParam<ForeignInput> {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("coilsmith-foreign-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

TEST_P(ForeignInputs, AreRefusedNamingThePath) {
    const std::string path = GetParam().make(folder);
    const auto result = readDesignFile(path);
    const std::string refusal = GetParam().refusal;
    if (refusal.empty()) {
        EXPECT_TRUE(std::holds_alternative<DesignFileLines>(result));
        return;
    }
    ASSERT_TRUE(std::holds_alternative<DesignFileError>(result));
    EXPECT_EQ(std::get<DesignFileError>(result).message, path + refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ForeignInputs,
    ::testing::Values(
        ForeignInput{"Of64KiB", [](const auto& d) { return fileHolding(d, designOfSize(65536)); },
                     ""},
        ForeignInput{"LargerThan64KiB",
                     [](const auto& d) { return fileHolding(d, designOfSize(65537)); },
                     " is not a Coilsmith design file"},
        ForeignInput{"TenMegabytesOfNoise",
                     [](const auto& d) { return fileHolding(d, randomBytes(10 << 20)); },
                     " is not a Coilsmith design file"},
        ForeignInput{"NulByte",
                     [](const auto& d) {
                         return fileHolding(d, designWithFirstLine(std::string{'2', '\0', '5'}));
                     },
                     " is not a Coilsmith design file"},
        ForeignInput{"LineOf4096Characters",
                     [](const auto& d) {
                         std::string line;
                         for (int i = 0; i < 4096; ++i) {
                             line += "\xC2\xB5";
                         }
                         return fileHolding(d, designWithFirstLine(line));
                     },
                     ""},
        ForeignInput{"LineOf4097Characters",
                     [](const auto& d) {
                         return fileHolding(d, designWithFirstLine(std::string(4097, '9')));
                     },
                     " is not a Coilsmith design file"},
        ForeignInput{"Folder", [](const auto& d) { return d.string(); }, " is a folder"},
        ForeignInput{"EndlessDevice", [](const auto&) { return std::string("/dev/zero"); },
                     " is not a Coilsmith design file"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace coilsmith::test
