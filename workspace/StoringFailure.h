#pragma once

#include <QString>

// Why a colouring could not be stored, as the adult is told it.
struct StoringFailure {
    QString Folder;            // the folder that could not be written
    QString Reason;            // the system's reason, in its words
    int ErrorNumber = 0;       // the same reason as the system's error number; 0 for none
    bool StoredBefore = false; // a colouring stored before lies there still, as it was
    bool PageOnly = false;     // the colours were stored: only an own picture's page failed
};

// The adult's explanation in the child's message window: what could not be stored (the
// colours, or an own picture's page once its colours were stored), the folder and the
// reason; that what was stored before has been kept, only when there was something; and
// what to do about it: a shorter name for a name too long, else a disk that can be written.
QString StoringFailureText(const StoringFailure& failure);
