// The CD-ROM drive's letter and folder.
#include "platform/kernel/cd_drive.h"

#include "platform/winmm/virtual_disc.h"

#include <cstdlib>

char vtl::cdDriveLetter()
{
    const char* named = std::getenv("VANTREL_CD_DRIVE");
    if (named && named[0] && !named[1]) {
        const char letter = static_cast<char>(named[0] & ~0x20); // to capitals
        if (letter >= 'A' && letter <= 'Z' && letter != 'C')
            return letter;
    }
    return 'D';
}

bool vtl::isCdDrive(char letter) { return static_cast<char>(letter & ~0x20) == cdDriveLetter(); }

std::string vtl::cdDriveFolder() { return VirtualDisc::folder(); }
