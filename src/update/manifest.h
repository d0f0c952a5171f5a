#pragma once
// The manifest of a published tree, manifesto.cfg at its root: what the publisher
// signed. CR LF lines, ASCII:
//   MANIFESTO TREVALMONTE 1
//   sequencia <number, one above the tree's previous manifest>
//   validade <yyyy-mm-ddThh:mm:ssZ>
//   <size> <lowercase hex SHA-256> <path below /download/atualiza/, "/" between folders>
//   ...one line per file
#include "transfer/fetch_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trev {

constexpr size_t kManifestMaxBytes = 1024 * 1024;
constexpr size_t kManifestMaxEntries = 20000;

// A manifest that is not one, or a file that does not match it.
class VerificationError : public FetchRefused {
public:
    using FetchRefused::FetchRefused;
};

struct ManifestEntry {
    std::string path;
    int64_t size = 0;
    std::string sha256;
};

struct Manifest {
    int64_t sequence = 0;
    int64_t expiresAt = 0;  // seconds since 1970-01-01 UTC
    std::vector<ManifestEntry> entries;

    const ManifestEntry* find(const std::string& path) const;
};

std::string formatManifest(const Manifest& manifest);
// Raises VerificationError naming what is wrong; also over the bounds.
Manifest parseManifest(const std::string& bytes);

// "yyyy-mm-ddThh:mm:ssZ" for a time in seconds since 1970 UTC.
std::string utcText(int64_t seconds);

}  // namespace trev
