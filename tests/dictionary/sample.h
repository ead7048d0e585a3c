#pragma once

#include "dictionary/dictionary.h"
#include "dictionary/meaning_finder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// The hand-written sample dictionary the tests ship, in EUC-JP.
QByteArray sampleEdict();

// The index of EDICT bytes (for any file key), or null.
std::shared_ptr<const dictionary::Dictionary> indexOf(const QByteArray& edict,
                                                      dictionary::BuildReport* report = nullptr);

// The meanings offered for a word, decoded for reading in a test.
QStringList meanings(const dictionary::Dictionary& d, const QString& english, int limit = 8);

// EDICT text in UTF-8 as EUC-JP bytes.
QByteArray euc(const char* utf8);

// Waits (running events) until the finder has left Loading; false after a minute.
bool settled(dictionary::MeaningFinder& finder);
