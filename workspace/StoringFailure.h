#pragma once

#include <QString>

// Why a colouring could not be stored, as the adult is told it.
struct StoringFailure {
    QString Folder;            // the folder that could not be written
    QString Reason;            // the system's reason, in its words
    int ErrorNumber = 0;       // the same reason as the system's error number; 0 for none
    bool StoredBefore = false; // a colouring stored before lies there still, as it was
};

// The adult's explanation in the child's message window: the folder and the reason; that
// the colours stored before have been kept, only when there were some; and what to do
// about it: a shorter name for a name too long, else a disk that can be written.
QString StoringFailureText(const StoringFailure& failure);
