#pragma once

#include <QString>

// How a record's numbers are shown to the learner.

// "--" for a word never answered, otherwise the rate in percent rounded to
// the nearest integer, ties to even.
QString AccuracyText(int asked, int correct);

// 0 名詞 … 4 熟語; empty for any other index.
QString PartName(int index);
