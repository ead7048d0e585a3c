#include "bench_data.h"

#include "store/codec.h"

#include <QSaveFile>
#include <QString>

#include <cstdlib>

QByteArray benchWordFile(int records)
{
    static const char* meanings[] = {"りんご",     "走る",   "美しい",   "素早く",
                                     "世話をする", "図書館", "約束する", "静かな"};
    static const char* examples[] = {
        "I ate an apple.",        "He runs fast.", "", "She answered quickly.", "",
        "We met at the library.", "I promise.",    ""};
    static const char* exampleMeanings[] = {
        "私はりんごを食べた。",     "彼は速く走る。", "", "彼女は素早く答えた。", "",
        "私たちは図書館で会った。", "約束します。",   ""};
    QByteArray out;
    out.reserve(records * 64);
    for (int i = 0; i < records; ++i) {
        const int k = i % 8;
        const int asked = i % 3 == 0 ? 5 : (i % 3 == 1 ? 0 : 4);
        const int correct = i % 3 == 0 ? 2 : (i % 3 == 1 ? 0 : 4);
        const QString line = QStringLiteral("word%1,%2,%3,%4,%5,%6,%7")
                                 .arg(i)
                                 .arg(QString::fromUtf8(meanings[k])
                                          + QStringLiteral("（英検%1級・%2）").arg(k % 5 + 1).arg(i),
                                      QString::fromUtf8(examples[k]), QString::fromUtf8(exampleMeanings[k]))
                                 .arg(i % 5)
                                 .arg(asked)
                                 .arg(correct);
        out += cp932::encode(line) + "\r\n";
    }
    return out;
}

void atomicSave(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        std::abort();
}
