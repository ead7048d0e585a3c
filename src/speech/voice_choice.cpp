#include "voice_choice.h"

#include <QRegularExpression>

namespace speech {

namespace {

QStringList countryWords(const QLocale& locale)
{
    switch (locale.territory()) {
    case QLocale::UnitedStates:
        return {QStringLiteral("America"), QStringLiteral("American"), QStringLiteral("United States"),
                QStringLiteral("US")};
    case QLocale::UnitedKingdom:
        return {QStringLiteral("Britain"), QStringLiteral("British"), QStringLiteral("United Kingdom"),
                QStringLiteral("UK"), QStringLiteral("England")};
    default: return {QLocale::territoryToString(locale.territory())};
    }
}

int score(const QString& name, const QStringList& country)
{
    int s = 0;
    // "+Adam": a variant of a base voice.
    if (name.contains(QLatin1Char('+')))
        s -= 100;
    for (const QString& word : country) {
        if (name.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(word)),
                                             QRegularExpression::CaseInsensitiveOption))) {
            s += 10;
            break;
        }
    }
    return s;
}

} // namespace

int bestVoice(const QStringList& names, const QLocale& locale)
{
    const QStringList country = countryWords(locale);
    int best = -1;
    int bestScore = 0;
    for (int i = 0; i < names.size(); ++i) {
        const int s = score(names[i], country);
        // The shorter name of two alike: the city's or region's voice names more.
        if (best < 0 || s > bestScore || (s == bestScore && names[i].size() < names[best].size())) {
            best = i;
            bestScore = s;
        }
    }
    return best;
}

namespace reason {

QString noEngine()
{
    return QStringLiteral(
        "読み上げには音声エンジンが要ります（speech-dispatcher と espeak-ng を入れてください）");
}

QString noModule()
{
    return QStringLiteral(
        "読み上げの部品 liblexiwren_speech_engine.so が見つかりません（Lexiwren を入れ直してください）");
}

QString cannotStart(const QString& engine)
{
    const QString name = engine == QLatin1String("speechd") ? QStringLiteral("speech-dispatcher") : engine;
    return QStringLiteral("音声エンジン %1 を使えません").arg(name);
}

QString noEnglishVoice()
{
    return QStringLiteral("英語の音声がありません（espeak-ng を入れてください）");
}

QString noAnswer()
{
    return QStringLiteral("音声エンジンが応答しません");
}

QString noSound()
{
    return QStringLiteral("読み上げが終わりません（音の出力先を確かめてください）");
}

QString failed()
{
    return QStringLiteral("音声エンジンでエラーが起きました");
}

} // namespace reason

} // namespace speech
