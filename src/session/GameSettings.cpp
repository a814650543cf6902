#include "session/GameSettings.h"

#include <algorithm>
#include <cstring>


namespace {

void Put32(std::uint8_t* p, std::int32_t v)
{
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                     (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

void PutText(std::uint8_t* p, const char* text, std::size_t size)
{
    std::size_t n = strnlen(text, size - 1);
    std::memcpy(p, text, n);
}

void GetText(char* out, const std::uint8_t* p, std::size_t size)
{
    std::memcpy(out, p, size);
    out[size - 1] = 0;
}

// Every stored field: where it lives, how it is stored, which member holds
// it and, for numbers, the range a damaged record is brought back into.
struct Field {
    enum Kind { kFlag, kNumber, kNumberInOneByte, kText } kind;
    int offset;
    void* (*member)(GameSettings&);
    int low = 0, high = -1;  // no range when low > high
    std::size_t size = 0;    // texts
};

#define QUOLI_MEMBER(name) [](GameSettings& s) -> void* { return &s.name; }
const Field kFields[] = {
    {Field::kFlag, 0, QUOLI_MEMBER(recordResults)},
    {Field::kFlag, 1, QUOLI_MEMBER(enterTopTen)},
    {Field::kFlag, 2, QUOLI_MEMBER(thirdResultsFlag)},
    {Field::kFlag, 3, QUOLI_MEMBER(effectsOn)},
    {Field::kFlag, 4, QUOLI_MEMBER(musicOn)},
    {Field::kNumber, 8, QUOLI_MEMBER(theme), 1, 3},
    {Field::kNumber, 12, QUOLI_MEMBER(exerciseType), 1, 3},
    {Field::kNumber, 16, QUOLI_MEMBER(lanes), 1, 3},
    {Field::kNumber, 20, QUOLI_MEMBER(fallSeconds), 2, 60},
    {Field::kNumber, 24, QUOLI_MEMBER(spawnSeconds), 1, 30},
    {Field::kNumber, 28, QUOLI_MEMBER(textCase), 1, 3},
    {Field::kNumber, 32, QUOLI_MEMBER(lives), 0, 10},
    {Field::kFlag, 36, QUOLI_MEMBER(infiniteLives)},
    {Field::kNumber, 40, QUOLI_MEMBER(backgroundColour), 0, 31},
    {Field::kFlag, 44, QUOLI_MEMBER(plainBackground)},
    {Field::kText, 45, QUOLI_MEMBER(exerciseName), 0, -1, GameSettings::kExerciseNameSize},
    {Field::kNumber, 304, QUOLI_MEMBER(startLevel), 1, 0x7FFFFFFF},
    {Field::kText, 308, QUOLI_MEMBER(fontName), 0, -1, GameSettings::kFontNameSize},
    {Field::kNumber, 428, QUOLI_MEMBER(fontSize), 6, 72},
    {Field::kNumber, 432, QUOLI_MEMBER(textColour), 0, 31},
    {Field::kNumber, 436, QUOLI_MEMBER(boxColour), 0, 31},
    {Field::kNumber, 440, QUOLI_MEMBER(device.enabled), 0, 1},
    {Field::kNumber, 444, QUOLI_MEMBER(device.kind), 1, 5},
    {Field::kNumber, 448, QUOLI_MEMBER(device.switches), 1, 2},
    {Field::kNumberInOneByte, 452, QUOLI_MEMBER(device.directions), 0, 1},
    {Field::kNumber, 456, QUOLI_MEMBER(device.port), 1, 4},
    {Field::kNumber, 460, QUOLI_MEMBER(device.acceptance), 0, 10},
    {Field::kNumber, 464, QUOLI_MEMBER(device.scanInterval), 5, 50},
    {Field::kNumber, 468, QUOLI_MEMBER(device.pointerSpeed)},
    {Field::kFlag, 472, QUOLI_MEMBER(device.holdToMove)},
    {Field::kFlag, 473, QUOLI_MEMBER(device.accelerate)},
    {Field::kFlag, 474, QUOLI_MEMBER(device.fifthKindOffered)},
    {Field::kFlag, 475, QUOLI_MEMBER(device.reserved)},
};
#undef QUOLI_MEMBER

std::int32_t StoredNumber(const Field& f, const std::uint8_t* p)
{
    return f.kind == Field::kNumber ? Get32(p) : *p;
}

// The nearest value the dialogs offer.
std::int32_t Within(const Field& f, std::int32_t v)
{
    return f.low <= f.high ? std::clamp(v, static_cast<std::int32_t>(f.low), static_cast<std::int32_t>(f.high)) : v;
}

}  // namespace

GameSettings::Bytes GameSettings::Encode() const
{
    // Bytes the program does not read (padding, what another copy keeps
    // there) go back as they came.
    Bytes b = stored_;
    auto& self = const_cast<GameSettings&>(*this);
    for (const Field& f : kFields) {
        std::uint8_t* p = b.data() + f.offset;
        void* m = f.member(self);
        switch (f.kind) {
        case Field::kFlag: *p = *static_cast<std::uint8_t*>(m); break;
        case Field::kNumber:
        case Field::kNumberInOneByte: {
            // A value out of the dialogs' range was read as the nearest one;
            // unless the teacher chose another since, what was read is kept.
            std::int32_t value = *static_cast<std::int32_t*>(m);
            if (read_ && Within(f, StoredNumber(f, p)) == value)
                break;
            if (f.kind == Field::kNumber)
                Put32(p, value);
            else
                *p = static_cast<std::uint8_t>(value);
            break;
        }
        case Field::kText: {
            const char* text = static_cast<const char*>(m);
            char before[kExerciseNameSize] = {};
            GetText(before, p, f.size);
            if (std::strcmp(before, text) != 0) {
                std::memset(p, 0, f.size);
                PutText(p, text, f.size);
            }
            break;
        }
        }
    }
    return b;
}

GameSettings GameSettings::Decode(const std::uint8_t* bytes)
{
    GameSettings s;
    std::memcpy(s.stored_.data(), bytes, kSize);
    s.read_ = true;
    for (const Field& f : kFields) {
        const std::uint8_t* p = bytes + f.offset;
        void* m = f.member(s);
        switch (f.kind) {
        case Field::kFlag: *static_cast<std::uint8_t*>(m) = *p; break;
        case Field::kNumber:
        case Field::kNumberInOneByte: {
            // A damaged record must not freeze the game: out of range, the
            // nearest value the dialogs offer.
            *static_cast<std::int32_t*>(m) = Within(f, StoredNumber(f, p));
            break;
        }
        case Field::kText: GetText(static_cast<char*>(m), p, f.size); break;
        }
    }
    return s;
}
