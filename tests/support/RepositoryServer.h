#pragma once

#include <filesystem>
#include <string>

#include "support/ChildProcess.h"

namespace testsupport {

// scripts/repository-server on 127.0.0.1 in one of its modes, with a certificate made for the
// occasion in `certificateDir` (name its cert.pem as the CA file to trust it). Stopped when
// the object goes away.
class RepositoryServer {
public:
    RepositoryServer(const std::filesystem::path& certificateDir, const std::string& mode,
                     const std::filesystem::path& root = ".")
        : process_({"python3", std::string(VK_REPOSITORY_SERVER), "--mode", mode, "--root", root.string(),
                    "--certificate-dir", certificateDir.string()},
                   ChildProcess::Errors::Inherit),
          port_(process_.readOutputLine()),
          caFile_(certificateDir / "cert.pem") {}

    bool started() const { return !port_.empty(); }
    std::string url(const std::string& path) const { return "https://127.0.0.1:" + port_ + path; }
    const std::filesystem::path& caFile() const { return caFile_; }

private:
    ChildProcess process_;
    std::string port_;
    std::filesystem::path caFile_;
};

}  // namespace testsupport
