// coilsmith-cli new and spice run as processes on the shipped catalogue, and the model of a
// saturating design run in ngspice.
#include <gtest/gtest.h>

#include "CliProcess.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using coilsmith::test::CliRun;
using coilsmith::test::readAll;

// Line numbers (1-based) of the design file.
constexpr int kToroid = 2, kCore = 3, kCoreMat = 6, kAPR = 28, kFD = 30, kLdes = 39;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        out.push_back(text.substr(at, end - at));
    }
    return out;
}

// Lines 29 to 40: Bunit FD WU CurD Funit Freq ACunit ACC DCunit DCC Ldes Lunit.
std::string specificationLines(const std::string& file) {
    const auto all = lines(file);
    std::string out;
    for (std::size_t i = kAPR; i < all.size(); ++i) {
        out += (out.empty() ? "" : " ") + all[i];
    }
    return out;
}

using Measurements = std::map<std::string, double>;

class NewSpiceTest : public coilsmith::test::CliProcessTest {
  protected:
    // Runs `circuit` (after ".include MODEL") in ngspice's batch mode; its "meas" lines as
    // name → value. Skips the test where ngspice is missing.
    Measurements simulate(const std::string& model, const std::string& circuit) const {
        if (std::system("command -v ngspice > /dev/null 2>&1") != 0)
            return {};
        std::ofstream(dir / "circuit.cir") << "* Coilsmith model test\n.include " << model << "\n"
                                           << circuit << ".end\n";
        const std::string command =
            "cd '" + dir.string() + "' && ngspice -b circuit.cir > ngspice.txt 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << readAll(dir / "ngspice.txt");
        Measurements measured;
        std::ifstream output(dir / "ngspice.txt");
        const std::regex measurement(R"(^(\w+)\s*=\s*([-+0-9.eE]+))");
        for (std::string line; std::getline(output, line);) {
            std::smatch match;
            if (std::regex_search(line, match, measurement))
                measured[match[1]] = std::stod(match[2]);
        }
        return measured;
    }

    std::string file(const char* name) const { return "'" + (dir / name).string() + "'"; }

    // The file a new window holds once the specification is typed by hand and the toroid
    // T106 in -8 chosen, as the window would save it before Calculate AP.
    std::string typedByHand(std::vector<std::string> specification, const char* name) const {
        std::vector<std::string> text{"False", "True", "T106", "", "", "-8"};
        text.resize(28);
        text.insert(text.end(), specification.begin(), specification.end());
        std::ofstream out(dir / name, std::ios::binary);
        for (const auto& line : text) {
            out << line << "\r\n";
        }
        return file(name);
    }
};

// The specification typed in the window's own units, its defaults beside it (0.5 T typed as
// 500 mT). 100 uH, 5 A, 1 A at 100 kHz: Calculate AP gives Ipk = 5.5 A, AP = L Ipk^2 1e8 /
// (B J Ku) = 1e-4 30.25 1e8 / (0.5 4e6 0.4) = 0.378 cm^4.
// Buck 18…36 V → 12 V, 5 A at 100 kHz, r = 0.3: ΔI/Idc ∝ 1 − 12/Vin peaks at 36 V (D = 1/3):
// L = (36 − 12)(1/3)/(0.3 · 5 A · 100 kHz) = 53.333 µH, ΔI = 1.5 A there; Idc = 5 A.
// Inverting buck-boost 9…18 V → 12 V, 1 A at 250 kHz, η = 0.9, r = 0.4: D = 12/(12 + 0.9 Vin),
// Idc = 1 A (1 + 12/(0.9 Vin)) peaks at 9 V: 2.48148 A. ΔI/Idc peaks at 18 V: D = 0.425532,
// Idc = 1.740741 A, ΔI = 18 D/(L 250 kHz) = 0.4 Idc: L = 44.0018 µH, ΔI = 696.296 mA.
TEST_F(NewSpiceTest, NewWritesTheSpecificationInTheWindowsUnits) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"--inductance 100u --dc 5 --ripple 1 --frequency 100k",
         "mT 500 0.4 400 kHz 100 A 1 A 5 100 uH", "0.378"},
        {"--inductance 2.2m --dc 1.5 --ripple 450m --frequency 20000 --flux-density 0.3 "
         "--current-density 300 --window-utilisation 0.5 --decimal-point ,",
         "mT 300 0.5 300 kHz 20 mA 450 A 1,5 2,2 mH", nullptr},
        {"--buck --vin 18:36 --vout 12 --iout 5 --fs 100k",
         "mT 500 0.4 400 kHz 100 A 1.5 A 5 53.3333 uH", nullptr},
        {"--buck-boost --vin 9:18 --vout 12 --iout 1 --fs 250k --efficiency 0.9 --ripple-ratio "
         "0.4",
         "mT 500 0.4 400 kHz 250 mA 696.296 A 2.48148 44.0018 uH", nullptr},
    };
    for (const auto& [flags, specification, areaProduct] : rows) {
        const CliRun run = cli(std::string("new ") + flags);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto out = lines(run.out);
        ASSERT_EQ(out.size(), 40u);
        EXPECT_EQ(out[0] + out[1] + out[kCore - 1] + out[kCoreMat - 1], "FalseFalse");
        EXPECT_EQ(specificationLines(run.out), specification);
        if (areaProduct) {
            EXPECT_EQ(out[kAPR - 1], areaProduct);
        }
    }
    // The converter's worst case is said on standard error.
    const std::string said = cli("new --buck --vin 18:36 --vout 12 --iout 5 --fs 100k").err;
    for (const char* line : {"buck 18 V to 36 V -> 12 V, 5 A at 100 kHz, efficiency 1:\n",
                             "for the ripple ratio 0.3 at Vin 36 V (D = 0.333)\n",
                             "largest at Vin 18 V (D = 0.667)\n"}) {
        EXPECT_NE(said.find(line), std::string::npos) << line << said;
    }
}

// The file new writes designs to the same numbers as the same specification typed by hand.
TEST_F(NewSpiceTest, NewRoundTripsThroughDesign) {
    const CliRun made =
        cli("new --core T106 --material -8 -o " + file("new.txt") +
            " --inductance 47u --dc 3.3 --ripple 600m --frequency 250k --flux-density 0.4");
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const CliRun fromNew = cli("design " + file("new.txt"));
    const CliRun byHand = cli("design " + typedByHand({"mT", "400", "0.4", "400", "kHz", "250",
                                                       "mA", "600", "A", "3.3", "47", "uH"},
                                                      "hand.txt"));
    ASSERT_EQ(fromNew.exitCode, 0) << fromNew.err;
    EXPECT_EQ(fromNew.out, byHand.out);
    EXPECT_EQ(lines(fromNew.out).at(kToroid - 1) + lines(fromNew.out).at(kCore - 1), "TrueT106");
}

TEST_F(NewSpiceTest, NewRefusesWithTheReason) {
    const std::string spec = " --inductance 100u --dc 5 --ripple 1 --frequency 100k";
    const std::string buck = " --buck --vin 18:36 --vout 12 --iout 5 --fs 100k";
    const std::pair<std::string, std::string> rows[] = {
        {"", "give a specification or a converter\nUsage: coilsmith-cli new"},
        {"--inductance 100u --dc 5 --ripple 1", "--frequency is missing"},
        {"--inductance 100x --dc 5 --ripple 1 --frequency 1k",
         "--inductance: \"100x\" is not a number"},
        {spec + " --dc 6", "--dc: At Most 1 required but received 2"},
        {spec + " design.txt", "The following argument was not expected: design.txt"},
        {spec + " --vin 18:36", "--vin needs a converter: --buck, --boost or --buck-boost"},
        {buck + " --boost", "--buck excludes --boost"},
        {buck + " --dc 5", "--dc belongs to a specification given directly"},
        {buck + " --inductance 10u --ripple-ratio 0.2", "give --inductance or --ripple-ratio"},
        {" --buck --vin 5:9 --vout 12 --iout 1 --fs 100k",
         "A buck needs Vout below Vin: 12 V is not below the lowest input 5 V"},
        {" --buck --vin 18:36 --vout 12 --iout 0.1 --fs 100k --inductance 10u",
         "(discontinuous conduction)"},
        {spec + " --current-density 2500",
         "Calculate AP refuses the specification: Re-Enter Current Density Value (50 to 2000 "
         "A/cm^2)"},
        {" --inductance 100u --dc -5 --ripple 1 --frequency 100k",
         "Calculate AP refuses the specification: Re-Enter DC Current Value"},
        {spec + " --material -8", "--material needs --core"},
        {spec + " --core T999", "core T999 is neither a toroid nor an E-core of the catalogue"},
        {spec + " --core T106 --material -99",
         "core T106 is not made in material -99; its "
         "materials are "},
    };
    for (const auto& [args, reason] : rows) {
        SCOPED_TRACE(args);
        const CliRun run = cli("new " + args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("coilsmith-cli new: ")) << run.err;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    }
}

TEST_F(NewSpiceTest, SpiceWritesTheDesignAsDesigned) {
    ASSERT_EQ(cli("new --inductance 100u --dc 5 --ripple 1 --frequency 100k --core T106 "
                  "--material -8 -o " +
                  file("t106.txt"))
                  .exitCode,
              0);
    const CliRun run = cli("spice " + file("t106.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* line : {"* Coilsmith design ", "* Toroid T106 in -8, 1 core, ",
                             "* Specification: L = 100 uH at Idc = 5 A, ripple 1 A p-p at 100 kHz",
                             "* Design check at 25.0 C ambient: L(0) = ", "* Check L at Idc: ",
                             "* Check Hot temperature: ", "* Choke model written by Coilsmith ",
                             "\n.subckt T106_8 1 2\n", "\n.ends T106_8\n"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
    ASSERT_EQ(cli("spice --ambient 60 -o " + file("t106.lib") + " " + file("t106.txt")).exitCode,
              0);
    const std::string warm = readAll(dir / "t106.lib");
    EXPECT_NE(warm.find("* Design check at 60.0 C ambient"), std::string::npos);
    EXPECT_NE(warm, run.out);  // hotter copper

    ASSERT_EQ(
        cli("new --inductance 100u --dc 5 --ripple 1 --frequency 100k -o " + file("nocore.txt"))
            .exitCode,
        0);
    const CliRun noCore = cli("spice " + file("nocore.txt"));
    EXPECT_EQ(noCore.exitCode, 1);
    EXPECT_EQ(noCore.out, "");
    EXPECT_NE(noCore.err, "");
}

// The delivered design of the same file is the check's Delivered column (whose numbers the
// physics tests work apart), on the chosen stack: for 100 uH at 5 A on T106 in -8, one core
// needs 51 turns and overfills the window (Fill warns), two take 35 turns and pass, so
// "auto" takes two. A slow current ramp of 10 kA/s through the model in ngspice gives
// v = Rw i + L(i) di/dt: at Idc it shows the delivered L(Idc), at least the required 100 uH.
TEST_F(NewSpiceTest, SpiceWritesTheDeliveredDesign) {
    ASSERT_EQ(cli("new --inductance 100u --dc 5 --ripple 1 --frequency 100k --core T106 "
                  "--material -8 -o " +
                  file("t106.txt"))
                  .exitCode,
              0);
    const std::pair<const char*, const char*> rows[] = {
        {"1", "as delivered on 1 core (the stack chosen)\n* Toroid T106 in -8, 1 core, 51 turns"},
        {"auto",
         "as delivered on 2 cores (the smallest stack that passes)\n"
         "* Toroid T106 in -8, 2 cores stacked, 35 turns of AWG 16\n"},
    };
    for (const auto& [stack, header] : rows) {
        const CliRun run = cli(std::string("spice --delivered --stack ") + stack + " -o " +
                               file("delivered.lib") + " " + file("t106.txt"));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(readAll(dir / "delivered.lib").find(header), std::string::npos) << stack;
    }
    const std::string model = readAll(dir / "delivered.lib");
    EXPECT_NE(model.find("* Delivered design at 25.0 C ambient: L(0) = "), std::string::npos);
    EXPECT_NE(model.find("* Check Fill: Pass"), std::string::npos);

    const auto delivered =
        nlohmann::json::parse(cli("check --format json " + file("t106.txt")).out)["delivered"];
    ASSERT_EQ(delivered["stack"], 2);
    const double inductanceAtIdcH = delivered["l_idc_h"], rhotOhm = delivered["rhot_ohm"];
    EXPECT_GE(inductanceAtIdcH, 100e-6);
    constexpr double kSlopeAPerS = 1e4, kIdc = 5;
    const Measurements measured =
        simulate((dir / "delivered.lib").string(),
                 "I1 0 1 pwl(0 0 0.6m 6)\nX1 1 0 T106_8\n.options method=gear\n.control\n"
                 "tran 1u 0.6m 0 1u\nmeas tran v_dc find v(1) at=0.5m\nquit\n.endc\n");
    if (measured.empty())
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice; tools/dev.sh test "
                        "installs it), so the model was not simulated";
    ASSERT_TRUE(measured.count("v_dc"));
    const double simulatedH = (measured.at("v_dc") - rhotOhm * kIdc) / kSlopeAPerS;
    EXPECT_NEAR(simulatedH, inductanceAtIdcH, 0.02 * inductanceAtIdcH);

    // T50 delivers on one core only with a winding that does not go on: nothing to model.
    ASSERT_EQ(cli("new --inductance 100u --dc 5 --ripple 1 --frequency 100k --core T50 "
                  "--material -8 -o " +
                  file("t50.txt"))
                  .exitCode,
              0);
    const CliRun t50 = cli("spice --delivered --stack 1 " + file("t50.txt"));
    EXPECT_EQ(t50.exitCode, 1);
    EXPECT_EQ(t50.err,
              "coilsmith-cli spice: The delivered design on 1 core cannot be modelled: its "
              "winding does not go on\n");
}

// The method's own design of 1 mH at 1 A with 0.3 A ripple at 20 kHz: the adviser's best by
// loss is T80 in -45 with 124 turns, which saturates. By hand from the catalogue (T80: Ac
// 0.2512 cm^2, lc 5.147 cm, no gap; -45: mui 100, %mu = 1/(0.01 + 2.43767e-5 H^1.60697)):
// H(1 A) = 0.4 pi 124 / 5.147 = 30.275 Oe, %mu = 63.099, L(Idc) = 4 pi 1e-7 63.099 124^2
// 0.2512e-4 / 0.05147 = 595.03 uH, 59.5 % of 1 mH.
// In a 24 V -> 12 V buck at 20 kHz (D = 0.5, the ripple 0.3 A with 1 mH) the winding
// current then ripples (24 - 12) 0.5 / (595.03 uH 20 kHz) = 0.5042 A p-p. The terminal
// current adds the core-loss resistor's +-12 V/Rcore; the winding current is the B source's.
TEST_F(NewSpiceTest, SaturatingDesignRipplesAsItsCheckSays) {
    if (std::system("command -v ngspice > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice; tools/dev.sh test "
                        "installs it), so the model was not simulated";
    ASSERT_EQ(cli("new --inductance 1m --dc 1 --ripple 0.3 --frequency 20k --core T80 "
                  "--material -45 -o " +
                  file("sat.txt"))
                  .exitCode,
              0);
    const auto check = nlohmann::json::parse(cli("check --format json " + file("sat.txt")).out);
    const double inductanceAtIdcH = check["l_idc_h"];
    EXPECT_NEAR(inductanceAtIdcH, 595.03e-6, 0.01e-6);
    EXPECT_EQ(check["turns"], 124);
    ASSERT_EQ(cli("spice -o " + file("sat.lib") + " " + file("sat.txt")).exitCode, 0);

    constexpr double kVin = 24, kDuty = 0.5, kFrequencyHz = 20e3, kIdc = 1, kRequiredRipple = 0.3;
    const double load = (kDuty * kVin - check["rhot_ohm"].get<double>() * kIdc) / kIdc;
    std::ostringstream circuit;
    circuit << "Vsw sw 0 pulse(0 24 0 10n 10n 24.99u 50u)\nVsense sw a 0\nX1 a out T80_45\n"
            << "C1 out 0 10u\nRload out 0 " << load << "\n.control\nsave all @b.x1.bw[i]\n"
            << "tran 100n 6m 0 100n\n"
            << "meas tran winding_ripple pp @b.x1.bw[i] from=5m to=6m\n"
            << "meas tran terminal_ripple pp i(vsense) from=5m to=6m\n"
            << "meas tran average avg i(vsense) from=5m to=6m\nquit\n.endc\n";
    const Measurements measured = simulate((dir / "sat.lib").string(), circuit.str());
    ASSERT_EQ(measured.count("winding_ripple") + measured.count("average"), 2u)
        << readAll(dir / "ngspice.txt");

    const double predicted = (kVin - kDuty * kVin) * kDuty / (inductanceAtIdcH * kFrequencyHz);
    const double ripple = measured.at("winding_ripple");
    EXPECT_NEAR(ripple, predicted, 0.05 * predicted);
    EXPECT_GT(ripple, 1.5 * kRequiredRipple);
    EXPECT_GT(measured.at("terminal_ripple"), ripple);
    EXPECT_NEAR(measured.at("average"), kIdc, 0.01 * kIdc);
}

}  // namespace
