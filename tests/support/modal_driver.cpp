#include "support/modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

ModalDriver::ModalDriver()
{
    connect(&timer_, &QTimer::timeout, this, &ModalDriver::look);
    timer_.start(10);
}

void ModalDriver::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    // One window, one step: a box closed by a step may linger a moment as
    // the active one.
    if (!modal || !modal->isVisible() || steps_.empty() || modal == acted_)
        return;
    if (!modal->inherits(steps_.front().kind)) {
        ADD_FAILURE() << "a " << modal->metaObject()->className() << " opened where the learner expected a "
                      << steps_.front().kind;
        acted_ = modal;
        modal->close();
        return;
    }
    if (steps_.front().act(modal)) {
        acted_ = modal;
        steps_.pop_front();
    }
}

ModalDriver::Step ModalDriver::pickFile(const QString& name, const QString& filter)
{
    return {"QFileDialog", [=](QWidget* modal) {
                auto* dialog = static_cast<QFileDialog*>(modal);
                auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                if (!edit || !types)
                    return false;
                // Typed into the field that has the keyboard, as a learner types:
                // the dialog keeps its list's selection in step with the name
                // only while the field has the focus.
                if (!dialog->isActiveWindow()) {
                    dialog->activateWindow();
                    return false;
                }
                if (!filter.isEmpty()) {
                    types->setFocus();
                    QTest::keyClick(types, Qt::Key_Home);
                    for (int i = 0; i < types->count() && !types->currentText().startsWith(filter); ++i)
                        QTest::keyClick(types, Qt::Key_Down);
                }
                edit->setFocus();
                edit->clear();
                QTest::keyClicks(edit, name);
                QTest::keyClick(edit, Qt::Key_Return);
                return true;
            }};
}

ModalDriver::Step ModalDriver::cancelFile()
{
    return {"QFileDialog", [](QWidget* modal) {
                QTest::keyClick(modal, Qt::Key_Escape);
                return true;
            }};
}

ModalDriver::Step ModalDriver::answerBox(QString* text, const QString& button)
{
    return {"QMessageBox", [=](QWidget* modal) {
                auto* box = static_cast<QMessageBox*>(modal);
                if (text)
                    *text = box->text();
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text() == button) {
                        QTest::mouseClick(b, Qt::LeftButton);
                        return true;
                    }
                }
                return false;
            }};
}
