#pragma once

#include "core/trainer.h"
#include "store/codec.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>

// A word as typed on the registration tab, given as UTF-8.
inline NewWord typed(const char* word, const char* mean, const char* example = "",
                     const char* exampleMean = "", int part = 0)
{
    return {QString::fromUtf8(word), QString::fromUtf8(mean), QString::fromUtf8(example),
            QString::fromUtf8(exampleMean), part};
}

// A trainer on a real word file in a temporary folder, with no window.
class TrainerTest : public ::testing::Test {
protected:
    static constexpr const char* kWordFile = "words/default.txt";

    // Records given as UTF-8, written as CP932 lines with CR LF breaks.
    static QByteArray lines(std::initializer_list<const char*> records)
    {
        QByteArray out;
        for (const char* r : records)
            out += sjis(r) + "\r\n";
        return out;
    }
    // "wordK,意味K,,,0,0,0" for K = 1..count.
    static QByteArray numbered(int count)
    {
        QByteArray out;
        for (int k = 1; k <= count; ++k)
            out +=
                "word" + QByteArray::number(k) + ',' + sjis("意味") + QByteArray::number(k) + ",,,0,0,0\r\n";
        return out;
    }

    // Writes the word file and the preferences naming it, and opens it as a
    // start does.
    void open(const QByteArray& bytes)
    {
        folder.write(QString::fromLatin1(kWordFile), bytes);
        folder.writePrefs("words\\default.txt");
        trainer.readDefaultWordFile();
        trainer.openDefaultWordFile();
    }
    QByteArray wordFile() const { return folder.read(QString::fromLatin1(kWordFile)); }
    QByteArray memory() const { return trainer.book().store.text(); }

    // The disk refuses every save: no file may grow past one byte, so every
    // new file is cut short. The word file itself stays as it was.
    void breakSaves()
    {
        limit_.emplace(1);
        ASSERT_TRUE(limit_->ok());
    }
    // The disk is back.
    void mendSaves() { limit_.reset(); }

    TempFolder folder;
    Trainer trainer{folder.prefsFile()};

private:
    std::optional<FileSizeLimit> limit_;
};
