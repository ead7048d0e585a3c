#include "core/outcome.h"

#include <utility>

Outcome& Outcome::operator+=(const Outcome& later)
{
    if (later.tab)
        tab = later.tab;
    for (auto [mine, theirs] : {std::pair{&words, later.words},
                                {&reloaded, later.reloaded},
                                {&currentFile, later.currentFile},
                                {&defaultFile, later.defaultFile},
                                {&list, later.list},
                                {&quiz, later.quiz},
                                {&newQuestion, later.newQuestion},
                                {&exam, later.exam},
                                {&answerTaken, later.answerTaken},
                                {&results, later.results},
                                {&progress, later.progress},
                                {&clearForm, later.clearForm},
                                {&handOver, later.handOver}})
        *mine = *mine || theirs;
    return *this;
}
