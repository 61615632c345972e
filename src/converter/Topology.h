#pragma once

#include <string_view>
#include <vector>

// The steady state of the three basic converters in continuous conduction, with ideal
// switches and the losses lumped into an efficiency η (0 < η ≤ 1) that scales the input
// voltage. Vout is a magnitude (the inverting buck-boost's output is −Vout). Each form
// with its one-line derivation; V_on is the inductor voltage while the switch is on:
//
// Buck
//   D   = Vout/(η·Vin)          volt-seconds on L: (Vin − Vout)·D = Vout·(1 − D), Vin → η·Vin
//   Idc = Iout                  the inductor feeds the load in both intervals
//   V_on = Vin − Vout
// Boost
//   D   = 1 − η·Vin/Vout        volt-seconds on L: Vin·D = (Vout − Vin)·(1 − D), Vin → η·Vin
//   Idc = Iout/(1 − D)          the load gets the inductor current only in the off-time;
//                               this is the input current Pout/(η·Vin), since
//                               1/(1 − D) = Vout/(η·Vin) (a further 1/η would count the
//                               losses twice)
//   V_on = Vin
// Inverting buck-boost
//   D   = Vout/(Vout + η·Vin)   volt-seconds on L: Vin·D = Vout·(1 − D), Vin → η·Vin
//   Idc = Iout/(1 − D)          the load gets the inductor current only in the off-time;
//                               the input current D·Idc = Iout·Vout/(η·Vin) = Pout/(η·Vin)
//   V_on = Vin
// All three
//   ΔI  = V_on·D/(L·fs)         peak to peak: di/dt = V_on/L for the on-time D/fs
//
// Over an input range (the worst cases the specification takes):
//   buck        ΔI = Vout·(1 − Vout/Vin)/(η·L·fs) rises with Vin: largest at Vin max;
//               Idc = Iout at every Vin.
//   boost       ΔI = Vin·(1 − η·Vin/Vout)/(L·fs), a parabola in Vin with its top at
//               Vin = Vout/(2η); Idc = Iout·Vout/(η·Vin) is largest at Vin min.
//   buck-boost  ΔI = Vin·Vout/((Vout + η·Vin)·L·fs) rises with Vin: largest at Vin max;
//               Idc = Iout·(1 + Vout/(η·Vin)) is largest at Vin min.
//   The ripple ratio ΔI/Idc (and so the L that a ratio r asks for) is ∝ (1 − Vout/Vin) for
//   a buck (largest at Vin max), ∝ x²·(1 − x) with x = η·Vin/Vout for a boost (top at
//   x = 2/3: Vin = 2·Vout/(3η), D = 1/3), ∝ (Vin/(Vout + η·Vin))² for a buck-boost (largest
//   at Vin max).
// A worst case is therefore found among the ends of the range and these interior tops.
namespace coilsmith::converter {

enum class Topology { Buck, Boost, BuckBoost };

// "buck", "boost", "buck-boost".
std::string_view topologyName(Topology topology);

double dutyCycle(Topology topology, double vinV, double voutV, double efficiency);
double inductorDcCurrentA(Topology topology, double dutyCycle, double ioutA);
double onStateVoltageV(Topology topology, double vinV, double voutV);

// ΔI = V_on·D/(L·fs), peak to peak.
double ripplePeakToPeakA(double onStateVoltageV, double dutyCycle, double inductanceH,
                         double switchingFrequencyHz);

// The input voltages, ends aside, where the ripple or the ripple ratio of this topology can
// peak (the tops named above); they may lie outside a given range.
std::vector<double> interiorPeakInputsV(Topology topology, double voutV, double efficiency);

}  // namespace coilsmith::converter
