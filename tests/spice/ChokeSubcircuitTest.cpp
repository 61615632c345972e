#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "SyntheticChoke.h"
#include "spice/ChokeSubcircuit.h"

namespace coilsmith::spice {
namespace {

TEST(WriteChokeSubcircuit, WritesTheTopologyAndARisingTableWithinTheLineLimit) {
    ChokeModelInput input = test::syntheticChoke();
    input.headerLines = {"Design: T106-26, 30 turns", "Two lines\nV1 1 0 1"};
    const std::string text = writeChokeSubcircuit(input);
    // A line break in a header line cannot start a card.
    EXPECT_TRUE(text.starts_with("* Design: T106-26, 30 turns\n* Two lines\n* V1 1 0 1\n"));
    std::vector<std::string> cards;
    std::vector<double> numbers;  // of the pwl table: ψ1, i1, ψ2, i2, …
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(line.front() == '*' || line.size() <= std::size_t{kLongestLine}) << line;
        if (line.front() == '+') {
            line.front() = ' ';
            std::replace_if(
                line.begin(), line.end(), [](char c) { return c == ',' || c == ')'; }, ' ');
            std::istringstream words(line);
            for (double value = 0; words >> value;)
                numbers.push_back(value);
        } else if (line.front() != '*') {
            cards.push_back(line);
        }
    }
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
    ASSERT_EQ(numbers.size(), 2u * (2 * kDefaultPointsPerSide + 3));
    const std::size_t points = numbers.size() / 2;
    for (std::size_t k = 1; k < points; ++k) {
        EXPECT_TRUE(numbers[2 * k] > numbers[2 * k - 2] && numbers[2 * k + 1] > numbers[2 * k - 1])
            << k;
        EXPECT_EQ(numbers[2 * k], -numbers[2 * (points - 1 - k)]);
    }
    EXPECT_NEAR(numbers[2 * (points - 2) + 1], 3 * peakCurrentA(input), 1e-6);
}

// V rms = L·ΔI·f/√(D·(1 − D)), where L(5 A)·ΔI·f = 6 V for the synthetic choke:
//   D = 0.25: V = 6/√0.1875 = 13.856 V, R = 192/0.05 = 3840 Ω;
//   with the ripple set at 150 % of L(5 A): V = 9/√0.1875 = 20.785 V.
TEST(CoreLossResistance, IsTheRmsRippleVoltageSquaredOverTheLoss) {
    ChokeModelInput input = test::syntheticChoke();
    input.dutyCycle = 0.25;
    EXPECT_NEAR(coreLossResistanceOhm(input), 3840, 1e-6);
    input.rippleInductanceH = 1.5 * test::syntheticInductanceH(5);
    EXPECT_NEAR(rippleRmsVoltageV(input), 9 / std::sqrt(0.1875), 1e-9);
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
        {[](ChokeModelInput& in) { in.coreLossW = std::nan(""); },
         "The core loss must be a finite number"},
        {[](ChokeModelInput& in) { in.ripplePeakToPeakA = 0; },
         "A core loss needs a ripple to set its parallel resistance"},
    };
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

TEST(AsciiText, SpellsOutTheSymbolsSimulatorsCannotRead) {
    EXPECT_EQ(asciiText("52.0 \u00b0C within 125 \u00b0C; 5 \u00b5H, 3 m\u2126"),
              "52.0 deg. C within 125 deg. C; 5 uH, 3 mOhm");
}

}  // namespace
}  // namespace coilsmith::spice
