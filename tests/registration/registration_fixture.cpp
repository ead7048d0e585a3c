#include "registration_fixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

QByteArray records(std::initializer_list<const char*> utf8Lines)
{
    QByteArray out;
    for (const char* line : utf8Lines)
        out += sjis(line) + "\r\n";
    return out;
}

QByteArray manyRecords(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += "w" + QByteArray::number(i) + ",m,,,0,0,0\r\n";
    return out;
}

void typeInto(QLineEdit* edit, const QString& text)
{
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(edit, text);
        return;
    }
    edit->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(edit, &commit);
}

bool inputMethodOn(QLineEdit* edit)
{
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImHints);
    QApplication::sendEvent(edit, &query);
    return query.value(Qt::ImEnabled).toBool();
}

void RegistrationFixture::registerWord(const QString& word, const QString& mean, const QString& example,
                                       const QString& exampleMean)
{
    typeInto(panel().word, word);
    typeInto(panel().mean, mean);
    typeInto(panel().example, example);
    typeInto(panel().examplemean, exampleMean);
    QTest::mouseClick(panel().registerButton, Qt::LeftButton);
}
