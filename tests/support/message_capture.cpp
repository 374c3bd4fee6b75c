#include "support/message_capture.h"

#include <vantrel/win32/debug.h>

MessageCapture::MessageCapture() { VTLSetDebugReceiver(&MessageCapture::receive, this); }

MessageCapture::~MessageCapture() { VTLSetDebugReceiver(nullptr, nullptr); }

void MessageCapture::receive(const char* text, void* self)
{
    static_cast<MessageCapture*>(self)->messages_.emplace_back(text);
}

std::string MessageCapture::text() const
{
    std::string all;
    for (const auto& m : messages_)
        all += m;
    return all;
}
