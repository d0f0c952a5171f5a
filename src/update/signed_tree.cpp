#include "update/signed_tree.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/text_file.h"

#include <fstream>
#include <iterator>

namespace trev {
namespace {

std::string readBytes(const std::string& windowsPath) {
    std::ifstream file(nativePath(windowsPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool isManifestFile(const std::string& remotePath) {
    return remotePath == paths::kRemoteManifest || remotePath == paths::kRemoteManifestSignature;
}

}  // namespace

SignedTree::SignedTree(UpdateSource& source, UpdateLog& log, std::string publicKeyBase64,
                       std::string acceptedSequencePath)
    : source_(source),
      log_(log),
      publicKeyBase64_(std::move(publicKeyBase64)),
      acceptedSequencePath_(std::move(acceptedSequencePath)) {
    source_.setCheck(this);
}

SignedTree::~SignedTree() { source_.setCheck(nullptr); }

void SignedTree::refuse(const std::string& reason) const {
    log_.verificationRefused(reason);
    throw VerificationError(reason);
}

std::string SignedTree::publicKey() const {
    std::optional<std::string> key = decodeBase64(publicKeyBase64_, kPublicKeyBytes);
    if (!key) refuse(utf8ToCp1252("Chave do publicador inválida nesta versão do atualizador"));
    return *key;
}

int64_t SignedTree::acceptedSequence() const {
    if (!fileExists(acceptedSequencePath_)) return 0;
    const std::string line = readFirstLine(acceptedSequencePath_);
    if (line.empty() || line.size() > 15 || line.find_first_not_of("0123456789") != std::string::npos)
        refuse(utf8ToCp1252("Arquivo da sequência aceita inválido: ") + acceptedSequencePath_);
    return std::stoll(line);
}

void SignedTree::accept(int64_t now) {
    const std::string key = publicKey();
    manifest_.reset();
    source_.fetchTogether({{paths::kRemoteManifest, paths::kManifest},
                           {paths::kRemoteManifestSignature, paths::kManifestSignature}});
    const std::string bytes = readBytes(paths::kManifest);
    if (!signatureMatches(bytes, readBytes(paths::kManifestSignature), key))
        refuse(utf8ToCp1252("A assinatura do manifesto do servidor de atualização não confere"));
    Manifest manifest;
    try {
        manifest = parseManifest(bytes);
    } catch (const VerificationError& error) {
        refuse(error.what());
    }
    if (manifest.expiresAt < now)
        refuse(utf8ToCp1252("O manifesto do servidor de atualização expirou em ") + utcText(manifest.expiresAt));
    const int64_t accepted = acceptedSequence();
    if (manifest.sequence < accepted)
        refuse(utf8ToCp1252("O manifesto do servidor de atualização é antigo: sequência ") +
               std::to_string(manifest.sequence) + utf8ToCp1252(", já aceita ") + std::to_string(accepted));
    log_.manifestAccepted(manifest.sequence, utcText(manifest.expiresAt));
    manifest_ = std::move(manifest);
}

void SignedTree::keepSequence() const {
    if (!manifest_) return;
    const std::string partial = acceptedSequencePath_ + ".new";
    TextWriter file(partial);
    file.writeLine(std::to_string(manifest_->sequence));
    file.close();
    replaceFile(partial, acceptedSequencePath_);
}

void SignedTree::starting(const std::string& remotePath) {
    digest_.emplace();
    received_ = 0;
    current_ = remotePath;
    if (isManifestFile(remotePath)) {
        bound_ = remotePath == paths::kRemoteManifest ? static_cast<int64_t>(kManifestMaxBytes) : kSignatureBytes;
        return;
    }
    const ManifestEntry* entry = nullptr;
    if (manifest_ && remotePath.compare(0, paths::kRemoteRoot.size(), paths::kRemoteRoot) == 0)
        entry = manifest_->find(remotePath.substr(paths::kRemoteRoot.size()));
    if (!entry) refuse(utf8ToCp1252("O arquivo ") + remotePath + utf8ToCp1252(" não consta do manifesto assinado"));
    bound_ = entry->size;
}

// Past what the manifest says, the file cannot match: the transfer stops there.
void SignedTree::received(const char* data, size_t size) {
    received_ += static_cast<int64_t>(size);
    if (received_ > bound_)
        refuse(utf8ToCp1252("O arquivo ") + current_ +
               utf8ToCp1252(" não confere com o manifesto assinado: mais de ") + std::to_string(bound_) + " bytes");
    digest_->add(data, size);
}

void SignedTree::finished(const std::string& remotePath, const std::string& localPath) {
    if (isManifestFile(remotePath)) return;
    const ManifestEntry& entry = *manifest_->find(remotePath.substr(paths::kRemoteRoot.size()));
    const std::string digest = digest_->hexDigest();
    if (digest == entry.sha256 && received_ == entry.size) return;
    deleteFile(localPath);
    refuse(utf8ToCp1252("O arquivo ") + remotePath + utf8ToCp1252(" não confere com o manifesto assinado: esperado ") +
           std::to_string(entry.size) + " bytes SHA-256 " + entry.sha256 + ", recebido " + std::to_string(received_) +
           " bytes SHA-256 " + digest);
}

std::unique_ptr<SignedTree> signedTreeFor(UpdateSource& source, UpdateLog& log) {
    if (source.server().publisherKey.empty()) return nullptr;
    return std::make_unique<SignedTree>(source, log, source.server().publisherKey);
}

}  // namespace trev
