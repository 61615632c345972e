// The method's limits as the design window shows them: the core page's relation of the
// area products and the results page's warning.
#include "method/StateViews.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith {

std::optional<double> ChokeModel::minimumAreaProduct() const {
    return parseNumber(text("minAP"), locale_);
}

std::optional<double> ChokeModel::coreAreaProduct() const {
    return parseNumber(text("APROD"), locale_);
}

ChokeModel::AreaProductRelation ChokeModel::areaProductRelation() const {
    const auto standing = areaProductStanding(minimumAreaProduct(), coreAreaProduct());
    if (!standing) {
        return {"<", {}};
    }
    switch (*standing) {
        case AreaProductStanding::BelowMinimum:
            return {">", "The core's AP is below the minimum AP"};
        case AreaProductStanding::AtMinimum:
            return {"=", "The core's AP is at the minimum AP"};
        case AreaProductStanding::AboveMinimum:
            break;
    }
    return {"<", "The core's AP is above the minimum AP"};
}

std::vector<std::string> ChokeModel::exceededLimits() const {
    MethodLimitFigures figures;
    figures.minimumAreaProductCm4 = minimumAreaProduct();
    figures.coreAreaProductCm4 = coreAreaProduct();
    figures.peakFluxDensityT = parseNumber(text("FDmax"), locale_);
    if (const double specified = specificationView(state_).fluxDensityT; specified > 0) {
        figures.specifiedFluxDensityT = specified;
    }
    figures.temperatureRiseC = parseNumber(text("TRISE"), locale_);
    return exceededMethodLimits(figures);
}

}  // namespace coilsmith
