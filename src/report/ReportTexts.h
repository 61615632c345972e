#pragma once

#include <string>
#include <vector>

namespace coilsmith {

class ChokeModel;

// The design window's texts that the report prints, exactly as the window shows them.
// Field names are the names of the controls they come from.
struct ReportTexts {
    std::string Inductance;
    std::string DCC;
    std::string DCunit;
    std::string ACC;
    std::string ACunit;
    std::string Freq;
    std::string Funit;
    std::string EffMu;
    std::string NTurns;
    std::string WAWG;
    std::string DCR;
    std::string CUL;
    std::string COL;
    std::string PTOT;
    std::string TWT;
    std::string TRISE;
    std::string FDmax;
    std::string FDac;
    std::string FIdc;
    std::string CDact;
    std::string fCore;
    std::string Price;
    // The limits of the method that the design shown exceeds, as the results page warns.
    std::vector<std::string> limitWarnings{};
};

ReportTexts reportTexts(const ChokeModel& model);

}  // namespace coilsmith
