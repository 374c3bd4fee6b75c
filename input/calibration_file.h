// The 84-byte calibration file: byte 0 the mask of calibrated sticks, byte 1
// the mode, two unused bytes, then stick 1's and stick 2's records of ten
// little-endian 32-bit values.
#ifndef VANTREL_INPUT_CALIBRATION_FILE_H
#define VANTREL_INPUT_CALIBRATION_FILE_H

#include <cstdint>

namespace vtl {

constexpr long kCalibrationFileSize = 84;

// Loads the file into the calibration and returns the mask of sticks that
// need calibrating (bit 0 stick 1, bit 1 stick 2).  A file of the wrong length
// is deleted.
uint8_t loadCalibration(const char* fileName);

// Writes the calibration with `mask` and the current mode.  The bytes go to a
// temporary file beside the target, are flushed to the disk and then renamed
// over it.  False (and the old file untouched) when any step fails.
bool saveCalibration(const char* fileName, uint8_t mask);

} // namespace vtl

#endif
