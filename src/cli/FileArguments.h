#pragma once

#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

// The check of an output file name against the files a command reads.
namespace coilsmith::cli {

// A file a command reads: what it is ("design file", "catalogue") and its path.
struct InputFile {
    std::string_view role;
    std::string path;
};

// False, after saying so on `err`, when writing `outputPath` would replace one of `inputs`:
// the same file (device and inode) by the same name, another path or a link.
bool outputReplacesNoInput(std::string_view command, const std::string& outputPath,
                           std::initializer_list<InputFile> inputs, std::ostream& err);

}  // namespace coilsmith::cli
