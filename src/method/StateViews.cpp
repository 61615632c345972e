#include "method/StateViews.h"

#include <initializer_list>
#include <utility>

#include "method/MethodConstants.h"

namespace coilsmith {

namespace {

constexpr double kMicrohenry = 1e-6;
constexpr double kDefaultFrequencyFactor = 1000;  // kHz
constexpr double kDefaultCurrentDensityAPerCm2 = 400;
constexpr float kDefaultWindowUtilisation = 0.4f;

// Each comparison that matches sets the factor; a text matching none leaves it alone.
template <class Factor>
void matchUnit(const std::string& text, Factor& factor,
               std::initializer_list<std::pair<const char*, Factor>> units) {
    for (const auto& [unit, value] : units) {
        if (text == unit) {
            factor = value;
        }
    }
}

}  // namespace

SpecificationView specificationView(const DesignState& s) {
    return {{.requiredInductanceH = s.Lreq,
             .dcCurrentA = s.Idc,
             .ripplePeakToPeakA = s.Iac,
             .rmsCurrentA = s.Irms,
             .frequencyHz = static_cast<double>(s.Fexc),
             .currentDensityAPerM2 = s.Jdes,
             .windowUtilisation = static_cast<double>(s.Ku)},
            s.Bdes};
}

CoreView coreView(const DesignState& s) {
    return {.isECore = s.IsECore,
            .stackDepthIn = s.c_dim,
            .innerSpanIn = s.d_dim,
            .centreLegWidthIn = s.f_dim,
            .windowHeightIn = s.g_dim,
            .outerDiameterIn = s.OD,
            .innerDiameterIn = s.ID,
            .heightIn = s.HT,
            .crossSectionCm2 = s.Ac,
            .volumeCm3 = s.Vc,
            .pathLengthCm = s.Lc,
            .windowAreaCm2 = s.Wa,
            .gapMm = s.Gap,
            .surfaceAreaCm2 = s.SurfArea};
}

MaterialView materialView(const DesignState& s) {
    return {.name = s.MatNo, .initialPermeability = s.MuInit};
}

DesignState initialDesignState(std::string programFolder) {
    DesignState s;
    s.Lfac = kMicrohenry;
    s.Bfac = 1;
    s.DCfac = 1;
    s.ACfac = 1.0f;
    s.Ffac = kDefaultFrequencyFactor;
    s.Jdes = kSquareCmPerSquareMetre * kDefaultCurrentDensityAPerCm2;
    s.Ku = kDefaultWindowUtilisation;
    s.AppDir = std::move(programFolder);
    return s;
}

double unitFactor(const DesignState& s, SelectedUnit quantity) {
    switch (quantity) {
        case SelectedUnit::Inductance:
            return s.Lfac;
        case SelectedUnit::FluxDensity:
            return s.Bfac;
        case SelectedUnit::DcCurrent:
            return s.DCfac;
        case SelectedUnit::RippleCurrent:
            return static_cast<double>(s.ACfac);
        case SelectedUnit::Frequency:
            return s.Ffac;
    }
    return 0;
}

void selectUnit(DesignState& s, SelectedUnit quantity, const std::string& unitText) {
    switch (quantity) {
        case SelectedUnit::Inductance:
            matchUnit<double>(unitText, s.Lfac, {{"uH", 1e-6}, {"mH", 1e-3}, {"H", 1}});
            break;
        case SelectedUnit::FluxDensity:
            matchUnit<double>(unitText, s.Bfac, {{"T", 1}, {"mT", 1e-3}});
            break;
        case SelectedUnit::DcCurrent:
            matchUnit<double>(unitText, s.DCfac, {{"A", 1}, {"mA", 1e-3}});
            break;
        case SelectedUnit::RippleCurrent:
            matchUnit<float>(unitText, s.ACfac, {{"A", 1.0f}, {"mA", 1e-3f}});
            break;
        case SelectedUnit::Frequency:
            matchUnit<double>(unitText, s.Ffac, {{"MHz", 1e6}, {"kHz", 1000}, {"Hz", 1}});
            break;
    }
}

void selectCurrentDensity(DesignState& s, double aPerCm2) {
    s.Jdes = checkedFinite(kSquareCmPerSquareMetre * aPerCm2);
}

void selectWindowUtilisation(DesignState& s, double fraction) {
    s.Ku = toSingle(fraction);
}

void selectCoreShape(DesignState& s, bool eCore) {
    s.IsECore = eCore;
}

}  // namespace coilsmith
