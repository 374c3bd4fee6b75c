// The library's debug messages, collected while a LibraryMessages lives so
// that vtlpack can quote them beside its own explanation instead of letting
// them reach standard error on their own.
#pragma once

#include <vantrel/win32/debug.h>

#include <string>

namespace vtlpack {

class LibraryMessages {
public:
    // `after` receives the messages once this collector is gone (null: the
    // library's default, standard error).
    explicit LibraryMessages(VTLDebugReceiver after = nullptr) : after_(after)
    {
        VTLSetDebugReceiver(&LibraryMessages::receive, this);
    }
    ~LibraryMessages() { VTLSetDebugReceiver(after_, nullptr); }
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

    // The messages on one line: each run of line ends becomes one space.
    std::string text() const
    {
        std::string out;
        for (char c : all_)
            if (c != '\r' && c != '\n')
                out += c;
            else if (!out.empty() && out.back() != ' ')
                out += ' ';
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        return out;
    }

private:
    static void receive(const char* text, void* self) { static_cast<LibraryMessages*>(self)->all_ += text; }
    VTLDebugReceiver after_;
    std::string all_;
};

} // namespace vtlpack
