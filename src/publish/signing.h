#pragma once
// Keys, the signed manifest of a tree, and the check of a tree as the updater makes it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace trev::publish {

// Writes a new key pair's secret key (owner-only; an existing file only with force);
// returns the public key in base64.
std::string generateKeys(const std::filesystem::path& secretFile, bool force);
// The public key in base64 of a secret key file.
std::string publicKeyOf(const std::filesystem::path& secretFile);

// Writes manifesto.cfg (every file, sequence one above the previous manifest,
// expiring validDays after now) and manifesto.sig; returns the sequence.
int64_t signTree(const std::filesystem::path& tree, const std::filesystem::path& secretFile, int validDays,
                 int64_t now);

// Every mismatch between the tree and its signed manifest; empty when the updater would accept it.
std::vector<std::string> verifyTree(const std::filesystem::path& tree, const std::string& publicKeyBase64, int64_t now);

}  // namespace trev::publish
