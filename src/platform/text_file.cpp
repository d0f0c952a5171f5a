#include "platform/text_file.h"

#include "platform/file_errors.h"
#include "platform/paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace trev {
namespace {

constexpr int kCtrlZ = 26;
constexpr size_t kMaxNumberLength = 32;

bool parentFolderMissing(const std::string& nativeFile) {
    auto slash = nativeFile.rfind('/');
    if (slash == std::string::npos || slash == 0) return false;
    struct stat st {};
    return ::stat(nativeFile.substr(0, slash).c_str(), &st) != 0;
}

FileError openError(const std::string& native, int err) {
    if (err == ENOENT && parentFolderMissing(native)) return fileErrorFromCode(ioError::invalidFilename);
    return fileErrorFromErrno(err);
}

bool parseInt32(const std::string& text, int32_t& value) {
    if (text.empty()) return false;
    size_t i = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<int32_t>(v);
    return true;
}

}  // namespace

TextReader::TextReader(const std::string& windowsPath) {
    std::string native = nativePath(windowsPath);
    struct stat st {};
    if (::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw fileErrorFromCode(ioError::accessDenied);
    file_ = std::fopen(native.c_str(), "rb");
    if (!file_) throw openError(native, errno);
}

TextReader::~TextReader() { close(); }

void TextReader::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

int TextReader::peek() {
    if (pending_ == -2) {
        if (!file_) throw fileErrorFromCode(ioError::fileNotOpen);
        int c = std::fgetc(file_);
        if (c == EOF && std::ferror(file_)) throw fileErrorFromErrno(errno);
        pending_ = (c == EOF || c == kCtrlZ) ? -1 : c;
    }
    return pending_;
}

int TextReader::next() {
    int c = peek();
    if (c != -1) pending_ = -2;
    return c;
}

bool TextReader::eof() { return peek() == -1; }

std::string TextReader::readLine() {
    std::string line;
    for (int c = next(); c != -1 && c != '\n'; c = next())
        if (c != '\r') line += static_cast<char>(c);
    return line;
}

void TextReader::skipLine() { readLine(); }

int32_t TextReader::readInteger() {
    while (peek() != -1 && peek() <= ' ') next();
    if (peek() == -1) return 0;
    std::string digits;
    while (peek() != -1 && peek() > ' ' && digits.size() < kMaxNumberLength) digits += static_cast<char>(next());
    int32_t value = 0;
    if (!parseInt32(digits, value)) throw fileErrorFromCode(ioError::invalidNumericInput);
    return value;
}

TextWriter::TextWriter(const std::string& windowsPath, Mode mode) {
    std::string native = nativePath(windowsPath);
    struct stat st {};
    if (::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw fileErrorFromCode(ioError::accessDenied);
    file_ = std::fopen(native.c_str(), mode == Mode::Append ? "ab" : "wb");
    if (!file_) throw openError(native, errno);
}

TextWriter::~TextWriter() {
    if (file_) std::fclose(file_);
}

void TextWriter::write(const std::string& text) {
    if (!file_) throw fileErrorFromCode(ioError::fileNotOpen);
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) throw fileErrorFromErrno(errno);
}

void TextWriter::writeLine(const std::string& text) { write(text + "\r\n"); }

void TextWriter::close() {
    if (!file_) return;
    std::FILE* f = file_;
    file_ = nullptr;
    bool failed = std::fflush(f) != 0;
    int err = errno;
    if (std::fclose(f) != 0 && !failed) {
        failed = true;
        err = errno;
    }
    if (failed) throw fileErrorFromErrno(err);
}

std::string readFirstLine(const std::string& windowsPath) {
    TextReader reader(windowsPath);
    return reader.readLine();
}

}  // namespace trev
