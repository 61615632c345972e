#include <gtest/gtest.h>

#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "SyntheticChoke.h"
#include "spice/ChokeSubcircuit.h"

// The written model run in ngspice: what the simulator makes of it must be the choke the
// model was written from.
namespace coilsmith::spice {
namespace {

using Measurements = std::map<std::string, double>;

std::string text(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

class NgspiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("command -v ngspice > /dev/null 2>&1") != 0)
            GTEST_SKIP() << "ngspice is not installed (Debian package ngspice; tools/dev.sh test "
                            "installs it), so the model was not simulated";
        dir = std::filesystem::temp_directory_path() /
              ("coilsmith-ngspice-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        if (!dir.empty())
            std::filesystem::remove_all(dir);
    }

    // Runs the circuit (which uses the model as CHOKE) in batch mode and returns what its
    // "meas" lines printed as "name = value".
    Measurements simulate(const ChokeModelInput& choke, const std::string& circuit) const {
        std::ofstream(dir / "choke.lib") << writeChokeSubcircuit(choke);
        std::ofstream(dir / "circuit.cir")
            << "* Coilsmith model test\n.include " << (dir / "choke.lib").string() << "\n"
            << circuit << ".end\n";
        const std::string command =
            "cd '" + dir.string() + "' && ngspice -b circuit.cir > output.txt 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        std::ifstream output(dir / "output.txt");
        const std::regex measurement(R"(^(\w+)\s*=\s*([-+0-9.eE]+))");
        Measurements found;
        std::string all;
        for (std::string line; std::getline(output, line);) {
            all += line + "\n";
            std::smatch match;
            if (std::regex_search(line, match, measurement))
                found[match[1]] = std::stod(match[2]);
        }
        if (found.empty())
            ADD_FAILURE() << "ngspice measured nothing:\n" << all;
        return found;
    }

    std::filesystem::path dir;
};

// A current ramp of 10 kA/s from −1 A: v = Rw·i + L(i)·di/dt, so L = (v − Rw·i)/(10 kA/s).
// Expected from the curve itself (SyntheticChoke.h): L(0) = 100 µH, L(5 A) = 67.260 µH,
// L(Ipk = 5.446 A) = 64.393 µH, and the air-core 1 µH past the table's end 3·Ipk = 16.34 A.
// Gear integration: with the current forced, the trapezoidal rule rings on v.
TEST_F(NgspiceTest, SlowCurrentRampShowsTheInductanceCurve) {
    const ChokeModelInput choke = test::syntheticChoke();
    constexpr double kSlopeAPerS = 1e4, kStartA = -1;
    const double ipk = peakCurrentA(choke);
    const std::map<std::string, std::pair<double, double>> points = {
        {"l_zero", {0, test::syntheticInductanceH(0)}},
        {"l_dc", {choke.dcCurrentA, test::syntheticInductanceH(choke.dcCurrentA)}},
        {"l_peak", {ipk, test::syntheticInductanceH(ipk)}},
        {"l_air", {3.25 * ipk, test::kAirCoreH}}};
    std::string circuit =
        "I1 0 1 pwl(0 -1 2.1m 20)\nX1 1 0 CHOKE\n.options method=gear\n"
        ".control\ntran 1u 2.1m 0 1u\n";
    for (const auto& [name, point] : points)
        circuit += "meas tran " + name +
                   " find v(1) at=" + text((point.first - kStartA) / kSlopeAPerS) + "\n";
    circuit += "quit\n.endc\n";

    const Measurements measured = simulate(choke, circuit);
    for (const auto& [name, point] : points) {
        ASSERT_TRUE(measured.count(name)) << name;
        const double inductanceH =
            (measured.at(name) - choke.windingResistanceOhm * point.first) / kSlopeAPerS;
        EXPECT_NEAR(inductanceH, point.second, 0.02 * point.second) << name;
    }
}

// A 24 V → 12 V buck at 100 kHz, D = 0.5, with an ideal switch (the switch node driven
// between 0 and 24 V; the 10 ns edges count half into the on-time), 10 µF and a load of
// (12 V − Rw·5 A)/5 A = 2.38 Ω so that the choke carries Idc = 5 A:
//   ΔI = (24 − 12)·0.5/(L(5 A)·fs) = 6/(67.260 µH·100 kHz) = 0.892 A (with L(0) it would be
//   0.6 A); the core loss in Rcore is (12 V)²/2880 Ω = 50 mW, as written into the model.
// The terminal current includes Rcore's ±4.2 mA, within the 5 % allowed for the ripple.
TEST_F(NgspiceTest, BuckConverterRipplesAsTheInductanceAtIdcSays) {
    const ChokeModelInput choke = test::syntheticChoke();
    constexpr double kVin = 24, kDuty = 0.5, kPeriodS = 10e-6, kEdgeS = 10e-9;
    const double loadOhm =
        (kDuty * kVin - choke.windingResistanceOhm * choke.dcCurrentA) / choke.dcCurrentA;
    const std::string circuit =
        "Vsw sw 0 pulse(0 " + text(kVin) + " 0 " + text(kEdgeS) + " " + text(kEdgeS) + " " +
        text(kDuty * kPeriodS - kEdgeS) + " " + text(kPeriodS) +
        ")\nVsense sw a 0\nX1 a out CHOKE\nC1 out 0 10u\nRload out 0 " + text(loadOhm) +
        "\n.control\ntran 20n 1m 0 20n\n"
        "meas tran ripple pp i(vsense) from=0.8m to=1m\n"
        "meas tran average avg i(vsense) from=0.8m to=1m\n"
        "let winding = v(x1.w) - v(out)\n"
        "meas tran winding_rms rms winding from=0.8m to=1m\n"
        "quit\n.endc\n";
    const double expectedRipple =
        (kVin - kDuty * kVin) * kDuty / (test::syntheticInductanceH(choke.dcCurrentA) * 100e3);

    const Measurements measured = simulate(choke, circuit);
    ASSERT_TRUE(measured.count("ripple") && measured.count("average") &&
                measured.count("winding_rms"));
    EXPECT_NEAR(measured.at("ripple"), expectedRipple, 0.05 * expectedRipple);
    EXPECT_NEAR(measured.at("average"), choke.dcCurrentA, 0.01 * choke.dcCurrentA);
    const double coreLossW =
        measured.at("winding_rms") * measured.at("winding_rms") / coreLossResistanceOhm(choke);
    EXPECT_NEAR(coreLossW, choke.coreLossW, 0.03 * choke.coreLossW);
}

}  // namespace
}  // namespace coilsmith::spice
