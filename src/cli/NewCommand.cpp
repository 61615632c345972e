// "new": a complete design file from a specification or from the converter it serves,
// typed into a fresh design window as an engineer would and written as Save As writes it.
#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/Arguments.h"
#include "cli/OpenDesign.h"
#include "converter/ConverterSpecification.h"
#include "converter/SiNumber.h"
#include "converter/WorstCaseSummary.h"
#include "method/StateViews.h"
#include "platform/FileReplacement.h"
#include "platform/ProgramDir.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DesignFile.h"
#include "windowmodel/SpecificationEntry.h"

namespace coilsmith::cli {

namespace {

constexpr std::string_view kPrefix = "coilsmith-cli new: ";

// Options that belong to one way of giving the specification.
constexpr std::string_view kSpecificationOptions[] = {"--dc", "--ripple", "--frequency"};
constexpr std::string_view kConverterOptions[] = {"--vin", "--vout",         "--iout",
                                                  "--fs",  "--ripple-ratio", "--efficiency"};

// A refusal of the command line, said once on standard error.
struct Refusal {
    std::string message;
};

struct NewArguments {
    std::optional<converter::Topology> topology;
    std::map<std::string, std::string, std::less<>> values;  // option → its text
};

// One option that takes a value: its name, the value's name and its help.
struct ValueOption {
    const char* name;
    const char* value;
    const char* help;
};

constexpr ValueOption kSpecificationHelp[] = {
    {"--inductance", "L",
     "the required inductance, henries (100u); with a converter,\n"
     "the inductance instead of a ripple ratio"},
    {"--dc", "A", "the DC current, amperes"},
    {"--ripple", "A", "the ripple current peak to peak, amperes"},
    {"--frequency", "F", "the ripple frequency, hertz (100k)"},
};
constexpr ValueOption kConverterHelp[] = {
    {"--vin", "MIN:MAX", "the input voltage range (or one voltage)"},
    {"--vout", "V", "the output voltage (a magnitude for the buck-boost)"},
    {"--iout", "A", "the output current"},
    {"--fs", "F", "the switching frequency, the ripple frequency of the choke"},
    {"--ripple-ratio", "R", "dI/Idc where it is largest, which sets L (default 0.3)"},
    {"--efficiency", "E", "above 0 and at most 1 (default 1)"},
};
constexpr ValueOption kCommonHelp[] = {
    {"--flux-density", "T",
     "the largest flux density, tesla (default the window's 0.5 T,\nwritten 500 mT)"},
    {"--current-density", "J", "the current density in A/cm^2, 50 to 2000 (default 400)"},
    {"--window-utilisation", "K", "the usable fraction of the window, 0.05 to 0.9 (default 0.4)"},
    {"--core", "NAME", "a core of the catalogue (toroid or E-core, found by its name)"},
    {"--material", "NAME", "a material the core is made in (needs --core)"},
    {"-o", "OUT", "write the file to OUT instead of standard output"},
    {"--catalogue", "PATH", "the core catalogue to use (default: Cores.csx beside the program)"},
    {"--decimal-point", "C", "the decimal separator of the numbers written (default '.')"},
};

template <std::size_t N>
void addValues(CLI::App& app, NewArguments& arguments, const ValueOption (&options)[N],
               const std::string& group) {
    for (const ValueOption& option : options) {
        app.add_option_function<std::string>(
               option.name,
               [&arguments, name = std::string(option.name)](const std::string& value) {
                   arguments.values[name] = value;
               },
               option.help)
            ->option_text(option.value)
            ->group(group);
    }
}

std::unique_ptr<CLI::App> parser(NewArguments& arguments) {
    auto app = commandParser(
        "new",
        "new --inductance L --dc A --ripple A --frequency F [OPTIONS]\n"
        "       coilsmith-cli new --buck|--boost|--buck-boost --vin MIN:MAX --vout V\n"
        "                         --iout A --fs F [--ripple-ratio R | --inductance L]\n"
        "                         [--efficiency E] [OPTIONS]\n"
        "OPTIONS: [--flux-density T] [--current-density J] [--window-utilisation K]\n"
        "         [--core NAME [--material NAME]] [-o OUT] [--catalogue PATH]\n"
        "         [--decimal-point C]",
        "Writes a complete 40-line design file without a hand-written one: the specification\n"
        "is typed into a new design window, Calculate AP is pressed and, with --core, the core\n"
        "type, core and material are chosen, as in the window; the file is what Save As would\n"
        "write then. 'coilsmith-cli design' completes it when it names a core and material;\n"
        "'coilsmith-cli rank' ranks every core for it.",
        "A converter that is not one in continuous conduction (Vout not below Vin for a buck,\n"
        "a duty cycle outside 0.02 to 0.95, dI above 2 Idc) is refused with the reason.\n"
        "\n"
        "Numbers take the prefixes n, u (or \u00b5), m, k and M: 100u, 4.7m, 100k. Each is\n"
        "written in the unit of the window's list that puts it at 1 or above (100 uH, 300 mA,\n"
        "100 kHz) with at most 6 significant digits.\n"
        "\n"
        "Exit status: 0 when the file was written, 2 for bad arguments, a converter or\n"
        "specification that is refused, a core or material that is not in the catalogue, or a\n"
        "file that cannot be written.\n");
    addValues(*app, arguments, kSpecificationHelp, "The specification, given directly");
    const std::string converterGroup = "Converter";
    groupHeading(
        *app, converterGroup,
        "or worked out from a converter in continuous conduction, ideal switches and the losses\n"
        "in an efficiency E (buck D = Vout/(E Vin), Idc = Iout; boost D = 1 - E Vin/Vout,\n"
        "Idc = Iout/(1 - D); inverting buck-boost D = Vout/(Vout + E Vin), Idc = Iout/(1 - D);\n"
        "all dI = Von D/(L fs)). The specification takes the worst case over the input range:\n"
        "the largest dI for the ripple, the largest Idc for the DC current (standard error\n"
        "names the input that gives each)");
    std::vector<CLI::Option*> topologies;
    for (const auto& [name, topology, help] :
         {std::tuple{"--buck", converter::Topology::Buck, "a buck converter (one topology only)"},
          {"--boost", converter::Topology::Boost, "a boost converter"},
          {"--buck-boost", converter::Topology::BuckBoost, "an inverting buck-boost converter"}}) {
        topologies.push_back(
            app->add_flag_callback(
                   name, [&arguments, topology = topology] { arguments.topology = topology; }, help)
                ->group(converterGroup));
        for (std::size_t i = 0; i + 1 < topologies.size(); ++i) {
            topologies.back()->excludes(topologies[i]);
        }
    }
    addValues(*app, arguments, kConverterHelp, converterGroup);
    addValues(*app, arguments, kCommonHelp, "OPTIONS, either way");
    return app;
}

const std::string* valueOf(const NewArguments& parsed, std::string_view option) {
    const auto found = parsed.values.find(option);
    return found == parsed.values.end() ? nullptr : &found->second;
}

double number(const NewArguments& parsed, std::string_view option) {
    const std::string* text = valueOf(parsed, option);
    if (text == nullptr)
        throw Refusal{std::string(option) + " is missing"};
    try {
        return converter::parseSiNumber(*text);
    } catch (const converter::SiTextError& error) {
        throw Refusal{std::string(option) + ": " + error.what()};
    }
}

std::optional<double> optionalNumber(const NewArguments& parsed, std::string_view option) {
    return valueOf(parsed, option) ? std::optional(number(parsed, option)) : std::nullopt;
}

converter::ConverterInput converterInput(const NewArguments& parsed) {
    for (std::string_view option : kSpecificationOptions) {
        if (valueOf(parsed, option))
            throw Refusal{std::string(option) +
                          " belongs to a specification given directly; "
                          "a converter sets it itself"};
    }
    if (valueOf(parsed, "--inductance") && valueOf(parsed, "--ripple-ratio"))
        throw Refusal{"give --inductance or --ripple-ratio, not both: L sets the ripple"};
    converter::ConverterInput input;
    input.topology = *parsed.topology;
    const std::string* range = valueOf(parsed, "--vin");
    if (range == nullptr)
        throw Refusal{"--vin is missing"};
    try {
        const converter::SiRange vin = converter::parseSiRange(*range);
        input.vinMinV = vin.low;
        input.vinMaxV = vin.high;
    } catch (const converter::SiTextError& error) {
        throw Refusal{std::string("--vin: ") + error.what()};
    }
    input.voutV = number(parsed, "--vout");
    input.ioutA = number(parsed, "--iout");
    input.switchingFrequencyHz = number(parsed, "--fs");
    input.inductanceH = optionalNumber(parsed, "--inductance");
    input.rippleRatio = optionalNumber(parsed, "--ripple-ratio").value_or(input.rippleRatio);
    input.efficiency = optionalNumber(parsed, "--efficiency").value_or(input.efficiency);
    return input;
}

// The text and blanks to `width` characters; a UTF-8 sequence ("µ", "Δ") is one.
std::string padded(const std::string& text, std::size_t width) {
    const auto characters =
        static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    return text + std::string(width > characters ? width - characters : 1, ' ');
}

void writeSummary(std::ostream& err, const converter::ConverterInput& input,
                  const converter::ConverterSpecification& specification) {
    err << converter::converterLine(input) << ":\n";
    for (const converter::SummaryRow& row : converter::worstCaseSummary(input, specification)) {
        err << "  " << padded(row.quantity, 8) << padded(row.value, 16) << row.where << "\n";
    }
}

// The choke specification of the arguments; a converter's worst case is said on `err`.
SpecificationEntry specificationEntry(const NewArguments& parsed, std::ostream& err) {
    SpecificationEntry entry;
    if (parsed.topology) {
        const converter::ConverterInput input = converterInput(parsed);
        try {
            const converter::ConverterSpecification specification =
                converter::specifyFromConverter(input);
            writeSummary(err, input, specification);
            entry.inductanceH = specification.choke.inductanceH;
            entry.dcCurrentA = specification.choke.dcCurrentA;
            entry.ripplePeakToPeakA = specification.choke.ripplePeakToPeakA;
            entry.frequencyHz = specification.choke.frequencyHz;
        } catch (const converter::ConverterRefusal& refusal) {
            throw Refusal{refusal.what()};
        }
    } else {
        for (std::string_view option : kConverterOptions) {
            if (valueOf(parsed, option))
                throw Refusal{std::string(option) +
                              " needs a converter: --buck, --boost or "
                              "--buck-boost"};
        }
        entry.inductanceH = number(parsed, "--inductance");
        entry.dcCurrentA = number(parsed, "--dc");
        entry.ripplePeakToPeakA = number(parsed, "--ripple");
        entry.frequencyHz = number(parsed, "--frequency");
    }
    entry.fluxDensityT = optionalNumber(parsed, "--flux-density");
    entry.currentDensityAPerCm2 = optionalNumber(parsed, "--current-density");
    entry.windowUtilisation = optionalNumber(parsed, "--window-utilisation");
    return entry;
}

// The window's messages, kept until the command knows whether they matter.
class CollectingPrompter final : public Prompter {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string&) override { return false; }
    std::vector<std::string> messages;
};

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

// Chooses the core type whose list holds the core, the core, then the material.
void chooseCore(ChokeModel& model, const std::string& core, const std::string* material) {
    const auto& cores = model.control("Core").items;
    model.setOption("Toroid", true);
    if (std::find(cores.begin(), cores.end(), core) == cores.end())
        model.setOption("ECore", true);
    if (std::find(cores.begin(), cores.end(), core) == cores.end())
        throw Refusal{"core " + core + " is neither a toroid nor an E-core of the catalogue " +
                      model.cataloguePath()};
    model.setListText("Core", core);
    if (material == nullptr)
        return;
    const std::vector<std::string> materials = model.control("CoreMat").items;
    if (!model.setListText("CoreMat", *material))
        throw Refusal{"core " + core + " is not made in material " + *material +
                      "; its materials are " + joined(materials)};
}

// The design window with the specification typed, sized and, when asked, the core chosen.
ChokeModel typedDesign(const NewArguments& parsed, const SpecificationEntry& entry,
                       const std::string& programDir, CollectingPrompter& prompter) {
    const std::string* core = valueOf(parsed, "--core");
    const std::string* material = valueOf(parsed, "--material");
    if (material != nullptr && core == nullptr)
        throw Refusal{"--material needs --core: a material is chosen for a core"};
    const std::string* catalogue = valueOf(parsed, "--catalogue");
    const std::string* point = valueOf(parsed, "--decimal-point");
    if (point != nullptr &&
        (point->empty() || point->find_first_of("0123456789+-eE ") != std::string::npos))
        throw Refusal{"'" + *point + "' cannot be a decimal point"};

    ChokeModel model({programDir, locateCatalogue(catalogue ? *catalogue : "", programDir),
                      localeFor(point ? *point : ".")},
                     prompter);
    if (core != nullptr && !model.catalogueOpen())
        throw Refusal{joined(prompter.messages)};
    // The window's starting flux density is typed too, so that it reads in the decimal
    // separator of the file like every other number.
    SpecificationEntry typed = entry;
    if (!typed.fluxDensityT) {
        typed.fluxDensityT = parseNumber(model.text("FD")).value_or(0) *
                             unitFactor(model.state(), SelectedUnit::FluxDensity);
    }
    if (const auto problem = enterSpecification(model, typed))
        throw Refusal{*problem};
    prompter.messages.clear();
    if (!model.sizeChangedSpecification())
        throw Refusal{"Calculate AP refuses the specification: " + joined(prompter.messages)};
    if (core != nullptr) {
        chooseCore(model, *core, material);
        if (!prompter.messages.empty())
            throw Refusal{joined(prompter.messages)};
    }
    return model;
}

int newMain(std::span<const std::string> args, CommandContext& context) {
    NewArguments parsed;
    const auto app = parser(parsed);
    if (const auto status = parseCommandLine(*app, args, context)) {
        return *status;
    }
    if (!parsed.topology && parsed.values.empty()) {
        return usageError(*app, "give a specification or a converter", context);
    }
    try {
        const SpecificationEntry entry = specificationEntry(parsed, context.err);
        CollectingPrompter prompter;
        const std::string text =
            writeDesignFile(typedDesign(parsed, entry, context.programDir, prompter));
        const std::string* output = valueOf(parsed, "-o");
        if (output == nullptr || *output == "-") {
            context.out << text << std::flush;
            return context.out ? kExitDone : kExitUsage;
        }
        try {
            replaceFileContents(*output, text);
        } catch (const FileWriteError& error) {
            context.err << "Cannot write the design file " << *output << ": " << error.what()
                        << "\n";
            return kExitUsage;
        }
        return kExitDone;
    } catch (const Refusal& refusal) {
        context.err << kPrefix << refusal.message << "\n";
        return kExitUsage;
    }
}

}  // namespace

Command newCommand() {
    return {"new",
            "writes a new design file from a specification or from a buck, boost or "
            "buck-boost converter",
            &helpOf<NewArguments, parser>, &newMain};
}

}  // namespace coilsmith::cli
