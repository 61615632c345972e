#pragma once

#include "CliProcess.h"

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace coilsmith::test {

// Line numbers (1-based) of the design file.
constexpr int kToroid = 2, kCore = 3, kFCore = 5, kCoreMat = 6, kAPR = 28;

// The lines of a design file, each ended by CR LF.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        out.push_back(text.substr(at, end - at));
    }
    return out;
}

// coilsmith-cli run on design files written into the test's folder.
class DesignFileTest : public CliProcessTest {
  protected:
    // The design file of a new window (its starting texts: 25 uH at 25 A DC, 5 A p-p at
    // 50 kHz), with changes by line number; its name quoted for the shell.
    std::string design(std::vector<std::pair<int, std::string>> changes, const char* name) {
        std::vector<std::string> texts{"False", "False"};
        texts.resize(28);
        texts.insert(texts.end(),
                     {"T", "0.5", "0.4", "400", "kHz", "50", "A", "5", "A", "25", "25", "uH"});
        for (auto& [line, text] : changes) {
            texts[line - 1] = std::move(text);
        }
        std::ofstream out(dir / name, std::ios::binary);
        for (const auto& line : texts) {
            out << line << "\r\n";
        }
        return file(name);
    }
    std::string file(const char* name) const { return "'" + (dir / name).string() + "'"; }
};

}  // namespace coilsmith::test
