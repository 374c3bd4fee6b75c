#include "input/calibration_file.h"

#include "input/joystick_state.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace vtl {
namespace {

void putLE32(uint8_t* p, int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

int32_t getLE32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                                uint32_t{p[3]} << 24);
}

// The record's fields are ten int32_t in file order.
void decodeRecord(const uint8_t* p, JoystickCalibration& c)
{
    int32_t field[10];
    for (int i = 0; i < 10; ++i)
        field[i] = getLE32(p + i * 4);
    std::memcpy(&c, field, sizeof c);
}

void encodeRecord(uint8_t* p, const JoystickCalibration& c)
{
    int32_t field[10];
    std::memcpy(field, &c, sizeof c);
    for (int i = 0; i < 10; ++i)
        putLE32(p + i * 4, field[i]);
}

// A saved stick is trusted unless it reads off-centre twice in a row: once
// could be a player's hand on it, twice means the centre has drifted.
bool readsOffCentre(int stick)
{
    readGamePort();
    if (stickDirection(stick) == 0)
        return false;
    readGamePort();
    return stickDirection(stick) != 0;
}

// Creates a file beside `fileName` that did not exist before ("x": never
// one another save is writing), with the permissions a plain create gives.
std::FILE* createTemporary(const char* fileName, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = std::string(fileName) + ".new" + std::to_string(attempt);
        errno = 0;
        if (std::FILE* file = std::fopen(name.c_str(), "wbx"))
            return file;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

} // namespace

uint8_t loadCalibration(const char* fileName)
{
    constexpr uint8_t kAsked = 3;
    if (!fileName || !*fileName)
        return kAsked;
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file)
        return kAsked;
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        length = std::ftell(file);
    if (length != kCalibrationFileSize) {
        std::fclose(file);
        std::remove(fileName);
        return kAsked;
    }
    uint8_t bytes[kCalibrationFileSize];
    std::rewind(file);
    const size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (got != sizeof bytes)
        return kAsked;

    JoystickState& s = joystickState();
    const uint8_t savedMask = bytes[0];
    const uint8_t savedMode = bytes[1];
    if ((savedMode < 2) != (s.mode < 2))
        return kAsked;
    decodeRecord(bytes + 4, s.calibration[0]);
    decodeRecord(bytes + 44, s.calibration[1]);
    s.derivedThresholds[0] = s.derivedThresholds[1] = false;
    if (savedMask == 3)
        return 0;

    uint8_t need = 0;
    for (int j = 0; j < 2; ++j) {
        const uint8_t bit = static_cast<uint8_t>(1 << j);
        if (!(kAsked & bit))
            continue;
        if (!(savedMask & bit) || readsOffCentre(j))
            need |= bit;
    }
    return need;
}

bool saveCalibration(const char* fileName, uint8_t mask)
{
    if (!fileName || !*fileName)
        return false;
    JoystickState& s = joystickState();
    uint8_t bytes[kCalibrationFileSize] = {};
    bytes[0] = mask;
    bytes[1] = s.mode;
    encodeRecord(bytes + 4, s.calibration[0]);
    encodeRecord(bytes + 44, s.calibration[1]);

    // The file is replaced in one step: written whole under a temporary
    // name in the target's folder (so the rename stays on one file system),
    // then renamed over the old one, which is never half-written.
    std::string temporary;
    std::FILE* file = createTemporary(fileName, temporary);
    if (!file)
        return false;
    bool ok = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes && std::fflush(file) == 0;
    ok = (std::fclose(file) == 0) && ok;
    ok = ok && std::rename(temporary.c_str(), fileName) == 0;
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

} // namespace vtl
