#pragma once

#include "HyperLink.h"
#include "frmMessage.h"
#include "frmParentMessage.h"
#include "pButton.h"

#include <QLabel>
#include <QStringList>
#include <QTest>
#include <QTimer>

// Answers the message windows as a person would, while the code under test waits in
// their modal loops: each one shown is recorded and closed with the given answer.
class ModalAnswers {
public:
    enum Answer { Ok, Cancel };

    explicit ModalAnswers(Answer answer = Ok) : answer_(answer) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start(10);
    }

    QStringList parentMessages; // the adult's notices, in the order shown
    QStringList childMessages;  // the child's messages

private:
    void Poll() {
        frmParentMessage& parent = frmParentMessage::Instance();
        if (parent.IsLoaded() && parent.Visible()) {
            parentMessages.append(parent.lMessage->text());
            const bool cancel = answer_ == Cancel && !parent.lCancel->isHidden();
            QTest::mouseClick(cancel ? parent.lCancel : parent.lContinue, Qt::LeftButton);
            if (parent.IsLoaded() && parent.Visible())
                parent.Unload();
        }
        frmMessage& child = frmMessage::Instance();
        if (child.IsLoaded() && child.Visible()) {
            childMessages.append(child.Label1->text());
            if (answer_ == Ok)
                child.cOut1_Click();
            else
                child.cOut2_Click();
            if (child.IsLoaded() && child.Visible())
                child.Unload();
        }
    }

    Answer answer_;
    QTimer poll_;
};
