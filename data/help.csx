COILSMITH HELP
==============

Coilsmith designs power inductors (chokes) that carry a DC current with a
triangular ripple current on top of it, wound on iron-powder E-cores or
toroids. You give the required inductance, the currents, the ripple frequency
and three design limits; Coilsmith sizes the core by its area product, lets
you pick a core and a material from its catalogue, and designs the winding:
number of turns, wire gauge, resistance, losses, weight and temperature rise.


CONTENTS
  1. Workflow
  2. Design Specifications page
  3. Core Database page
  4. Design Results page
  5. How the turns and the wire are chosen
  6. Menus and tool bar
  7. The design file
  8. The printed report
  9. The catalogue
 10. The command-line tool coilsmith-cli
 11. Messages
 12. Design Check


1. WORKFLOW
-----------

  1. File > New opens an empty design with the "Design Specifications" page,
     the cursor in its first field.
  2. Type the specification, pick the units, press "Calculate AP". The minimum
     area product appears and the "Core Database" page becomes available.
  3. On "Core Database" choose E-core or Toroid, pick a core whose area
     product (Core AP) is at least the minimum AP, then pick a material.
     Or let Design > Core Adviser try them all and double-click the best.
  4. Run (menu or tool bar). The "Design Results" page shows the design.
  5. Check Bmax, temperature rise and current density. If they do not suit
     you, pick another core or material and Run again.
  6. Save As writes the design to a text file; Print prints a one-page report.


2. DESIGN SPECIFICATIONS PAGE
-----------------------------

  Desired Inductance         Ldes   the inductance required at full DC
                                    current. Unit: uH, mH or H.
  DC Current                 DCC    the DC current through the winding.
                                    Unit: mA or A.
  AC Current Ripple (pk-pk)  ACC    peak-to-peak value of the triangular
                                    ripple current. Unit: mA or A.
  AC Ripple Frequency        Freq   frequency of the ripple (the switching
                                    frequency). Unit: Hz, kHz or MHz. Used
                                    only for the core loss.
  Current Density            CurD   the current density allowed in the
                                    copper. Pick 100 to 800 A/cm^2 from the
                                    list or type any value from 50 to 2000.
                                    300-400 A/cm^2 is usual for a choke
                                    cooled by free air.
  Window Utilization         WU     the fraction of the core window area
                                    that copper may fill. Pick 0.2 to 0.8
                                    from the list or type any value from
                                    0.05 to 0.9. Round wire on a toroid
                                    rarely exceeds 0.4.
  Maximum Flux Density       FD     the peak flux density allowed in the
                                    core. Unit: mT or T.

  Numbers are typed with the decimal separator of your system's locale.

  "Calculate AP" checks the inputs in this order: inductance, flux density,
  DC current, AC current, frequency, current density, window utilization.
  The first one that is not a number, or that makes no sense (an inductance,
  flux density or frequency of 0 or less, a negative current, a current
  density or window utilization outside its range), is named in a message
  and nothing is computed. A DC current or ripple of 0 is valid. Then:

    peak current      Ipk  = Iac/2 + Idc
    rms current       Irms = sqrt((Iac/2/sqrt(3))^2 + Idc^2)
    stored energy     E    = L * Ipk^2 / 2                        (J)
    area product      AP   = 2E / (Bmax * J * Ku), shown in cm^4

  The result "Minimum Required Area Product, AP (cm^4)" is copied to the
  "Core Database" page.

  Changing a unit or a value does not recompute the AP at once. "Run" reads
  the specification again, with the same checks, whenever it was changed
  after the last "Calculate AP", so the results always belong to the
  specification shown.


3. CORE DATABASE PAGE
---------------------

  Select Core Type    E-core or Toroid. Choosing one clears the core
                      parameters and fills the core list with every core of
                      that type in the catalogue.
  Select Core         the core. Its parameters are shown at once:
                        Ac (cm^2)           effective magnetic cross-section
                        Vc (cm^3)           effective core volume
                        Lc (cm)             magnetic path length
                        Window Area (cm^2)  winding window (for a toroid the
                                            area of the hole, pi*ID^2/4)
                        Core AP (cm^4)      Ac times window area
                      The material list is filled with the materials that
                      core is made in.
  Select Material     the iron-powder mix. Its initial relative
                      permeability is shown in "Permeability".
  Minimum AP Required the AP of the specification. Choose a core whose
                      Core AP is not smaller. The sign between the two
                      boxes says how they stand: "<" while the core's AP
                      is above the minimum, ">" when it is below.

  The mean length of one turn and the outer surface of the wound core, which
  the results need, are computed from the catalogue's outline dimensions (in
  inches; converted with 2.54 cm per inch).


4. DESIGN RESULTS PAGE
----------------------

  Inductance              the desired inductance as typed, with its unit.
  Effective Permeability  relative permeability of the core at the final
                          operating point (DC bias and AC flux), "#0.0".
  Number of Turns         N, see section 5.
  Wire AWG                American Wire Gauge of the round copper wire.
  DC Resistance           resistance of the winding in milliohms (mOhms).
  Copper Loss (W)         Rdc * Irms^2.
  Core Loss (W)           core-loss density of the material at the ripple
                          frequency and the peak AC flux, times Vc.
  Total Loss (W)          copper loss plus core loss.
  Total Weight (g)        copper weight plus core weight (density * Vc).
                          The copper weighs MLT * N * Aw * 8.89 g (mean turn
                          in cm, bare wire area in cm^2): 37 turns of 5 cm on
                          0.012896 cm^2 weigh 21.2 g.
  Temperature Rise        ((total loss in mW) / (1.1 * surface in cm^2))^0.833
     (deg. C)             in free air; an estimate, not a thermal model.
  Bmax (T)                peak flux density L * Ipk / (N * Ac). Must stay
                          below the material's saturation and your limit.
  Bac (T)                 peak AC flux density of the ripple,
                          L * Iac / (2 * N * Ac).
  Hdc (A/cm)              DC magnetising force in ampere-turns per cm
                          (0.798 times 0.4*pi*N*Idc/Lc in oersted;
                          1 Oe = 0.7958 A/cm).
  J (A/cm^2)              actual current density in the chosen wire.
  Core                    core number and material, e.g. T106-26.
  Relative Cost           relative cost of the material (the cheapest common
                          mix is 1.0).

  Run ends with a message and shows the page to correct when no material is
  selected or when a number cannot be computed (for instance a material whose
  coefficients give no permeability at the operating point).

  The method designs on any core it is given, so a design may lie outside its
  own limits. The page then shows a warning line below the results, and the
  printed report a "Warning:" line for each limit: the core's AP below the
  minimum AP, Bmax above the specified flux density, or a temperature rise
  above 100 deg. C (beyond where the rise law holds). The numbers are kept;
  choose a larger core or another material.


5. HOW THE TURNS AND THE WIRE ARE CHOSEN
----------------------------------------

  Turns. A first estimate fills the window at the chosen current density:

      N0 = Ku * Wa * J / Ipk        (Wa in cm^2, J in A/cm^2), rounded.

  Then the turns are searched one at a time against the required inductance.
  At each N the DC magnetising force Hdc = 0.4*pi*N*Idc/Lc (oersted) and the
  AC flux Bac = L*Iac/(2*N*Ac) (gauss) are computed, the permeability of the
  material at that bias and flux is taken from the material's fits:

      mu_eff = mu_initial * kH(Hdc) * kB(Bac)

  (kH falls with DC bias; kB usually rises slightly with AC flux), and the
  inductance of N turns is

      L(N) = mu0 * mu_eff * N^2 * Ac / (gap * mu_eff + Lc).

  If L(N0) is above the requirement the search goes down one turn at a time,
  otherwise up, and it stops at the smallest N whose inductance exceeds the
  requirement. Because the permeability falls with the bias, adding turns
  gives less than N^2 more inductance; when the bias is very high the search
  may need many turns and the window may not hold them (check J and the
  temperature rise).

  Wire. The copper area needed is Irms / J. The gauge is fitted from it:

      AWG = round(-9.922 * log10(area in cm^2) - 2.691)

  and the bare diameter of that gauge is d = 0.808507 * 10^(-AWG/20) cm. The
  actual current density, resistance (copper 1.724 uOhm*cm) and copper
  weight (8.89 g/cm^3) follow from d. Very thick wire gives a gauge of 0 or
  below; no wire table limits the gauge, so use parallel strands or foil
  for such currents.


6. MENUS AND TOOL BAR
---------------------

  File     New, Open, Close, Save, Save As, Print, Exit.
  Edit     Undo, Cut, Copy, Paste on the focused text box (the tool bar
           also has Delete).
  Design   Specifications and Core Database switch pages; Run designs the
           choke (available after "Calculate AP"). Core Adviser (also a
           button on the Core Database page) designs every core and material
           of the catalogue for the current specification and ranks them:
           feasible designs first (core AP at least the minimum AP, Bmax
           within the limit, winding within the window utilisation), the
           others greyed with the reason. Sort by any column; the chart plots
           total loss against total weight, with the designs no other beats
           on both (the Pareto set) in orange. Double-click a row or a point
           to pick that core and material in the design window and run it.
           The ranking follows the specification: after "Calculate AP" it is
           ranked again at once; while a changed specification is only
           typed, the ranking is greyed as out of date until "Rank Again".
           Escape closes the adviser.
  Help     Coilsmith Help (this text; Escape closes it) and About
           Coilsmith. The about box shows the version; "System Info..."
           shows the details a support engineer asks for (system, Qt,
           screen, catalogue), with a Copy button.

  Closing a design or the program asks whether to save it first.


7. THE DESIGN FILE
------------------

  A design is a plain text file (suggested extension .txt) of exactly 40
  lines, one per control of the design window, in this order. Open puts the
  texts back and replays "Calculate AP", the core type, core and material;
  run the design again to recompute the results. A core that the catalogue
  does not hold, or a material not listed for the core, is named in a
  message after any other.

   1 ECore    True/False      21 WinArea   window area (cm^2)
   2 Toroid   True/False      22 MPL       Lc (cm)
   3 Core     core number     23 VCORE     Vc (cm^3)
   4 Price    relative cost   24 ACORE     Ac (cm^2)
   5 fCore    core+material   25 Mu        permeability
   6 CoreMat  material        26 APROD     core AP (cm^4)
   7 CDact    J (A/cm^2)      27 minAP     minimum AP (cm^4)
   8 FIdc     Hdc (A/cm)      28 APR       minimum AP (cm^4)
   9 FDac     Bac (T)         29 Bunit     mT or T
  10 FDmax    Bmax (T)        30 FD        max. flux density
  11 TRISE    temp. rise      31 WU        window utilization
  12 TWT      weight (g)      32 CurD      current density
  13 PTOT     total loss (W)  33 Funit     Hz, kHz or MHz
  14 COL      core loss (W)   34 Freq      ripple frequency
  15 CUL      copper loss (W) 35 ACunit    mA or A
  16 DCR      resistance      36 ACC       ripple current (pk-pk)
  17 WAWG     wire AWG        37 DCunit    mA or A
  18 NTurns   turns           38 DCC       DC current
  19 EffMu    permeability    39 Ldes      desired inductance
  20 Inductance               40 Lunit     uH, mH or H

  Numbers are written as displayed, with your locale's decimal separator.
  Files written on Windows (CR LF line ends, Windows-1252 text) and UTF-8
  files are both read. A file with fewer than 40 lines is refused with a
  message and the open design is kept.


8. THE PRINTED REPORT
---------------------

  File > Print shows the print dialog (on Linux it offers "Print to File
  (PDF)") and prints one page: the title "Coilsmith - " with the design
  file's full path, the heading "Resultant Design Data" and nineteen lines
  with the currents, the frequency and the results as displayed. A design
  that has never been saved prints "Coilsmith - ." as its title. Cancelling
  the dialog prints nothing.


9. THE CATALOGUE
----------------

  The catalogue "Cores.csx" lies in the program's folder. It is an SQLite 3
  database, opened read-only. It is built from the CSV files in
  data/catalogue of the source tree when the program is built.

  Tables (field names are case-sensitive; units as used by the program):

  "E-Cores"           one row per assembled E-core pair
      CoreNo  text, the core number shown in the list (e.g. E100)
      AC cm^2, VC cm^3, LC cm, WC cm^2 (winding window)
      a_dim, b_dim, c_dim  inch: overall width, height of the pair, depth
      d_dim inch inner span between the outer legs (only the design
      check reads it), f_dim inch centre-leg width,
      g_dim inch window height of the pair, GAP mm air gap
  "Toroids"           one row per toroid size
      CoreNo text (e.g. T106), AC cm^2, VC cm^3, LC cm,
      OD, ID, HT inch: outer and inner diameter, height
  "Materials"         one row per iron-powder mix
      MatNo text (e.g. -26), Permeab (initial permeability, integer),
      Density g/cm^3, ah bh ch dh eh (DC-bias fit, H in oersted),
      ab bb cb db eb (AC-flux fit, B in gauss),
      al bl cl dl (core-loss fit: Pv in mW/cm^3, f in Hz, B in gauss),
      Cost (relative cost)
  "Core_Materials"    Core (an E-Cores CoreNo), Mat (a Materials MatNo)
  "Toroid_Materials"  Core (a Toroids CoreNo), Mat (a Materials MatNo)
  "Bias_Curves"       MatNo, a, b, c: the maker's published DC-bias curve
                      %mu = 1 / (a + b H^c), H in oersted (design check)
  "Wires"             AWG, BareDiameter mm, OverallDiameter mm (over heavy
                      insulation), Resistance20C ohm/km (design check)

  Indexes: "E-Cores.PrimaryKey" and "Toroids.PrimaryKey" on CoreNo,
  "Materials.PrimaryKey" on MatNo, "Core_Materials.CoreNo" and
  "Toroid_Materials.CoreNo" on Core. Text keys compare without regard to
  case. The materials of a core are listed in the order of their link rows.

  Adding a core or a material, the recommended way:
    1. Add a row to E-Cores.csv or Toroids.csv (or Materials.csv) in
       data/catalogue. UTF-8, comma separated, "." as decimal point, the
       first row holds the field names, an empty cell is a null value.
    2. Add one row per material the core is made in to Core_Materials.csv
       or Toroid_Materials.csv, next to the core's other rows.
    3. Optionally run "python3 data/catalogue/check_catalogue.py", which
       checks the rows and prints the material models at a few points.
    4. Rebuild (the build tool csx-build regenerates Cores.csx beside the
       program; a bad CSV never leaves a half-written catalogue).

  Editing the database directly: open a copy of Cores.csx with the sqlite3
  shell, INSERT the rows into the tables above and keep the indexes (they
  are ordinary SQLite indexes with the names given). Replace the file
  beside the program while Coilsmith is not running.


10. THE COMMAND-LINE TOOL coilsmith-cli
---------------------------------------

  coilsmith-cli runs the same design core without a display. It lies beside
  the program and uses the same Cores.csx. "coilsmith-cli --help" lists the
  commands, "coilsmith-cli COMMAND --help" describes one.

  coilsmith-cli design FILE [-o OUT] [--catalogue PATH] [--decimal-point C]
      Reads a 40-line design file, does what Open does, runs the design and
      writes the completed 40 lines (to standard output or OUT). A file
      whose numbers are written with the other decimal point is refused
      with one message that says so.

  coilsmith-cli report FILE -o REPORT.pdf [--catalogue PATH]
                [--decimal-point C]
      Runs the design of FILE like "design" and writes its printed report
      as a PDF file, without a display.

  coilsmith-cli rank FILE [--by loss|trise|weight|cost|volume] [--top N]
                [--max-trise DEG] [--all] [--format table|csv|json]
                [--catalogue PATH] [--decimal-point C]
      Designs the specification of a design file on every core and material
      of the catalogue, exactly as the window would, and ranks the designs
      that meet the limits (total loss by default). Every design is also
      checked (section 12): the columns "L at Idc (%)", "Wound fill" and
      "Hot rise (C)", and --checked keeps only the designs whose check
      passes. See "coilsmith-cli rank --help".

  coilsmith-cli check FILE [--ambient C] [--format table|csv|json]
                [--catalogue PATH] [--decimal-point C]
      Runs the design of FILE like "design", then the design check of
      section 12 at the ambient temperature C (default 25). The keys of
      CSV and JSON carry their units in their names; see
      "coilsmith-cli check --help".

  Every message the design window would show goes to standard error, one
  line each. Exit status: 0 done, 1 the design ended on a message, 2 bad
  arguments, an unreadable file or catalogue.


11. MESSAGES
------------

  "Re-Enter Inductance Value" and the other "Re-Enter ..." messages
      the named input is empty, not a number in your locale, or out of range
      (from "Calculate AP", or from Run after the specification was changed).
  "Select a core from the database"  Run without a core and material.
  "Select a core material"           Run without a material.
  "There was a problem printing to your printer."
      the printer or the PDF file could not be written; nothing was printed.


12. DESIGN CHECK
----------------

  The design method above is kept exactly as it is. The design check looks
  at the finished design again with data the method does not use, and says
  where the two disagree. It never changes the design. It is shown on the
  "Design Check" page after every Run, on the second page of the printed
  report, by "coilsmith-cli check" and as three columns of the core
  adviser. A check belongs to the Run that made it: New, Open, Close, a
  refused "Calculate AP" or any change to the specification, the core or
  the material takes the page away (and the report's second page) until
  the next Run. Each figure needs its own data: a material without a bias curve,
  a gauge outside the wire table or an empty catalogue value (an E-core's
  d_dim, say) makes only the figures that need it "unavailable", with the
  reason.

  Inductance on the published DC-bias curve
      The method finds the turns with an effective permeability fitted to
      the DC bias and reduced by an AC-flux factor. The check uses the
      maker's published curve instead, without the AC factor:
        H  = 0.4 pi N I / Lc                        (oersted; Lc in cm)
        mu = mu_i (1 / (a + b H^c)) / 100
        L  = mu0 mu N^2 Ac / (Gap mu + Lc)          (SI units, Gap in m)
      L(0), L(Idc) and L(Ipk), with Ipk = Idc + Iac/2, each also in % of the
      required L; the swing L(0)/L(Idc); the fewest turns from the design's
      up with L(Idc) >= the required L ("Turns for L at Idc"); and the curve
      L(I) at 101 points from 0 to 2 Ipk. Limits: the curve is the maker's
      typical one (commonly +-10 % from batch to batch); it is DC bias only,
      so it reads higher than the method where the AC flux is large.

  Winding layers
      The wire's diameter over its insulation (do) from the wire table.
      Toroid: layer k on the inner wall takes floor(pi (ID - (2k-1) do) / do)
      turns; when a layer takes none the hole is closed and the winding does
      not fit. E-core: floor(g / do) turns per layer across the window
      height g, the layers built outward across (d - f)/2; it fits when
      layers x do is no more. Fill = N pi do^2 / 4 / Wa, with the insulation,
      where the design's own fill counts bare copper. Limits: perfect
      layers, no bobbin, tape or creepage allowance.

  Wound mean turn
      Layer k's turn length: toroid 2 ((OD - ID)/2 + HT) + 8 (k - 1/2) do,
      E-core 2 (f + c) + 8 (k - 1/2) do (outline in inches x 2.54 cm); the
      mean is weighted by the turns of each layer. Rdc20 = mean turn x N x
      the table's ohm/km. The method's mean turn is a fixed share of the
      outline and does not grow with the layers.

  AC resistance (Dowell)
      The ripple is a symmetric triangle: its odd harmonics n = 1, 3 ... 19
      have rms values 4 Iac / (pi^2 n^2 sqrt 2). Each sees Dowell's factor
        D  = (pi/4)^(3/4) (d / delta) sqrt(d / do),
        Fr = D [(sinh 2D + sin 2D)/(cosh 2D - cos 2D)
               + 2 (m^2 - 1)/3 (sinh D - sin D)/(cosh D + cos D)]
      for m layers and the skin depth delta = sqrt(rho / (pi f mu0)) at
      n f. "Rac/Rdc" is Fr at the ripple frequency. Copper loss =
      Idc^2 Rhot + sum of Irms,n^2 Rhot Fr,n; "Irms^2 Rhot" is the same
      without the AC factor, for comparison. Limits: Dowell assumes full
      layers across a flat window, one winding, and no fringing field at
      a gap; a toroid's outer layers are not full.

  Hot copper
      rho and R rise by 0.00393 per K above 20 C. Starting at ambient + the
      design's rise, the check repeats T = ambient + dT(P(T)), with the
      design's law dT = (P[mW] / (1.1 surface[cm^2]))^0.833 and P the hot
      copper loss plus the design's core loss, until T moves less than
      0.01 C. No settling within 100 rounds, or T above 250 C, is thermal
      runaway. Limits: the core loss is the design's at its own point; the
      temperature law is the design's empirical one for free air.

  Verdicts
      L at Idc          pass at >= 100 % of the required L, warning at
                        >= 90 %, fail below
      L at Ipk          pass at >= 90 %, warning at >= 70 %, fail below;
                        never better than L at Idc (the required L
                        is the L at Idc, and L at Ipk is lower)
      Winding fits      pass or fail
      Fill              pass up to the window utilisation Ku, warning above
      Hot temperature   pass up to 125 C (iron powder), fail above it or on
                        thermal runaway
      Area product      pass when the core's AP is at least the minimum AP,
                        warning below it
      Flux density      pass when Bmax is at most the specified flux
                        density, warning above it
                        (these two are the design method's own limits)
      A design passes its check ("Checked only" in the core adviser, rank
      --checked) when no verdict fails and none is unavailable; a warning
      passes.

      The delivered design. Beside the design as the method made it, the
      check page shows the design that really delivers the required L at
      full DC current by the maker's published curve: the fewest turns N
      with L(Idc; N) at least the required L, on a stack of 1, 2 or 3
      identical cores side by side (cross-section, volume and core weight
      times the stack; a toroid's height or an E-core's depth times the
      stack). It is wound with the method's own gauge, laid out in real
      layers, must fit with a fill within Ku, and is taken to its hot
      temperature with its copper and core loss. Its copper weight is the
      wound mean turn times N times the bare wire area times 8.89 g/cm3.
      "Stack" chooses 1, 2, 3 or the smallest stack that passes (the
      default, remembered). Figures that differ from the method's design
      are shown in bold, and a sentence says what changed. Its five
      verdicts follow the rules above. The printed report carries the
      same column on its second page.

      Design > Core Adviser ranks the delivered designs when "Delivered
      designs" is ticked (the default, remembered): every core, in every
      material it is made in, on 1 to 3 cores; a candidate is feasible when
      it reaches L at Idc, fits and no verdict fails or is unavailable.
      Double-clicking one opens it with the check page's stack set to the
      candidate's. coilsmith-cli rank --delivered ranks the same way, and
      coilsmith-cli check --stack 1|2|3|auto shows the delivered column.
