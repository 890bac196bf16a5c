#pragma once

// A 24-bit colour as the services hand it out; the window turns it into its
// own colour type.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};
