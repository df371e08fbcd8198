#include "core/metarmatcher.h"

#include <re2/re2.h>
#include <string>

const QString MetarPattern = QStringLiteral(
    R"(^[A-Z]\w\w\w (\d{6}Z)(?: (?:AUTO|RTD|COR|CCA))? (\S+(?:KT|MPS|KTS)|/////|/////KT)( \d+V\d+)?)"
    R"(( P?M?(?:\d \d/|\d/)?\d+(?:SM|KM|M)| \d{4}(?:NDV|[NS][EW]?|[EW])?(?: \d{4}(?:[NS][EW]?|[EW]))?)"
    R"(| \d+NDV| CAVOK| 9999(?:NDV)? // CAVOK//| ////)?)"
    R"((?: R\S+FT)?(?: R\d\d\w?/\S+)*)"
    R"(((?: ?(?:\+|\-)?(?:VC|TS|DU|GR|FU|GS|DZ|MI|PE|RA|SA|BC|FZ|PI|HZ|VA|SG|SH|FC|PO|BL|FG|SN|IC|BR|SQ|SS|PY|DR|DS|UP|//|/))*))"
    R"(( VV\d\d\d| VV///)?)"
    R"(((?: (?:NCD|FEW|SCT|BKN|OVC|SKC|CLR|NSC|NSW|//////|///)(?:\d\d\d|///|\d\d\d///)?(?:\w{2,3})?)*))"
    R"((?: (M?\d\d|//|XX)/(M?\d\d|//|XX)?)?)"
    R"(( (?:(?:Q|A|Q |A )(?:\d+|////|XXXX)|RMK|\d\d\d\.\d)))");

namespace {

// RE2's \s leaves out the vertical tab, which the pattern counts as
// whitespace: every \S is spelled out as the complement of the ASCII set.
std::string re2Pattern()
{
    QString pattern = MetarPattern;
    pattern.replace(QStringLiteral("\\S"), QStringLiteral("[^\\t-\\r ]"));
    return pattern.toStdString();
}

// Latin-1, one byte for each UTF-16 code unit, so the offsets carry over;
// case folding then stays within ASCII (no Kelvin sign for K).
RE2::Options re2Options()
{
    RE2::Options options(RE2::Latin1);
    options.set_case_sensitive(false);
    return options;
}

// Stands in for every code unit beyond ASCII: not a letter, digit, word
// character or blank, so only \S matches it, as in an ASCII-only engine.
constexpr char Mask = 0x01;

} // namespace

std::optional<MetarSpans> matchMetarPattern(QStringView text)
{
    static const RE2 regex(re2Pattern(), re2Options());
    std::string bytes(size_t(text.size()), Mask);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80)
            bytes[size_t(i)] = char(unit);
    }
    constexpr int Groups = std::tuple_size_v<MetarSpans>;
    re2::StringPiece groups[Groups];
    size_t end = bytes.size();
    if (text.size() > MaxMetarMatchLength) {
        // Where the match ends, without groups: a fast pass over any length.
        if (!regex.Match(bytes, 0, end, RE2::ANCHOR_START, groups, 1) ||
            groups[0].size() > size_t(MaxMetarMatchLength))
            return std::nullopt;
        end = groups[0].size();
    }
    if (!regex.Match(bytes, 0, end, RE2::ANCHOR_START, groups, Groups))
        return std::nullopt;
    MetarSpans spans;
    for (int g = 0; g < Groups; ++g) {
        spans[g] = groups[g].data() ? std::pair{qsizetype(groups[g].data() - bytes.data()),
                                                qsizetype(groups[g].size())}
                                    : std::pair{qsizetype(-1), qsizetype(0)};
    }
    return spans;
}
