#pragma once

#include <string>
#include <vector>

#include "numeric/Num.h"

namespace coilsmith {

// The field names are the method's own and live only here and in the design file. What
// each holds (single precision where the type is float):
//
//   Lreq      required inductance, H                 Bdes      design flux density, T
//   Idc       DC current, A                          Iac       ripple current peak to peak, A
//   Fexc      ripple frequency, Hz                   Jdes      design current density, A/m²
//   Ku        window utilisation, fraction           Ipk       peak current Idc + Iac/2, A
//   Irms      rms current, A
//   Lfac, Bfac, Ffac, DCfac, ACfac   unit factors of the specification page: the typed
//             inductance, flux density, frequency, DC and AC current times these give
//             H, T, Hz, A and A
//   IsECore   the selected core is an E-core         AppDir    the program's folder
//   a_dim … g_dim   E-core drawing letters, inch: a overall width, b overall height,
//             c stack depth, d inner span, f centre leg width, g window height
//   OD, ID, HT      toroid outer diameter, inner diameter and height, inch
//   Ac        effective cross-section, cm²           Vc        effective volume, cm³
//   Lc        effective magnetic path length, cm     Wa        winding window area, cm²
//   Gap       air gap, mm                            MLT       mean length of a turn, cm
//   SurfArea  outer surface that sheds the heat, cm²
//   MatNo     material name ("-8")                   MuInit    initial permeability µi
//   ah … eh   DC-bias fit, %µ of H in oersted        ab … eb   AC-flux fit, of B in gauss
//   al … dl   core-loss fit, mW/cm³ of B in gauss and f in Hz
//   Density   core density, g/cm³
//   Hdc       DC field strength, Oe                  Bac       peak AC flux density, gauss
//   MuEff     effective permeability µi·kH·kB        Pv        core-loss density, W/cm³

// The design window's state record. A numeric field never written reads as 0. Catalogue
// sourced fields are nullable numbers: an empty catalogue field stays null, null
// propagates through arithmetic and faults when used as a number.
struct DesignState {
    // Specification, scaled to SI units by "Calculate AP".
    double Lreq = 0;  // H
    double Bdes = 0;  // T
    double Idc = 0;   // A
    double Iac = 0;   // A, peak to peak
    float Fexc = 0;   // Hz
    double Jdes = 0;  // A/m^2
    float Ku = 0;     // window utilisation, fraction
    double Ipk = 0;   // A
    double Irms = 0;  // A
    // The specification controls' texts that the fields above were read from by the last
    // successful "Calculate AP"; empty before one and after a refused one. Kept with the
    // values so that a copy or restore of the record keeps them matched.
    std::vector<std::string> sizedSpecification;

    // Unit factors of the specification page.
    double Lfac = 0;
    double Bfac = 0;
    double Ffac = 0;
    double DCfac = 0;
    float ACfac = 0;

    bool IsECore = false;
    std::string AppDir;

    // Selected core. Outline dimensions in inch, the rest in cm, cm^2, cm^3, gap in mm.
    Num a_dim, b_dim, c_dim, f_dim, g_dim;
    Num d_dim;  // E-core inner span: only the design check's winding layout reads it
    Num OD, ID, HT;
    Num Ac, Vc, Lc, Wa, Gap;
    Num MLT, SurfArea;
    // Why the catalogue row of the selected core is not physically sensible, naming its
    // field; empty for a sound row. The design refuses such a core.
    std::string coreRowProblem;

    // Selected material.
    std::string MatNo;
    float MuInit = 0;
    Num ah, bh, ch, dh, eh;
    Num ab, bb, cb, db;
    float eb = 0;
    Num al, bl, cl;
    float dl = 0;
    Num Density;
    std::string materialRowProblem;  // as coreRowProblem, for the material's row

    // Operating point and model results of the design computation.
    double Hdc = 0;  // Oe
    double Bac = 0;  // gauss
    float MuEff = 0;
    double Pv = 0;  // W/cm^3

    friend bool operator==(const DesignState&, const DesignState&) = default;
};

}  // namespace coilsmith
