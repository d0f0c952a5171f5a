#pragma once
// Text files of the system's code page, read and written as the Windows runtime does:
// a line ends at CR LF or LF, a lone CR is dropped, Ctrl-Z ends the file; lines are
// written with CR LF.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace trev {

class TextReader {
public:
    // Bytes taken from the file at a time.
    static constexpr size_t kBufferSize = 65536;
    // The longest line read: files come from servers, and a line is held whole.
    static constexpr size_t kMaxLineLength = 65536;

    // Opens for reading; raises "File not found", "Invalid filename" (missing folder), ...
    explicit TextReader(const std::string& windowsPath);
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    bool eof();
    // The next line without its end; an empty text at the end of the file.
    // A line longer than kMaxLineLength raises an Error naming the file and the line.
    std::string readLine();
    // Reads a number: characters of code 32 or below (line ends included) are skipped,
    // then up to 32 characters up to the next such character make a signed 32-bit
    // decimal. 0 at the end of the file; "Invalid numeric input" otherwise.
    int32_t readInteger();
    // Skips to the start of the next line.
    void skipLine();
    void close();

private:
    int peek();  // -1 at the end of the file (Ctrl-Z counts as the end)
    int next();
    // Refills an exhausted buffer; false at the end of the file.
    bool fill();
    // Appends the buffered bytes up to the next line end (or Ctrl-Z); true when the line is complete.
    bool takeLinePart(std::string& line);
    [[noreturn]] void lineTooLong() const;

    std::string windowsPath_;
    int lineNumber_ = 0;  // lines read so far
    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    size_t start_ = 0;  // next unread byte
    size_t end_ = 0;    // end of the bytes read
    bool ended_ = false;  // end of the file or Ctrl-Z reached
};

class TextWriter {
public:
    enum class Mode { Rewrite, Append };
    // Rewrite creates the file anew; Append adds to an existing file.
    // Raises the runtime's error when the file cannot be opened.
    TextWriter(const std::string& windowsPath, Mode mode = Mode::Rewrite);
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void write(const std::string& text);
    void writeLine(const std::string& text = {});
    // Hands what was written to the system; raises when it could not be written.
    void flush();
    // Flushes and closes; raises when the data could not be written.
    void close();

private:
    std::FILE* file_ = nullptr;
};

// The first line of a text file (empty for an empty file).
std::string readFirstLine(const std::string& windowsPath);

}  // namespace trev
