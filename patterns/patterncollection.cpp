#include "patterns/patterncollection.h"

#include <algorithm>
#include <system_error>

namespace gridlore {

namespace fs = std::filesystem;

PatternCollection::PatternCollection(fs::path folder)
    : folder_(std::move(folder))
{
}

// Errors are answered by what they leave: no names, or the name as typed.
std::vector<std::string> PatternCollection::names() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder_, error), end; !error && entry != end;
         entry.increment(error))
        if (entry->is_regular_file(error))
            names.push_back(entry->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

fs::path PatternCollection::resolve(const fs::path &typed) const
{
    std::error_code error;
    if (typed.empty() || typed.has_parent_path() || fs::exists(typed, error))
        return typed;
    const fs::path bundled = folder_ / typed;
    return fs::is_regular_file(bundled, error) ? bundled : typed;
}

} // namespace gridlore
