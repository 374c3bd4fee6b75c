// Collects the library's debug messages for the lifetime of the object.
#ifndef VANTREL_TESTS_MESSAGE_CAPTURE_H
#define VANTREL_TESTS_MESSAGE_CAPTURE_H

#include <string>
#include <vector>

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const std::vector<std::string>& messages() const { return messages_; }
    // Every message concatenated, in order.
    std::string text() const;
    void clear() { messages_.clear(); }

private:
    static void receive(const char* text, void* self);
    std::vector<std::string> messages_;
};

#endif
