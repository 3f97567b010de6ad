// Marking the words one text has and another lacks; see ChangedWords.h.
#include "job/memory/ChangedWords.h"

#include "base/Utf8Codec.h"

#include <algorithm>
#include <cstdint>

namespace kalmo {
namespace {

// Longer texts than this many word pairs are marked as a whole where they
// differ: the table would cost more than the marks are worth.
constexpr std::size_t kMaxTable = 1'000'000;

enum class PieceKind { Word, Blank, Mark };

struct Piece {
    std::string_view text;
    PieceKind kind;
};

bool isBlank(char32_t ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == 0xA0 || ch == 0x3000; }

bool isWordCharacter(char32_t ch)
{
    if (ch < 0x80)
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
    // Latin-1 punctuation, general punctuation (dashes, quotes, "…") and
    // CJK punctuation are marks; everything else beyond ASCII is a letter.
    const bool latinPunctuation = ch < 0xC0 && ch != 0xAA && ch != 0xB2 && ch != 0xB3 && ch != 0xB5 && ch != 0xB9
        && ch != 0xBA;
    return !latinPunctuation && !(ch >= 0x2000 && ch <= 0x206F) && !(ch >= 0x3000 && ch <= 0x303F) && !isBlank(ch);
}

std::vector<Piece> piecesOf(std::string_view text)
{
    std::vector<Piece> pieces;
    std::size_t i = 0;
    const auto characterAt = [&](std::size_t at, std::size_t& length) {
        length = utf8SequenceLength(text, at);
        if (length == 0) {
            length = 1;
            return static_cast<char32_t>(static_cast<unsigned char>(text[at]));
        }
        return decodeUtf8Sequence(text, at, length);
    };
    while (i < text.size()) {
        std::size_t length = 0;
        const char32_t first = characterAt(i, length);
        const PieceKind kind = isBlank(first) ? PieceKind::Blank
                             : isWordCharacter(first) ? PieceKind::Word
                                                      : PieceKind::Mark;
        std::size_t end = i + length;
        while (kind != PieceKind::Mark && end < text.size()) {
            std::size_t nextLength = 0;
            const char32_t next = characterAt(end, nextLength);
            if ((kind == PieceKind::Blank) != isBlank(next) || (kind == PieceKind::Word && !isWordCharacter(next)))
                break;
            end += nextLength;
        }
        pieces.push_back({text.substr(i, end - i), kind});
        i = end;
    }
    return pieces;
}

std::vector<std::string_view> wordsOf(const std::vector<Piece>& pieces)
{
    std::vector<std::string_view> words;
    for (const Piece& piece : pieces)
        if (piece.kind != PieceKind::Blank)
            words.push_back(piece.text);
    return words;
}

// For each word of a, whether it is outside a longest common sequence with b.
std::vector<bool> wordsNotShared(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    std::vector<bool> changed(a.size(), true);
    std::size_t start = 0;
    while (start < a.size() && start < b.size() && a[start] == b[start])
        changed[start++] = false;
    std::size_t endA = a.size();
    std::size_t endB = b.size();
    while (endA > start && endB > start && a[endA - 1] == b[endB - 1]) {
        changed[--endA] = false;
        --endB;
    }
    const std::size_t rows = endA - start;
    const std::size_t columns = endB - start;
    if (rows == 0 || columns == 0 || rows * columns > kMaxTable)
        return changed;
    // lengths[i][j]: the longest common sequence of a[start+i..] and b[start+j..].
    std::vector<std::uint32_t> lengths((rows + 1) * (columns + 1), 0);
    const auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& { return lengths[i * (columns + 1) + j]; };
    for (std::size_t i = rows; i-- > 0;)
        for (std::size_t j = columns; j-- > 0;)
            at(i, j) = a[start + i] == b[start + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    for (std::size_t i = 0, j = 0; i < rows && j < columns;) {
        if (a[start + i] == b[start + j]) {
            changed[start + i] = false;
            ++i;
            ++j;
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
    return changed;
}

} // namespace

std::vector<MarkedPiece> markChangedWords(std::string_view text, std::string_view other)
{
    const std::vector<Piece> pieces = piecesOf(text);
    const std::vector<bool> wordChanged = wordsNotShared(wordsOf(pieces), wordsOf(piecesOf(other)));

    std::vector<bool> changed(pieces.size(), false);
    for (std::size_t i = 0, word = 0; i < pieces.size(); ++i)
        if (pieces[i].kind != PieceKind::Blank)
            changed[i] = wordChanged[word++];
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i)
        if (pieces[i].kind == PieceKind::Blank)
            changed[i] = changed[i - 1] && changed[i + 1];

    std::vector<MarkedPiece> marked;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!marked.empty() && marked.back().changed == changed[i])
            marked.back().text += pieces[i].text;
        else
            marked.push_back({std::string(pieces[i].text), changed[i]});
    }
    return marked;
}

} // namespace kalmo
