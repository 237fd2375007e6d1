#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace gridlore {

// The patterns that come with the program: the files of one folder.
class PatternCollection
{
public:
    explicit PatternCollection(std::filesystem::path folder);

    // The file names of its patterns, sorted, as Read takes them; none when
    // the folder cannot be read.
    std::vector<std::string> names() const;

    // The file Read opens for a name as the user typed it. A bare file name
    // (no folder in it) that is not in the current folder is taken from the
    // collection when the collection has it; anything else is the name
    // itself, so a file in the current folder always wins.
    std::filesystem::path resolve(const std::filesystem::path &typed) const;

private:
    std::filesystem::path folder_;
};

} // namespace gridlore
