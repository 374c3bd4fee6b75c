// The frames of an RLA file, as given on the command line.
#ifndef VTLSPRITE_FRAME_LIST_H
#define VTLSPRITE_FRAME_LIST_H

#include <string>
#include <vector>

struct FrameRequest {
    unsigned action = 0;
    unsigned direction = 0;
    std::string picture;
};

// "ACTION:DIRECTION:PICTURE", numbers 0 to 65535.
bool parseFrameArgument(const std::string& text, FrameRequest& frame, std::string& error);
// A text file of lines "ACTION DIRECTION PICTURE"; blank lines and lines
// starting with '#' are skipped.  Relative picture paths are taken from the
// list file's folder.
bool readFrameList(const std::string& path, std::vector<FrameRequest>& frames, std::string& error);

#endif
