#pragma once

#include <QString>

#include <fstream>
#include <string>

namespace gridlore {

// The file that Read or Save names, as the user typed it. Reading never
// waits on a pipe or a terminal; saving puts a regular file in place only
// once it is wholly written, and tells in the user's words why it could not.
class BoardFile
{
public:
    explicit BoardFile(QString name);

    // The file opened for reading, or nothing when reading it could wait for
    // input (a pipe, a terminal) or it cannot be opened: a folder, a missing
    // or unreadable file.
    std::istream *openForReading();

    // Writes `bytes` as the whole file. On failure, failureReason() says why.
    bool save(const std::string &bytes);
    const QString &failureReason() const { return failureReason_; }

private:
    bool saveReplacing(const std::string &bytes);
    bool saveInPlace(const std::string &bytes);

    QString name_;
    std::ifstream in_;
    QString failureReason_;
};

} // namespace gridlore
