#include "cli/FileArguments.h"

#include <sys/stat.h>

#include <ostream>

namespace coilsmith::cli {

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace

bool outputReplacesNoInput(std::string_view command, const std::string& outputPath,
                           std::initializer_list<InputFile> inputs, std::ostream& err) {
    for (const InputFile& input : inputs) {
        if (sameFile(outputPath, input.path)) {
            err << "coilsmith-cli " << command << ": the output file " << outputPath << " is the "
                << input.role << " " << input.path << "; write to another file\n";
            return false;
        }
    }
    return true;
}

}  // namespace coilsmith::cli
