#pragma once

#include <QString>
#include <stdexcept>

// The page cut every lookup follows: positions are 1-based UTF-16 offsets into
// the rendered page text, kept in checked signed 16-bit integers; the
// substring step refuses a start below 1 or a negative length. Tools catch the
// two error types below in their error traps.

// A position, sum or difference outside -32768..32767.
struct OverflowError : std::runtime_error {
    OverflowError() : std::runtime_error("overflow") {}
};

// Start below 1 or negative length in Mid.
struct InvalidArgumentError : std::runtime_error {
    InvalidArgumentError() : std::runtime_error("invalid procedure call or argument") {}
};

// A signed 16-bit position whose arithmetic raises OverflowError instead of
// wrapping. Construct from a 32-bit position; adding, subtracting and
// assigning all check the range.
class Pos16
{
public:
    constexpr Pos16() = default;
    Pos16(long long value) : m_value(check(value)) {} // NOLINT: positions come in as plain numbers
    short value() const { return m_value; }
    operator int() const { return m_value; } // NOLINT
    Pos16 operator+(Pos16 other) const { return Pos16(static_cast<long long>(m_value) + other.m_value); }
    Pos16 operator-(Pos16 other) const { return Pos16(static_cast<long long>(m_value) - other.m_value); }
    Pos16 operator+(int other) const { return Pos16(static_cast<long long>(m_value) + other); }
    Pos16 operator-(int other) const { return Pos16(static_cast<long long>(m_value) - other); }
    Pos16 &operator+=(int other) { return *this = *this + other; }
    Pos16 &operator-=(int other) { return *this = *this - other; }

private:
    static short check(long long value)
    {
        if (value < -32768 || value > 32767)
            throw OverflowError();
        return static_cast<short>(value);
    }
    short m_value = 0;
};

// A marker's position with a fixed offset, added as one sum before it is held
// in 16 bits: "#End#" at 32769 less 2 is 32767 and fits, though the position
// alone would not. Checking the position first and adding afterwards would
// refuse such a marker.
inline Pos16 OffsetPosition(int position, int offset)
{
    return Pos16(static_cast<long long>(position) + offset);
}

// 1-based position of the first exact occurrence of marker in text (ordinal,
// case-sensitive, UTF-16 units); 0 when absent or the text is empty; 1 for an
// empty marker in a non-empty text.
int FindTextPos(const QString &marker, const QString &text);

// length characters of text from the 1-based start: start < 1 or length < 0
// raise InvalidArgumentError, a start past the end gives "", a length past the
// end is cut there.
QString Mid(const QString &text, long long start, long long length);

// Mid without a length: from start to the end.
QString Mid(const QString &text, long long start);

// The common cut: text from start, end - start characters long, with the
// difference taken in 16-bit arithmetic.
inline QString Cut(const QString &text, Pos16 start, Pos16 end)
{
    return Mid(text, start, end - start);
}
