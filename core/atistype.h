#pragma once

#include <QString>
#include <optional>

// What an airport's ATIS is for. A busy airport runs an arrival and a
// departure ATIS side by side, each on its own letters; most run one.
enum class AtisType
{
    Combined,
    Arrival,
    Departure
};

// %type%: "ARRIVAL", "DEPARTURE", or empty for a combined ATIS.
QString AtisTypeWord(AtisType type);
// The station on the network: KBOS_ATIS, KBOS_A_ATIS, KBOS_D_ATIS.
QString AtisCallsign(const QString& icao, AtisType type);
// As a profile stores it: "Arrival", "Departure"; a combined ATIS stores
// nothing. Read in any letter case, with blanks around; nothing (or
// "Combined") reads as combined, and no value is given for other text.
QString StoredAtisType(AtisType type);
std::optional<AtisType> ParseAtisType(const QString& stored);

// The letters an ATIS uses, first to last in alphabetical order, as indexes
// of the information codes (0 for ALPHA to 25 for ZULU).
struct LetterRange
{
    int first = 0;
    int last = 25;

    bool contains(int letter) const { return first <= letter && letter <= last; }
    // The letter after this one, from the last back to the first; a letter
    // outside the range is followed by the first.
    int next(int letter) const { return contains(letter) && letter < last ? letter + 1 : first; }
    bool operator==(const LetterRange&) const = default;
};

// The letter A to Z of an index, and the range as a controller reads it
// ("A to M").
QChar LetterOf(int letter);
QString LetterRangeText(const LetterRange& range);
// As a profile stores it: "A-M"; A to Z stores nothing (and nothing reads
// as A to Z). Read in any letter case and with blanks anywhere ("n - z");
// no value for text that is not two letters A to Z in order.
QString StoredLetterRange(const LetterRange& range);
std::optional<LetterRange> ParseLetterRange(const QString& stored);
