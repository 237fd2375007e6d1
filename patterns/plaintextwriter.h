#pragma once

#include "engine/life.h"

#include <iosfwd>
#include <string_view>

namespace gridlore {

// Writes the live cells of the live area (those holding 1, as the drawing
// shows them) as a plaintext pattern: "!Name: " and `name`, then the rows of
// the bounding box of the live cells, '.' dead and 'O' alive. Lines end with
// LF. An empty board gives one dead cell, so that reading the file back
// clears the board rather than finding nothing.
void writePlaintext(std::ostream &out, const Life &life, std::string_view name);

} // namespace gridlore
