// The weights behind the word sort.  ASCII follows Windows NT's default
// table; for the other Windows-1252 characters the accented letters sort
// with their base letters (ligatures and the sharp s as two letters, thorn
// after z), and the remaining symbols after the ASCII ones in code order,
// which is close to the table but not checked character by character.
#include "platform/kernel/word_sort.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace vtl {
namespace {

enum Accent : uint8_t { kNone, kAcute, kGrave, kCircumflex, kTilde, kDiaeresis, kRing, kCedilla, kStroke, kCaron,
                        kSuperscript, kHook, kLigature };

// One sort element: what a character (or half of a ligature) weighs.
struct Element {
    uint16_t primary;
    uint8_t accent;
    uint8_t upper;
};

// Primary weights: symbols from 1, digits from kDigits, letters from
// kLetters (two apart, so that thorn fits after z).
constexpr uint16_t kDigits = 0x200;
constexpr uint16_t kLetters = 0x300;

// ASCII punctuation and symbols in the word sort's order (space first; the
// arithmetic signs + < = > after the rest).
const char kSymbolOrder[] = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

uint16_t letter(char lower) { return static_cast<uint16_t>(kLetters + 2 * (lower - 'a')); }

struct Letter {
    unsigned char code;
    char base;
    Accent accent;
    bool upper;
};

// Windows-1252 letters outside ASCII, by their base letter.
const Letter kLatin1Letters[] = {
    {0x83, 'f', kHook, false},       {0x8A, 's', kCaron, true},       {0x9A, 's', kCaron, false},
    {0x8E, 'z', kCaron, true},       {0x9E, 'z', kCaron, false},      {0x9F, 'y', kDiaeresis, true},
    {0xAA, 'a', kSuperscript, false}, {0xBA, 'o', kSuperscript, false},
    {0xC0, 'a', kGrave, true},       {0xC1, 'a', kAcute, true},       {0xC2, 'a', kCircumflex, true},
    {0xC3, 'a', kTilde, true},       {0xC4, 'a', kDiaeresis, true},   {0xC5, 'a', kRing, true},
    {0xC7, 'c', kCedilla, true},     {0xC8, 'e', kGrave, true},       {0xC9, 'e', kAcute, true},
    {0xCA, 'e', kCircumflex, true},  {0xCB, 'e', kDiaeresis, true},   {0xCC, 'i', kGrave, true},
    {0xCD, 'i', kAcute, true},       {0xCE, 'i', kCircumflex, true},  {0xCF, 'i', kDiaeresis, true},
    {0xD0, 'd', kStroke, true},      {0xD1, 'n', kTilde, true},       {0xD2, 'o', kGrave, true},
    {0xD3, 'o', kAcute, true},       {0xD4, 'o', kCircumflex, true},  {0xD5, 'o', kTilde, true},
    {0xD6, 'o', kDiaeresis, true},   {0xD8, 'o', kStroke, true},      {0xD9, 'u', kGrave, true},
    {0xDA, 'u', kAcute, true},       {0xDB, 'u', kCircumflex, true},  {0xDC, 'u', kDiaeresis, true},
    {0xDD, 'y', kAcute, true},       {0xE0, 'a', kGrave, false},      {0xE1, 'a', kAcute, false},
    {0xE2, 'a', kCircumflex, false}, {0xE3, 'a', kTilde, false},      {0xE4, 'a', kDiaeresis, false},
    {0xE5, 'a', kRing, false},       {0xE7, 'c', kCedilla, false},    {0xE8, 'e', kGrave, false},
    {0xE9, 'e', kAcute, false},      {0xEA, 'e', kCircumflex, false}, {0xEB, 'e', kDiaeresis, false},
    {0xEC, 'i', kGrave, false},      {0xED, 'i', kAcute, false},      {0xEE, 'i', kCircumflex, false},
    {0xEF, 'i', kDiaeresis, false},  {0xF0, 'd', kStroke, false},     {0xF1, 'n', kTilde, false},
    {0xF2, 'o', kGrave, false},      {0xF3, 'o', kAcute, false},      {0xF4, 'o', kCircumflex, false},
    {0xF5, 'o', kTilde, false},      {0xF6, 'o', kDiaeresis, false},  {0xF8, 'o', kStroke, false},
    {0xF9, 'u', kGrave, false},      {0xFA, 'u', kAcute, false},      {0xFB, 'u', kCircumflex, false},
    {0xFC, 'u', kDiaeresis, false},  {0xFD, 'y', kAcute, false},      {0xFF, 'y', kDiaeresis, false},
};

// What each byte sorts as: up to two elements (a ligature is two letters),
// or none for the apostrophe and the hyphens the word sort sets aside.
struct Weights {
    Element elements[2];
    uint8_t count;
    uint8_t special; // 0, or the apostrophe's / hyphen's rank in the last level
};

struct Table {
    Weights byCode[256];

    Table()
    {
        uint16_t next = 1;
        // Control characters first, then the white space ones, then the
        // ASCII symbols, then the other symbols of the code page.
        for (unsigned c = 1; c < 0x20; ++c)
            if (c < 0x09 || c > 0x0D)
                byCode[c] = single(next++);
        for (unsigned c = 0x09; c <= 0x0D; ++c)
            byCode[c] = single(next++);
        for (const char* p = kSymbolOrder; *p; ++p)
            byCode[static_cast<unsigned char>(*p)] = single(next++);
        byCode[0x7F] = single(next++);
        for (unsigned c = '0'; c <= '9'; ++c)
            byCode[c] = single(static_cast<uint16_t>(kDigits + (c - '0')));
        for (unsigned c = 'a'; c <= 'z'; ++c) {
            byCode[c] = single(letter(static_cast<char>(c)));
            byCode[c - 32] = single(letter(static_cast<char>(c)), kNone, true);
        }
        for (const Letter& l : kLatin1Letters)
            byCode[l.code] = single(letter(l.base), l.accent, l.upper);
        byCode[0xB9] = single(kDigits + 1, kSuperscript);
        byCode[0xB2] = single(kDigits + 2, kSuperscript);
        byCode[0xB3] = single(kDigits + 3, kSuperscript);
        byCode[0x8C] = pair('o', 'e', true);
        byCode[0x9C] = pair('o', 'e', false);
        byCode[0xC6] = pair('a', 'e', true);
        byCode[0xE6] = pair('a', 'e', false);
        byCode[0xDF] = pair('s', 's', false);
        byCode[0xDE] = single(letter('z') + 1, kNone, true); // thorn
        byCode[0xFE] = single(letter('z') + 1);
        byCode[0xB5] = single(letter('z') + 2); // micro sign: a Greek letter
        byCode[static_cast<unsigned char>('\'')] = Weights{{}, 0, 1};
        byCode[static_cast<unsigned char>('-')] = Weights{{}, 0, 2};
        byCode[0xAD] = Weights{{}, 0, 3}; // soft hyphen
        for (unsigned c = 0x80; c < 0x100; ++c)
            if (byCode[c].count == 0 && byCode[c].special == 0)
                byCode[c] = single(next++);
    }

    static Weights single(uint16_t primary, uint8_t accent = kNone, bool upper = false)
    {
        return Weights{{{primary, accent, static_cast<uint8_t>(upper)}, {}}, 1, 0};
    }
    static Weights pair(char first, char second, bool upper)
    {
        const uint8_t u = static_cast<uint8_t>(upper);
        return Weights{{{letter(first), kLigature, u}, {letter(second), kLigature, u}}, 2, 0};
    }
};

const Table& table()
{
    static const Table t;
    return t;
}

struct Special {
    uint32_t position;
    uint8_t rank;
};

struct Key {
    std::vector<Element> elements;
    std::vector<Special> specials;
};

Key keyOf(const char* text)
{
    const Table& t = table();
    Key key;
    const size_t length = std::strlen(text);
    key.elements.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const Weights& w = t.byCode[static_cast<unsigned char>(text[i])];
        if (w.special)
            key.specials.push_back({static_cast<uint32_t>(i), w.special});
        for (uint8_t e = 0; e < w.count; ++e)
            key.elements.push_back(w.elements[e]);
    }
    return key;
}

template <class Field>
int compareLevel(const std::vector<Element>& x, const std::vector<Element>& y, Field field)
{
    const size_t n = x.size() < y.size() ? x.size() : y.size();
    for (size_t i = 0; i < n; ++i)
        if (field(x[i]) != field(y[i]))
            return field(x[i]) < field(y[i]) ? -1 : 1;
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

int compareSpecials(const std::vector<Special>& x, const std::vector<Special>& y)
{
    const size_t n = x.size() < y.size() ? x.size() : y.size();
    for (size_t i = 0; i < n; ++i) {
        if (x[i].position != y[i].position)
            return x[i].position < y[i].position ? -1 : 1;
        if (x[i].rank != y[i].rank)
            return x[i].rank < y[i].rank ? -1 : 1;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

} // namespace

int compareWords(const char* a, const char* b, bool ignoreCase)
{
    if (!a || !b)
        return (a != nullptr) - (b != nullptr);
    const Key x = keyOf(a), y = keyOf(b);
    if (int r = compareLevel(x.elements, y.elements, [](const Element& e) { return e.primary; }))
        return r;
    if (int r = compareLevel(x.elements, y.elements, [](const Element& e) { return e.accent; }))
        return r;
    if (!ignoreCase)
        if (int r = compareLevel(x.elements, y.elements, [](const Element& e) { return e.upper; }))
            return r;
    return compareSpecials(x.specials, y.specials);
}

} // namespace vtl
