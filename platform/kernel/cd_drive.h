// The CD-ROM drive whose disc is the virtual CD's folder.
#ifndef VANTREL_PLATFORM_KERNEL_CD_DRIVE_H
#define VANTREL_PLATFORM_KERNEL_CD_DRIVE_H

#include <string>

namespace vtl {

// The drive's letter in capitals: VANTREL_CD_DRIVE's when it is one letter
// other than C (the host's root), else D.
char cdDriveLetter();

// True for "D" or "d" when D is the CD drive.
bool isCdDrive(char letter);

// The disc: the virtual CD's folder, present or not.
std::string cdDriveFolder();

} // namespace vtl

#endif
