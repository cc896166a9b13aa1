#pragma once

#include <QString>

// One cell of the chooser's sheet: the 100 x 100 square whose top-left corner is (X, Y),
// showing the picture File of the book folder Folder (a full path without a trailing
// separator).
struct ThumbCell {
    long X = 0;
    long Y = 0;
    QString File;
    QString Folder;
};
