#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "SyntheticChoke.h"
#include "coilsmith/Version.h"
#include "spice/ChokeSubcircuit.h"

namespace coilsmith::spice {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The numbers of the pwl table as the netlist writes them: ψ1, i1, ψ2, i2, ….
std::vector<double> tableNumbers(const std::vector<std::string>& lines) {
    std::vector<double> numbers;
    for (std::string line : lines) {
        if (line.empty() || line.front() != '+')
            continue;
        std::replace_if(
            line.begin() + 1, line.end(), [](char c) { return c == ',' || c == ')'; }, ' ');
        std::istringstream words(line.substr(1));
        for (double value = 0; words >> value;)
            numbers.push_back(value);
    }
    return numbers;
}

TEST(WriteChokeSubcircuit, WritesTheTopologyAndARisingTableWithinTheLineLimit) {
    ChokeModelInput input = test::syntheticChoke();
    input.headerLines = {"Design: T106-26, 30 turns", "Two lines\nV1 1 0 1"};
    const std::string text = writeChokeSubcircuit(input);
    // A line break in a header line cannot start a card.
    EXPECT_TRUE(text.starts_with("* Design: T106-26, 30 turns\n* Two lines\n* V1 1 0 1\n"));
    const std::vector<std::string> lines = linesOf(text);
    std::vector<std::string> cards;
    for (const std::string& line : lines) {
        EXPECT_TRUE(line.front() == '*' || line.size() <= std::size_t{kLongestLine}) << line;
        if (line.front() != '*' && line.front() != '+')
            cards.push_back(line);
    }
    EXPECT_TRUE(std::ranges::any_of(lines, [](const std::string& line) {
        return line.front() == '*' && line.find(kVersionText) != std::string::npos;
    }));
    // Rcore = (2·L(5 A)·ΔI·f)²/P = 12²/0.05 = 2880 Ω (SyntheticChoke.h).
    ASSERT_EQ(cards.size(), 8u);
    EXPECT_NEAR(std::stod(cards[2].substr(10)), 2880, 1e-6) << cards[2];
    cards[2] = "Rcore w 2 2880";
    EXPECT_EQ(cards,
              (std::vector<std::string>{".subckt CHOKE 1 2", "Rw 1 w 0.02", "Rcore w 2 2880",
                                        "Gpsi 0 psi w 2 1", "Cpsi psi 0 1", "Rpsi psi 0 1e+12",
                                        "Bw w 2 I = pwl(v(psi),", ".ends CHOKE"}));

    // 2·100 + 1 table points and one past each end: ψ and i rise together, odd in i, and the
    // table spans ±3·Ipk = ±16.338 A.
    const std::vector<double> numbers = tableNumbers(lines);
    ASSERT_EQ(numbers.size(), 2u * (2 * kDefaultPointsPerSide + 3));
    const std::size_t points = numbers.size() / 2;
    for (std::size_t k = 0; k < points; ++k) {
        EXPECT_TRUE(k == 0 || (numbers[2 * k] > numbers[2 * k - 2] &&
                               numbers[2 * k + 1] > numbers[2 * k - 1]))
            << k;
        EXPECT_EQ(numbers[2 * k], -numbers[2 * (points - 1 - k)]);
        EXPECT_EQ(numbers[2 * k + 1], -numbers[2 * (points - 1 - k) + 1]);
    }
    EXPECT_NEAR(numbers[2 * (points - 2) + 1], 3 * peakCurrentA(input), 1e-6);
}

TEST(WriteChokeSubcircuit, LeavesOutTheResistancesThatAreZero) {
    ChokeModelInput input = test::syntheticChoke();
    input.windingResistanceOhm = 0;
    input.coreLossW = 0;
    const std::string text = writeChokeSubcircuit(input);
    EXPECT_EQ(text.find("\nRw "), std::string::npos);
    EXPECT_EQ(text.find("\nRcore "), std::string::npos);
    EXPECT_EQ(text.find("Rcore: core loss"), std::string::npos);  // nor its comment
    EXPECT_NE(text.find("\nGpsi 0 psi 1 2 1\n"), std::string::npos);
    EXPECT_NE(text.find("\nBw 1 2 I = pwl(v(psi),\n"), std::string::npos);
}

// V rms = L·ΔI·f/√(D·(1 − D)) for L = 100 µH, ΔI = 1 A, f = 100 kHz, P = 0.5 W:
//   D = 0.5:  V = 10/0.5 = 20 V, R = 400/0.5 = 800 Ω;
//   D = 0.25: V = 10/√0.1875 = 23.094 V, R = 533.33/0.5 = 1066.67 Ω.
TEST(CoreLossResistance, IsTheRmsRippleVoltageSquaredOverTheLoss) {
    ChokeModelInput input;
    input.inductance = [](double) { return 100e-6; };
    input.dcCurrentA = 3;
    input.ripplePeakToPeakA = 1;
    input.frequencyHz = 100e3;
    input.coreLossW = 0.5;
    EXPECT_NEAR(rippleRmsVoltageV(input), 20, 1e-9);
    EXPECT_NEAR(coreLossResistanceOhm(input), 800, 1e-9);
    input.dutyCycle = 0.25;
    EXPECT_NEAR(coreLossResistanceOhm(input), 3200.0 / 3, 1e-9);
    EXPECT_DOUBLE_EQ(peakCurrentA(input), 3.5);
    // The volt-seconds of a ripple specified at 150 µH: V = 15/√0.1875 = 34.641 V.
    input.rippleInductanceH = 150e-6;
    EXPECT_NEAR(rippleRmsVoltageV(input), 15 / std::sqrt(0.1875), 1e-9);
    input.coreLossW = 0;
    EXPECT_EQ(coreLossResistanceOhm(input), 0);
}

TEST(WriteChokeSubcircuit, RefusesWhatMakesNoModel) {
    using Change = void (*)(ChokeModelInput&);
    const std::pair<Change, const char*> rows[] = {
        {[](ChokeModelInput& in) { in.name = "2choke"; },
         "\"2choke\" is not a subcircuit name: use a letter, then letters, digits or _"},
        {[](ChokeModelInput& in) { in.name = "my choke"; },
         "\"my choke\" is not a subcircuit name: use a letter, then letters, digits or _"},
        {[](ChokeModelInput& in) { in.inductance = nullptr; },
         "The model needs an inductance curve"},
        {[](ChokeModelInput& in) { in.dcCurrentA = -1; },
         "The DC current must be zero or above, not -1 A"},
        {[](ChokeModelInput& in) { in.dcCurrentA = in.ripplePeakToPeakA = in.coreLossW = 0; },
         "The model needs a DC current or a ripple above zero"},
        {[](ChokeModelInput& in) { in.frequencyHz = 0; },
         "The frequency must be above zero, not 0 Hz"},
        {[](ChokeModelInput& in) { in.dutyCycle = 1; },
         "The duty cycle must lie between 0 and 1, not 1"},
        {[](ChokeModelInput& in) { in.windingResistanceOhm = -0.5; },
         "The winding resistance must be zero or above, not -500 mOhm"},
        {[](ChokeModelInput& in) { in.coreLossW = std::nan(""); },
         "The core loss must be a finite number"},
        {[](ChokeModelInput& in) { in.ripplePeakToPeakA = 0; },
         "A core loss needs a ripple to set its parallel resistance"},
        {[](ChokeModelInput& in) { in.airCoreInductanceH = -1e-6; },
         "The air-core inductance must be above zero, not -1 \u00b5H"}};
    for (const auto& [change, message] : rows) {
        ChokeModelInput input = test::syntheticChoke();
        change(input);
        try {
            writeChokeSubcircuit(input);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const SpiceModelError& e) {
            EXPECT_EQ(e.what(), std::string(message));
        }
    }
}

TEST(SpiceName, KeepsWhatSpiceTakes) {
    const std::pair<const char*, const char*> rows[] = {
        {"CHOKE_1", "CHOKE_1"},         {"my choke 2", "my_choke_2"}, {"2x", "L_2x"}, {"", "L_"},
        {"T106-26.txt", "T106_26_txt"}, {"azAZ09_", "azAZ09_"}};
    for (const auto& [text, name] : rows)
        EXPECT_EQ(spiceName(text), name);
}

TEST(AsciiText, SpellsOutTheSymbolsSimulatorsCannotRead) {
    EXPECT_EQ(asciiText("52.0 \u00b0C within 125 \u00b0C; 5 \u00b5H, 3 m\u2126"),
              "52.0 deg. C within 125 deg. C; 5 uH, 3 mOhm");
}

}  // namespace
}  // namespace coilsmith::spice
