#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

#include "method/MaterialModels.h"
#include "numeric/Fault.h"

namespace coilsmith {
namespace {

// A material with bias coefficients ah..eh and flux coefficients ab..eb.
DesignState material(const std::string& matNo, std::array<double, 5> h, std::array<double, 5> b) {
    DesignState s;
    s.MatNo = matNo;
    s.MuInit = 100.0f;
    std::tie(s.ah, s.bh, s.ch, s.dh, s.eh) = std::tuple(h[0], h[1], h[2], h[3], h[4]);
    std::tie(s.ab, s.bb, s.cb, s.db, s.eb) = std::tuple(b[0], b[1], b[2], b[3], b[4]);
    return s;
}

// At H = B = 0 the bias factor is 0.01 sqrt(ah); the flux factor is 0.01 sqrt(ab) in the
// rational form and 0.01 ab in the polynomial form, chosen by the exact text.
TEST(MuEff, FormByMaterialTextRatioUnderTheRootAndPolynomialTerms) {
    const std::tuple<const char*, double, double, float> rows[] = {
        {"-26", 10000, 10000, 100}, {"-26", 2500, 10000, 50},  {"-26", 10000, 2500, 50},
        {"-28", 10000, 2500, 2500}, {"-33", 10000, 50, 50},    {"-38", 10000, 50, 50},
        {"-45", 10000, 50, 50},     {"-52", 10000, 50, 50},    {"28", 10000, 2500, 50},
        {"-280", 10000, 2500, 50},  {"-28 ", 10000, 2500, 50}, {"", 10000, 2500, 50}};
    for (const auto& [matNo, ah, ab, expected] : rows) {
        DesignState s = material(matNo, {ah}, {ab});
        updateEffectivePermeability(s);
        EXPECT_FLOAT_EQ(s.MuEff, expected) << "MatNo \"" << matNo << '"';
    }
    // Rational: (ab + cb B + eb B^2) / (1 + bb B + db B^2) = (100 + 8 + 16)/(1 + 2 + 4) at B = 4.
    DesignState s = material("-26", {10000}, {100, 0.5, 2, 0.25, 1});
    s.Bac = 4;
    updateEffectivePermeability(s);
    EXPECT_FLOAT_EQ(s.MuEff, static_cast<float>(std::sqrt(124.0 / 7.0)));
    s.MatNo = "-52";  // polynomial: ab + bb B + cb sqrt(B) + db B^2, eb unused
    updateEffectivePermeability(s);
    EXPECT_FLOAT_EQ(s.MuEff, 100 + 2 + 4 + 4);
    // Bias: (ah + ch H + eh H^2) / (1 + bh H + dh H^2) = (100 + 20 + 20)/(1 + 2 + 2) at H = 2.
    DesignState h = material("-26", {100, 1, 10, 0.5, 5}, {10000});
    h.Hdc = 2;
    updateEffectivePermeability(h);
    EXPECT_FLOAT_EQ(h.MuEff, static_cast<float>(std::sqrt(140.0 / 5.0)));
}

// Pv = f / (al/B^3 + bl/B^2.3 + cl/B^1.65) + f^2 dl B^2, in mW: al / B^3 = 1/1000 gives f / 0.001;
// f^2 dl B^2 = 1e6 * 1e-6 * 100; the zero-flux row is the limit; 9 * 0.1f * 9 = 8.1000001207 in
// double but 8.1000003815 as the nearest single (al = 1e300 makes the rest negligible).
TEST(MatLoss, LossDensityAndBaseTenLogarithm) {
    // clang-format off
    const std::tuple<double, float, double, double, double, float, double> rows[] = {
        {10, 50, 1, 0, 0, 0, 50}, {10, 50, 0, 1, 0, 0, 0.001 * 50 * std::pow(10, 2.3)},
        {10, 50, 0, 0, 1, 0, 0.001 * 50 * std::pow(10, 1.65)}, {10, 0, 1, 1, 1, 1e-6f, 0},
        {10, 1000, 1, 0, 0, 1e-6f, 0.001 * (1e6 + 100)}, {0, 50000, 1e9, 1.1e8, 1.9e6, 1.9e-13f, 0},
        {3, 3, 1e300, 0, 0, 0.1f, 0.001 * 8.1000003815}};
    // clang-format on
    for (const auto& [B, f, al, bl, cl, dl, expected] : rows) {
        DesignState s;
        std::tie(s.Bac, s.Fexc, s.al, s.bl, s.cl, s.dl, s.Pv) =
            std::tuple(B, f, al, bl, cl, dl, -1);
        updateCoreLossDensity(s);
        EXPECT_NEAR(s.Pv, expected, 1e-9 * std::abs(expected)) << "B " << B << " f " << f;
    }
    EXPECT_NEAR(checkedLog10(1000), 3, 1e-15);
    EXPECT_EQ(checkedLog10(1), 0);
    EXPECT_THROW(checkedLog10(0), Fault);
    EXPECT_THROW(checkedLog10(-5), Fault);
}

}  // namespace
}  // namespace coilsmith
