#include "patterns/rlewriter.h"

#include <algorithm>
#include <ostream>
#include <string>

namespace gridlore {
namespace {

struct Box
{
    int left = 0, top = 0, right = -1, bottom = -1; // empty while right < left
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

bool alive(const Life &life, int column, int row)
{
    return life.board().at(column, row).number() == 1.0;
}

Box liveBox(const Life &life)
{
    Box box;
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j) {
            if (!alive(life, i, j))
                continue;
            if (box.right < box.left) {
                box = { i, j, i, j };
                continue;
            }
            box.left = std::min(box.left, i);
            box.right = std::max(box.right, i);
            box.top = std::min(box.top, j);
            box.bottom = std::max(box.bottom, j);
        }
    return box;
}

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
    const Box box = liveBox(life);
    const bool empty = box.right < box.left;
    out << "#C Copied from gridlore\n";
    out << "x = " << (empty ? 0 : box.width()) << ", y = " << (empty ? 0 : box.height())
        << ", rule = B3/S23\n";
    RunWriter runs(out);
    int rowEnds = 0; // held back, so that no '$' follows the last live row
    for (int j = box.top; !empty && j <= box.bottom; ++j) {
        int dead = 0;
        int live = 0;
        for (int i = box.left; i <= box.right; ++i) {
            if (alive(life, i, j)) {
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
