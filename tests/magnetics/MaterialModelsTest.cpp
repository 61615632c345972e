#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "magnetics/Fault.h"
#include "magnetics/MaterialModels.h"

namespace coilsmith {
namespace {

// A material whose fits give exactly the constant term: permeability coefficients all
// zero except ah and ab.
DesignState flatMaterial(const std::string& matNo, double ah, double ab) {
    DesignState s;
    s.MatNo = matNo;
    s.MuInit = 100.0f;
    s.ah = ah;
    s.ab = ab;
    return s;
}

struct MuRow {
    const char* matNo;
    double H, B;
    double ah, ab;
    float expected;
};

class MuEffTest : public testing::TestWithParam<MuRow> {};

TEST_P(MuEffTest, EffectivePermeability) {
    const MuRow& row = GetParam();
    DesignState s = flatMaterial(row.matNo, row.ah, row.ab);
    s.Hdc = row.H;
    s.Bac = row.B;
    Mu_Eff(s);
    EXPECT_FLOAT_EQ(s.MuEff, row.expected) << "MatNo \"" << row.matNo << '"';
}

// At H = 0 the bias factor is 0.01 sqrt(ah); at B = 0 the flux factor is 0.01 sqrt(ab) in
// the rational form and 0.01 ab in the polynomial form, chosen by the exact text.
INSTANTIATE_TEST_SUITE_P(
    ZeroOperatingPoint, MuEffTest,
    testing::Values(MuRow{"-26", 0, 0, 10000, 10000, 100.0f},
                    MuRow{"-26", 0, 0, 2500, 10000, 50.0f}, MuRow{"-26", 0, 0, 10000, 2500, 50.0f},
                    MuRow{"-28", 0, 0, 10000, 2500, 2500.0f}, MuRow{"-33", 0, 0, 10000, 50, 50.0f},
                    MuRow{"-38", 0, 0, 10000, 50, 50.0f}, MuRow{"-45", 0, 0, 10000, 50, 50.0f},
                    MuRow{"-52", 0, 0, 10000, 50, 50.0f}, MuRow{"28", 0, 0, 10000, 2500, 50.0f},
                    MuRow{"-280", 0, 0, 10000, 2500, 50.0f},
                    MuRow{"-28 ", 0, 0, 10000, 2500, 50.0f}, MuRow{"", 0, 0, 10000, 2500, 50.0f}));

TEST(MuEff, RatioUnderTheRootAndPolynomialTerms) {
    // Rational form: (ab + cb B + eb B^2) / (1 + bb B + db B^2) = (100 + 2*4 + 1*16)/(1 + 0.5*4 +
    // 0.25*16)
    DesignState s = flatMaterial("-26", 10000, 100);
    s.cb = 2;
    s.eb = 1.0f;
    s.bb = 0.5;
    s.db = 0.25;
    s.Bac = 4;
    Mu_Eff(s);
    EXPECT_FLOAT_EQ(s.MuEff, static_cast<float>(100 * 0.01 * std::sqrt(124.0 / 7.0)));
    // Polynomial form: ab + bb B + cb sqrt(B) + db B^2, eb unused.
    s.MatNo = "-52";
    Mu_Eff(s);
    EXPECT_FLOAT_EQ(s.MuEff, static_cast<float>(100 * 0.01 * (100 + 2 + 4 + 4)));
    // Bias: (ah + ch H + eh H^2) / (1 + bh H + dh H^2) at H = 2.
    DesignState h = flatMaterial("-26", 100, 10000);
    h.ch = 10;
    h.eh = 5;
    h.bh = 1;
    h.dh = 0.5;
    h.Hdc = 2;
    Mu_Eff(h);
    EXPECT_FLOAT_EQ(h.MuEff, static_cast<float>(100 * 0.01 * std::sqrt(140.0 / 5.0)));
}

struct MuFaultRow {
    const char* name;
    void (*setUp)(DesignState&);
    FaultKind expected;
};

class MuEffFaultTest : public testing::TestWithParam<MuFaultRow> {};

TEST_P(MuEffFaultTest, FaultsAndKeepsMuEff) {
    const MuFaultRow& row = GetParam();
    DesignState s = flatMaterial("-26", 10000, 10000);
    s.MuEff = 42.0f;
    s.Hdc = 1;
    s.Bac = 1;
    row.setUp(s);
    try {
        Mu_Eff(s);
        ADD_FAILURE() << row.name << " did not fault";
    } catch (const Fault& fault) {
        EXPECT_EQ(fault.kind(), row.expected) << row.name;
    }
    EXPECT_EQ(s.MuEff, 42.0f) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MuEffFaultTest,
    testing::Values(MuFaultRow{"negative bias ratio", [](DesignState& s) { s.ah = -1; },
                               FaultKind::NegativeSqrt},
                    MuFaultRow{"zero bias denominator", [](DesignState& s) { s.bh = -1; },
                               FaultKind::DivisionByZero},
                    MuFaultRow{"negative flux ratio", [](DesignState& s) { s.bb = -2; },
                               FaultKind::NegativeSqrt},
                    MuFaultRow{"negative flux in polynomial form",
                               [](DesignState& s) {
                                   s.MatNo = "-28";
                                   s.Bac = -1;
                               },
                               FaultKind::NegativeSqrt},
                    MuFaultRow{"null coefficient", [](DesignState& s) { s.dh = Num::null(); },
                               FaultKind::NullValue},
                    MuFaultRow{"permeability beyond single precision",
                               [](DesignState& s) {
                                   s.MuInit = 3e38f;
                                   s.ah = 40000;
                               },
                               FaultKind::Overflow}));

struct LossRow {
    const char* name;
    double B;
    float f;
    double al, bl, cl;
    float dl;
    double expected;
};

class MatLossTest : public testing::TestWithParam<LossRow> {};

TEST_P(MatLossTest, LossDensity) {
    const LossRow& row = GetParam();
    DesignState s;
    s.Bac = row.B;
    s.Fexc = row.f;
    s.al = row.al;
    s.bl = row.bl;
    s.cl = row.cl;
    s.dl = row.dl;
    s.Pv = -1;
    Mat_Loss(s);
    EXPECT_NEAR(s.Pv, row.expected, 1e-9 * std::abs(row.expected)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatLossTest,
    testing::Values(
        // The coefficients divide powers of B: al / B^3 = 1/1000 gives f / 0.001.
        LossRow{"cubic term only", 10, 50, 1, 0, 0, 0, 50},
        LossRow{"power 2.3 term only", 10, 50, 0, 1, 0, 0, 0.001 * 50 * std::pow(10, 2.3)},
        LossRow{"power 1.65 term only", 10, 50, 0, 0, 1, 0, 0.001 * 50 * std::pow(10, 1.65)},
        // f^2 dl B^2 = 1e6 * 1e-6 * 100, rounded to single precision.
        LossRow{"eddy term", 10, 1000, 1, 0, 0, 1e-6f, 0.001 * (1e6 + 100)},
        LossRow{"zero frequency", 10, 0, 1, 1, 1, 1e-6f, 0},
        // The limit of the formula as the flux goes to zero.
        LossRow{"zero flux", 0, 50000, 1e9, 1.1e8, 1.9e6, 1.9e-13f, 0}));

// f^2 dl B^2 = 9 * 0.1f * 9 = 8.1000001207 in double, 8.1000003815 as the nearest single;
// al = 1e300 makes the hysteresis part negligible.
TEST(MatLoss, EddyTermIsRoundedToSinglePrecision) {
    DesignState s;
    s.Bac = 3;
    s.Fexc = 3.0f;
    s.dl = 0.1f;
    s.al = 1e300;
    Mat_Loss(s);
    EXPECT_NEAR(s.Pv, 0.001 * 8.1000003815, 1e-13);
}

TEST(MatLoss, FaultsLeavePvUnchanged) {
    const auto faultKind = [](DesignState s) {
        s.Pv = 0.5;
        try {
            Mat_Loss(s);
        } catch (const Fault& fault) {
            EXPECT_EQ(s.Pv, 0.5);
            return fault.kind();
        }
        ADD_FAILURE() << "no fault";
        return FaultKind::NoCurrentRecord;
    };
    DesignState s;
    s.Fexc = 50000.0f;
    s.Bac = 100;
    EXPECT_EQ(faultKind(s), FaultKind::DivisionByZero);  // al, bl, cl all zero
    s.Bac = 0;
    EXPECT_EQ(faultKind(s), FaultKind::DivisionByZero);  // no limit without any term
    s.al = 1;
    s.Bac = -100;
    EXPECT_EQ(faultKind(s), FaultKind::NegativeSqrt);  // B^2.3 of a negative flux
    s.Bac = 100;
    s.bl = Num::null();
    EXPECT_EQ(faultKind(s), FaultKind::NullValue);
}

TEST(Log10, BaseTenLogarithm) {
    EXPECT_NEAR(Log10(1000), 3, 1e-15);
    EXPECT_NEAR(Log10(0.012521), -1.9023, 1e-4);
    EXPECT_EQ(Log10(1), 0);
    EXPECT_THROW(Log10(0), Fault);
    EXPECT_THROW(Log10(-5), Fault);
}

}  // namespace
}  // namespace coilsmith
