#include "patterns/rlewriter.h"

#include "patterns/livecells.h"

#include <ostream>
#include <string>

namespace gridlore {
namespace {

// Collects runs into lines of at most RleLineLength characters, never
// splitting a count from its tag.
class RunWriter
{
public:
    explicit RunWriter(std::ostream &out)
        : out_(out)
    {
    }

    void run(int count, char tag)
    {
        if (count <= 0)
            return;
        std::string token = count > 1 ? std::to_string(count) : std::string();
        token += tag;
        if (line_.size() + token.size() > RleLineLength) {
            out_ << line_ << '\n';
            line_.clear();
        }
        line_ += token;
    }

    void finish()
    {
        run(1, '!');
        out_ << line_ << '\n';
    }

private:
    std::ostream &out_;
    std::string line_;
};

} // namespace

void writeRle(std::ostream &out, const Life &life)
{
    const LiveBox box = liveBox(life);
    out << "#C Copied from gridlore\n";
    out << "x = " << box.width() << ", y = " << box.height() << ", rule = B3/S23\n";
    RunWriter runs(out);
    int rowEnds = 0; // held back, so that no '$' follows the last live row
    for (int j = box.top; j <= box.bottom; ++j) {
        int dead = 0;
        int live = 0;
        for (int i = box.left; i <= box.right; ++i) {
            if (isLive(life, i, j)) {
                if (live == 0) {
                    runs.run(rowEnds, '$');
                    rowEnds = 0;
                    runs.run(dead, 'b');
                    dead = 0;
                }
                ++live;
            } else {
                runs.run(live, 'o');
                live = 0;
                ++dead;
            }
        }
        runs.run(live, 'o'); // dead cells at the end of a row are left out
        ++rowEnds;
    }
    runs.finish();
}

} // namespace gridlore
