#include "spice/ChokeSubcircuit.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "coilsmith/Version.h"
#include "converter/SiNumber.h"
#include "physics/Ripple.h"

namespace coilsmith::spice {

namespace {

// The flux integrator's capacitance (so that v(psi) is ψ in V·s) and the resistance that
// gives its node a DC path: a leak with a time constant of 1e12 s.
constexpr double kIntegratorFarads = 1.0;
constexpr double kIntegratorLeakOhm = 1e12;
// Enough digits that neighbouring table entries differ; all of a double's where not.
constexpr int kTableDigits = 9;
constexpr int kExactDigits = 17;

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isNameCharacter(char c) {
    return isLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

std::string amperes(double value) {
    return asciiText(converter::formatSi(value, "A"));
}

std::string henries(double value) {
    return asciiText(converter::formatSi(value, "H"));
}

std::string ohms(double value) {
    return asciiText(converter::formatSi(value, "Ohm"));
}

std::string number(double value, int digits) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    return std::string(buffer.data(), result.ptr);
}

double readBack(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The table's flux linkages as text, strictly rising as the doubles are.
std::vector<std::string> fluxTexts(const std::vector<double>& flux) {
    for (int digits : {kTableDigits, kExactDigits}) {
        std::vector<std::string> texts;
        bool rising = true;
        for (double value : flux) {
            texts.push_back(number(value, digits));
            rising = rising && (texts.size() == 1 ||
                                readBack(texts.back()) > readBack(texts[texts.size() - 2]));
        }
        if (rising)
            return texts;
    }
    throw SpiceModelError(
        "The inductance curve is too small against the air-core inductance to make a rising "
        "flux table");
}

void requireNonNegative(double value, std::string_view name, std::string_view unit) {
    if (!std::isfinite(value))
        throw SpiceModelError(std::string(name) + " must be a finite number");
    if (value < 0)
        throw SpiceModelError(std::string(name) + " must be zero or above, not " +
                              converter::formatSi(value, unit));
}

void checkInput(const ChokeModelInput& input) {
    const bool nameUsable = !input.name.empty() && isLetter(input.name.front()) &&
                            std::all_of(input.name.begin(), input.name.end(), isNameCharacter);
    if (!nameUsable)
        throw SpiceModelError("\"" + input.name +
                              "\" is not a subcircuit name: use a letter, then letters, "
                              "digits or _");
    if (!input.inductance)
        throw SpiceModelError("The model needs an inductance curve");
    requireNonNegative(input.dcCurrentA, "The DC current", "A");
    requireNonNegative(input.ripplePeakToPeakA, "The ripple", "A");
    if (peakCurrentA(input) <= 0)
        throw SpiceModelError("The model needs a DC current or a ripple above zero");
    if (!std::isfinite(input.frequencyHz) || input.frequencyHz <= 0)
        throw SpiceModelError("The frequency must be above zero, not " +
                              converter::formatSi(input.frequencyHz, "Hz"));
    if (!(input.dutyCycle > 0 && input.dutyCycle < 1))
        throw SpiceModelError("The duty cycle must lie between 0 and 1, not " +
                              converter::formatSignificant(input.dutyCycle));
    requireNonNegative(input.windingResistanceOhm, "The winding resistance", "Ohm");
    requireNonNegative(input.coreLossW, "The core loss", "W");
    requireNonNegative(input.rippleInductanceH, "The ripple's inductance", "H");
    if (input.coreLossW > 0 && input.ripplePeakToPeakA == 0)
        throw SpiceModelError("A core loss needs a ripple to set its parallel resistance");
}

void appendLine(std::string& text, std::string_view line) {
    text.append(line);
    text.push_back('\n');
}

// One comment line per line of the caller's text, control characters dropped.
void appendComment(std::string& text, std::string_view comment) {
    std::string line = "*";
    for (char c : comment) {
        if (c == '\n' || c == '\r') {
            appendLine(text, line);
            line = "*";
        } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) {
            if (line.size() == 1)
                line.push_back(' ');
            line.push_back(c);
        }
    }
    appendLine(text, line);
}

void appendHeader(std::string& text, const ChokeModelInput& input, const FluxTable& table) {
    for (const std::string& line : input.headerLines)
        appendComment(text, line);
    const double ipk = peakCurrentA(input);
    appendComment(text, std::string("Choke model written by Coilsmith ") + kVersionText +
                            " for ngspice (a B source with a pwl table)");
    appendComment(text, "L(0) = " + henries(input.inductance(0)) +
                            ", L(Idc = " + amperes(input.dcCurrentA) +
                            ") = " + henries(input.inductance(input.dcCurrentA)) +
                            ", L(Ipk = " + amperes(ipk) + ") = " + henries(input.inductance(ipk)));
    appendComment(text, "Flux table psi(i) = integral of L(x) from 0 to i: " +
                            std::to_string(table.currentA.size()) + " points over +-" +
                            amperes(kTableEndPerPeakCurrent * ipk) + " (3*Ipk),");
    appendComment(text, "continued at the air-core slope " + henries(input.airCoreInductanceH));
    appendComment(text, "Rw: hot winding resistance " + ohms(input.windingResistanceOhm));
    if (input.coreLossW > 0) {
        appendComment(text, "Rcore: core loss " +
                                asciiText(converter::formatSi(input.coreLossW, "W")) + " at " +
                                asciiText(converter::formatSi(input.frequencyHz, "Hz")) +
                                " as R = V^2/P with V = " +
                                asciiText(converter::formatSi(rippleRmsVoltageV(input), "V")) +
                                ", the rms winding");
        appendComment(text,
                      "voltage of the design ripple: an approximation, right near that ripple "
                      "only");
    }
    appendComment(text,
                  "Inside, v(psi) is the flux linkage in V*s. With a current forced "
                  "through the");
    appendComment(text,
                  "model, use .options method=gear: the trapezoidal rule rings on its "
                  "voltage.");
}

void appendTable(std::string& text, const FluxTable& table) {
    const std::vector<std::string> flux = fluxTexts(table.fluxLinkageWb);
    std::string line = "+";
    for (std::size_t k = 0; k < flux.size(); ++k) {
        const bool last = k + 1 == flux.size();
        const std::string pair =
            " " + flux[k] + ", " + number(table.currentA[k], kTableDigits) + (last ? ")" : ",");
        if (line.size() > 1 && line.size() + pair.size() > static_cast<std::size_t>(kLongestLine)) {
            appendLine(text, line);
            line = "+";
        }
        line += pair;
    }
    appendLine(text, line);
}

}  // namespace

std::string asciiText(std::string text) {
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{"\u00b5", "u"},
                                   {"\u2126", "Ohm"},
                                   {"\u00b0", "deg. "}}) {
        for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, from.size(), to);
    }
    return text;
}

double peakCurrentA(const ChokeModelInput& input) {
    return physics::peakCurrentA(input.dcCurrentA, input.ripplePeakToPeakA);
}

double rippleRmsVoltageV(const ChokeModelInput& input) {
    const double d = input.dutyCycle;
    const double inductanceH =
        input.rippleInductanceH > 0 ? input.rippleInductanceH : input.inductance(input.dcCurrentA);
    return inductanceH * input.ripplePeakToPeakA * input.frequencyHz / std::sqrt(d * (1 - d));
}

double coreLossResistanceOhm(const ChokeModelInput& input) {
    if (input.coreLossW <= 0)
        return 0;
    const double volts = rippleRmsVoltageV(input);
    return volts * volts / input.coreLossW;
}

std::string spiceName(std::string_view text) {
    std::string name;
    for (char c : text)
        name.push_back(isNameCharacter(c) ? c : '_');
    if (name.empty() || !isLetter(name.front()))
        name.insert(0, "L_");
    return name;
}

std::string writeChokeSubcircuit(const ChokeModelInput& input) {
    checkInput(input);
    const FluxTable table =
        fluxLinkageTable(input.inductance, kTableEndPerPeakCurrent * peakCurrentA(input),
                         input.airCoreInductanceH, input.pointsPerSide);
    const double coreLossOhm = coreLossResistanceOhm(input);
    if (!std::isfinite(coreLossOhm))
        throw SpiceModelError("The core loss gives a parallel resistance out of range");

    std::string text;
    appendHeader(text, input, table);
    appendLine(text, ".subckt " + input.name + " 1 2");
    const bool hasResistance = input.windingResistanceOhm > 0;
    const std::string winding = hasResistance ? "w" : "1";
    if (hasResistance)
        appendLine(text, "Rw 1 w " + number(input.windingResistanceOhm, kTableDigits));
    if (coreLossOhm > 0)
        appendLine(text, "Rcore " + winding + " 2 " + number(coreLossOhm, kTableDigits));
    appendLine(text, "Gpsi 0 psi " + winding + " 2 1");
    appendLine(text, "Cpsi psi 0 " + number(kIntegratorFarads, kTableDigits));
    appendLine(text, "Rpsi psi 0 " + number(kIntegratorLeakOhm, kTableDigits));
    appendLine(text, "Bw " + winding + " 2 I = pwl(v(psi),");
    appendTable(text, table);
    appendLine(text, ".ends " + input.name);
    return text;
}

}  // namespace coilsmith::spice
