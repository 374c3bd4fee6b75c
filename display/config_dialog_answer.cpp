// VANTREL_CONFIG: the configuration dialog answered without a player.  Each
// step waits until the dialog has handled the previous one (the dialog's loop
// calls answerConfigurationDialog only when no message is waiting), so a
// depth is looked up in the list the chosen driver filled.
#include "display/config_dialog.h"

#include <vantrel/seam/window_backend.h>

#include <vantrel/core.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace vtl {

struct ConfigurationAnswer {
    bool cancel = false;
    int driver = -1; // -1: leave the dialog's default
    int depth = -1;
    int fullscreen = -1;
    int effects = -1;
    int step = 0;
};

namespace {

bool parseNumber(const std::string& text, int* value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::atoi(text.c_str());
    return true;
}

bool parseWord(ConfigurationAnswer& a, const std::string& word)
{
    if (word == "ok")
        return true;
    if (word == "cancel") {
        a.cancel = true;
        return true;
    }
    const size_t equals = word.find('=');
    if (equals == std::string::npos)
        return false;
    const std::string key = word.substr(0, equals);
    int value = 0;
    if (!parseNumber(word.substr(equals + 1), &value))
        return false;
    if (key == "driver")
        a.driver = value;
    else if (key == "depth")
        a.depth = value;
    else if (key == "fullscreen" && value <= 1)
        a.fullscreen = value;
    else if (key == "effects" && value <= 1)
        a.effects = value;
    else
        return false;
    return true;
}

std::string trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

HWND item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

// Keys a player presses in a list to reach entry `index`.
void pickEntry(HWND list, int index)
{
    PostMessageA(list, WM_KEYDOWN, VK_HOME, 1);
    for (int i = 0; i < index; ++i)
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
}

int entryWithDepth(HWND list, int depth)
{
    const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == depth)
            return static_cast<int>(i);
    }
    return -1;
}

enum Step { kDriver, kDepth, kMode, kEffects, kButton, kDone };

// Performs one step; false when it had nothing to do.
bool perform(HWND dialog, ConfigurationAnswer& a, int step)
{
    switch (step) {
    case kDriver: {
        if (a.driver < 0 || a.cancel)
            return false;
        HWND list = item(dialog, IDC_DRIVERS);
        if (a.driver >= SendMessageA(list, CB_GETCOUNT, 0, 0)) {
            Msg("VANTREL_CONFIG: the dialog lists no driver %d.", a.driver);
            a.cancel = true;
            return false;
        }
        pickEntry(list, a.driver);
        return true;
    }
    case kDepth: {
        if (a.depth < 0 || a.cancel)
            return false;
        HWND list = item(dialog, IDC_DEPTHS);
        const int entry = entryWithDepth(list, a.depth);
        if (entry < 0) {
            Msg("VANTREL_CONFIG: the dialog lists no depth %d for this driver.", a.depth);
            a.cancel = true;
            return false;
        }
        pickEntry(list, entry);
        return true;
    }
    case kMode:
        if (a.fullscreen < 0 || a.cancel)
            return false;
        PostMessageA(item(dialog, a.fullscreen ? IDC_FULLSCREEN : IDC_WINDOWED), BM_CLICK, 0, 0);
        return true;
    case kEffects: {
        if (a.effects < 0 || a.cancel)
            return false;
        HWND box = item(dialog, IDC_EFFECTS);
        if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == (a.effects == 1))
            return false;
        PostMessageA(box, BM_CLICK, 0, 0);
        return true;
    }
    case kButton:
        PostMessageA(item(dialog, a.cancel ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
        return true;
    default: return false;
    }
}

} // namespace

ConfigurationAnswer* makeConfigurationAnswer()
{
    const char* text = std::getenv("VANTREL_CONFIG");
    if (!text && std::strcmp(videoBackendName(), "headless") != 0)
        return nullptr;
    auto* answer = new ConfigurationAnswer;
    std::string rest = text ? text : "ok";
    while (true) {
        const size_t comma = rest.find(',');
        const std::string word = trimmed(rest.substr(0, comma));
        if (!word.empty() && !parseWord(*answer, word)) {
            Msg("VANTREL_CONFIG: cannot follow \"%s\"; answering Cancel.", word.c_str());
            answer->cancel = true;
        }
        if (comma == std::string::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    return answer;
}

void freeConfigurationAnswer(ConfigurationAnswer* answer) { delete answer; }

bool answerConfigurationDialog(HWND dialog, void* context)
{
    auto& a = *static_cast<ConfigurationAnswer*>(context);
    while (a.step < kDone) {
        if (perform(dialog, a, a.step++))
            return true;
    }
    return false;
}

} // namespace vtl
