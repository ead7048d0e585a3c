#pragma once

#include "core/trainer.h"
#include "store/codec.h"
#include "support/file_size_limit.h"
#include "support/scripted_questions.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// A trainer on a real word file in a temporary folder, with no window; the
// learner's part is scripted.
class TrainerTest : public ::testing::Test {
protected:
    void SetUp() override { trainer.setQuestions(&learner); }
    void TearDown() override { learner.verifyUsedUp(); }

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

    // Writes the word file and the preferences naming it, and starts on it.
    void open(const QByteArray& bytes)
    {
        folder.write(QString::fromLatin1(kWordFile), bytes);
        folder.writePrefs("words\\default.txt");
        trainer.start();
    }

    // One option as the options tab sets it.
    template <typename T> void option(T Options::*choice, T value)
    {
        Options options = trainer.options();
        options.*choice = value;
        trainer.setOptions(options);
    }
    // The quiz tab chosen: its first question asked, when a word qualifies.
    Outcome startQuiz() { return trainer.switchTab(Tab::Quiz); }
    // Answers the quiz's question: what the learner was told of the answer,
    // or nothing when it was not judged.
    QString quizAnswer(const QString& typed)
    {
        const size_t before = learner.told().size();
        trainer.answerQuiz(typed);
        const std::vector<QString> told = learner.told();
        return told.size() > before ? told[before] : QString();
    }
    // The test running left by choosing another tab, confirmed.
    void abandonExam()
    {
        learner.confirms.push_back(true);
        trainer.switchTab(Tab::About);
    }
    // The commands of the list, with the learner's answers: on the listed
    // record, the new text typed, the deletion confirmed.
    Outcome change(int record, int field, const QString& text)
    {
        if (trainer.tab() != Tab::List)
            trainer.switchTab(Tab::List);
        learner.newTexts.push_back(text);
        return trainer.changeWord(record, field);
    }
    Outcome remove(int record)
    {
        if (trainer.tab() != Tab::List)
            trainer.switchTab(Tab::List);
        learner.confirms.push_back(true);
        return trainer.deleteWord(record);
    }
    // 初期化, confirmed.
    Outcome resetCounts()
    {
        learner.confirms.push_back(true);
        return trainer.resetCounts();
    }
    // 読み込む with the file picked (a missing one started anew).
    Outcome openFile(const QString& picked)
    {
        learner.wordFiles.push_back(picked);
        if (!QFileInfo::exists(picked))
            learner.confirms.push_back(true);
        return trainer.openWordFile();
    }
    // エクスポート... to the file picked under the filter of that form.
    Outcome exportTo(const QString& picked, interchange::ExportFormat format)
    {
        const int filter = format == interchange::ExportFormat::Csv ? 0
            : format == interchange::ExportFormat::AnkiText         ? 1
                                                                    : 2;
        learner.files.push_back(TrainerQuestions::FileChoice{picked, filter});
        return trainer.exportWords();
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
    ScriptedQuestions learner;

private:
    std::optional<FileSizeLimit> limit_;
};
