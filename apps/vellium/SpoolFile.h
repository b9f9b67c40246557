#pragma once

#include "OutputFile.h"
#include "base/Value.h"

// A private, nameless temporary file in TMPDIR (or /tmp): no other process can open it by
// name, and it disappears when closed, however the program ends. Holds opened plaintext
// until the container it came from has been authenticated.
class SpoolFile {
public:
    // Throws ContainerFailure when no such file can be created.
    SpoolFile();
    ~SpoolFile();
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    // False (with errno set) when the write fails.
    bool write(const base::Data& bytes);
    // Copies everything written so far to `output`; false (with errno set) on failure.
    bool copyTo(OutputFile& output);

private:
    int fd_;
};
