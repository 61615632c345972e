#include "report/ReportTexts.h"

#include "windowmodel/ChokeModel.h"

namespace coilsmith {

ReportTexts reportTexts(const ChokeModel& model) {
    const auto text = [&model](const char* name) { return model.text(name); };
    ReportTexts t;
    t.Inductance = text("Inductance");
    t.DCC = text("DCC");
    t.DCunit = text("DCunit");
    t.ACC = text("ACC");
    t.ACunit = text("ACunit");
    t.Freq = text("Freq");
    t.Funit = text("Funit");
    t.EffMu = text("EffMu");
    t.NTurns = text("NTurns");
    t.WAWG = text("WAWG");
    t.DCR = text("DCR");
    t.CUL = text("CUL");
    t.COL = text("COL");
    t.PTOT = text("PTOT");
    t.TWT = text("TWT");
    t.TRISE = text("TRISE");
    t.FDmax = text("FDmax");
    t.FDac = text("FDac");
    t.FIdc = text("FIdc");
    t.CDact = text("CDact");
    t.fCore = text("fCore");
    t.Price = text("Price");
    t.limitWarnings = model.exceededLimits();
    return t;
}

}  // namespace coilsmith
