#pragma once

#include "Fixtures.h"
#include "FrmMain.h"
#include "HyperLink.h"
#include "ProgramFolder.h"
#include "WaitLimit.h"
#include "WhenShown.h"
#include "frmParentMessage.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// A program folder of its own, and a parent at the keyboard: every parent message that
// shows is written down and answered (Continue unless an answer is queued), and dialogs
// are acted on when they show.
class LibraryTest : public testing::Test {
public:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetProgramFolder(folder.path());
        FrmMain::Instance().CurrentPicture.clear();
        answerer.setInterval(5);
        QObject::connect(&answerer, &QTimer::timeout, [this] { Answer(); });
        answerer.start();
        // A dialog left open by a fault is closed, so that no test can hang.
        watchdog.setInterval(WaitLimitMs);
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            watchdogFired = true;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                    dialog->reject();
            frmParentMessage::Instance().Unload();
        });
        watchdog.start();
    }

    void TearDown() override {
        for (const QPointer<QTimer>& poller : pollers)
            delete poller.data();
        FrmMain::Instance().CurrentPicture.clear();
        platform::SetProgramFolder(QString());
        EXPECT_FALSE(watchdogFired) << "a window was left open";
    }

    QString In(const QString& relative) const { return folder.path() + '/' + relative; }
    bool Exists(const QString& relative) const { return QFileInfo::exists(In(relative)); }

    void Write(const QString& relative, const QImage& image, const char* format) const {
        QDir().mkpath(QFileInfo(In(relative)).path());
        ASSERT_TRUE(image.save(In(relative), format, 100)) << relative.toStdString();
    }
    void Drawing(const QString& relative) const { Write(relative, fixtures::LineDrawing(), "BMP"); }
    // A GIF file of a picture's black, white and fully transparent pixels (Qt writes no
    // GIF). The transparent pixels' palette entry is red, so that they only look white
    // when laid over a white back colour.
    void Gif(const QString& relative, const QImage& picture) const {
        QByteArray codes;
        int bits = 0, filled = 0;
        const auto code = [&](int value) {
            bits |= value << filled;
            for (filled += 3; filled >= 8; filled -= 8, bits >>= 8)
                codes.append(char(bits & 0xFF));
        };
        // Plain codes of three bits: a clear code before every two pixels keeps the
        // decoder's table from growing past them.
        const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
        int count = 0;
        for (int y = 0; y < argb.height(); ++y) {
            for (int x = 0; x < argb.width(); ++x) {
                if (count++ % 2 == 0)
                    code(4);
                const QRgb pixel = argb.pixel(x, y);
                code(qAlpha(pixel) == 0 ? 2 : qGray(pixel) < 128 ? 1 : 0);
            }
        }
        code(5);
        if (filled > 0)
            codes.append(char(bits & 0xFF));

        QByteArray gif("GIF89a");
        const auto word = [&](int value) {
            gif.append(char(value & 0xFF));
            gif.append(char(value >> 8));
        };
        word(argb.width());
        word(argb.height());
        gif.append("\x81\x00\x00", 3); // a global palette of four colours
        gif.append("\xFF\xFF\xFF\x00\x00\x00\xFF\x00\x00\x00\x00\x00", 12);
        gif.append("\x21\xF9\x04\x01\x00\x00\x02\x00", 8); // entry 2 transparent
        gif.append(',');
        word(0);
        word(0);
        word(argb.width());
        word(argb.height());
        gif.append('\0');
        gif.append('\x02'); // minimum code size
        for (qsizetype at = 0; at < codes.size(); at += 255) {
            const QByteArray block = codes.mid(at, 255);
            gif.append(char(block.size()));
            gif.append(block);
        }
        gif.append('\0');
        gif.append(';');
        QDir().mkpath(QFileInfo(In(relative)).path());
        QFile file(In(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(gif);
    }
    // A file that no picture loader reads.
    void Junk(const QString& relative) const {
        QDir().mkpath(QFileInfo(In(relative)).path());
        QFile file(In(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("GIF89a this is not a picture");
    }
    void Folder(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(In(relative))); }

    static QStringList Items(const QListWidget& list) {
        QStringList items;
        for (int i = 0; i < list.count(); ++i)
            items << list.item(i)->text();
        return items;
    }
    static void Select(QListWidget& list, const QStringList& names) {
        for (const QString& name : names) {
            const auto found = list.findItems(name, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << name.toStdString();
            found.front()->setSelected(true);
        }
    }

    // Runs `act` once a window of type T shows.
    template <class T> void WhenShown(std::function<void(T&)> act) {
        ::WhenShown<T>(pollers, std::move(act));
    }

    QTemporaryDir folder;
    // The texts of the parent messages shown, in order.
    std::vector<QString> messages;
    // Answers to the next messages: true for Continue, false for Cancel.
    std::deque<bool> answers;

private:
    void Answer() {
        frmParentMessage& message = frmParentMessage::Instance();
        if (!message.Visible())
            return;
        messages.push_back(message.lMessage->text());
        const bool proceed = answers.empty() || answers.front();
        if (!answers.empty())
            answers.pop_front();
        emit(proceed ? message.lContinue : message.lCancel)->Click();
    }

    QTimer answerer;
    QTimer watchdog;
    bool watchdogFired = false;
    std::vector<QPointer<QTimer>> pollers;
};
