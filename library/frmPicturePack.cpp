#include "frmPicturePack.h"

#include <QWidget>

void frmPicturePack::CreateWidgets(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Create a Picture Pack"));
}
