#pragma once

#include "Rgb.h"

#include <QString>

// What the signature check tells the user: a fixed text in a colour.
struct Verdict {
    QString text;
    Rgb colour;
    friend bool operator==(const Verdict &, const Verdict &) = default;
};
