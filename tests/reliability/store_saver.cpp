// The child process of the reliability tests.
//
//   store_saver loop <file> <first>
//       saves store <first>, <first>+1, … to <file> with SaveLines until it
//       is killed; prints "saving" once it is about to start.
//   store_saver limited <file> <bytes> <k>
//       saves store <k> once under a file-size limit of <bytes> (SIGXFSZ
//       ignored, so the write fails instead of killing us); prints the
//       failure text; exits 0 when saved, 3 when the save was refused.

#include "saved_store.h"
#include "store/failure.h"
#include "store/line_store.h"
#include "store/word_file.h"

#include <QCoreApplication>
#include <QString>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

int loop(const QString& file, quint32 first)
{
    std::puts("saving");
    std::fflush(stdout);
    LineStore store;
    for (quint32 k = first;; ++k) {
        store.setText(savedStore(k));
        SaveLines(store, file);
    }
}

int limited(const QString& file, rlim_t bytes, quint32 k)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    LineStore store;
    store.setText(savedStore(k));
    try {
        SaveLines(store, file);
    } catch (const Failure& f) {
        std::fputs(f.text().toUtf8().constData(), stdout);
        return 3;
    }
    return 0;
}

// Prints what would be shown; answers like a cancelled dialog.
} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "loop") == 0)
        return loop(QString::fromLocal8Bit(argv[2]), quint32(std::strtoul(argv[3], nullptr, 10)));
    if (argc == 5 && std::strcmp(argv[1], "limited") == 0)
        return limited(QString::fromLocal8Bit(argv[2]), rlim_t(std::strtoull(argv[3], nullptr, 10)),
                       quint32(std::strtoul(argv[4], nullptr, 10)));
    std::fputs("usage: store_saver loop|limited ...\n", stderr);
    return 2;
}
