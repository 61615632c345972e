#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

// The catalogue as typed records: every core, material, published bias curve and wire
// gauge of Cores.csx read once, in the catalogue's units (inches, cm, cm², cm³, mm, g/cm³,
// Ω/km) as the tables store them. A value the file leaves empty, or holds as a text that is
// not a number, is an empty optional; nothing is checked here (see PhysicsInputs.h).
namespace coilsmith::catalogue {

enum class CoreShape { Toroid, ECore };

// A toroid's finished (coated) sizes.
struct ToroidDimensions {
    std::optional<double> outerDiameterIn;  // OD
    std::optional<double> innerDiameterIn;  // ID
    std::optional<double> heightIn;         // HT
};

// An assembled pair of E halves by the letters of the maker's drawing.
struct ECoreDimensions {
    std::optional<double> overallWidthIn;    // a_dim: across the outer legs
    std::optional<double> overallHeightIn;   // b_dim: of the assembled pair
    std::optional<double> stackDepthIn;      // c_dim: thickness of the core
    std::optional<double> innerSpanIn;       // d_dim: between the two outer legs
    std::optional<double> centreLegWidthIn;  // f_dim
    std::optional<double> windowHeightIn;    // g_dim: of the assembled pair
};

struct CoreRecord {
    std::string name;                       // CoreNo
    std::optional<double> crossSectionCm2;  // AC, effective
    std::optional<double> volumeCm3;        // VC, effective
    std::optional<double> pathLengthCm;     // LC, effective
    std::optional<double> windowCm2;        // WC, E-cores only (a toroid's is its hole)
    std::optional<double> gapMm;            // GAP, E-cores only (toroids have none)
    std::variant<ToroidDimensions, ECoreDimensions> dimensions;
    std::vector<std::string> materials;  // MatNo it is offered in, in link-table order

    CoreShape shape() const noexcept {
        return std::holds_alternative<ECoreDimensions>(dimensions) ? CoreShape::ECore
                                                                   : CoreShape::Toroid;
    }
};

// The five coefficients of a rational fit 0.01·√((n0 + n1·x + n2·x²) / (1 + d1·x + d2·x²)).
struct RationalFitRecord {
    std::optional<double> numeratorConstant;  // ah / ab
    std::optional<double> denominatorLinear;  // bh / bb
    std::optional<double> numeratorLinear;    // ch / cb
    std::optional<double> denominatorSquare;  // dh / db
    std::optional<double> numeratorSquare;    // eh / eb
};

struct MaterialRecord {
    std::string name;                           // MatNo
    std::optional<double> initialPermeability;  // Permeab
    std::optional<double> densityGPerCm3;       // Density
    RationalFitRecord biasFit;                  // ah … eh, H in oersted
    // ab … eb, B the peak AC flux in gauss. The mixes fitted with a polynomial instead read
    // ab + bb·B + cb·√B + db·B² from the same fields (eb unused).
    RationalFitRecord fluxFit;
    // Core loss Pv = f/(al/B³ + bl/B^2.3 + cl/B^1.65) + dl·f²·B², mW/cm³, B in gauss.
    std::optional<double> lossCubeCoefficient;       // al
    std::optional<double> lossPower2_3Coefficient;   // bl
    std::optional<double> lossPower1_65Coefficient;  // cl
    std::optional<double> lossEddyCoefficient;       // dl
    std::optional<double> relativeCost;              // Cost
};

// The maker's published DC-bias curve %µ(H) = 1/(a + b·H^c), H in oersted.
struct BiasCurveRecord {
    std::string material;                 // MatNo
    std::optional<double> offset;         // a
    std::optional<double> fieldFactor;    // b
    std::optional<double> fieldExponent;  // c
};

struct WireRecord {
    int awg = 0;                                 // AWG (−3 for 0000)
    std::optional<double> bareDiameterMm;        // BareDiameter
    std::optional<double> overallDiameterMm;     // OverallDiameter, over the insulation
    std::optional<double> resistance20OhmPerKm;  // Resistance20C
};

// Every record of one catalogue. Names are looked up without regard to letter case, as the
// catalogue's indexes compare them; a name or gauge listed twice finds its first row.
class CatalogueRecords {
  public:
    // Reads the file's seven tables once (through the catalogue cache). CatalogueError
    // naming the file when it or a table cannot be read. Cores come E-cores first, each kind
    // in its primary-key order; rows without a key are left out.
    static CatalogueRecords load(const std::string& catalogueFile);

    CatalogueRecords() = default;
    CatalogueRecords(std::vector<CoreRecord> cores, std::vector<MaterialRecord> materials,
                     std::vector<BiasCurveRecord> biasCurves, std::vector<WireRecord> wires);

    const std::vector<CoreRecord>& cores() const noexcept { return cores_; }
    const std::vector<MaterialRecord>& materials() const noexcept { return materials_; }
    const std::vector<BiasCurveRecord>& biasCurves() const noexcept { return biasCurves_; }
    const std::vector<WireRecord>& wires() const noexcept { return wires_; }

    // Null when there is none. A core name given to an E-core and a toroid finds the E-core
    // unless the shape is named.
    const CoreRecord* findCore(std::string_view name,
                               std::optional<CoreShape> shape = std::nullopt) const;
    const MaterialRecord* findMaterial(std::string_view name) const;
    const BiasCurveRecord* findBiasCurve(std::string_view material) const;
    const WireRecord* findWire(int awg) const;

  private:
    using NameIndex = std::unordered_map<std::string, std::size_t>;

    std::vector<CoreRecord> cores_;
    std::vector<MaterialRecord> materials_;
    std::vector<BiasCurveRecord> biasCurves_;
    std::vector<WireRecord> wires_;
    NameIndex eCoreIndex_, toroidIndex_, materialIndex_, biasCurveIndex_;
    std::unordered_map<int, std::size_t> wireIndex_;
};

}  // namespace coilsmith::catalogue
