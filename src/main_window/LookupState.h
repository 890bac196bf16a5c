#pragma once

#include "PageText.h"

#include <QString>

// What the main window keeps for its tools: the last page text, the cut
// positions (checked 16-bit, so an overflow reaches the tool's error trap)
// and one pending flag per browser tool. Each tool writes what it reads, so
// nothing is carried from one lookup to the next.
struct LookupState {
    QString PageText;
    Pos16 CutStart;
    Pos16 CutEnd;
    Pos16 CutEnd2;
    bool TelPending = false;
    bool SafetyPending = false;
    bool BarcodePending = false;
    bool PostPending = false;
    bool BarcodeShortRetry = false;
};
