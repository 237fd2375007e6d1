#pragma once

namespace gridlore {

// Settings Qt WebEngine reads only once, at start-up: call this before the
// QApplication is created.
void prepareWebEngine();

} // namespace gridlore
