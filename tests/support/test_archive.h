// Builds resource archives in memory for tests: entries are added by name,
// and the archive is either written to a temporary file or registered as an
// archive linked into the program.
#ifndef VANTREL_TESTS_TEST_ARCHIVE_H
#define VANTREL_TESTS_TEST_ARCHIVE_H

#include <vantrel/fastfile.h>

#include <string>
#include <vector>

class VTLHND;

using Bytes = std::vector<unsigned char>;

class TestArchive {
public:
    TestArchive() = default;
    ~TestArchive();
    TestArchive(const TestArchive&) = delete;
    TestArchive& operator=(const TestArchive&) = delete;

    TestArchive& add(const std::string& name, const Bytes& bytes);
    TestArchive& add(const std::string& name, const std::string& text);

    // The archive's bytes: count, directory, end entry (empty name), data.
    Bytes bytes() const;

    // Writes bytes() to a temporary file, removed with this object.
    std::string writeFile();
    // Registers bytes() under a name unique to this object and opens it in
    // `handle` with FastFileInit; true on success.
    bool openIn(VTLHND& handle);
    const std::string& embeddedName() const { return name_; }

private:
    std::vector<std::pair<std::string, Bytes>> entries_;
    Bytes image_;
    std::string name_;
    VTLEmbeddedArchive embedded_{};
    std::vector<std::string> files_;
};

// Writes `bytes` to a temporary file and returns its path (the caller
// removes it).
std::string writeTemporaryFile(const Bytes& bytes);

#endif
