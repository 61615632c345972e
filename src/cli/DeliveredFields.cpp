#include "cli/DeliveredFields.h"

namespace coilsmith::cli {

namespace {

using physics::DeliveredDesign;

constexpr double kGramsPerKilogram = 1000;

// A figure of one part of the design, empty when the part could not be had.
template <class Part, class Get>
std::function<DeliveredValue(const DeliveredDesign&)> figure(Part part, Get get) {
    return [part, get](const DeliveredDesign& d) -> DeliveredValue {
        const auto& p = d.*part;
        return p ? DeliveredValue(get(*p)) : DeliveredValue();
    };
}

template <class Get>
auto inductance(Get get) {
    return figure(&DeliveredDesign::inductance, get);
}
template <class Get>
auto winding(Get get) {
    return figure(&DeliveredDesign::winding, get);
}
template <class Get>
auto copper(Get get) {
    return figure(&DeliveredDesign::copper, get);
}

}  // namespace

const std::vector<DeliveredField>& deliveredFields() {
    using I = const physics::DeliveredInductance&;
    using W = const physics::DeliveredWinding&;
    using C = const physics::DeliveredCopper&;
    using K = const physics::DeliveredCore&;
    static const std::vector<DeliveredField> list = {
        {"stack", "Cores stacked", "",
         [](const DeliveredDesign& d) { return DeliveredValue(long{d.stackCount}); }},
        {"turns", "Turns", "", inductance([](I f) { return f.turns; })},
        {"awg", "AWG", "", winding([](W f) { return long{f.awg}; })},
        {"layers", "Layers", "", winding([](W f) { return f.layout.layers; })},
        {"fill_wound", "Fill (insulated wire / Wa)", "", winding([](W f) { return f.fill; })},
        {"fits", "Fits", "", [](const DeliveredDesign& d) { return DeliveredValue(d.fits); }},
        {"reachable", "Reaches L at Idc", "",
         [](const DeliveredDesign& d) { return DeliveredValue(d.reachable); }},
        {"l_0_h", "L at 0 A", "uH", inductance([](I f) { return f.atZeroH; }), 1e6},
        {"l_idc_h", "L at Idc", "uH", inductance([](I f) { return f.atIdcH; }), 1e6},
        {"l_ipk_h", "L at Ipk", "uH", inductance([](I f) { return f.atIpkH; }), 1e6},
        {"l_idc_percent", "L at Idc of required", "%",
         inductance([](I f) { return f.atIdcPercent; })},
        {"l_ipk_percent", "L at Ipk of required", "%",
         inductance([](I f) { return f.atIpkPercent; })},
        {"rdc20_ohm", "Rdc at 20 C", "mOhm", copper([](C f) { return f.resistance20Ohm; }), 1e3},
        {"rhot_ohm", "Rdc hot", "mOhm", copper([](C f) { return f.resistanceHotOhm; }), 1e3},
        {"fr_fundamental", "Rac/Rdc at the ripple frequency", "",
         copper([](C f) { return f.fundamentalFr; })},
        {"pcu_dc_w", "Copper loss DC", "W", copper([](C f) { return f.copperLossDcW; })},
        {"pcu_ac_w", "Copper loss AC", "W", copper([](C f) { return f.copperLossAcW; })},
        {"core_loss_w", "Core loss", "W",
         figure(&DeliveredDesign::core, [](K f) { return f.lossW; })},
        {"total_loss_hot_w", "Total loss hot", "W", copper([](C f) { return f.totalLossHotW; })},
        {"trise_hot_c", "Rise hot", "C", copper([](C f) { return f.temperatureRiseHotC; })},
        {"t_hot_c", "Hot temperature", "C", copper([](C f) { return f.hotTemperatureC; })},
        {"copper_weight_g", "Copper weight", "g",
         copper([](C f) { return f.copperWeightKg * kGramsPerKilogram; })},
        {"core_weight_g", "Core weight", "g",
         figure(&DeliveredDesign::core, [](K f) { return f.weightKg * kGramsPerKilogram; })},
        {"total_weight_g", "Total weight", "g",
         copper([](C f) { return f.totalWeightKg * kGramsPerKilogram; })},
    };
    return list;
}

std::optional<std::string> deliveredProblem(const std::optional<DeliveredDesign>& design,
                                            const std::optional<std::string>& failure) {
    if (failure) {
        return failure;
    }
    return design ? design->problem : std::nullopt;
}

Json deliveredJson(const std::optional<DeliveredDesign>& design,
                   const std::optional<std::string>& failure) {
    Json object;
    for (const DeliveredField& f : deliveredFields()) {
        object[std::string(f.key)] = design ? jsonOf(f.value(*design)) : Json(nullptr);
    }
    Json verdicts = Json::array();
    if (design) {
        for (const physics::Verdict& v : design->verdicts) {
            verdicts.push_back({{"check", v.check},
                                {"verdict", physics::verdictLevelName(v.level)},
                                {"reason", v.reason}});
        }
    }
    object["verdicts"] = verdicts;
    const auto problem = deliveredProblem(design, failure);
    object["problem"] = problem ? Json(*problem) : Json(nullptr);
    return object;
}

const std::string_view kDeliveredKeysHelp =
    "  stack                 cores stacked side by side (1 to 3)\n"
    "  turns, awg            the fewest turns with L at Idc >= the required L; the method's\n"
    "                        gauge for the rms current and current density\n"
    "  layers                layers wound (an E-core that does not fit: the layers it needs)\n"
    "  fill_wound            insulated wire area of all turns / window area Wa\n"
    "  fits                  the winding goes on and fill_wound is within Ku\n"
    "  reachable             some number of turns reaches the required L at Idc\n"
    "  l_0_h, l_idc_h, l_ipk_h   L in henry on the stack at 0 A, Idc and Ipk\n"
    "  l_idc_percent, l_ipk_percent   the same in % of the required L\n"
    "  rdc20_ohm, rhot_ohm   copper resistance in ohm at 20 C and hot\n"
    "  fr_fundamental        Dowell's Rac/Rdc at the ripple frequency, hot\n"
    "  pcu_dc_w, pcu_ac_w    copper loss in W, DC and of the ripple harmonics\n"
    "  core_loss_w           core loss of the stack in W\n"
    "  total_loss_hot_w      hot copper loss + core loss in W\n"
    "  trise_hot_c, t_hot_c  rise and temperature in deg. C where the copper settles\n"
    "  copper_weight_g, core_weight_g, total_weight_g   weights in g (the stack's core)\n"
    "  verdicts              L at Idc, L at Ipk, Winding fits, Fill, Hot temperature, each\n"
    "                        {check, verdict, reason} (JSON)\n"
    "  problem               null, or why the delivered design is unavailable\n"
    "Figures that cannot be had are null (empty in CSV).\n";

}  // namespace coilsmith::cli
