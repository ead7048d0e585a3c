#include "sample.h"

#include "store/codec.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QStringEncoder>

using namespace dictionary;

QByteArray sampleEdict()
{
    QFile f(QStringLiteral(LEXIWREN_DICTIONARY_SAMPLE));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::shared_ptr<const Dictionary> indexOf(const QByteArray& edict, BuildReport* report)
{
    const SourceKey key{quint64(edict.size()), 1};
    return Dictionary::fromImage(Dictionary::build(edict, key, report), key);
}

QStringList meanings(const Dictionary& d, const QString& english, int limit)
{
    QStringList out;
    for (const Suggestion& s : d.lookup(english, limit))
        out << cp932::decode(s.meaning());
    return out;
}

QByteArray euc(const char* utf8)
{
    QStringEncoder encoder("EUC-JP");
    return encoder.encode(QString::fromUtf8(utf8));
}

bool settled(MeaningFinder& finder)
{
    const QDeadlineTimer deadline(60000);
    while (finder.state() == MeaningFinder::State::Loading && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return finder.state() != MeaningFinder::State::Loading;
}
