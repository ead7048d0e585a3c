// A second process for the tests of hostile files and word file locks. It
// links the store alone and prints one line for what it did, so the tests
// can run it under another user and end it when it hangs.
//
//   store_probe load <file>          "loaded <n>" (bytes) or the failure
//   store_probe save <file>          "saved" or the failure
//   store_probe prefs-read <file>    "value <value>" or the failure
//   store_probe prefs-write <file>   "written" or the failure
//   store_probe hold <word file>     "taken", "held" or "unavailable"; once
//                                    taken, holds the lock until its input
//                                    closes (a normal exit) or it is killed
//   store_probe uid                  its user id

#include "store/failure.h"
#include "store/line_store.h"
#include "store/preferences.h"
#include "store/word_file.h"
#include "store/word_file_lock.h"

#include <QString>
#include <cstdio>
#include <cstring>
#include <functional>
#include <unistd.h>

namespace {

void say(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int attempt(const std::function<QByteArray()>& action)
{
    try {
        say(action());
        return 0;
    } catch (const Failure& f) {
        say(f.text().toUtf8());
        return 3;
    }
}

int hold(const QString& file)
{
    WordFileLock lock;
    switch (lock.lock(file)) {
    case WordFileLock::Result::kTaken: say("taken"); break;
    case WordFileLock::Result::kHeldElsewhere: say("held"); return 0;
    case WordFileLock::Result::kUnavailable: say("unavailable"); return 0;
    }
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) > 0) { }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "uid") == 0) {
        say(QByteArray::number(::getuid()));
        return 0;
    }
    if (argc != 3) {
        std::fputs("usage: store_probe load|save|prefs-read|prefs-write|hold <file>\n", stderr);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[2]);
    const char* mode = argv[1];
    if (std::strcmp(mode, "load") == 0) {
        return attempt([&] {
            LineStore store;
            LoadLines(store, file);
            return "loaded " + QByteArray::number(store.text().size());
        });
    }
    if (std::strcmp(mode, "save") == 0) {
        return attempt([&] {
            LineStore store;
            store.setText("apple,\x82\xe8\x82\xf1\x82\xb2,,,0,0,0\r\n");
            SaveLines(store, file);
            return QByteArray("saved");
        });
    }
    if (std::strcmp(mode, "prefs-read") == 0) {
        return attempt([&] {
            return "value " + prefs::readString(file, prefs::kSection, prefs::kKey, prefs::kDefaultWordFile);
        });
    }
    if (std::strcmp(mode, "prefs-write") == 0) {
        return attempt([&] {
            prefs::writeString(file, prefs::kSection, prefs::kKey, "words\\probe.txt");
            return QByteArray("written");
        });
    }
    if (std::strcmp(mode, "hold") == 0)
        return hold(file);
    std::fputs("unknown mode\n", stderr);
    return 2;
}
