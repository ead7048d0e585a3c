#pragma once

namespace speech {
class Speaker;
}
namespace dictionary {
class MeaningFinder;
}

namespace assist {

// The window's one speaker and one dictionary, handed to the panels that
// read words aloud or offer meanings. Neither starts anything when made:
// the engine and the index come on first use.
struct Assistants {
    speech::Speaker* speaker = nullptr;
    dictionary::MeaningFinder* finder = nullptr;
};

} // namespace assist
