#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

// A failure ends the handler that raised it; the handler runner shows its
// text with a final "." in an error box and the program carries on. The
// learner's actions put back whatever they had changed before raising it.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& text);
    const QString& text() const { return text_; }

    // The fixed failures of the program, with the offending text in place.
    // A reason, when given, follows in parentheses: "ファイル a.txt は開けま
    // せん(通常のファイルではありません)".
    static Failure notAnInteger(const QByteArray& cp932Text);
    static Failure cannotOpen(const QString& path, const QString& reason = {});
    static Failure cannotCreate(const QString& path, const QString& reason = {});
    static Failure cannotWritePreferences(const QString& path, const QString& reason = {});
    static Failure tooLarge();
    // The same for a file chosen as a word file, naming it and the limit:
    // a film or a disk image picked by mistake is told apart from a word
    // file that merely grew.
    static Failure wordFileTooLarge(const QString& path, qint64 limitBytes);

private:
    QString text_;
};
