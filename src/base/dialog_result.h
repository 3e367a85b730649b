#pragma once

namespace wyn {

// How a dialog's core object stands: still open, closed with OK (or the
// wizard's Finish), or closed with Cancel. Every dialog's window closes on
// the change that ends Open, with the matching result.
enum class DialogResult { Open, Ok, Cancel };

inline bool isClosed(DialogResult result) {
    return result != DialogResult::Open;
}

}  // namespace wyn
