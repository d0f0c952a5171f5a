#include "platform/text_file.h"

#include "platform/file_errors.h"
#include "platform/stdio_file.h"
#include "platform/text_util.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace trev {
namespace {

constexpr int kCtrlZ = 26;
constexpr size_t kMaxNumberLength = 32;

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

TextReader::TextReader(const std::string& windowsPath)
    : windowsPath_(windowsPath), file_(openStdioFile(windowsPath, StdioMode::Read)) {
    // The reader keeps its own buffer; a second one in the stream would only copy.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

TextReader::~TextReader() { close(); }

void TextReader::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    start_ = end_ = 0;  // reading on raises "I/O error 103"
}

bool TextReader::fill() {
    if (!file_) throw fileErrorFromCode(ioError::fileNotOpen);
    if (ended_) return false;
    start_ = 0;
    end_ = std::fread(buffer_.get(), 1, kBufferSize, file_);
    if (end_ == 0 && std::ferror(file_)) throw fileErrorFromErrno(errno);
    ended_ = end_ == 0;
    return !ended_;
}

int TextReader::peek() {
    if (start_ == end_ && !fill()) return -1;
    const auto c = static_cast<unsigned char>(buffer_[start_]);
    if (c != kCtrlZ) return c;
    // Nothing after a Ctrl-Z is ever read.
    ended_ = true;
    end_ = start_;
    return -1;
}

int TextReader::next() {
    int c = peek();
    if (c != -1) ++start_;
    return c;
}

bool TextReader::eof() { return peek() == -1; }

bool TextReader::takeLinePart(std::string& line) {
    const char* begin = buffer_.get() + start_;
    const size_t available = end_ - start_;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', available));
    const size_t length = lf ? static_cast<size_t>(lf - begin) : available;
    const char* ctrlZ = static_cast<const char*>(std::memchr(begin, kCtrlZ, length));
    const size_t taken = ctrlZ ? static_cast<size_t>(ctrlZ - begin) : length;
    const size_t before = line.size();
    line.append(begin, taken);
    // Every CR in a line goes: the one of CR LF and any lone one.
    if (std::memchr(begin, '\r', taken)) line.erase(std::remove(line.begin() + before, line.end(), '\r'), line.end());
    start_ += taken;
    if (ctrlZ) {
        peek();  // marks the end
        return true;
    }
    if (!lf) return false;
    ++start_;
    return true;
}

// Each part adds at most one buffer, so a line never holds much more than the bound.
std::string TextReader::readLine() {
    ++lineNumber_;
    std::string line;
    bool complete = false;
    while (!complete && peek() != -1) {
        complete = takeLinePart(line);
        if (line.size() > kMaxLineLength) lineTooLong();
    }
    return line;
}

void TextReader::lineTooLong() const {
    throw FileError(0, "A linha " + std::to_string(lineNumber_) + " de \"" + shownValue(windowsPath_) +
                           "\" passa de " + std::to_string(kMaxLineLength) + " caracteres.");
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

TextWriter::TextWriter(const std::string& windowsPath, Mode mode)
    : file_(openStdioFile(windowsPath, mode == Mode::Append ? StdioMode::Append : StdioMode::Rewrite)) {}

TextWriter::~TextWriter() {
    if (file_) std::fclose(file_);
}

void TextWriter::write(const std::string& text) {
    if (!file_) throw fileErrorFromCode(ioError::fileNotOpen);
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) throw fileErrorFromErrno(errno);
}

void TextWriter::writeLine(const std::string& text) { write(text + "\r\n"); }

void TextWriter::flush() {
    if (!file_) throw fileErrorFromCode(ioError::fileNotOpen);
    if (std::fflush(file_) != 0) throw fileErrorFromErrno(errno);
}

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
