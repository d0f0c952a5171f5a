#pragma once
// The one family of failures. Each carries the user-visible message exactly as
// the error display shows it (Windows-1252 bytes) and the numbers that go with it.
#include <stdexcept>
#include <string>

namespace trev {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Runtime input/output errors of files: "File not found", "I/O error %d", ...
class FileError : public Error {
public:
    FileError(int code, const std::string& message) : Error(message), code_(code) {}
    int code() const { return code_; }
private:
    int code_;
};

// Text-to-number conversions: "Invalid numeric input", "'%s' is not a valid integer value".
class ConvertError : public Error {
public:
    using Error::Error;
};

// "Socket Error # %d\r\n%s", "Connection Closed Gracefully.", "Read Timeout", ...
class SocketError : public Error {
public:
    SocketError(int code, const std::string& message) : Error(message), code_(code) {}
    int code() const { return code_; }  // Winsock number, 0 when not a system failure
private:
    int code_;
};

// An HTTP exchange that the client refuses: the message is the status line,
// or one of the client's own texts ("Max line length exceeded.", ...).
class HttpProtocolError : public Error {
public:
    HttpProtocolError(const std::string& message, int statusCode = 0, std::string body = {})
        : Error(message), statusCode_(statusCode), body_(std::move(body)) {}
    int statusCode() const { return statusCode_; }
    const std::string& body() const { return body_; }
private:
    int statusCode_;
    std::string body_;
};

// An FTP reply whose code the command does not accept; also "Already connected.".
class FtpReplyError : public Error {
public:
    FtpReplyError(const std::string& message, int replyCode = 0) : Error(message), replyCode_(replyCode) {}
    int replyCode() const { return replyCode_; }
private:
    int replyCode_;
};

// A failure of the database client library or of the session's own checks.
class DatabaseError : public Error {
public:
    DatabaseError(const std::string& message, long sqlCode = 0, long ibErrorCode = 0)
        : Error(message), sqlCode_(sqlCode), ibErrorCode_(ibErrorCode) {}
    long sqlCode() const { return sqlCode_; }
    long ibErrorCode() const { return ibErrorCode_; }
private:
    long sqlCode_;
    long ibErrorCode_;
};

// SQLCODE -551: no permission for the operation.
class DatabaseNoPermissionError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// The message as the default error display shows it: a full stop is appended when the
// last character's code is above that of ".".
std::string errorDisplayText(const std::string& message);

// Ends the current user action without any message.
class SilentAbort : public Error {
public:
    SilentAbort() : Error("Operation aborted") {}
};

}  // namespace trev
