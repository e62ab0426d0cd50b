#pragma once

namespace pulmora::controls {

// What became of a window a card asked the program to open: whether it could be opened at
// all, and, once it closed, what the user chose in it.
template <class Choice>
struct WindowAnswer {
    bool opened = false;
    Choice choice{};
};

}  // namespace pulmora::controls
