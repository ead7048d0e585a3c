#pragma once

#include <QByteArray>

// A word file of `records` lines like a learner's: mostly Japanese meanings
// and example sentences, about 60 bytes a record, every third
// word answered with a low rate.
QByteArray benchWordFile(int records);
