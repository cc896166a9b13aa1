#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

// Runs `act` once a top-level window of type T shows, looking every 10 ms. The poller is
// added to `pollers`; their owner deletes those still there when the test ends.
template <class T>
void WhenShown(std::vector<QPointer<QTimer>>& pollers, std::function<void(T&)> act) {
    auto* poller = new QTimer;
    pollers.emplace_back(poller);
    poller->setInterval(10);
    QObject::connect(poller, &QTimer::timeout, [poller, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<T*>(widget); window && window->isVisible()) {
                poller->stop();
                act(*window);
                return;
            }
        }
    });
    poller->start();
}
