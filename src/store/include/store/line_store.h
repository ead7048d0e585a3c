#pragma once

#include <QByteArray>
#include <vector>

// The word store: a text of CR LF separated lines of CP932 bytes, kept as
// its lines plus whether the text ends with a line break. When it does (or
// the text is empty) the empty stretch behind the last break is the "open
// end": not a line, but readable as empty and writable like a line.
// No line ever holds a CR, an LF or a zero byte.
class LineStore {
public:
    int LineCount() const { return static_cast<int>(lines_.size()); }
    bool endsWithBreak() const { return endsWithBreak_; }

    // Empty for any index that is not a line; never an error.
    const QByteArray& ReadLine(int index) const;
    // Replaces line `index` or fills the open end; ignores any other index.
    void WriteLine(int index, const QByteArray& text);
    // The text becomes the new last line, behind every line, empty ones too.
    void AppendLine(const QByteArray& text);
    // The text becomes line `index`, in front of the line that was there;
    // at LineCount it is AppendLine. Ignores any other index.
    void InsertLine(int index, const QByteArray& text);
    // Removes the line with one line break next to it.
    void DeleteLine(int index);
    void ClearLines();

    // The whole text, lines joined by CR LF.
    QByteArray text() const;
    // Takes raw bytes; every CR LF, lone CR and lone LF becomes one break.
    void setText(const QByteArray& bytes);

private:
    void normalise();

    std::vector<QByteArray> lines_;
    bool endsWithBreak_ = false;
};
