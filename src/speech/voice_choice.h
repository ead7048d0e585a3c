#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace speech {

// Of the voices an engine offers for a locale, the one to speak with: a
// synthesiser's base voice of that country (espeak-ng lists "English
// (America)" and also "English (America, New York City)", "English
// (Caribbean)" and "English (America)+Adam" under en_US). The index into
// `names`, or -1 when there is none.
int bestVoice(const QStringList& names, const QLocale& locale);

// Why a speaker cannot speak, as its controls say it.
namespace reason {
QString noEngine();
QString noModule();
QString cannotStart(const QString& engine);
QString noEnglishVoice();
QString noAnswer();
QString noSound();
QString failed();
} // namespace reason

} // namespace speech
