// Writes the benchmarks' word file of N records: make_word_file N OUTPUT
#include "bench_data.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_word_file N OUTPUT\n");
        return 2;
    }
    const QByteArray bytes = benchWordFile(std::atoi(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return 1;
    return 0;
}
